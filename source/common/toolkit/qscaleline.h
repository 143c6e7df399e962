#pragma once
// A 20-pixel-wide labelled scale beside a vertical slider; a click moves the slider
// to the nearest labelled tick (multiples of ten scale units).

#include <QWidget>

class QCustomSlider;

class QScaleLine : public QWidget {
    Q_OBJECT
public:
    QScaleLine(int nMin, int nMax, QCustomSlider* slider, QWidget* parent = nullptr);

    void SetScaleEnable(bool enable) { m_bScaleEnable = enable; }

    // Baseline y of the label of scale value `i` for a scale `height` pixels high, or
    // -1 when `i` gets no label.
    static int LabelBaseline(int i, int nMin, int nMax, int height);

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    QCustomSlider* m_pSlider = nullptr;  // not owned
    int m_nMax = 0;
    int m_nMin = 0;
    bool m_bScaleEnable = true;
};
