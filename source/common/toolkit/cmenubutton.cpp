#include "toolkit/cmenubutton.h"

#include "toolkit/toolkitstyle.h"

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
