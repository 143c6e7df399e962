#pragma once
// One user change written to the current device: the write runs under the presenter
// lock, and only a write the device took is marked pending, after the lock is released
// (listeners may show windows). Shared by the pages that write settings.
//
// A control that shows a device value remembers it: a refresh sets it with
// ShowDeviceValue, a write the device took keeps the new value. When the device refuses
// a change, or it cannot be written at all (the record it is built from could not be read
// whole), WriteControlChange puts the control back to the remembered value. Neither runs
// the control's own handler, so nothing else is written and nothing is marked pending.
//
//     ShowDeviceValue(m_pCombo, item);                            // in the refresh
//     WriteControlChange(m_pCombo, [&](LumivandrexDevice* d) {    // in the handler
//         return ModifyReport<Record>(d, [&](Record& r) { r.field = code; });
//     });
//
// Combo boxes remember their current index, spin boxes and sliders (QWrapperSlider too)
// their value, buttons and the program's check boxes their check state. A value that
// could not be read is shown with ShowUnknownValue.

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QComboBox>
#include <QMutexLocker>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVariant>

#include "device/lumivandrexpresenter.h"
#include "toolkit/qwrappercheckbox.h"
#include "toolkit/qwrapperslider.h"

namespace pagewrite_detail {

enum class Outcome { NoDevice, Refused, Taken };

template <typename Write>
Outcome WriteChange(Write&& write, _UI_CHANGE_TYPE type)
{
    Outcome outcome = Outcome::NoDevice;
    {
        QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
        if (LumivandrexDevice* device = g_presenter.GetCurrentDevice())
            outcome = write(device) ? Outcome::Taken : Outcome::Refused;
    }
    if (outcome == Outcome::Taken)
        g_presenter.SetUIChanged(true, type);
    return outcome;
}

constexpr const char* kDeviceValue = "lvDeviceValue";

inline int ControlValue(const QObject* control)
{
    if (auto* combo = qobject_cast<const QComboBox*>(control))
        return combo->currentIndex();
    if (auto* spin = qobject_cast<const QSpinBox*>(control))
        return spin->value();
    if (auto* slider = qobject_cast<const QAbstractSlider*>(control))
        return slider->value();
    if (auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->isChecked();
    if (auto* box = qobject_cast<const QWrapperCheckBox*>(control))
        return box->IsChecked();
    if (auto* slider = qobject_cast<const QWrapperSlider*>(control))
        return slider->GetValue();
    return 0;
}

inline void SetControlValue(QObject* control, int value)
{
    const QSignalBlocker blocker(control);
    if (auto* combo = qobject_cast<QComboBox*>(control))
        combo->setCurrentIndex(value);
    else if (auto* spin = qobject_cast<QSpinBox*>(control))
        spin->setValue(value);
    else if (auto* slider = qobject_cast<QAbstractSlider*>(control))
        slider->setValue(value);
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setChecked(value != 0);
    else if (auto* box = qobject_cast<QWrapperCheckBox*>(control))
        box->SetChecked(value != 0);
    else if (auto* slider = qobject_cast<QWrapperSlider*>(control))
        slider->SetValue(value);   // its value label follows; its valueChanged stays blocked
}

} // namespace pagewrite_detail

// The control's present value is what the device holds.
inline void KeepDeviceValue(QObject* control)
{
    control->setProperty(pagewrite_detail::kDeviceValue, pagewrite_detail::ControlValue(control));
}

// Shows a value of the device without running the control's handler, and remembers it.
inline void ShowDeviceValue(QObject* control, int value)
{
    pagewrite_detail::SetControlValue(control, value);
    KeepDeviceValue(control);   // as shown: a spin box or slider may have clamped it
}

// A value that could not be read shows as unknown: no item, no number, a clear box, and
// nothing is remembered as the device's for a refused change to go back to. The control
// takes no change until a refresh shows a value read from the device and enables it.
inline void ShowUnknownValue(QWidget* control)
{
    {
        const QSignalBlocker blocker(control);
        if (auto* combo = qobject_cast<QComboBox*>(control))
            combo->setCurrentIndex(-1);
        else if (auto* spin = qobject_cast<QAbstractSpinBox*>(control))
            spin->clear();
        else if (auto* box = qobject_cast<QWrapperCheckBox*>(control))
            box->SetChecked(false);
    }
    control->setProperty(pagewrite_detail::kDeviceValue, QVariant());
    control->setEnabled(false);
}

// Back to the value last shown from the device (no change when none was).
inline void RestoreDeviceValue(QObject* control)
{
    const QVariant value = control->property(pagewrite_detail::kDeviceValue);
    if (value.isValid())
        pagewrite_detail::SetControlValue(control, value.toInt());
}

// `write(LumivandrexDevice*)` returns true when the device took the change; it is not
// called without a current device. Returns what it returned.
template <typename Write>
bool WriteAndMarkPending(Write&& write, _UI_CHANGE_TYPE type = UI_CHANGE_IMMEDIATE)
{
    return pagewrite_detail::WriteChange(write, type) == pagewrite_detail::Outcome::Taken;
}

// WriteAndMarkPending for a change the user made in `control`: taken, the new value is
// the device's; refused or not written, the control shows the device's value again.
// Without a current device the control stays as the user left it. `write` may call
// ShowDeviceValue or KeepDeviceValue itself when it knows better what the device holds.
template <typename Write>
bool WriteControlChange(QObject* control, Write&& write, _UI_CHANGE_TYPE type = UI_CHANGE_IMMEDIATE)
{
    const pagewrite_detail::Outcome outcome = pagewrite_detail::WriteChange(write, type);
    if (outcome == pagewrite_detail::Outcome::Taken)
        KeepDeviceValue(control);
    else if (outcome == pagewrite_detail::Outcome::Refused)
        RestoreDeviceValue(control);
    return outcome == pagewrite_detail::Outcome::Taken;
}
