#include "toolkit/csystembutton.h"

#include "toolkit/toolkitstyle.h"

#include <QVariant>

CSystemButton::CSystemButton(QWidget* parent)
    : QPushButton(parent)
{
    setHoverState(false);
}

void CSystemButton::setHoverState(bool hover)
{
    setProperty("hover", hover);
    toolkit::repolish(this);
    repaint();
}

void CSystemButton::enterEvent(QEvent* e)
{
    setHoverState(true);
    QPushButton::enterEvent(e);
}

void CSystemButton::leaveEvent(QEvent* e)
{
    setHoverState(false);
    QPushButton::leaveEvent(e);
}

void CSystemButton::mousePressEvent(QMouseEvent* e)
{
    m_bPressed = true;
    QPushButton::mousePressEvent(e);
}

void CSystemButton::mouseReleaseEvent(QMouseEvent* e)
{
    // After a click the button drops its hover look even with the pointer on it.
    if (m_bPressed)
        setHoverState(false);
    m_bPressed = false;
    QPushButton::mouseReleaseEvent(e);
}
