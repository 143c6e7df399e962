#ifndef WTABWIDGET_H
#define WTABWIDGET_H

#include <QTabWidget>

class WTabBar;

// The tab widget of the tab container, with a WTabBar. Ctrl+Tab on the bar
// selects the next tab with wrap-around; other keys are swallowed so the
// base class cannot move the selection behind the focus model's back.
class WTabWidget : public QTabWidget
{
    Q_OBJECT
public:
    explicit WTabWidget(QWidget* parent = nullptr);

    WTabBar* GetTabBar() const { return m_pTabBar; }

    // Selects the tab `step` places away from the current one, wrapping; does
    // nothing without tabs. Returns the new index, or -1.
    int SelectRelativeTab(int step);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    WTabBar* m_pTabBar = nullptr;
};

#endif // WTABWIDGET_H
