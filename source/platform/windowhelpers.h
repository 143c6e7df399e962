#pragma once
// Native look of the program's own windows.
//
// The main window and the dialogs draw their own title bars and move themselves, so
// the window system must not add a frame. On Linux that is the frameless hint; the
// window is found by its native id (the value of QWidget::winId()).

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
