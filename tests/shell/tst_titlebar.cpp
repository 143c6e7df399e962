// The title bar's device menu against the emulated device: entries and names,
// choosing a device with and without pending changes (and the commit that goes
// to the device the user was asked about), hot-plug and loss; in the main window,
// what opens the menu, the menus' font, the name whole and its focus frame.

#include "lvemulatortest.h"
#include "shell1testsupport.h"
#include "lvtestsupport.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QToolTip>
#include <QX11Info>
#include <xcb/xcb.h>

#include "shell/lumivandrexutility.h"
#include "shell/startup.h"
#include "statuspages/wtabpageinfo.h"
#include "timingeditors/qadjusttimingwidget.h"
#include "toolkit/wcombobox.h"

using namespace shelltest;

namespace {
// Where the device menu showed, with how many entries, each time `act` opened it (closed at once).
QString Openings(QMenu* menu, const std::function<void()>& act)
{
    QString seen;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (menu->isVisible())
            QDebug(&seen) << menu->geometry() << menu->actions().size(), menu->close();
    });
    poll.start(5);
    act();
    QTest::qWait(50);
    return seen;
}

} // namespace

class TstTitleBar : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void displayNamesAndCheckedEntry();
    void choosingCheckedEntryDoesNothing();
    void switchCommitsToOldDevice_data();
    void switchCommitsToOldDevice();
    void switchAfterListShrankCommitsToAskedDevice();
    void refusedSaveOnSwitchIsReported();
    void askedDeviceUnpluggedDuringQuestionGetsNoCommit();
    void currentDeviceLostWithPendingWritesNothing();
    void addedDeviceShowsToolTip();
    void lastDeviceLossHidesControls();
    void centreWidgetReturnClicksChild();
    void deviceMenuOpenersAndFont_data();
    void deviceMenuOpenersAndFont();
    void popupsWhereTheWindowIs();
    void screenshot();

private:
    QAction* EntryFor(Harness& harness, int index);
    QTemporaryDir m_home;   // the main window's per-user settings
};

void TstTitleBar::initTestCase()
{
    qputenv("XDG_CONFIG_HOME", m_home.path().toUtf8());
    startPresenter();
}

void TstTitleBar::cleanupTestCase()
{
    g_presenter.Exit();
}

void TstTitleBar::init()
{
    g_presenter.SetUIChanged(false, UI_CHANGE_IMMEDIATE);
    g_presenter.SetUIChangeType(UI_CHANGE_IMMEDIATE);
}

QAction* TstTitleBar::EntryFor(Harness& harness, int index)
{
    for (QAction* action : harness.title->GetDeviceMenu()->actions())
        if (action->data().toInt() == index)
            return action;
    return nullptr;
}

void TstTitleBar::displayNamesAndCheckedEntry()
{
    auto devices = plugFresh({"TB-0001", "TB-0002"});
    devices[1]->setProductName("Capture <B>");
    Harness harness;
    harness.Start();

    const QList<QAction*> entries = harness.title->GetDeviceMenu()->actions();
    QCOMPARE(entries.size(), 2);
    const QString nameA = QString::fromLatin1(devices[0]->deviceInfo().productName);
    QCOMPARE(entries[0]->text(), QStringLiteral("%1 (TB-0001)").arg(nameA));
    // The name was read when the device was attached, so the second one keeps its stock name.
    QVERIFY(entries[1]->text().endsWith(QStringLiteral(" (TB-0002)")));
    QCOMPARE(entries[0]->data().toInt(), 0);
    QCOMPARE(entries[1]->data().toInt(), 1);
    QVERIFY(entries[0]->isCheckable() && entries[0]->isChecked());
    QVERIFY(!entries[1]->isChecked());
    QCOMPARE(harness.title->GetTitleText(), entries[0]->text());
    QCOMPARE(g_presenter.GetCurrentIndex(), 0);
    QVERIFY(!harness.title->GetCenterWidget()->isHidden());
}

void TstTitleBar::choosingCheckedEntryDoesNothing()
{
    auto devices = plugFresh({"TB-0011", "TB-0012"});
    Harness harness;
    harness.Start();
    g_presenter.SetUIChanged(true, UI_CHANGE_REBOOT);
    for (const DevicePtr& d : devices)
        d->clearTransfers();
    QSignalSpy init(harness.title, &TitleBar::initPages);
    BoxAnswerer answerer;

    QAction* checked = EntryFor(harness, 0);
    QVERIFY(checked);
    harness.title->OnSelectMenuItem(checked);
    QCoreApplication::processEvents();

    QCOMPARE(init.count(), 0);
    QVERIFY(answerer.SeenBoxes().isEmpty());
    QVERIFY(checked->isChecked());
    QCOMPARE(devices[0]->transferCount(), 0);
    QCOMPARE(devices[1]->transferCount(), 0);
    QVERIFY(g_presenter.IsUIChanged());
}

void TstTitleBar::switchCommitsToOldDevice_data()
{
    QTest::addColumn<bool>("pending");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QList<int>>("commitsOld");
    QTest::addColumn<int>("boxHeight");
    QTest::addColumn<QString>("boxText");

    const int yes = BoxAnswerer::ClickOk, no = BoxAnswerer::ClickCancel, esc = BoxAnswerer::PressEscape;
    const QString plain = "Proceed with saving changes?";
    const QString t1 = plain + " Some options will only take effect after reconnecting the device.";
    const QString t2 = plain + " Some options will only take effect after reconnecting the device and rebooting the computer.";
    QTest::newRow("no pending changes: no question") << false << 0 << -1 << QList<int>{} << 0 << QString();
    QTest::newRow("type 0, Yes saves") << true << 0 << yes << QList<int>{2} << 240 << plain;
    QTest::newRow("type 0, No discards") << true << 0 << no << QList<int>{1} << 240 << plain;
    QTest::newRow("type 1, Yes saves") << true << 1 << yes << QList<int>{2} << 260 << t1;
    QTest::newRow("type 2, No discards") << true << 2 << no << QList<int>{1} << 260 << t2;
    QTest::newRow("type 2, Esc discards") << true << 2 << esc << QList<int>{1} << 260 << t2;
}

void TstTitleBar::switchCommitsToOldDevice()
{
    QFETCH(bool, pending);
    QFETCH(int, type);
    QFETCH(int, answer);
    QFETCH(QList<int>, commitsOld);
    QFETCH(int, boxHeight);
    QFETCH(QString, boxText);

    auto devices = plugFresh({"TB-0021", "TB-0022"});
    devices[1]->setFeatureFlags(0x7);
    Harness harness;
    harness.Start();
    if (pending)
        g_presenter.SetUIChanged(true, _UI_CHANGE_TYPE(type));
    for (const DevicePtr& d : devices)
        d->clearTransfers();
    QSignalSpy init(harness.title, &TitleBar::initPages);
    BoxAnswerer answerer;
    if (answer >= 0)
        answerer.Expect(BoxAnswerer::Answer(answer));

    QAction* other = EntryFor(harness, 1);
    QVERIFY(other);
    harness.title->OnSelectMenuItem(other);
    QCoreApplication::processEvents();

    QCOMPARE(answerer.Unanswered(), 0);
    QCOMPARE(answerer.SeenBoxes().size(), pending ? 1 : 0);
    if (pending) {
        QCOMPARE(answerer.SeenBoxes().first().text, boxText);
        QCOMPARE(answerer.SeenBoxes().first().height, boxHeight);
    }
    QCOMPARE(commits(devices[0]), commitsOld);
    QVERIFY(commits(devices[1]).isEmpty());
    QCOMPARE(g_presenter.GetCurrentIndex(), 1);
    QCOMPARE(init.count(), 1);
    QCOMPARE(int(g_presenter.GetUIChangeType()), 0);
    QVERIFY(!g_presenter.IsUIChanged());   // cleared by the page reload initPages() starts
    QCOMPARE(harness.title->GetTitleText(), EntryFor(harness, 1)->text());
    QVERIFY(EntryFor(harness, 1)->isChecked());
    QVERIFY(!EntryFor(harness, 0)->isChecked());
    // The new device's feature set shows in the tabs.
    QCOMPARE(harness.pages->GetTabWidget()->count(), 7);
}

void TstTitleBar::switchAfterListShrankCommitsToAskedDevice()
{
    auto devices = plugFresh({"TB-0031", "TB-0032", "TB-0033"});
    Harness harness;
    harness.Start();
    g_presenter.SetUIChanged(true, UI_CHANGE_IMMEDIATE);
    for (const DevicePtr& d : devices)
        d->clearTransfers();

    // While the question is open, the middle device goes away: the chosen entry's
    // index (2) is now past the end, and the asked device (0) is still there.
    BoxAnswerer answerer;
    answerer.Expect(BoxAnswerer::ClickOk, [&] {
        lvemu::EmulatedBus::instance().unplug(devices[1]);
        QVERIFY(QTest::qWaitFor([] { return deviceCount() == 2; }, 8000));
    });
    harness.title->OnSelectMenuItem(EntryFor(harness, 2));
    QCoreApplication::processEvents();

    QCOMPARE(deviceCount(), 2);
    QCOMPARE(commits(devices[0], true), QList<int>{2});
    QVERIFY(commits(devices[2]).isEmpty());
    QCOMPARE(g_presenter.GetCurrentIndex(), 1);   // the last device
    QVERIFY(harness.title->GetTitleText().endsWith(QStringLiteral("(TB-0033)")));
    QCOMPARE(harness.title->GetDeviceMenu()->actions().size(), 2);
}

void TstTitleBar::refusedSaveOnSwitchIsReported()
{
    auto devices = plugFresh({"TB-0091", "TB-0092"});
    Harness harness;
    harness.Start();
    g_presenter.SetUIChanged(true, UI_CHANGE_IMMEDIATE);
    devices[0]->clearTransfers();
    devices[0]->stallReport(0xFE);
    BoxAnswerer answerer;
    answerer.Expect(BoxAnswerer::ClickOk);   // "Proceed with saving changes?" - Yes
    answerer.Expect(BoxAnswerer::ClickOk);   // the failure notice
    harness.title->OnSelectMenuItem(EntryFor(harness, 1));
    devices[0]->stallReport(0xFE, false);

    QCOMPARE(answerer.SeenBoxes().size(), 2);
    QCOMPARE(answerer.SeenBoxes().at(1).text,
             QStringLiteral("Failed to save the changes to the previous device. The changes will be lost."));
    QCOMPARE(commits(devices[0]), QList<int>{2});
    QVERIFY(commits(devices[0], true).isEmpty());
    QCOMPARE(g_presenter.GetCurrentIndex(), 1);   // the switch still happens
}

void TstTitleBar::askedDeviceUnpluggedDuringQuestionGetsNoCommit()
{
    auto devices = plugFresh({"TB-0041", "TB-0042"});
    Harness harness;
    harness.Start();
    g_presenter.SetUIChanged(true, UI_CHANGE_REBOOT);
    for (const DevicePtr& d : devices)
        d->clearTransfers();

    BoxAnswerer answerer;
    answerer.Expect(BoxAnswerer::Leave);     // the question closes itself with the device
    answerer.Expect(BoxAnswerer::ClickOk);   // "Couldn't detect the device..."
    QTimer::singleShot(100, [&] { lvemu::EmulatedBus::instance().unplug(devices[0]); });
    harness.title->OnSelectMenuItem(EntryFor(harness, 1));
    QTRY_COMPARE(answerer.SeenBoxes().size(), 2);
    QCoreApplication::processEvents();

    QCOMPARE(answerer.SeenBoxes().at(1).objectName, QStringLiteral("msgbox_device_lost"));
    // The discard answer must not land on the device that became current meanwhile.
    QVERIFY(commits(devices[1]).isEmpty());
    QVERIFY(commits(devices[0]).isEmpty());
    QCOMPARE(deviceCount(), 1);
    QCOMPARE(g_presenter.GetCurrentIndex(), 0);
    QVERIFY(harness.title->GetTitleText().endsWith(QStringLiteral("(TB-0042)")));
}

void TstTitleBar::currentDeviceLostWithPendingWritesNothing()
{
    auto devices = plugFresh({"TB-0051", "TB-0052"});
    Harness harness;
    harness.Start();
    g_presenter.SetUIChanged(true, UI_CHANGE_RECONNECT);
    devices[1]->clearTransfers();
    QSignalSpy init(harness.title, &TitleBar::initPages);
    BoxAnswerer answerer;
    answerer.Expect(BoxAnswerer::ClickOk);

    lvemu::EmulatedBus::instance().unplug(devices[0]);
    QTRY_COMPARE(init.count(), 1);

    QCOMPARE(answerer.SeenBoxes().size(), 1);
    QCOMPARE(answerer.SeenBoxes().first().text, QStringLiteral("Couldn't detect the device. The changes will be lost."));
    QCOMPARE(answerer.SeenBoxes().first().objectName, QStringLiteral("msgbox_device_lost"));
    QVERIFY(commits(devices[0]).isEmpty());
    QVERIFY(commits(devices[1]).isEmpty());
    QVERIFY(!g_presenter.IsUIChanged());
    QCOMPARE(g_presenter.GetCurrentIndex(), 0);
    QVERIFY(harness.title->GetTitleText().endsWith(QStringLiteral("(TB-0052)")));
    QVERIFY(harness.window->isVisible());   // brought back before the box
}

void TstTitleBar::addedDeviceShowsToolTip()
{
    auto devices = plugFresh({"TB-0061"});
    Harness harness;
    harness.window->show();
    harness.Start();
    QSignalSpy init(harness.title, &TitleBar::initPages);

    auto named = std::make_shared<lvemu::EmulatedDevice>(lvusb::kVendorMain, lvusb::kProductMainSingle, "TB-0062");
    named->setProductName("Capture Two");
    lvemu::EmulatedBus::instance().plug(named);
    QTRY_COMPARE(harness.title->GetDeviceMenu()->actions().size(), 2);
    QTRY_COMPARE(QToolTip::text(), QStringLiteral("New device available(Capture Two)"));
    QCOMPARE(g_presenter.GetCurrentIndex(), 0);
    QVERIFY(harness.title->GetTitleText().endsWith(QStringLiteral("(TB-0061)")));
    QVERIFY(EntryFor(harness, 0)->isChecked());
    QCOMPARE(EntryFor(harness, 1)->text(), QStringLiteral("Capture Two (TB-0062)"));
    QCOMPARE(init.count(), 0);

    QToolTip::hideText();
    QTRY_VERIFY(!QToolTip::isVisible());
    auto nameless = std::make_shared<lvemu::EmulatedDevice>(lvusb::kVendorMain, lvusb::kProductMainSingle, "TB-0063");
    nameless->setProductName("");
    lvemu::EmulatedBus::instance().plug(nameless);
    QTRY_COMPARE(harness.title->GetDeviceMenu()->actions().size(), 3);
    QTRY_COMPARE(QToolTip::text(), QStringLiteral("New device available"));
}

void TstTitleBar::lastDeviceLossHidesControls()
{
    plugFresh({"TB-0071"});
    Harness harness;
    harness.Start();
    QVERIFY(!harness.title->GetCenterWidget()->isHidden());
    QSignalSpy removed(harness.title, &TitleBar::devicesRemoved);

    lvemu::EmulatedBus::instance().unplugAll();
    QTRY_COMPARE(removed.count(), 1);
    QVERIFY(harness.title->GetCenterWidget()->isHidden());
    QCOMPARE(harness.title->GetTitleText(), QString());
    QVERIFY(harness.title->GetDeviceMenu()->actions().isEmpty());
    QCOMPARE(harness.pages->GetTabWidget()->count(), 1);
    QVERIFY(!harness.pages->GetTabWidget()->isEnabled());
    QCOMPARE(g_presenter.GetCurrentIndex(), -1);

    // A device plugged in again becomes current by itself.
    lvemu::EmulatedBus::instance().plug(lvusb::kVendorMain, lvusb::kProductMainSingle, "TB-0072");
    QTRY_VERIFY(!harness.title->GetCenterWidget()->isHidden());
    QCOMPARE(g_presenter.GetCurrentIndex(), 0);
    QVERIFY(harness.title->GetTitleText().endsWith(QStringLiteral("(TB-0072)")));
}

void TstTitleBar::centreWidgetReturnClicksChild()
{
    WCenterWid centre;
    QPushButton child;
    QSignalSpy clicked(&child, &QPushButton::clicked);
    QTest::keyClick(&centre, Qt::Key_Return);   // no child yet: nothing
    centre.SetPropChildBtn(&child);
    QTest::keyClick(&centre, Qt::Key_Return);
    QTest::keyClick(&centre, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(&centre, Qt::Key_Left);
    QCOMPARE(clicked.count(), 2);
}

void TstTitleBar::deviceMenuOpenersAndFont_data()
{
    QTest::addColumn<QString>("what");   // keys on the focused name, or a left press on the "name" or the "bar"
    QTest::addColumn<int>("drag");       // pixels the pointer moves before the release
    QTest::addColumn<bool>("opens");
    QTest::addColumn<int>("fontSize");   // the ini's look the window is built in
    QTest::addColumn<bool>("bold");
    for (const char* keys : {"Return", "Down", "Space", "Alt+Down", "Alt+Up", "F4"})
        QTest::newRow(keys) << keys << 0 << true << 20 << true;
    for (const char* keys : {"Up", "Ctrl+Space", "Shift+F4", "A"})
        QTest::newRow(keys) << keys << 0 << false << 14 << false;
    QTest::newRow("click on the name") << "name" << 0 << true << 1 << false;
    QTest::newRow("drag from the name") << "name" << 30 << false << 20 << false;
    QTest::newRow("click on the bar") << "bar" << 0 << false << 14 << true;
    QTest::newRow("drag from the bar") << "bar" << 30 << false << 1 << true;
}

void TstTitleBar::deviceMenuOpenersAndFont()
{
    QFETCH(QString, what);
    QFETCH(int, drag);
    QFETCH(bool, opens);
    QFETCH(int, fontSize);
    QFETCH(bool, bold);
    const struct Restore { QFont font = QApplication::font(); ~Restore() { QApplication::setFont(font); } } restore;
    ApplyStartupLook({fontSize, bold, false});
    plugFresh({"LV24A10C0101", "LV24A10C0102"})[0]->setFeatureFlags(0x7);   // one model, the timing page
    LumivandrexUtility window(nullptr);
    window.show();
    TitleBar* title = window.findChild<TitleBar*>();
    QWidget* name = title->GetTitleLabel();
    QVERIFY(QTest::qWaitFor([&] {   // the device selected, its name laid out
        return !title->GetTitleText().isEmpty() && title->GetDropButton()->x() > name->geometry().right();
    }));
    QTRY_VERIFY(window.findChild<QAdjustTimingWidget*>());
    window.findChild<QAdjustTimingWidget*>()->BuildPreferredTimingMenu();
    for (QMenu* menu : window.findChildren<QMenu*>()) {   // the chosen size, bold at every look
        QCOMPARE(qMakePair(menu->font().pixelSize(), menu->font().weight()), qMakePair(fontSize, int(QFont::Bold)));
        QVERIFY(menu->maximumWidth() >= menu->sizeHint().width());   // no entry cut
    }
    // The whole name, so that two devices of one model differ: a smaller font before an ellipsis.
    QCOMPARE(title->GetTitleLabel()->text(), title->GetTitleText());
    title->GetCenterWidget()->setFocus();
    const QImage frame = title->GetCenterWidget()->grab().toImage();   // all four edges of the focus frame
    const auto edge = [&](int x, int y) { return frame.pixel(x, y) == qRgb(0x1b, 0x9d, 0xff); };
    for (int i = 3, bottom = frame.height() - 1, right = frame.width() - 1; i < right - 2; ++i)
        QVERIFY(edge(i, 0) && edge(i, bottom) && edge(0, qMin(i, bottom - 3)) && edge(right, qMin(i, bottom - 3)));
    QMenu* menu = title->GetDeviceMenu();
    const QString arrow = Openings(menu, [&] { QTest::mouseClick(title->GetDropButton(), Qt::LeftButton); });
    QVERIFY(!arrow.isEmpty());
    QWidget* target = what == "name" ? name : title;   // the bar just left of the name
    const QPoint at = what == "name" ? name->rect().center() : QPoint(title->GetCenterWidget()->x() - 3, 20);
    const QPoint start = window.pos();
    const QString seen = Openings(menu, [&] {
        const int key = QKeySequence(what)[0];
        if (what != "name" && what != "bar")
            return QTest::keyClick(title->GetCenterWidget(), Qt::Key(key & ~Qt::KeyboardModifierMask),
                                   Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask));
        QTest::mousePress(target, Qt::LeftButton, {}, at);
        const QPoint to = target->mapToGlobal(at) + QPoint(drag, 0);
        QMouseEvent move(QEvent::MouseMove, at, to, Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(target, &move);
        QTest::mouseRelease(target, Qt::LeftButton, {}, at);   // the window has moved with the pointer
    });
    QCOMPARE(seen, opens ? arrow : QString());   // once, the arrow's menu where the arrow opens it
    QCOMPARE(window.pos(), start + QPoint(drag, 0));   // a drag moves the window, from the name too
    QCOMPARE(window.focusWidget(), title->GetCenterWidget());
}

// Placed while Qt's record of the window's place lags behind the X server (moved as a window manager's frame moves
// it: the server tells the window nothing), pop-ups open where the window is.
void TstTitleBar::popupsWhereTheWindowIs()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {   // again, as a real window on a fresh Xvfb
        qputenv("QT_XCB_GL_INTEGRATION", "none");   // no OpenGL, whose drivers leak when unloaded
        QProcess xvfb;   // -displayfd: a free display, whose number it tells
        xvfb.start("Xvfb", {"-displayfd", "1", "-nolisten", "tcp"});
        QVERIFY2(xvfb.waitForReadyRead(20000), "Xvfb (tools/install-deps.sh)");
        const QStringList args = {QTest::currentTestFunction(), "-platform", "xcb", "-display", ":" + xvfb.readLine().trimmed()};
        QCOMPARE(QProcess::execute(QCoreApplication::applicationFilePath(), args), 0);
        return xvfb.close();
    }
    plugFresh({"TB-0091"});
    LumivandrexUtility window(nullptr);
    WComboBox combo(&window);
    combo.addItem("A");
    window.show();
    TitleBar* title = window.findChild<TitleBar*>();
    QTRY_VERIFY(!title->GetTitleText().isEmpty());
    QWidget* drop = title->GetDropButton();
    const QPoint at = window.pos() + QPoint(60, 40), under = drop->mapTo(&window, QPoint(drop->width() - 1, drop->height()));
    xcb_reparent_window(QX11Info::connection(), window.winId(), QX11Info::appRootWindow(), at.x(), at.y());
    QWrapperMsgBox box(MSG_TYPE_WARNING, "A", "OK", QString(), 420, 240, &window);
    box.show();   // centred on the window
    QCOMPARE(box.pos(), at + QPoint((window.width() - 420) / 2, (window.height() - box.height()) / 2));
    combo.showPopup();   // as it opens below, once Qt has read the notice
    const QPoint list = QApplication::activePopupWidget()->pos();
    Openings(title->GetDeviceMenu(), [&] { QTest::keyClick(title->GetCenterWidget(), Qt::Key_Return); });
    QCOMPARE(title->GetDeviceMenu()->geometry().topRight(), at + under);   // the device menu under the arrow
    QTRY_COMPARE(window.pos(), at);   // Qt told, its own placements right too
    combo.showPopup();
    QCOMPARE(QApplication::activePopupWidget()->pos(), list);
}

void TstTitleBar::screenshot()
{
    plugFresh({"TB-0081", "TB-0082"});
    Harness harness;
    harness.window->show();
    harness.Start();
    QTest::qWait(50);   // let the nested layouts settle before grabbing
    QVERIFY(lvtest::saveScreenshot(harness.title, "shell_titlebar"));
    QMenu* menu = harness.title->GetDeviceMenu();
    menu->popup(harness.title->mapToGlobal(QPoint(200, 30)));
    QTRY_VERIFY(menu->isVisible());
    QVERIFY(lvtest::saveScreenshot(menu, "shell_titlebar_menu"));
    menu->hide();
}

LV_EMULATED_QTEST_MAIN(TstTitleBar)
#include "tst_titlebar.moc"
