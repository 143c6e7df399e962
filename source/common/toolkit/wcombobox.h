#pragma once
// Combo box of the pages: focus trio; refuses every key when it is the only usable
// member of its focus-list group; keeps the dynamic property "enter" (mouse over the
// box) for setComboBoxStyle's sheet; its list opens where the window really is.

#include "toolkit/wpagebase.h"

#include <QComboBox>

class WComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit WComboBox(QWidget* parent = nullptr);

    void GetDefaultProperty(KEY_PROPERTY* p);
    void SetProperty(KEY_PROPERTY* p);
    KEY_PROPERTY* GetProperty() { return &m_property; }

    void setHoverState(bool hover);
    void showPopup() override;
    void hidePopup() override;

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void enterEvent(QEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    KEY_PROPERTY m_property;
};
