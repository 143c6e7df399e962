// What the device layer costs the GUI thread and the log, against the emulated device:
//  * BM_Reload, BM_Report, BM_Poll: the time the GUI thread is blocked by a full reload of
//    the pages, the HTML report's body and one notification poll. Arg 0: the device
//    answers (the reference); 1: it has just stopped answering; 2: a transfer to it has
//    already timed out (the next poll has not tried it yet).
//  * BM_IdleLogLines: lines the real logger's file sink gets in one minute, idle with one
//    device (real enumeration and poll intervals).
//  * BM_Flash1MiBLogLines: lines the same sink gets from flashing a 1 MiB image.
// Run by hand: ./build/bench/bench_devicecost (the hung cases take seconds each).

#include <benchmark/benchmark.h>

#include <QDir>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <cstring>
#include <vector>

#include "device/cfirmwareflasher.h"
#include "device/lumivandrexpresenter.h"
#include "logging/lvlogger.h"
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
void Prepare(lvemu::EmulatedDevice &device, int state)
{
    device.setUnanswering(false);
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

// The program's logger set-up: file sink only, levels 0 to 5, in a temporary folder.
struct FileLog {
    FileLog()
    {
        using namespace lvlogger;
        LvLogger *logger = LvLogger::createInstance(nullptr);
        logger->setLogFormat_file(QStringLiteral("<TS> [<LL>] <TEXT> [<FUNC>@<FILE>:<LINE>]"),
                                  QStringLiteral("<TS> [<LL>] <TEXT>"));
        SetLogLevelDebug();
        logger->setLogLevels_file(ENABLE_LOG_LEVELS);
        logger->setLogFileName(dir.filePath(QStringLiteral("LumivandrexUtility.log")), 10485760, 10);
    }
    ~FileLog() { delete lvlogger::LvLogger::getInstance(); }

    // Lines in the log file and its rolled copies, after the queued records arrived.
    long Lines()
    {
        QCoreApplication::processEvents();
        long lines = 0;
        for (const QFileInfo &info : QDir(dir.path()).entryInfoList(QDir::Files)) {
            QFile file(info.filePath());
            if (file.open(QIODevice::ReadOnly))
                lines += file.readAll().count('\n');
        }
        return lines;
    }

    QTemporaryDir dir;
};

void BM_IdleLogLines(benchmark::State &state)
{
    FileLog log;
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

void BM_Flash1MiBLogLines(benchmark::State &state)
{
    FileLog log;
    static pagebench::NoTimer timer;
    if (!StartPresenter(&timer)) {
        state.SkipWithError("no emulated device");
        return;
    }
    g_presenter.SetCurrentIndex(0, false);
    constexpr uint32_t kSize = 1024 * 1024;
    _KV_FIRMWARE_HEADER header;
    std::memset(&header, 0, sizeof(header));
    std::memcpy(header.magic, "KVFH", 4);
    header.sectionCount = 1;
    header.headerLength = KV_FIRMWARE_FIXED_HEADER_SIZE + KV_FIRMWARE_SECTION_RECORD_SIZE;
    std::memcpy(header.sections[0].name, "Main.App", 8);
    header.sections[0].address = 0x200000;
    header.sections[0].size = kSize;
    std::vector<unsigned char> data(kSize);
    for (uint32_t i = 0; i < kSize; ++i)
        data[i] = uint8_t(i * 7 + (i >> 11));
    unsigned char *sections[1] = {data.data()};
    tagDEVICE_INSTANCE instance;
    {
        LockedInstance current(g_presenter);
        instance = *current.get();
    }
    long lines = 0;
    for (auto _ : state) {
        const long before = log.Lines();
        int status = 0, percent = 0;
        g_presenter.Upgrade(instance, &header, sections, &status, &percent, true);
        lines += log.Lines() - before;
        if (status != KV_UPGRADE_SUCCESS)
            state.SkipWithError("flashing failed");
    }
    state.counters["lines"] = double(lines) / double(state.iterations());
    instance = tagDEVICE_INSTANCE();
    StopPresenter();
}
BENCHMARK(BM_Flash1MiBLogLines)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace

LV_PAGE_BENCH_MAIN()
