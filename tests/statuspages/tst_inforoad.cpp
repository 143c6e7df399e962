// The Info page's firmware cell end to end: the update manager checks and downloads
// from the loopback update server, the upgrade dialog flashes the emulated device,
// and each failure ends on its page and cell state without a hang.

#include <QSettings>

#include "../update/kvffile.h"
#include "../update/updatetestserver.h"
#include "device/usbids.h"
#include "lvemulatortest.h"
#include "lvpagetestsupport.h"
#include "statuspages/wtabpageinfo.h"
#include "toolkit/qwrappermsgbox.h"
#include "toolkit/qwrappertablewidget.h"
#include "update/wfirmwareupgradedlg.h"

namespace {

using lvtest::deviceCount;

// Dismisses every message box shown from now on ("OK"), counting them.
struct BoxAnswerer : QObject {
    int answered = 0;
    BoxAnswerer() { startTimer(20); }
    void timerEvent(QTimerEvent*) override
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QWrapperMsgBox*>(w); box && box->isVisible())
                box->OnOKClicked(), ++answered;
    }
};

} // namespace

class TstInfoRoad : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void road_data();
    void road();
    void cleanupTestCase();

private:
    void plugAndSelect();
    int cell() const { return m_page->GetInfoTable()->GetOptType(); }

    UpdateTestServer m_server;
    QTemporaryDir m_dir;
    prestest::FakeTimerCtrl m_timer;
    std::shared_ptr<lvemu::EmulatedDevice> m_dev;
    std::unique_ptr<WTabPageInfo> m_page;
};

void TstInfoRoad::initTestCase()
{
    QVERIFY(m_server.start());
    qputenv("XDG_CACHE_HOME", m_dir.filePath("cache").toUtf8());
    m_dev = lvemu::EmulatedBus::instance().plug(lvusb::kVendorMain, lvusb::kProductMainSingle, "ROAD0001");
    g_presenter.SetNotifyTimerCtrl(&m_timer);
    g_presenter.SetTimingForTest(10, 500);
    QVERIFY(g_presenter.Init());
    g_presenter.SetCurrentIndex(0, false);

    const QString ini = m_server.writeConfig(m_dir.filePath("update.ini"), "FirmwareURL", "/fw.json");
    g_updateManager.SetIntervalsForTest(20, 24 * 3600 * 1000);
    QVERIFY(g_updateManager.Init(ini));
}

void TstInfoRoad::plugAndSelect()
{
    if (deviceCount() == 0) {
        lvemu::EmulatedBus::instance().plug(m_dev);
        QVERIFY(QTest::qWaitFor([] { return deviceCount() == 1; }, 5000));
    }
    g_presenter.SetCurrentIndex(0, false);
}

void TstInfoRoad::road_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("endCell");
    QTest::addColumn<int>("endPage");
    QTest::newRow("success") << "" << int(OPT_UI_UPSUCCESS) << int(WFirmwareUpgradeDlg::PageSuccess);
    QTest::newRow("server down") << "down" << int(OPT_UI_CHECKFAILED) << -1;
    QTest::newRow("bad MD5") << "md5" << int(OPT_UI_DOWNFAILED) << -1;
    QTest::newRow("write stall") << "stall" << int(OPT_UI_UPFAILED) << int(WFirmwareUpgradeDlg::PageFailed);
    QTest::newRow("unplug mid-flash") << "unplug" << int(OPT_UI_NONE) << int(WFirmwareUpgradeDlg::PageDeviceLost);
}

void TstInfoRoad::road()
{
    QFETCH(QString, fault);
    QFETCH(int, endCell);
    QFETCH(int, endPage);
    plugAndSelect();
    m_dev->clearFaults();
    {
        QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
        g_presenter.GetCurrentInstance()->replugPending = 0;
    }
    m_page.reset(new WTabPageInfo);
    m_page->InitPage(0, true);
    QCOMPARE(cell(), int(OPT_UI_CHECK));

    const _KVCAP_DEVICE_INFO info = m_dev->deviceInfo();
    prestest::FirmwareImage image = imageFor(*m_dev, 0x01030000);
    image.add("Main.App", 0x120000, 0x1800, 7);
    const QStringList file = m_server.addFile("fw_1.3.0.kvf", kvfBytes(image));
    m_server.setOffers({{"1.3.0", file.at(0), file.at(1), "###1.3.0##Faster start"}});
    m_server.setKnobs(fault == "down" ? QJsonObject{{"error", 503}} : QJsonObject{});

    // The check, as the main window starts it, then the cell's own clicks.
    char texts[4][32] = {};
    qsnprintf(texts[0], 32, "%d", info.productId);
    qsnprintf(texts[1], 32, "%d", info.identifier);
    qsnprintf(texts[2], 32, "%c", info.hardwareVersion);
    qsnprintf(texts[3], 32, "1.2.3");
    _KVUPDATE_FIRMWARE_INFO firmware{{texts[0], texts[1], texts[2], texts[3]}};
    g_updateManager.StartCheckFirmware(&firmware);
    QTRY_VERIFY_WITH_TIMEOUT(cell() != OPT_UI_CHECK && cell() != OPT_UI_CHECKING, 10000);
    if (fault == "down") {
        QCOMPARE(cell(), endCell);
        return;
    }
    QCOMPARE(cell(), int(OPT_UI_NEWVER));
    QVERIFY(m_page->GetReleaseNotes().startsWith("###Version 1.3.0###1.3.0##Faster start"));
    if (fault == "md5")
        m_server.setKnobs({{"badmd5", 1}});   // the file changes on the way
    m_page->onClickFirmwareOpt(OPT_UI_NEWVER);
    QTRY_VERIFY_WITH_TIMEOUT(cell() == OPT_UI_UPGRADE || cell() == OPT_UI_DOWNFAILED, 10000);
    if (fault == "md5") {
        QCOMPARE(cell(), endCell);
        QVERIFY(!QFile::exists(m_page->GetFirmwareFilePath()));
        return;
    }
    QVERIFY(QFile::exists(m_page->GetFirmwareFilePath()));

    if (fault == "stall")
        m_dev->stallReport(0xF3);
    if (fault == "unplug")
        m_dev->unplugOnTransfer(0xF3);
    BoxAnswerer answerer;
    int lastPage = -1;
    QTimer::singleShot(0, [&] {
        WFirmwareUpgradeDlg* dlg = m_page->GetUpgradeDialog();
        emit dlg->sigUpdate();
        QVERIFY(QTest::qWaitFor([&] { return !m_page->GetUpgradeDialog() || dlg->GetCurrentStack() == endPage; }, 20000));
        if (m_page->GetUpgradeDialog()) {
            lastPage = dlg->GetCurrentStack();
            dlg->reject();
        }
    });
    m_page->onClickFirmwareOpt(OPT_UI_UPGRADE);   // runs the dialog until it closes
    if (lastPage < 0)
        lastPage = WFirmwareUpgradeDlg::PageDeviceLost;   // closed by the device loss itself
    QCOMPARE(lastPage, endPage);
    if (fault == "unplug") {
        // Whether the failed write or the loss came first, never success; the tab
        // container's reload after the loss then finds no device.
        QVERIFY(cell() != OPT_UI_UPSUCCESS);
        QTRY_VERIFY_WITH_TIMEOUT(deviceCount() == 0, 5000);
        m_page->InitPage(0, true);
    }
    QTRY_COMPARE_WITH_TIMEOUT(cell(), endCell, 5000);
    QCOMPARE(answerer.answered, fault.isEmpty() ? 0 : 1);   // the damaged-device notice after a failure
    if (fault.isEmpty()) {
        const std::vector<unsigned char> data = image.data[0];
        QCOMPARE(m_dev->flash(0x120000, 0x1800), lvemu::Bytes(data.begin(), data.end()));
    }
    QTRY_VERIFY_WITH_TIMEOUT(!g_presenter.IsFirmwareUpgrading(), 10000);
}

void TstInfoRoad::cleanupTestCase()
{
    m_page.reset();
    g_updateManager.Exit();
    g_presenter.Exit();
}

LV_EMULATED_QTEST_MAIN(TstInfoRoad)
#include "tst_inforoad.moc"
