// A full reload of the Advanced page (three list editors, two combo boxes) against the
// emulated device: time per reload, and the transfers of one reload by report id.
// Run by hand: QT_QPA_PLATFORM=offscreen ./build/bench/bench_advanced

#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdio>
#include <map>

#include "device/lumivandrexpresenter.h"
#include "emulatedbus.h"
#include "settingspages/wtabpageadvanced.h"

namespace {

void BM_AdvancedPageReload(benchmark::State& state)
{
    auto& bus = lvemu::EmulatedBus::instance();
    bus.unplugAll();
    auto dev = bus.plug();
    g_presenter.SetTimingForTest(3600 * 1000, 500);   // no enumeration cycles meanwhile
    if (!g_presenter.Init()) {
        state.SkipWithError("no emulated device");
        return;
    }
    g_presenter.SetCurrentIndex(0, false);
    {
        WTabPageAdvanced page;
        for (auto _ : state) {
            dev->clearTransfers();
            page.InitPage(0, false);
        }
        static bool printed = false;   // the library runs the function more than once
        if (printed) {
            state.counters["transfers"] = dev->transferCount();
            g_presenter.Exit();
            bus.unplugAll();
            return;
        }
        printed = true;
        std::map<int, int> gets, sets;
        for (const lvemu::TransferRecord& t : dev->transfers())
            ++(t.direction == lvemu::TransferRecord::Set ? sets : gets)[t.id];
        std::printf("transfers of one reload: %d\n", dev->transferCount());
        for (const auto& g : gets)
            std::printf("  GET 0x%02X x %d\n", g.first, g.second);
        for (const auto& s : sets)
            std::printf("  SET 0x%02X x %d\n", s.first, s.second);
        state.counters["transfers"] = dev->transferCount();
    }
    g_presenter.Exit();
    bus.unplugAll();
}
BENCHMARK(BM_AdvancedPageReload)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    lvemu::ensurePreload(argc, argv);
    lvemu::EmulatedBus::instance();
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    int result = 0;
    {
        QApplication app(argc, argv);
        benchmark::Initialize(&argc, argv);
        if (benchmark::ReportUnrecognizedArguments(argc, argv))
            return 1;
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
    }
    LumivandrexDevice::UnInitDevices();
    lvemu::EmulatedBus::shutdown();
    return result;
}
