#include "update/wfirmwareupgradedlg.h"

#include <QCloseEvent>
#include <QDebug>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QStackedLayout>
#include <QVBoxLayout>

#include "device/lumivandrexpresenter.h"
#include "toolkit/stylesheetbuilder.h"
#include "toolkit/wpushbutton.h"
#include "update/updatehelp.h"
#include "update/upgradecolours.h"
#include "update/wprogressbar.h"
#include "update/wprogresscir.h"

namespace {

const char* const kPhaseCaptions[3] = {QT_TRANSLATE_NOOP("WFirmwareUpgradeDlg", "Erasing"),
                                       QT_TRANSLATE_NOOP("WFirmwareUpgradeDlg", "Writing"),
                                       QT_TRANSLATE_NOOP("WFirmwareUpgradeDlg", "Verifying")};

} // namespace

WFirmwareUpgradeDlg::WFirmwareUpgradeDlg(const QString& currentVersion, const QString& newVersion, QWidget* parent)
    : QCustomDialog(parent, true, true)
{
    setFixedSize(420, 500);
    QWidget* body = new QWidget(this);
    QVBoxLayout* layout = new QVBoxLayout(body);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(0);

    layout->addWidget(createWarningStrip());
    layout->addSpacing(16);
    layout->addLayout(createVersionGrid(currentVersion, newVersion));
    layout->addSpacing(44);

    QWidget* images = new QWidget(body);
    images->setFixedSize(88, 88);
    m_pImageStack = new QStackedLayout(images);
    m_pProgressCir = new WProgressCir(images);
    m_pProgressCir->setFixedSize(88, 88);
    m_pFailedImage = new QLabel(images);
    m_pFailedImage->setFixedSize(88, 88);
    m_pFailedImage->setStyleSheet(QStringLiteral("border-image: url(:/Widget/update_failed)"));
    m_pSuccessImage = new QLabel(images);
    m_pSuccessImage->setFixedSize(88, 88);
    m_pSuccessImage->setStyleSheet(QStringLiteral("border-image: url(:/Widget/update_success)"));
    m_pImageStack->addWidget(m_pProgressCir);
    m_pImageStack->addWidget(m_pFailedImage);
    m_pImageStack->addWidget(m_pSuccessImage);
    layout->addWidget(images, 0, Qt::AlignHCenter);
    layout->addSpacing(24);

    QWidget* pages = new QWidget(body);
    m_pPageStack = new QStackedLayout(pages);
    m_pPageStack->setContentsMargins(0, 0, 0, 0);

    // 0: confirmation.
    QWidget* confirm = new QWidget(pages);
    QVBoxLayout* confirmLayout = new QVBoxLayout(confirm);
    confirmLayout->setContentsMargins(0, 28, 0, 0);
    m_pBtnUpdate = createButton(tr("Update"), QStringLiteral("btn_upgrade"));
    m_pBtnUpdate->setDefault(true);
    confirmLayout->addWidget(m_pBtnUpdate, 0, Qt::AlignHCenter);
    confirmLayout->addStretch();
    m_pPageStack->addWidget(confirm);

    // 1: progress.
    QWidget* progress = new QWidget(pages);
    QVBoxLayout* progressLayout = new QVBoxLayout(progress);
    progressLayout->setContentsMargins(0, 0, 0, 0);
    QHBoxLayout* bars = new QHBoxLayout;
    bars->setSpacing(12);
    bars->addStretch();
    for (int i = 0; i < 3; ++i) {
        m_pBars[i] = new WProgressBar(progress);
        m_pBars[i]->SetText(tr(kPhaseCaptions[i]), upgradecolours::kCaption);
        bars->addWidget(m_pBars[i]);
    }
    bars->addStretch();
    progressLayout->addLayout(bars);
    progressLayout->addStretch();
    m_pPageStack->addWidget(progress);

    // 2 to 5: the endings.
    m_pBtnOK = createButton(tr("OK"), QStringLiteral("btn_dialog"));
    m_pBtnRetry = createButton(tr("Retry"), QStringLiteral("btn_dialog"));
    m_pBtnHelp = createButton(tr("Help"), QStringLiteral("btn_dialog"));
    m_pBtnDeviceHelp = createButton(tr("Help"), QStringLiteral("btn_dialog"));
    m_pPageStack->addWidget(createTextPage(tr("Update succeed. Please unplug and replug the device."), {m_pBtnOK}));
    QWidget* failed = createTextPage(tr("Update failed"), {m_pBtnRetry, m_pBtnHelp});
    m_pFailedText = failed->findChild<QLabel*>();
    m_pPageStack->addWidget(failed);
    m_pPageStack->addWidget(createTextPage(tr("Can't find this firmware file. Update failed"), {}));
    m_pPageStack->addWidget(createTextPage(tr("Can't detect the device. Update failed"), {m_pBtnDeviceHelp}));
    layout->addWidget(pages);
    layout->addStretch();

    connect(m_pBtnUpdate, &QPushButton::clicked, this, &WFirmwareUpgradeDlg::sigUpdate);
    connect(m_pBtnRetry, &QPushButton::clicked, this, &WFirmwareUpgradeDlg::sigRetry);
    connect(m_pBtnOK, &QPushButton::clicked, this, &WFirmwareUpgradeDlg::OnOKClicked);
    connect(m_pBtnHelp, &QPushButton::clicked, this, &WFirmwareUpgradeDlg::OnHelpClicked);
    connect(m_pBtnDeviceHelp, &QPushButton::clicked, this, &WFirmwareUpgradeDlg::OnHelpClicked);

    SetMainWindow(body, tr("Update"));
    SetCurrentStack(PageConfirm);
}

WFirmwareUpgradeDlg::~WFirmwareUpgradeDlg() = default;

QWidget* WFirmwareUpgradeDlg::createWarningStrip()
{
    QWidget* strip = new QWidget(this);
    strip->setAttribute(Qt::WA_StyledBackground);
    strip->setStyleSheet(QStringLiteral("QWidget{\t\tborder: 0px;\t\tborder-radius: 0px;\t\tbackground: #303030;\t\t}"));
    QHBoxLayout* row = new QHBoxLayout(strip);
    row->setSpacing(10);
    row->setContentsMargins(12, 8, 12, 8);
    QLabel* icon = new QLabel(strip);
    icon->setPixmap(QPixmap(QStringLiteral(":/Widget/msg_warning")));
    icon->setFixedSize(icon->pixmap(Qt::ReturnByValue).size());
    QLabel* text = new QLabel(tr("Please ensure that all other applications have been closed. DO NOT unplug the "
                                 "Lumivandrex device. DO NOT shut down or reboot the computer during the update process."),
                              strip);
    text->setWordWrap(true);
    setLabelStyle(text, upgradecolours::kCaption, upgradecolours::kWarningStrip, upgradecolours::kWarningStrip);
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addWidget(text, 1);
    return strip;
}

QLayout* WFirmwareUpgradeDlg::createVersionGrid(const QString& currentVersion, const QString& newVersion)
{
    QGridLayout* grid = new QGridLayout;
    grid->setSpacing(10);
    grid->setContentsMargins(0, 0, 0, 0);
    // The new version comes from the update service: text, never markup.
    auto label = [this](const QString& text, const QColor& colour, Qt::Alignment align) {
        QLabel* l = new QLabel(text, this);
        l->setTextFormat(Qt::PlainText);
        l->setAlignment(align | Qt::AlignVCenter);
        setLabelStyle(l, colour, upgradecolours::kPanel, upgradecolours::kPanel);
        return l;
    };
    grid->addWidget(label(tr("Current version:"), upgradecolours::kCaption, Qt::AlignLeft), 0, 0);
    m_pCurrentVersion = label(currentVersion, upgradecolours::kValue, Qt::AlignRight);
    grid->addWidget(m_pCurrentVersion, 0, 1);
    grid->addWidget(label(tr("New version:"), upgradecolours::kCaption, Qt::AlignLeft), 1, 0);
    m_pNewVersion = label(newVersion, upgradecolours::kAccent, Qt::AlignRight);
    grid->addWidget(m_pNewVersion, 1, 1);
    return grid;
}

QWidget* WFirmwareUpgradeDlg::createTextPage(const QString& text, const QList<WPushButton*>& buttons)
{
    QWidget* page = new QWidget(this);
    QVBoxLayout* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(20);
    QLabel* label = new QLabel(text, page);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    setLabelStyle(label, upgradecolours::kValue, upgradecolours::kPanel, upgradecolours::kPanel);
    layout->addWidget(label);
    if (!buttons.isEmpty()) {
        QHBoxLayout* row = new QHBoxLayout;
        row->setSpacing(20);
        row->addStretch();
        for (WPushButton* button : buttons) {
            button->setParent(page);
            row->addWidget(button);
        }
        row->addStretch();
        layout->addLayout(row);
    }
    layout->addStretch();
    return page;
}

WPushButton* WFirmwareUpgradeDlg::createButton(const QString& text, const QString& objectName)
{
    WPushButton* button = new WPushButton(text, this);
    button->setObjectName(objectName);
    button->setFixedSize(124, 32);
    return button;
}

WPushButton* WFirmwareUpgradeDlg::GetPageButton(int page) const
{
    switch (page) {
    case PageConfirm: return m_pBtnUpdate;
    case PageSuccess: return m_pBtnOK;
    case PageFailed: return m_pBtnRetry;
    case PageDeviceLost: return m_pBtnDeviceHelp;
    default: return nullptr;
    }
}

WProgressBar* WFirmwareUpgradeDlg::GetProgressBar(int index) const
{
    return (index >= 1 && index <= 3) ? m_pBars[index - 1] : nullptr;
}

void WFirmwareUpgradeDlg::SetCurrentStack(int page)
{
    if (page < 0 || page >= PageCount)
        return;
    for (WPushButton* button : {m_pBtnUpdate, m_pBtnOK, m_pBtnRetry, m_pBtnHelp, m_pBtnDeviceHelp})
        button->setDefault(false);
    m_pPageStack->setCurrentIndex(page);
    if (page <= PageProgress)
        m_pImageStack->setCurrentWidget(m_pProgressCir);
    else if (page == PageSuccess)
        m_pImageStack->setCurrentWidget(m_pSuccessImage);
    else
        m_pImageStack->setCurrentWidget(m_pFailedImage);
    if (WPushButton* button = GetPageButton(page))
        button->setDefault(true);
    if (page == PageProgress) {
        m_pProgressCir->SetValue(0);
        for (int i = 0; i < 3; ++i) {
            m_pBars[i]->SetText(tr(kPhaseCaptions[i]), upgradecolours::kCaption);
            m_pBars[i]->SetValue(0);
        }
    }
}

int WFirmwareUpgradeDlg::GetCurrentStack() const
{
    return m_pPageStack->currentIndex();
}

void WFirmwareUpgradeDlg::SetText(int index, const QString& text, const QColor& colour)
{
    if (index == 0)
        m_pProgressCir->SetText(text);
    else if (WProgressBar* bar = GetProgressBar(index))
        bar->SetText(text, colour);
}

void WFirmwareUpgradeDlg::SetValue(int index, int value)
{
    if (index == 0)
        m_pProgressCir->SetValue(value);
    else if (WProgressBar* bar = GetProgressBar(index))
        bar->SetValue(value);
}

void WFirmwareUpgradeDlg::SetImgVisible(bool visible)
{
    m_pProgressCir->SetImgVisible(visible);
}

void WFirmwareUpgradeDlg::SetFailureDetail(const QString& detail)
{
    m_pFailedText->setText(detail.isEmpty() ? tr("Update failed") : tr("Update failed") + QLatin1Char('\n') + detail);
}

QString WFirmwareUpgradeDlg::GetFailureText() const
{
    return m_pFailedText->text();
}

void WFirmwareUpgradeDlg::OnHandleUI()
{
    emit sigDevLost();
}

void WFirmwareUpgradeDlg::OnOKClicked()
{
    accept();
}

void WFirmwareUpgradeDlg::OnHelpClicked()
{
    OpenUpdateHelpPage();
}

void WFirmwareUpgradeDlg::keyPressEvent(QKeyEvent* event)
{
    const int page = GetCurrentStack();
    if (page == PageProgress)
        return;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (WPushButton* button = GetPageButton(page))
            button->click();
        return;
    }
    if (event->key() == Qt::Key_Escape)
        reject();
}

void WFirmwareUpgradeDlg::closeEvent(QCloseEvent* event)
{
    if (g_presenter.IsFirmwareUpgrading()) {
        qDebug() << "Firmware is upgrading...";
        event->ignore();
        return;
    }
    QCustomDialog::closeEvent(event);
}
