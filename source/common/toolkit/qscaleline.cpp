#include "toolkit/qscaleline.h"

#include "toolkit/qcustomslider.h"

#include <QMouseEvent>
#include <QPainter>

QScaleLine::QScaleLine(int nMin, int nMax, QCustomSlider* slider, QWidget* parent)
    : QWidget(parent)
    , m_pSlider(slider)
    , m_nMax(nMax)
    , m_nMin(nMin)
{
    setFixedWidth(20);
    setFocusPolicy(Qt::NoFocus);
}

int QScaleLine::LabelBaseline(int i, int nMin, int nMax, int height)
{
    if (nMax < nMin || i < nMin || i > nMax)
        return -1;
    // A scale of a single value has no extent to divide: everything sits at the top.
    const double scale = (nMax > nMin) ? double(height - 16) / double(nMax - nMin) : 0.0;
    if (i % 10 == 0)
        return static_cast<int>(double(nMax - i) * scale + 8.0);
    if (i == nMax)
        return 8;
    if (i == nMin)
        return height - 8;
    return -1;
}

void QScaleLine::paintEvent(QPaintEvent*)
{
    if (m_nMax < m_nMin)
        return;
    QPainter painter(this);
    painter.setPen(QColor(102, 102, 102));
    QFont f = font();
    f.setWeight(75);
    f.setPixelSize(11);
    painter.setFont(f);
    for (int i = m_nMax; i >= m_nMin; --i) {
        const int y = LabelBaseline(i, m_nMin, m_nMax, height());
        if (y >= 0)
            painter.drawText(QPoint(0, y), QString::number(i));
    }
}

void QScaleLine::mousePressEvent(QMouseEvent* e)
{
    if (!m_pSlider || !m_bScaleEnable)
        return;
    int p = 0;
    int length = 0;
    if (m_pSlider->width() >= m_pSlider->height()) {
        p = qRound(e->localPos().x());
        length = width();
    } else {
        p = qRound(e->localPos().y());
        length = height();
    }
    const int min = m_pSlider->minimum();
    const int max = m_pSlider->maximum();
    if (p < 10) {
        m_pSlider->setValue(max);
        return;
    }
    if (p > length - 10 || length <= 0) {
        m_pSlider->setValue(min);
        return;
    }
    const float ratio = static_cast<float>(p) / static_cast<float>(length);
    const float v = (static_cast<float>(max) - ratio * static_cast<float>(max - min)) / 100.0f;
    m_pSlider->setValue(QCustomSlider::SnapScaleValue(v, min, max));
}
