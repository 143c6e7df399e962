#include "stockcontent.h"

#include "device/kvcaprecords.h"
#include "device/reportaccess.h"

namespace lvemu {

namespace {

_KVCAP_SIGNAL_TIMING Standard(uint32_t type, uint32_t pixelClock, bool interlaced, uint16_t hActive, uint16_t vActive)
{
    _KVCAP_SIGNAL_TIMING t{};
    t.timingType = type;
    t.pixelClock = pixelClock;
    t.interlaced = interlaced ? 1 : 0;
    t.syncType = 1;
    t.hActive = hActive;
    t.vActive = vActive;
    return t;
}

_KVCAP_VIDEO_CUSTOM_TIMING Custom(uint32_t duration, uint16_t totalLines, uint16_t hActive, uint16_t vActive,
                                  uint16_t hTotal, uint16_t hOffset, uint16_t vOffset)
{
    _KVCAP_VIDEO_CUSTOM_TIMING t{};
    t.syncInfo.syncType = 1;
    t.syncInfo.frameDuration = duration;
    t.syncInfo.vSyncLines = 3;
    t.syncInfo.totalLines = totalLines;
    t.settings = {4, 3, hOffset, vOffset, hActive, vActive, hTotal, 8};
    return t;
}

} // namespace

// Automatic alignment on, automatic phase off at phase 16; the standard timings that
// fit a 1080-line analogue signal; two saved custom timings and three custom resolutions.
void StockTiming(StockReports& reports, const StockIdentity&)
{
    PutStock(reports, uint8_t(ReportIdOf<_KVCAP_AUTO_H_ALIGNMENT>()), _KVCAP_AUTO_H_ALIGNMENT{1});
    PutStock(reports, uint8_t(ReportIdOf<_KVCAP_SAMPLING_PHASE>()), _KVCAP_SAMPLING_PHASE{16});
    PutStock(reports, uint8_t(ReportIdOf<_KVCAP_AUTO_SAMPLING_PHASE>()), _KVCAP_AUTO_SAMPLING_PHASE{0});

    _KVCAP_PREFERRED_TIMING_LIST preferred{};
    const _KVCAP_SIGNAL_TIMING standards[] = {
        Standard(2, 148500000, false, 1920, 1080),   // DMT
        Standard(4, 148500000, false, 1920, 1080),   // CEA
        Standard(16, 173000000, false, 1920, 1080),  // CVT
        Standard(32, 138500000, false, 1920, 1080),  // CVT_RB
        Standard(4, 74250000, true, 1920, 540),      // CEA 1080i
    };
    for (const _KVCAP_SIGNAL_TIMING& t : standards)
        preferred.timings[preferred.count++] = t;
    PutStock(reports, uint8_t(ReportIdOf<_KVCAP_PREFERRED_TIMING_LIST>()), preferred);

    _KVCAP_VIDEO_CUSTOM_TIMING_LIST custom{};
    custom.timings[custom.count++] = Custom(166610, 1066, 1280, 1024, 1688, 248, 38);   // 1280x1024 at 60.02 Hz
    custom.timings[custom.count++] = Custom(166389, 806, 1024, 768, 1344, 160, 29);     // 1024x768 at 60.10 Hz
    PutStock(reports, uint8_t(ReportIdOf<_KVCAP_VIDEO_CUSTOM_TIMING_LIST>()), custom);

    _KVCAP_CUSTOM_RESOLUTION_LIST resolutions{};
    for (const _KVCAP_RESOLUTION& r : {_KVCAP_RESOLUTION{1366, 768}, _KVCAP_RESOLUTION{1600, 900}, _KVCAP_RESOLUTION{1920, 1200}})
        resolutions.entries[resolutions.count++] = r;
    PutStock(reports, uint8_t(ReportIdOf<_KVCAP_CUSTOM_RESOLUTION_LIST>()), resolutions);
}

} // namespace lvemu
