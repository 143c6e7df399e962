#include "toolkit/cmenubutton.h"

#include "platform/windowhelpers.h"
#include "toolkit/toolkitstyle.h"

#include <QMouseEvent>
#include <QPointer>
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
    return m_clickOrigin ? *m_clickOrigin : mapToScreen(this, QPoint(0, 0));
}

void CMenuButton::mouseReleaseEvent(QMouseEvent* e)
{
    // The click's screen position comes from the window system with the event, while
    // the window's own record of its place (what mapToGlobal() adds) follows the
    // window manager's notices and can lag behind a window it has just placed.
    m_clickOrigin = (e->screenPos() - e->localPos()).toPoint();
    const QPointer<CMenuButton> alive(this);
    WPushButton::mouseReleaseEvent(e);   // clicked() opens the menu from here
    if (alive)
        m_clickOrigin.reset();
}
