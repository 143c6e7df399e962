#include "shell/wtabwidget.h"

#include <QKeyEvent>

#include "shell/wtabbar.h"

WTabWidget::WTabWidget(QWidget* parent)
    : QTabWidget(parent)
{
    m_pTabBar = new WTabBar(this);
    setTabBar(m_pTabBar);
}

int WTabWidget::SelectRelativeTab(int step)
{
    const int tabs = count();
    if (tabs <= 0)
        return -1;
    const int current = currentIndex() < 0 ? 0 : currentIndex();
    const int index = ((current + step) % tabs + tabs) % tabs;
    setCurrentIndex(index);
    return index;
}

void WTabWidget::keyPressEvent(QKeyEvent* event)
{
    QWidget* focus = focusWidget();
    const bool onTabs = focus && (qobject_cast<QTabWidget*>(focus) || qobject_cast<QTabBar*>(focus));
    if (onTabs && event->modifiers() == Qt::ControlModifier && event->key() == Qt::Key_Tab)
        SelectRelativeTab(1);
    // Every key is consumed: the base class would move the selection with the
    // arrow keys behind the focus model's back.
    event->accept();
}
