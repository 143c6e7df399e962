// A full reload of the Timing page (InitPage(0, false)) against the emulated device,
// with an analogue (VGA) signal and with HDMI: the time it takes and the transfers it
// makes, counted by report id from the emulator's log and printed once per input.
// Run by hand: ./build/bench/bench_timingpage (or build/bench_timingpage).

#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdio>
#include <map>

#include "device/lumivandrexpresenter.h"
#include "device/reportaccess.h"
#include "emulatedbus.h"
#include "settingspages/wtabpagetiming.h"

namespace {

struct NoPoll : INotifyTimerCtrl {
    void startNotifyTimer(int, INotifyTimerCallback*) override {}
    void stopNotifyTimer() override {}
};

void BM_TimingPageReload(benchmark::State& state)
{
    const bool analogue = state.range(0) != 0;
    auto& bus = lvemu::EmulatedBus::instance();
    bus.unplugAll();
    auto device = bus.plug();
    _KVCAP_INPUT_STATUS status = device->record<_KVCAP_INPUT_STATUS>(uint8_t(ReportIdOf<_KVCAP_INPUT_STATUS>()));
    if (analogue) {
        status.inputType = KVCAP_VIDEO_INPUT_VGA;
        status.analog.syncInfo = {1, {0, 0}, 0, 166667, 5, 1125};
        status.analog.timing.timingType = 2;
        status.analog.settings = {16, 9, 192, 41, 1920, 1080, 2200, 8};
        device->setRecord(uint8_t(ReportIdOf<_KVCAP_INPUT_STATUS>()), status);
    }
    static NoPoll poll;
    g_presenter.SetNotifyTimerCtrl(&poll);
    g_presenter.SetTimingForTest(3600 * 1000, LumivandrexPresenter::kBusyTimeoutMs);
    if (!g_presenter.Init()) {
        state.SkipWithError("no emulated device");
        return;
    }
    g_presenter.SetCurrentIndex(0, false);
    {
        WTabPageTiming page;
        std::map<int, int> gets, sets;
        int total = 0;
        for (auto _ : state) {
            device->clearTransfers();
            page.InitPage(0, false);
        }
        for (const lvemu::TransferRecord& t : device->transfers())
            ++(t.direction == lvemu::TransferRecord::Set ? sets : gets)[t.id];
        QString line;
        for (const auto& kv : gets) {
            line += QStringLiteral(" GET 0x%1 x%2").arg(kv.first, 2, 16, QLatin1Char('0')).arg(kv.second);
            total += kv.second;
        }
        for (const auto& kv : sets) {
            line += QStringLiteral(" SET 0x%1 x%2").arg(kv.first, 2, 16, QLatin1Char('0')).arg(kv.second);
            total += kv.second;
        }
        static bool printed[2] = {false, false};   // the library calls this once per trial run
        if (!printed[analogue])
            std::printf("\n%s input, transfers of one full reload:%s (%d in all)\n", analogue ? "VGA" : "HDMI",
                        qPrintable(line), total);
        printed[analogue] = true;
        state.counters["transfers"] = total;
    }
    g_presenter.Exit();
}
BENCHMARK(BM_TimingPageReload)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    lvemu::ensurePreload(argc, argv);
    lvemu::EmulatedBus::instance();
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
