#ifndef WTABBAR_H
#define WTABBAR_H

#include <QTabBar>

// The tab bar of the tab container. It tells the presenter while it holds the
// keyboard focus, so that a tab change made from the keyboard keeps the focus
// on the bar instead of sending it back to the main window.
class WTabBar : public QTabBar
{
    Q_OBJECT
public:
    explicit WTabBar(QWidget* parent = nullptr);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

#endif // WTABBAR_H
