#include "shell/wcenterwid.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyleOption>

WCenterWid::WCenterWid(QWidget* parent)
    : QWidget(parent)
{
}

void WCenterWid::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (m_pChildBtn)
            emit m_pChildBtn->clicked(false);
        return;
    }
    QWidget::keyPressEvent(event);
}

void WCenterWid::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event)
    // A plain QWidget subclass ignores its style sheet's border and focus frame
    // unless it draws the primitive itself.
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}
