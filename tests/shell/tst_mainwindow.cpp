// The main window against the emulated device, built the way main() builds it:
// first device selection at start, tabs by feature flags, hot-plug, the
// device-lost box, the commit written at close, refused closes during a
// firmware upgrade, the tray menu, Escape/Ctrl+Tab and the shutdown order.

#include "emulatedbus.h"

#include "device/lumivandrexpresenter.h"
#include "logging/lvlogger.h"
#include <QLayout>  // used by lvtestsupport.h
#include "lvtestsupport.h"
#include "lvmainwindowrun.h"
#include "settingspages/wtabpagetiming.h"
#include "settingspages/wtabpagevolume.h"
#include "shell/aboutdialog.h"
#include "shell/lumivandrexutility.h"
#include "shell/propertypage.h"
#include "shell/titlebar.h"
#include "shell/wtabwidget.h"
#include "statuspages/wtabpageinfo.h"
#include "toolkit/cfocusmanager.h"
#include "toolkit/qwrappermsgbox.h"
#include "toolkit/wpushbutton.h"
#include "update/updatemanager.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QMenu>
#include <QMutexLocker>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>
#include <QtTest>

#include <cstring>
#include <functional>
#include <thread>

using lvemu::EmulatedBus;
using lvemu::EmulatedDevice;

namespace {

const quint64 kNotifyMask = 0x00FF01FF0003C07FULL;

QStringList tabTitles(LumivandrexUtility* window)
{
    QStringList titles;
    QTabWidget* tabs = window->GetPropertyPage()->GetTabWidget();
    for (int i = 0; i < tabs->count(); ++i)
        titles << tabs->tabText(i);
    return titles;
}

// Message boxes are run with exec() from slots, so the test answers them from
// a timer that fires inside their modal loop.
class BoxAnswerer : public QObject
{
public:
    using Answer = std::function<void(QWrapperMsgBox*)>;
    BoxAnswerer(const QString& objectName, Answer answer)
        : m_name(objectName), m_answer(std::move(answer))
    {
        connect(&m_timer, &QTimer::timeout, this, [this] { poll(); });
        m_timer.start(20);
    }
    int seen = 0;
    QString lastText;
    int lastHeight = 0;

private:
    void poll()
    {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QWrapperMsgBox*>(w);
            if (box && box->isVisible() && box->objectName() == m_name) {
                ++seen;
                lastText = box->GetText();
                lastHeight = box->height();
                m_answer(box);
                return;
            }
        }
    }
    QString m_name;
    Answer m_answer;
    QTimer m_timer;
};

int countSets(const std::shared_ptr<EmulatedDevice>& dev, uint8_t id)
{
    int n = 0;
    for (const auto& t : dev->transfers())
        n += (t.direction == lvemu::TransferRecord::Set && t.id == id && t.outcome == lvemu::TransferRecord::Ok);
    return n;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private:
    void startWindow()
    {
        QVERIFY(!m_window);
        m_window = lvtest::startMainWindow();
    }
    void stopWindow() { lvtest::stopMainWindow(m_window); }
    std::shared_ptr<EmulatedDevice> plugDevice(uint32_t features, const std::string& serial)
    {
        auto dev = EmulatedBus::instance().plug(lvusb::kVendorMain, lvusb::kProductMainSingle, serial);
        dev->setFeatureFlags(features);
        return dev;
    }

    LumivandrexUtility* m_window = nullptr;

private slots:
    void initTestCase()
    {
        QApplication::setQuitOnLastWindowClosed(false);
        EmulatedBus::instance();   // before libusb starts
    }

    void cleanup()
    {
        stopWindow();
        g_updateManager.setInitializedForTest(false);
        g_presenter.SetUIChanged(false, UI_CHANGE_IMMEDIATE);
        g_presenter.SetUIChangeType(UI_CHANGE_IMMEDIATE);
        EmulatedBus::instance().unplugAll();
    }

    void cleanupTestCase()
    {
        EmulatedBus::shutdown();
    }

    void startWithoutDeviceShowsOnlyInfo()
    {
        startWindow();
        QTRY_COMPARE(tabTitles(m_window), QStringList{QStringLiteral("Info")});
        QCOMPARE(g_presenter.GetCurrentIndex(), -1);
        QVERIFY(!m_window->IsNotifyTimerRunning());
        QVERIFY(!m_window->GetPropertyPage()->GetTabWidget()->isEnabled());
        // A device plugged in later becomes current through the same path.
        auto dev = plugDevice(0x7, "LATE0001");
        QTRY_COMPARE_WITH_TIMEOUT(g_presenter.GetCurrentIndex(), 0, 5000);
        QTRY_COMPARE(tabTitles(m_window).size(), 7);
        QTRY_VERIFY(m_window->IsNotifyTimerRunning());
    }

    void firstDeviceBecomesCurrentAtStart()
    {
        auto dev = plugDevice(0x7, "MAIN0001");
        startWindow();
        // The first pass of the loop selects device 0: report 7 with the mask, poll on.
        QTRY_COMPARE(g_presenter.GetCurrentIndex(), 0);
        QTRY_VERIFY(m_window->IsNotifyTimerRunning());
        QCOMPARE(dev->notifyEnableMask(), kNotifyMask);
        QCOMPARE(countSets(dev, 0x07), 1);
        QCOMPARE(tabTitles(m_window),
                 (QStringList{"Info", "Video", "Volume", "Input", "HDMI", "Timing", "Advanced"}));
        QVERIFY(m_window->GetPropertyPage()->GetTabWidget()->isEnabled());
        QVERIFY(m_window->GetTitleBar()->GetTitleText().contains(QStringLiteral("MAIN0001")));

        // The 400 ms poll really runs through the window's timer: a latched change
        // bit is read (and so cleared) by the device's next report 8.
        dev->setNotifyBits(0x10);
        QTRY_COMPARE_WITH_TIMEOUT(dev->pendingNotifyBits(), quint64(0), 3000);

        lvtest::saveScreenshot(m_window, QStringLiteral("shell2_mainwindow"));
    }

    void chineseTranslationReachesTheWindow()
    {
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(":/Trans/trans_zh"), QString(), QString(), QString()));
        QCoreApplication::installTranslator(&translator);
        auto dev = plugDevice(0x7, "ZHCN0001");
        startWindow();
        QTRY_COMPARE(tabTitles(m_window).size(), 7);
        const QStringList titles = tabTitles(m_window);
        QCoreApplication::removeTranslator(&translator);
        QCOMPARE(titles.first(), translator.translate("PropertyPage", "Info"));
        QVERIFY(titles.first() != QStringLiteral("Info"));
        QCOMPARE(m_window->GetTrayMenu()->actions().last()->text(), translator.translate("LumivandrexUtility", "Quit"));
        QTRY_VERIFY(m_window->GetTitleBar()->GetTitleText().contains(QStringLiteral("ZHCN0001")));
        QTest::qWait(100);   // let the title bar lay out its new text
        lvtest::saveScreenshot(m_window, QStringLiteral("shell2_mainwindow_zh"));
    }

    void firmwareCheckFollowsCurrentDevice()
    {
        // As if the update library had come up: the window starts the regular
        // checks and hands the current device's identity to the firmware check.
        g_updateManager.setInitializedForTest(true);
        auto dev = plugDevice(0x7, "UPDT0001");
        _KVCAP_DEVICE_INFO info = dev->deviceInfo();
        info.productId = 0x0456;
        info.identifier = 9;
        info.hardwareVersion = 'C';
        dev->setDeviceInfo(info);
        dev->setFirmwareVersion(0x02050011);
        const int softwareStarts = g_updateManager.regularSoftwareStarts();
        const int firmwareStarts = g_updateManager.regularFirmwareStarts();
        const int stops = g_updateManager.stopCheckCalls();
        startWindow();
        QCOMPARE(g_updateManager.regularSoftwareStarts(), softwareStarts + 1);
        QTRY_COMPARE(g_updateManager.regularFirmwareStarts(), firmwareStarts + 1);
        QVERIFY(g_updateManager.stopCheckCalls() > stops);   // the Info page stops checks too
        QCOMPARE(g_updateManager.savedFirmwareInfo(0), QStringLiteral("1110"));
        QCOMPARE(g_updateManager.savedFirmwareInfo(1), QStringLiteral("9"));
        QCOMPARE(g_updateManager.savedFirmwareInfo(2), QStringLiteral("C"));
        QCOMPARE(g_updateManager.savedFirmwareInfo(3), QStringLiteral("2.5.17"));

        // A freshly flashed device that was not reconnected gets no new check.
        {
            QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
            g_presenter.GetCurrentInstance()->replugPending = 1;
        }
        const int stopsBefore = g_updateManager.stopCheckCalls();
        m_window->OnInitPages();
        QCOMPARE(g_updateManager.regularFirmwareStarts(), firmwareStarts + 1);
        QVERIFY(g_updateManager.stopCheckCalls() > stopsBefore);

        // With an update service the tray menu offers the software update dialog.
        QAction* check = nullptr;
        for (QAction* action : m_window->GetTrayMenu()->actions())
            if (action->text() == QStringLiteral("Check for updates..."))
                check = action;
        QVERIFY(check);
        QTimer::singleShot(0, [] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog && dialog->inherits("AppUpgradeDialog"));
            dialog->close();
        });
        check->trigger();
        QVERIFY(m_window->isVisible());   // closed without a download: the program goes on
        g_updateManager.setInitializedForTest(false);
    }

    void tabsFollowFeatureFlags_data()
    {
        QTest::addColumn<uint>("features");
        QTest::addColumn<QStringList>("titles");
        QTest::newRow("none") << 0u << QStringList{"Info", "Video", "Input", "Advanced"};
        QTest::newRow("volume") << 4u << QStringList{"Info", "Video", "Volume", "Input", "Advanced"};
        QTest::newRow("hdmi") << 1u << QStringList{"Info", "Video", "Input", "HDMI", "Advanced"};
        QTest::newRow("timing") << 2u << QStringList{"Info", "Video", "Input", "Timing", "Advanced"};
        QTest::newRow("hdmi+volume") << 5u << QStringList{"Info", "Video", "Volume", "Input", "HDMI", "Advanced"};
    }
    void tabsFollowFeatureFlags()
    {
        QFETCH(uint, features);
        QFETCH(QStringList, titles);
        auto dev = plugDevice(features, "FEAT0001");
        startWindow();
        QTRY_COMPARE(g_presenter.GetCurrentIndex(), 0);
        QTRY_COMPARE(tabTitles(m_window), titles);
    }

    void unplugWithoutPendingSwitchesSilently()
    {
        auto a = plugDevice(0x7, "AAAA0001");
        startWindow();
        QTRY_COMPARE(g_presenter.GetCurrentIndex(), 0);
        auto b = plugDevice(0x0, "BBBB0002");
        QTRY_COMPARE_WITH_TIMEOUT(g_presenter.GetDeviceCount(), 2, 5000);
        QCOMPARE(g_presenter.GetCurrentIndex(), 0);   // another device does not take over

        BoxAnswerer lost(QStringLiteral("msgbox_device_lost"), [](QWrapperMsgBox* box) { box->accept(); });
        EmulatedBus::instance().unplug(a);
        QTRY_COMPARE_WITH_TIMEOUT(tabTitles(m_window), (QStringList{"Info", "Video", "Input", "Advanced"}), 5000);
        QTRY_VERIFY(m_window->GetTitleBar()->GetTitleText().contains(QStringLiteral("BBBB0002")));
        QTRY_COMPARE(countSets(b, 0x07), 1);   // the new current device got its enable report
        QCOMPARE(lost.seen, 0);                 // nothing was pending: no box
    }

    void unplugWithPendingShowsDeviceLostBox()
    {
        auto a = plugDevice(0x7, "AAAA0003");
        auto b = plugDevice(0x0, "BBBB0004");
        startWindow();
        QTRY_COMPARE(g_presenter.GetCurrentIndex(), 0);
        QTRY_COMPARE(g_presenter.GetDeviceCount(), 2);
        auto current = m_window->GetTitleBar()->GetTitleText().contains(QStringLiteral("AAAA0003")) ? a : b;
        auto other = current == a ? b : a;

        g_presenter.SetUIChanged(true, UI_CHANGE_RECONNECT);
        m_window->hide();   // the box must bring the window back first
        bool windowVisibleAtBox = false;
        BoxAnswerer lost(QStringLiteral("msgbox_device_lost"), [&](QWrapperMsgBox* box) {
            windowVisibleAtBox = m_window->isVisible();
            box->accept();
        });
        EmulatedBus::instance().unplug(current);
        QTRY_COMPARE_WITH_TIMEOUT(lost.seen, 1, 5000);
        QCOMPARE(lost.lastText, QStringLiteral("Couldn't detect the device. The changes will be lost."));
        QVERIFY(windowVisibleAtBox);
        // No commit for a device that is gone, and the pending state is dropped.
        for (int v = 0; v < 3; ++v)
            QCOMPARE(current->commitCount(uint8_t(v)), 0);
        QVERIFY(!g_presenter.IsUIChanged());
        // The remaining device takes over and the tabs follow its flags.
        QTRY_VERIFY(m_window->GetTitleBar()->GetTitleText().contains(QString::fromStdString(
            other == a ? "AAAA0003" : "BBBB0004")));
        const int expected = other == a ? 7 : 4;
        QTRY_COMPARE(tabTitles(m_window).size(), expected);
    }

    void closeWithPendingWritesCommit_data()
    {
        QTest::addColumn<int>("changeType");
        QTest::addColumn<QString>("answer");   // yes, no, close
        QTest::addColumn<int>("commit");
        QTest::addColumn<int>("height");
        QTest::newRow("yes discards") << 0 << "yes" << 1 << 240;
        QTest::newRow("no saves") << 1 << "no" << 2 << 260;
        QTest::newRow("closed saves") << 2 << "close" << 2 << 260;
    }
    void closeWithPendingWritesCommit()
    {
        QFETCH(int, changeType);
        QFETCH(QString, answer);
        QFETCH(int, commit);
        QFETCH(int, height);
        auto dev = plugDevice(0x7, "CLOSE001");
        startWindow();
        QTRY_COMPARE(g_presenter.GetCurrentIndex(), 0);
        g_presenter.SetUIChanged(true, _UI_CHANGE_TYPE(changeType));

        int secondCloseAccepted = -1;
        bool boxStillOpen = false;
        BoxAnswerer question(QStringLiteral("dialog_msgbox"), [&](QWrapperMsgBox* box) {
            // A second close request while the question is open is refused
            // (sent as the window system would, straight to the handler).
            QCloseEvent again;
            QCoreApplication::sendEvent(m_window, &again);
            secondCloseAccepted = again.isAccepted() ? 1 : 0;
            m_window->OnExitClicked();   // a second tray "Quit"
            boxStillOpen = box->isVisible();
            if (answer == QLatin1String("yes"))
                box->GetOkButton()->click();
            else if (answer == QLatin1String("no"))
                box->GetCancelButton()->click();
            else
                box->close();
        });
        QVERIFY(m_window->close());
        QCOMPARE(question.seen, 1);
        QCOMPARE(question.lastHeight, height);
        if (changeType == 2)
            QVERIFY(question.lastText.contains(QStringLiteral("rebooting computer")));
        QCOMPARE(secondCloseAccepted, 0);
        QVERIFY(boxStillOpen);
        QCOMPARE(dev->commitCount(uint8_t(commit)), 1);
        QCOMPARE(dev->commitCount(uint8_t(3 - commit)), 0);
        QCOMPARE(dev->commitCount(0), 0);
        QVERIFY(m_window->IsClosing());
        QVERIFY(!m_window->IsNotifyTimerRunning());   // the poll stopped before the question
    }

    void closeWithoutPendingWritesNothing()
    {
        auto dev = plugDevice(0x7, "CLOSE002");
        startWindow();
        QTRY_COMPARE(g_presenter.GetCurrentIndex(), 0);
        QVERIFY(m_window->close());
        for (int v = 0; v < 3; ++v)
            QCOMPARE(dev->commitCount(uint8_t(v)), 0);
        // The enumeration thread is stopped: a new device is no longer noticed.
        auto late = plugDevice(0x0, "CLOSE003");
        QTest::qWait(900);
        QCOMPARE(g_presenter.GetDeviceCount(), 1);
    }

    void closeRefusedDuringFirmwareUpgrade()
    {
        auto dev = plugDevice(0x7, "UPGR0001");
        startWindow();
        QTRY_COMPARE(g_presenter.GetCurrentIndex(), 0);

        // The flashing thread raises its flag before it waits for the presenter
        // lock; holding the lock here keeps it in that state.
        g_presenter.GetLock()->lock();
        tagDEVICE_INSTANCE instance;
        std::memset(static_cast<void*>(&instance), 0, sizeof instance);   // no device: refused once it runs
        _KV_FIRMWARE_HEADER header;
        std::memset(&header, 0, sizeof header);
        int status = 0;
        int percent = 0;
        std::thread flashing([&] { g_presenter.Upgrade(instance, &header, nullptr, &status, &percent, true); });
        QTRY_VERIFY(g_presenter.IsFirmwareUpgrading());

        QVERIFY(!m_window->close());                  // window manager, logout
        m_window->OnExitClicked();                    // tray "Quit"
        QTest::keyClick(m_window->GetPropertyPage()->GetTabWidget(), Qt::Key_Escape);
        m_window->OnCloseBtnClicked();
        QVERIFY(m_window->isVisible());
        QVERIFY(!m_window->IsClosing());

        g_presenter.GetLock()->unlock();
        flashing.join();
        QVERIFY(!g_presenter.IsFirmwareUpgrading());
        QVERIFY(m_window->close());                   // afterwards it closes normally
    }

    void trayMenuIsBuiltOnce()
    {
        startWindow();
        QMenu* menu = m_window->GetTrayMenu();
        QVERIFY(menu);
        QCOMPARE(m_window->GetTrayIcon()->contextMenu(), menu);
        QStringList texts;
        for (QAction* action : menu->actions())
            texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
        QCOMPARE(texts, (QStringList{"Open main window", "About", "-", "Quit"}));
        QCOMPARE(m_window->GetTrayIcon()->toolTip(), QStringLiteral("Kivorant Lumivandrex Utility"));
        QVERIFY(!m_window->GetTrayIcon()->icon().isNull());
        QCOMPARE(menu->width(), 220);
        const int menus = m_window->findChildren<QMenu*>().size();
        const int actions = m_window->findChildren<QAction*>().size();

        m_window->hide();
        emit m_window->GetTrayIcon()->activated(QSystemTrayIcon::Context);
        QEvent activation(QEvent::ApplicationActivate);   // as the tray menu opens
        QCoreApplication::sendEvent(qApp, &activation);
        QVERIFY(!m_window->isVisible());             // a right click only opens the menu
        emit m_window->GetTrayIcon()->activated(QSystemTrayIcon::Trigger);
        QVERIFY(m_window->isVisible());
        for (int i = 0; i < 20; ++i)
            emit m_window->GetTrayIcon()->activated(QSystemTrayIcon::DoubleClick);
        m_window->hide();
        emit m_window->GetTrayIcon()->activated(QSystemTrayIcon::DoubleClick);
        QVERIFY(m_window->isVisible());

        QCOMPARE(m_window->GetTrayMenu(), menu);
        QCOMPARE(m_window->GetTrayIcon()->contextMenu(), menu);
        QCOMPARE(m_window->findChildren<QMenu*>().size(), menus);
        QCOMPARE(m_window->findChildren<QAction*>().size(), actions);
    }

    void escapeHidesAndCtrlTabWraps()
    {
        auto dev = plugDevice(0x7, "KEYS0001");
        startWindow();
        QTRY_COMPARE(tabTitles(m_window).size(), 7);
        QTabWidget* tabs = m_window->GetPropertyPage()->GetTabWidget();
        tabs->setCurrentIndex(6);
        QTest::keyClick(tabs, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(tabs->currentIndex(), 0);
        QTest::keyClick(tabs, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(tabs->currentIndex(), 6);
        // Tab and Shift+Tab turn keyboard navigation on.
        g_focusManager.SetActive(false);
        QTest::keyClick(tabs, Qt::Key_Tab);
        QVERIFY(g_focusManager.IsActive());
        g_focusManager.SetActive(false);
        QTest::keyClick(tabs, Qt::Key_Backtab, Qt::ShiftModifier);
        QVERIFY(g_focusManager.IsActive());

        // With a message box open the shortcuts and Escape leave the window alone.
        bool tabStayed = false;
        bool windowStayed = false;
        BoxAnswerer box(QStringLiteral("dialog_msgbox"), [&](QWrapperMsgBox* b) {
            QTest::keyClick(tabs, Qt::Key_Tab, Qt::ControlModifier);
            tabStayed = tabs->currentIndex() == 6;
            QTest::keyClick(tabs, Qt::Key_Escape);
            windowStayed = m_window->isVisible();
            b->reject();
        });
        {
            // A box counts as open for as long as it exists.
            QWrapperMsgBox modal(MSG_TYPE_WARNING, QStringLiteral("x"), QStringLiteral("OK"), QString(), 420, 240,
                                 m_window);
            modal.exec();
        }
        QCOMPARE(box.seen, 1);
        QVERIFY(tabStayed);
        QVERIFY(windowStayed);

        // The same for Qt's own modal dialogs (the report's file dialog): Escape
        // must reach the dialog, not hide the window from under it.
        {
            QDialog fileDialog(m_window);
            bool plainTabStayed = false;
            bool plainWindowStayed = false;
            QTimer::singleShot(50, &fileDialog, [&] {
                QTest::keyClick(tabs, Qt::Key_Tab, Qt::ControlModifier);
                plainTabStayed = tabs->currentIndex() == 6;
                QTest::keyClick(&fileDialog, Qt::Key_Escape);
                plainWindowStayed = m_window->isVisible();
            });
            QTimer::singleShot(3000, &fileDialog, [&] { fileDialog.done(42); });
            QCOMPARE(fileDialog.exec(), int(QDialog::Rejected));   // closed by its own Escape
            QVERIFY(plainTabStayed);
            QVERIFY(plainWindowStayed);
        }

        // Escape in an open pop-up menu closes only that menu.
        QMenu* deviceMenu = m_window->GetTitleBar()->GetDeviceMenu();
        deviceMenu->popup(m_window->mapToGlobal(QPoint(100, 40)));
        QTRY_VERIFY(deviceMenu->isVisible());
        QTest::keyClick(deviceMenu, Qt::Key_Escape);
        QTRY_VERIFY(!deviceMenu->isVisible());
        QVERIFY(m_window->isVisible());

        m_window->SetTrayAvailable(true);
        QTest::keyClick(tabs, Qt::Key_Escape);
        QVERIFY(!m_window->isVisible());
        QVERIFY(!m_window->IsClosing());   // hidden to the tray, not closed
        m_window->OpenMainWindow();
        QVERIFY(m_window->isVisible());
    }

    // The offscreen platform, like a plain X desktop, has no tray: nothing may
    // hide the window for good.
    void withoutTrayNothingHidesTheWindow()
    {
        auto dev = plugDevice(0x7, "NOTRAY01");
        startWindow();
        QVERIFY(!m_window->HasTray());
        QTRY_COMPARE(g_presenter.GetCurrentIndex(), 0);
        m_window->hide();
        m_window->ShowAtStart(true);   // "/minimized"
        QVERIFY(m_window->isVisible() && m_window->isMinimized());
        m_window->OpenMainWindow();
        QVERIFY(!m_window->isMinimized());
        QTest::keyClick(m_window->GetPropertyPage()->GetTabWidget(), Qt::Key_Escape);
        QVERIFY(m_window->isVisible() && m_window->isMinimized());
        m_window->OpenMainWindow();

        // The close button asks about the pending changes, then the window closes
        // (and with it the program: it quits on its last window).
        g_presenter.SetUIChanged(true, UI_CHANGE_IMMEDIATE);
        BoxAnswerer question(QStringLiteral("dialog_msgbox"),
                             [](QWrapperMsgBox* box) { box->GetCancelButton()->click(); });
        emit m_window->GetTitleBar()->closeBtnClicked();
        QCOMPARE(question.seen, 1);
        QVERIFY(!m_window->isVisible());
        QVERIFY(m_window->IsClosing());
        QVERIFY(m_window->testAttribute(Qt::WA_QuitOnClose));
        QCOMPARE(dev->commitCount(2), 1);   // "No" saves

        // With a tray, "/minimized" leaves the window in it.
        stopWindow();
        startWindow();
        m_window->SetTrayAvailable(true);
        m_window->hide();
        m_window->ShowAtStart(true);
        QVERIFY(!m_window->isVisible());
    }

    void deviceEventsAreLogged()
    {
        QObject owner;
        lvlogger::LvLogger* logger = lvlogger::LvLogger::createInstance(&owner);
        const lvlogger::EnableLogLevels saved = lvlogger::ENABLE_LOG_LEVELS;
        lvlogger::SetLogLevelInfor();
        QSignalSpy records(logger, &lvlogger::LvLogger::signalLog);
        const auto logged = [&records](const char* what, const char* serial) {
            for (const QList<QVariant>& record : records) {
                const QString text = record.at(2).toString();
                if (text.startsWith(QLatin1String(what)) && text.contains(QLatin1String(serial)))
                    return true;
            }
            return false;
        };
        auto first = plugDevice(0x7, "LOGS0001");
        startWindow();
        QTRY_VERIFY(logged("device plugged: ", "(LOGS0001)"));
        auto second = plugDevice(0x7, "LOGS0002");
        QTRY_VERIFY(logged("device plugged: ", "(LOGS0002)"));
        QTRY_COMPARE(m_window->GetTitleBar()->GetDeviceMenu()->actions().size(), 2);
        m_window->GetTitleBar()->OnSelectMenuItem(m_window->GetTitleBar()->GetDeviceMenu()->actions().at(1));
        QVERIFY(logged("current device switched to ", "(LOGS0002)"));
        EmulatedBus::instance().unplug(first);
        QTRY_VERIFY(logged("device unplugged: ", "(LOGS0001)"));
        QVERIFY(!logged("device unplugged: ", "(LOGS0002)"));
        lvlogger::ENABLE_LOG_LEVELS = saved;
        stopWindow();
    }

    void aboutOpensOneAtATime()
    {
        startWindow();
        int opened = 0;
        int nestedOpened = -1;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            const auto dialogs = m_window->findChildren<AboutDialog*>();
            if (dialogs.isEmpty() || !dialogs.first()->isVisible())
                return;
            ++opened;
            m_window->OnShowAboutDialog();   // a second "About" while one is open
            nestedOpened = m_window->findChildren<AboutDialog*>().size();
            QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QCoreApplication::sendEvent(dialogs.first(), &esc);
        });
        poll.start(20);
        m_window->hide();
        m_window->OnShowAboutDialog();
        QCOMPARE(opened, 1);
        QCOMPARE(nestedOpened, 1);
        QVERIFY(m_window->isVisible());   // brought up for the dialog
        QCOMPARE(m_window->findChildren<AboutDialog*>().size(), 0);
        m_window->OnShowAboutDialog();    // allowed again
        QCOMPARE(opened, 2);
    }

    void shutdownRemovesPagesAndListeners()
    {
        // Without optional features the Volume, HDMI and Timing pages are never
        // tabs, so nothing but the container owns them.
        auto dev = plugDevice(0x0, "SHUT0001");
        startWindow();
        QTRY_COMPARE(tabTitles(m_window).size(), 4);
        PropertyPage* pages = m_window->GetPropertyPage();
        QPointer<QWidget> info = reinterpret_cast<QWidget*>(pages->GetInfoPage());
        QPointer<QWidget> timing = reinterpret_cast<QWidget*>(pages->GetTimingPage());
        QPointer<QWidget> volume = reinterpret_cast<QWidget*>(pages->GetVolumePage());
        QPointer<QWidget> hdmi = reinterpret_cast<QWidget*>(pages->GetHdmiPage());
        QPointer<QWidget> title = m_window->GetTitleBar();
        QPointer<QWidget> settings = reinterpret_cast<QWidget*>(m_window->GetSettingsBar());
        QVERIFY(volume && !volume->parent());
        QVERIFY(timing && !timing->parent());
        QVERIFY(hdmi && !hdmi->parent());
        stopWindow();
        QVERIFY(info.isNull());
        QVERIFY(timing.isNull());
        QVERIFY(volume.isNull());
        QVERIFY(hdmi.isNull());
        QVERIFY(title.isNull());
        QVERIFY(settings.isNull());
        // Every listener is gone: a fan-out now reaches no destroyed object
        // (under the address sanitizer this would be a use after free).
        g_presenter.SetUIChanged(true, UI_CHANGE_IMMEDIATE);
        g_presenter.SetUIChanged(false, UI_CHANGE_IMMEDIATE);
    }
};

int main(int argc, char** argv)
{
    lvemu::ensurePreload(argc, argv);
    // Never touch the real home: settings, autostart entries and logs go here.
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/.config")).toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/.local/share")).toUtf8());
    QApplication app(argc, argv);
    // The look main() gives the program, so the screenshot shows what users see.
    app.setStyleSheet(LoadStyleSheet(QStringLiteral(":/lumivandrexutility.qss")));
    ApplyStartupLook(tagSTARTUP_SETTINGS());
    TestMainWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mainwindow.moc"
