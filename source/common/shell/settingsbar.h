#ifndef SETTINGSBAR_H
#define SETTINGSBAR_H

#include <QWidget>

#include "device/ilumivandrexnotify.h"

class QTabWidget;
class WSetBtn;

// The strip at the bottom of the main window: "Save Report...", "Reset to
// Defaults" and "Save to Device". It follows the presenter's pending-change
// state and owns the commit report (0xFE) sent by its two device buttons.
//
// Threads: OnCurrentDeviceLost/OnOtherDeviceChanged run on the enumeration
// thread and OnUIChanged on the caller's thread; they only touch presenter
// state and emit queued signals. Everything else runs on the GUI thread.
class SettingsBar : public QWidget, public ILumivandrexNotify
{
    Q_OBJECT
public:
    explicit SettingsBar(QWidget* parent = nullptr);
    ~SettingsBar() override;

    WSetBtn* CreateButton(QString text);

    // Keyboard walk targets, set by the main window once all bars exist.
    void SetDeviceSelector(QWidget* selector) { m_pDeviceSelector = selector; }
    QWidget* GetDeviceSelector() const { return m_pDeviceSelector; }
    void SetTabWidget(QTabWidget* tabWidget) { m_pTabWidget = tabWidget; }
    QTabWidget* GetTabWidget() const { return m_pTabWidget; }

    WSetBtn* GetExportButton() const { return m_pExportBtn; }
    WSetBtn* GetDefaultButton() const { return m_pDefaultBtn; }
    WSetBtn* GetSaveButton() const { return m_pSaveBtn; }
    // "Save to Device" when enabled, else "Reset to Defaults", else
    // "Save Report...", else null.
    WSetBtn* LastEnabledButton() const;

    // Disables a button; when it holds the focus and is the last enabled one
    // the focus moves to the device selector first.
    void DisableWithHandOff(WSetBtn* button);

    // ILumivandrexNotify
    void OnCurrentDeviceLost(bool pending) override;
    void OnOtherDeviceChanged(bool removed, QString name) override;
    void OnUIChanged(bool changed) override;

signals:
    void exportBtnClicked();
    void defaultBtnClicked();
    void okBtnClicked();
    void cancelBtnClickedWithReload();
    void cancelBtnClicked();
    void updateDeviceChanged();
    void uiChanged(bool);

public slots:
    void OnButtonClicked();
    void OnUpdateDeviceChanged();
    void OnPageUIChanged(bool enable);

protected:
    bool focusNextPrevChild(bool next) override;

private:
    void ResetToDefaults();
    void SaveToDevice();
    void FocusButton(WSetBtn* button);

    WSetBtn* m_pExportBtn = nullptr;
    WSetBtn* m_pDefaultBtn = nullptr;
    WSetBtn* m_pSaveBtn = nullptr;
    QWidget* m_pDeviceSelector = nullptr;  // title bar's WCenterWid, not owned
    QTabWidget* m_pTabWidget = nullptr;    // tab container's tab widget, not owned
};

#endif // SETTINGSBAR_H
