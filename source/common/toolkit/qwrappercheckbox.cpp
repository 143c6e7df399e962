#include "qwrappercheckbox.h"

#include "wcheckbox.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace {
const int kBoxWidth = 20;
const int kRowHeight = 24;

QString checkBoxSheet(int margin)
{
    return QStringLiteral("QCheckBox{margin-left: %1px;}").arg(margin)
        + QStringLiteral(
              "QCheckBox::indicator{width: 14px; height: 14px; margin-top: 6px; margin-bottom: 4px;"
              " margin-right: 5px; border: 0px; border-radius: 2px;"
              " image: url(:/Widget/checkbox_unchecked);}"
              "QCheckBox::indicator:unchecked:hover, QCheckBox::indicator:unchecked:pressed"
              "{image: url(:/Widget/checkbox_unchecked_hover);}"
              "QCheckBox::indicator:unchecked:disabled{image: url(:/Widget/checkbox_unchecked_disabled);}"
              "QCheckBox::indicator:checked{image: url(:/Widget/checkbox_checked);}"
              "QCheckBox::indicator:checked:hover, QCheckBox::indicator:checked:pressed"
              "{image: url(:/Widget/checkbox_checked_hover);}"
              "QCheckBox::indicator:checked:disabled{image: url(:/Widget/checkbox_checked_disabled);}"
              // After the hover rules: a focused box keeps its focus look under the pointer.
              "QCheckBox::indicator:unchecked:focus{image: url(:/Widget/checkbox_unchecked_focus);}"
              "QCheckBox::indicator:checked:focus{image: url(:/Widget/checkbox_checked_focus);}");
}

QString textSheet(const QColor& text, const QColor& background, bool alignLeft)
{
    return QStringLiteral("QPushButton{color: %1; background: %2; text-align: %3;"
                          " padding-left: 0px; padding-top: 4px; border: 0px;}"
                          "QPushButton:disabled{color: #9DA1A6;}")
        .arg(text.name(), background.name(),
             alignLeft ? QStringLiteral("left") : QStringLiteral("right"));
}
}

QWrapperCheckBox::QWrapperCheckBox(const QString& text, bool alignLeft, const QColor& textColor,
                                   const QColor& background, int margin, QWidget* parent)
    : QWidget(parent)
    , m_pCheckBox(new WCheckBox(this))
    , m_pTextButton(new QPushButton(text, this))
{
    setStyleSheet(QStringLiteral("QWidget{outline: none;}"));

    m_pCheckBox->setFixedSize(kBoxWidth, kRowHeight);
    m_pCheckBox->setStyleSheet(checkBoxSheet(margin));

    m_pTextButton->setFixedHeight(kRowHeight);
    m_pTextButton->setFocusProxy(m_pCheckBox);
    m_pTextButton->setStyleSheet(textSheet(textColor, background, alignLeft));

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_pCheckBox, 0, Qt::AlignVCenter);
    layout->addWidget(m_pTextButton, 1, Qt::AlignVCenter);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);

    connect(m_pCheckBox, &QCheckBox::clicked, this, &QWrapperCheckBox::clicked);
    connect(m_pTextButton, &QPushButton::clicked, this, &QWrapperCheckBox::OnButtonClicked);
}

QWrapperCheckBox::~QWrapperCheckBox() = default;

void QWrapperCheckBox::SetChecked(bool checked)
{
    m_pCheckBox->setChecked(checked);
}

bool QWrapperCheckBox::IsChecked() const
{
    return m_pCheckBox->isChecked();
}

void QWrapperCheckBox::SetText(const QString& text)
{
    m_pTextButton->setText(text);
}

void QWrapperCheckBox::OnButtonClicked()
{
    m_pCheckBox->setChecked(!m_pCheckBox->isChecked());
    emit clicked();
}
