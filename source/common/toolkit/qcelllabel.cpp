#include "qcelllabel.h"

#include <QPainter>

namespace {
const char* const kSeparatorColor = "#2A2A2A";
const int kBottomLineWidth = 1;
// Half of this pen lies outside the cell, so 2 pixels show at the left edge.
const int kLeftLineWidth = 4;
}

QCellLabel::QCellLabel(const QString& text, QWidget* parent, bool leftLine)
    : QLabel(text, parent)
    , m_bLeftLine(leftLine)
{
    // Cell texts come from devices and files; they must never be taken for markup.
    setTextFormat(Qt::PlainText);
    setIndent(kTextIndent);
}

void QCellLabel::paintEvent(QPaintEvent* event)
{
    {
        QPainter painter(this);
        QPen pen{QColor(kSeparatorColor)};
        pen.setWidth(kBottomLineWidth);
        painter.setPen(pen);
        const int w = width();
        const int h = height();
        painter.drawLine(0, h - 1, w - 1, h - 1);
        if (m_bLeftLine) {
            pen.setWidth(kLeftLineWidth);
            painter.setPen(pen);
            painter.drawLine(0, 0, 0, h - 1);
        }
    }
    QLabel::paintEvent(event);
}
