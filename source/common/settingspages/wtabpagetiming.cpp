#include "settingspages/wtabpagetiming.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMutexLocker>
#include <QVBoxLayout>

#include "device/lumivandrexpresenter.h"
#include "device/reportaccess.h"
#include "formateditors/qcustomresolutionswidget.h"
#include "timingeditors/qadjusttimingwidget.h"
#include "timingeditors/qcustomtimingwidget.h"
#include "timingeditors/timingdisplaytext.h"
#include "toolkit/pagewrite.h"
#include "toolkit/qcolorpiecewidget.h"
#include "toolkit/qwrappercheckbox.h"
#include "toolkit/qwrapperspinbox.h"
#include "toolkit/reportfragment.h"
#include "toolkit/stylesheetbuilder.h"
#include "toolkit/wcheckbox.h"
#include "toolkit/wpushbutton.h"

namespace {

const QColor kText(0xBC, 0xBC, 0xBC);
const QColor kPanel(0x2B, 0x2B, 0x2B);
const QColor kDisabledTitle(0x6E, 0x6E, 0x6E);

} // namespace

WTabPageTiming::WTabPageTiming(QWidget* parent)
    : QWidget(parent)
{
    m_pAutoPanel = CreateAutoPanel();
    m_pAdjustTiming = new QAdjustTimingWidget(this);
    m_pCustomTiming = new QCustomTimingWidget(this);
    m_pCustomResolutions = new QCustomResolutionsWidget(this);
    m_pStack = new QWrapperStack(this);
    m_pStack->setFixedHeight(396);
    m_pStack->AddSubWidget(m_pAdjustTiming, tr("Adjust Timing"), true, false);
    m_pStack->AddSubWidget(m_pCustomTiming, tr("Custom Timings"), false, false);
    m_pStack->AddSubWidget(m_pCustomResolutions, tr("Custom GTF/CVT Resolutions"), false, true);
    m_pStack->SetMainWidget();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pAutoPanel);
    layout->addSpacing(16);
    layout->addWidget(m_pStack);
    layout->addStretch(1);
    layout->setContentsMargins(16, 16, 16, 16);
    BuildFocusList();

    // The page starts without a signal; the container's InitPage reads the device.
    m_pAutoPanel->SetTitleTextColor(kDisabledTitle, false);
    for (QWidget* w : {static_cast<QWidget*>(m_pAutoPhase), static_cast<QWidget*>(m_pAutoAlignment),
                       static_cast<QWidget*>(m_pPhaseSpin), static_cast<QWidget*>(m_pAutoAdjustBtn),
                       static_cast<QWidget*>(m_pStack)})
        w->setEnabled(false);

    for (QWrapperSpinBox* spin : {m_pAdjustTiming->GetAspectXSpinBox(), m_pAdjustTiming->GetAspectYSpinBox()}) {
        connect(spin, &QWrapperSpinBox::sigSpinMousePress, this, &WTabPageTiming::OnSpinMousePress);
        connect(spin, &QWrapperSpinBox::sigSpinMouseRelease, this, &WTabPageTiming::OnSpinMouseRelease);
    }
    g_presenter.AddNotify(this);
    connect(m_pAutoPhase, &QWrapperCheckBox::clicked, this, &WTabPageTiming::OnCheckBoxClicked);
    connect(m_pAutoAlignment, &QWrapperCheckBox::clicked, this, &WTabPageTiming::OnCheckBoxClicked);
    connect(m_pPhaseSpin, QOverload<int>::of(&QSpinBox::valueChanged), this, &WTabPageTiming::OnSpinBoxValueChanged);
    connect(m_pAutoAdjustBtn, &QPushButton::clicked, this, &WTabPageTiming::OnButtonClicked);
    connect(m_pStack, &QWrapperStack::sigIndexChanged, this, &WTabPageTiming::OnTabPageChanged);
    connect(this, &WTabPageTiming::timingStatusChanged, this, &WTabPageTiming::OnTimingStatusChanged2);
}

WTabPageTiming::~WTabPageTiming()
{
    g_presenter.DeleteNotify(this);
    ClearTabList();
}

QColorPieceWidget* WTabPageTiming::CreateAutoPanel()
{
    m_pAutoPhase = new QWrapperCheckBox(tr("Auto sampling phase"), true, kText, kPanel, 0, this);
    m_pAutoAlignment = new QWrapperCheckBox(tr("Auto horizontal alignment"), true, kText, kPanel, 0, this);
    auto* checks = new QVBoxLayout;
    for (QWrapperCheckBox* box : {m_pAutoPhase, m_pAutoAlignment}) {
        box->setFixedHeight(24);
        checks->addWidget(box);
    }
    checks->setSpacing(10);

    auto* divider = new QWidget(this);
    divider->setFixedSize(2, 60);
    divider->setAttribute(Qt::WA_StyledBackground);
    divider->setStyleSheet(QStringLiteral("QWidget{background-color: rgb(15, 15, 15);}"));

    auto* phaseLabel = new QLabel(tr("Phase : "), this);
    setLabelStyle(phaseLabel, kText, kPanel, kPanel);
    m_pPhaseSpin = new QWrapperSpinBox(this);
    m_pPhaseSpin->setFixedSize(88, 24);
    m_pPhaseSpin->setRange(0, KVCAP_PHASE_MAX);   // what the device stores
    setSpinBoxStyle(m_pPhaseSpin);
    auto* phaseRow = new QHBoxLayout;
    phaseRow->addWidget(phaseLabel);
    phaseRow->addWidget(m_pPhaseSpin);
    phaseRow->setSpacing(20);
    m_pAutoAdjustBtn = new WPushButton(tr("Auto phase adjust"), this);
    m_pAutoAdjustBtn->setObjectName(QStringLiteral("btn_pane"));
    m_pAutoAdjustBtn->setFixedSize(160, 24);
    auto* right = new QVBoxLayout;
    right->addLayout(phaseRow);
    right->addWidget(m_pAutoAdjustBtn);

    auto* row = new QHBoxLayout;
    row->addLayout(checks);
    row->addStretch(1);
    row->addWidget(divider);
    row->addStretch(1);
    row->addLayout(right);
    row->addSpacing(50);
    row->setContentsMargins(10, 16, 10, 16);
    return new QColorPieceWidget(tr("AUTO"), row, this);
}

void WTabPageTiming::BuildFocusList()
{
    ClearTabList();
    AddFocusControl(m_pAutoPhase->GetCheckBox());
    AddFocusControl(m_pPhaseSpin);
    AddFocusControl(m_pAutoAlignment->GetCheckBox());
    AddFocusControl(m_pAutoAdjustBtn);
    AddStackTabButton(m_pStack, 0);
    m_pAdjustTiming->AddToFocusList(this, m_pStack);
    AddStackTabButton(m_pStack, 1);
    m_pCustomTiming->AddToFocusList(this, m_pStack);
    AddStackTabButton(m_pStack, 2);
    m_pCustomResolutions->AddToFocusList(this, m_pStack);
}

void WTabPageTiming::InitPage(unsigned int flags, bool partial)
{
    Reload(partial);
    ShowFirstOrKeptInnerTab(m_pStack);
    emit sigPageRefreshed(flags, partial);
}

void WTabPageTiming::Reload(bool reset, const _KVCAP_INPUT_STATUS* known, bool knownRead)
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    LumivandrexDevice* dev = g_presenter.GetCurrentDevice();
    if (!dev)
        return;
    if (reset && m_pAdjustTiming->ApplyPreferredTiming(0))
        known = nullptr;   // the device switched the signal
    _KVCAP_INPUT_STATUS status;
    bool statusRead = knownRead;
    if (known)
        status = *known;
    else
        statusRead = ReadReport(dev, status);   // unread: zeros, no usable signal
    // One read of report 0x10 serves the panel and the adjust tab.
    InitAutoColorPiece(&status);
    m_pAdjustTiming->InitAdjustTimingTab(false, &status, statusRead);
    m_pCustomTiming->InitCustomTimingTab(true);
    m_pCustomResolutions->InitCustomResolutionsTab(true);
}

WTabPageTiming::AutoReads WTabPageTiming::ReadAutoReports(LumivandrexDevice* dev, bool withAlignment)
{
    // Each report into its own record: a failed read is known as such, never taken for
    // "off" or phase 0, nor for another report's value.
    AutoReads reads;
    if (withAlignment)
        reads.alignmentRead = ReadReport(dev, reads.alignment);
    reads.autoPhaseRead = ReadReport(dev, reads.autoPhase);
    reads.phaseRead = ReadReport(dev, reads.phase);
    return reads;
}

namespace {

// A switch read from the device takes changes while the panel is usable; one that could
// not be read shows as unknown.
void ShowSwitch(QWrapperCheckBox* box, bool read, bool on, bool usable)
{
    if (!read)
        return ShowUnknownValue(box);
    ShowDeviceValue(box, on);
    box->setEnabled(usable);
}

} // namespace

void WTabPageTiming::InitAutoColorPiece(const _KVCAP_INPUT_STATUS* status)
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    LumivandrexDevice* dev = g_presenter.GetCurrentDevice();
    if (!dev)
        return;
    _KVCAP_INPUT_STATUS own;
    if (!status) {
        ReadReport(dev, own);
        status = &own;
    }
    m_bUsable = IsAnalogTimingInput(*status);
    m_pAutoAdjustBtn->SetEnabled(m_bUsable);
    m_pStack->setEnabled(m_bUsable);
    if (!m_bUsable)
        m_pStack->SetCurrentIndex(0);
    m_pAutoPanel->SetTitleTextColor(kDisabledTitle, m_bUsable);

    const AutoReads reads = ReadAutoReports(dev, true);
    m_bAlignmentRead = reads.alignmentRead;
    ShowSwitch(m_pAutoAlignment, reads.alignmentRead, reads.alignment.enabled != 0, m_bUsable);
    ShowPhase(reads, m_bUsable);
}

void WTabPageTiming::ShowPhase(const AutoReads& reads, bool usable)
{
    m_bAutoPhaseRead = reads.autoPhaseRead;
    m_bPhaseRead = reads.phaseRead;
    ShowSwitch(m_pAutoPhase, reads.autoPhaseRead, reads.autoPhase.enabled != 0, usable);
    if (!reads.phaseRead)
        return ShowUnknownValue(m_pPhaseSpin);
    ShowDeviceValue(m_pPhaseSpin, qMin<int>(reads.phase.phase, KVCAP_PHASE_MAX));
    // Set by hand only while automatic phase is known to be off.
    m_pPhaseSpin->setEnabled(usable && reads.autoPhaseRead && reads.autoPhase.enabled == 0);
}

void WTabPageTiming::OnCheckBoxClicked()
{
    auto* box = qobject_cast<QWrapperCheckBox*>(sender());
    if (!box)
        return;
    if (!(box == m_pAutoAlignment ? m_bAlignmentRead : m_bAutoPhaseRead))
        return ShowUnknownValue(box);   // its state was never read: nothing to change
    const uint8_t checked = box->IsChecked() ? 1 : 0;
    WriteControlChange(box, [&](LumivandrexDevice* dev) {
        if (box == m_pAutoAlignment)
            return WriteReport(dev, _KVCAP_AUTO_H_ALIGNMENT{checked});
        if (box != m_pAutoPhase || !WriteReport(dev, _KVCAP_AUTO_SAMPLING_PHASE{checked}))
            return false;
        m_pPhaseSpin->setEnabled(!checked && m_bUsable && m_bPhaseRead);
        if (checked)
            WriteReport(dev, _KVCAP_SAMPLING_PHASE{KVCAP_PHASE_AUTO_ADJUST});   // adjust at once
        return true;
    });
}

void WTabPageTiming::OnSpinBoxValueChanged(int nValue)
{
    // A step from a phase that was never read would write over the device's own.
    if (!m_bPhaseRead)
        return ShowUnknownValue(m_pPhaseSpin);
    if (nValue < 0 || nValue > KVCAP_PHASE_MAX)
        return;
    WriteControlChange(m_pPhaseSpin, [nValue](LumivandrexDevice* dev) {
        return WriteReport(dev, _KVCAP_SAMPLING_PHASE{uint8_t(nValue)});
    });
}

void WTabPageTiming::OnButtonClicked()
{
    WriteAndMarkPending([](LumivandrexDevice* dev) {
        return WriteReport(dev, _KVCAP_SAMPLING_PHASE{KVCAP_PHASE_AUTO_ADJUST});
    });
}

void WTabPageTiming::OnTabPageChanged(int nIndex)
{
    if (nIndex == 0)
        m_pAdjustTiming->InitAdjustTimingTab(false);
    else if (nIndex == 1)
        m_pCustomTiming->InitCustomTimingTab(true);
    else if (nIndex == 2)
        m_pCustomResolutions->InitCustomResolutionsTab(true);
}

void WTabPageTiming::OnSpinMousePress()
{
    m_bPressed = true;
}

void WTabPageTiming::OnSpinMouseRelease()
{
    if (m_bDirty)
        Reload(false);
    m_bPressed = false;
    m_bDirty = false;
}

void WTabPageTiming::OnTimingStatusChanged(quint64 bits)
{
    emit timingStatusChanged(bits);
}

void WTabPageTiming::OnTimingStatusChanged2(quint64 ullStatusBits)
{
    const bool timingChanged = (ullStatusBits & kInputTimingChanged) != 0;
    if (timingChanged)
        m_bDirty = true;
    bool lostFocus = false;
    {
        QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
        LumivandrexDevice* dev = g_presenter.GetCurrentDevice();
        if (!dev)
            return;
        _KVCAP_INPUT_STATUS status;
        // A device that fell silent tells nothing of its signal: the page stays as it is,
        // the user's tab and focus too. The reload once it answers reads it all again, so
        // a held spin box's release has nothing left to refresh.
        const bool statusRead = ReadReport(dev, status);
        if (!statusRead && !dev->IsAnswering()) {
            m_bDirty = false;
            return;
        }
        const bool usable = IsAnalogTimingInput(status);
        if (!usable) {
            KEY_PROPERTY* current = GetCurProperty();
            lostFocus = current && current->pWidget && current->pWidget->hasFocus();
        }
        if (timingChanged && !m_bPressed) {
            Reload(false, &status, statusRead);
            m_bDirty = false;
        } else {
            // Held spin box (or only the phase changed): the phase alone; the rest waits
            // for the release.
            ShowPhase(ReadAutoReports(dev, false), usable);
        }
    }
    if (lostFocus)
        emit signal_resetFocus();
}

QString WTabPageTiming::GetExportInfo()
{
    using namespace reportfragment;
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    tagDEVICE_INSTANCE* instance = g_presenter.GetCurrentInstance();
    if (!instance || !instance->device)
        return QString();
    LumivandrexDevice* dev = instance->device;
    // A signal read as not analogue disables every row. Otherwise a row shows what was
    // read, and is empty where its report could not be read: never the zeros of a record
    // left unread, nor "Disable" for a signal that is unknown.
    _KVCAP_INPUT_STATUS status;
    const bool statusRead = ReadReport(dev, status);
    const bool disabled = statusRead && !IsAnalogTimingInput(status);
    const QString disable = tr("Disable");
    auto value = [&](bool read, const QString& text) { return disabled ? disable : read ? text : QString(); };
    auto truth = [this](bool on) { return on ? tr("True") : tr("False"); };
    // A list: "N/A" when it was read and is empty.
    auto listRow = [&](const QString& label, bool read, const QStringList& lines) {
        return disabled || !read || lines.isEmpty() ? Row(label, value(read, QStringLiteral("N/A"))) : RowLines(label, lines);
    };

    AutoReads a;
    _KVCAP_VIDEO_CUSTOM_TIMING_LIST timings{};
    _KVCAP_CUSTOM_RESOLUTION_LIST resolutions{};
    bool timingsRead = false, resolutionsRead = false;
    if (!disabled) {
        a = ReadAutoReports(dev, true);
        timingsRead = ReadReport(dev, timings);
        resolutionsRead = ReadReport(dev, resolutions);
    }

    QString html = BlockBegin(tr("Timing"));
    html += SubTitleRow(tr("Timing - AUTO"));
    html += Row(tr("Auto sampling phase:"), value(a.autoPhaseRead, truth(a.autoPhase.enabled)));
    // The row's two forms tell who set the phase, so it needs both reads.
    const QString phase = a.autoPhase.enabled ? QString::number(a.phase.phase) : tr("Set as %1").arg(a.phase.phase);
    html += Row(tr("Phase:"), value(a.phaseRead && a.autoPhaseRead, phase));
    html += Row(tr("Auto horizontal alignment:"), value(a.alignmentRead, truth(a.alignment.enabled)));

    const _KVCAP_VIDEO_TIMING_SETTINGS& s = status.analog.settings;
    html += SubTitleRow(tr("Timing - Adjust Timing"));
    html += Row(tr("Current Timing:"), value(statusRead, CurrentTimingText(status)));
    html += Row(tr("H Active:"), value(statusRead, PixelsText(s.hActive)));
    html += Row(tr("H Total:"), value(statusRead, PixelsText(s.hTotal)));
    html += Row(tr("H Offset:"), value(statusRead, PixelsText(s.hOffset)));
    html += Row(tr("V Active:"), value(statusRead, LinesText(s.vActive)));
    html += Row(tr("V Offset:"), value(statusRead, LinesText(s.vOffset)));
    html += Row(tr("Clamp Position:"), value(statusRead, PixelsText(s.clampPosition)));
    html += Row(tr("Aspect ratio:"), value(statusRead, QStringLiteral("%1 : %2").arg(s.aspectX).arg(s.aspectY)));

    html += SubTitleRow(tr("Timing - Custom Timings"));
    QStringList lines;
    for (int i = 0; i < KvListCount(timings); ++i) {
        const _KVCAP_VIDEO_CUSTOM_TIMING& t = timings.timings[i];
        const bool last = i + 1 == KvListCount(timings);
        lines << TimingModeText(t.settings.hActive, t.settings.vActive, t.syncInfo.interlaced != 0, t.syncInfo.frameDuration)
                + QStringLiteral(" %1x%2 ES%3").arg(t.settings.hTotal).arg(t.syncInfo.totalLines).arg(last ? "" : ",");
    }
    html += listRow(tr("Custom Timings:"), timingsRead, lines);

    html += SubTitleRow(tr("Timing - Custom GTF/CVT Resolutions"));
    lines.clear();
    QString line;
    for (int i = 0; i < KvListCount(resolutions); ++i) {
        if (i > 0 && i % 5 == 0) {
            lines << line;
            line.clear();
        }
        line += QStringLiteral("%1x%2").arg(resolutions.entries[i].width).arg(resolutions.entries[i].height);
        if (i + 1 < KvListCount(resolutions))
            line += QStringLiteral(", ");
    }
    if (!line.isEmpty())
        lines << line;
    html += listRow(tr("Custom GTV/CVT Resolutions:"), resolutionsRead, lines);
    return html + BlockEnd();
}
