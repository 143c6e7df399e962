#pragma once
// A WPushButton that opens a menu and keeps its hover look ("hover" property)
// until the menu closes: connect the menu's aboutToHide() to OnButtonMenuHide().

#include "toolkit/wpushbutton.h"

class CMenuButton : public WPushButton {
    Q_OBJECT
public:
    explicit CMenuButton(QWidget* parent = nullptr);
    explicit CMenuButton(const QString& text, QWidget* parent = nullptr);

    void setHoverState(bool hover);

public slots:
    void OnButtonMenuHide();

protected:
    void enterEvent(QEvent* e) override;
    void leaveEvent(QEvent* e) override;
};
