#include "windowdrag.h"

#include <QMouseEvent>
#include <QWidget>

WindowDrag::WindowDrag(QWidget* window, int hitOffsetY, int liftY)
    : m_window(window)
    , m_hitOffsetY(hitOffsetY)
    , m_liftY(liftY)
{
}

void WindowDrag::Press(QMouseEvent* event, const QRect& titleRect)
{
    if (event->button() != Qt::LeftButton)
        return;
    // Taken from the event, not mapped from the pointer's screen position through the
    // window's record of its place, which can lag behind the window manager: the
    // first move would make the window jump by that lag.
    m_pressPos = event->pos();
    if (titleRect.contains(m_pressPos - QPoint(0, m_hitOffsetY)))
        m_dragging = true;
}

bool WindowDrag::Move(QMouseEvent* event)
{
    if (!m_dragging || !(event->buttons() & Qt::LeftButton))
        return false;
    m_window->move(event->globalPos() - m_pressPos - QPoint(0, m_liftY));
    return true;
}

void WindowDrag::Release(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_dragging = false;
}
