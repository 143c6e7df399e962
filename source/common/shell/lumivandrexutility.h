#ifndef LUMIVANDREXUTILITY_H
#define LUMIVANDREXUTILITY_H

#include <QDialog>
#include <QPoint>
#include <QSystemTrayIcon>

#include "device/ilumivandrexnotify.h"
#include "shell/registrysettings.h"

class QAction;
class QMenu;
class QTimer;
class TitleBar;
class PropertyPage;
class SettingsBar;
struct _KVCAP_DEVICE_INFO;
class LumivandrexUtility;

// The main window while the event loop runs (set and cleared by main).
extern LumivandrexUtility* g_pUtility;

// What the optional ini file beside the program asks for at start-up.
struct tagSTARTUP_SETTINGS
{
    int fontPixelSize = 14;
    bool bold = false;
    bool chinese = false;
};

// Reads "SETTINGS/FontSize" (1..20, else 14), "SETTINGS/IsBold" (exactly
// "true") and "SETTINGS/Language" (exactly "Chinese"); a missing file gives
// the defaults.
tagSTARTUP_SETTINGS ReadStartupSettings(const QString& iniPath);

// The application style sheet text up to its first NUL byte; empty when the
// resource cannot be read.
QString LoadStyleSheet(const QString& resourcePath);

// The program's look for the settings: "Arial" at the pixel size, weight 75
// or 50, as the application font for all widgets, and the "Windows" style.
void ApplyStartupLook(const tagSTARTUP_SETTINGS& settings);

// Where the log file goes for a home directory: directly in it for "/root",
// otherwise in its Documents folder.
QString StartupLogFilePath(const QString& homeDir);

// The four firmware-check texts for a device-information record (each at most
// 31 characters): model code, byte 5, hardware letter, "major.minor.build".
void FormatFirmwareInfo(const _KVCAP_DEVICE_INFO& info, char (&texts)[4][32]);

// The program's one main window: title bar, tab container and settings bar in
// one column, the tray icon and its menu, the 400 ms notification timer, the
// application-wide key and activation filter, and the settling of pending
// device changes at the first close.
//
// Thread: everything here runs on the GUI thread.
class LumivandrexUtility : public QDialog, public INotifyTimerCtrl
{
    Q_OBJECT
public:
    explicit LumivandrexUtility(QWidget* parent = nullptr);
    ~LumivandrexUtility() override;

    // Brings the window up (single-instance message, tray).
    void OpenMainWindow();

    // INotifyTimerCtrl
    void startNotifyTimer(int milliseconds, INotifyTimerCallback* callback) override;
    void stopNotifyTimer() override;

    TitleBar* GetTitleBar() const { return m_pTitleBar; }
    PropertyPage* GetPropertyPage() const { return m_pPropertyPage; }
    SettingsBar* GetSettingsBar() const { return m_pSettingsBar; }
    QSystemTrayIcon* GetTrayIcon() const { return m_pTrayIcon; }
    QMenu* GetTrayMenu() const { return m_pTrayMenu; }
    bool IsNotifyTimerRunning() const { return m_pNotifyTimer != nullptr; }
    bool IsClosing() const { return m_bClosing; }

signals:
    void reload();
    void signal_closeMainWindow();
    void signal_showMainWindow();
    void signal_resetActiveWindow();

public slots:
    void OnCheckingSoftwareStatus(int status);
    void OnUpgradeFirmwareStatus(int status);
    void OnAllDeviceRemoved();
    void OnMinBtnClicked();
    void OnCloseBtnClicked();
    void OnShowContextMenu(QPoint point);
    void OnExportBtnClicked();
    void OnDefaultBtnClicked();
    void OnOKBtnClicked();
    void OnCancelBtnClicked();
    void OnCancelBtnClickedWithReload();
    void OnResetFocus();
    void OnActivedSysTrayIcon(QSystemTrayIcon::ActivationReason reason);
    void OnShowMainWindow();
    void OnSetAutoRun();
    void OnSetAcceptMessage();
    void OnMessageClicked();
    void OnExitClicked();
    void OnInitPages();
    void OnShowAboutDialog();
    void OnUpgradeDialog();
    void OnReloadMainWindow();
    void OnNotifyTimeout();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void CreateTitleBar();
    void CreatePropertyPage();
    void CreateSettingsBar();
    void CreateTrayIcon();
    void BuildTrayMenu();
    // A message box, custom dialog or any other modal dialog is open.
    bool IsDialogOpen() const;
    bool HandleKeyPress(QKeyEvent* event);
    void ActivateOpenDialogs();
    QWidget* LastEnabledSettingsButton() const;
    void HideAllMenus();

    TitleBar* m_pTitleBar = nullptr;
    PropertyPage* m_pPropertyPage = nullptr;
    SettingsBar* m_pSettingsBar = nullptr;
    QSystemTrayIcon* m_pTrayIcon = nullptr;
    QAction* m_pOpenAction = nullptr;
    QAction* m_pBootAction = nullptr;
    QAction* m_pAcceptAction = nullptr;
    QAction* m_pCheckUpdateAction = nullptr;
    QAction* m_pAboutAction = nullptr;
    QAction* m_pQuitAction = nullptr;
    QMenu* m_pTrayMenu = nullptr;
    RegistrySettings m_settings;
    QTimer* m_pNotifyTimer = nullptr;                 // exists only while the poll runs
    INotifyTimerCallback* m_pNotifyCallback = nullptr;
    bool m_bDragging = false;
    QPoint m_dragOffset;
    bool m_bAboutOpen = false;
    bool m_bClosing = false;
    bool m_bTabForward = true;
    Qt::WindowStates m_lastWindowState = Qt::WindowNoState;
};

#endif // LUMIVANDREXUTILITY_H
