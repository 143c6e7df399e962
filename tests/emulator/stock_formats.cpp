#include "stockcontent.h"

#include "device/fourcctext.h"
#include "device/kvcaprecords.h"
#include "device/reportaccess.h"

#include <algorithm>
#include <iterator>

namespace lvemu {

// YUY2 first, then NV12 and UYVY; the common frame rates with 60 fps as default; the
// common sizes from 640 x 480 up to 4K with 1920 x 1080 as default (ascending, as the
// device keeps them).
void StockFormats(StockReports& reports, const StockIdentity&)
{
    _KVCAP_COLOR_FORMAT_LIST colors{};
    colors.count = 3;
    colors.fourcc[0] = KVCAP_FOURCC_YUY2;
    colors.fourcc[1] = KVCAP_FOURCC_NV12;
    colors.fourcc[2] = KVCAP_FOURCC_UYVY;
    PutStock(reports, uint8_t(ReportIdOf<_KVCAP_COLOR_FORMAT_LIST>()), colors);

    _KVCAP_FRAME_INTERVAL_LIST rates{};
    const uint32_t durations[] = {166667, 166834, 200000, 333333, 333667, 400000, 416667};   // 60 .. 24 fps
    rates.count = uint8_t(sizeof durations / sizeof durations[0]);
    rates.defaultIndex = 0;
    std::memcpy(static_cast<void*>(rates.durations), durations, sizeof durations);   // packed: no typed stores
    PutStock(reports, uint8_t(ReportIdOf<_KVCAP_FRAME_INTERVAL_LIST>()), rates);

    _KVCAP_FRAME_SIZE_LIST sizes{};
    const _KVSIZE list[] = {{640, 480},   {720, 480},   {720, 576},   {800, 600},   {1024, 768},
                            {1280, 720},  {1280, 1024}, {1920, 1080}, {2560, 1440}, {3840, 2160}};
    sizes.count = uint8_t(sizeof list / sizeof list[0]);
    sizes.defaultIndex = 7;
    std::copy(std::begin(list), std::end(list), sizes.sizes);
    PutStock(reports, uint8_t(ReportIdOf<_KVCAP_FRAME_SIZE_LIST>()), sizes);
}

} // namespace lvemu
