#pragma once
// Spin box whose number cannot be typed or selected; stepped by Up/Down and the
// mouse; reports left-button presses and releases.

#include "toolkit/wpagebase.h"

#include <QSpinBox>

class QWrapperSpinBox : public QSpinBox {
    Q_OBJECT
public:
    explicit QWrapperSpinBox(QWidget* parent = nullptr);

    void GetDefaultProperty(KEY_PROPERTY* p);  // table flags 1
    void SetProperty(KEY_PROPERTY* p);
    KEY_PROPERTY* GetProperty() { return &m_property; }

    bool eventFilter(QObject* watched, QEvent* e) override;

signals:
    void sigSpinMousePress();
    void sigSpinMouseRelease();

public slots:
    void OnSelectionChanged();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;

private:
    KEY_PROPERTY m_property;
};
