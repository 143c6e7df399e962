#ifndef LUMIVANDREXUTILITY_H
#define LUMIVANDREXUTILITY_H

#include <QDialog>
#include <QPoint>
#include <QPointer>
#include <QSystemTrayIcon>

#include "device/ilumivandrexnotify.h"
#include "shell/registrysettings.h"
#include "shell/startup.h"
#include "toolkit/windowdrag.h"

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
    static constexpr int kDragBand = 6;   // rows below the title bar's top edge that do not drag

    explicit LumivandrexUtility(QWidget* parent = nullptr);
    ~LumivandrexUtility() override;

    // Brings the window up (single-instance message, tray).
    void OpenMainWindow();
    // The first showing; `minimized` ("/minimized") leaves the window in the
    // tray, or minimised where there is no tray to bring it back from.
    void ShowAtStart(bool minimized);

    // Whether a system tray holds the icon (asked of the window system at
    // construction). Without one, close ends the program and Escape minimises.
    bool HasTray() const { return m_bTray; }
    void SetTrayAvailable(bool available);

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
    bool HandleKeyPress(QObject* watched, QKeyEvent* event);
    void ActivateOpenDialogs();
    QWidget* LastEnabledSettingsButton() const;
    void HideAllMenus();
    // After a pop-up or dialog closed: watch the widgets that claim the pointer,
    // and end the hover look of those it is no longer over.
    void WatchHover();
    void DropStaleHover();

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
    WindowDrag m_drag{this, kDragBand};
    bool m_bTray = false;
    bool m_bPainted = false;
    bool m_bAboutOpen = false;
    bool m_bClosing = false;
    bool m_bTabForward = true;
    Qt::WindowStates m_lastWindowState = Qt::WindowNoState;
    QList<QPointer<QWidget>> m_hoverWatch;   // may keep a stale hover look (GUI thread)
};

#endif // LUMIVANDREXUTILITY_H
