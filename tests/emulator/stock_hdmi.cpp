#include "stockcontent.h"

#include "device/kvcaprecords.h"

namespace lvemu {

void StockHdmi(StockReports&, const StockIdentity&)
{
}

} // namespace lvemu
