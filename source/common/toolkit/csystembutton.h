#pragma once
// Image button of title bars (minimise, close). Its look follows the dynamic
// property "hover" (read by setButtonImgStyle's sheet), and it drops the hover look
// after a click even while the pointer stays on it.

#include <QPushButton>

class CSystemButton : public QPushButton {
    Q_OBJECT
public:
    explicit CSystemButton(QWidget* parent = nullptr);

    void setHoverState(bool hover);

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void enterEvent(QEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    bool m_bPressed = false;
};
