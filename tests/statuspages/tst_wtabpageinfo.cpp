// The Info page: what it shows from the emulated device, its report block, and the
// firmware update cell driven by the update manager's signals, with the upgrade dialog.

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMutexLocker>
#include <QTimer>

#include "device/lumivandrexpresenter.h"
#include "device/reportaccess.h"
#include "device/usbids.h"
#include "lvemulatortest.h"
#include "lvpagetestsupport.h"
#include "lvtestsupport.h"
#include "statuspages/wtabpageinfo.h"
#include "toolkit/qwrappermsgbox.h"
#include "toolkit/qwrappertablewidget.h"
#include "update/wfirmwareinfodlg.h"
#include "update/wfirmwareupgradedlg.h"
#include "update/wprogressbar.h"
#include "update/wprogresscir.h"

using lvtest::answerNextBox;
using lvtest::deviceCount;

class TstWTabPageInfo : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void signalTexts_data();
    void signalTexts();
    void reportMatchesPage();
    void checkAndDownloadMoveTheCell();
    void firmwareFileKeptUntilReset();
    void upgradeRunProgressAndEndings_data();
    void upgradeRunProgressAndEndings();
    void refusedFileEndsClosable();
    void noOfferWithoutDevice();
    void dialogPieces();

private:
    // Identity is read when a device is attached: replug and wait for the new instance.
    void replugAndWait(char familyInitial)
    {
        lvemu::EmulatedBus::instance().unplug(m_device);
        QVERIFY(QTest::qWaitFor([] { return deviceCount() == 0; }, 5000));
        lvemu::EmulatedBus::instance().plug(m_device);
        QVERIFY(QTest::qWaitFor([familyInitial] {
            QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
            tagDEVICE_INSTANCE* instance = g_presenter.GetDeviceInstance(0);
            return instance && instance->deviceInfo.familyName[0] == familyInitial;
        }, 5000));
        g_presenter.SetCurrentIndex(0, false);
    }

    std::shared_ptr<lvemu::EmulatedDevice> m_device;
};

void TstWTabPageInfo::initTestCase()
{
    m_device = lvemu::EmulatedBus::instance().plug(lvusb::kVendorMain, lvusb::kProductRangeBFirst, "INFO0001");
    lvtest::startPresenter();
    QVERIFY(QTest::qWaitFor([] { return deviceCount() == 1; }, 5000));
    g_presenter.SetCurrentIndex(0, false);
    g_updateManager.setInitializedForTest(true);
}

void TstWTabPageInfo::init()
{
    m_device->clearFaults();
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    if (tagDEVICE_INSTANCE* instance = g_presenter.GetCurrentInstance())
        instance->replugPending = 0;
}

void TstWTabPageInfo::signalTexts_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("interlaced");
    QTest::addColumn<int>("segmented");
    QTest::addColumn<uint>("duration");
    QTest::addColumn<QString>("video");
    QTest::newRow("1080p60") << 3 << 0 << 0 << 166667u << "1920 x 1080p, 60.00 Hz";
    QTest::newRow("1080i59.94") << 3 << 1 << 0 << 333667u << "1920 x 1080i, 59.94 Hz";
    QTest::newRow("segmented") << 3 << 1 << 1 << 400000u << "1920 x 1080sF, 25.00 Hz";
    QTest::newRow("zero duration") << 3 << 0 << 0 << 0u << "1920 x 1080p, N/A";
    QTest::newRow("locking") << 2 << 0 << 0 << 0u << "Locking Signal";
    QTest::newRow("state 4") << 4 << 0 << 0 << 0u << "";
}

void TstWTabPageInfo::signalTexts()
{
    QFETCH(int, state);
    QFETCH(int, interlaced);
    QFETCH(int, segmented);
    QFETCH(uint, duration);
    QFETCH(QString, video);
    _KVCAP_VIDEO_STATUS status = m_device->record<_KVCAP_VIDEO_STATUS>(0x11);
    status.state = state;
    status.interlaced = uint8_t(interlaced);
    status.segmented = uint8_t(segmented);
    status.frameDuration = duration;
    m_device->setRecord(0x11, status);
    _KVCAP_AUDIO_STATUS audio = m_device->record<_KVCAP_AUDIO_STATUS>(0x12);
    audio.bitsPerSample = 24;
    m_device->setRecord(0x12, audio);

    WTabPageInfo page;
    page.InitPage(0, true);
    const QStringList values = page.GetValues();
    QCOMPARE(values.size(), 10);
    QCOMPARE(values.at(1), QStringLiteral("Lumivandrex Capture SDI 1"));
    QCOMPARE(values.at(2), QStringLiteral("INFO0001"));
    QCOMPARE(values.at(3), QStringLiteral("1.2.3"));
    QCOMPARE(values.at(4), QStringLiteral("B"));
    QCOMPARE(values.at(5), video);
    QCOMPARE(values.at(6), QStringLiteral("48000 Hz, 24 bits, LPCM"));
    QCOMPARE(values.at(7), QStringLiteral("USB 3.0"));
    QCOMPARE(values.at(8), QStringLiteral("4096x2160 Pixels"));
    QCOMPARE(page.GetPictureName(), QStringLiteral("capture_sdi"));

    // A failed read shows unknown (empty), neither zeros nor another report's value.
    m_device->stallReport(0x12);
    page.InitPage(0, false);
    QCOMPARE(page.GetValues().at(6), QString());
}

void TstWTabPageInfo::reportMatchesPage()
{
    _KVCAP_DEVICE_INFO info = m_device->deviceInfo();
    const _KVCAP_DEVICE_INFO original = info;
    memcpy(info.familyName, "<b>Fam&", 8);
    memset(info.serialNumber, 'S', sizeof info.serialNumber);   // no terminator in the field
    m_device->setDeviceInfo(info);
    replugAndWait('<');

    WTabPageInfo page;
    page.InitPage(0, true);
    const QString serial = page.GetValues().at(2);   // never read past the 18-byte field
    QVERIFY(serial.startsWith(QString(17, QLatin1Char('S'))) && serial.size() <= 18);
    const QString block = page.GetExportInfo();
    QVERIFY(block.contains("<tr><th>Family name:</th><td>&lt;b&gt;Fam&amp;</td></tr>\r\n"));
    QVERIFY(block.contains("<tr><th>Serial number:</th><td>" + serial + "</td></tr>\r\n"));
    QVERIFY(block.contains("<tr><th>Video signal format:</th><td>" + page.GetValues().at(5) + "</td></tr>"));
    QCOMPARE(block.count("<tr>"), 10);
    QVERIFY(lvtest::saveScreenshot(&page, "info_page"));

    m_device->setDeviceInfo(original);
    replugAndWait('L');
}

void TstWTabPageInfo::checkAndDownloadMoveTheCell()
{
    WTabPageInfo page;
    page.InitPage(0, true);
    QWrapperTableWidget* table = page.GetInfoTable();
    QCOMPARE(table->GetOptType(), int(OPT_UI_CHECK));
    const struct { int check; int state; } checks[] = {{1, OPT_UI_CHECKING}, {0, OPT_UI_CHECKFAILED},
                                                        {2, OPT_UI_LATEST}, {7, OPT_UI_LATEST}};
    for (const auto& c : checks) {
        emit g_updateManager.statusChangedCheckFirmware(c.check);
        QCOMPARE(table->GetOptType(), c.state);
    }

    emit g_updateManager.statusChangedDownloadFirmware(1, 40);
    QCOMPARE(table->GetOptType(), int(OPT_UI_DOWNLOADING));
    emit g_updateManager.statusChangedDownloadFirmware(0, -1);
    QCOMPARE(table->GetOptType(), int(OPT_UI_DOWNFAILED));

    // Cancelling asks; "Yes" goes back to the offer.
    emit g_updateManager.statusChangedDownloadFirmware(1, 5);
    QString question;
    answerNextBox(true, &question);
    page.onClickFirmwareOpt(OPT_UI_DOWNLOADING);
    QCOMPARE(question, QStringLiteral("Do you really want to stop downloading the new version?"));
    QCOMPARE(table->GetOptType(), int(OPT_UI_NEWVER));
}

// A downloaded file survives refreshes and notifications, and a reset while it waits
// to be flashed; it goes with a reset in any other state.
void TstWTabPageInfo::firmwareFileKeptUntilReset()
{
    WTabPageInfo page;
    page.InitPage(0, true);
    emit g_updateManager.statusChangedCheckFirmware(3);
    page.onClickFirmwareOpt(OPT_UI_NEWVER);
    const QString path = page.GetFirmwareFilePath();
    QVERIFY(path.startsWith(CUpdateManager::GetDownloadDir() + "/"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("KVFH");
    file.close();
    emit g_updateManager.statusChangedDownloadFirmware(2, 100);
    QCOMPARE(page.GetInfoTable()->GetOptType(), int(OPT_UI_UPGRADE));

    page.OnInputStatusChanged2(0x40);
    page.InitPage(0, true);
    QVERIFY(QFile::exists(path));
    QCOMPARE(page.GetInfoTable()->GetOptType(), int(OPT_UI_UPGRADE));

    emit g_updateManager.statusChangedCheckFirmware(2);   // the cell moved on: a reset discards it
    page.InitPage(0, true);
    QVERIFY(!QFile::exists(path));
}

void TstWTabPageInfo::upgradeRunProgressAndEndings_data()
{
    QTest::addColumn<int>("finalStatus");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("cell");
    QTest::addColumn<int>("replug");
    QTest::newRow("success") << 7 << int(WFirmwareUpgradeDlg::PageSuccess) << int(OPT_UI_UPSUCCESS) << 1;
    QTest::newRow("header write failed") << 5 << int(WFirmwareUpgradeDlg::PageFailed) << int(OPT_UI_UPFAILED) << 2;
    QTest::newRow("verify failed") << 8 << int(WFirmwareUpgradeDlg::PageFailed) << int(OPT_UI_UPFAILED) << 2;
}

// The dialog run as the cell drives it: progress figures, the final page, the cell,
// the replug flag keeping the outcome, and a later reset showing that outcome.
void TstWTabPageInfo::upgradeRunProgressAndEndings()
{
    QFETCH(int, finalStatus);
    QFETCH(int, page);
    QFETCH(int, cell);
    QFETCH(int, replug);
    WTabPageInfo info;
    QList<int> statuses;
    connect(&info, &WTabPageInfo::sigUpgradeStatus, [&](int s) { statuses << s; });
    int lastPage = -1;
    QString damagedText;
    QTimer::singleShot(0, [&] {
        WFirmwareUpgradeDlg* dlg = info.GetUpgradeDialog();
        QVERIFY(dlg);
        // As if the flashing thread had started: no manager thread in this suite.
        dlg->SetCurrentStack(WFirmwareUpgradeDlg::PageProgress);
        info.onStatusChangedUpgrade(2, 100);
        QCOMPARE(dlg->GetProgressCir()->GetText(), QStringLiteral("33%"));
        QCOMPARE(dlg->GetProgressCir()->GetValue(), 120);
        info.onStatusChangedUpgrade(4, 0);
        QCOMPARE(dlg->GetProgressCir()->GetValue(), 118);
        info.onStatusChangedUpgrade(4, 50);
        QCOMPARE(dlg->GetProgressCir()->GetText(), QStringLiteral("49%"));
        QCOMPARE(dlg->GetProgressCir()->GetValue(), 176);
        info.onStatusChangedUpgrade(0, 10);   // ignored
        info.onStatusChangedUpgrade(6, 30);
        QCOMPARE(dlg->GetProgressBar(2)->GetValue(), 100);
        QCOMPARE(dlg->GetProgressBar(3)->GetValue(), 30);
        lvtest::saveScreenshot(dlg, "upgrade_dialog_progress");
        if (finalStatus != 7)
            answerNextBox(true, &damagedText);
        info.onStatusChangedUpgrade(finalStatus, 100);
        lastPage = dlg->GetCurrentStack();
        lvtest::saveScreenshot(dlg, finalStatus == 7 ? "upgrade_dialog_success" : "upgrade_dialog_failed");
        dlg->reject();
    });
    emit g_updateManager.statusChangedDownloadFirmware(2, 100);
    info.onClickFirmwareOpt(OPT_UI_UPGRADE);
    QCOMPARE(lastPage, page);
    QCOMPARE(info.GetInfoTable()->GetOptType(), cell);
    QCOMPARE(statuses, QList<int>{2});
    QVERIFY(!info.GetUpgradeDialog());
    QCOMPARE(damagedText.isEmpty(), finalStatus == 7);
    const QString outcome = info.GetInfoTable()->GetVersionLabel()->text();   // a refresh keeps it on screen
    info.OnInputStatusChanged2(0x40);
    QCOMPARE(info.GetInfoTable()->GetVersionLabel()->text(), outcome);
    QVERIFY(outcome.startsWith(finalStatus == 7 ? "Update succeed" : "The device may have been damaged"));
    {
        QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
        QCOMPARE(int(g_presenter.GetCurrentInstance()->replugPending), replug);
    }
    info.InitPage(0, true);
    QCOMPARE(info.GetInfoTable()->GetOptType(), cell);
}

// A file missing when the flashing starts, and a file the manager refuses: neither
// touches the device or its replug flag, both end on a page that can be closed, and
// losing the device then brings no damaged-device notice.
void TstWTabPageInfo::refusedFileEndsClosable()
{
    WTabPageInfo info;
    int missingPage = -1;
    int refusedPage = -1;
    QString refusedText;
    QTimer::singleShot(0, [&] {
        WFirmwareUpgradeDlg* dlg = info.GetUpgradeDialog();
        emit dlg->sigUpdate();   // nothing downloaded: no file
        missingPage = dlg->GetCurrentStack();
        lvtest::saveScreenshot(dlg, "upgrade_dialog_missing");
        info.onStatusChangedUpgrade(1, 0);   // refused by the flashing thread: older file
        refusedPage = dlg->GetCurrentStack();
        refusedText = dlg->GetFailureText();
        g_presenter.SetCurrentIndex(-1, false);   // the device is lost: the dialog hears it
        dlg->OnHandleUI();
        QTimer::singleShot(100, [&] {
            if (auto* box = qobject_cast<QWrapperMsgBox*>(QApplication::activeModalWidget()))
                refusedText = box->GetText(), box->OnOKClicked();
        });
    });
    emit g_updateManager.statusChangedDownloadFirmware(2, 100);
    m_device->clearTransfers();
    info.onClickFirmwareOpt(OPT_UI_UPGRADE);
    QCOMPARE(missingPage, int(WFirmwareUpgradeDlg::PageFileMissing));
    QCOMPARE(refusedPage, int(WFirmwareUpgradeDlg::PageFailed));
    QTest::qWait(200);
    g_presenter.SetCurrentIndex(0, false);
    QVERIFY(refusedText.startsWith("Update failed\n"));   // and no notice after it
    QCOMPARE(m_device->transferCount(), 0);
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    QCOMPARE(int(g_presenter.GetCurrentInstance()->replugPending), 0);
}

// After the device is lost the cell offers nothing: not when the loss answers the
// "stop downloading?" question, not when a check result arrives late.
void TstWTabPageInfo::noOfferWithoutDevice()
{
    WTabPageInfo info;
    emit g_updateManager.statusChangedCheckFirmware(3);
    emit g_updateManager.statusChangedDownloadFirmware(1, 30);
    lvtest::onNextModal<QWrapperMsgBox>([&](QWrapperMsgBox* box) {
        g_presenter.SetCurrentIndex(-1, false);
        info.InitPage(0, true);   // the tab container's reload after the loss
        box->accept();            // what the loss does to this question
    });
    info.onClickFirmwareOpt(OPT_UI_DOWNLOADING);
    emit g_updateManager.statusChangedCheckFirmware(3);
    g_presenter.SetCurrentIndex(0, false);
    QCOMPARE(info.GetInfoTable()->GetOptType(), int(OPT_UI_NONE));
}

void TstWTabPageInfo::dialogPieces()
{
    const QString html = WFirmwareInfoDlg::ChangeLogHtml("x###3.0.1##Fixed <A>##Added B###3.0.0##First");
    QCOMPARE(html.count("<font color=\"#2A8DD3\" size=\"4\">"), 2);
    QVERIFY(html.contains(">1. </th><td style=\"padding-top: 8px;\">Fixed &lt;A&gt;</td>"));
    QVERIFY(html.contains(">2. </th><td style=\"padding-top: 8px;\">Added B</td>"));
    QVERIFY(!WFirmwareInfoDlg::ChangeLogHtml("no sections").contains("<table>"));

    WFirmwareUpgradeDlg dlg("1.2.3", "1.3.0", nullptr);
    dlg.SetCurrentStack(6);
    dlg.SetValue(4, 50);
    QCOMPARE(dlg.GetCurrentStack(), int(WFirmwareUpgradeDlg::PageConfirm));
    lvtest::saveScreenshot(&dlg, "upgrade_dialog_confirm");
    dlg.SetValue(2, 70);
    dlg.SetText(1, "Erasing", Qt::blue);
    dlg.SetCurrentStack(WFirmwareUpgradeDlg::PageProgress);
    QCOMPARE(dlg.GetProgressBar(2)->GetValue(), 0);
    QCOMPARE(dlg.GetProgressCir()->GetValue(), 0);
    QCOMPARE(WProgressCir::EndCapColour(0), QColor(72, 207, 213));
    QCOMPARE(WProgressCir::EndCapColour(180), QColor(63, 158, 255));
    QCOMPARE(WProgressCir::EndCapColour(360), QColor(72, 207, 213));
}

LV_EMULATED_QTEST_MAIN(TstWTabPageInfo)
#include "tst_wtabpageinfo.moc"
