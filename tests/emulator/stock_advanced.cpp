#include "stockcontent.h"

#include "device/kvcaprecords.h"

namespace lvemu {

void StockAdvanced(StockReports&, const StockIdentity&)
{
}

} // namespace lvemu
