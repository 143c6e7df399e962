#pragma once
// The push button of pages and dialogs: takes part in a page's focus list, walks
// button groups and tab stacks with the arrow keys, shows the keyboard focus look
// (dynamic property "mouse" false) only during keyboard navigation, and a button
// named "btn_dialog" is the dialog's default button while it has the focus. A
// dialog button shown while its dialog's focus is nowhere takes the focus (the
// dialog's default button first), with the keyboard focus look.

#include "toolkit/wpagebase.h"

#include <QPushButton>

class WPushButton : public QPushButton {
    Q_OBJECT
public:
    explicit WPushButton(QWidget* parent = nullptr);
    explicit WPushButton(const QString& text, QWidget* parent = nullptr);

    void SetStackBtn(bool stackButton) { m_bStackBtn = stackButton; }
    bool IsStackBtn() const { return m_bStackBtn; }

    // Disabling the focused button first moves the focus to the page's next stop.
    // A plain member on purpose: setEnabled() keeps the standard behaviour.
    void SetEnabled(bool enabled);

    // Focus trio (table flags 0).
    void GetDefaultProperty(KEY_PROPERTY* p);
    void SetProperty(KEY_PROPERTY* p);
    KEY_PROPERTY* GetProperty() { return &m_property; }

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void Init();
    bool IsDialogButton() const;

    KEY_PROPERTY m_property;
    bool m_bStackBtn = false;
};
