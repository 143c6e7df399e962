#include "qcolorpiecewidget.h"

#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace {
const int kTitleHeight = 32;
const int kTitleToContent = 4;
// The separator sits between the title (32 px) and the content (from 36 px).
const int kSeparatorY = 34;
const QColor kTitleColor(236, 236, 236);
const char* const kFrameColor = "#474747";
const char* const kFillColor = "#2B2B2B";
const char* const kSeparatorColor = "#535456";
}

QColorPieceWidget::QColorPieceWidget(const QString& title, QLayout* content, QWidget* parent)
    : QWidget(parent)
    , m_pTitle(new QLabel(title, this))
{
    setStyleSheet(QStringLiteral("QWidget{outline: none;}"));

    m_pTitle->setFixedHeight(kTitleHeight);
    m_pTitle->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_pTitle->setTextFormat(Qt::PlainText);
    applyTitleColor(kTitleColor);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pTitle);
    layout->addSpacing(kTitleToContent);
    if (content)
        layout->addLayout(content);
    layout->addStretch(1);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);
}

void QColorPieceWidget::SetTitleText(const QString& title)
{
    m_pTitle->setText(title);
}

void QColorPieceWidget::SetTitleTextColor(const QColor& color, bool normal)
{
    applyTitleColor(normal ? kTitleColor : color);
}

void QColorPieceWidget::applyTitleColor(const QColor& color)
{
    m_pTitle->setStyleSheet(QStringLiteral("QLabel{\t\tfont: bold 12px Arial;\t\tcolor: ") + color.name()
                            + QStringLiteral(";\t\tpadding-left: 10px;\t\t}"));
}

void QColorPieceWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);

    QPen pen(QColor(kFrameColor), 1, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
    painter.setPen(pen);
    painter.setBrush(QBrush(QColor(kFillColor), Qt::SolidPattern));
    painter.drawRoundedRect(QRect(0, 0, width() - 1, height() - 1), 0, 0);

    pen.setColor(QColor(kSeparatorColor));
    painter.setPen(pen);
    painter.drawLine(1, kSeparatorY, width() - 2, kSeparatorY);
}
