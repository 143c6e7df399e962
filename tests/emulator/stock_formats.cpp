#include "stockcontent.h"

#include "device/kvcaprecords.h"

namespace lvemu {

void StockFormats(StockReports&, const StockIdentity&)
{
}

} // namespace lvemu
