// The software update dialog's pages and their road, driven by the update manager's
// status signals; its upgrade log and progress figures.

#include <QtTest>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "lvtestsupport.h"
#include "update/appupgradedialog.h"
#include "update/progresscircle.h"

class TstAppUpgradeDialog : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void checkPageRoad();
    void downloadPageRoad();
    void upgradeLogAndPercent();
    void downloadPathIsPrivate();

private:
    QTemporaryDir m_home;
};

void TstAppUpgradeDialog::initTestCase()
{
    QVERIFY(m_home.isValid());
    qputenv("XDG_DATA_HOME", m_home.path().toUtf8());
    QStandardPaths::setTestModeEnabled(false);
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
    lvtest::saveScreenshot(&dialog, "app_upgrade_latest");
    // "OK" on the up-to-date page ends the dialog with 0.
    QTimer::singleShot(0, check, &CheckWindow::onBtnClickedNext);
    QCOMPARE(dialog.exec(), 0);
    // No offer to read: the check is not taken as a newer version.
    emit g_updateManager.statusChangedCheckSoftware(3);
    QVERIFY(!dialog.GetDownloadWindow());
}

void TstAppUpgradeDialog::downloadPageRoad()
{
    AppUpgradeDialog dialog(nullptr);
    PackageInfo offer = {};
    qstrcpy(offer.version, "3.1.0.1");
    qstrcpy(offer.changeLog, "intro##Faster start##Fixed <b>");
    dialog.onCheckNeedUpdate(&offer);
    DownloadWindow* download = dialog.GetDownloadWindow();
    QVERIFY(download);
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

QTEST_MAIN(TstAppUpgradeDialog)
#include "tst_appupgradedialog.moc"
