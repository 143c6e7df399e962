// A full reload of the Advanced page (three list editors, two combo boxes) against the
// emulated device: time per reload, and the transfers of one reload by report id.
// Run by hand: ./build/bench/bench_advanced
#include "pagebench.h"
#include "settingspages/wtabpageadvanced.h"

LV_PAGE_RELOAD_BENCH(WTabPageAdvanced);
LV_PAGE_BENCH_MAIN()
