#include "toolkit/qwrapperslider.h"

#include "toolkit/qcustomslider.h"
#include "toolkit/qscaleline.h"
#include "toolkit/stylesheetbuilder.h"
#include "toolkit/toolkitstyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

QWrapperSlider::QWrapperSlider(int nMin, int nMax, Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent)
{
    m_pSlider = new QCustomSlider(orientation, this);
    setSliderStyle(m_pSlider, orientation);
    if (orientation != Qt::Horizontal)
        m_pSlider->setFixedWidth(24);

    m_pScaleLine = new QScaleLine(nMin, nMax, m_pSlider, this);

    m_pValueLabel = new QLabel(this);
    if (QStyle* style = toolkit::fusionStyle())
        m_pValueLabel->setStyle(style);
    m_pValueLabel->setStyleSheet(QStringLiteral("QLabel{font: bold 12px Arial; color: ")
                                 + QColor(236, 236, 236).name() + QStringLiteral(";}"));
    m_pValueLabel->setAlignment(Qt::AlignCenter);
    m_pValueLabel->setFixedSize(68, 24);

    RelaySignals();

    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(m_pSlider);
    row->addWidget(m_pScaleLine);
    row->addStretch(1);
    row->setSpacing(4);
    row->setContentsMargins(0, 0, 0, 8);
    auto* column = new QVBoxLayout(this);
    column->addLayout(row);
    column->addWidget(m_pValueLabel, 0, Qt::AlignHCenter);
    column->setSpacing(0);
    column->setContentsMargins(0, 10, 0, 4);
}

QWrapperSlider::QWrapperSlider(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent)
{
    m_pSlider = new QCustomSlider(orientation, this);
    setSliderStyle(m_pSlider, orientation);
    RelaySignals();
    if (orientation == Qt::Horizontal) {
        m_pSlider->setFixedHeight(24);
        auto* column = new QVBoxLayout(this);
        column->addStretch(0);
        column->addWidget(m_pSlider);
        column->addStretch(0);
        column->setContentsMargins(10, 0, 10, 0);
    } else {
        auto* row = new QHBoxLayout(this);
        row->addWidget(m_pSlider);
        row->setContentsMargins(0, 10, 0, 10);
    }
}

void QWrapperSlider::RelaySignals()
{
    connect(m_pSlider, &QSlider::valueChanged, this, &QWrapperSlider::valueChanged);
    connect(m_pSlider, &QSlider::sliderPressed, this, &QWrapperSlider::sliderPressed);
    connect(m_pSlider, &QSlider::sliderMoved, this, &QWrapperSlider::sliderMoved);
    connect(m_pSlider, &QSlider::sliderReleased, this, &QWrapperSlider::sliderReleased);
}

void QWrapperSlider::SetRange(int nMin, int nMax)
{
    m_pSlider->setRange(nMin, nMax);
}

void QWrapperSlider::SetPageStep(int step)
{
    m_pSlider->setPageStep(step);
}

void QWrapperSlider::SetValue(int nValue)
{
    m_pSlider->setValue(nValue);
    if (m_pValueLabel)
        m_pValueLabel->setText(QString::number(static_cast<float>(nValue) / 100.0, 'f', 2));
}

int QWrapperSlider::GetValue() const
{
    return m_pSlider->value();
}

int QWrapperSlider::GetMinValue() const
{
    return m_pSlider->minimum();
}

int QWrapperSlider::GetMaxValue() const
{
    return m_pSlider->maximum();
}

void QWrapperSlider::SetDisplayValue(QString text)
{
    if (m_pValueLabel)
        m_pValueLabel->setText(text);
}

void QWrapperSlider::paintEvent(QPaintEvent* e)
{
    if (m_pValueLabel) {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const int w = width();
        const int h = height();
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(52, 52, 52));
        painter.drawRoundedRect(QRectF(0, 0, w, h), 4, 4);
        painter.setPen(QColor(40, 40, 40));
        painter.setBrush(QColor(40, 40, 40));
        painter.drawRoundedRect(QRectF(1, h - 27, w - 2, 26), 4, 4);
        painter.setPen(QColor(20, 20, 20));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(1, 1, w - 2, h - 2), 4, 4);
        // A light edge on the right and the bottom.
        painter.setPen(QColor(100, 100, 100));
        painter.drawArc(QRectF(w - 9, h - 9, 8, 8), 0, -90 * 16);
        painter.drawLine(QPointF(w - 1, 4), QPointF(w - 1, h - 5));
        painter.drawLine(QPointF(4, h - 1), QPointF(w - 5, h - 1));
    }
    QWidget::paintEvent(e);
}
