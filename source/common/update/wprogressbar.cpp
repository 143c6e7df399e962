#include "update/wprogressbar.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "toolkit/stylesheetbuilder.h"
#include "update/upgradecolours.h"

WProgressBar::WProgressBar(QWidget* parent)
    : QWidget(parent)
{
    m_pCaption = new QLabel(this);
    m_pCaption->setFixedSize(76, 24);
    m_pCaption->setAlignment(Qt::AlignCenter);
    setLabelStyle(m_pCaption, upgradecolours::kCaption, QColor(52, 52, 52), upgradecolours::kBorder);

    m_pBar = new QProgressBar(this);
    m_pBar->setFixedSize(76, 4);
    m_pBar->setTextVisible(false);
    m_pBar->setRange(0, 100);
    m_pBar->setValue(0);
    m_pBar->setStyleSheet(QStringLiteral("QProgressBar{\t\t\tborder: 0px;\t\t\tborder-radius: %1px;\t\t\tbackground-color:%2;\t\t}"
                                         "QProgressBar::chunk{\t\t\tborder: 0px;\t\t\tborder-radius: %3px;\t\t\tbackground-color: %4;\t\t}")
                              .arg(0)
                              .arg(upgradecolours::kTrack.name())
                              .arg(0)
                              .arg(upgradecolours::kAccent.name()));

    QVBoxLayout* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pCaption, 0, Qt::AlignHCenter);
    layout->addWidget(m_pBar);
}

void WProgressBar::SetText(const QString& text, const QColor& colour)
{
    m_pCaption->setText(text);
    setLabelStyle(m_pCaption, colour, upgradecolours::kPanel, upgradecolours::kBorder);
}

void WProgressBar::SetValue(int value)
{
    m_pBar->setValue(value);
    m_pBar->repaint();
}

QString WProgressBar::GetText() const
{
    return m_pCaption->text();
}

int WProgressBar::GetValue() const
{
    return m_pBar->value();
}
