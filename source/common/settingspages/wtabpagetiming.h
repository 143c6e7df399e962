#ifndef WTABPAGETIMING_H
#define WTABPAGETIMING_H

#include <QWidget>

#include "device/ilumivandrexnotify.h"
#include "device/kvcaprecords.h"
#include "toolkit/wpagebase.h"

class LumivandrexDevice;
class QAdjustTimingWidget;
class QColorPieceWidget;
class QCustomResolutionsWidget;
class QCustomTimingWidget;
class QWrapperCheckBox;
class QWrapperSpinBox;
class WPushButton;

// The Timing page, shown when the device's feature report has bit 1: how an analogue
// input (VGA or component) is sampled. The "AUTO" panel switches automatic sampling
// phase and horizontal alignment, sets the phase by hand and starts a one-off phase
// adjustment; below it the timing adjustment, custom timing and custom resolution
// editors share a tab stack. Everything is disabled unless an analogue signal is present.
class WTabPageTiming : public QWidget, public WPageBase, public ILumivandrexNotify
{
    Q_OBJECT
public:
    // Change bits of the timing notification.
    static constexpr quint64 kInputTimingChanged = 0x10;
    static constexpr quint64 kSamplingPhaseChanged = 0x4000;

    explicit WTabPageTiming(QWidget* parent = nullptr);
    ~WTabPageTiming() override;

    void InitPage(unsigned int flags, bool partial) override;
    QString GetExportInfo() override;

    // Called on the presenter's poll: only hands the bits to the GUI thread.
    void OnTimingStatusChanged(quint64 bits) override;

    // Sets the panel from report 0x10 and the three automatic-adjustment reports;
    // reads 0x10 itself unless the caller passes it. A report that could not be read
    // leaves its control unknown (clear and disabled) until a refresh reads it.
    void InitAutoColorPiece(const _KVCAP_INPUT_STATUS* status = nullptr);

    // The main window hides this widget's menu on Escape.
    QAdjustTimingWidget* GetAdjustTimingWidget() const { return m_pAdjustTiming; }
    QCustomTimingWidget* GetCustomTimingWidget() const { return m_pCustomTiming; }
    QCustomResolutionsWidget* GetCustomResolutionsWidget() const { return m_pCustomResolutions; }
    QWrapperCheckBox* GetAutoPhaseCheckBox() const { return m_pAutoPhase; }
    QWrapperCheckBox* GetAutoAlignmentCheckBox() const { return m_pAutoAlignment; }
    QWrapperSpinBox* GetPhaseSpinBox() const { return m_pPhaseSpin; }
    WPushButton* GetAutoAdjustButton() const { return m_pAutoAdjustBtn; }
    class QWrapperStack* GetStack() const { return m_pStack; }

signals:
    void timingStatusChanged(quint64 ullStatusBits);
    void signal_resetFocus();
    void sigPageRefreshed(unsigned int flags, bool partial);

public slots:
    void OnCheckBoxClicked();
    void OnSpinBoxValueChanged(int nValue);
    void OnButtonClicked();
    void OnTabPageChanged(int nIndex);
    void OnSpinMousePress();
    void OnSpinMouseRelease();
    void OnTimingStatusChanged2(quint64 ullStatusBits);

private:
    // Reports 0x90 to 0x92 as read, each with whether its read succeeded.
    struct AutoReads {
        _KVCAP_AUTO_H_ALIGNMENT alignment{};
        _KVCAP_AUTO_SAMPLING_PHASE autoPhase{};
        _KVCAP_SAMPLING_PHASE phase{};
        bool alignmentRead = false;
        bool autoPhaseRead = false;
        bool phaseRead = false;
    };
    static AutoReads ReadAutoReports(LumivandrexDevice* dev, bool withAlignment);

    QColorPieceWidget* CreateAutoPanel();
    void BuildFocusList();
    // The panel, the three editors and the first tab, from one read of report 0x10:
    // `known` when the caller tried it (`knownRead`: whether the read succeeded).
    void Reload(bool reset, const _KVCAP_INPUT_STATUS* known = nullptr, bool knownRead = true);
    void ShowPhase(const AutoReads& reads, bool usable);

    QWrapperCheckBox* m_pAutoPhase = nullptr;
    QWrapperCheckBox* m_pAutoAlignment = nullptr;
    QWrapperSpinBox* m_pPhaseSpin = nullptr;
    WPushButton* m_pAutoAdjustBtn = nullptr;
    QColorPieceWidget* m_pAutoPanel = nullptr;
    QWrapperStack* m_pStack = nullptr;
    QAdjustTimingWidget* m_pAdjustTiming = nullptr;
    QCustomTimingWidget* m_pCustomTiming = nullptr;
    QCustomResolutionsWidget* m_pCustomResolutions = nullptr;
    bool m_bUsable = false;
    // Whether the switches and the phase shown were read from the device: a control
    // whose value was not read writes nothing.
    bool m_bAlignmentRead = false;
    bool m_bAutoPhaseRead = false;
    bool m_bPhaseRead = false;
    bool m_bPressed = false;   // an aspect spin box of the adjust tab is held down
    bool m_bDirty = false;     // the signal changed while it was held
};

#endif // WTABPAGETIMING_H
