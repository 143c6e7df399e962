#include "toolkit/cmenubutton.h"

#include "toolkit/toolkitstyle.h"

#include <QMouseEvent>
#include <QVariant>

CMenuButton::CMenuButton(QWidget* parent)
    : WPushButton(parent)
{
}

CMenuButton::CMenuButton(const QString& text, QWidget* parent)
    : WPushButton(text, parent)
{
}

void CMenuButton::setHoverState(bool hover)
{
    setProperty("hover", hover);
    toolkit::repolish(this);
    repaint();
}

void CMenuButton::OnButtonMenuHide()
{
    setHoverState(false);
}

void CMenuButton::enterEvent(QEvent* e)
{
    setHoverState(true);
    WPushButton::enterEvent(e);
}

void CMenuButton::leaveEvent(QEvent* e)
{
    // The hover look stays while the menu is open; OnButtonMenuHide() ends it.
    WPushButton::leaveEvent(e);
}

QPoint CMenuButton::screenOrigin() const
{
    return m_clickOrigin.value_or(mapToGlobal(QPoint(0, 0)));
}

void CMenuButton::mouseReleaseEvent(QMouseEvent* e)
{
    // The click's screen position comes from the window system with the event. The
    // window's own record of its place follows the window manager's notices, which
    // can come after the first click of a window just placed: mapToGlobal() then
    // gives a place as if the window stood at 0,0.
    m_clickOrigin = (e->screenPos() - e->localPos()).toPoint();
    WPushButton::mouseReleaseEvent(e);   // clicked() opens the menu from here
    m_clickOrigin.reset();
}
