#include "shell/wtabbar.h"

#include "device/lumivandrexpresenter.h"

WTabBar::WTabBar(QWidget* parent)
    : QTabBar(parent)
{
    setDrawBase(false);
    setStyleSheet(QStringLiteral("QTabBar {outline: none}"
                                 "QTabBar::tab:focus {background-image: url(:/Widget/tab_focus); "
                                 "background-position: center; background-repeat: none}"));
}

void WTabBar::focusInEvent(QFocusEvent* event)
{
    g_presenter.SetInFocus(true);
    update();
    QTabBar::focusInEvent(event);
}

void WTabBar::focusOutEvent(QFocusEvent* event)
{
    g_presenter.SetInFocus(false);
    update();
    QTabBar::focusOutEvent(event);
}
