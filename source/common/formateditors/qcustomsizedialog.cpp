#include "formateditors/qcustomsizedialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMutexLocker>
#include <QVBoxLayout>

#include "device/lumivandrexpresenter.h"
#include "device/reportaccess.h"
#include "formateditors/dialogparts.h"
#include "toolkit/wpushbutton.h"

namespace {
const QColor kValueColour(236, 236, 236);
constexpr int kMinSide = 64;
constexpr int kWidthStep = 16;
}

QCustomSizeDialog::QCustomSizeDialog(QVector<tagIMAGE_SIZE_SET> list, QWidget* parent)
    : QCustomDialog(parent, true, false)
    , m_list(std::move(list))
{
    setFixedSize(420, 280);
    SetMainWindow(CreateMainWnd(), tr("Custom Resolution"));
}

bool QCustomSizeDialog::IsImageSizeExist(int width, int height) const
{
    for (const tagIMAGE_SIZE_SET& e : m_list) {
        if (e.cx == width && e.cy == height)
            return true;
    }
    return false;
}

void QCustomSizeDialog::GetImageSize(int& width, int& height) const
{
    width = m_pWidthEdit->text().toInt();
    height = m_pHeightEdit->text().toInt();
}

QWidget* QCustomSizeDialog::CreateMainWnd()
{
    {
        QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
        if (LumivandrexDevice* device = g_presenter.GetCurrentDevice()) {
            _KVCAP_DEVICE_CAPS caps;
            ReadReport(device, caps);   // a failed read gives 0 x 0: no size passes
            m_nMaxWidth = caps.maxCaptureWidth;
            m_nMaxHeight = caps.maxCaptureHeight;
        }
    }
    QWidget* body = new QWidget(this);
    m_pPrompt = MakeDialogLabel(tr("The width of the Image is in 64 ~ %1 and in multiples \nof %2. The height is in 64 ~ %3 "
                                   "and in multiples of 2.")
                                    .arg(m_nMaxWidth)
                                    .arg(kWidthStep)
                                    .arg(m_nMaxHeight),
                                kValueColour, body);
    m_pPrompt->setMinimumHeight(0);
    m_pPrompt->setMaximumHeight(QWIDGETSIZE_MAX);
    m_pPrompt->setWordWrap(true);
    m_pError = MakeDialogErrorLabel(body);

    QGridLayout* grid = nullptr;
    QHBoxLayout* gridRow = MakeDialogGrid(&grid);
    const QString names[2] = {tr("Image width"), tr("Image height")};
    const int values[2] = {m_nMaxWidth, m_nMaxHeight};
    QLineEdit* edits[2];
    for (int row = 0; row < 2; ++row) {
        edits[row] = MakeDialogLineEdit(QStringLiteral("^[1-9][0-9]{0,3}"), body);
        edits[row]->setFixedSize(152, 24);
        edits[row]->setText(QString::number(values[row]));
        AddDialogField(grid, row, names[row], edits[row], 1, body)->setMinimumWidth(76);
        connect(edits[row], &QLineEdit::textChanged, this, &QCustomSizeDialog::OnTextChanged);
        connect(edits[row], &QLineEdit::returnPressed, this, &QCustomSizeDialog::OnOkBtnClicked);
    }
    m_pWidthEdit = edits[0];
    m_pHeightEdit = edits[1];

    QVBoxLayout* column = new QVBoxLayout(body);
    column->setContentsMargins(12, 12, 12, 0);
    column->setSpacing(10);
    column->addWidget(m_pPrompt);
    column->addSpacing(10);
    column->addLayout(gridRow);
    column->addWidget(m_pError);
    column->addStretch(1);
    column->addLayout(MakeDialogButtons(tr("OK"), tr("Cancel"), &m_pOk, &m_pCancel, body));
    connect(m_pOk, &QPushButton::clicked, this, &QCustomSizeDialog::OnOkBtnClicked);
    connect(m_pCancel, &QPushButton::clicked, this, &QCustomSizeDialog::OnCancelBtnClicked);
    return body;
}

void QCustomSizeDialog::OnTextChanged(QString)
{
    m_pError->clear();
}

void QCustomSizeDialog::OnOkBtnClicked()
{
    int w = 0, h = 0;
    GetImageSize(w, h);
    if (w % kWidthStep != 0 || w < kMinSide || w > m_nMaxWidth || h % 2 != 0 || h < kMinSide || h > m_nMaxHeight)
        m_pError->setText(tr("Please enter a valid number."));
    else if (IsImageSizeExist(w, h))
        m_pError->setText(tr("The resolution you entered already exists."));
    else
        accept();
}

void QCustomSizeDialog::OnCancelBtnClicked()
{
    reject();
}

void QCustomSizeDialog::OnHandleUI()
{
    close();
}
