// Full reload of the Video page against the emulated device.
// Run by hand: ./build/bench/bench_videopage
#include "pagebench.h"
#include "settingspages/wtabpagevideo.h"

LV_PAGE_RELOAD_BENCH(WTabPageVideo);
LV_PAGE_BENCH_MAIN()
