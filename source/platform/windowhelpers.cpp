#include "platform/windowhelpers.h"

#include <QWidget>
#include <QX11Info>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

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

// Tells the program where its window stands, as a window manager does after moving the
// frame that holds it (the server then tells the window nothing): a synthetic
// ConfigureNotify. An empty event mask sends it to the window's creator alone.
void sendPlaceNotice(xcb_connection_t* connection, xcb_window_t window, const QPoint& origin, const QSize& size)
{
    xcb_configure_notify_event_t notice{};
    notice.response_type = XCB_CONFIGURE_NOTIFY;
    notice.event = window;
    notice.window = window;
    notice.x = int16_t(origin.x());
    notice.y = int16_t(origin.y());
    notice.width = uint16_t(size.width());
    notice.height = uint16_t(size.height());
    char event[32] = {};   // events go as 32 bytes
    std::memcpy(event, &notice, sizeof notice);
    xcb_send_event(connection, 0, window, XCB_EVENT_MASK_NO_EVENT, event);
    xcb_flush(connection);
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

QPoint windowRecordLag(const QWidget* widget)
{
    const QWidget* window = widget ? widget->window() : nullptr;
    // With Qt's own scaling the server's pixels are not the program's: keep the record.
    if (!window || !window->isVisible() || !window->internalWinId() || window->devicePixelRatioF() != 1.0
        || !QX11Info::isPlatformX11())
        return QPoint();
    xcb_connection_t* connection = QX11Info::connection();
    const auto id = xcb_window_t(window->internalWinId());
    const xcb_translate_coordinates_cookie_t cookie =
        xcb_translate_coordinates(connection, id, xcb_window_t(QX11Info::appRootWindow()), 0, 0);
    xcb_generic_error_t* error = nullptr;   // taken here, so that Qt does not report it
    xcb_translate_coordinates_reply_t* reply = xcb_translate_coordinates_reply(connection, cookie, &error);
    std::free(error);
    // No answer (the window just went) or another screen's root: keep the record.
    const bool answered = reply && reply->same_screen;
    const QPoint origin = answered ? QPoint(reply->dst_x, reply->dst_y) : QPoint();
    std::free(reply);
    if (!answered)
        return QPoint();
    const QPoint lag = origin - window->mapToGlobal(QPoint(0, 0));
    if (!lag.isNull())   // the size as Qt has it: only the place is put right
        sendPlaceNotice(connection, id, origin, window->size());
    return lag;
}

QPoint mapToScreen(const QWidget* widget, const QPoint& pos)
{
    return widget->mapToGlobal(pos) + windowRecordLag(widget->window());
}
