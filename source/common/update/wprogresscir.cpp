#include "update/wprogresscir.h"

#include <QConicalGradient>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

#include <cmath>

#include "update/upgradecolours.h"

WProgressCir::WProgressCir(QWidget* parent)
    : QWidget(parent)
{
    m_pRightArrow = new QLabel(this);
    m_pRightArrow->setPixmap(QPixmap(QStringLiteral(":/Widget/update_rightarrow")));
    m_pRightArrow->adjustSize();
    m_pRightArrow->move(42, 2);

    m_pUpArrow = new QLabel(this);
    m_pUpArrow->setPixmap(QPixmap(QStringLiteral(":/Widget/update_uparrow")));
    m_pUpArrow->adjustSize();
    QVBoxLayout* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pUpArrow, 0, Qt::AlignCenter);
}

void WProgressCir::SetValue(int degrees)
{
    m_nValue = degrees;
    update();
}

void WProgressCir::SetText(const QString& text)
{
    m_strText = text;
    update();
}

void WProgressCir::SetImgVisible(bool visible)
{
    m_pUpArrow->setVisible(visible);
}

bool WProgressCir::IsImgVisible() const
{
    return !m_pUpArrow->isHidden();
}

QColor WProgressCir::EndCapColour(int degrees)
{
    const QColor a = upgradecolours::kRingStart;
    const QColor b = upgradecolours::kRingMiddle;
    double wa;
    double wb;
    if (degrees <= 180) {
        const double t = degrees / 180.0;
        wa = 1.0 - t;
        wb = t;
    } else {
        const double t = (degrees - 180) / 180.0;
        wa = t;
        wb = 1.0 - t;
    }
    auto mix = [&](int ca, int cb) { return int(ca * wa + cb * wb); };
    return QColor(mix(a.red(), b.red()), mix(a.green(), b.green()), mix(a.blue(), b.blue()));
}

void WProgressCir::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double v = m_nValue;
    const double d = qMin(width(), height()) + 1;
    const QRectF outer(1, 1, d - 2, d - 2);

    QConicalGradient gradient(outer.center(), 90);
    gradient.setColorAt(0, upgradecolours::kRingStart);
    gradient.setColorAt(0.5, upgradecolours::kRingMiddle);
    gradient.setColorAt(1, upgradecolours::kRingStart);
    p.setPen(upgradecolours::kPanel);
    p.setBrush(gradient);
    p.drawEllipse(outer);

    // What is not done yet is covered by the track, so the colour grows clockwise.
    QPainterPath rest;
    rest.moveTo(outer.center());
    rest.arcTo(outer, 90, 360 - v);
    rest.closeSubpath();
    p.setPen(Qt::NoPen);
    p.fillPath(rest, upgradecolours::kTrack);

    const double inner = d * 0.75;
    if (m_nValue > 0) {
        const double cap = d * 0.25 * 0.5 - 2;
        const double middle = (inner + d * 0.25 * 0.5) * 0.5 - 1;
        const double angle = (v + 2) / 180.0 * 3.14159;
        p.setBrush(upgradecolours::kRingStart);
        p.drawEllipse(QRectF(42, 1.5, cap, cap));
        p.setBrush(EndCapColour(m_nValue));
        p.drawEllipse(QPointF(45 + middle * std::sin(angle), 45 - middle * std::cos(angle)), cap / 2, cap / 2);
    }

    const QRectF disc((d - inner) / 2, (d - inner) / 2, inner, inner);
    p.setPen(upgradecolours::kPanel);
    p.setBrush(upgradecolours::kPanel);
    p.drawEllipse(disc);

    if (!m_strText.isEmpty()) {
        QFont font = p.font();
        font.setPixelSize(int(inner * 0.3));
        p.setFont(font);
        p.setPen(upgradecolours::kCaption);
        p.drawText(disc, Qt::AlignCenter, m_strText);
    }
}
