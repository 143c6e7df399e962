#include "shell/lumivandrexutility.h"

#include "device/lumivandrexpresenter.h"
#include "logging/lvlogger.h"
#include "platform/windowhelpers.h"
#include "settingspages/wtabpagetiming.h"
#include "settingspages/wtabpagevolume.h"
#include "shell/aboutdialog.h"
#include "shell/autostartconfig.h"
#include "shell/htmlreport.h"
#include "shell/propertypage.h"
#include "shell/settingsbar.h"
#include "shell/settingscommit.h"
#include "shell/titlebar.h"
#include "shell/wcenterwid.h"
#include "shell/wsetbtn.h"
#include "shell/wtabwidget.h"
#include "statuspages/wtabpagehdmi.h"
#include "statuspages/wtabpageinfo.h"
#include "toolkit/qcustomdialog.h"
#include "toolkit/qwrappermsgbox.h"
#include "update/appupgradedialog.h"
#include "update/updatemanager.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QMutexLocker>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdio>
#include <cstring>

LumivandrexUtility* g_pUtility = nullptr;


namespace {
const int kWindowWidth = 592;
const int kWindowHeight = 720;
} // namespace

void FormatFirmwareInfo(const _KVCAP_DEVICE_INFO& info, char (&texts)[4][32])
{
    std::memset(texts, 0, sizeof(texts));
    const quint32 version = info.firmwareVersion;
    std::snprintf(texts[0], sizeof(texts[0]), "%d", int(info.productId));
    std::snprintf(texts[1], sizeof(texts[1]), "%d", int(info.identifier));
    std::snprintf(texts[2], sizeof(texts[2]), "%c", info.hardwareVersion);
    std::snprintf(texts[3], sizeof(texts[3]), "%d.%d.%d", int((version >> 24) & 0xFF), int((version >> 16) & 0xFF),
                  int(version & 0xFFFF));
}

// ---------------------------------------------------------------- construction

LumivandrexUtility::LumivandrexUtility(QWidget* parent)
    : QDialog(parent, Qt::WindowFlags())
{
    setFixedSize(kWindowWidth, kWindowHeight);
    setFocusPolicy(Qt::NoFocus);
    setWindowFlags(Qt::WindowFlags(Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                                   | Qt::WindowMaximizeButtonHint));
    setWindowTitle(QStringLiteral("Lumivandrex Utility"));
    setFramelessWindow(this);
    m_settings.ReadSettings();
    CreateTitleBar();
    CreatePropertyPage();
    // The first paint shows the current page filled; the others fill right after it.
    m_pPropertyPage->DeferOtherPages();
    CreateSettingsBar();
    CreateTrayIcon();

    // Keyboard walk: Tab goes title bar -> tab bar -> page -> settings bar.
    m_pPropertyPage->SetSettingsBar(m_pSettingsBar);
    m_pPropertyPage->SetCenterWidget(m_pTitleBar->GetCenterWidget());
    m_pSettingsBar->SetDeviceSelector(m_pTitleBar->GetCenterWidget());
    m_pSettingsBar->SetTabWidget(m_pPropertyPage->GetTabWidget());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_pTitleBar, 32);
    layout->addWidget(m_pPropertyPage, 0);
    layout->addWidget(m_pSettingsBar, 0);

    if (g_updateManager.m_bInitialized) {
        g_updateManager.StartRegularCheckSoftware();
        connect(&g_updateManager, &CUpdateManager::statusChangedCheckSoftware, this,
                &LumivandrexUtility::OnCheckingSoftwareStatus);
    }

    // Both are queued inside the bars: the first device is selected and the
    // buttons set once the event loop runs.
    emit m_pTitleBar->updateCurrentDeviceLost(false);
    emit m_pSettingsBar->updateDeviceChanged();

    connect(this, &LumivandrexUtility::reload, this, &LumivandrexUtility::OnReloadMainWindow);
    connect(this, &LumivandrexUtility::signal_showMainWindow, this, &LumivandrexUtility::OnShowMainWindow);
    connect(this, &LumivandrexUtility::signal_closeMainWindow, this, &LumivandrexUtility::OnExitClicked);
}

LumivandrexUtility::~LumivandrexUtility()
{
    qApp->removeEventFilter(this);
    stopNotifyTimer();
    m_settings.WriteSettings();
    if (g_pUtility == this)
        g_pUtility = nullptr;
}

void LumivandrexUtility::CreateTitleBar()
{
    m_pTitleBar = new TitleBar(this);
    connect(m_pTitleBar, &TitleBar::devicesRemoved, this, &LumivandrexUtility::OnAllDeviceRemoved);
    connect(m_pTitleBar, &TitleBar::minBtnClicked, this, &LumivandrexUtility::OnMinBtnClicked);
    connect(m_pTitleBar, &TitleBar::closeBtnClicked, this, &LumivandrexUtility::OnCloseBtnClicked);
    connect(m_pTitleBar, &TitleBar::initPages, this, &LumivandrexUtility::OnInitPages);
    connect(m_pTitleBar, &TitleBar::showContextMenu, this, &LumivandrexUtility::OnShowContextMenu);
}

void LumivandrexUtility::CreatePropertyPage()
{
    // Made inside the window: a widget tree moved into another is styled anew, whole.
    m_pPropertyPage = new PropertyPage(this);
    if (WTabPageInfo* info = m_pPropertyPage->GetInfoPage()) {
        connect(info, &WTabPageInfo::sigUpgradeStatus, this, &LumivandrexUtility::OnUpgradeFirmwareStatus);
        connect(this, &LumivandrexUtility::signal_resetActiveWindow, info, &WTabPageInfo::OnResetActiveWindow);
    }
    connect(m_pPropertyPage, &PropertyPage::signal_resetFocus, this, &LumivandrexUtility::OnResetFocus);
}

void LumivandrexUtility::CreateSettingsBar()
{
    m_pSettingsBar = new SettingsBar(this);
    connect(m_pSettingsBar, &SettingsBar::exportBtnClicked, this, &LumivandrexUtility::OnExportBtnClicked);
    connect(m_pSettingsBar, &SettingsBar::defaultBtnClicked, this, &LumivandrexUtility::OnDefaultBtnClicked);
    connect(m_pSettingsBar, &SettingsBar::okBtnClicked, this, &LumivandrexUtility::OnOKBtnClicked);
    connect(m_pSettingsBar, &SettingsBar::cancelBtnClickedWithReload, this,
            &LumivandrexUtility::OnCancelBtnClickedWithReload);
    connect(m_pSettingsBar, &SettingsBar::cancelBtnClicked, this, &LumivandrexUtility::OnCancelBtnClicked);
}

void LumivandrexUtility::CreateTrayIcon()
{
    m_pTrayIcon = new QSystemTrayIcon(this);
    m_pTrayIcon->setToolTip(tr("Kivorant Lumivandrex Utility"));
    // From the decoded picture: a QIcon made from a suffix-less file name loads the
    // system's MIME database to learn the file's type.
    m_pTrayIcon->setIcon(QIcon(QPixmap(QStringLiteral(":/LumivandrexUtility/lumivandrexutility_48"), "png")));

    m_pOpenAction = new QAction(tr("Open main window"), this);
    m_pBootAction = new QAction(tr("Boot to run"), this);
    m_pAcceptAction = new QAction(tr("Accept prompt message"), this);
    m_pCheckUpdateAction = new QAction(tr("Check for updates..."), this);
    m_pAboutAction = new QAction(tr("About"), this);
    m_pQuitAction = new QAction(tr("Quit"), this);
    connect(m_pOpenAction, &QAction::triggered, this, &LumivandrexUtility::OnShowMainWindow);
    connect(m_pAboutAction, &QAction::triggered, this, &LumivandrexUtility::OnShowAboutDialog);
    connect(m_pCheckUpdateAction, &QAction::triggered, this, &LumivandrexUtility::OnUpgradeDialog);
    connect(m_pQuitAction, &QAction::triggered, this, &LumivandrexUtility::OnExitClicked);

    // Built once for the whole run; activations only show it again.
    BuildTrayMenu();
    m_pTrayIcon->setContextMenu(m_pTrayMenu);
    connect(m_pTrayIcon, &QSystemTrayIcon::activated, this, &LumivandrexUtility::OnActivedSysTrayIcon);
    // Without a tray (some desktops, headless runs) the icon just stays invisible.
    m_bTray = QSystemTrayIcon::isSystemTrayAvailable();
    if (m_bTray)
        m_pTrayIcon->show();
}

void LumivandrexUtility::BuildTrayMenu()
{
    m_pTrayMenu = TitleBar::NewMenu(this);
    // At least this wide; wider when a large font needs it.
    m_pTrayMenu->setMinimumWidth(220);
    m_pTrayMenu->addAction(m_pOpenAction);
    // Only with a working update service is there anything to check.
    if (g_updateManager.m_bInitialized)
        m_pTrayMenu->addAction(m_pCheckUpdateAction);
    m_pTrayMenu->addAction(m_pAboutAction);
    m_pTrayMenu->addSeparator();
    m_pTrayMenu->addAction(m_pQuitAction);
}

// ---------------------------------------------------------------- showing and hiding

void LumivandrexUtility::OpenMainWindow()
{
    emit signal_showMainWindow();
}

void LumivandrexUtility::ActivateOpenDialogs()
{
    if (auto* box = findChild<QWrapperMsgBox*>(QStringLiteral("dialog_msgbox")))
        box->activateWindow();
    if (auto* dialog = findChild<QCustomDialog*>(QStringLiteral("dialog_customdlg")))
        dialog->activateWindow();
}

void LumivandrexUtility::SetTrayAvailable(bool available)
{
    m_bTray = available;
}

void LumivandrexUtility::ShowAtStart(bool minimized)
{
    // A window that starts out of sight has no first paint to wait for.
    if (minimized)
        m_pPropertyPage->FinishDeferredLoad();
    if (!minimized)
        show();
    else if (m_bTray)
        LV_LOG_INFO("started in the tray");   // stays hidden until the tray or a second start opens it
    else
        showMinimized();
}

void LumivandrexUtility::OnShowMainWindow()
{
    LV_LOG_INFO("main window shown");
    hide();
    showNormal();
    show();
    raise();
    activateWindow();
    ActivateOpenDialogs();
}

void LumivandrexUtility::OnReloadMainWindow()
{
    m_pPropertyPage->ShowPropertyPage();
    OnShowMainWindow();
}

void LumivandrexUtility::OnMinBtnClicked()
{
    LV_LOG_INFO("main window minimised");
    showMinimized();
}

void LumivandrexUtility::OnCloseBtnClicked()
{
    // During a firmware upgrade the window must stay reachable.
    if (g_presenter.IsFirmwareUpgrading())
        return;
    if (!m_bTray) {
        // Nothing could bring a hidden window back: closing ends the program.
        close();
        return;
    }
    LV_LOG_INFO("main window hidden to the tray");
    hide();
}

void LumivandrexUtility::OnExitClicked()
{
    if (g_presenter.IsFirmwareUpgrading())
        return;
    close();
}

void LumivandrexUtility::OnUpgradeFirmwareStatus(int status)
{
    // 3: the Info page asks to minimise while an upgrade runs.
    if (status == 3)
        showMinimized();
}

void LumivandrexUtility::OnCancelBtnClicked()
{
    OnCloseBtnClicked();
}

void LumivandrexUtility::OnCancelBtnClickedWithReload()
{
    m_pPropertyPage->ReloadPropertyPage(false);
    OnCloseBtnClicked();
}

void LumivandrexUtility::OnActivedSysTrayIcon(QSystemTrayIcon::ActivationReason reason)
{
    // A right click opens the icon's menu and nothing else: Qt pops it up itself
    // (XEmbed tray) or the tray host draws it (StatusNotifierItem over D-Bus), and
    // showing the window here would take the focus and close it at once. The menu
    // was built once at construction for the same reason: one built anew here
    // would be deleted from under the user. A double click starts with a click that
    // has shown the window already: showing it again would only make it flicker.
    if (reason == QSystemTrayIcon::Trigger || (reason == QSystemTrayIcon::DoubleClick && !isVisible()))
        OnShowMainWindow();
}

void LumivandrexUtility::OnShowContextMenu(QPoint point)
{
    // Without a tray the title bar's right click is the way to "About" and "Quit".
    if (!m_bTray)
        m_pTrayMenu->exec(point);
}

// ---------------------------------------------------------------- closing

void LumivandrexUtility::closeEvent(QCloseEvent* event)
{
    // A second close while the first is being settled is refused, and so is
    // any close (window manager, logout, tray) while firmware is being written:
    // ending the program then would leave a half-flashed device.
    if (m_bClosing || g_presenter.IsFirmwareUpgrading()) {
        event->ignore();
        return;
    }
    m_bClosing = true;
    // No device event or poll may arrive while the pending changes are settled.
    g_presenter.CloseNotifyEventAndEnumEvent();

    LV_LOG_INFO("main window closing");
    if (!g_presenter.IsUIChanged()) {
        event->accept();
        return;
    }

    QString question;
    int height = 240;
    switch (g_presenter.GetUIChangeType()) {
    case UI_CHANGE_RECONNECT:
        question = tr("Are you sure to discard these changes? If you clicked \"No\" and some options will only take "
                      "effect after reconnecting the device.");
        height = 260;
        break;
    case UI_CHANGE_REBOOT:
        question = tr("Are you sure to discard these changes? If you clicked \"No\" and some options will only take "
                      "effect after reconnecting the device and rebooting computer.");
        height = 260;
        break;
    default:
        question = tr("Are you sure to discard these changes?");
        break;
    }
    const int answer = QWrapperMsgBox::Ask(MSG_TYPE_QUESTION, question, tr("Yes"), tr("No"), 420, height, this);
    {
        QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
        if (LumivandrexDevice* device = g_presenter.GetCurrentDevice()) {
            // "Yes" discards; "No" and every other way out of the box saves.
            WriteSettingsCommit(device, answer == 1 ? SETTINGS_COMMIT_DISCARD : SETTINGS_COMMIT_SAVE);
        }
    }
    event->accept();
}

// ---------------------------------------------------------------- pages and settings bar

void LumivandrexUtility::OnInitPages()
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    tagDEVICE_INSTANCE* instance = g_presenter.GetCurrentInstance();
    if (g_updateManager.m_bInitialized && instance) {
        g_updateManager.StopCheck(CUpdateManager::UPDATE_FIRMWARE);
        g_updateManager.StopDownload();
        g_updateManager.StopUpgradeFirmware();
        if (instance->replugPending) {
            // Freshly flashed and not yet reconnected: the running firmware is stale.
            g_updateManager.StopRegularCheck(CUpdateManager::UPDATE_FIRMWARE);
        } else {
            char texts[4][32];
            FormatFirmwareInfo(instance->deviceInfo, texts);
            _KVUPDATE_FIRMWARE_INFO info{{texts[0], texts[1], texts[2], texts[3]}};
            g_updateManager.StartRegularCheckFirmware(&info);
        }
    }
    m_pPropertyPage->ReloadTabWidget(true);
}

void LumivandrexUtility::OnAllDeviceRemoved()
{
    m_pPropertyPage->ReloadTabWidget(true);
}

void LumivandrexUtility::OnExportBtnClicked()
{
    HtmlReport::ExportReport(this, m_pPropertyPage);
}

void LumivandrexUtility::OnDefaultBtnClicked()
{
    if (WTabPageVolume* volume = m_pPropertyPage->GetVolumePage())
        volume->setDefaultValue();
    m_pPropertyPage->ReloadPropertyPage(true);
    g_presenter.SetUIChanged(false, UI_CHANGE_IMMEDIATE);
    LV_LOG_INFO("default settings restored and shown");
}

void LumivandrexUtility::OnOKBtnClicked()
{
}

void LumivandrexUtility::OnCheckingSoftwareStatus(int)
{
}

void LumivandrexUtility::OnResetFocus()
{
    QWidget* exportButton = m_pSettingsBar->GetExportButton();
    if (exportButton && exportButton->isVisible() && exportButton->isEnabled())
        exportButton->setFocus(Qt::OtherFocusReason);
}

// ---------------------------------------------------------------- per-user settings and dialogs

void LumivandrexUtility::OnSetAutoRun()
{
    // The system owns the state: ask it before toggling.
    m_settings.SetAutoRun(!AutoStartConfig::isAutoStart());
}

void LumivandrexUtility::OnSetAcceptMessage()
{
    m_settings.SetAcceptMessage(!m_settings.GetAcceptMessage());
}

void LumivandrexUtility::OnMessageClicked()
{
    m_settings.SetAcceptMessage(false);
}

void LumivandrexUtility::OnShowAboutDialog()
{
    if (IsDialogOpen() || m_bAboutOpen)
        return;
    m_bAboutOpen = true;
    auto* dialog = new AboutDialog(this);
    // The dialog centres on the main window and a dialog closing over a hidden
    // main window would end the program: bring the window up first.
    if (isHidden())
        showNormal();
    dialog->exec();
    // Cleared whatever the dialog returned, so "About" always works again.
    m_bAboutOpen = false;
    delete dialog;
}

void LumivandrexUtility::OnUpgradeDialog()
{
    if (g_presenter.IsModalState())
        return;
    if (isHidden() || isMinimized())
        showNormal();   // the dialog centres on the main window
    auto* dialog = new AppUpgradeDialog(this);
    const int result = dialog->exec();
    const QString installer = dialog->GetDownloadPath();
    delete dialog;
    if (result != 1)
        return;
    // The installer is not run from here: the program ends so that it can be
    // installed over, and the log says where the file is.
    LV_LOG_INFO(QStringLiteral("new version downloaded to %1; closing").arg(installer));
    close();
}

// ---------------------------------------------------------------- notification timer

void LumivandrexUtility::startNotifyTimer(int milliseconds, INotifyTimerCallback* callback)
{
    // The presenter stops the timer before starting it again; stop here too so
    // that a second start can never leave an orphaned timer running.
    stopNotifyTimer();
    m_pNotifyCallback = callback;
    m_pNotifyTimer = new QTimer(this);
    connect(m_pNotifyTimer, &QTimer::timeout, this, &LumivandrexUtility::OnNotifyTimeout);
    m_pNotifyTimer->start(milliseconds);
}

void LumivandrexUtility::stopNotifyTimer()
{
    if (m_pNotifyTimer) {
        m_pNotifyTimer->stop();
        delete m_pNotifyTimer;
        m_pNotifyTimer = nullptr;
    }
    m_pNotifyCallback = nullptr;
}

void LumivandrexUtility::OnNotifyTimeout()
{
    if (m_pNotifyCallback)
        m_pNotifyCallback->OnTimeout();
}

// ---------------------------------------------------------------- painting and dragging

void LumivandrexUtility::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath path;
    path.addRect(QRectF(rect()));
    painter.fillPath(path, QColor(QStringLiteral("#161719")));
    QDialog::paintEvent(event);
    if (!m_bPainted) {
        m_bPainted = true;
        QTimer::singleShot(0, m_pPropertyPage, &PropertyPage::FinishDeferredLoad);
    }
}

void LumivandrexUtility::mousePressEvent(QMouseEvent* event)
{
    m_drag.Press(event, QRect(QPoint(0, 0), m_pTitleBar->size()));
    QDialog::mousePressEvent(event);
}

void LumivandrexUtility::mouseMoveEvent(QMouseEvent* event)
{
    if (m_drag.Move(event)) {
        event->accept();
        return;
    }
    QDialog::mouseMoveEvent(event);
}

void LumivandrexUtility::mouseReleaseEvent(QMouseEvent* event)
{
    m_drag.Release(event);
    QDialog::mouseReleaseEvent(event);
}

