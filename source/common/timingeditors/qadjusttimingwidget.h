#pragma once
// The "Adjust Timing" tab of the Timing page: shows the timing the device applies to
// an analogue input and moves it live (every change is sent at once as a custom
// timing), offers the device's preferred timings, resets to the detected timing and
// saves the current timing into the device's custom timing list.
//
// The widget keeps no copy of the device's data: every handler reads report 0x10
// (or the list it changes) again, whole, before it writes. A change that is not
// written puts its control back to what the device holds (or, unread, to what was
// shown before), without running the handler again.

#include <QWidget>

#include "device/kvcaprecords.h"

class CMenuButton;
class QAction;
class QLabel;
class QMenu;
class QWrapperSlider;
class QWrapperSpinBox;
class WPageBase;
class WPushButton;

class QAdjustTimingWidget : public QWidget
{
    Q_OBJECT
public:
    // The sliders, top to bottom.
    enum Slider { SliderHActive, SliderHTotal, SliderHOffset, SliderVActive, SliderVOffset, SliderClamp, SliderCount };

    explicit QAdjustTimingWidget(QWidget* parent = nullptr);

    // The menu of the "btn_menu" button, or null until it is first opened.
    // The main window hides it on Escape.
    QMenu* GetMenu() const { return m_pMenu; }

    // Refresh from the device. `reset` first re-applies the first preferred timing.
    // `status`, when given, is report 0x10 as the caller has just tried to read it, and
    // `statusRead` whether that read succeeded (spares a second read; ignored after a
    // reset, which changes the signal). An unread signal shows empty, not as "N/A".
    void InitAdjustTimingTab(bool reset, const _KVCAP_INPUT_STATUS* status = nullptr, bool statusRead = true);

    // Sends preferred timing `index` of the device's list (read again first) to the
    // device, which switches the input to it. True when it was sent.
    bool ApplyPreferredTiming(int index);

    // The same-signal rule of the custom timing list.
    static bool IsSyncInfoEqual(const _KVCAP_VIDEO_SYNC_INFO* a, const _KVCAP_VIDEO_SYNC_INFO* b);
    // Stores `timing` in the device's custom timing list, asking before it replaces
    // the entry of the same signal. True when the list was written.
    bool SaveCustomTiming(const _KVCAP_VIDEO_CUSTOM_TIMING* timing);

    // Adds this tab's controls to the page's focus list, in Tab order.
    void AddToFocusList(WPageBase* page, class QWrapperStack* stack);

    QWrapperSlider* GetSlider(int which) const { return m_pSliders[which]; }
    QLabel* GetValueText(int which) const { return m_pValueTexts[which]; }
    QLabel* GetCurrentTimingLabel() const { return m_pCurTimingLabel; }
    QWrapperSpinBox* GetAspectXSpinBox() const { return m_pAspectX; }
    QWrapperSpinBox* GetAspectYSpinBox() const { return m_pAspectY; }
    CMenuButton* GetMenuButton() const { return m_pMenuBtn; }
    WPushButton* GetResetButton() const { return m_pResetBtn; }
    WPushButton* GetSaveButton() const { return m_pSaveBtn; }

    // Fills the preferred-timing menu from the device (done by the button before it
    // shows the menu). Leaves the presenter lock before returning.
    void BuildPreferredTimingMenu();

public slots:
    void OnSliderValueChanged(int nValue);
    void OnSpinBoxValueChanged(int nValue);
    void OnButtonClicked();
    void OnPreferredTimingSelected(QAction* action);

private:
    QLabel* CreateAdjustTimingLabel(const QString& text);
    QLabel* CreateAdjustTimingText();
    void ShowNoTiming(bool statusRead);
    void ShowTiming(const _KVCAP_INPUT_STATUS& status);
    // Set a control without running its handler, and remember the value shown.
    void SetSliderQuietly(int which, int value);
    void SetAspectQuietly(QWrapperSpinBox* spin, int value);
    // The value the device can take for a slider moved to `v`, or -1 when none.
    static int AdjustedSliderValue(int which, int v, const _KVCAP_VIDEO_CUSTOM_TIMING& t, int minimum, int maximum);
    static uint16_t* SettingOf(int which, _KVCAP_VIDEO_TIMING_SETTINGS& s);

    QLabel* m_pCurTimingLabel = nullptr;
    CMenuButton* m_pMenuBtn = nullptr;
    QMenu* m_pMenu = nullptr;   // child of this widget once built
    QWrapperSlider* m_pSliders[SliderCount] = {};
    QLabel* m_pValueTexts[SliderCount] = {};
    QWrapperSpinBox* m_pAspectX = nullptr;
    QWrapperSpinBox* m_pAspectY = nullptr;
    int m_nShown[SliderCount] = {};   // what each control last showed
    int m_nShownAspect[2] = {};       // X, Y
    WPushButton* m_pResetBtn = nullptr;
    WPushButton* m_pSaveBtn = nullptr;
};
