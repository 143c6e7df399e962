#include "update/progresscircle.h"

#include <QConicalGradient>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

#include <cmath>

#include "update/wprogresscir.h"

ProgressCircle::ProgressCircle(int* angle, QWidget* parent)
    : QProgressBar(parent)
    , m_pAngle(angle)
{
    m_pArrow = new QLabel(this);
    const QPixmap arrow(QStringLiteral(":/Widget/update_rightarrow"));
    m_pArrow->setPixmap(arrow);
    m_pArrow->setGeometry(42, 2, 10, 10);
    m_pArrow->hide();
    m_pIcon = new QLabel(this);
    const QPixmap icon(QStringLiteral(":/app_upgrade/download"));
    m_pIcon->setPixmap(icon);
    m_pIcon->setFixedSize(icon.size());
    QVBoxLayout* layout = new QVBoxLayout(this);
    layout->addWidget(m_pIcon, 0, Qt::AlignCenter);
}

ProgressCircle::~ProgressCircle() = default;

void ProgressCircle::SetShowIcon(bool show)
{
    m_bShowIcon = show;
    m_pIcon->setVisible(show);
    update();
}

QString ProgressCircle::PercentText(int angle)
{
    return QStringLiteral("%1%").arg(angle * 100 / 360);
}

void ProgressCircle::paintEvent(QPaintEvent*)
{
    const int angle = m_pAngle ? *m_pAngle : 0;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int side = qMin(width(), height());
    const int d = side - 2;
    const QRectF outer(1, 1, d, d);
    const QPointF c(1 + d / 2.0, 1 + d / 2.0);
    const int r = d / 2;
    int q = int(d * 0.85 * 0.5);
    if ((r - q) % 2)
        ++q;
    const int k = (r - q) / 2;
    const QColor start(0x48, 0xCF, 0xD5);
    const QColor middle(0x3F, 0x9E, 0xFF);

    QConicalGradient gradient(0.5, 0.5, 90);
    gradient.setCoordinateMode(QGradient::ObjectBoundingMode);
    gradient.setColorAt(0, start);
    gradient.setColorAt(0.5, middle);
    gradient.setColorAt(1, start);
    p.setPen(QColor(0x39, 0x39, 0x39));
    p.setBrush(gradient);
    p.drawEllipse(outer);

    QPainterPath rest;
    rest.moveTo(c);
    rest.arcTo(outer, 90, 360 - angle);
    rest.closeSubpath();
    p.setPen(Qt::NoPen);
    p.fillPath(rest, QColor(0x5C, 0x5C, 0x5C));

    if (angle > 0) {
        p.setBrush(start);
        p.drawEllipse(QRectF(c.x() - k + 2, 2, 2 * k - 4, 2 * k - 2));
        const double theta = angle / 180.0 * 3.1415926;
        p.setBrush(WProgressCir::EndCapColour(angle));
        p.drawEllipse(QPointF(c.x() + (q + k) * std::sin(theta), c.y() - (q + k) * std::cos(theta)), k, k);
    }

    const int inset = (d - 2 * q) / 2 + 1;
    const QRectF disc(inset, inset, 2 * q, 2 * q);
    p.setPen(QColor(0x39, 0x39, 0x39));
    p.setBrush(QColor(0x39, 0x39, 0x39));
    p.drawEllipse(disc);

    if (!m_bShowIcon) {
        QFont font = p.font();
        font.setPixelSize(int(q * 0.6));
        p.setFont(font);
        p.setPen(QColor(0xBC, 0xBC, 0xBC));
        p.drawText(disc, Qt::AlignCenter, PercentText(angle));
    }
}
