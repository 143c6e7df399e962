#pragma once

#include <QLabel>

// A text cell of the keyboard tables. It paints its own separators (a line
// under the cell, optionally one at its left edge) so that the table itself
// can run without a grid.
class QCellLabel : public QLabel
{
    Q_OBJECT
public:
    // `leftLine` draws the separator at the left edge (value columns).
    QCellLabel(const QString& text, QWidget* parent, bool leftLine);

    bool HasLeftLine() const { return m_bLeftLine; }

    // The cells' sheets pad them, which makes them framed labels, and Qt indents a framed
    // label's text by half an 'x', more as the font grows. This fixed indent keeps the
    // text where that put it at 14 pixels and leaves a larger font the room.
    static constexpr int kTextIndent = 3;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_bLeftLine;
};
