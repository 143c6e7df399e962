// A full reload of the HDMI page against the emulated device: time per reload and the
// transfers it makes, by report id (each report should be read once).
// Run by hand: ./build/bench/bench_hdmipage (or build/bench_hdmipage).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMutexLocker>
#include <cstdio>
#include <map>

#include "device/lumivandrexpresenter.h"
#include "emulatedbus.h"
#include "statuspages/wtabpagehdmi.h"

namespace {

constexpr int kHoursMs = 3600 * 1000;   // keeps the enumeration thread asleep

struct NoTimer : INotifyTimerCtrl {
    void startNotifyTimer(int, INotifyTimerCallback*) override {}
    void stopNotifyTimer() override {}
};

void BM_HdmiPageReload(benchmark::State& state)
{
    auto& bus = lvemu::EmulatedBus::instance();
    bus.unplugAll();
    auto device = bus.plug();
    _KVCAP_DEVICE_INFO info = device->deviceInfo();
    info.productId = 516;   // a model with EDID assist: every piece of the page is filled
    device->setDeviceInfo(info);
    static NoTimer timer;
    g_presenter.SetNotifyTimerCtrl(&timer);
    g_presenter.SetTimingForTest(kHoursMs, LumivandrexPresenter::kBusyTimeoutMs);
    if (!g_presenter.Init()) {
        state.SkipWithError("no emulated device");
        return;
    }
    g_presenter.SetCurrentIndex(0, false);
    {
        WTabPageHdmi page;
        long transfers = 0;
        std::map<int, int> byId;
        for (auto _ : state) {
            device->clearTransfers();
            page.InitPage(0, false);
            for (const lvemu::TransferRecord& t : device->transfers()) {
                ++byId[t.id];
                ++transfers;
            }
        }
        state.counters["transfers_per_reload"] = double(transfers) / double(state.iterations());
        std::printf("Transfers of one reload, by report id:");
        for (const auto& entry : byId)
            std::printf(" 0x%02X:%g", entry.first, double(entry.second) / double(state.iterations()));
        std::printf("\n");
    }
    g_presenter.Exit();
    bus.unplugAll();
}
BENCHMARK(BM_HdmiPageReload)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    lvemu::ensurePreload(argc, argv);
    lvemu::EmulatedBus::instance();
    qputenv("QT_QPA_PLATFORM", "offscreen");
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
