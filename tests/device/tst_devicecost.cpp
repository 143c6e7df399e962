// A device that stops answering costs one time-out per reload, report or poll, its unplug
// ends a request in flight, and idle and flashing add only milestones to the file log.
#include "lvemulatortest.h"

#include <QCheckBox>
#include <QLabel>
#include <QTemporaryDir>

#include <thread>

#include "device/cfirmwareflasher.h"
#include "device/reportaccess.h"
#include "logging/lvlogger.h"
#include "lvtestfiles.h"
#include "shell/lumivandrexutility.h"
#include "settingspages/wtabpagevideo.h"
#include "settingspages/wtabpagevolume.h"
#include "shell/propertypage.h"
#include "shell/settingsbar.h"
#include "shell/wtabwidget.h"
#include "statuspages/wtabpageinfo.h"
#include "statuspages/wtabpageinput.h"
#include "toolkit/qwrapperslider.h"
#include "toolkit/wcombobox.h"
#include "tst_lumivandrexpresenter_support.h"

struct Window : LumivandrexUtility {   // as main() builds it: its event loop selects and polls
    Window() : LumivandrexUtility(nullptr) { g_presenter.SetNotifyTimerCtrl(this), show(); }
    ~Window() override { g_presenter.SetNotifyTimerCtrl(nullptr); }
    int tabs() const { return GetPropertyPage()->GetTabWidget()->count(); }
};

// No freeze of the event loop within `ms` waits for more than one request of the silent
// device, each a whole time-out: its requests during stalls over 200 ms, joined across < 50 ms free.
static void verifyOneTimeOutPerFreeze(const lvemu::EmulatedDevice &dev, qint64 ms)
{
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0, end = -1000;
    int joined = 0, most = 0;
    for (; last < ms; last = clock.elapsed()) {
        const int before = dev.transferCount();
        QTest::qWait(1);
        if (clock.elapsed() - last > 200) {
            joined = (last - end < 50 ? joined : 0) + dev.transferCount() - before;
            most = std::max(most, joined);
            end = clock.elapsed();
        }
    }
    QVERIFY2(most <= 1, qPrintable(QString("%1 time-outs in one freeze").arg(most)));
}

class TstDeviceCost : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    std::shared_ptr<lvemu::EmulatedDevice> m_dev = lvemu::EmulatedBus::instance().plug();

    template <typename Record> Record record(int index = 0) { return m_dev->record<Record>(ReportIdOf<Record>(index)); }
    // Values the pages show that a failed read would change, and what the device's records say.
    QStringList shown(Window &w)
    {
        PropertyPage *p = w.GetPropertyPage();
        const QStringList info = p->GetInfoPage()->GetValues();
        return {QString::number(w.tabs()), info.value(7), info.value(8),
                p->GetVideoPage()->findChild<QLabel *>("captureFormat")->text().section(',', 0, 0),
                QString::number(p->GetVideoPage()->findChild<QComboBox *>("deinterlace")->currentIndex()),
                QString::number(p->GetInputPage()->GetVideoCombo()->count()),
                QString::number(p->GetVolumePage()->findChildren<QWrapperSlider *>().size())};
    }
    QStringList expected()
    {
        const quint32 features = record<_KVCAP_FEATURE_FLAGS>().features;
        const _KVCAP_DEVICE_CAPS caps = record<_KVCAP_DEVICE_CAPS>();
        const _KVCAP_VIDEO_CONNECTION_FORMAT stream = record<_KVCAP_VIDEO_CONNECTION_FORMAT>();
        const quint32 nodes = features & KVCAP_FEATURE_VOLUME ? record<_KVCAP_AUDIO_NODE_MASK>().mask : 0;
        return {QString::number(4 + qPopulationCount(features & 7)), QString("USB %1.0").arg(record<_KVCAP_USB_INFO>().usbSpeed),
                QString("%1x%2 Pixels").arg(caps.maxInputWidth).arg(caps.maxInputHeight),
                QString("%1x%2").arg(stream.cx).arg(stream.cy),
                QString::number(record<_KVCAP_VIDEO_PROCESS_SETTINGS>().deinterlace),
                QString::number(record<_KVCAP_INPUT_SOURCE_LIST>(KvVideoSourceList).count),
                QString::number(qPopulationCount(nodes))};
    }

    int m_logStart = 0;   // lines the log had when the function started
    int lines(const char *text = "")   // since then, once the records queued by other threads arrived
    {
        QCoreApplication::processEvents();
        return lvtest::readLines(m_dir.filePath("lv.log")).mid(m_logStart).filter(text).size();
    }
    bool tickUntilAnswering()   // as the window's timer ticks, until the program knows the device answers
    {
        for (int tick = 0; tick < 40 && !LockedInstance(g_presenter).device()->IsAnswering(); ++tick)
            QTest::qWait(LumivandrexPresenter::kNotifyIntervalMs), g_presenter.OnTimeout();
        return LockedInstance(g_presenter).device()->IsAnswering();
    }
    QAbstractButton *flip(Window &w) { return w.GetPropertyPage()->GetVideoPage()->findChild<QWidget *>("flip")->findChild<QCheckBox *>(); }

private slots:
    void initTestCase()
    {
        lvlogger::SetLogLevelDebug();   // as the program: file sink, levels 0 to 5
        lvlogger::LvLogger::createInstance(this)->setLogLevels_file(lvlogger::ENABLE_LOG_LEVELS);
        QVERIFY(lvlogger::LvLogger::getInstance()->setLogFileName(m_dir.filePath("lv.log"), 1 << 24, 2));
        QVERIFY(g_presenter.Init());
        g_presenter.SetCurrentIndex(0, false);
    }
    // Whatever ran before: the device plugged, selected, answering and known to answer.
    void init()
    {
        if (!m_dev->present())
            m_dev = lvemu::EmulatedBus::instance().plug();
        QVERIFY(g_presenter.GetDeviceCount() > 0 || g_presenter.Init());
        m_dev->clearFaults();
        g_presenter.SetCurrentIndex(0, true);
        QVERIFY(LockedInstance(g_presenter).device()->IsAnswering());
        m_dev->clearTransfers();
        m_logStart = lvtest::readLines(m_dir.filePath("lv.log")).size();
    }

    void hungDeviceCostsOneTimeOut()
    {
        PropertyPage pages;
        const std::function<void()> operations[] = {[&] { pages.ReloadTabWidget(true); },
                                                    [&] { pages.ExportInfo(); }, [] { g_presenter.OnTimeout(); }};
        for (const std::function<void()> &operation : operations) {
            m_dev->setUnanswering(false);
            QVERIFY(tickUntilAnswering());
            m_dev->setUnanswering(true);
            m_dev->clearTransfers();
            operation();
            QCOMPARE(m_dev->transferCount(), 1);   // one time-out: the rest were refused without reaching it
        }
        QThread::msleep(1200), g_presenter.OnTimeout();   // still silent; the window busy past the time-out:
        QCOMPARE(m_dev->transferCount(), 1);   // its first tick, however late, only starts
        QTest::qWait(LumivandrexPresenter::kNotifyIntervalMs);   // an interval free of it
        g_presenter.OnTimeout();
        QCOMPARE(m_dev->transferCount(), 2);
        QTest::qWait(200), g_presenter.OnTimeout();   // free a moment after that try, then busy:
        QThread::msleep(1200), g_presenter.OnTimeout();   // the wait of two intervals starts again
        QCOMPARE(m_dev->transferCount(), 2);
        for (int tick = 0; tick < 2; ++tick)
            QTest::qWait(LumivandrexPresenter::kNotifyIntervalMs), g_presenter.OnTimeout();
        QCOMPARE(m_dev->transferCount(), 3);
        m_dev->setUnanswering(false), g_presenter.OnTimeout();
        LockedInstance current(g_presenter);
        const _KVCAP_NOTIFY_ENABLE enable{0, KVCAP_NOTIFY_MASK};
        QVERIFY(!WriteReport(current.device(), enable));   // refused at once until the next try,
        QVERIFY(tickUntilAnswering());                     // which finds it answering again
        QVERIFY(WriteReport(current.device(), enable));
        QCOMPARE(m_dev->transferCount(), 5);
        QCOMPARE(lines("stopped answering"), 3);   // once each time, though dozens of reads failed
        QCOMPARE(lines("answers again"), 3);
    }

    void idleAndFlashingLogOnlyMilestones()
    {
        const int before = lines();
        for (int tick = 0; tick < 8; ++tick) {   // 3.2 s idle, real intervals
            QTest::qWait(LumivandrexPresenter::kNotifyIntervalMs);
            g_presenter.OnTimeout();
        }
        QCOMPARE(lines(), before);
        prestest::FirmwareImage image;
        image.add("Main.App", lvemu::kFlashMainSection, 16384);
        int status = 0, percent = 0;
        g_presenter.Upgrade(*LockedInstance(g_presenter).get(), &image.header, image.sections(), &status, &percent, true);
        QCOMPARE(status, int(KV_UPGRADE_SUCCESS));
        QCOMPARE(lines() - before, 4);   // start, section, verify, end: no line per transfer
    }

    // Idle, a reload or the report meeting a fresh hang: one time-out at a time.
    void silentDeviceFreezesTheWindowOnceAtATime()
    {
        const std::function<void(PropertyPage *)> actions[] = {[](PropertyPage *) {},
            [](PropertyPage *p) { p->ReloadTabWidget(true); }, [](PropertyPage *p) { p->ExportInfo(); }};
        for (const std::function<void(PropertyPage *)> &action : actions) {
            m_dev->setUnanswering(false);
            Window window;
            QTRY_VERIFY(window.IsNotifyTimerRunning());
            m_dev->setUnanswering(true);
            QTimer::singleShot(0, [&] { action(window.GetPropertyPage()); });
            verifyOneTimeOutPerFreeze(*m_dev, 5000);
        }
    }

    // Silent at its selection: tried with the enable write alone, and reloaded once it answers.
    void silentAtSelectionIsFoundWhenItAnswers()
    {
        g_presenter.SetCurrentIndex(-1, false);   // the window's own selection is the first try
        m_dev->setUnanswering(true);
        m_dev->clearTransfers();
        Window window;
        QTRY_VERIFY_WITH_TIMEOUT(m_dev->transferCount() >= 2, 30000);   // the selection's try and the poll's
        const std::vector<lvemu::TransferRecord> tries = m_dev->transfers();
        QVERIFY(window.IsNotifyTimerRunning() && window.tabs() == 4);
        const auto notEnable = [](const lvemu::TransferRecord &t) { return t.id != 7; };
        QVERIFY(std::none_of(tries.begin(), tries.end(), notEnable));
        // Nothing read is shown as unknown, not as "Not present", "USB 0.0" or "0x0 Pixels".
        QCOMPARE(window.GetPropertyPage()->GetInfoPage()->GetValues().mid(5), QVector<QString>(5).toList());
        m_dev->setUnanswering(false);
        QTRY_COMPARE_WITH_TIMEOUT(shown(window), expected(), 15000);   // report 7 first, then the poll's 8
        const std::vector<lvemu::TransferRecord> all = m_dev->transfers();
        const auto first = std::find_if(all.begin(), all.end(), notEnable);
        QVERIFY(first != all.end() && first->id == 8 && first - all.begin() > std::ptrdiff_t(tries.size()));
    }

    // Silent while current, during the reads of a notification, after Reset to Defaults or
    // right after the selection's report 7: once it answers the pages show what it holds,
    // with nothing written. A hiccup that failed no read of theirs reloads nothing.
    void currentDeviceAnsweringAgainIsReadAgain()
    {
        using Hang = std::function<bool(const lvemu::TransferRecord &)>;
        const Hang afterNotify = [](const lvemu::TransferRecord &t) { return t.id == 8; };   // the one with the bits
        const Hang afterEnable = [](const lvemu::TransferRecord &t) { return t.id == 7; };
        const std::function<void(Window &)> silences[] = {
            [&](Window &) { m_dev->setNotifyBits(0x4), m_dev->setUnansweringAfter(afterNotify); },
            [&](Window &w) { m_dev->setUnanswering(true), emit w.GetSettingsBar()->defaultBtnClicked(); },
            [&](Window &) {}, [&](Window &) { m_dev->setUnanswering(true); }};
        for (int i = 0; i < 4; ++i) {
            m_dev->clearFaults();
            m_dev->setUnansweringAfter(i == 2 ? afterEnable : nullptr);
            Window window;
            QTRY_VERIFY(window.IsNotifyTimerRunning());
            if (i != 2)
                QTRY_COMPARE_WITH_TIMEOUT(shown(window), expected(), 5000);
            silences[i](window);
            QTest::qWait(kHidTransferTimeoutMs + 500);   // the first transfer times out, the rest fail at once
            QCOMPARE(shown(window) == expected(), i == 3);
            m_dev->clearTransfers();
            m_dev->setUnanswering(false);
            QTRY_VERIFY_WITH_TIMEOUT(m_dev->transferCount() > 0, 15000);   // the poll found it answering
            QTRY_COMPARE(shown(window), expected());
            QTest::qWait(2 * LumivandrexPresenter::kNotifyIntervalMs);   // a reload would have run by now
            const std::vector<lvemu::TransferRecord> after = m_dev->transfers();
            QVERIFY(std::none_of(after.begin(), after.end(), [](const lvemu::TransferRecord &t) {
                return t.direction == lvemu::TransferRecord::Set; }));
            const bool onlyPolls = std::all_of(after.begin(), after.end(), [](const lvemu::TransferRecord &t) { return t.id == 8; });
            QCOMPARE(onlyPolls, i == 3);
        }
    }

    // Refuses report 7, so nothing polls it; silent from the pages' first read on, or later:
    // meanwhile a change fails at once and shows the device's value again, and the ticks
    // find it answering by themselves; then the pages read it again and the change is written.
    void unpolledDeviceIsFoundWhenItAnswers_data()
    {
        QTest::addColumn<bool>("atSelection");
        QTest::newRow("pages read while silent") << true;
        QTest::newRow("silent later") << false;
    }
    void unpolledDeviceIsFoundWhenItAnswers()
    {
        QFETCH(bool, atSelection);
        g_presenter.SetCurrentIndex(-1, false);   // selected by the window, report 7 refused
        m_dev->stallReport(7);
        m_dev->setUnansweringAfter([atSelection](const lvemu::TransferRecord &) { return atSelection; });
        Window window;
        QTRY_VERIFY(window.IsNotifyTimerRunning());
        QTRY_COMPARE_WITH_TIMEOUT(shown(window) == expected(), !atSelection, 5000);
        m_dev->setUnanswering(true);
        for (int click = 0; click < 4 && !atSelection; ++click) {
            QTest::qWait(click ? 500 : kHidTransferTimeoutMs);
            m_dev->clearTransfers();
            flip(window)->click();
            QCOMPARE(m_dev->transferCount(), click ? 0 : 1);   // the first times out; the poll tries it
            QCOMPARE(flip(window)->isChecked(), bool(record<_KVCAP_VIDEO_PROCESS_SETTINGS>().flags & 1));
        }
        QVERIFY(atSelection != flip(window)->isEnabled());
        m_dev->setUnansweringAfter(nullptr), m_dev->setUnanswering(false);
        m_dev->clearTransfers();
        QTRY_VERIFY_WITH_TIMEOUT(m_dev->transferCount() > 1, 15000);   // the tick's try, no user action, and the reload
        QCOMPARE(int(m_dev->transfers().front().id), 8);
        QTRY_COMPARE(shown(window), expected());
        flip(window)->click();
        QTRY_COMPARE(m_dev->transfers().back().direction, lvemu::TransferRecord::Set);
    }

    // A page waits for the hung device when it is unplugged: as the kernel, the unplug ends
    // the request; the device leaves the list and Exit does not wait.
    void hungThenUnpluggedEndsAtOnce()
    {
        m_dev->setUnanswering(true);
        m_dev->clearTransfers();
        _KVCAP_DEVICE_INFO info;
        bool read = true;
        std::thread page([&] { read = ReadReport(LockedInstance(g_presenter).device(), info); });
        QVERIFY(prestest::waitUntil([&] { return m_dev->transferCount() > 0; }, 5000));
        QElapsedTimer clock;
        clock.start();
        lvemu::EmulatedBus::instance().unplug(m_dev);
        QVERIFY(prestest::waitUntil([] { return g_presenter.GetDeviceCount() == 0; }, 5000));
        page.join();
        g_presenter.Exit();
        QVERIFY(!read && clock.elapsed() < kHidTransferTimeoutMs / 2);
    }
};

LV_EMULATED_QTEST_MAIN(TstDeviceCost)
#include "tst_devicecost.moc"
