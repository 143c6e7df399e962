#include "stockcontent.h"

#include "device/fourcctext.h"
#include "device/kvcaprecords.h"
#include "device/reportaccess.h"

namespace lvemu {

// Nothing overridden (the device follows the signal), a host capturing 1080p60 YUY2,
// blend deinterlacing for interlaced sources.
void StockVideo(StockReports& reports, const StockIdentity&)
{
    PutStock(reports, uint8_t(ReportIdOf<_KVCAP_INPUT_ASPECT_RATIO>()), _KVCAP_INPUT_ASPECT_RATIO{0, 0});
    PutStock(reports, uint8_t(ReportIdOf<_KVCAP_INPUT_COLOR_FORMAT>()), _KVCAP_INPUT_COLOR_FORMAT{0});
    PutStock(reports, uint8_t(ReportIdOf<_KVCAP_INPUT_QUANT_RANGE>()), _KVCAP_INPUT_QUANT_RANGE{0});

    // connected, 1920 x 1080, 60 fps, YUY2, 16:9, BT.709, limited range, limited saturation
    const _KVCAP_VIDEO_CONNECTION_FORMAT stream{1, 1920, 1080, 166667, KVCAP_FOURCC_YUY2, 16, 9, 3, 2, 2};
    PutStock(reports, uint8_t(ReportIdOf<_KVCAP_VIDEO_CONNECTION_FORMAT>()), stream);

    _KVCAP_VIDEO_PROCESS_SETTINGS process{};
    process.deinterlace = 1;   // blend
    PutStock(reports, uint8_t(ReportIdOf<_KVCAP_VIDEO_PROCESS_SETTINGS>()), process);
}

} // namespace lvemu
