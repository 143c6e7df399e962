// The software update dialog's pages and their road, driven by the update manager's
// status signals; its upgrade log and progress figures.

#include <QtTest>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSettings>
#include <QTemporaryDir>

#include "logging/lvlogger.h"
#include "lvtestfiles.h"
#include "lvtestsupport.h"
#include "update/appupgradedialog.h"
#include "update/progresscircle.h"
#include "update/wfirmwareupgradedlg.h"
#include "updatetestserver.h"

class TstAppUpgradeDialog : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void checkPageRoad();
    void downloadPageRoad();
    void upgradeLogAndPercent();
    void downloadPathIsPrivate();
    void roadAgainstServer_data();
    void roadAgainstServer();
    void cleanupTestCase();

private:
    QTemporaryDir m_home;
    UpdateTestServer m_server;
};

void TstAppUpgradeDialog::initTestCase()
{
    QVERIFY(m_home.isValid());
    qputenv("XDG_CACHE_HOME", m_home.path().toUtf8());
    QStandardPaths::setTestModeEnabled(false);
    QVERIFY(m_server.start());
    lvlogger::LvLogger::createInstance(this)->setLogLevels_file(lvlogger::ENABLE_LOG_LEVELS);
    QVERIFY(lvlogger::LvLogger::getInstance()->setLogFileName(m_home.filePath("lv.log"), 1 << 24, 2));
    const QString ini = m_server.writeConfig(m_home.filePath("update.ini"), "SoftwareURL", "/sw.json");
    g_updateManager.SetIntervalsForTest(20, 24 * 3600 * 1000);
    QVERIFY(g_updateManager.Init(ini));
}

void TstAppUpgradeDialog::cleanupTestCase()
{
    g_updateManager.Exit();
}

void TstAppUpgradeDialog::checkPageRoad()
{
    AppUpgradeDialog dialog(nullptr);
    CheckWindow* check = dialog.GetCheckWindow();
    QCOMPARE(check->getState(), int(CheckWindow::StateChecking));
    QCOMPARE(check->getText(), QStringLiteral("Checking for updates..."));

    emit g_updateManager.statusChangedCheckSoftware(0);
    QCOMPARE(check->getState(), int(CheckWindow::StateConnectFailed));
    lvtest::saveScreenshot(&dialog, "app_upgrade_failed");
    check->onBtnClickedNext();   // retry
    QCOMPARE(check->getState(), int(CheckWindow::StateChecking));
    check->onBtnClickedNext();   // cancel while checking
    QCOMPARE(check->getState(), int(CheckWindow::StateConnectFailed));

    emit g_updateManager.statusChangedCheckSoftware(2);
    QCOMPARE(check->getState(), int(CheckWindow::StateUpToDate));
    QVERIFY(check->getText().endsWith(QStringLiteral("3.0.4.30002")));
    QVERIFY(!dialog.GetDownloadWindow());
    lvtest::saveScreenshot(&dialog, "app_upgrade_latest");
    // "OK" on the up-to-date page ends the dialog with 0.
    QTimer::singleShot(0, check, &CheckWindow::onBtnClickedNext);
    QCOMPARE(dialog.exec(), 0);
}

void TstAppUpgradeDialog::downloadPageRoad()
{
    AppUpgradeDialog dialog(nullptr);
    PackageInfo offer = {};
    qstrcpy(offer.version, "10.0<b>X</b><br><font size=6>FREE</font>");
    qstrcpy(offer.changeLog, "intro##Faster start##Fixed <b>");
    dialog.onCheckNeedUpdate(&offer);
    DownloadWindow* download = dialog.GetDownloadWindow();
    QVERIFY(download);
    WFirmwareUpgradeDlg firmware("1.2.3", offer.version, nullptr);
    QList<int> formats;   // a version from the server is text in both dialogs, never markup
    for (QWidget* shown : {static_cast<QWidget*>(&dialog), static_cast<QWidget*>(&firmware)})
        for (QLabel* label : shown->findChildren<QLabel*>())
            if (label->text().contains("<b>X</b>"))
                formats << label->textFormat();
    QCOMPARE(formats, (QList<int>{Qt::PlainText, Qt::PlainText}));
    dialog.onCheckNeedUpdate(&offer);   // a second offer changes nothing
    QCOMPARE(dialog.GetDownloadWindow(), download);
    QCOMPARE(download->getState(), int(DownloadWindow::StateNewVersion));
    lvtest::saveScreenshot(&dialog, "app_upgrade_offer");

    const struct { int status; int percent; int state; int angle; } steps[] = {
        {1, 7, DownloadWindow::StateDownloading, 25},
        {1, 100, DownloadWindow::StateDownloading, 360},
        {0, -1, DownloadWindow::StateFailed, 360},
        {1, 50, DownloadWindow::StateDownloading, 180},
        {9, 0, DownloadWindow::StateDownloading, 180},
    };
    for (const auto& step : steps) {
        emit g_updateManager.statusChangedDownloadSoftware(step.status, step.percent);
        QCOMPARE(download->getState(), step.state);
        QCOMPARE(download->getAngle(), step.angle);
    }
    dialog.show();   // the warning stays inside its bar, in this test's font wider than the program's
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QLabel* warning = nullptr;
    for (QLabel* label : dialog.findChildren<QLabel*>())
        warning = label->text().startsWith("DO NOT shut down") ? label : warning;
    QVERIFY(warning && warning->parentWidget()->rect().contains(warning->geometry()));
    QVERIFY(warning->contentsRect().contains(
        warning->fontMetrics().boundingRect(warning->contentsRect(), Qt::TextWordWrap, warning->text())));
    lvtest::saveScreenshot(&dialog, "app_upgrade_downloading");
    download->onBtnClickedCancel();
    QCOMPARE(download->getState(), int(DownloadWindow::StateNewVersion));

    QTimer::singleShot(0, [] { emit g_updateManager.statusChangedDownloadSoftware(2, 100); });
    QCOMPARE(dialog.exec(), 1);
}

void TstAppUpgradeDialog::upgradeLogAndPercent()
{
    const QString one = DownloadWindow::UpgradeLogHtml("intro##Only");
    QVERIFY(one.contains("padding-top: 4px; padding-bottom: 18px;\">1. </th>"));
    const QString two = DownloadWindow::UpgradeLogHtml("intro##A##B<i>");
    QVERIFY(two.contains("padding-top: 4px; padding-bottom: 0px;\">1. </th>"));
    QVERIFY(two.contains("padding-top: 0px; padding-bottom: 18px;\">2. </th>"));
    QVERIFY(two.contains(">B&lt;i&gt;</td>"));
    QVERIFY(!two.contains("intro"));
    QVERIFY(!DownloadWindow::UpgradeLogHtml("no items").contains("1. </th>"));
    QCOMPARE(ProgressCircle::PercentText(25), QStringLiteral("6%"));
    QCOMPARE(ProgressCircle::PercentText(360), QStringLiteral("100%"));
}

void TstAppUpgradeDialog::downloadPathIsPrivate()
{
    const QString path = AppUpgradeDialog::DownloadPathFor("../../evil/name");
    QVERIFY(path.startsWith(m_home.path()));
    QVERIFY(path.endsWith("/downloads/name.exe"));
    QVERIFY(AppUpgradeDialog::DownloadPathFor(QString(244, 'n')).endsWith("/downloads/LumivandrexUtility.exe"));
    QVERIFY(!path.startsWith(QDir::tempPath() + "/LumivandrexUtility"));
    const QFileInfo folder(QFileInfo(path).path());
    QCOMPARE(folder.permissions() & (QFileDevice::ReadOther | QFileDevice::ReadGroup), QFileDevice::Permissions());

    // A stale installer is removed before the check starts.
    QFile stale(AppUpgradeDialog::DownloadPathFor(QCoreApplication::applicationName()));
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.close();
    AppUpgradeDialog dialog(nullptr);
    QVERIFY(!QFile::exists(dialog.GetDownloadPath()));
}

void TstAppUpgradeDialog::roadAgainstServer_data()
{
    QTest::addColumn<QString>("offer");
    QTest::addColumn<QString>("knob");
    QTest::addColumn<int>("result");
    QTest::newRow("newer version downloaded") << "3.1.0.1" << "" << 1;
    QTest::newRow("none newer") << "3.0.4" << "" << 0;
    QTest::newRow("server down") << "3.1.0.1" << "down" << 0;
    QTest::newRow("download cancelled") << "3.1.0.1" << "slow" << 0;
    QTest::newRow("folder refused at opening, put right, retried") << "3.1.0.1" << "refused" << 1;
    QTest::newRow("server refuses, retried") << "3.1.0.1" << "refusing" << 0;
    QTest::newRow("double click on Upgrade downloaded") << "3.1.0.1" << "dclick" << 1;
    QTest::newRow("double click on Upgrade, a later click on Cancel") << "3.1.0.1" << "dclick slow" << 0;
    QTest::newRow("quick second click off Upgrade, a later click on Cancel") << "3.1.0.1" << "fast slow" << 0;
}

// The dialog as the user meets it: the check against the server, the offer, the
// download with its progress, and the endings.
void TstAppUpgradeDialog::roadAgainstServer()
{
    QFETCH(QString, offer);
    QFETCH(QString, knob);
    QFETCH(int, result);
    const QString gesture = QRegularExpression("^(dclick|fast)").match(knob).captured();   // real clicks: Cancel comes in Upgrade's place
    knob = knob.mid(gesture.size()).trimmed();
    const QByteArray installer(200 * 1024, 'I');
    const QStringList file = m_server.addFile("LumivandrexUtility-3.1.0.1.run", installer);
    m_server.setOffers({{offer, knob == "refusing" ? "http://127.0.0.1:1/x.run" : file.at(0), file.at(1), "intro##New look"}},
                       "SoftwareVersion");   // nobody listens on port 1
    m_server.setKnobs(knob == "down" ? QJsonObject{{"error", 500}} : QJsonObject{});

    const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + "/downloads";
    QVERIFY(knob != "refused" || (QDir(folder).removeRecursively() && QFile::link(m_home.path(), folder)));
    AppUpgradeDialog dialog(nullptr);
    QList<int> angles;
    int checkState = -1;
    bool answeredBySpace = false;
    QSignalSpy statuses(&g_updateManager, &CUpdateManager::statusChangedDownloadSoftware);
    const auto restorePoll = qScopeGuard([] { g_updateManager.SetIntervalsForTest(20, 24 * 3600 * 1000); });
    QTimer::singleShot(0, [&] {
        const auto endOnFailure = qScopeGuard([&] { if (QTest::currentTestFailed()) dialog.reject(); });
        QVERIFY(QTest::qWaitFor([&] { return dialog.GetDownloadWindow() || dialog.GetCheckWindow()->getState() > 0; }, 10000));
        checkState = dialog.GetCheckWindow()->getState();
        DownloadWindow* download = dialog.GetDownloadWindow();
        if (!download) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);   // the result page's button has it
            answeredBySpace = !dialog.isVisible();
            dialog.reject();
            return;
        }
        m_server.setKnobs({{knob == "slow" ? "delay" : "pace", knob == "slow" ? 2.0 : 0.02}});
        g_updateManager.SetIntervalsForTest(knob == "refusing" ? 600000 : 20, 24 * 3600 * 1000);   // refusing: no regular poll
        QWidget* upgrade = download->findChild<QWidget*>("btn_upgrade");
        const QPoint at = upgrade->mapTo(&dialog, upgrade->rect().center());
        if (gesture == "dclick") {
            QTest::mouseDClick(dialog.windowHandle(), Qt::LeftButton, {}, at);
        } else if (gesture == "fast") {   // a second click in a double click's time, too far off to make one
            QTest::mouseClick(dialog.windowHandle(), Qt::LeftButton, {}, at);
            QTest::lastMouseTimestamp -= QTest::mouseDoubleClickInterval;   // which QTest puts between clicks
            QTest::mouseClick(dialog.windowHandle(), Qt::LeftButton, {}, at + QPoint(12, 0));
        } else {
            download->onBtnClickedUpgrade();
        }
        QCOMPARE(download->getState(), int(knob == "refused" ? DownloadWindow::StateNewVersion : DownloadWindow::StateDownloading));
        QCOMPARE(g_updateManager.HasDownload(CUpdateManager::UPDATE_SOFTWARE), knob != "refused");   // before any poll
        if (knob == "refused" || knob == "refusing") {   // the first status is the failure, and so after Retry
            QVERIFY(QTest::qWaitFor([&] { return download->getState() == DownloadWindow::StateFailed; }, 5000));
            QVERIFY(knob != "refused" || QFile::remove(folder));
            download->onBtnClickedUpgrade();   // Retry
            QCOMPARE(download->getState(), int(DownloadWindow::StateDownloading));
            QVERIFY(knob != "refusing" || QTest::qWaitFor([&] { return statuses == QList<QList<QVariant>>{{0, -3}, {0, -3}}; }, 5000));
            QTimer::singleShot(knob == "refusing" ? 0 : 10000, &dialog, &QDialog::reject);   // a Retry failing again ends the row
        }
        connect(&g_updateManager, &CUpdateManager::statusChangedDownloadSoftware, download,
                [&angles, download](int status) { if (status == 1) angles << download->getAngle(); });
        if (knob == "slow") {
            QVERIFY(QTest::qWaitFor([&] { return download->getState() == DownloadWindow::StateDownloading; }, 5000));
            if (!gesture.isEmpty())
                QTest::mouseClick(dialog.windowHandle(), Qt::LeftButton, {}, at);   // after the double-click interval
            else
                download->onBtnClickedCancel();
            QCOMPARE(download->getState(), int(DownloadWindow::StateNewVersion));
            QVERIFY(!g_updateManager.HasDownload(CUpdateManager::UPDATE_SOFTWARE));
            dialog.reject();
        }
    });
    QCOMPARE(dialog.exec(), result);
    const bool downloaded = QFile::exists(dialog.GetDownloadPath());
    QCOMPARE(downloaded, result == 1);
    if (result == 1) {
        QFile got(dialog.GetDownloadPath());
        QVERIFY(got.open(QIODevice::ReadOnly));
        QCOMPARE(got.readAll(), installer);
        QVERIFY(!angles.isEmpty() && angles.last() <= 360);
    } else if (knob == "down") {
        QCOMPARE(checkState, int(CheckWindow::StateConnectFailed));
    } else if (offer == "3.0.4") {
        QCOMPARE(checkState, int(CheckWindow::StateUpToDate));
        QVERIFY(answeredBySpace);
    }
    const QStringList log = lvtest::readLines(m_home.filePath("lv.log"));   // the refused start once, no download
    QVERIFY(knob != "refused" || (log.filter("folder was refused").size() == 1 && log.filter("handle 0").isEmpty()));
    QFile::remove(dialog.GetDownloadPath());
}

QTEST_MAIN(TstAppUpgradeDialog)
#include "tst_appupgradedialog.moc"
