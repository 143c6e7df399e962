// Presenter costs against the emulated device:
//  * flashing a 1 MiB image (bytes per second, USB transfers per KiB, lines it adds to the
//    program's file log);
//  * one idle enumeration cycle with one device attached (CPU time on the calling
//    thread, which is what the enumeration thread spends every 400 ms).
// Run by hand: ./build/bench/bench_presenter (or build/bench_presenter).

#include <benchmark/benchmark.h>

#include <QMutexLocker>

#include <cstring>
#include <vector>

#include "benchfilelog.h"
#include "device/lumivandrexpresenter.h"
#include "emulatedbenchmain.h"

class LumivandrexPresenterProbe
{
public:
    static void RunCycle(LumivandrexPresenter &presenter) { presenter.RunEnumerationCycle(); }
};

namespace {

constexpr int kHoursMs = 3600 * 1000;   // keeps the presenter's own thread asleep

tagDEVICE_INSTANCE currentInstance(LumivandrexPresenter &presenter)
{
    QMutexLocker locker(&presenter.GetLock()->m_mutex);
    tagDEVICE_INSTANCE *instance = presenter.GetCurrentInstance();
    return instance ? *instance : tagDEVICE_INSTANCE();
}

void BM_Flash1MiB(benchmark::State &state)
{
    auto &bus = lvemu::EmulatedBus::instance();
    bus.unplugAll();
    auto dev = bus.plug();
    LumivandrexPresenter presenter;
    presenter.SetTimingForTest(kHoursMs, LumivandrexPresenter::kBusyTimeoutMs);
    if (!presenter.Init()) {
        state.SkipWithError("no emulated device");
        return;
    }
    presenter.SetCurrentIndex(0, false);

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

    const tagDEVICE_INSTANCE instance = currentInstance(presenter);
    int status = 0, percent = 0;
    long transfers = 0;
    lvbench::FileLog log;
    const long linesBefore = log.Lines();
    for (auto _ : state) {
        dev->clearTransfers();
        presenter.Upgrade(instance, &header, sections, &status, &percent, true);
        transfers += dev->transferCount();
        if (status != 7) {
            state.SkipWithError("flashing failed");
            break;
        }
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kSize);
    state.counters["transfers_per_KiB"] =
        benchmark::Counter(double(transfers) / double(state.iterations()) / (kSize / 1024.0));
    state.counters["log_lines"] = double(log.Lines() - linesBefore) / double(state.iterations());
    presenter.Exit();
    bus.unplugAll();
}
BENCHMARK(BM_Flash1MiB)->Unit(benchmark::kSecond)->Iterations(2)->UseRealTime();

void BM_IdleEnumerationCycle(benchmark::State &state)
{
    auto &bus = lvemu::EmulatedBus::instance();
    bus.unplugAll();
    bus.plug();
    LumivandrexPresenter presenter;
    presenter.SetTimingForTest(kHoursMs, LumivandrexPresenter::kBusyTimeoutMs);
    if (!presenter.Init()) {
        state.SkipWithError("no emulated device");
        return;
    }
    for (auto _ : state)
        LumivandrexPresenterProbe::RunCycle(presenter);
    if (presenter.GetDeviceCount() != 1)
        state.SkipWithError("device list changed during an idle cycle");
    presenter.Exit();
    bus.unplugAll();
}
BENCHMARK(BM_IdleEnumerationCycle)->Unit(benchmark::kMicrosecond);

} // namespace

LV_EMULATED_BENCHMARK_MAIN()
