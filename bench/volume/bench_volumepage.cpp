// A full reload of the Volume page (what the tab container does on a device change)
// against the emulated device: time per reload, and the transfers it makes, counted by
// report id from the device's transfer log, for the stock device and for one with all
// eight nodes present.
// Run by hand: ./build/bench/bench_volumepage (or build/bench_volumepage).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMutexLocker>

#include <cstdio>
#include <map>

#include "device/lumivandrexpresenter.h"
#include "device/reportaccess.h"
#include "emulatedbus.h"
#include "settingspages/wtabpagevolume.h"

namespace {

struct NoPoll : INotifyTimerCtrl {
    void startNotifyTimer(int, INotifyTimerCallback*) override {}
    void stopNotifyTimer() override {}
} g_noPoll;

void BM_VolumeFullReload(benchmark::State& state)
{
    auto& bus = lvemu::EmulatedBus::instance();
    bus.unplugAll();
    auto dev = bus.plug();
    if (state.range(0) == 8) {
        dev->setRecord(uint8_t(ReportIdOf<_KVCAP_AUDIO_NODE_MASK>()), _KVCAP_AUDIO_NODE_MASK{0xFF});
        const auto stereo = dev->record<_KVCAP_AUDIO_VOLUME>(uint8_t(ReportIdOf<_KVCAP_AUDIO_VOLUME>(1)));
        for (int n = 0; n < 8; ++n)
            dev->setRecord(uint8_t(ReportIdOf<_KVCAP_AUDIO_VOLUME>(n)), stereo);
    }
    g_presenter.SetNotifyTimerCtrl(&g_noPoll);
    g_presenter.Init();
    g_presenter.SetCurrentIndex(0, false);
    WTabPageVolume page;

    std::map<int, int> perReload;
    for (auto _ : state) {
        dev->clearTransfers();
        page.InitPage(0xFFFFFFFF, false);
        state.PauseTiming();
        perReload.clear();
        for (const lvemu::TransferRecord& t : dev->transfers())
            ++perReload[t.id];
        state.ResumeTiming();
    }
    int total = 0;
    std::printf("full reload, %d node(s):", int(state.range(0)));
    for (const auto& idCount : perReload) {
        std::printf(" 0x%02X x%d", idCount.first, idCount.second);
        total += idCount.second;
    }
    std::printf(" = %d transfers\n", total);
    state.counters["transfers"] = total;
    g_presenter.Exit();
    bus.unplugAll();
}
BENCHMARK(BM_VolumeFullReload)->Arg(2)->Arg(8)->Unit(benchmark::kMillisecond)->Iterations(20);

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
