// Hot-plug stress: many plug/unplug cycles while the enumeration thread runs, one
// thread does transfers under the presenter lock like a page does, and another keeps
// registering and removing listeners. Meant to run under ThreadSanitizer as well
// (the cycle count comes from LV_STRESS_CYCLES).

#include "lvemulatortest.h"

#include <atomic>
#include <random>
#include <thread>

#include "device/lumivandrexpresenter.h"
#include "tst_lumivandrexpresenter_support.h"

using namespace prestest;
using lvemu::EmulatedBus;

class TstPresenterStress : public QObject
{
    Q_OBJECT

private slots:
    void hotPlugWhileTransferring();
};

void TstPresenterStress::hotPlugWhileTransferring()
{
    const int cycles = qEnvironmentVariableIsSet("LV_STRESS_CYCLES")
                           ? qEnvironmentVariableIntValue("LV_STRESS_CYCLES")
                           : 40;
    EmulatedBus &bus = EmulatedBus::instance();
    bus.unplugAll();

    LumivandrexPresenter presenter;
    FakeTimerCtrl timer;
    presenter.SetNotifyTimerCtrl(&timer);
    presenter.SetTimingForTest(1, 200);
    Recorder steady("steady");
    presenter.AddNotify(&steady);
    presenter.Init();

    std::atomic<bool> stop{false};
    std::atomic<int> goodReads{0}, failedReads{0};

    // A page: select the first device when none is current, read reports from it.
    std::thread page([&] {
        unsigned char info[224];
        while (!stop) {
            {
                QMutexLocker locker(&presenter.GetLock()->m_mutex);
                if (presenter.GetCurrentIndex() < 0 && presenter.GetDeviceCount() > 0)
                    presenter.SetCurrentIndex(0, false);
                if (LumivandrexDevice *dev = presenter.GetCurrentDevice()) {
                    const bool ok = HidGetReport(dev, 0x01, info, sizeof(info));
                    (ok ? goodReads : failedReads)++;
                    tagDEVICE_INSTANCE copy = *presenter.GetCurrentInstance();
                    Q_UNUSED(copy)
                }
            }
            std::this_thread::yield();
        }
    });

    // Dialogs coming and going on another thread while fan-outs run.
    std::thread dialogs([&] {
        while (!stop) {
            Recorder transient("transient");
            presenter.AddNotify(&transient);
            std::this_thread::sleep_for(std::chrono::microseconds(200));
            presenter.DeleteNotify(&transient);
        }
    });

    // Every cycle plugs one device and usually unplugs one. At most four are plugged
    // at a time, so an address the bus hands out again (after 126 plugs) belongs to a
    // device that left long before.
    //
    // Plugging happens while the presenter lock is held, so the enumeration thread
    // never looks at a device the emulated bus is still setting up (its device node
    // appears a moment after its sysfs entry, and a transfer in that window can leave
    // the node unanswered for good). Unplugging happens at any moment, also in the
    // middle of a transfer. LV_STRESS_RAW_PLUG=1 plugs without the lock.
    const bool rawPlug = qEnvironmentVariableIntValue("LV_STRESS_RAW_PLUG") == 1;
    auto plugOne = [&] {
        if (rawPlug)
            return bus.plug();
        QMutexLocker locker(&presenter.GetLock()->m_mutex);
        return bus.plug();
    };
    std::mt19937 random(12345);
    std::vector<std::shared_ptr<lvemu::EmulatedDevice>> plugged;
    for (int cycle = 0; cycle < cycles; ++cycle) {
        plugged.push_back(plugOne());
        std::this_thread::sleep_for(std::chrono::milliseconds(random() % 4));
        if (plugged.size() > 3 || random() % 4 != 0) {
            const size_t victim = random() % plugged.size();
            bus.unplug(plugged[victim]);
            plugged.erase(plugged.begin() + long(victim));
        }
        presenter.SetUIChanged(cycle % 2 == 0, _UI_CHANGE_TYPE(cycle % 3));
        std::this_thread::sleep_for(std::chrono::milliseconds(random() % 4));
    }
    const size_t expected = plugged.size();
    QVERIFY(waitUntil([&] { return presenter.GetDeviceCount() == int(expected); }, 10000));
    bus.unplugAll();
    QVERIFY(waitUntil([&] { return presenter.GetDeviceCount() == 0; }, 10000));
    QVERIFY(waitUntil([&] { return presenter.GetCurrentIndex() == -1; }, 10000));

    stop = true;
    page.join();
    dialogs.join();
    presenter.Exit();

    QVERIFY2(goodReads > 0, "the page never reached a device");
    const QStringList calls = steady.calls();
    QVERIFY(calls.contains("Lost(0)") || calls.contains("Lost(1)"));
    qInfo("%d cycles, %d reads ok, %d failed, %d notifications", cycles, goodReads.load(), failedReads.load(),
          int(calls.size()));
}

LV_EMULATED_QTEST_MAIN(TstPresenterStress)
#include "tst_lumivandrexpresenter_stress.moc"
