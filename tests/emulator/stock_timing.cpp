#include "stockcontent.h"

#include "device/kvcaprecords.h"

namespace lvemu {

void StockTiming(StockReports&, const StockIdentity&)
{
}

} // namespace lvemu
