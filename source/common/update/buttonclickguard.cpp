#include "update/buttonclickguard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMouseEvent>

void ButtonClickGuard::Guard(QAbstractButton* button)
{
    button->installEventFilter(this);
}

bool ButtonClickGuard::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick)
        || static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
        return QObject::eventFilter(watched, event);
    if (type == QEvent::MouseButtonDblClick)
        return true;   // a button takes a double click as a second press: never here
    // Event times, as Qt pairs a double click's presses; unsigned, so a clock that
    // wraps or steps back only lets the press through.
    const unsigned long at = static_cast<QMouseEvent*>(event)->timestamp();
    if (m_bPressed && at - m_lastPress < static_cast<unsigned long>(QApplication::doubleClickInterval()))
        return true;
    m_bPressed = true;
    m_lastPress = at;
    return QObject::eventFilter(watched, event);
}
