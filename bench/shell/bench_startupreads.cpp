// What start-up and the first plug read from the emulated device, in-process: the
// main window built as main() builds it and shown (offscreen), until every page is
// filled. Prints the transfers by report id beside those of one full reload, which
// is what both should read; the time is from the window's construction (or the
// plug) to its last transfer.
// Run by hand: ./build/bench/bench_startupreads
#include "pagebench.h"

#include <QTest>

#include <atomic>
#include <chrono>

#include "shell/lumivandrexutility.h"
#include "shell/propertypage.h"
#include "toolkit/cfocusmanager.h"

namespace {

using Clock = std::chrono::steady_clock;
using Counts = std::map<std::string, int>;

// Report 0x08 is the 400 ms poll's: left out.
Counts Transfers(const lvemu::EmulatedDevice& device)
{
    Counts counts = pagebench::CountById(device);
    counts.erase("get 0x08");
    return counts;
}

int Total(const Counts& counts)
{
    int total = 0;
    for (const auto& entry : counts)
        total += entry.second;
    return total;
}

// Clears the device's log when the presenter has built the instance of a plugged
// device (its own reads are not the window's) and notes the moment. Made before the
// window, so it is called before the title bar.
struct PlugWatch : ILumivandrexNotify {
    explicit PlugWatch(std::shared_ptr<lvemu::EmulatedDevice> d) : device(std::move(d)) { g_presenter.AddNotify(this); }
    ~PlugWatch() { g_presenter.DeleteNotify(this); }
    void OnCurrentDeviceLost(bool) override
    {
        device->clearTransfers();
        arrived = Clock::now().time_since_epoch().count();
    }
    std::shared_ptr<lvemu::EmulatedDevice> device;
    std::atomic<Clock::rep> arrived{0};
};

// Events until no transfer but the poll's has come for 300 ms; the time of the last.
Clock::time_point RunUntilQuiet(const lvemu::EmulatedDevice& device)
{
    int seen = -1;
    Clock::time_point last = Clock::now();
    const auto limit = last + std::chrono::seconds(10);
    while (Clock::now() - last < std::chrono::milliseconds(300) && Clock::now() < limit) {
        QTest::qWait(2);
        const int now = Total(Transfers(device));
        if (now != seen) {
            seen = now;
            last = Clock::now();
        }
    }
    return last;
}

// Arg 1: the device is there at start; Arg 0: the first plug after a start without one.
void BM_StartUpReads(benchmark::State& state)
{
    const bool atStart = state.range(0) != 0;
    auto& bus = lvemu::EmulatedBus::instance();
    Counts counts, reload;
    for (auto _ : state) {
        bus.unplugAll();
        auto device = bus.plug();
        if (!atStart)
            bus.unplug(device);
        PlugWatch watch(device);
        g_presenter.Init();
        device->clearTransfers();
        Clock::time_point begin = Clock::now();
        auto* window = new LumivandrexUtility(nullptr);
        g_presenter.SetNotifyTimerCtrl(window);
        g_focusManager.SetMainFocusWid(window);
        window->show();
        if (!atStart) {
            QTest::qWait(300);
            bus.plug(device);
            if (QTest::qWaitFor([&] { return watch.arrived.load() != 0; }, 5000))
                begin = Clock::time_point(Clock::duration(watch.arrived.load()));
            else
                state.SkipWithError("the plugged device was not found");
        }
        const Clock::time_point end = RunUntilQuiet(*device);
        counts = Transfers(*device);
        state.SetIterationTime(std::chrono::duration<double>(end - begin).count());
        device->clearTransfers();
        window->GetPropertyPage()->ReloadTabWidget(true);
        reload = Transfers(*device);
        g_presenter.Exit();
        g_focusManager.SetMainFocusWid(nullptr);
        delete window;
        QCoreApplication::processEvents();
    }
    bus.unplugAll();
    state.counters["transfers"] = Total(counts);
    state.counters["reload_transfers"] = Total(reload);
    std::printf("%s: %d transfers (one full reload: %d):", atStart ? "start-up" : "first plug", Total(counts),
                Total(reload));
    for (const auto& entry : counts)
        std::printf(" %s x%d", entry.first.c_str(), entry.second);
    std::printf("\n");
}

} // namespace

BENCHMARK(BM_StartUpReads)
    ->ArgName("device_at_start")
    ->Arg(1)
    ->Arg(0)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
LV_PAGE_BENCH_MAIN()
