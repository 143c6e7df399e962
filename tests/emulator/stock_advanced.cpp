#include "stockcontent.h"

#include "device/kvcaprecords.h"
#include "device/reportaccess.h"

namespace lvemu {

// The device announces its model name and sends the default picture without a signal.
void StockAdvanced(StockReports& reports, const StockIdentity&)
{
    PutStock(reports, uint8_t(ReportIdOf<_KVCAP_DEVICE_NAME_MODE>()), _KVCAP_DEVICE_NAME_MODE{KVCAP_NAME_MODE_MODEL});
    PutStock(reports, uint8_t(ReportIdOf<_KVCAP_STATUS_IMAGE>()), _KVCAP_STATUS_IMAGE{KVCAP_STATUS_IMAGE_DEFAULT});
}

} // namespace lvemu
