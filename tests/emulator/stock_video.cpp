#include "stockcontent.h"

#include "device/kvcaprecords.h"

namespace lvemu {

void StockVideo(StockReports&, const StockIdentity&)
{
}

} // namespace lvemu
