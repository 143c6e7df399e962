// The settings bar's commit report against the emulated device: what "Save to
// Device" and "Reset to Defaults" send for each pending state and answer, and what
// happens when the device refuses the write.

#include "lvemulatortest.h"
#include "shell1testsupport.h"
#include "lvtestsupport.h"

#include "settingspages/wtabpagevideo.h"
#include "shell/startup.h"
#include "shell/wsetbtn.h"
#include "statuspages/wtabpageinfo.h"

using namespace shelltest;

Q_DECLARE_METATYPE(QList<int>)

class TstSettingsBar : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void commitSequences_data();
    void commitSequences();
    void resetReloadsPagesPartially();
    void buttonsFollowDeviceCount();
    void disablingFocusedSaveMovesFocusToSelector();
    void screenshot();

private:
    std::vector<DevicePtr> m_devices;
};

void TstSettingsBar::initTestCase()
{
    ApplyStartupLook({});   // the boxes' sizes are those of the program's default font
    startPresenter();
}

void TstSettingsBar::cleanupTestCase()
{
    g_presenter.Exit();
}

void TstSettingsBar::init()
{
    g_presenter.SetUIChanged(false, UI_CHANGE_IMMEDIATE);
    g_presenter.SetUIChangeType(UI_CHANGE_IMMEDIATE);
    m_devices = plugFresh({"SB-0001"});
    QCOMPARE(deviceCount(), 1);
}

void TstSettingsBar::commitSequences_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("type");
    QTest::addColumn<QList<int>>("answers");       // BoxAnswerer::Answer, in order
    QTest::addColumn<bool>("refuseWrite");
    QTest::addColumn<QList<int>>("attempted");     // 0xFE values sent
    QTest::addColumn<QList<int>>("accepted");      // 0xFE values the device took
    QTest::addColumn<bool>("pendingAfter");
    QTest::addColumn<int>("typeAfter");
    QTest::addColumn<QString>("firstBoxText");
    QTest::addColumn<int>("firstBoxHeight");

    const int ok = BoxAnswerer::ClickOk, cancel = BoxAnswerer::ClickCancel, esc = BoxAnswerer::PressEscape;
    const QString notice1 = "Some options will only take effect after reconnecting the device.";
    const QString notice2 = "Some options will only take effect after reconnecting the device and rebooting the computer.";
    const QString reset = "This operation will use default settings.";

    QTest::newRow("save, type 0: no notice")
        << "save" << 0 << QList<int>{} << false << QList<int>{2} << QList<int>{2} << false << 0 << QString() << 0;
    QTest::newRow("save, type 1: reconnect notice")
        << "save" << 1 << QList<int>{ok} << false << QList<int>{2} << QList<int>{2} << false << 0 << notice1 << 240;
    QTest::newRow("save, type 2: reboot notice")
        << "save" << 2 << QList<int>{ok} << false << QList<int>{2} << QList<int>{2} << false << 0 << notice2 << 240;
    QTest::newRow("save, type 2: notice closed with Esc saves nothing")
        << "save" << 2 << QList<int>{esc} << false << QList<int>{} << QList<int>{} << true << 2 << notice2 << 240;
    QTest::newRow("save refused by the device keeps the pending state")
        << "save" << 1 << QList<int>{ok, ok} << true << QList<int>{2} << QList<int>{} << true << 1 << notice1 << 240;
    QTest::newRow("save, type 0, refused")
        << "save" << 0 << QList<int>{ok} << true << QList<int>{2} << QList<int>{} << true << 0
        << "Failed to save the settings to the device. The changes are still pending." << 240;
    QTest::newRow("reset, Yes: restore then save; type stays")
        << "reset" << 2 << QList<int>{ok} << false << QList<int>{0, 2} << QList<int>{0, 2} << false << 2 << reset << 260;
    QTest::newRow("reset, No") << "reset" << 2 << QList<int>{cancel} << false << QList<int>{} << QList<int>{} << true
                               << 2 << reset << 260;
    QTest::newRow("reset, Esc") << "reset" << 1 << QList<int>{esc} << false << QList<int>{} << QList<int>{} << true
                                << 1 << reset << 260;
    QTest::newRow("reset refused: no save after a failed restore")
        << "reset" << 1 << QList<int>{ok, ok} << true << QList<int>{0} << QList<int>{} << true << 1 << reset << 260;
}

void TstSettingsBar::commitSequences()
{
    QFETCH(QString, button);
    QFETCH(int, type);
    QFETCH(QList<int>, answers);
    QFETCH(bool, refuseWrite);
    QFETCH(QList<int>, attempted);
    QFETCH(QList<int>, accepted);
    QFETCH(bool, pendingAfter);
    QFETCH(int, typeAfter);
    QFETCH(QString, firstBoxText);
    QFETCH(int, firstBoxHeight);

    Harness harness;
    harness.Start();
    const DevicePtr& device = m_devices.front();

    g_presenter.SetUIChanged(true, _UI_CHANGE_TYPE(type));
    QTRY_VERIFY(harness.bar->GetSaveButton()->isEnabled());
    QCOMPARE(int(g_presenter.GetUIChangeType()), type);
    device->clearTransfers();
    device->stallReport(0xFE, refuseWrite);

    BoxAnswerer answerer;
    for (int answer : answers)
        answerer.Expect(BoxAnswerer::Answer(answer));
    QSignalSpy saved(harness.bar, &SettingsBar::okBtnClicked);
    QSignalSpy reset(harness.bar, &SettingsBar::defaultBtnClicked);

    if (button == "save")
        harness.bar->GetSaveButton()->click();
    else
        harness.bar->GetDefaultButton()->click();
    QCoreApplication::processEvents();
    device->stallReport(0xFE, false);

    QCOMPARE(answerer.Unanswered(), 0);
    QCOMPARE(answerer.SeenBoxes().size(), answers.size());
    if (!firstBoxText.isEmpty()) {
        QVERIFY2(answerer.SeenBoxes().first().text.startsWith(firstBoxText), qPrintable(answerer.SeenBoxes().first().text));
        QCOMPARE(answerer.SeenBoxes().first().height, firstBoxHeight);
    }
    QCOMPARE(commits(device), attempted);
    QCOMPARE(commits(device, true), accepted);
    QCOMPARE(g_presenter.IsUIChanged(), pendingAfter);
    QCOMPARE(int(g_presenter.GetUIChangeType()), typeAfter);
    QTRY_COMPARE(harness.bar->GetSaveButton()->isEnabled(), pendingAfter);
    QCOMPARE(saved.count(), button == "save" && !accepted.isEmpty() ? 1 : 0);
    QCOMPARE(reset.count(), button == "reset" && accepted == (QList<int>{0, 2}) ? 1 : 0);
    // Only a commit that the device took moves the saved copy.
    if (accepted.contains(2))
        QCOMPARE(device->commitCount(2), 1);
}

void TstSettingsBar::resetReloadsPagesPartially()
{
    Harness harness;
    harness.Start();
    QSignalSpy info(harness.pages->GetInfoPage(), &WTabPageInfo::sigPageRefreshed);
    QSignalSpy video(harness.pages->GetVideoPage(), &WTabPageVideo::sigPageRefreshed);
    BoxAnswerer answerer;
    answerer.Expect(BoxAnswerer::ClickOk);
    harness.bar->GetDefaultButton()->click();
    QCOMPARE(commits(m_devices.front(), true), (QList<int>{0, 2}));
    QCOMPARE(info.count(), 0);   // the partial reload leaves the Info page alone
    QCOMPARE(video.count(), 1);
    QCOMPARE(video.first().at(1).toBool(), false);
}

void TstSettingsBar::buttonsFollowDeviceCount()
{
    Harness harness;
    harness.Start();
    QTRY_VERIFY(harness.bar->GetExportButton()->isEnabled());
    QVERIFY(harness.bar->GetDefaultButton()->isEnabled());
    QVERIFY(!harness.bar->GetSaveButton()->isEnabled());

    g_presenter.SetUIChanged(true, UI_CHANGE_IMMEDIATE);
    QTRY_VERIFY(harness.bar->GetSaveButton()->isEnabled());

    BoxAnswerer answerer;
    answerer.Expect(BoxAnswerer::ClickOk);   // "Couldn't detect the device..."
    lvemu::EmulatedBus::instance().unplugAll();
    QVERIFY(waitForDeviceCount(0));
    // The loss clears the pending state and type; all three buttons go grey.
    QTRY_VERIFY(!harness.bar->GetExportButton()->isEnabled());
    QVERIFY(!harness.bar->GetDefaultButton()->isEnabled());
    QVERIFY(!harness.bar->GetSaveButton()->isEnabled());
    QVERIFY(!g_presenter.IsUIChanged());
    QCOMPARE(int(g_presenter.GetUIChangeType()), 0);
    QTRY_COMPARE(answerer.SeenBoxes().size(), 1);
    QCOMPARE(answerer.SeenBoxes().first().objectName, QStringLiteral("msgbox_device_lost"));
}

void TstSettingsBar::disablingFocusedSaveMovesFocusToSelector()
{
    Harness harness;
    harness.window->show();
    QVERIFY(QTest::qWaitForWindowActive(harness.window.get()));
    harness.Start();
    g_presenter.SetUIChanged(true, UI_CHANGE_IMMEDIATE);
    QTRY_VERIFY(harness.bar->GetSaveButton()->isEnabled());
    harness.bar->GetSaveButton()->setFocus();
    QTRY_VERIFY(harness.bar->GetSaveButton()->hasFocus());
    g_presenter.SetUIChanged(false, UI_CHANGE_IMMEDIATE);
    QTRY_VERIFY(!harness.bar->GetSaveButton()->isEnabled());
    QVERIFY(harness.title->GetCenterWidget()->hasFocus());

    // Right arrow on the last enabled button wraps to "Save Report...".
    harness.bar->GetDefaultButton()->setFocus();
    QTest::keyClick(harness.bar->GetDefaultButton(), Qt::Key_Right);
    QVERIFY(harness.bar->GetExportButton()->hasFocus());
    QTest::keyClick(harness.bar->GetExportButton(), Qt::Key_Left);
    QVERIFY(harness.bar->GetDefaultButton()->hasFocus());
}

void TstSettingsBar::screenshot()
{
    Harness harness;
    harness.Start();
    g_presenter.SetUIChanged(true, UI_CHANGE_IMMEDIATE);
    QTRY_VERIFY(harness.bar->GetSaveButton()->isEnabled());
    harness.bar->resize(592, 40);
    QVERIFY(lvtest::saveScreenshot(harness.bar, "shell_settingsbar"));
}

LV_EMULATED_QTEST_MAIN(TstSettingsBar)
#include "tst_settingsbar.moc"
