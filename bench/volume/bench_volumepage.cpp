// A full reload of the Volume page (what the tab container does on a device change)
// against the emulated device: time per reload, and the transfers it makes by report
// id, for the stock device (Arg 2: two nodes) and for one with all eight nodes (Arg 8).
// Run by hand: ./build/bench/bench_volumepage
#include "device/reportaccess.h"
#include "pagebench.h"
#include "settingspages/wtabpagevolume.h"

namespace {

std::string NodesForArg(lvemu::EmulatedDevice& device, const benchmark::State& state)
{
    if (state.range(0) == 8) {
        device.setRecord(uint8_t(ReportIdOf<_KVCAP_AUDIO_NODE_MASK>()), _KVCAP_AUDIO_NODE_MASK{0xFF});
        const auto stereo = device.record<_KVCAP_AUDIO_VOLUME>(uint8_t(ReportIdOf<_KVCAP_AUDIO_VOLUME>(1)));
        for (int n = 0; n < 8; ++n)
            device.setRecord(uint8_t(ReportIdOf<_KVCAP_AUDIO_VOLUME>(n)), stereo);
    }
    return std::to_string(state.range(0)) + " nodes";
}

void BM_VolumeFullReload(benchmark::State& state)
{
    pagebench::Reload<WTabPageVolume>(state, "WTabPageVolume", NodesForArg, 0xFFFFFFFFu);
}

} // namespace

BENCHMARK(BM_VolumeFullReload)->Arg(2)->Arg(8)->Unit(benchmark::kMillisecond)->Iterations(20);
LV_PAGE_BENCH_MAIN()
