// A full reload of the Timing page against the emulated device, with an analogue (VGA)
// signal (Arg 1) and with the stock HDMI one (Arg 0): the time it takes and the
// transfers it makes, by report id.
// Run by hand: ./build/bench/bench_timingpage
#include "device/reportaccess.h"
#include "pagebench.h"
#include "settingspages/wtabpagetiming.h"

namespace {

std::string InputForArg(lvemu::EmulatedDevice& device, const benchmark::State& state)
{
    if (state.range(0) == 0)
        return "HDMI input";
    const uint8_t id = uint8_t(ReportIdOf<_KVCAP_INPUT_STATUS>());
    _KVCAP_INPUT_STATUS status = device.record<_KVCAP_INPUT_STATUS>(id);
    status.inputType = KVCAP_VIDEO_INPUT_VGA;   // 1080p60 as the analogue front end measures it
    status.analog.syncInfo = {1, {0, 0}, 0, 166667, 5, 1125};
    status.analog.timing.timingType = 2;
    status.analog.settings = {16, 9, 192, 41, 1920, 1080, 2200, 8};
    device.setRecord(id, status);
    return "VGA input";
}

void BM_TimingPageReload(benchmark::State& state)
{
    pagebench::Reload<WTabPageTiming>(state, "WTabPageTiming", InputForArg);
}

} // namespace

BENCHMARK(BM_TimingPageReload)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
LV_PAGE_BENCH_MAIN()
