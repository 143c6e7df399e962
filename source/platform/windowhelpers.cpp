#include "platform/windowhelpers.h"

#include <QWidget>

namespace {

// The top-level window behind a native id, or null. An id of a native child widget
// stands for the window that holds it, as the native view stands for its window.
QWidget* windowForId(unsigned long long windowId)
{
    if (windowId == 0)
        return nullptr;
    QWidget* widget = QWidget::find(static_cast<WId>(windowId));
    return widget ? widget->window() : nullptr;
}

} // namespace

void setMacWindowFlags(unsigned long long windowId)
{
    setFramelessWindow(windowForId(windowId));
}

void setFramelessWindow(QWidget* window)
{
    if (!window || window->windowFlags().testFlag(Qt::FramelessWindowHint))
        return;
    const bool wasVisible = window->isVisible();
    window->setWindowFlag(Qt::FramelessWindowHint, true);
    if (wasVisible)
        window->show();
}

void showMacWindowMinized(quint64 windowId)
{
    if (QWidget* window = windowForId(windowId))
        window->showMinimized();
}
