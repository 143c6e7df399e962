#include "formateditors/qcolorspacewidget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMutexLocker>
#include <QTimer>
#include <QVBoxLayout>

#include "device/fourcctext.h"
#include "device/lumivandrexpresenter.h"
#include "device/reportaccess.h"
#include "formateditors/formatlists.h"
#include "formateditors/listtables.h"
#include "toolkit/qcelllabel.h"
#include "toolkit/qtablewid.h"
#include "toolkit/qwrappermsgbox.h"
#include "toolkit/stylesheetbuilder.h"
#include "toolkit/wpushbutton.h"

const uint32_t g_arrColorSpaceCode[6] = {KVCAP_FOURCC_YUY2,  KVCAP_FOURCC_UYVY, KVCAP_FOURCC_RGB24,
                                         KVCAP_FOURCC_RGB32, KVCAP_FOURCC_NV12, KVCAP_FOURCC_I420};

namespace {
constexpr int kRows = 9;
constexpr int kAllFormats = 6;
constexpr int kBasicFormats = 4;
constexpr int kWarningDelayMs = 100;

const char* const kRowSheet =
    "QLabel{color: #A0A0A0; background: transparent; padding-left: 10px; border-left: 0px; border-top: 0px;"
    " border-right: 0px; border-bottom: 0px solid #2A2A2A; border-radius: 0px;}";
}

uint32_t GetColorSpaceFourCC(const QString& name)
{
    for (uint32_t code : g_arrColorSpaceCode) {
        if (FourCCName(code) == name)
            return code;
    }
    return KVCAP_FOURCC_UNKNOWN;
}

bool IsColorSpaceOffered(uint32_t code, int offered)
{
    for (int i = 0; i < offered && i < kAllFormats; ++i) {
        if (g_arrColorSpaceCode[i] == code)
            return true;
    }
    return false;
}

QTableWid* QColorSpaceWidget::CreateColorSpaceTable(QColorSpaceWidget* owner)
{
    QTableWid* table = CreateListTable(owner, kRows, false);
    table->setColumnWidth(0, 184);
    for (int row = 0; row < kRows; ++row) {
        QCellLabel* label = new QCellLabel(QString(), table, false);
        label->setStyleSheet(QString::fromLatin1(kRowSheet));
        label->setTextFormat(Qt::PlainText);
        table->setCellWidget(row, 0, label);
    }
    return table;
}

QColorSpaceWidget::QColorSpaceWidget(QWidget* parent)
    : QWidget(parent)
    , m_list(kAllFormats)
{
    for (int i = 0; i < kAllFormats; ++i)
        m_list[i].name = FourCCName(g_arrColorSpaceCode[i]);

    m_pLeftTable = CreateColorSpaceTable(this);
    m_pRightTable = CreateColorSpaceTable(this);
    m_pBtnUp = CreateMoveButton(this, QStringLiteral("btn_move_up"));
    m_pBtnDown = CreateMoveButton(this, QStringLiteral("btn_move_down"));
    m_pBtnLeft = CreateMoveButton(this, QStringLiteral("btn_move_left"));
    m_pBtnRight = CreateMoveButton(this, QStringLiteral("btn_move_right"));

    m_pHint = new QLabel(tr("Options in the left list (%1 options at most) will take effect.").arg(KVCAP_COLOR_FORMAT_MAX),
                         this);
    m_pHint->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_pHint->setFixedHeight(24);
    setLabelStyle(m_pHint, QColor("#A0A0A0"), QColor("#2B2B2B"), QColor("#272727"));

    QVBoxLayout* buttons = new QVBoxLayout;
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setSpacing(0);
    buttons->addStretch(1);
    buttons->addWidget(m_pBtnLeft);
    buttons->addSpacing(16);
    buttons->addWidget(m_pBtnRight);
    buttons->addSpacing(52);
    buttons->addWidget(m_pBtnUp);
    buttons->addSpacing(16);
    buttons->addWidget(m_pBtnDown);
    buttons->addStretch(1);

    QHBoxLayout* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(m_pLeftTable);
    row->addStretch(1);
    row->addLayout(buttons);
    row->addStretch(1);
    row->addWidget(m_pRightTable);

    QVBoxLayout* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(16);
    outer->addLayout(row);
    outer->addWidget(m_pHint);
    outer->addStretch(1);
}

QColorSpaceWidget::~QColorSpaceWidget() = default;

WPushButton* QColorSpaceWidget::GetButton(const QString& objectName) const
{
    for (WPushButton* b : {m_pBtnLeft, m_pBtnRight, m_pBtnUp, m_pBtnDown}) {
        if (b->objectName() == objectName)
            return b;
    }
    return nullptr;
}

QString QColorSpaceWidget::RowText(QTableWid* table, int row) const
{
    QLabel* label = qobject_cast<QLabel*>(table->cellWidget(row, 0));
    return label ? label->text() : QString();
}

void QColorSpaceWidget::InitColorSpaceWidget(bool first, bool second, bool third, const _KVCAP_DEVICE_CAPS* caps)
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    LumivandrexDevice* device = g_presenter.GetCurrentDevice();
    if (!device)
        return;
    _KVCAP_DEVICE_CAPS readCaps;
    if (!caps && ReadReport(device, readCaps))
        caps = &readCaps;
    _KVCAP_COLOR_FORMAT_LIST list;
    // Which formats are applied and which are offered are both the device's to say.
    if (!caps || !ReadReport(device, list))
        return ShowUnknown();
    setEnabled(true);
    m_nOffered = (caps->flags & KVCAP_CAPS_NV12_I420) ? kAllFormats : kBasicFormats;
    for (int i = 0; i < m_nOffered; ++i)
        m_list[i] = {false, FourCCName(g_arrColorSpaceCode[i])};

    m_nStored = formatlists::Count(list);
    // Each applied name trades places with the entry at its priority position; a code
    // that is not offered is not shown.
    for (int i = 0; i < m_nStored; ++i) {
        const QString name = FourCCName(list.fourcc[i]);
        for (int j = 0; j < m_nOffered; ++j) {
            if (name.isEmpty() || m_list[j].name != name)
                continue;
            if (j != i)
                m_list[j] = {false, m_list[i].name};
            m_list[i] = {true, name};
            break;
        }
    }

    int left = 0, right = 0;
    for (int i = 0; i < m_nOffered; ++i) {
        if (m_list[i].bToggled)
            qobject_cast<QLabel*>(m_pLeftTable->cellWidget(left++, 0))->setText(m_list[i].name);
        else if (third)
            qobject_cast<QLabel*>(m_pRightTable->cellWidget(right++, 0))->setText(m_list[i].name);
    }
    for (int row = left; row < kRows; ++row)
        qobject_cast<QLabel*>(m_pLeftTable->cellWidget(row, 0))->clear();
    m_nShown = left;
    if (third) {
        for (int row = right; row < kRows; ++row)
            qobject_cast<QLabel*>(m_pRightTable->cellWidget(row, 0))->clear();
        m_nRightRows = right;
    }

    if (first || second) {
        ClearListSelection(m_pLeftTable, m_nLeftSel);
        ClearListSelection(m_pRightTable, m_nRightSel);
        CheckFirstFormat(false);
    }
    UpdateButtons();
}

void QColorSpaceWidget::ShowUnknown()
{
    for (QTableWid* table : {m_pLeftTable, m_pRightTable}) {
        for (int row = 0; row < kRows; ++row)
            qobject_cast<QLabel*>(table->cellWidget(row, 0))->clear();
    }
    m_nShown = m_nRightRows = 0;
    ClearListSelection(m_pLeftTable, m_nLeftSel);
    ClearListSelection(m_pRightTable, m_nRightSel);
    UpdateButtons();
    setEnabled(false);
}

bool QColorSpaceWidget::SetColorSpaceToggled(const QString& name, bool on)
{
    const uint32_t code = GetColorSpaceFourCC(name);
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    return ModifyReport<_KVCAP_COLOR_FORMAT_LIST>(
        g_presenter.GetCurrentDevice(), [&](_KVCAP_COLOR_FORMAT_LIST& r) { return formatlists::ToggleColorFormat(r, code, on); });
}

bool QColorSpaceWidget::SetColorSpaceSorted(const QString& name, bool up)
{
    const uint32_t code = GetColorSpaceFourCC(name);
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    return ModifyReport<_KVCAP_COLOR_FORMAT_LIST>(g_presenter.GetCurrentDevice(), [&](_KVCAP_COLOR_FORMAT_LIST& r) {
        return formatlists::MoveColorFormat(r, code, up, IsColorSpaceOffered, m_nOffered);
    });
}

void QColorSpaceWidget::UpdateButtons()
{
    const bool left = m_nLeftSel >= 0 && m_nLeftSel < m_nShown && m_nShown >= 2;
    m_pBtnRight->SetEnabled(left);
    m_pBtnUp->SetEnabled(left && m_nLeftSel > 0);
    m_pBtnDown->SetEnabled(left && m_nLeftSel < m_nShown - 1);
    m_pBtnLeft->SetEnabled(m_nRightSel >= 0 && m_nRightSel < m_nRightRows && m_nStored < KVCAP_COLOR_FORMAT_MAX);
}

void QColorSpaceWidget::RunChange(Change change, bool fromDoubleClick)
{
    bool written = false;
    {
        QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
        if (!g_presenter.GetCurrentDevice())
            return;
        // An empty row names no format: it must never reach the device as an unknown code.
        const QString name = RowText(change == ChangeApply ? m_pRightTable : m_pLeftTable,
                                     change == ChangeApply ? m_nRightSel : m_nLeftSel);
        if (!name.isEmpty()) {
            switch (change) {
            case ChangeApply:
                written = m_nStored < KVCAP_COLOR_FORMAT_MAX && SetColorSpaceToggled(name, true);
                break;
            case ChangeRemove:
                written = m_nShown >= 2 && SetColorSpaceToggled(name, false);
                break;
            case ChangeUp:
            case ChangeDown:
                written = SetColorSpaceSorted(name, change == ChangeUp);
                break;
            case ChangeNone:
                break;
            }
        }
        // A change not written leaves the lists as they were: the device still holds
        // them, and a device that refused the read would show as an empty list.
        if (written || change == ChangeNone)
            InitColorSpaceWidget(false, false, change != ChangeUp && change != ChangeDown);
        ReselectListRow(m_pLeftTable, m_nLeftSel);
        ReselectListRow(m_pRightTable, m_nRightSel);
        UpdateButtons();
    }
    if (written)
        g_presenter.SetUIChanged(true, UI_CHANGE_RECONNECT);
    CheckFirstFormat(true, fromDoubleClick);
    update();
}

void QColorSpaceWidget::OnButtonClicked()
{
    QObject* button = sender();
    const bool left = m_nLeftSel >= 0;
    if (button == m_pBtnUp && left)
        RunChange(ChangeUp, false);
    else if (button == m_pBtnDown && left)
        RunChange(ChangeDown, false);
    else if (button == m_pBtnRight && left)
        RunChange(ChangeRemove, false);
    else if (button == m_pBtnLeft && m_nRightSel >= 0)
        RunChange(ChangeApply, false);
}

void QColorSpaceWidget::OnCellPressed(int row, int)
{
    QTableWid* table = qobject_cast<QTableWid*>(sender());
    if (!table)
        return;
    SelectListRow(table, row, table == m_pLeftTable ? m_nLeftSel : m_nRightSel);
    UpdateButtons();
    update();
}

void QColorSpaceWidget::OnCellClicked(int row, int column)
{
    if (m_pTimer && m_pTimer->isActive())
        return;
    OnCellPressed(row, column);
}

void QColorSpaceWidget::OnCellDoubleClicked(int row, int)
{
    if (m_pTimer)
        return;
    m_pTimer = StartDebounce(this);
    if (sender() == m_pLeftTable && IsListRowValid(m_pLeftTable, row) && m_nShown > 1) {
        m_nLeftSel = row;
        RunChange(ChangeRemove, true);
    } else if (sender() == m_pRightTable && IsListRowValid(m_pRightTable, row) && m_nStored < KVCAP_COLOR_FORMAT_MAX) {
        m_nRightSel = row;
        RunChange(ChangeApply, true);
    }
}

void QColorSpaceWidget::OnCellActived(int, int)
{
    if (m_pTimer && m_pTimer->isActive())
        return;
    if (m_bWarningShown) {
        m_bWarningShown = false;
        return;
    }
    if (sender() == m_pRightTable && m_pBtnLeft->isEnabled())
        RunChange(ChangeApply, false);
    else if (sender() == m_pLeftTable && m_pBtnRight->isEnabled())
        RunChange(ChangeRemove, false);
    else
        RunChange(ChangeNone, false);
}

void QColorSpaceWidget::OnAfterTimer()
{
    StopDebounce(m_pTimer);
}

void QColorSpaceWidget::CheckFirstFormat(bool immediate, bool fromDoubleClick)
{
    const QString first = RowText(m_pLeftTable, 0);
    const bool warn = first == QLatin1String("RGB 24") || first == QLatin1String("RGB 32")
        || first == QLatin1String("NV12") || first == QLatin1String("I420");
    const bool changed = first != m_firstColorFormat;
    m_firstColorFormat = first;
    if (!warn)
        return;
    if (immediate) {
        if (!changed)
            return;
        // The activation that follows the double click behind this box is swallowed.
        m_bWarningShown = fromDoubleClick;
        ShowWarning(first);
    } else if (!g_presenter.IsModalState()) {
        // Refreshes run under the presenter lock: the box comes from the event loop.
        QTimer::singleShot(kWarningDelayMs, this, [this, first] { ShowWarning(first); });
    }
}

void QColorSpaceWidget::ShowWarning(const QString& first)
{
    const QString format = first.startsWith(QLatin1String("RGB")) ? QStringLiteral("RGB") : first;
    QWrapperMsgBox::Ask(MSG_TYPE_WARNING,
                        tr("The device won't work if %1 format is placed in the first place of the applied list "
                           "when setting color format.")
                            .arg(format),
                        tr("OK"), QString(), 420, 240, this);
}
