#!/usr/bin/env bash
# Fresh Debian 12: install, build, run the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
bash tools/build.sh
cd build
ctest --output-on-failure --parallel "$(nproc)" --timeout 600
