#pragma once
// Slider that jumps to the clicked position, steps coarsely with the arrow keys and
// reports a keyboard adjustment as one sliderPressed() (first arrow key) and one
// sliderReleased() (600 ms after the last key release), like a mouse drag.

#include "toolkit/wpagebase.h"

#include <QSlider>

class QTimer;

class QCustomSlider : public QSlider {
    Q_OBJECT
public:
    explicit QCustomSlider(QWidget* parent = nullptr);  // vertical
    explicit QCustomSlider(Qt::Orientation orientation, QWidget* parent = nullptr);

    void GetDefaultProperty(KEY_PROPERTY* p);
    void SetProperty(KEY_PROPERTY* p);
    KEY_PROPERTY* GetProperty() { return &m_property; }

    // Value for a click at `pos` (widget coordinates); exposed for the scale line.
    int ValueForClick(const QPointF& pos) const;
    // Snaps a value in scale units (hundredths of the slider value) to tens of units.
    static int SnapScaleValue(float v, int min, int max);
    // Keyboard step for the current range and single step.
    int KeyStep() const;

public slots:
    void OnTimer();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;

private:
    void Init();

    QTimer* m_pReleaseTimer = nullptr;
    bool m_bKeyPressed = false;
    KEY_PROPERTY m_property;
};
