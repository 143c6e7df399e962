// Full reload of the Input page against the emulated device.
// Run by hand: ./build/bench/bench_inputpage
#include "pagebench.h"
#include "statuspages/wtabpageinput.h"

LV_PAGE_RELOAD_BENCH(WTabPageInput);
LV_PAGE_BENCH_MAIN()
