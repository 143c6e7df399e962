#include "update/appupgradedialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMovie>
#include <QVBoxLayout>

#include "toolkit/wpushbutton.h"
#include "update/buttonclickguard.h"
#include "update/updatehelp.h"

namespace {

WPushButton* DialogButton(QWidget* parent)
{
    WPushButton* button = new WPushButton(parent);
    button->setObjectName(QStringLiteral("btn_dialog"));
    button->setFixedSize(124, 32);
    button->setFont(AppUpgradeDialog::PageFont());
    return button;
}

} // namespace

CheckWindow::CheckWindow(AppUpgradeDialog* parent)
    : QWidget(parent)
{
    m_pIcon = new QLabel(this);
    m_pIcon->setFixedSize(124, 124);
    m_pText = new QLabel(this);
    m_pText->setFixedWidth(300);
    m_pText->setAlignment(Qt::AlignCenter);
    m_pText->setWordWrap(true);
    m_pText->setFont(AppUpgradeDialog::PageFont(2));   // the status line stands a little larger
    m_pText->setStyleSheet(QStringLiteral("QLabel{color: #A0A0A0; background: transparent;}"));
    m_pBtnNext = DialogButton(this);
    m_pBtnHelp = DialogButton(this);
    parent->ClickGuard()->Guard(m_pBtnNext);   // Retry's double click must not press the offer's Upgrade
    parent->ClickGuard()->Guard(m_pBtnHelp);
    connect(m_pBtnNext, &QPushButton::clicked, this, &CheckWindow::onBtnClickedNext);
    connect(m_pBtnHelp, &QPushButton::clicked, this, &CheckWindow::onBtnClickedHelp);

    QVBoxLayout* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addSpacing(60);
    layout->addWidget(m_pIcon, 0, Qt::AlignHCenter);
    layout->addSpacing(20);
    // Centred by stretches, not by an alignment: the column would take the status line's
    // height for the page's width, one line where its own 300 pixels wrap a second.
    QHBoxLayout* statusRow = new QHBoxLayout;
    statusRow->addStretch();
    statusRow->addWidget(m_pText);
    statusRow->addStretch();
    layout->addLayout(statusRow);
    layout->addSpacing(100);
    QHBoxLayout* buttons = new QHBoxLayout;
    buttons->setSpacing(10);   // the page's own spacing is 0: the buttons would touch
    buttons->addStretch();
    buttons->addWidget(m_pBtnNext);
    buttons->addWidget(m_pBtnHelp);
    buttons->addStretch();
    layout->addLayout(buttons);
    layout->addStretch();

    connect(&g_updateManager, &CUpdateManager::statusChangedCheckSoftware, this, &CheckWindow::onStatusChanged);
}

CheckWindow::~CheckWindow()
{
    g_updateManager.StopCheck(CUpdateManager::UPDATE_SOFTWARE);
}

QString CheckWindow::getText() const
{
    return m_pText->text();
}

void CheckWindow::setState(int state)
{
    m_nState = state;
    auto showIcon = [this](const QString& image) {
        if (m_pMovie) {
            m_pMovie->stop();
            delete m_pMovie;
            m_pMovie = nullptr;
        }
        m_pIcon->setPixmap(QPixmap(image));
    };
    switch (state) {
    case StateChecking:
        if (!m_pMovie) {
            m_pMovie = new QMovie(QStringLiteral(":/app_upgrade/checking"), "gif", this);
            m_pIcon->setMovie(m_pMovie);
            m_pMovie->start();
        }
        m_pText->setText(tr("Checking for updates..."));
        m_pBtnNext->setText(tr("Cancel"));
        m_pBtnNext->hide();
        m_pBtnHelp->hide();
        break;
    case StateConnectFailed:
        showIcon(QStringLiteral(":/app_upgrade/check_failed"));
        m_pText->setText(tr("Connect failed. Please try again."));
        m_pBtnNext->setText(tr("Retry"));
        m_pBtnNext->show();
        m_pBtnHelp->setText(tr("Help"));
        m_pBtnHelp->show();
        break;
    case StateUpToDate:
        showIcon(QStringLiteral(":/app_upgrade/check_latest"));
        m_pText->setText(tr("Your software is up to date.\nCurrent version: %1")
                             .arg(QString::fromLatin1(CUpdateManager::kProgramVersion)));
        m_pBtnNext->setText(tr("OK"));
        m_pBtnNext->show();
        m_pBtnHelp->hide();
        break;
    default:
        break;
    }
}

void CheckWindow::onStatusChanged(int nCheckStatus)
{
    switch (nCheckStatus) {
    case 3:
        if (g_updateManager.GetUpdateInfoSoftware(m_package))
            emit checkNeedUpdate(&m_package);
        else
            setState(StateConnectFailed);   // an offer we cannot read is no offer
        break;
    case 2:
        if (m_nState != StateUpToDate)
            setState(StateUpToDate);
        break;
    case 0:
        setState(StateConnectFailed);
        break;
    default:
        break;
    }
}

void CheckWindow::onBtnClickedNext()
{
    switch (m_nState) {
    case StateUpToDate:
        emit checkNeedUpdate(nullptr);
        break;
    case StateConnectFailed:
        setState(StateChecking);
        g_updateManager.StartCheckSoftware();
        break;
    case StateChecking:
        g_updateManager.StopCheck(CUpdateManager::UPDATE_SOFTWARE);
        setState(StateConnectFailed);
        break;
    default:
        break;
    }
}

void CheckWindow::onBtnClickedHelp()
{
    OpenUpdateHelpPage();
}
