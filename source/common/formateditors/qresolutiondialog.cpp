#include "formateditors/qresolutiondialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMutexLocker>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "device/lumivandrexpresenter.h"
#include "device/reportaccess.h"
#include "toolkit/stylesheetbuilder.h"
#include "toolkit/wpushbutton.h"

namespace {

const QColor kText(0xBC, 0xBC, 0xBC);
const QColor kBackground(0x39, 0x39, 0x39);
const QColor kBorder(0x27, 0x27, 0x27);
const QColor kErrorText(0xDD, 0x37, 0x37);

} // namespace

QResolutionDialog::QResolutionDialog(QWidget* parent)
    : QCustomDialog(parent, true, false)
{
    setFixedSize(420, 300);
    CreateMainWnd(false);
}

QResolutionDialog::QResolutionDialog(int width, int height, QWidget* parent)
    : QCustomDialog(parent, true, false), m_nInitWidth(width), m_nInitHeight(height)
{
    setFixedSize(420, 280);
    CreateMainWnd(true);
}

void QResolutionDialog::CreateMainWnd(bool modify)
{
    auto* content = new QWidget(this);
    auto label = [content](const QString& text, const QColor& colour) {
        auto* l = new QLabel(text, content);
        l->setFixedHeight(24);
        setLabelStyle(l, colour, kBackground, kBorder);
        return l;
    };
    QLabel* prompt = label(tr("Please enter a number between 128 and 4096."), kText);

    // One to four digits, no leading zero.
    auto* validator = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("^[1-9][0-9]{0,3}")), this);
    auto* grid = new QGridLayout;
    const QString names[2] = {tr("Width"), tr("Height")};
    const int values[2] = {modify ? m_nInitWidth : 1920, modify ? m_nInitHeight : 1080};
    QLineEdit* edits[2];
    for (int row = 0; row < 2; ++row) {
        QLabel* colon = label(QStringLiteral(" : "), kText);
        colon->setFixedSize(50, 24);
        colon->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        edits[row] = new QLineEdit(QString::number(values[row]), content);
        edits[row]->setObjectName(QStringLiteral("lineedit_dialog"));
        edits[row]->setFixedHeight(24);
        edits[row]->setValidator(validator);
        grid->addWidget(label(names[row], kText), row, 0);
        grid->addWidget(colon, row, 1);
        grid->addWidget(edits[row], row, 2);
        connect(edits[row], &QLineEdit::textChanged, this, &QResolutionDialog::OnTextChanged);
        connect(edits[row], &QLineEdit::returnPressed, this, &QResolutionDialog::OnOkBtnClicked);
    }
    m_pWidthEdit = edits[0];
    m_pHeightEdit = edits[1];
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(10);
    grid->setContentsMargins(0, 0, 80, 0);

    m_pErrorLabel = label(QString(), kErrorText);

    m_pOkBtn = new WPushButton(tr("OK"), content);
    m_pCancelBtn = new WPushButton(tr("Cancel"), content);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (WPushButton* button : {m_pOkBtn, m_pCancelBtn}) {
        button->setObjectName(QStringLiteral("btn_dialog"));
        button->setFixedSize(124, 32);
        buttons->addWidget(button);
    }
    buttons->addSpacing(50);
    buttons->setSpacing(38);
    m_pOkBtn->setDefault(true);
    connect(m_pOkBtn, &QPushButton::clicked, this, &QResolutionDialog::OnOkBtnClicked);
    connect(m_pCancelBtn, &QPushButton::clicked, this, &QResolutionDialog::OnCancelBtnClicked);
    connect(this, &QCustomDialog::inputSourceChanged, this, &QResolutionDialog::OnCloseDialog);

    auto* layout = new QVBoxLayout(content);
    layout->addWidget(prompt);
    layout->addSpacing(10);
    layout->addLayout(grid);
    layout->addWidget(m_pErrorLabel);
    layout->addStretch(1);
    layout->addLayout(buttons);
    layout->setSpacing(10);
    layout->setContentsMargins(10, 20, 10, 35);
    content->setFixedSize(width(), height() - 45);
    SetMainWindow(content, QString());
}

bool QResolutionDialog::IsResolutionExist(int width, int height)
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    LumivandrexDevice* dev = g_presenter.GetCurrentDevice();
    if (!dev)
        return true;
    _KVCAP_CUSTOM_RESOLUTION_LIST list;
    ReadReport(dev, list);   // unread: empty; the change that follows reads again and writes nothing
    for (int i = 0; i < KvListCount(list); ++i) {
        if (list.entries[i].width == width && list.entries[i].height == height)
            return true;
    }
    return false;
}

void QResolutionDialog::GetResolution(int& width, int& height) const
{
    width = m_pWidthEdit->text().toInt();
    height = m_pHeightEdit->text().toInt();
}

void QResolutionDialog::OnOkBtnClicked()
{
    int w = 0;
    int h = 0;
    GetResolution(w, h);
    if (w < kMinimum || w > kMaximum || h < kMinimum || h > kMaximum)
        m_pErrorLabel->setText(tr("Please enter a valid number."));
    else if (!IsResolutionExist(w, h) || (w == m_nInitWidth && h == m_nInitHeight))
        accept();
    else
        m_pErrorLabel->setText(tr("The resolution you entered already exists."));
}

void QResolutionDialog::OnCancelBtnClicked()
{
    reject();
}

void QResolutionDialog::OnTextChanged(QString)
{
    m_pErrorLabel->clear();
}

void QResolutionDialog::OnCloseDialog()
{
    OnHandleUI();
}

void QResolutionDialog::OnHandleUI()
{
    close();
}
