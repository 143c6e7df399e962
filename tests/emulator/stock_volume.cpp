#include "stockcontent.h"

#include "device/kvcaprecords.h"

namespace lvemu {

void StockVolume(StockReports&, const StockIdentity&)
{
}

} // namespace lvemu
