#ifndef TITLEBAR_H
#define TITLEBAR_H

#include <QFont>
#include <QStringList>
#include <QWidget>

#include "device/ilumivandrexnotify.h"

class QAction;
class QHBoxLayout;
class QLabel;
class QMenu;
class CSystemButton;
class WCenterWid;
class WPushButton;

// The 40-pixel bar at the top of the main window: logo, the current device's
// name with the drop button of the device menu, minimise and close buttons.
// It is the listener that reacts first to device loss and hot-plug: it rebuilds
// the menu, makes a device current and tells the main window to reload pages.
//
// Threads: OnCurrentDeviceLost/OnOtherDeviceChanged run on the enumeration
// thread and only emit the queued update signals; all widget work and every
// presenter call run on the GUI thread.
class TitleBar : public QWidget, public ILumivandrexNotify
{
    Q_OBJECT
public:
    explicit TitleBar(QWidget* parent = nullptr);
    ~TitleBar() override;

    virtual void OnCurrentDeviceLost(bool bLost) override;
    virtual void OnOtherDeviceChanged(bool bLost, QString strProductName) override;

    // The device selector of the keyboard walk (the frame around name and drop button).
    WCenterWid* GetCenterWidget() const { return m_pCenterWid; }
    QMenu* GetDeviceMenu() const { return m_pDeviceMenu; }
    // Closes the device menu when it is open (Escape anywhere in the program).
    void HideDeviceMenu();
    // The current device's whole name (the label may show it elided).
    QString GetTitleText() const;
    QLabel* GetTitleLabel() const { return m_pTitle; }
    WPushButton* GetDropButton() const { return m_pDropBtn; }

    // "%1 (%2)" from the model name and serial number of a device-information
    // record (NUL-terminated texts inside fixed fields; never read past them).
    static QString DeviceDisplayName(const unsigned char* deviceInfo, int length);
    // A menu in the bar's dark look, bold at the chosen size: the device menu and
    // the main window's menu (tray, and the bar's right click without a tray).
    static QMenu* NewMenu(QWidget* parent);

signals:
    void minBtnClicked();
    void closeBtnClicked();
    void logoBtnClicked();
    void initPages();
    void devicesRemoved();
    void updateCurrentDeviceLost(bool bLost);
    void updateOtherDeviceChanged(bool bLost, QString strProductName);
    void showContextMenu(QPoint);

public slots:
    void OnDropBtnClicked();
    void OnSelectMenuItem(QAction* pAction);
    void OnUpdateCurrentDeviceLost(bool bLost);
    void OnUpdateOtherDeviceChanged(bool bLost, QString strProductName);

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // A click on the device name opens the device menu.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Clears the menu and adds one entry per attached device; the entry of
    // `checkedIndex` becomes the checked entry. Presenter lock held by the caller.
    void RebuildDeviceMenu(int checkedIndex);
    void ShowDeviceControls(bool show);
    void SetTitleText(const QString& text);
    // Width the name's label may take in the bar, and the name shown in it.
    int TitleRoom() const;
    void FitTitleText();
    void AskAndCommitBeforeSwitch();

    QLabel* m_pLogo = nullptr;
    WCenterWid* m_pCenterWid = nullptr;
    QLabel* m_pTitle = nullptr;
    QString m_strTitle;                  // the whole name; m_pTitle may show it smaller or elided
    QFont m_titleFont;                   // the name's font before it is made smaller to fit
    QPoint m_namePressPos;               // global position of a left press on the name
    bool m_bNameClick = false;           // that press has not (yet) become a drag
    QHBoxLayout* m_pRightLayout = nullptr;
    WPushButton* m_pDropBtn = nullptr;
    CSystemButton* m_pMinBtn = nullptr;
    CSystemButton* m_pCloseBtn = nullptr;
    QMenu* m_pDeviceMenu = nullptr;
    QStringList m_knownDevices;           // display names at the last rebuild, for the plug/unplug log
    QAction* m_pCheckedAction = nullptr;  // compared and re-pointed only, owned by the menu's parent
};

#endif // TITLEBAR_H
