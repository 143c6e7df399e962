#include "qcellwidget.h"

#include <QColor>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace {
const int kCellHeight = 32;
const int kLabelHeight = 30;
const int kButtonSize = 16;
const int kSideSpace = 10;
const char* const kSeparatorColor = "#2A2A2A";
const int kSeparatorWidth = 2;

QString labelSheet()
{
    return QStringLiteral("QLabel{\t\tcolor: ") + QColor("#A0A0A0").name()
        + QStringLiteral(";\t\tbackground: transparent;\t\tborder: 0px;\t\tborder-radius: 0px;\t\t}");
}

const char* const kToggleSheet =
    "QPushButton{\t\t\t\tborder: none;\t\t\t\tborder-image: url(:/Widget/default_off);\t\t\t}"
    "QPushButton::checked{\t\t\t\tborder-image: url(:/Widget/default_on);\t\t\t}"
    "QPushButton::menu-indicator{\t\t\t\timage:None;\t\t\t}";

const char* const kRemoveSheet =
    "QPushButton{\t\t\t\tborder: none;\t\t\t\tborder-image: url(:/Widget/common_off);\t\t\t}"
    "QPushButton::disabled{\t\t\t\tborder-image: url(:/Widget/common_on);\t\t\t}"
    "QPushButton::menu-indicator{\t\t\t\timage:None;\t\t\t}";
}

QCellWidget::QCellWidget(bool kind, bool lastRow, QWidget* parent)
    : QWidget(parent)
    , m_pLabel(new QLabel(this))
    , m_pButton(new QPushButton(this))
    , m_bKind(kind)
    , m_bLastRow(lastRow)
{
    setFixedHeight(kCellHeight);
    setStyleSheet(QStringLiteral("QWidget{background: transparent}"));

    m_pLabel->setFixedHeight(kLabelHeight);
    m_pLabel->setTextFormat(Qt::PlainText);   // list entries may carry names from devices
    m_pLabel->setStyleSheet(labelSheet());

    m_pButton->setFocusPolicy(Qt::NoFocus);
    m_pButton->setFixedSize(kButtonSize, kButtonSize);
    if (m_bKind) {
        m_pButton->setStyleSheet(QString::fromLatin1(kToggleSheet));
        m_pButton->setCheckable(true);
        m_pButton->setChecked(false);
        connect(m_pButton, &QPushButton::clicked, this, &QCellWidget::toggled);
    } else {
        m_pButton->setStyleSheet(QString::fromLatin1(kRemoveSheet));
        connect(m_pButton, &QPushButton::clicked, this, &QCellWidget::removed);
    }

    auto* layout = new QHBoxLayout(this);
    layout->addSpacing(kSideSpace);
    layout->addWidget(m_pLabel, 1, Qt::AlignLeft);
    layout->addWidget(m_pButton, 0);
    layout->addSpacing(kSideSpace);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);
}

void QCellWidget::InitCellWidget(const QString& text, bool checked, bool enabled)
{
    m_pLabel->setText(text);
    m_pButton->show();
    if (m_bKind)
        m_pButton->setChecked(checked);
    else
        m_pButton->setEnabled(enabled);
    m_bValid = true;
    update();
}

void QCellWidget::ReSetCellWidget()
{
    m_pLabel->clear();
    m_pButton->hide();
    if (m_bKind)
        m_pButton->setChecked(false);
    else
        m_pButton->setEnabled(false);
    m_bValid = false;
    update();
}

void QCellWidget::SetCellBtnChecked(bool checked)
{
    // isHidden(), not isVisible(): the cell may sit in a table that is not shown yet.
    if (!m_pButton->isHidden())
        m_pButton->setChecked(checked);
}

void QCellWidget::SetLastOne(bool last)
{
    m_bLastRow = last;
    update();
}

bool QCellWidget::IsButtonEnabled() const
{
    return m_pButton->isEnabled();
}

QString QCellWidget::GetText() const
{
    return m_pLabel->text();
}

void QCellWidget::paintEvent(QPaintEvent*)
{
    // A separator under every cell, the last one included: the list's frame
    // does not draw one.
    QPainter painter(this);
    QPen pen{QColor(kSeparatorColor)};
    pen.setWidth(kSeparatorWidth);
    painter.setPen(pen);
    painter.drawLine(0, height() - 1, width() - 1, height() - 1);
}
