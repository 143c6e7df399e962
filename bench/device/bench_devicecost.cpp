// What the device layer costs the GUI thread and the log, against the emulated device:
//  * BM_Reload, BM_Report, BM_Poll: the time the GUI thread is blocked by a full reload of
//    the pages, the HTML report's body and one notification poll. Arg 0: the device
//    answers (the reference); 1: it has just stopped answering; 2: a transfer to it has
//    already timed out (the next poll has not tried it yet).
//  * BM_IdleLogLines: lines the program's file log gets in one minute, idle with one
//    device (real enumeration and poll intervals). Those of a 1 MiB flashing: bench_presenter.
// Run by hand: ./build/bench/bench_devicecost (the hung cases take seconds each).

#include <benchmark/benchmark.h>

#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include "benchfilelog.h"
#include "device/lumivandrexpresenter.h"
#include "pagebench.h"
#include "shell/propertypage.h"

namespace {

using DevicePtr = std::shared_ptr<lvemu::EmulatedDevice>;

// The presenter on one freshly plugged device, its enumeration thread kept asleep.
DevicePtr StartPresenter(INotifyTimerCtrl *timer, int enumSleepMs = pagebench::kHoursMs)
{
    auto &bus = lvemu::EmulatedBus::instance();
    bus.unplugAll();
    DevicePtr device = bus.plug();
    g_presenter.SetNotifyTimerCtrl(timer);
    g_presenter.SetTimingForTest(enumSleepMs, LumivandrexPresenter::kBusyTimeoutMs);
    return g_presenter.Init() ? device : nullptr;
}

void StopPresenter()
{
    g_presenter.Exit();
    lvemu::EmulatedBus::instance().unplugAll();
}

// Brings the device into the state of the argument before a measured operation.
// The poll tries a silent device only after a poll interval free of it: wait that long.
void Prepare(lvemu::EmulatedDevice &device, int state)
{
    device.setUnanswering(false);
    QThread::msleep(LumivandrexPresenter::kNotifyIntervalMs);
    g_presenter.OnTimeout();   // answered: the device layer knows it as answering
    device.setUnanswering(state != 0);
    if (state == 2)
        g_presenter.OnTimeout();   // one transfer times out
    device.clearTransfers();
}

template <typename Operation>
void Blocked(benchmark::State &state, Operation operation)
{
    static pagebench::NoTimer timer;
    const DevicePtr device = StartPresenter(&timer);
    if (!device) {
        state.SkipWithError("no emulated device");
        return;
    }
    g_presenter.SetCurrentIndex(0, false);
    {
        PropertyPage pages;
        pages.ReloadTabWidget(true);
        for (auto _ : state) {
            state.PauseTiming();
            Prepare(*device, int(state.range(0)));
            state.ResumeTiming();
            operation(pages);
        }
        state.counters["transfers"] = device->transferCount();   // of the last operation
    }
    device->setUnanswering(false);
    StopPresenter();
}

void BM_Reload(benchmark::State &state)
{
    Blocked(state, [](PropertyPage &pages) { pages.ReloadTabWidget(true); });
}
BENCHMARK(BM_Reload)->Arg(0)->Arg(1)->Arg(2)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Report(benchmark::State &state)
{
    Blocked(state, [](PropertyPage &pages) { benchmark::DoNotOptimize(pages.ExportInfo()); });
}
BENCHMARK(BM_Report)->Arg(0)->Arg(1)->Arg(2)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Poll(benchmark::State &state)
{
    Blocked(state, [](PropertyPage &) { g_presenter.OnTimeout(); });
}
BENCHMARK(BM_Poll)->Arg(0)->Arg(1)->Arg(2)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_IdleLogLines(benchmark::State &state)
{
    lvbench::FileLog log;
    static pagebench::NoTimer timer;
    if (!StartPresenter(&timer, LumivandrexPresenter::kEnumSleepMs)) {
        state.SkipWithError("no emulated device");
        return;
    }
    g_presenter.SetCurrentIndex(0, true);
    long lines = 0;
    for (auto _ : state) {
        const long before = log.Lines();
        for (int tick = 0; tick < 60 * 1000 / LumivandrexPresenter::kNotifyIntervalMs; ++tick) {
            QEventLoop loop;   // the main window's timer: a poll every 400 ms
            QTimer::singleShot(LumivandrexPresenter::kNotifyIntervalMs, &loop, &QEventLoop::quit);
            loop.exec();
            g_presenter.OnTimeout();
        }
        lines += log.Lines() - before;
    }
    state.counters["lines_per_minute"] = double(lines) / double(state.iterations());
    StopPresenter();
}
BENCHMARK(BM_IdleLogLines)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace

LV_PAGE_BENCH_MAIN()
