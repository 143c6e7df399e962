#include "shell/wcenterwid.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyleOption>

namespace {
// The keys every drop-down list of the desktop opens on.
bool OpensDropDown(const QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return true;
    case Qt::Key_Space:
    case Qt::Key_F4:
        return mods == Qt::NoModifier;
    case Qt::Key_Down:
        return mods == Qt::NoModifier || mods == Qt::AltModifier;
    case Qt::Key_Up:
        return mods == Qt::AltModifier;
    default:
        return false;
    }
}
} // namespace

WCenterWid::WCenterWid(QWidget* parent)
    : QWidget(parent)
{
}

void WCenterWid::keyPressEvent(QKeyEvent* event)
{
    if (OpensDropDown(event)) {
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
