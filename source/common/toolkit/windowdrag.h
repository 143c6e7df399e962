#pragma once
// Moving a frameless window by its own title bar: the main window, QCustomDialog
// and QWrapperMsgBox draw their title bars themselves, so they move themselves.

#include <QPoint>
#include <QRect>

class QMouseEvent;
class QWidget;

class WindowDrag
{
public:
    // `hitOffsetY`: the press point is tested this many pixels higher, so the
    // band just under the title bar's top edge does not start a drag.
    // `liftY`: a dragged window lands this many pixels above the pointer's path.
    explicit WindowDrag(QWidget* window, int hitOffsetY = 0, int liftY = 0);

    // A left press inside `titleRect` (window coordinates) starts a drag; `event` as
    // the window itself gets it.
    void Press(QMouseEvent* event, const QRect& titleRect);
    // Moves the window while dragging; true when it moved.
    bool Move(QMouseEvent* event);
    void Release(QMouseEvent* event);
    bool IsDragging() const { return m_dragging; }

private:
    QWidget* m_window;
    int m_hitOffsetY;
    int m_liftY;
    bool m_dragging = false;
    QPoint m_pressPos;
};
