// One HID transfer (open, detach, claim, request, release, attach, close) and one
// enumeration pass with 1 and with 8 devices, through the real libusb against the
// emulated device. Run: ./bench_transport (re-executes itself under the umockdev preload).
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "device/kvcaprecords.h"
#include "device/lumivandrexdevice.h"
#include "emulatedbus.h"

namespace {

tagUSBDEVICE_DATA firstRecord()
{
    QVector<tagUSBDEVICE_DATA> list;
    LumivandrexDevice::EnumDevices(list);
    return list.value(0);
}

void BM_HidGetReport(benchmark::State& state)
{
    auto& bus = lvemu::EmulatedBus::instance();
    auto dev = bus.plug();
    LumivandrexDevice object;
    object.Bind(firstRecord());
    const uint8_t id = uint8_t(state.range(0));
    const int length = FindReport(id)->length;
    unsigned char buffer[1024];
    for (auto _ : state) {
        if (!HidGetReport(&object, id, buffer, length))
            state.SkipWithError("transfer failed");
        benchmark::DoNotOptimize(buffer);
    }
    char label[48];
    snprintf(label, sizeof label, "report 0x%02X, %d bytes", id, length);
    state.SetLabel(label);
    bus.unplug(dev);
}
BENCHMARK(BM_HidGetReport)->Arg(0x08)->Arg(0x01)->Arg(0xF3)->Unit(benchmark::kMicrosecond);

void BM_HidSetReportFlashPage(benchmark::State& state)
{
    auto& bus = lvemu::EmulatedBus::instance();
    auto dev = bus.plug();
    dev->setBusyPolls(0);
    LumivandrexDevice object;
    object.Bind(firstRecord());
    _KVCAP_FLASH_DATA page{};
    page.address = 0x200000;
    page.length = 256;
    for (auto _ : state) {
        if (!HidSetReport(&object, 0xF3, reinterpret_cast<unsigned char*>(&page), sizeof page))
            state.SkipWithError("transfer failed");
    }
    bus.unplug(dev);
}
BENCHMARK(BM_HidSetReportFlashPage)->Unit(benchmark::kMicrosecond);

void BM_EnumDevices(benchmark::State& state)
{
    auto& bus = lvemu::EmulatedBus::instance();
    for (int i = 0; i < state.range(0); ++i)
        bus.plug(lvusb::kVendorMain, uint16_t(lvusb::kProductRangeAFirst + i));
    bus.plug(0x1234, 0x0001);   // a device the filter skips
    for (auto _ : state) {
        QVector<tagUSBDEVICE_DATA> list;
        if (!LumivandrexDevice::EnumDevices(list) || list.size() != state.range(0))
            state.SkipWithError("enumeration failed");
    }
    bus.unplugAll();
}
BENCHMARK(BM_EnumDevices)->Arg(1)->Arg(8)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    lvemu::ensurePreload(argc, argv);
    lvemu::EmulatedBus::instance();
    LumivandrexDevice::InitDevices();
    // The transport prints a line per open on standard output; keep the report readable.
    const int report = dup(STDOUT_FILENO);
    const int devNull = open("/dev/null", O_WRONLY);
    dup2(devNull, STDOUT_FILENO);
    std::ofstream out("/proc/self/fd/" + std::to_string(report));
    benchmark::Initialize(&argc, argv);
    benchmark::ConsoleReporter reporter(benchmark::ConsoleReporter::OO_Tabular);
    reporter.SetOutputStream(&out);
    reporter.SetErrorStream(&out);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    LumivandrexDevice::UnInitDevices();
    lvemu::EmulatedBus::shutdown();
    return 0;
}
