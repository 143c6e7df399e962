#pragma once
// A page's full reload against the emulated device: the time of one InitPage and the
// transfers it makes, counted by report id from the device's log (benchmark counters
// "get 0xNN" / "set 0xNN" and "transfers" per reload), also printed once as a line.
// The transfers of the page's construction are counted too ("constructor transfers"):
// a constructor only builds widgets, the reload reads the device.
//
//     LV_PAGE_RELOAD_BENCH(WTabPageInput);      // stock device, InitPage(0, false)
//     LV_PAGE_BENCH_MAIN()
//
// A page that needs other device content registers its own function:
//
//     void BM_X(benchmark::State& state) { pagebench::Reload<WTabPageX>(state, "WTabPageX", Prepare); }
//     BENCHMARK(BM_X)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

#include <QApplication>

#include <cstdio>
#include <functional>
#include <map>
#include <set>
#include <string>

#include "device/lumivandrexpresenter.h"
#include "emulatedbenchmain.h"

namespace pagebench {

constexpr int kHoursMs = 3600 * 1000;   // keeps the enumeration thread asleep while measuring

struct NoTimer : INotifyTimerCtrl {
    void startNotifyTimer(int, INotifyTimerCallback*) override {}
    void stopNotifyTimer() override {}
};

// Changes the freshly plugged device before the presenter sees it; returns a few words
// naming that variant for the printed line (empty when there is nothing to tell).
using Prepare = std::function<std::string(lvemu::EmulatedDevice&, const benchmark::State&)>;

// "get 0xNN" / "set 0xNN" -> count, over the device's transfer log.
inline std::map<std::string, int> CountById(const lvemu::EmulatedDevice& device)
{
    std::map<std::string, int> counts;
    for (const lvemu::TransferRecord& t : device.transfers()) {
        char key[16];
        std::snprintf(key, sizeof key, "%s 0x%02X", t.direction == lvemu::TransferRecord::Set ? "set" : "get", t.id);
        ++counts[key];
    }
    return counts;
}

// The library calls a benchmark function more than once per argument: one line each.
inline void PrintOnce(const std::string& label, const std::map<std::string, int>& counts, int total,
                      int constructor)
{
    static std::set<std::string> printed;
    if (!printed.insert(label).second)
        return;
    std::printf("%s constructor: %d transfers; full reload: %d transfers:", label.c_str(), constructor, total);
    for (const auto& entry : counts)
        std::printf(" %s x%d", entry.first.c_str(), entry.second);
    std::printf("\n");
}

// One device plugged fresh for each call (so each argument gets its own content), the
// presenter started on it, the page built and `InitPage(flags, false)` timed; the
// log of the construction and that of the last reload are counted.
template <typename Page>
void Reload(benchmark::State& state, const char* name, const Prepare& prepare = {}, unsigned flags = 0)
{
    static NoTimer timer;
    auto& bus = lvemu::EmulatedBus::instance();
    bus.unplugAll();
    auto device = bus.plug();
    std::string label = name;
    if (prepare) {
        const std::string variant = prepare(*device, state);
        if (!variant.empty())
            label += ", " + variant;
    }
    g_presenter.SetNotifyTimerCtrl(&timer);
    g_presenter.SetTimingForTest(kHoursMs, LumivandrexPresenter::kBusyTimeoutMs);
    if (!g_presenter.Init()) {
        state.SkipWithError("no emulated device");
        bus.unplugAll();
        return;
    }
    g_presenter.SetCurrentIndex(0, false);
    {
        device->clearTransfers();
        Page page;
        const int constructor = int(device->transfers().size());
        for (auto _ : state) {
            device->clearTransfers();
            page.InitPage(flags, false);
        }
        const std::map<std::string, int> counts = CountById(*device);
        int total = 0;
        for (const auto& entry : counts) {
            state.counters[entry.first] = entry.second;
            total += entry.second;
        }
        state.counters["transfers"] = total;
        state.counters["constructor transfers"] = constructor;
        PrintOnce(label, counts, total, constructor);
    }
    g_presenter.Exit();
    bus.unplugAll();
}

// Pages are widgets: the benchmarks run inside a QApplication (offscreen unless the
// caller chose a platform), and the presenter is stopped before libusb is left.
inline int Main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return lvbench::RunOnEmulatedBus(argc, argv, [](int& argc, char** argv) {
        QApplication app(argc, argv);
        const int result = lvbench::RunBenchmarks(argc, argv);
        g_presenter.Exit();
        return result;
    });
}

} // namespace pagebench

#define LV_PAGE_RELOAD_BENCH(Page)                                                                   \
    static void BM_##Page##Reload(benchmark::State& state) { pagebench::Reload<Page>(state, #Page); } \
    BENCHMARK(BM_##Page##Reload)->Unit(benchmark::kMillisecond)

#define LV_PAGE_BENCH_MAIN()                                                                          \
    int main(int argc, char** argv) { return pagebench::Main(argc, argv); }
