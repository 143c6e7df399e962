#pragma once

#include <QObject>

class QAbstractButton;

// Makes each click on a dialog's buttons act once. A click that changes the page
// puts another button where the pointer is (Cancel where Upgrade was): the second
// click of a double click, or a second click quicker than one, would press it. Such
// a press is dropped: the double click's own press, and any press within the
// double-click interval after the press that last clicked one of the buttons. A
// deliberate later click and the keyboard act as ever.
class ButtonClickGuard : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    void Guard(QAbstractButton* button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool m_bPressed = false;         // a press was let through
    unsigned long m_lastPress = 0;   // its event time (the platform's clock, in ms)
};
