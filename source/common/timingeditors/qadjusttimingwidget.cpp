#include "timingeditors/qadjusttimingwidget.h"

QAdjustTimingWidget::QAdjustTimingWidget(QWidget* parent)
    : QWidget(parent)
{
}

void QAdjustTimingWidget::InitAdjustTimingTab(bool)
{
}
