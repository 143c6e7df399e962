#include "stockcontent.h"

#include "device/kvcaprecords.h"
#include "device/reportaccess.h"

namespace lvemu {

namespace {

_KVCAP_AUDIO_VOLUME StereoNode(int16_t min, int16_t max, int16_t step, int16_t level)
{
    return _KVCAP_AUDIO_VOLUME{2, 0, min, max, step, {}, {level, level}};
}

} // namespace

// A headphone output and the audio embedded in the HDMI input, both stereo and unmuted.
void StockVolume(StockReports& reports, const StockIdentity&)
{
    PutStock(reports, uint8_t(ReportIdOf<_KVCAP_AUDIO_NODE_MASK>()),
             _KVCAP_AUDIO_NODE_MASK{1u << KVCAP_AUDIO_NODE_HEADPHONE | 1u << KVCAP_AUDIO_NODE_EMBEDDED_IN});
    PutStock(reports, uint8_t(ReportIdOf<_KVCAP_AUDIO_VOLUME>(KVCAP_AUDIO_NODE_HEADPHONE)),
             StereoNode(-5700, 600, 50, -1200));
    PutStock(reports, uint8_t(ReportIdOf<_KVCAP_AUDIO_VOLUME>(KVCAP_AUDIO_NODE_EMBEDDED_IN)),
             StereoNode(-8000, 600, 25, 0));
}

} // namespace lvemu
