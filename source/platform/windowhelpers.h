#pragma once
// Native look and place of the program's own windows.
//
// The main window and the dialogs draw their own title bars and move themselves, so
// the window system must not add a frame. On Linux that is the frameless hint; the
// window is found by its native id (the value of QWidget::winId()).

#include <QPoint>
#include <QtGlobal>

class QWidget;

// Gives the window with this id no system frame or title bar (adds
// Qt::FramelessWindowHint). Unknown ids are ignored. A visible window is shown again
// after the change, because changing window flags hides a widget.
void setMacWindowFlags(unsigned long long windowId);

// The same for a window given as a widget, before or after it has a native window.
// Before (the usual case: called in the constructor) nothing native is created, so
// the window is made once, frameless, when it is first shown.
void setFramelessWindow(QWidget* window);

// Minimises the window with this id (QWidget::showMinimized()). Unknown ids are ignored.
void showMacWindowMinized(quint64 windowId);

// How far Qt's record of a window's place (pos(), what mapToGlobal() adds) is from
// where the window system has the window. The record follows the window manager's
// notices, which can come late for a window it has just placed, or not at all, and
// pop-ups placed from it then open as if the window stood elsewhere. On X11 the server
// is asked (one round trip), and where the record lags Qt is told the window's place,
// so that its own placements (and mapFromGlobal()) are right too once it has read that
// on the event loop's next pass. Elsewhere, and for a window not shown, it is (0, 0).
QPoint windowRecordLag(const QWidget* window);

// `pos` in `widget` on the screen, from where its window really is (see above).
// Place pop-ups and dialogs relative to a window with this, not mapToGlobal().
QPoint mapToScreen(const QWidget* widget, const QPoint& pos);
