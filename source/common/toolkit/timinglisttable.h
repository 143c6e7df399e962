#pragma once
// The list tables of the Timing page's editors (custom timings, custom resolutions):
// their look and the selection rules that enable the buttons acting on a row. Shared by
// the timing editors and the custom-resolution list of the format editors.

#include <QHeaderView>
#include <QLabel>
#include <QList>
#include <QScrollBar>
#include <QStringList>

#include "toolkit/qtablewid.h"
#include "toolkit/stylesheetbuilder.h"
#include "toolkit/wpushbutton.h"

namespace timinglist {

constexpr int kRowHeight = 32;
constexpr int kVisibleRows = 8;
constexpr int kHeadingPixels = 14;   // small print: the headings keep it at any chosen font

// Gives row `row` a label in every cell (rows added after the first build get theirs
// here) with the cell style of its place.
inline void SetupRow(QTableWid* table, int row)
{
    for (int column = 0; column < table->columnCount(); ++column) {
        auto* label = qobject_cast<QLabel*>(table->cellWidget(row, column));
        if (!label) {
            label = new QLabel(table);
            table->setCellWidget(row, column, label);
        }
        setCellLabelStyle(table, label, row == table->rowCount() - 1, column == 0);
    }
    table->setRowHeight(row, kRowHeight);
}

// Sets the rows of the table; the last row keeps the last-row look.
inline void SetRowCount(QTableWid* table, int rows)
{
    const int old = table->rowCount();
    table->setRowCount(rows);
    for (int row = qMax(0, qMin(old, rows) - 1); row < rows; ++row)
        SetupRow(table, row);
}

// Builds the look shared by the editors' tables: header, widths, one label per cell.
inline void SetupTable(QTableWid* table, const QStringList& titles, const QList<int>& widths)
{
    table->setColumnCount(titles.size());
    table->setFixedHeight(296);
    table->setFocusPolicy(Qt::StrongFocus);
    table->setTabKeyNavigation(false);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    table->setShowGrid(false);
    table->setObjectName(QStringLiteral("tablewidget_pane"));
    table->verticalHeader()->hide();
    table->setHorizontalHeaderLabels(titles);
    QHeaderView* header = table->horizontalHeader();
    header->setObjectName(QStringLiteral("headerview_table"));
    header->setFixedHeight(36);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setHighlightSections(false);
    // A style sheet size: the application's sheet styles the header and overrides a font.
    header->setStyleSheet(QStringLiteral("QHeaderView{font-size:%1px;}").arg(kHeadingPixels));
    for (int i = 0; i < widths.size(); ++i)
        table->setColumnWidth(i, widths[i]);
    // The last column fills what the others leave. It never shrinks below the size it
    // had when stretching began, so start it small: a narrower table then shows no
    // scroll bar for an empty column.
    table->setColumnWidth(table->columnCount() - 1, header->minimumSectionSize());
    header->setStretchLastSection(true);
    table->verticalScrollBar()->setContextMenuPolicy(Qt::NoContextMenu);
    table->horizontalScrollBar()->setContextMenuPolicy(Qt::NoContextMenu);
    setScrollBarStyle2(table->verticalScrollBar(), Qt::Vertical);
    setScrollBarStyle2(table->horizontalScrollBar(), Qt::Horizontal);
    for (int row = 0; row < table->rowCount(); ++row)
        SetupRow(table, row);
}

inline void ClearTexts(QTableWid* table)
{
    for (int row = 0; row < table->rowCount(); ++row)
        for (int column = 0; column < table->columnCount(); ++column)
            if (auto* label = qobject_cast<QLabel*>(table->cellWidget(row, column)))
                label->clear();
}

inline void SetText(QTableWid* table, int row, int column, const QString& text)
{
    if (auto* label = qobject_cast<QLabel*>(table->cellWidget(row, column)))
        label->setText(text);
}

// The selected row of a list table and the buttons that act on it. A row is filled
// when its first cell shows text.
class Selection
{
public:
    Selection(QTableWid* table, QList<WPushButton*> buttons) : m_table(table), m_buttons(buttons) {}

    int Row() const { return m_row; }
    bool IsFilled(int row) const { return m_table->CellShowsContent(row, 0); }

    void Reset()
    {
        m_row = -1;
        m_table->clearSelection();
        Enable(false);
    }

    void Pressed(int row, int column)
    {
        if (m_table->CellShowsContent(row, column)) {
            m_row = row;
            Enable(true);
            return;
        }
        Select(m_row < 0 ? 0 : m_row);
        if (IsFilled(row))
            Select(row);
        if (!IsFilled(0))
            ClearAll();
    }

    void Clicked(int row, int)
    {
        if (IsFilled(row)) {
            Select(row);
        } else if (m_row <= 0) {
            if (IsFilled(0))
                Select(0);
            else
                ClearAll();
        }
    }

    // After the row was deleted: keep the same row when it still holds an entry, else
    // the one above.
    void AfterDelete()
    {
        int row = m_row;
        if (!IsFilled(row))
            --row;
        Select(qMax(0, row));
        if (!IsFilled(0))
            ClearAll();
    }

    void Select(int row)
    {
        m_row = row;
        m_table->setCurrentCell(row, 0);
        Enable(true);
    }

private:
    void ClearAll()
    {
        m_row = -1;
        m_table->clearSelection();
        m_table->setCurrentCell(-1, -1);
        Enable(false);
    }
    void Enable(bool enabled)
    {
        for (WPushButton* button : m_buttons)
            button->SetEnabled(enabled);
    }

    QTableWid* m_table;
    QList<WPushButton*> m_buttons;
    int m_row = -1;
};

} // namespace timinglist
