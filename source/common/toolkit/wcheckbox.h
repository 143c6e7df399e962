#pragma once
// Check box of the pages: focus trio, and inside a focus-list group the arrow keys
// wrap at the group's ends.

#include "toolkit/wpagebase.h"

#include <QCheckBox>

class WCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit WCheckBox(QWidget* parent = nullptr);
    explicit WCheckBox(const QString& text, QWidget* parent = nullptr);

    void GetDefaultProperty(KEY_PROPERTY* p);
    void SetProperty(KEY_PROPERTY* p);
    KEY_PROPERTY* GetProperty() { return &m_property; }

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;

private:
    KEY_PROPERTY m_property;
};
