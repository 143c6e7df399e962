#include "qtablewid.h"

#include "qcellwidget.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

QTableWid::QTableWid(QWidget* parent)
    : QTableWidget(parent)
{
    Init();
}

QTableWid::QTableWid(int rows, int columns, QWidget* parent)
    : QTableWidget(rows, columns, parent)
{
    Init();
}

void QTableWid::Init()
{
    setMouseTracking(false);
    m_property = KEY_PROPERTY();
}

void QTableWid::GetDefaultProperty(KEY_PROPERTY* p)
{
    if (!p)
        return;
    p->pWidget = this;
    p->bTable = 1;
    p->bTable2 = 1;
}

void QTableWid::SetProperty(KEY_PROPERTY* p)
{
    if (p)
        m_property = *p;
}

bool QTableWid::CellShowsContent(int row, int column) const
{
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
        return false;
    QWidget* w = cellWidget(row, column);
    if (!w)
        return false;
    if (auto* label = qobject_cast<QLabel*>(w))
        return !label->text().isEmpty();
    if (auto* cell = qobject_cast<QCellWidget*>(w))
        return cell->IsCellWidgetValid();
    return true;
}

void QTableWid::HandleSpace()
{
    auto* cell = qobject_cast<QCellWidget*>(cellWidget(currentRow(), currentColumn()));
    // A cell without an entry has nothing to toggle or remove; acting on it
    // would make the list editors work on an index past their list.
    if (!cell || !cell->IsCellWidgetValid())
        return;
    if (cell->IsSelected())
        emit cell->toggled();
    else if (cell->IsButtonEnabled())
        emit cell->removed();
}

void QTableWid::keyPressEvent(QKeyEvent* event)
{
    const int r = currentRow();
    const int c = currentColumn();
    const int key = event->key();

    if (key == Qt::Key_Space) {
        HandleSpace();
        event->accept();
        return;
    }

    int targetRow = r;
    int targetColumn = c;
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Activating an empty cell would hand the owner a row without an entry.
        if (CellShowsContent(r, c))
            emit cellActivated(r, c);
        break;
    case Qt::Key_Down:
        if (r < rowCount() - 1)
            targetRow = r + 1;
        break;
    case Qt::Key_Up:
        if (r > 0)
            targetRow = r - 1;
        else if (r == 0)
            targetRow = -1;
        break;
    case Qt::Key_Left:
        if (c >= 0)
            targetColumn = c - 1;
        break;
    case Qt::Key_Right:
        if (c < columnCount() - 1)
            targetColumn = c + 1;
        break;
    default:
        break;
    }

    if (!CellShowsContent(targetRow, targetColumn)) {
        event->accept();   // never move onto (or act from) a cell that shows nothing
        return;
    }

    // The standard handling of Return and Enter only emits cellActivated a
    // second time; every other key goes through it.
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        event->accept();
    else
        QTableWidget::keyPressEvent(event);
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
        emit sigKeyNextCell(targetRow, targetColumn);
        break;
    default:
        break;
    }
}

void QTableWid::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton)
        QTableWidget::mousePressEvent(event);
}

void QTableWid::mouseMoveEvent(QMouseEvent*)
{
    // Dragging must not extend the selection.
}

void QTableWid::focusInEvent(QFocusEvent* event)
{
    if (!m_property.pPage) {
        viewport()->update();   // outside a focus list (dialogs): still show the focus look
        return;
    }
    m_property.pPage->SetCurPropertyForFocusInEv(&m_property);
    QTableWidget::focusInEvent(event);
    viewport()->update();
}
