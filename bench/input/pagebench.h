#pragma once
// A page's full reload against the emulated device with its stock content: the time of
// one InitPage and the transfers it makes, counted by report id from the device's log
// (benchmark counters "get 0xNN" / "set 0xNN" per reload), also printed once as a line.
//
//     LV_PAGE_RELOAD_BENCH(WTabPageInput)

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QThread>

#include <cstdio>
#include <map>

#include "device/lumivandrexpresenter.h"
#include "emulatedbus.h"

namespace pagebench {

struct NoTimer : INotifyTimerCtrl {
    void startNotifyTimer(int, INotifyTimerCallback*) override {}
    void stopNotifyTimer() override {}
};

inline bool WaitForOneDevice()
{
    for (int i = 0; i < 800 && g_presenter.GetDeviceCount() != 1; ++i) {
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
    return g_presenter.GetDeviceCount() == 1;
}

template <typename Page>
void Reload(benchmark::State& state, const char* name)
{
    // Benchmark calls this more than once; one device and one presenter serve every call.
    static NoTimer timer;
    static std::shared_ptr<lvemu::EmulatedDevice> dev;
    if (!dev) {
        dev = lvemu::EmulatedBus::instance().plug();
        g_presenter.SetNotifyTimerCtrl(&timer);
        g_presenter.Init();
    }
    if (!WaitForOneDevice()) {
        state.SkipWithError("no emulated device");
        return;
    }
    g_presenter.SetCurrentIndex(0, false);
    Page page;
    for (auto _ : state) {
        dev->clearTransfers();
        page.InitPage(0, false);
    }
    std::map<std::string, int> counts;
    int total = 0;
    for (const lvemu::TransferRecord& t : dev->transfers()) {
        char key[16];
        std::snprintf(key, sizeof key, "%s 0x%02X", t.direction == lvemu::TransferRecord::Set ? "set" : "get", t.id);
        ++counts[key];
        ++total;
    }
    std::printf("%s full reload: %d transfers:", name, total);
    for (const auto& entry : counts) {
        state.counters[entry.first] = entry.second;
        std::printf(" %s x%d", entry.first.c_str(), entry.second);
    }
    std::printf("\n");
}

} // namespace pagebench

#define LV_PAGE_RELOAD_BENCH(Page)                                                                 \
    static void BM_##Page##Reload(benchmark::State& state) { pagebench::Reload<Page>(state, #Page); } \
    BENCHMARK(BM_##Page##Reload)->Unit(benchmark::kMillisecond);                                   \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        lvemu::ensurePreload(argc, argv);                                                          \
        lvemu::EmulatedBus::instance();                                                            \
        qputenv("QT_QPA_PLATFORM", "offscreen");                                                   \
        int result = 0;                                                                            \
        {                                                                                          \
            QApplication app(argc, argv);                                                          \
            benchmark::Initialize(&argc, argv);                                                    \
            result = benchmark::ReportUnrecognizedArguments(argc, argv) ? 1 : 0;                   \
            if (result == 0)                                                                       \
                benchmark::RunSpecifiedBenchmarks();                                               \
            benchmark::Shutdown();                                                                 \
            g_presenter.Exit();                                                                    \
        }                                                                                          \
        LumivandrexDevice::UnInitDevices();                                                        \
        lvemu::EmulatedBus::shutdown();                                                            \
        return result;                                                                             \
    }
