#include "formateditors/qcustomfpsdialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <cmath>

#include "formateditors/dialogparts.h"
#include "toolkit/wpushbutton.h"

namespace {
const QColor kValueColour(236, 236, 236);

QString DurationText(double fps)
{
    return QStringLiteral("%1  (x 100ns)").arg(qulonglong(1e7 / fps));
}
}

QCustomFpsDialog::QCustomFpsDialog(QVector<tagFRAME_RATE_SET> list, QWidget* parent)
    : QCustomDialog(parent, true, false)
    , m_list(std::move(list))
{
    setFixedSize(420, 280);
    SetMainWindow(CreateMainWnd(), tr("Custom Frame Rate"));
}

bool QCustomFpsDialog::IsFPSExist(double fps) const
{
    for (const tagFRAME_RATE_SET& e : m_list) {
        if (e.dwFrameDuration && std::fabs(fps - 1e7 / e.dwFrameDuration) < 0.005)
            return true;
    }
    return false;
}

unsigned int QCustomFpsDialog::GetFrameDuration() const
{
    const double fps = m_pLineEdit->text().toDouble();
    return fps > 0 ? unsigned(std::floor(1e7 / fps + 0.5)) : 0;
}

double QCustomFpsDialog::FirstProposal() const
{
    for (int step : {5, 1}) {
        for (int fps = int(kMinFps); fps <= int(kMaxFps); fps += step) {
            if (!IsFPSExist(fps))
                return fps;
        }
    }
    return kMinFps;   // every whole rate is taken; OK refuses it anyway
}

QWidget* QCustomFpsDialog::CreateMainWnd()
{
    QWidget* body = new QWidget(this);
    const double proposal = FirstProposal();

    QLabel* prompt = MakeDialogLabel(
        tr("Please enter a number between %1 FPS and %2 FPS and \nround up to two decimal places.").arg(kMinFps).arg(kMaxFps),
        kValueColour, body);
    prompt->setMinimumHeight(48);
    prompt->setMaximumHeight(QWIDGETSIZE_MAX);
    prompt->setWordWrap(true);   // wide fonts must not cut the prompt off

    m_pLineEdit = MakeDialogLineEdit(QStringLiteral("(^[1-9][0-9]{0,}\\.[0-9]{1,2}$)|(^[1-9][0-9]{0,})"), body);
    m_pLineEdit->setFixedSize(80, 24);
    m_pLineEdit->setMaxLength(8);
    m_pLineEdit->setText(QString::number(proposal, 'f', 2));

    m_pDuration = MakeDialogLabel(DurationText(proposal), kValueColour, body);
    m_pDuration->setMinimumWidth(qMax(120, m_pDuration->fontMetrics().horizontalAdvance(DurationText(kMinFps))));
    m_pError = MakeDialogErrorLabel(body);

    QGridLayout* grid = nullptr;
    QHBoxLayout* gridRow = MakeDialogGrid(&grid);
    AddDialogField(grid, 0, tr("Frame rate"), m_pLineEdit, 1, body);
    QLabel* unit = MakeDialogLabel(QStringLiteral("FPS"), kValueColour, body);
    unit->setMinimumWidth(40);
    grid->addWidget(unit, 0, 3);
    AddDialogField(grid, 1, tr("Frame duration"), m_pDuration, 2, body);

    QVBoxLayout* column = new QVBoxLayout(body);
    column->setContentsMargins(12, 12, 12, 0);
    column->setSpacing(8);
    for (QLabel* line : {prompt, m_pError}) {
        QHBoxLayout* row = new QHBoxLayout;
        row->setContentsMargins(20, 0, 20, 0);
        row->addWidget(line);
        column->addLayout(row);
        if (line == prompt)
            column->addLayout(gridRow);
    }
    column->addStretch(1);
    column->addLayout(MakeDialogButtons(tr("OK"), tr("Cancel"), &m_pOk, &m_pCancel, body));

    connect(m_pLineEdit, &QLineEdit::textChanged, this, &QCustomFpsDialog::OnTextChanged);
    connect(m_pLineEdit, &QLineEdit::returnPressed, this, &QCustomFpsDialog::OnOkBtnClicked);
    connect(m_pOk, &QPushButton::clicked, this, &QCustomFpsDialog::OnOkBtnClicked);
    connect(m_pCancel, &QPushButton::clicked, this, &QCustomFpsDialog::OnCancelBtnClicked);
    return body;
}

QString QCustomFpsDialog::ErrorFor(double fps) const
{
    if (fps < kMinFps || fps > kMaxFps)
        return tr("Please enter a valid number.");
    return IsFPSExist(fps) ? tr("The frame rate you entered already exists.") : QString();
}

void QCustomFpsDialog::OnTextChanged(QString text)
{
    const double fps = text.toDouble();
    if (fps == 0) {
        m_pDuration->clear();
        m_pError->clear();
        return;
    }
    m_pDuration->setText(DurationText(fps));
    m_pError->setText(ErrorFor(fps));
}

void QCustomFpsDialog::OnOkBtnClicked()
{
    const QString error = ErrorFor(m_pLineEdit->text().toDouble());
    m_pError->setText(error);
    if (error.isEmpty())
        accept();
}

void QCustomFpsDialog::OnCancelBtnClicked()
{
    reject();
}

void QCustomFpsDialog::OnHandleUI()
{
    close();
}
