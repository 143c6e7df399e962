#include "timingeditors/qadjusttimingwidget.h"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMutexLocker>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "device/inputstatustext.h"
#include "device/lumivandrexpresenter.h"
#include "device/reportaccess.h"
#include "timingeditors/timingdisplaytext.h"
#include "toolkit/cfocusmanager.h"
#include "toolkit/cmenubutton.h"
#include "toolkit/qcustomslider.h"
#include "toolkit/qwrappermsgbox.h"
#include "toolkit/qwrapperslider.h"
#include "toolkit/qwrapperspinbox.h"
#include "toolkit/stylesheetbuilder.h"
#include "toolkit/wpagebase.h"
#include "toolkit/wpushbutton.h"

namespace {

constexpr int kMaxPixelClockMHz = 165;    // the H total ceiling keeps the pixel clock at or below it

// The names' column: "Clamp position : " whole at 14 pixels bold. The sliders beside it
// take the rest of the row.
constexpr int kNameWidth = 114;

const QColor kLabelText(0xA0, 0xA0, 0xA0);
const QColor kLabelBackground(0x2B, 0x2B, 0x2B);
const QColor kLabelBorder(39, 39, 39);

// The timing the device applies to an analogue input, from report 0x10; false when
// the report cannot be read whole or the input is not analogue (nothing to act on
// then). Every timing written is built from it, so a short answer counts as no answer.
bool ReadAppliedTiming(LumivandrexDevice* dev, _KVCAP_VIDEO_CUSTOM_TIMING& timing)
{
    _KVCAP_INPUT_STATUS status;
    if (!ReadWholeReport(dev, status) || !IsAnalogTimingInput(status))
        return false;
    timing = {status.analog.syncInfo, status.analog.settings};
    return true;
}

bool IsLineSlider(int which)
{
    return which == QAdjustTimingWidget::SliderVActive || which == QAdjustTimingWidget::SliderVOffset;
}

} // namespace

QAdjustTimingWidget::QAdjustTimingWidget(QWidget* parent)
    : QWidget(parent)
{
    m_pCurTimingLabel = new QLabel(QStringLiteral("N/A"), this);
    m_pCurTimingLabel->setFixedSize(320, 24);
    setLabelStyle(m_pCurTimingLabel, kLabelText, kLabelBackground, kLabelBorder);
    m_pMenuBtn = new CMenuButton(tr("Preferred timings >"), this);
    m_pMenuBtn->setObjectName(QStringLiteral("btn_menu"));
    m_pMenuBtn->setFixedSize(160, 24);
    auto* top = new QHBoxLayout;
    top->addWidget(m_pCurTimingLabel);
    top->addStretch(1);
    top->addWidget(m_pMenuBtn);

    const QString names[SliderCount] = {tr("H active : "), tr("H total : "), tr("H offset : "),
                                        tr("V active : "), tr("V offset : "), tr("Clamp position : ")};
    auto* grid = new QGridLayout;
    for (int i = 0; i < SliderCount; ++i) {
        m_pSliders[i] = new QWrapperSlider(Qt::Horizontal, this);
        m_pSliders[i]->setFixedHeight(28);
        m_pSliders[i]->SetPageStep(1);
        m_pValueTexts[i] = CreateAdjustTimingText();
        grid->addWidget(CreateAdjustTimingLabel(names[i]), i, 0);
        grid->addWidget(m_pSliders[i], i, 1);
        grid->addWidget(m_pValueTexts[i], i, 2);
        connect(m_pSliders[i], &QWrapperSlider::valueChanged, this, &QAdjustTimingWidget::OnSliderValueChanged);
        m_nShown[i] = m_pSliders[i]->GetValue();
    }
    m_pAspectX = new QWrapperSpinBox(this);
    m_pAspectY = new QWrapperSpinBox(this);
    auto* aspect = new QHBoxLayout;
    for (QWrapperSpinBox* spin : {m_pAspectX, m_pAspectY}) {
        spin->setFixedSize(80, 24);
        spin->setRange(1, 2048);
        setSpinBoxStyle(spin);
        aspect->addWidget(spin);
        connect(spin, QOverload<int>::of(&QSpinBox::valueChanged), this, &QAdjustTimingWidget::OnSpinBoxValueChanged);
        m_nShownAspect[spin == m_pAspectY] = spin->value();
    }
    aspect->setSpacing(20);
    aspect->addStretch(1);
    grid->addWidget(CreateAdjustTimingLabel(tr("Aspect ratio : ")), SliderCount, 0);
    grid->addLayout(aspect, SliderCount, 1, 1, 2);

    m_pResetBtn = new WPushButton(tr("Reset timing"), this);
    m_pSaveBtn = new WPushButton(tr("Save as custom timing"), this);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    for (WPushButton* button : {m_pResetBtn, m_pSaveBtn}) {
        button->setObjectName(QStringLiteral("btn_pane"));
        button->setFixedSize(160, 24);
        bottom->addWidget(button);
    }
    bottom->setSpacing(10);
    for (WPushButton* button : {static_cast<WPushButton*>(m_pMenuBtn), m_pResetBtn, m_pSaveBtn})
        connect(button, &QPushButton::clicked, this, &QAdjustTimingWidget::OnButtonClicked);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(bottom);
    layout->setContentsMargins(10, 10, 10, 16);
}

QLabel* QAdjustTimingWidget::CreateAdjustTimingLabel(const QString& text)
{
    auto* label = new QLabel(text, this);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setFixedWidth(kNameWidth);
    setLabelStyle(label, kLabelText, kLabelBackground, kLabelBorder);
    return label;
}

QLabel* QAdjustTimingWidget::CreateAdjustTimingText()
{
    auto* label = new QLabel(QStringLiteral("N/A"), this);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setFixedSize(80, 24);
    setLabelStyle(label, kLabelText, kLabelBackground, kLabelBorder);
    return label;
}

void QAdjustTimingWidget::AddToFocusList(WPageBase* page, QWrapperStack* stack)
{
    page->AddFocusControl(m_pMenuBtn, KEY_GROUP_NONE, stack, true);
    for (QWrapperSlider* slider : m_pSliders)
        page->AddFocusControl(slider->GetCustomSlider(), KEY_GROUP_NONE, stack, true);
    page->AddFocusControl(m_pAspectX, KEY_GROUP_NONE, stack, true);
    page->AddFocusControl(m_pAspectY, KEY_GROUP_NONE, stack, true);
    page->AddFocusControl(m_pResetBtn, KEY_GROUP_FIRST, stack, true);
    page->AddFocusControl(m_pSaveBtn, KEY_GROUP_LAST, stack, true);
}

void QAdjustTimingWidget::InitAdjustTimingTab(bool reset, const _KVCAP_INPUT_STATUS* status, bool statusRead)
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    LumivandrexDevice* dev = g_presenter.GetCurrentDevice();
    bool reread = status == nullptr;
    if (reset && ApplyPreferredTiming(0))
        reread = true;   // the signal is now another one
    _KVCAP_INPUT_STATUS fresh;
    if (reread) {
        statusRead = ReadReport(dev, fresh);   // a failure leaves zeros: no usable input
        status = &fresh;
    }
    if (!statusRead || !IsAnalogTimingInput(*status)) {
        ShowNoTiming(statusRead);
        return;
    }
    ShowTiming(*status);
}

void QAdjustTimingWidget::ShowNoTiming(bool statusRead)
{
    // A refresh never writes a timing: the handlers stay quiet while it sets the controls.
    // A signal that could not be read is unknown: empty texts and aspect boxes.
    const QString none = statusRead ? QStringLiteral("N/A") : QString();
    m_pCurTimingLabel->setText(none);
    for (int i = 0; i < SliderCount; ++i) {
        SetSliderQuietly(i, m_pSliders[i]->GetMinValue());
        m_pValueTexts[i]->setText(none);
    }
    SetAspectQuietly(m_pAspectX, 4);
    SetAspectQuietly(m_pAspectY, 3);
    if (!statusRead) {
        for (QWrapperSpinBox* spin : {m_pAspectX, m_pAspectY}) {
            const QSignalBlocker blocker(spin);
            spin->clear();
        }
    }
}

void QAdjustTimingWidget::SetSliderQuietly(int which, int value)
{
    const QSignalBlocker blocker(m_pSliders[which]);
    m_pSliders[which]->SetValue(value);
    m_nShown[which] = m_pSliders[which]->GetValue();
}

void QAdjustTimingWidget::SetAspectQuietly(QWrapperSpinBox* spin, int value)
{
    const QSignalBlocker blocker(spin);
    spin->setValue(value);
    m_nShownAspect[spin == m_pAspectY] = spin->value();
}

void QAdjustTimingWidget::ShowTiming(const _KVCAP_INPUT_STATUS& status)
{
    const _KVCAP_VIDEO_TIMING_SETTINGS& s = status.analog.settings;
    const int lines = status.analog.syncInfo.totalLines;
    m_pCurTimingLabel->setText(CurrentTimingText(status));

    struct Setup {
        int minimum, maximum, value;
    };
    const Setup setups[SliderCount] = {
        {512, 2048, s.hActive},     {512, 4095, s.hTotal},
        {0, 2048, s.hOffset},       {1, qMax(1, lines), s.vActive},
        {0, qMax(0, lines - 1), s.vOffset}, {0, 255, s.clampPosition},
    };
    for (int i = 0; i < SliderCount; ++i) {
        {
            const QSignalBlocker blocker(m_pSliders[i]);
            m_pSliders[i]->SetRange(setups[i].minimum, setups[i].maximum);
            m_pSliders[i]->SetPageStep(1);
        }
        SetSliderQuietly(i, setups[i].value);
        m_pValueTexts[i]->setText(IsLineSlider(i) ? LinesText(setups[i].value) : PixelsText(setups[i].value));
    }

    // The aspect terms go up to the device's largest input. Where that could not be read
    // (or reads 0), nothing beyond the term the device holds is offered.
    _KVCAP_DEVICE_CAPS caps;
    const bool capsRead = ReadReport(g_presenter.GetCurrentDevice(), caps);
    auto bound = [capsRead](uint16_t largest, uint16_t held) {
        return capsRead && largest ? int(largest) : qMax(1, int(held));
    };
    {
        const QSignalBlocker blockX(m_pAspectX);
        const QSignalBlocker blockY(m_pAspectY);
        m_pAspectX->setRange(1, bound(caps.maxInputWidth, s.aspectX));
        m_pAspectY->setRange(1, bound(caps.maxInputHeight, s.aspectY));
    }
    SetAspectQuietly(m_pAspectX, s.aspectX);
    SetAspectQuietly(m_pAspectY, s.aspectY);
}

uint16_t* QAdjustTimingWidget::SettingOf(int which, _KVCAP_VIDEO_TIMING_SETTINGS& s)
{
    switch (which) {
    case SliderHActive: return &s.hActive;
    case SliderHTotal: return &s.hTotal;
    case SliderHOffset: return &s.hOffset;
    case SliderVActive: return &s.vActive;
    case SliderVOffset: return &s.vOffset;
    default: return nullptr;
    }
}

int QAdjustTimingWidget::AdjustedSliderValue(int which, int v, const _KVCAP_VIDEO_CUSTOM_TIMING& t, int minimum,
                                             int maximum)
{
    // In int (the fields are u16: their sums must not wrap), within the slider's range,
    // and the frame must still hold the active area where it starts.
    const int x = t.settings.hOffset, cx = t.settings.hActive, total = t.settings.hTotal;
    const int y = t.settings.vOffset, cy = t.settings.vActive, lines = t.syncInfo.totalLines;
    int value = v;
    bool fits = true;
    switch (which) {
    case SliderHActive:
        value = qBound(minimum, x + v > total ? total - x : v, maximum);
        fits = x + value <= total;
        break;
    case SliderHTotal: {
        // The pixel clock stays at or below 165 MHz; a frame without lines sets no ceiling.
        const qint64 ceiling = lines > 0 ? qint64(t.syncInfo.frameDuration) * kMaxPixelClockMHz / (qint64(lines) * 10)
                                         : qint64(maximum);
        value = v < x + cx ? x + cx : int(qMin<qint64>(v, ceiling));
        value = qBound(minimum, value, maximum);
        fits = value >= x + cx && value <= ceiling;
        break;
    }
    case SliderHOffset:
        value = qBound(minimum, cx + v > total ? total - cx : v, maximum);
        fits = cx + value <= total;
        break;
    case SliderVActive:
        value = qBound(minimum, y + v > lines ? lines - y : v, maximum);
        fits = y + value <= lines;
        break;
    case SliderVOffset:
        value = qBound(minimum, cy + v > lines ? lines - cy : v, maximum);
        fits = cy + value <= lines;
        break;
    default:
        value = qBound(minimum, v, maximum);
        break;
    }
    return fits ? value : -1;
}

void QAdjustTimingWidget::OnSliderValueChanged(int nValue)
{
    int which = 0;
    while (which < SliderCount && sender() != m_pSliders[which])
        ++which;
    if (which == SliderCount)
        return;

    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    LumivandrexDevice* dev = g_presenter.GetCurrentDevice();
    _KVCAP_VIDEO_CUSTOM_TIMING timing;
    if (!ReadAppliedTiming(dev, timing)) {
        SetSliderQuietly(which, m_nShown[which]);   // nothing sent: back to what was shown
        return;
    }
    uint16_t* field = SettingOf(which, timing.settings);
    const int held = field ? *field : timing.settings.clampPosition;
    int shown = held;
    if (!field || held != nValue) {
        const int value = AdjustedSliderValue(which, nValue, timing, m_pSliders[which]->GetMinValue(),
                                              m_pSliders[which]->GetMaxValue());
        if (value >= 0) {
            if (field)
                *field = uint16_t(value);
            else
                timing.settings.clampPosition = uint8_t(value);
            if (WriteReport(dev, timing))
                shown = value;
        }
    }
    // The slider shows what the device holds now: what was sent (snapped to what the
    // device can take), or what it had when the value was refused or not sent.
    SetSliderQuietly(which, shown);
    m_pValueTexts[which]->setText(IsLineSlider(which) ? LinesText(shown) : PixelsText(shown));
}

void QAdjustTimingWidget::OnSpinBoxValueChanged(int nValue)
{
    QWrapperSpinBox* spin = sender() == m_pAspectX ? m_pAspectX : sender() == m_pAspectY ? m_pAspectY : nullptr;
    if (!spin)
        return;
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    LumivandrexDevice* dev = g_presenter.GetCurrentDevice();
    _KVCAP_VIDEO_CUSTOM_TIMING timing;
    int shown = m_nShownAspect[spin == m_pAspectY];
    if (ReadAppliedTiming(dev, timing)) {
        uint16_t& aspect = spin == m_pAspectX ? timing.settings.aspectX : timing.settings.aspectY;
        shown = aspect;
        if (aspect != nValue && nValue >= 1 && nValue <= 0xFFFF) {
            aspect = uint16_t(nValue);
            if (WriteReport(dev, timing))
                shown = nValue;
        }
    }
    SetAspectQuietly(spin, shown);
}

void QAdjustTimingWidget::OnButtonClicked()
{
    if (sender() == m_pResetBtn) {
        QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
        WriteReport(g_presenter.GetCurrentDevice(), _KVCAP_VIDEO_CUSTOM_TIMING{});   // back to the detected timing
    } else if (sender() == m_pSaveBtn) {
        _KVCAP_VIDEO_CUSTOM_TIMING timing{};
        bool usable = false;
        {
            QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
            usable = ReadAppliedTiming(g_presenter.GetCurrentDevice(), timing);
        }
        if (usable)
            SaveCustomTiming(&timing);
    } else if (sender() == m_pMenuBtn) {
        BuildPreferredTimingMenu();
        // The menu runs without the presenter lock, so that the device list can change
        // meanwhile; the selection reads the list again before it writes.
        m_pMenu->exec(m_pMenuBtn->screenOrigin() + QPoint(m_pMenuBtn->width() - 160, m_pMenuBtn->height() + 1));
    }
}

void QAdjustTimingWidget::BuildPreferredTimingMenu()
{
    if (!m_pMenu) {
        m_pMenu = new QMenu(this);
        m_pMenu->setFont(menuFont());
        m_pMenu->setStyleSheet(QStringLiteral(
            "QMenu{color: #9DA1A6; background-color: rgb(57, 57, 57);}"
            "QMenu::item{height: 28px; padding-left: 24px; padding-right: 24px;}"
            "QMenu::item:selected, QMenu::item:hover{background-color: #236495; color: white;}"));
        connect(m_pMenu, &QMenu::aboutToHide, m_pMenuBtn, &CMenuButton::OnButtonMenuHide);
        connect(m_pMenu, &QMenu::triggered, this, &QAdjustTimingWidget::OnPreferredTimingSelected);
    }
    m_pMenu->clear();

    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    LumivandrexDevice* dev = g_presenter.GetCurrentDevice();
    _KVCAP_DEVICE_CAPS caps;
    _KVCAP_PREFERRED_TIMING_LIST list;
    _KVCAP_VIDEO_STATUS video;
    ReadReport(dev, caps);    // unread maxima stay 0 and list nothing
    ReadReport(dev, list);
    ReadReport(dev, video);
    for (int i = 0; i < KvListCount(list); ++i) {
        const _KVCAP_SIGNAL_TIMING& t = list.timings[i];
        const int fieldFactor = t.interlaced ? 2 : 1;
        if (t.hActive > caps.maxInputWidth || fieldFactor * t.vActive > caps.maxInputHeight)
            continue;
        // The rate is the current signal's, the interlace that of the entry.
        const QString text = GetVideoTimingType(t.timingType) + QStringLiteral(", ")
            + TimingModeText(t.hActive, fieldFactor * t.vActive, t.interlaced != 0, video.frameDuration);
        m_pMenu->addAction(text)->setData(i);
    }
}

void QAdjustTimingWidget::OnPreferredTimingSelected(QAction* action)
{
    if (action)
        ApplyPreferredTiming(action->data().toInt());
}

bool QAdjustTimingWidget::ApplyPreferredTiming(int index)
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    LumivandrexDevice* dev = g_presenter.GetCurrentDevice();
    _KVCAP_PREFERRED_TIMING_LIST list;
    return ReadWholeReport(dev, list) && index >= 0 && index < KvListCount(list) && WriteReport(dev, list.timings[index]);
}

bool QAdjustTimingWidget::IsSyncInfoEqual(const _KVCAP_VIDEO_SYNC_INFO* a, const _KVCAP_VIDEO_SYNC_INFO* b)
{
    const qint64 durationA = qint32(a->frameDuration);
    const qint64 durationB = qint32(b->frameDuration);
    return a->syncType == b->syncType && a->interlaced == b->interlaced
        && qAbs(int(a->vSyncLines) - int(b->vSyncLines)) <= 1 && qAbs(int(a->totalLines) - int(b->totalLines)) <= 1
        && durationB >= durationA - 100 && durationB <= durationA + 100;
}

namespace {

int FindSameSignal(const _KVCAP_VIDEO_CUSTOM_TIMING_LIST& list, const _KVCAP_VIDEO_CUSTOM_TIMING& timing)
{
    for (int i = 0; i < KvListCount(list); ++i) {
        if (QAdjustTimingWidget::IsSyncInfoEqual(&list.timings[i].syncInfo, &timing.syncInfo))
            return i;
    }
    return -1;
}

} // namespace

bool QAdjustTimingWidget::SaveCustomTiming(const _KVCAP_VIDEO_CUSTOM_TIMING* timing)
{
    bool known = false;
    {
        QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
        _KVCAP_VIDEO_CUSTOM_TIMING_LIST list;
        if (!ReadWholeReport(g_presenter.GetCurrentDevice(), list))
            return false;   // an unread or partly read list must never be written over
        known = FindSameSignal(list, *timing) >= 0;
    }
    if (known) {
        QWidget* parent = g_focusManager.GetMainFocusWid() ? g_focusManager.GetMainFocusWid() : window();
        if (QWrapperMsgBox::Ask(MSG_TYPE_WARNING, tr("Already defined custom timing for current input signal, overwrite?"),
                                tr("Yes"), tr("No"), 420, 240, parent) != 1)
            return false;
    }
    bool written = false;
    {
        // Read again: the list may have changed while the question was open.
        QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
        written = ModifyReport<_KVCAP_VIDEO_CUSTOM_TIMING_LIST>(g_presenter.GetCurrentDevice(), [&](auto& list) {
            int count = KvListCount(list);
            int index = FindSameSignal(list, *timing);
            if (index < 0)
                index = count < KVCAP_CUSTOM_TIMINGS ? count++ : 0;   // a full list gives up its first entry
            list.timings[index] = *timing;
            list.count = uint8_t(count);
        });
    }
    if (written)
        g_presenter.SetUIChanged(true, UI_CHANGE_IMMEDIATE);
    return written;
}
