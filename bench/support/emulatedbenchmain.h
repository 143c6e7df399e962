#pragma once
// main() for benchmarks that run against the emulated device: re-executes under the
// umockdev preload when needed, creates the bus before anything can start libusb, runs
// the benchmarks, then leaves libusb and removes the bus.
//
//     LV_EMULATED_BENCHMARK_MAIN()

#include <benchmark/benchmark.h>

#include "device/lumivandrexdevice.h"
#include "emulatedbus.h"

namespace lvbench {

inline int RunBenchmarks(int& argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// `run(argc, argv)` runs the benchmarks, with whatever they need around them.
template <typename Run>
int RunOnEmulatedBus(int argc, char** argv, Run run)
{
    lvemu::ensurePreload(argc, argv);
    lvemu::EmulatedBus::instance();
    const int result = run(argc, argv);
    LumivandrexDevice::UnInitDevices();
    lvemu::EmulatedBus::shutdown();
    return result;
}

} // namespace lvbench

#define LV_EMULATED_BENCHMARK_MAIN()                                                    \
    int main(int argc, char** argv)                                                     \
    {                                                                                   \
        return lvbench::RunOnEmulatedBus(argc, argv, lvbench::RunBenchmarks);           \
    }
