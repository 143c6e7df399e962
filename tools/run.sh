#!/usr/bin/env bash
# Fresh Debian 12: install, build, start the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
bash tools/build.sh
exec ./build/source/LumivandrexUtility "$@"
