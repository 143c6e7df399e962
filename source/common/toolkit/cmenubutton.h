#pragma once
// A WPushButton that opens a menu and keeps its hover look ("hover" property)
// until the menu closes: connect the menu's aboutToHide() to OnButtonMenuHide().
// Place the menu from screenOrigin().

#include "toolkit/wpushbutton.h"

#include <optional>

class CMenuButton : public WPushButton {
    Q_OBJECT
public:
    explicit CMenuButton(QWidget* parent = nullptr);
    explicit CMenuButton(const QString& text, QWidget* parent = nullptr);

    void setHoverState(bool hover);
    // The button's top left corner on the screen (mapToScreen()); while its click is
    // handled, the corner the click itself gives (see mouseReleaseEvent).
    QPoint screenOrigin() const;

public slots:
    void OnButtonMenuHide();

protected:
    void enterEvent(QEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    std::optional<QPoint> m_clickOrigin;
};
