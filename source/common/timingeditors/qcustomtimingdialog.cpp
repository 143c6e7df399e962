#include "timingeditors/qcustomtimingdialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMutexLocker>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "device/lumivandrexpresenter.h"
#include "device/reportaccess.h"
#include "timingeditors/qtimingcellwidget.h"
#include "toolkit/qcelllabel.h"
#include "toolkit/stylesheetbuilder.h"
#include "toolkit/textfit.h"
#include "toolkit/wcombobox.h"
#include "toolkit/wpushbutton.h"

namespace {

struct RowSpec {
    const char* title;
    const char* unit;
    int kind;                    // -1: spin box in custom mode, label otherwise
    int min;
    int max;                     // 0 for rows 0 and 1: the device's largest size
};

const RowSpec kRows[QCustomTimingDialog::RowCount] = {
    {QT_TRANSLATE_NOOP("QCustomTimingDialog", "Horizontal active"), QT_TRANSLATE_NOOP("QCustomTimingDialog", "pixels"),
     QTimingCellWidget::KindSpin, 64, 0},
    {QT_TRANSLATE_NOOP("QCustomTimingDialog", "Vertical active"), QT_TRANSLATE_NOOP("QCustomTimingDialog", "lines"),
     QTimingCellWidget::KindSpin, 64, 0},
    {QT_TRANSLATE_NOOP("QCustomTimingDialog", "Vertical scan frame rate"), QT_TRANSLATE_NOOP("QCustomTimingDialog", "Hz"),
     QTimingCellWidget::KindEdit, 1, 256},
    {QT_TRANSLATE_NOOP("QCustomTimingDialog", "Horizontal total"), QT_TRANSLATE_NOOP("QCustomTimingDialog", "pixels"),
     QTimingCellWidget::KindLabel, 0, 8190},
    {QT_TRANSLATE_NOOP("QCustomTimingDialog", "Horizontal blanking"), QT_TRANSLATE_NOOP("QCustomTimingDialog", "pixels"),
     QTimingCellWidget::KindLabel, 0, 4095},
    {QT_TRANSLATE_NOOP("QCustomTimingDialog", "Horizontal front porch"), QT_TRANSLATE_NOOP("QCustomTimingDialog", "pixels"),
     -1, 0, 1023},
    {QT_TRANSLATE_NOOP("QCustomTimingDialog", "Horizontal sync pulse width"), QT_TRANSLATE_NOOP("QCustomTimingDialog", "pixels"),
     -1, 0, 1023},
    {QT_TRANSLATE_NOOP("QCustomTimingDialog", "Horizontal back porch"), QT_TRANSLATE_NOOP("QCustomTimingDialog", "pixels"),
     -1, 0, 2049},
    {QT_TRANSLATE_NOOP("QCustomTimingDialog", "Vertical total"), QT_TRANSLATE_NOOP("QCustomTimingDialog", "pixels"),
     QTimingCellWidget::KindLabel, 0, 8190},
    {QT_TRANSLATE_NOOP("QCustomTimingDialog", "Vertical blanking"), QT_TRANSLATE_NOOP("QCustomTimingDialog", "pixels"),
     QTimingCellWidget::KindLabel, 0, 4095},
    {QT_TRANSLATE_NOOP("QCustomTimingDialog", "Vertical front porch"), QT_TRANSLATE_NOOP("QCustomTimingDialog", "pixels"),
     -1, 0, 63},
    {QT_TRANSLATE_NOOP("QCustomTimingDialog", "Vertical sync pulse width"), QT_TRANSLATE_NOOP("QCustomTimingDialog", "pixels"),
     -1, 0, 63},
    {QT_TRANSLATE_NOOP("QCustomTimingDialog", "Vertical back porch"), QT_TRANSLATE_NOOP("QCustomTimingDialog", "pixels"),
     -1, 0, 3969},
};

constexpr int kRowHeight = 36;
constexpr uint16_t kModel516 = 516;
constexpr uint16_t kModel521 = 521;

} // namespace

QCustomTimingDialog::QCustomTimingDialog(QWidget* parent)
    : QCustomDialog(parent, true, false)
{
    setFixedSize(444, 512);
    ReadDevice();
    SetMainWindow(BuildWindow(), tr("EDID Detailed Timing"));
    if (m_nMode != edid::ModeCVT)
        m_pModeCombo->setCurrentIndex(m_nMode);   // runs OnTimingModeChanged
    InitCustomTimingDialog();
    // The list shows as many rows as before whatever the field's row grew by; the dialog
    // grows with it where it has no room to spare.
    m_pList->setFixedHeight(m_pList->height() + m_pList->rowHeight(RowFrameRate) - kRowHeight);
    m_pOkBtn->setFocus();
}

QCustomTimingDialog::~QCustomTimingDialog() = default;

void QCustomTimingDialog::ReadDevice()
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    LumivandrexDevice* device = g_presenter.GetCurrentDevice();
    if (!device)
        return;
    _KVCAP_DEVICE_CAPS caps;
    ReadReport(device, caps);
    m_nMaxHActive = std::min<int>(caps.maxCaptureWidth, 4095);
    m_nMaxVActive = std::min<int>(caps.maxCaptureHeight, 4095);
    _KVCAP_DEVICE_INFO info;
    ReadReport(device, info);
    if (info.productId == kModel516) {
        m_dMaxClock = 297.0;
        m_nMaxHActive = 4095;
    } else {
        m_dMaxClock = info.productId == kModel521 ? 600.0 : 165.0;
    }
    // The copy goes back to the device on OK: only a whole EDID may be edited.
    _KVCAP_EDID_DATA data;
    m_bEDIDRead = ReadWholeReport(device, data, KvEdidCapture) && edid::HasHeader(data.data);
    if (!m_bEDIDRead)
        return;
    std::copy(std::begin(data.data), std::end(data.data), m_edid);
    m_detailed = edid::DecodePreferredTiming(m_edid);
    m_standard = edid::StandardOf(m_detailed);
    int rate = 0;
    m_nMode = edid::CheckTimingMode(m_detailed, m_standard, &rate);
    if (m_nMode != edid::ModeCustom)
        m_standard.frameRate = rate;   // the rate that wrote it, so the mode recomputes the same timing
}

QWidget* QCustomTimingDialog::BuildWindow()
{
    QWidget* content = new QWidget(this);
    QLabel* modeLabel = new QLabel(tr("Mode:"), content);
    modeLabel->setFixedSize(48, 26);
    modeLabel->setStyleSheet(QStringLiteral("QLabel{color:#A0A0A0; background:transparent;}"));
    m_pModeCombo = new WComboBox(content);
    m_pModeCombo->setFocusPolicy(Qt::StrongFocus);
    m_pModeCombo->setView(new QListView(m_pModeCombo));
    setComboBoxStyle(m_pModeCombo);
    m_pModeCombo->addItems({tr("Coordinated Video Timing (CVT)"),
                            tr("Coordinated Video Timing - Reduced Blanking (CVT-RB)"),
                            tr("General Timing Formula (GTF)"), tr("Custom Timing")});
    connect(m_pModeCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &QCustomTimingDialog::OnTimingModeChanged);
    QHBoxLayout* modeRow = new QHBoxLayout;
    modeRow->addWidget(modeLabel);
    modeRow->addWidget(m_pModeCombo, 1);

    m_pList = new QTimingsDetailList(content);
    FitColumnsAsOne(m_pList);   // the editors and the values computed beside them, one size
    m_pWarning = new QWarningWidget(m_dMaxClock, content);

    m_pOkBtn = new WPushButton(tr("OK"), content);
    m_pCancelBtn = new WPushButton(tr("Cancel"), content);
    for (WPushButton* button : {m_pOkBtn, m_pCancelBtn}) {
        button->setObjectName(QStringLiteral("btn_dialog"));
        button->setFixedSize(124, 32);
    }
    m_pOkBtn->setDefault(true);
    connect(m_pOkBtn, &QPushButton::clicked, this, &QCustomTimingDialog::OnOKBtnClicked);
    connect(m_pCancelBtn, &QPushButton::clicked, this, &QCustomTimingDialog::OnCancelBtnClicked);
    QHBoxLayout* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(m_pOkBtn);
    buttonRow->addSpacing(40);
    buttonRow->addWidget(m_pCancelBtn);
    buttonRow->addStretch(1);

    QVBoxLayout* layout = new QVBoxLayout(content);
    layout->addLayout(modeRow);
    layout->addSpacing(20);
    layout->addWidget(m_pList);
    layout->addSpacing(12);
    layout->addWidget(m_pWarning);
    layout->addStretch(1);
    layout->addSpacing(32);
    layout->addLayout(buttonRow);
    layout->setContentsMargins(16, 20, 16, 20);
    layout->setSpacing(0);
    return content;
}

QTimingCellWidget* QCustomTimingDialog::GetCell(int row) const
{
    return qobject_cast<QTimingCellWidget*>(m_pList->cellWidget(row, 1));
}

QVariant QCustomTimingDialog::RowValue(int row) const
{
    const DetailedTiming& t = m_detailed;
    switch (row) {
    case RowHActive: return m_standard.hActive;
    case RowVActive: return m_standard.vActive;
    case RowFrameRate: return m_standard.frameRate;
    case RowHTotal: return t.hActive + t.hBlank;
    case RowHBlank: return t.hBlank;
    case RowHFrontPorch: return t.hFrontPorch;
    case RowHSync: return t.hSyncWidth;
    case RowHBackPorch: return t.hBlank - t.hFrontPorch - t.hSyncWidth;
    case RowVTotal: return t.vActive + t.vBlank;
    case RowVBlank: return t.vBlank;
    case RowVFrontPorch: return t.vFrontPorch;
    case RowVSync: return t.vSyncWidth;
    case RowVBackPorch: return t.vBlank - t.vFrontPorch - t.vSyncWidth;
    default: return QVariant();
    }
}

void QCustomTimingDialog::InitCustomTimingDialog()
{
    m_pList->clearContents();
    m_pList->setRowCount(RowCount);
    QWidget* previous = m_pModeCombo;
    for (int row = 0; row < RowCount; ++row) {
        const RowSpec& spec = kRows[row];
        QCellLabel* title = new QCellLabel(tr(spec.title), nullptr, false);
        title->setStyleSheet(QStringLiteral("QLabel{color:#A0A0A0; background:transparent; padding-left:12px;}"));
        m_pList->setCellWidget(row, 0, title);
        const int kind = spec.kind >= 0 ? spec.kind
                         : m_nMode == edid::ModeCustom ? int(QTimingCellWidget::KindSpin)
                                                       : int(QTimingCellWidget::KindLabel);
        QTimingCellWidget* cell = new QTimingCellWidget(kind);
        const int max = row == RowHActive ? m_nMaxHActive : row == RowVActive ? m_nMaxVActive : spec.max;
        cell->SetCellData(RowValue(row), tr(spec.unit), spec.min, max);
        m_pList->setCellWidget(row, 1, cell);
        m_pList->setRowHeight(row, kRowHeight + GrowField(qobject_cast<QLineEdit*>(cell->GetEditor())));
        if (QWidget* editor = cell->GetEditor()) {
            setTabOrder(previous, editor);
            previous = editor;
        }
        connect(cell, &QTimingCellWidget::valueChanged, this,
                [this, row](QVariant value) { OnTimingChanged(row, value); });
        connect(cell, &QTimingCellWidget::itemFocused, this, [this, row] { m_pList->selectRow(row); });
    }
    setTabOrder(previous, m_pOkBtn);
    RefreshTimingList(true);
}

// The frame-rate field's thick border leaves a large font too little room: the field grows
// to hold it rather than take the whole column down to its size. What it grew by.
int QCustomTimingDialog::GrowField(QLineEdit* field)
{
    if (!field)
        return 0;
    field->ensurePolished();
    const int grown = LineEditHeightFitting(field, field->font()) - field->height();
    field->setFixedHeight(field->height() + grown);
    return grown;
}

void QCustomTimingDialog::OnTimingModeChanged(int mode)
{
    m_nMode = mode;
    edid::CalcDetailedTiming(mode, m_standard, m_detailed);
    if (m_pList->rowCount() == RowCount)
        InitCustomTimingDialog();
}

void QCustomTimingDialog::GetTimingInfoFromList()
{
    auto value = [this](int row) { return GetCell(row)->GetValue(); };
    m_standard.hActive = value(RowHActive).toInt();
    m_standard.vActive = value(RowVActive).toInt();
    m_standard.frameRate = value(RowFrameRate).toDouble();
    DetailedTiming& t = m_detailed;
    t.hActive = m_standard.hActive;
    t.hFrontPorch = value(RowHFrontPorch).toInt();
    t.hSyncWidth = value(RowHSync).toInt();
    t.hBlank = t.hFrontPorch + t.hSyncWidth + value(RowHBackPorch).toInt();
    t.vActive = m_standard.vActive;
    t.vFrontPorch = value(RowVFrontPorch).toInt();
    t.vSyncWidth = value(RowVSync).toInt();
    t.vBlank = t.vFrontPorch + t.vSyncWidth + value(RowVBackPorch).toInt();
    const qint64 total = qint64(t.vActive + t.vBlank) * (t.hActive + t.hBlank);
    t.pixelClock = total * m_standard.frameRate / 1e6;
}

void QCustomTimingDialog::OnTimingChanged(int, QVariant)
{
    GetTimingInfoFromList();
    if (m_nMode != edid::ModeCustom)
        edid::CalcDetailedTiming(m_nMode, m_standard, m_detailed);
    RefreshTimingList(false);
}

void QCustomTimingDialog::RefreshTimingList(bool all)
{
    for (int row = 0; row < RowCount; ++row) {
        QTimingCellWidget* cell = GetCell(row);
        if (cell && (all || cell->GetKind() == QTimingCellWidget::KindLabel))
            cell->SetValue(RowValue(row));
    }
    m_pWarning->SetPixelClock(m_detailed.pixelClock);
    m_pOkBtn->setEnabled(CheckTimingValid());
}

bool QCustomTimingDialog::CheckTimingValid() const
{
    for (int row = 0; row < RowCount; ++row) {
        const QTimingCellWidget* cell = GetCell(row);
        if (!cell || !cell->IsValid())
            return false;
    }
    return edid::IsPixelClockValid(m_detailed.pixelClock, m_dMaxClock);
}

void QCustomTimingDialog::SetPerferredTimingsToEDID()
{
    // A calculated timing is progressive; an interlace flag left over would misdescribe it.
    edid::EncodePreferredTiming(m_edid, m_detailed, m_nMode != edid::ModeCustom);
}

void QCustomTimingDialog::OnOKBtnClicked()
{
    if (!m_bEDIDRead || !CheckTimingValid())
        return;
    SetPerferredTimingsToEDID();
    accept();
}

void QCustomTimingDialog::OnCancelBtnClicked()
{
    reject();
}

void QCustomTimingDialog::OnVideoSignalChanged(bool hdmi)
{
    if (!hdmi)
        close();
}

void QCustomTimingDialog::OnHandleUI()
{
    close();
}
