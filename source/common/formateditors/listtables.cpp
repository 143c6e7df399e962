#include "formateditors/listtables.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTimer>

#include "toolkit/qtablewid.h"
#include "toolkit/stylesheetbuilder.h"

namespace {
constexpr int kRowHeight = 32;
constexpr int kDebounceMs = 200;
}

QTableWid* CreateListTable(QWidget* owner, int rows, bool wheelFocus)
{
    QTableWid* table = new QTableWid(rows, 1, owner);
    table->setFixedSize(188, 292);
    table->setFocusPolicy(wheelFocus ? Qt::WheelFocus : Qt::StrongFocus);
    table->setTabKeyNavigation(false);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setShowGrid(false);
    table->horizontalHeader()->setVisible(false);
    table->verticalHeader()->setVisible(false);
    table->horizontalHeader()->setStretchLastSection(true);
    table->verticalHeader()->setDefaultSectionSize(kRowHeight);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalScrollBar()->setContextMenuPolicy(Qt::NoContextMenu);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setObjectName(QStringLiteral("tablewidget_pane"));
    setScrollBarStyle(table->verticalScrollBar());

    QObject::connect(table, SIGNAL(cellPressed(int, int)), owner, SLOT(OnCellPressed(int, int)));
    QObject::connect(table, SIGNAL(cellClicked(int, int)), owner, SLOT(OnCellClicked(int, int)));
    QObject::connect(table, SIGNAL(cellDoubleClicked(int, int)), owner, SLOT(OnCellDoubleClicked(int, int)));
    QObject::connect(table, SIGNAL(sigKeyNextCell(int, int)), owner, SLOT(OnCellClicked(int, int)));
    QObject::connect(table, SIGNAL(cellActivated(int, int)), owner, SLOT(OnCellActived(int, int)));
    return table;
}

bool IsListRowValid(QTableWid* table, int row)
{
    return table->CellShowsContent(row, 0);
}

void ClearListSelection(QTableWid* table, int& selection)
{
    table->clearSelection();
    table->setCurrentCell(-1, -1);
    selection = -1;
}

bool SelectListRow(QTableWid* table, int row, int& selection)
{
    if (!IsListRowValid(table, row))
        row = selection >= 0 ? selection : 0;
    if (!IsListRowValid(table, row)) {
        ClearListSelection(table, selection);
        return false;
    }
    table->setCurrentCell(row, 0);
    selection = row;
    return true;
}

bool ReselectListRow(QTableWid* table, int& selection)
{
    if (selection < 0)
        return false;
    if (!IsListRowValid(table, selection))
        --selection;
    if (selection < 0 || !IsListRowValid(table, selection)) {
        ClearListSelection(table, selection);
        return false;
    }
    table->setCurrentCell(selection, 0);
    return true;
}

QTimer* StartDebounce(QObject* owner)
{
    QTimer* timer = new QTimer(owner);
    timer->setSingleShot(true);
    QObject::connect(timer, SIGNAL(timeout()), owner, SLOT(OnAfterTimer()));
    timer->start(kDebounceMs);
    return timer;
}

void StopDebounce(QTimer*& timer)
{
    if (!timer)
        return;
    timer->stop();
    timer->disconnect();
    timer->deleteLater();   // it may be the sender of the slot that stops it
    timer = nullptr;
}
