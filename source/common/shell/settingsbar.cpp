#include "shell/settingsbar.h"

#include <QHBoxLayout>
#include <QMutexLocker>
#include <QTabWidget>

#include "device/lumivandrexpresenter.h"
#include "logging/lvlogger.h"
#include "settingspages/wtabpageadvanced.h"
#include "settingspages/wtabpagetiming.h"
#include "settingspages/wtabpagevideo.h"
#include "settingspages/wtabpagevolume.h"
#include "shell/settingscommit.h"
#include "shell/wsetbtn.h"
#include "statuspages/wtabpagehdmi.h"
#include "statuspages/wtabpageinfo.h"
#include "statuspages/wtabpageinput.h"
#include "toolkit/qwrappermsgbox.h"

namespace {
constexpr int kButtonWidth = 120;
constexpr int kButtonHeight = 32;
constexpr int kButtonTextSpace = 12;   // the 4-pixel border image on either side, and air

// Runs a message box of the bar and returns its modal result (1 = OK).
int RunMessageBox(QWidget* parent, const QString& text, const QString& ok, const QString& cancel, int height)
{
    return QWrapperMsgBox::Ask(MSG_TYPE_WARNING, text, ok, cancel, 420, height, parent);
}
} // namespace

SettingsBar::SettingsBar(QWidget* parent)
    : QWidget(parent)
{
    setFixedHeight(40);
    setStyleSheet(QStringLiteral("QWidget{outline: none;}"));

    m_pExportBtn = CreateButton(tr("Save Report..."));
    m_pDefaultBtn = CreateButton(tr("Reset to Defaults"));
    m_pSaveBtn = CreateButton(tr("Save to Device"));
    m_pExportBtn->SetSetting(this);
    m_pDefaultBtn->SetSetting(this);
    m_pSaveBtn->SetSetting(this);
    m_pSaveBtn->setEnabled(false);

    QHBoxLayout* layout = new QHBoxLayout(this);
    layout->addWidget(m_pExportBtn);
    layout->addWidget(m_pDefaultBtn);
    layout->addStretch(1);
    layout->addWidget(m_pSaveBtn);
    layout->setSpacing(12);
    layout->setContentsMargins(12, 0, 12, 4);

    g_presenter.AddNotify(this);

    connect(this, &SettingsBar::updateDeviceChanged, this, &SettingsBar::OnUpdateDeviceChanged, Qt::QueuedConnection);
    connect(this, &SettingsBar::uiChanged, this, &SettingsBar::OnPageUIChanged, Qt::QueuedConnection);
}

SettingsBar::~SettingsBar()
{
    // The program destroys the bar only after notification has stopped; tests
    // build and drop bars while the presenter runs, so leave the registry clean.
    g_presenter.DeleteNotify(this);
}

WSetBtn* SettingsBar::CreateButton(QString text)
{
    WSetBtn* button = new WSetBtn(text, this);
    button->setObjectName(QStringLiteral("btn_settings"));
    // 120 pixels, wider when a large font needs it: the bar has room for three
    // buttons of the longest text at the largest font the ini allows.
    button->setFixedSize(qMax(kButtonWidth, button->fontMetrics().horizontalAdvance(text) + kButtonTextSpace),
                         kButtonHeight);
    connect(button, &QPushButton::clicked, this, &SettingsBar::OnButtonClicked);
    return button;
}

WSetBtn* SettingsBar::LastEnabledButton() const
{
    if (m_pSaveBtn && m_pSaveBtn->isEnabled())
        return m_pSaveBtn;
    if (m_pDefaultBtn && m_pDefaultBtn->isEnabled())
        return m_pDefaultBtn;
    if (m_pExportBtn && m_pExportBtn->isEnabled())
        return m_pExportBtn;
    return nullptr;
}

void SettingsBar::DisableWithHandOff(WSetBtn* button)
{
    if (!button)
        return;
    if (button->hasFocus() && button == LastEnabledButton() && m_pDeviceSelector)
        m_pDeviceSelector->setFocus(Qt::OtherFocusReason);
    button->setEnabled(false);
}

// ---- notifications --------------------------------------------------------

void SettingsBar::OnUIChanged(bool changed)
{
    emit uiChanged(changed);
}

void SettingsBar::OnPageUIChanged(bool enable)
{
    const bool was = m_pSaveBtn->isEnabled();
    if (enable)
        m_pSaveBtn->setEnabled(true);
    else
        DisableWithHandOff(m_pSaveBtn);
    // Shown before control returns, but only when it changed: every reload ends
    // with "no changes", the first one right after the window's first paint.
    if (m_pSaveBtn->isEnabled() != was)
        repaint();
}

void SettingsBar::OnCurrentDeviceLost(bool pending)
{
    Q_UNUSED(pending)
    // The changes went with the device; nothing can be committed any more.
    g_presenter.SetUIChanged(false, UI_CHANGE_IMMEDIATE);
    g_presenter.SetUIChangeType(UI_CHANGE_IMMEDIATE);
    emit updateDeviceChanged();
}

void SettingsBar::OnOtherDeviceChanged(bool removed, QString name)
{
    Q_UNUSED(removed)
    Q_UNUSED(name)
    emit updateDeviceChanged();
}

void SettingsBar::OnUpdateDeviceChanged()
{
    int count = 0;
    {
        QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
        count = g_presenter.GetDeviceCount();
    }
    if (count <= 0) {
        DisableWithHandOff(m_pExportBtn);
        DisableWithHandOff(m_pDefaultBtn);
        DisableWithHandOff(m_pSaveBtn);
    } else {
        m_pExportBtn->setEnabled(true);
        m_pDefaultBtn->setEnabled(true);
    }
}

// ---- buttons ----------------------------------------------------------------

void SettingsBar::OnButtonClicked()
{
    QPushButton* button = qobject_cast<QPushButton*>(sender());
    if (!button)
        return;
    if (button == m_pExportBtn)
        emit exportBtnClicked();
    else if (button == m_pDefaultBtn)
        ResetToDefaults();
    else if (button == m_pSaveBtn)
        SaveToDevice();
}

void SettingsBar::ResetToDefaults()
{
    const QString question = tr("This operation will use default settings.                                        "
                                "Some options will only take effect after reconnecting the device and rebooting the computer."
                                "                                        Do you want to continue this operation?");
    if (RunMessageBox(this, question, tr("Yes"), tr("No"), 260) != 1)
        return;

    enum { NoDevice, Done, RestoreFailed, SaveFailed } outcome = NoDevice;
    {
        QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
        if (LumivandrexDevice* device = g_presenter.GetCurrentDevice()) {
            // Save only what the device really restored: after a failed restore a
            // save would make the user's unsaved changes permanent instead.
            if (!WriteSettingsCommit(device, SETTINGS_COMMIT_RESTORE_DEFAULTS)) {
                outcome = RestoreFailed;
            } else if (!WriteSettingsCommit(device, SETTINGS_COMMIT_SAVE)) {
                outcome = SaveFailed;
                // The defaults are active but not saved: that is a pending change.
                g_presenter.SetUIChanged(true, UI_CHANGE_IMMEDIATE);
            } else {
                outcome = Done;
                g_presenter.SetUIChanged(false, UI_CHANGE_IMMEDIATE);
                // The main window's slot runs here, still under the (recursive) lock.
                emit defaultBtnClicked();
            }
        }
    }
    if (outcome == RestoreFailed)
        RunMessageBox(this, tr("Failed to restore the default settings. The device settings were not changed."),
                      tr("OK"), QString(), 240);
    else if (outcome == SaveFailed)
        RunMessageBox(this, tr("The default settings are in use but could not be saved in the device. "
                               "Click \"Save to Device\" to try again."),
                      tr("OK"), QString(), 240);
}

void SettingsBar::SaveToDevice()
{
    const bool pending = g_presenter.IsUIChanged();
    const _UI_CHANGE_TYPE type = g_presenter.GetUIChangeType();
    if (pending && (type == UI_CHANGE_RECONNECT || type == UI_CHANGE_REBOOT)) {
        const QString notice = type == UI_CHANGE_RECONNECT
            ? tr("Some options will only take effect after reconnecting the device.")
            : tr("Some options will only take effect after reconnecting the device and rebooting the computer.");
        if (RunMessageBox(this, notice, tr("OK"), QString(), 240) != 1)
            return;
    }

    bool failed = false;
    {
        QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
        if (LumivandrexDevice* device = g_presenter.GetCurrentDevice()) {
            if (WriteSettingsCommit(device, SETTINGS_COMMIT_SAVE)) {
                // The change type goes only once the changes are really saved, so a
                // retry after a failure still shows the reconnect notice.
                if (pending)
                    g_presenter.SetUIChangeType(UI_CHANGE_IMMEDIATE);
                g_presenter.SetUIChanged(false, UI_CHANGE_IMMEDIATE);
                emit okBtnClicked();
            } else {
                failed = true;
            }
        }
    }
    if (failed)
        RunMessageBox(this, tr("Failed to save the settings to the device. The changes are still pending."),
                      tr("OK"), QString(), 240);
}

// ---- keyboard walk ----------------------------------------------------------

void SettingsBar::FocusButton(WSetBtn* button)
{
    if (button && button->isEnabled())
        button->setFocus(Qt::TabFocusReason);
}

bool SettingsBar::focusNextPrevChild(bool next)
{
    QWidget* focus = focusWidget();
    if (!focus)
        return QWidget::focusNextPrevChild(next);

    if (next) {
        if (focus == LastEnabledButton()) {
            if (!m_pDeviceSelector)
                return QWidget::focusNextPrevChild(next);
            m_pDeviceSelector->setFocus(Qt::TabFocusReason);
            return true;
        }
        if (!focus->isEnabled())
            return false;
        if (focus == m_pExportBtn)
            FocusButton(m_pDefaultBtn);
        else if (focus == m_pDefaultBtn)
            FocusButton(m_pSaveBtn);
        return true;
    }

    if (focus == m_pExportBtn) {
        QWidget* page = m_pTabWidget ? m_pTabWidget->currentWidget() : nullptr;
        if (!page)
            return QWidget::focusNextPrevChild(next);
        if (WTabPageHdmi* hdmi = qobject_cast<WTabPageHdmi*>(page)) {
            if (!hdmi->FocusLastAvailable())
                m_pTabWidget->setFocus(Qt::BacktabFocusReason);
            return true;
        }
        if (WTabPageTiming* timing = qobject_cast<WTabPageTiming*>(page)) {
            if (!timing->FocusLastAvailable())
                m_pTabWidget->setFocus(Qt::BacktabFocusReason);
            return true;
        }
        if (WTabPageInfo* info = qobject_cast<WTabPageInfo*>(page))
            return info->FocusLastAvailable();
        if (WTabPageVideo* video = qobject_cast<WTabPageVideo*>(page))
            return video->FocusLastAvailable();
        if (WTabPageVolume* volume = qobject_cast<WTabPageVolume*>(page))
            return volume->FocusLastAvailable();
        if (WTabPageInput* input = qobject_cast<WTabPageInput*>(page))
            return input->FocusLastAvailable();
        if (WTabPageAdvanced* advanced = qobject_cast<WTabPageAdvanced*>(page))
            return advanced->FocusLastAvailable();
        return QWidget::focusNextPrevChild(next);
    }
    if (focus == m_pSaveBtn)
        FocusButton(m_pDefaultBtn);
    else if (focus == m_pDefaultBtn)
        FocusButton(m_pExportBtn);
    return true;
}
