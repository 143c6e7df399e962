#pragma once
// Pieces shared by the capture format list editors: the list table, the remembered
// selection of a table, and the double-click debounce timer.
//
// An owner of list tables has the slots OnCellPressed(int,int), OnCellClicked(int,int),
// OnCellDoubleClicked(int,int), OnCellActived(int,int) and OnAfterTimer().

class QObject;
class QTableWid;
class QTimer;
class QWidget;

// A 188 x 292 keyboard table of `rows` rows (32 high) and one column: single row
// selection, no grid, no headers, no editing, wired to the owner's cell slots.
QTableWid* CreateListTable(QWidget* owner, int rows, bool wheelFocus);

// True when `row` of the table holds an entry.
bool IsListRowValid(QTableWid* table, int row);

// Selects `row`, or when it holds nothing the remembered row (row 0 when none is
// remembered); clears the selection when that holds nothing either. `selection` is
// the table's remembered row (-1 none). True when a row is selected.
bool SelectListRow(QTableWid* table, int row, int& selection);

// After a change: keeps the remembered row, or the row above it when the remembered
// row is now empty; -1 and no selection when the table is empty.
bool ReselectListRow(QTableWid* table, int& selection);

// Forgets the selection of the table.
void ClearListSelection(QTableWid* table, int& selection);

// The 200 ms single-shot debounce after a double click, connected to the owner's
// OnAfterTimer(); StopDebounce deletes it and nulls the pointer.
QTimer* StartDebounce(QObject* owner);
void StopDebounce(QTimer*& timer);
