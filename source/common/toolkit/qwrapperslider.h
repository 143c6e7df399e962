#pragma once
// Slider composite: the labelled form (vertical slider, scale line, value label; the
// value is in hundredths of the scale unit) and the bare form (slider only).

#include <QWidget>

class QCustomSlider;
class QLabel;
class QScaleLine;

class QWrapperSlider : public QWidget {
    Q_OBJECT
public:
    QWrapperSlider(int nMin, int nMax, Qt::Orientation orientation, QWidget* parent = nullptr);
    QWrapperSlider(Qt::Orientation orientation, QWidget* parent = nullptr);

    QCustomSlider* GetCustomSlider() const { return m_pSlider; }
    QScaleLine* GetScaleLine() const { return m_pScaleLine; }
    QLabel* GetValueLabel() const { return m_pValueLabel; }

    void SetRange(int nMin, int nMax);
    void SetPageStep(int step);
    void SetValue(int nValue);
    int GetValue() const;
    int GetMinValue() const;
    int GetMaxValue() const;
    void SetDisplayValue(QString text);

signals:
    void valueChanged(int nValue);
    void sliderPressed();
    void sliderMoved(int nValue);
    void sliderReleased();

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    void RelaySignals();

    QScaleLine* m_pScaleLine = nullptr;
    QCustomSlider* m_pSlider = nullptr;
    QLabel* m_pValueLabel = nullptr;
};
