#include "formateditors/qtwolisteditor.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMutexLocker>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include "device/lumivandrexpresenter.h"
#include "formateditors/listtables.h"
#include "toolkit/qcellwidget.h"
#include "toolkit/qtablewid.h"
#include "toolkit/stylesheetbuilder.h"
#include "toolkit/wpushbutton.h"

namespace {
constexpr int kMinRows = 9;
}

QTwoListEditor::QTwoListEditor(int capacity, bool scrollBothToEnd, QWidget* parent)
    : QWidget(parent)
    , m_nCapacity(capacity)
    , m_bScrollBothToEnd(scrollBothToEnd)
{
    m_pLeftTable = CreateListTable(this, kMinRows, true);
    m_pRightTable = CreateListTable(this, kMinRows, true);
    m_pBtnLeft = CreateMoveButton(this, QStringLiteral("btn_move_left"));
    m_pBtnRight = CreateMoveButton(this, QStringLiteral("btn_move_right"));

    m_pHint = new QLabel(tr("Options in the left list (%1 options at most) will take effect.").arg(capacity), this);
    m_pHint->setMinimumHeight(24);
    m_pHint->setWordWrap(true);   // a second line rather than a cut-off text or button
    m_pHint->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setLabelStyle(m_pHint, QColor("#A0A0A0"), QColor("#2B2B2B"), QColor(39, 39, 39));

    m_pBtnCustom = new WPushButton(tr("Custom..."), this);
    m_pBtnCustom->setObjectName(QStringLiteral("btn_pane"));
    m_pBtnCustom->setFixedSize(qMax(76, m_pBtnCustom->sizeHint().width()), 24);
    connect(m_pBtnCustom, &QPushButton::clicked, this, &QTwoListEditor::OnInsertCustomValue);

    QVBoxLayout* buttons = new QVBoxLayout;
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setSpacing(52);
    buttons->addStretch(1);
    buttons->addWidget(m_pBtnLeft);
    buttons->addWidget(m_pBtnRight);
    buttons->addStretch(1);

    QHBoxLayout* tables = new QHBoxLayout;
    tables->setContentsMargins(0, 0, 0, 0);
    tables->setSpacing(24);
    tables->addWidget(m_pLeftTable);
    tables->addStretch(1);
    tables->addLayout(buttons);
    tables->addStretch(1);
    tables->addWidget(m_pRightTable);

    QHBoxLayout* hint = new QHBoxLayout;
    hint->setContentsMargins(0, 0, 0, 0);
    hint->setSpacing(0);
    hint->addWidget(m_pHint, 1);
    hint->addWidget(m_pBtnCustom);

    QVBoxLayout* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(16);
    outer->addLayout(tables);
    outer->addLayout(hint);
    outer->addStretch(1);
}

bool QTwoListEditor::IsHidden(int) const
{
    return false;
}

int QTwoListEditor::LeftEntry(int row) const
{
    for (int i = 0, r = 0; i < EntryCount(); ++i) {
        if (IsToggled(i) && r++ == row)
            return i;
    }
    return -1;
}

int QTwoListEditor::RightEntry(int row) const
{
    for (int i = 0, r = 0; i < EntryCount(); ++i) {
        if (!IsToggled(i) && !IsHidden(i) && r++ == row)
            return i;
    }
    return -1;
}

int QTwoListEditor::RightRowOf(int entry) const
{
    if (entry < 0 || entry >= EntryCount() || IsToggled(entry) || IsHidden(entry))
        return -1;
    int row = 0;
    for (int i = 0; i < entry; ++i) {
        if (!IsToggled(i) && !IsHidden(i))
            ++row;
    }
    return row;
}

bool QTwoListEditor::CanApply() const
{
    return m_nStored < m_nCapacity;
}

void QTwoListEditor::UpdateButtons()
{
    m_pBtnLeft->SetEnabled(m_nRightSel >= 0 && m_nRightSel < m_nRightRows && CanApply());
    m_pBtnRight->SetEnabled(m_nLeftSel >= 0 && m_nLeftSel < m_nLeftRows && CanRemove());
}

void QTwoListEditor::FillTable(QTableWid* table, bool left, const QVector<int>& entries)
{
    const int rows = qMax(entries.size(), kMinRows);
    table->setRowCount(rows);
    for (int row = 0; row < rows; ++row) {
        QCellWidget* cell = qobject_cast<QCellWidget*>(table->cellWidget(row, 0));
        if (!cell) {
            cell = new QCellWidget(left, false, this);
            if (left)
                connect(cell, &QCellWidget::toggled, this, &QTwoListEditor::OnDefaultValueChanged);
            else
                connect(cell, &QCellWidget::removed, this, &QTwoListEditor::OnRemoveCustomValue);
            table->setCellWidget(row, 0, cell);
            table->setRowHeight(row, 32);
        }
        cell->SetLastOne(row == rows - 1);
        if (row < entries.size()) {
            const int e = entries[row];
            cell->InitCellWidget(EntryText(e), left && IsDefault(e), !left && !IsBuiltIn(e));
        } else {
            cell->ReSetCellWidget();
        }
    }
}

void QTwoListEditor::FillTables(int stored, bool scrollToEnd, bool resetSelection)
{
    QVector<int> left, right;
    for (int i = 0; i < EntryCount(); ++i) {
        if (IsToggled(i)) {
            if (left.size() < m_nCapacity)
                left << i;
        } else if (!IsHidden(i)) {
            right << i;
        }
    }
    m_nStored = stored;
    m_nLeftRows = left.size();
    m_nRightRows = right.size();
    FillTable(m_pLeftTable, true, left);
    FillTable(m_pRightTable, false, right);
    setEnabled(true);

    if (scrollToEnd) {
        m_pRightTable->scrollToBottom();
        if (m_bScrollBothToEnd)
            m_pLeftTable->scrollToBottom();
    }
    if (scrollToEnd || resetSelection) {
        ClearListSelection(m_pLeftTable, m_nLeftSel);
        ClearListSelection(m_pRightTable, m_nRightSel);
    } else {
        if (!IsListRowValid(m_pLeftTable, m_nLeftSel))
            ClearListSelection(m_pLeftTable, m_nLeftSel);
        if (!IsListRowValid(m_pRightTable, m_nRightSel))
            ClearListSelection(m_pRightTable, m_nRightSel);
    }
    UpdateButtons();
}

void QTwoListEditor::ShowUnknown()
{
    m_nLeftRows = m_nRightRows = 0;
    FillTable(m_pLeftTable, true, {});
    FillTable(m_pRightTable, false, {});
    ClearListSelection(m_pLeftTable, m_nLeftSel);
    ClearListSelection(m_pRightTable, m_nRightSel);
    UpdateButtons();
    setEnabled(false);
}

void QTwoListEditor::SelectRow(QTableWid* table, int row)
{
    SelectListRow(table, row, table == m_pLeftTable ? m_nLeftSel : m_nRightSel);
    UpdateButtons();
    update();
}

void QTwoListEditor::OnCellPressed(int row, int)
{
    if (QTableWid* table = qobject_cast<QTableWid*>(sender()))
        SelectRow(table, row);
}

void QTwoListEditor::OnCellClicked(int row, int column)
{
    if (m_pTimer && m_pTimer->isActive())
        return;
    OnCellPressed(row, column);
}

void QTwoListEditor::OnCellDoubleClicked(int row, int)
{
    if (m_pTimer)
        return;
    m_pTimer = StartDebounce(this);
    if (sender() == m_pLeftTable && IsListRowValid(m_pLeftTable, row) && CanRemove()) {
        m_nLeftSel = row;
        Move(false);
    } else if (sender() == m_pRightTable && IsListRowValid(m_pRightTable, row) && CanApply()) {
        m_nRightSel = row;
        Move(true);
    }
}

void QTwoListEditor::OnCellActived(int, int)
{
    if (m_pTimer && m_pTimer->isActive())
        return;
    if (sender() == m_pRightTable && m_pBtnLeft->isEnabled())
        Move(true);
    else if (sender() == m_pLeftTable && m_pBtnRight->isEnabled())
        Move(false);
    else
        Refresh(false, false);
}

void QTwoListEditor::OnButtonClicked()
{
    if (sender() == m_pBtnLeft)
        Move(true);
    else if (sender() == m_pBtnRight)
        Move(false);
}

void QTwoListEditor::OnAfterTimer()
{
    StopDebounce(m_pTimer);
}

void QTwoListEditor::Move(bool apply)
{
    bool written = false;
    {
        // One lock across the read-modify-write and the refresh that shows its result.
        QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
        if ((apply ? m_nRightSel : m_nLeftSel) < 0)
            return;
        const int entry = apply ? RightEntry(m_nRightSel) : LeftEntry(m_nLeftSel);
        if (entry >= 0 && (apply ? CanApply() : CanRemove()))
            written = WriteToggle(entry, apply);
        ShowAfterWrite(written);
        ReselectListRow(m_pLeftTable, m_nLeftSel);
        ReselectListRow(m_pRightTable, m_nRightSel);
        UpdateButtons();
    }
    if (written)
        g_presenter.SetUIChanged(true, UI_CHANGE_RECONNECT);
    if (m_nRightSel < 0)
        FocusOnWhenRightEmpty();
    update();
}

void QTwoListEditor::ShowAfterWrite(bool written)
{
    // Nothing written: the device still holds what the tables showed, and a device that
    // refused the read would show as an empty list.
    if (written)
        Refresh(false, false);
    else
        FillTables(m_nStored, false, false);
}

void QTwoListEditor::FocusOnWhenRightEmpty()
{
    // An empty right table cannot keep the keyboard focus of its page.
    KEY_PROPERTY* own = m_pBtnRight->GetProperty();
    if (own && own->pPage && m_nRightRows == 0) {
        KEY_PROPERTY* current = own->pPage->GetCurProperty();
        if (current && current->pWidget == m_pRightTable)
            own->pPage->FocusNextAvailable();
    }
}

void QTwoListEditor::OnDefaultValueChanged()
{
    QCellWidget* cell = qobject_cast<QCellWidget*>(sender());
    int row = -1;
    for (int r = 0; r < m_pLeftTable->rowCount(); ++r) {
        QCellWidget* other = qobject_cast<QCellWidget*>(m_pLeftTable->cellWidget(r, 0));
        if (other == cell)
            row = r;
        else if (other)
            other->SetCellBtnChecked(false);
    }
    if (cell)
        cell->SetCellBtnChecked(true);
    const int entry = LeftEntry(row);
    if (entry < 0)
        return;
    bool written = false;
    {
        QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
        written = WriteDefault(entry);
        ShowAfterWrite(written);   // the marker shows what the device holds now
    }
    if (written)
        g_presenter.SetUIChanged(true, UI_CHANGE_RECONNECT);
}

void QTwoListEditor::OnInsertCustomValue()
{
    // The new value may sort anywhere in the list, often below its visible rows:
    // show it and select it, ready to be applied.
    const int row = RightRowOf(InsertCustom());
    if (row < 0)
        return;
    SelectRow(m_pRightTable, row);
    m_pRightTable->scrollTo(m_pRightTable->model()->index(row, 0));
}

void QTwoListEditor::OnRemoveCustomValue()
{
    QCellWidget* cell = qobject_cast<QCellWidget*>(sender());
    int row = -1;
    for (int r = 0; r < m_pRightTable->rowCount() && row < 0; ++r) {
        if (m_pRightTable->cellWidget(r, 0) == cell)
            row = r;
    }
    const int entry = RightEntry(row);
    if (entry < 0 || IsBuiltIn(entry))
        return;
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    RemoveEntry(entry);
    Refresh(false, false);
    m_nRightSel = row;
    if (!ReselectListRow(m_pRightTable, m_nRightSel))
        FocusOnWhenRightEmpty();
    UpdateButtons();
    update();
}
