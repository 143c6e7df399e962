// Flashing a 1 MiB firmware file end to end against the emulated device: the file
// reader with its checks, then the flashing thread; beside it the USB transfers
// one run needed. The reader alone is measured too.
// Run by hand: ./build/bench/bench_updateflash

#include <benchmark/benchmark.h>

#include <QFile>
#include <QMutexLocker>
#include <QTemporaryDir>

#include "../../tests/update/kvffile.h"
#include "emulatedbenchmain.h"
#include "update/cupgradefirmware.h"

namespace {

constexpr uint32_t kSize = 1024 * 1024;

struct Setup
{
    Setup()
    {
        dev = lvemu::EmulatedBus::instance().plug();
        g_presenter.SetTimingForTest(3600 * 1000, LumivandrexPresenter::kBusyTimeoutMs);
        ready = g_presenter.Init();
        g_presenter.SetCurrentIndex(0, false);
        {
            QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
            if (ready)
                instance = *g_presenter.GetCurrentInstance();
        }
        prestest::FirmwareImage image = imageFor(*dev, 0x00010002);
        image.add("Main.App", 0x200000, kSize);
        path = dir.filePath("bench.kvf");
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        const std::vector<unsigned char> header = image.headerBytes();
        file.write(reinterpret_cast<const char *>(header.data()), int(header.size()));
        file.write(reinterpret_cast<const char *>(image.data[0].data()), kSize);
    }
    ~Setup() { g_presenter.Exit(); }

    std::shared_ptr<lvemu::EmulatedDevice> dev;
    bool ready = false;
    tagDEVICE_INSTANCE instance;
    QTemporaryDir dir;
    QString path;
};

void BM_ReadAndCheck1MiB(benchmark::State &state)
{
    Setup setup;
    for (auto _ : state) {
        CUpgradeFirmware upgrade;
        if (!upgrade.Init(setup.instance, setup.path.toLocal8Bit()))
            state.SkipWithError("file refused");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kSize);
}
BENCHMARK(BM_ReadAndCheck1MiB)->Unit(benchmark::kMillisecond);

void BM_FlashFile1MiB(benchmark::State &state)
{
    Setup setup;
    long transfers = 0;
    for (auto _ : state) {
        setup.dev->clearTransfers();
        CUpgradeFirmware upgrade;
        if (!upgrade.Init(setup.instance, setup.path.toLocal8Bit())) {
            state.SkipWithError("file refused");
            break;
        }
        upgrade.start();
        upgrade.wait();
        int status = 0, progress = 0;
        upgrade.GetStatus(status, progress);
        transfers += setup.dev->transferCount();
        if (status != KV_UPGRADE_SUCCESS) {
            state.SkipWithError("flashing failed");
            break;
        }
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kSize);
    state.counters["transfers"] = benchmark::Counter(double(transfers) / double(state.iterations()));
}
BENCHMARK(BM_FlashFile1MiB)->Unit(benchmark::kSecond)->Iterations(2)->UseRealTime();

} // namespace

LV_EMULATED_BENCHMARK_MAIN()
