#include "toolkit/qcustomslider.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>

#include <cmath>

QCustomSlider::QCustomSlider(QWidget* parent)
    : QSlider(parent)
{
    Init();
}

QCustomSlider::QCustomSlider(Qt::Orientation orientation, QWidget* parent)
    : QSlider(orientation, parent)
{
    Init();
}

void QCustomSlider::Init()
{
    m_pReleaseTimer = new QTimer(this);
    m_pReleaseTimer->setInterval(600);
    connect(m_pReleaseTimer, &QTimer::timeout, this, &QCustomSlider::OnTimer);
}

void QCustomSlider::GetDefaultProperty(KEY_PROPERTY* p)
{
    if (!p)
        return;
    p->pWidget = this;
    p->bTable = 0;
    p->bTable2 = 0;
}

void QCustomSlider::SetProperty(KEY_PROPERTY* p)
{
    if (p)
        m_property = *p;
}

int QCustomSlider::SnapScaleValue(float v, int min, int max)
{
    int n = static_cast<int>(v);
    n = (v < -5.0f) ? n - 5 : n + 5;
    n = (n / 10) * 10;
    return qBound(min, n * 100, max);
}

int QCustomSlider::ValueForClick(const QPointF& pos) const
{
    const int min = minimum();
    const int max = maximum();
    const int w = width();
    const int h = height();
    if (w <= 0 || h <= 0)
        return value();  // not laid out yet: no position to map
    if (w >= h) {
        const int x = qRound(pos.x());
        const float ratio = static_cast<float>(x) / static_cast<float>(w);
        const float v = static_cast<float>(min) + static_cast<float>(max - min) * ratio;
        return qBound(min, static_cast<int>(v), max);
    }
    const int y = qRound(pos.y());
    const float ratio = static_cast<float>(y) / static_cast<float>(h);
    const float v = (static_cast<float>(max) - static_cast<float>(max - min) * ratio) / 100.0f;
    // Within one scale unit of an end the click takes that end.
    if (std::fabs(v - static_cast<float>(max) / 100.0f) < 1.0f)
        return max;
    if (std::fabs(v - static_cast<float>(min) / 100.0f) < 1.0f)
        return min;
    return SnapScaleValue(v, min, max);
}

int QCustomSlider::KeyStep() const
{
    const int single = qMax(singleStep(), 1);
    return single * ((maximum() - minimum() < 2000) ? 5 : 15);
}

void QCustomSlider::mousePressEvent(QMouseEvent* e)
{
    QSlider::mousePressEvent(e);
    setValue(ValueForClick(e->localPos()));
}

void QCustomSlider::keyPressEvent(QKeyEvent* e)
{
    const int key = e->key();
    if (key != Qt::Key_Left && key != Qt::Key_Up && key != Qt::Key_Right && key != Qt::Key_Down) {
        QSlider::keyPressEvent(e);
        return;
    }
    // A keyboard adjustment reaches the screen like a drag: one press first.
    if (!m_bKeyPressed) {
        m_bKeyPressed = true;
        emit sliderPressed();
    }
    const int step = KeyStep();
    const int next = (key == Qt::Key_Up || key == Qt::Key_Right) ? value() + step : value() - step;
    setValue(qBound(minimum(), next, maximum()));
    e->accept();
}

void QCustomSlider::keyReleaseEvent(QKeyEvent* e)
{
    m_pReleaseTimer->start();
    QSlider::keyReleaseEvent(e);
}

void QCustomSlider::OnTimer()
{
    m_bKeyPressed = false;
    m_pReleaseTimer->stop();
    emit sliderReleased();
}

void QCustomSlider::focusInEvent(QFocusEvent* e)
{
    if (!m_property.pPage) {
        update();   // outside a focus list (dialogs): still show the focus look
        return;
    }
    m_property.pPage->SetCurPropertyForFocusInEv(&m_property);
    QSlider::focusInEvent(e);
    repaint();
}
