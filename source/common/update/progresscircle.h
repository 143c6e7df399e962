#pragma once

#include <QProgressBar>

class QLabel;

// The software download's progress: a gradient ring filled clockwise from 12 o'clock
// by the angle it is given (degrees, read when it paints) and the percentage inside,
// or the download icon while `m_bShowIcon` is set.
class ProgressCircle : public QProgressBar
{
    Q_OBJECT
public:
    ProgressCircle(int* angle, QWidget* parent);
    ~ProgressCircle() override;

    void SetShowIcon(bool show);
    bool IsShowingIcon() const { return m_bShowIcon; }
    // "angle * 100 / 360" and "%", as drawn.
    static QString PercentText(int angle);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int* m_pAngle;
    bool m_bShowIcon = true;
    QLabel* m_pArrow = nullptr;
    QLabel* m_pIcon = nullptr;
};
