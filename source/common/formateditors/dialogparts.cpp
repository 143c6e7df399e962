#include "formateditors/dialogparts.h"

#include <QGridLayout>
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

QHBoxLayout* MakeDialogGrid(QGridLayout** grid)
{
    *grid = new QGridLayout;
    (*grid)->setContentsMargins(20, 0, 20, 0);
    (*grid)->setHorizontalSpacing(8);
    (*grid)->setVerticalSpacing(8);
    (*grid)->setColumnStretch(2, 1);
    QHBoxLayout* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->addLayout(*grid);
    row->addStretch(1);
    return row;
}

QLabel* AddDialogField(QGridLayout* grid, int row, const QString& name, QWidget* value, int span, QWidget* parent)
{
    const QColor nameColour(188, 188, 188);
    QLabel* label = MakeDialogLabel(name, nameColour, parent);
    QLabel* colon = MakeDialogLabel(QStringLiteral(" : "), nameColour, parent);
    colon->setFixedWidth(40);
    grid->addWidget(label, row, 0);
    grid->addWidget(colon, row, 1);
    grid->addWidget(value, row, 2, 1, span);
    return label;
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
