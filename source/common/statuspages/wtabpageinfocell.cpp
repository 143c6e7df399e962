// The firmware update cell of the Info page: what each click does, how the update
// manager's signals move the cell, and the upgrade dialog's run.

#include "statuspages/wtabpageinfo.h"

#include <QFile>
#include <QMutexLocker>

#include "device/devicetext.h"
#include "device/lumivandrexpresenter.h"
#include "platform/windowhelpers.h"
#include "toolkit/cfocusmanager.h"
#include "toolkit/qwrappermsgbox.h"
#include "toolkit/qwrappertablewidget.h"
#include "update/firmwarefilecheck.h"
#include "update/updatehelp.h"
#include "update/upgradecolours.h"
#include "update/wfirmwareinfodlg.h"
#include "update/wfirmwareupgradedlg.h"

namespace {

// Flashing statuses of the update manager.
enum { UpgradeOlderFile = 1, UpgradeErasing = 2, UpgradeEraseFailed = 3, UpgradeWriting = 4,
       UpgradeWriteFailed = 5, UpgradeVerifying = 6, UpgradeSucceeded = 7, UpgradeVerifyFailed = 8 };

} // namespace

void WTabPageInfo::SetCell(int state, const QString& version)
{
    m_pInfoTable->SetUpgradeOptType(state, version, QString(), false);
}

void WTabPageInfo::onClickFirmwareInfo()
{
    WFirmwareInfoDlg dialog(m_strReleaseNotes, this);
    dialog.exec();
}

void WTabPageInfo::StartFirmwareDownload()
{
    // The per-user private download folder, under the plain file name of the URL.
    m_strFirmwarePath = CUpdateManager::GetDownloadPath(m_offeredPackage);
    {
        QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
        if (tagDEVICE_INSTANCE* instance = g_presenter.GetCurrentInstance())
            m_strDownloadDevice = DeviceKey(instance);
    }
    g_updateManager.StartDownloadFirmware(&m_offeredPackage, m_strFirmwarePath);
}

void WTabPageInfo::onClickFirmwareOpt(int nType)
{
    switch (nType) {
    case OPT_UI_CHECK:
    case OPT_UI_LATEST:
    case OPT_UI_CHECKFAILED:
        SetCell(OPT_UI_CHECKING);
        g_updateManager.StartCheckFirmware(nullptr);
        break;
    case OPT_UI_NEWVER:
    case OPT_UI_DOWNFAILED:
        StartFirmwareDownload();
        break;
    case OPT_UI_DOWNLOADING: {
        g_updateManager.StopDownload(CUpdateManager::UPDATE_FIRMWARE);
        const int resetsBefore = m_nCellResets;
        const int answer = QWrapperMsgBox::Ask(MSG_TYPE_WARNING, tr("Do you really want to stop downloading the new version?"),
                                               tr("Yes"), tr("No"), 420, 240, this,
                                               QStringLiteral("msgbox_firmware_download"));
        // The device may have gone while the question was open (its loss answers
        // it): the refresh after the loss has already set the cell for what is there.
        if (m_nCellResets != resetsBefore)
            break;
        if (answer == 1)
            SetCell(OPT_UI_NEWVER);
        else
            StartFirmwareDownload();
        break;
    }
    case OPT_UI_UPGRADE:
        RunFirmwareUpgradeDialog();
        break;
    case OPT_UI_UPFAILED:
        OpenUpdateHelpPage();
        break;
    default:
        break;
    }
}

void WTabPageInfo::onStatusChangedCheckFirmware(int nCheckStatus)
{
    if (!m_bDevicePresent)
        return;   // without a device the cell offers nothing
    switch (nCheckStatus) {
    case 0: SetCell(OPT_UI_CHECKFAILED); break;
    case 1: SetCell(OPT_UI_CHECKING); break;
    case 2: SetCell(OPT_UI_LATEST); break;
    case 3:
        g_updateManager.GetUpdateInfoHardware(m_offeredPackage);
        m_strReleaseNotes = tr("###Version ") + PackageText(m_offeredPackage.version)
                            + PackageText(m_offeredPackage.changeLog);
        SetCell(OPT_UI_NEWVER);
        break;
    default:
        break;
    }
}

void WTabPageInfo::onStatusChangedDownload(int nDownloadStatus, int nPercent)
{
    if (!m_bDevicePresent)
        return;
    switch (nDownloadStatus) {
    case 0: SetCell(OPT_UI_DOWNFAILED); break;
    case 1:
        SetCell(OPT_UI_DOWNLOADING);
        m_pInfoTable->SetDownloadProcess(float(nPercent));
        break;
    case 2:
        SetCell(OPT_UI_UPGRADE, PackageText(m_offeredPackage.version));
        g_updateManager.StopRegularCheck(CUpdateManager::UPDATE_FIRMWARE);
        break;
    default:
        break;
    }
}

void WTabPageInfo::RunFirmwareUpgradeDialog()
{
    m_bDeviceWritten = false;
    WFirmwareUpgradeDlg* dialog = new WFirmwareUpgradeDlg(m_strFirmwareVersion, PackageText(m_offeredPackage.version), this);
    m_pUpgradeDlg = dialog;
    connect(dialog, &WFirmwareUpgradeDlg::sigUpdate, this, &WTabPageInfo::onUpdate);
    connect(dialog, &WFirmwareUpgradeDlg::sigRetry, this, &WTabPageInfo::onUpdate);
    connect(dialog, &WFirmwareUpgradeDlg::sigMinimum, this, &WTabPageInfo::OnMinimum);
    connect(dialog, &WFirmwareUpgradeDlg::sigDevLost, this, &WTabPageInfo::OnDevLost);
    g_presenter.SetUpgradeExec(true);
    dialog->exec();
    m_pUpgradeDlg = nullptr;
    delete dialog;
    // Only a flash that wrote and did not finish can have hurt the device; a refused
    // or missing file never reached it, whatever page the dialog ended on.
    if (m_bDeviceWritten) {
        const int answer = QWrapperMsgBox::Ask(
            MSG_TYPE_WARNING, tr("The device may have been damaged. For further information,click the 'Help' button."),
            tr("OK"), tr("Help"), 420, 240, this);
        if (answer == 0)
            OpenUpdateHelpPage();
    }
    g_presenter.SetUpgradeExec(false);
}

void WTabPageInfo::onUpdate()
{
    emit sigUpgradeStatus(1);
    if (!m_pUpgradeDlg)
        return;
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    tagDEVICE_INSTANCE* instance = g_presenter.GetCurrentInstance();
    if (!instance)
        return;
    if (m_strFirmwarePath.isEmpty() || !QFile::exists(m_strFirmwarePath)) {
        m_pUpgradeDlg->SetCurrentStack(WFirmwareUpgradeDlg::PageFileMissing);
        SetCell(OPT_UI_CHECK);
        locker.unlock();
        emit sigUpgradeStatus(2);
        return;
    }
    if (g_updateManager.StartUpgradeFirmware(instance, m_strFirmwarePath)) {
        // Once per run: a retry must not deliver every status twice.
        connect(&g_updateManager, &CUpdateManager::statusChangedUpgrade, this, &WTabPageInfo::onStatusChangedUpgrade,
                Qt::UniqueConnection);
        m_pUpgradeDlg->SetImgVisible(false);
        m_pUpgradeDlg->SetCurrentStack(WFirmwareUpgradeDlg::PageProgress);
        m_pUpgradeDlg->SetCloseBtnEnable(false);
        return;
    }
    // The file was refused before anything reached the device (older than the running
    // firmware, or not a valid image for it): say so on a page the user can close.
    locker.unlock();
    RefuseUpgrade(CUpdateManager::UpgradeRefusalText(g_updateManager.GetUpgradeRefusal()));
}

void WTabPageInfo::RefuseUpgrade(const QString& reason)
{
    disconnect(&g_updateManager, &CUpdateManager::statusChangedUpgrade, this, &WTabPageInfo::onStatusChangedUpgrade);
    g_updateManager.StopUpgradeFirmware();
    if (m_pUpgradeDlg) {
        m_pUpgradeDlg->SetFailureDetail(reason);
        m_pUpgradeDlg->SetCurrentStack(WFirmwareUpgradeDlg::PageFailed);
        m_pUpgradeDlg->SetCloseBtnEnable(true);
    }
    emit sigUpgradeStatus(2);
}

void WTabPageInfo::onStatusChangedUpgrade(int nUpgradeStatus, int nPercent)
{
    if (!m_pUpgradeDlg)
        return;
    using namespace upgradecolours;
    WFirmwareUpgradeDlg* dlg = m_pUpgradeDlg;
    const int third = nPercent / 3;
    const QString erasing = WFirmwareUpgradeDlg::tr("Erasing");
    const QString writing = WFirmwareUpgradeDlg::tr("Writing");
    const QString verifying = WFirmwareUpgradeDlg::tr("Verifying");
    if (nUpgradeStatus >= UpgradeErasing && nUpgradeStatus <= UpgradeVerifyFailed)
        m_bDeviceWritten = nUpgradeStatus != UpgradeSucceeded;
    switch (nUpgradeStatus) {
    case UpgradeOlderFile:
        RefuseUpgrade(CUpdateManager::UpgradeRefusalText(KVF_OLDER_VERSION));
        break;
    case UpgradeErasing:
        dlg->SetText(0, QStringLiteral("%1%").arg(third), kCaption);
        dlg->SetValue(0, int(nPercent * 360.0 / 100.0 / 3.0));
        dlg->SetValue(1, nPercent);
        dlg->SetValue(2, 0);
        dlg->SetValue(3, 0);
        break;
    case UpgradeWriting:
        dlg->SetText(1, erasing, kAccent);
        dlg->SetValue(1, 100);
        dlg->SetText(0, QStringLiteral("%1%").arg(third + 33), kCaption);
        dlg->SetValue(0, (third + 33) * 360 / 100);
        dlg->SetValue(2, nPercent);
        break;
    case UpgradeVerifying:
        dlg->SetText(1, erasing, kAccent);
        dlg->SetText(2, writing, kAccent);
        dlg->SetValue(1, 100);
        dlg->SetValue(2, 100);
        dlg->SetText(0, QStringLiteral("%1%").arg(third + 66), kCaption);
        dlg->SetValue(0, (third + 66) * 360 / 100);
        dlg->SetValue(3, nPercent);
        break;
    case UpgradeSucceeded:
        dlg->SetText(1, erasing, kAccent);
        dlg->SetText(2, writing, kAccent);
        dlg->SetText(3, verifying, kAccent);
        for (int i = 1; i <= 3; ++i)
            dlg->SetValue(i, 100);
        dlg->SetText(0, tr("100%"), kCaption);
        dlg->SetValue(0, 360);
        dlg->SetCurrentStack(WFirmwareUpgradeDlg::PageSuccess);
        SetCell(OPT_UI_UPSUCCESS);
        EndUpgradeRun(true);
        break;
    case UpgradeEraseFailed:
    case UpgradeWriteFailed:   // also a failed write of the header after the sections verified
    case UpgradeVerifyFailed:
        dlg->SetCurrentStack(WFirmwareUpgradeDlg::PageFailed);
        SetCell(OPT_UI_UPFAILED);
        EndUpgradeRun(false);
        break;
    default:
        break;
    }
}

void WTabPageInfo::EndUpgradeRun(bool succeeded)
{
    if (m_pUpgradeDlg)
        m_pUpgradeDlg->SetCloseBtnEnable(true);
    disconnect(&g_updateManager, &CUpdateManager::statusChangedUpgrade, this, &WTabPageInfo::onStatusChangedUpgrade);
    g_updateManager.StopUpgradeFirmware();
    emit sigUpgradeStatus(2);
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    tagDEVICE_INSTANCE* instance = g_presenter.GetCurrentInstance();
    if (instance && instance->device)
        instance->replugPending = succeeded ? ReplugAfterSuccess : ReplugAfterFailure;
}

void WTabPageInfo::OnMinimum()
{
    emit sigUpgradeStatus(3);
    if (QWidget* mainWindow = g_focusManager.GetMainFocusWid())
        showMacWindowMinized(mainWindow->winId());
    if (m_pUpgradeDlg)
        showMacWindowMinized(m_pUpgradeDlg->winId());
}

void WTabPageInfo::OnDevLost()
{
    if (!m_pUpgradeDlg)
        return;
    // Lost while flashing: the flash was cut off, whether or not a status told of it yet.
    if (m_pUpgradeDlg->GetCurrentStack() == WFirmwareUpgradeDlg::PageProgress)
        m_bDeviceWritten = true;
    // Nothing written (not started, refused, file missing) or written to the end:
    // there is nothing to report about the device.
    if (!m_bDeviceWritten) {
        m_pUpgradeDlg->close();
        return;
    }
    disconnect(&g_updateManager, &CUpdateManager::statusChangedUpgrade, this, &WTabPageInfo::onStatusChangedUpgrade);
    g_updateManager.StopUpgradeFirmware();
    m_pUpgradeDlg->SetCurrentStack(WFirmwareUpgradeDlg::PageDeviceLost);
    m_pUpgradeDlg->SetCloseBtnEnable(true);
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    tagDEVICE_INSTANCE* instance = g_presenter.GetCurrentInstance();
    if (!instance || !instance->device) {
        locker.unlock();
        m_pUpgradeDlg->reject();
    }
}
