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

    _KVCAP_VIDEO_CONNECTION_FORMAT stream{};
    stream.connected = 1;
    stream.cx = 1920;
    stream.cy = 1080;
    stream.frameDuration = 166667;
    stream.fourcc = KVCAP_FOURCC_YUY2;
    stream.aspectX = 16;
    stream.aspectY = 9;
    stream.colorFormat = 3;   // BT.709
    stream.quantRange = 2;    // limited
    stream.satRange = 2;
    PutStock(reports, uint8_t(ReportIdOf<_KVCAP_VIDEO_CONNECTION_FORMAT>()), stream);

    _KVCAP_VIDEO_PROCESS_SETTINGS process{};
    process.deinterlace = 1;
    PutStock(reports, uint8_t(ReportIdOf<_KVCAP_VIDEO_PROCESS_SETTINGS>()), process);
}

} // namespace lvemu
