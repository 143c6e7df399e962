#include "formateditors/dialogparts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "toolkit/stylesheetbuilder.h"
#include "toolkit/wpushbutton.h"

QLabel* MakeDialogLabel(const QString& text, const QColor& colour, QWidget* parent)
{
    QLabel* label = new QLabel(text, parent);
    label->setFixedHeight(24);
    setLabelStyle(label, colour, QColor("#393939"), QColor(39, 39, 39));
    return label;
}

QLabel* MakeDialogErrorLabel(QWidget* parent)
{
    return MakeDialogLabel(QString(), QColor(221, 55, 55), parent);
}

QLineEdit* MakeDialogLineEdit(const QString& pattern, QWidget* parent)
{
    QLineEdit* edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("lineedit_dialog"));
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), edit));
    return edit;
}

QHBoxLayout* MakeDialogButtons(const QString& okText, const QString& cancelText, WPushButton** ok,
                               WPushButton** cancel, QWidget* parent)
{
    *ok = new WPushButton(okText, parent);
    *cancel = new WPushButton(cancelText, parent);
    QHBoxLayout* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->addStretch(1);
    for (WPushButton* button : {*ok, *cancel}) {
        button->setObjectName(QStringLiteral("btn_dialog"));
        button->setFixedSize(124, 32);
        row->addWidget(button);
        row->addStretch(1);
    }
    return row;
}
