// A full reload of the HDMI page against the emulated device: time per reload and the
// transfers it makes, by report id (each report should be read once).
// Run by hand: ./build/bench/bench_hdmipage
#include "pagebench.h"
#include "statuspages/wtabpagehdmi.h"

namespace {

// A model with EDID assist: every piece of the page is filled.
std::string EdidAssistModel(lvemu::EmulatedDevice& device, const benchmark::State&)
{
    _KVCAP_DEVICE_INFO info = device.deviceInfo();
    info.productId = 516;
    device.setDeviceInfo(info);
    return "model 516";
}

void BM_HdmiPageReload(benchmark::State& state)
{
    pagebench::Reload<WTabPageHdmi>(state, "WTabPageHdmi", EdidAssistModel);
}

} // namespace

BENCHMARK(BM_HdmiPageReload)->Unit(benchmark::kMillisecond);
LV_PAGE_BENCH_MAIN()
