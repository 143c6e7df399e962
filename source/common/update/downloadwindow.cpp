#include "update/appupgradedialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollBar>
#include <QStackedLayout>
#include <QTextEdit>
#include <QVBoxLayout>

#include "toolkit/stylesheetbuilder.h"
#include "toolkit/wpushbutton.h"
#include "update/buttonclickguard.h"
#include "update/progresscircle.h"
#include "update/updatehelp.h"

namespace {

const QString kLabelSheet = QStringLiteral("QLabel{color: #C0C0C0; background: transparent;}");

// Versions come from the update service: shown as text, never read as markup.
QLabel* PlainLabel(const QString& text, QWidget* parent, const QString& sheet = kLabelSheet)
{
    QLabel* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setStyleSheet(sheet);
    return label;
}

} // namespace

DownloadWindow::DownloadWindow(PackageInfo* package, AppUpgradeDialog* parent)
    : QWidget(parent)
    , m_pDialog(parent)
{
    m_pStack = new QStackedLayout(this);
    m_pStack->setContentsMargins(0, 0, 0, 0);
    m_pStack->setSpacing(0);
    m_pStack->addWidget(createNewVersionPage(*package));
    m_pStack->addWidget(createDownloadingPage());
    m_pStack->addWidget(createFailedPage());
    connect(&g_updateManager, &CUpdateManager::statusChangedDownloadSoftware, this, &DownloadWindow::onStatusChanged);
    m_pStack->setCurrentIndex(0);
}

DownloadWindow::~DownloadWindow()
{
    g_updateManager.StopDownload(CUpdateManager::UPDATE_SOFTWARE);
}

WPushButton* DownloadWindow::createButton(const QString& text, const QString& objectName)
{
    WPushButton* button = new WPushButton(text, this);
    button->setObjectName(objectName);
    button->setFixedSize(122, 32);
    button->setFont(AppUpgradeDialog::PageFont());
    // Cancel comes where Upgrade was, and Retry's place overlaps both.
    m_pDialog->ClickGuard()->Guard(button);
    return button;
}

QWidget* DownloadWindow::createWarningBar()
{
    QWidget* bar = new QWidget(this);
    bar->setAttribute(Qt::WA_StyledBackground);
    bar->setMinimumHeight(50);   // two lines of a large font need more
    bar->setStyleSheet(QStringLiteral("background: #343434;"));
    QHBoxLayout* row = new QHBoxLayout(bar);
    row->setContentsMargins(20, 8, 20, 8);
    row->setSpacing(0);
    QLabel* icon = new QLabel(bar);
    icon->setPixmap(QPixmap(QStringLiteral(":/app_upgrade/warning")));
    row->addWidget(icon, 0, Qt::AlignVCenter);
    row->addSpacing(5);
    // Wraps rather than being cut off in a bold or larger font (the window is fixed at 380).
    QLabel* warning = PlainLabel(tr("DO NOT shut down the computer during update."), bar,
                                 QStringLiteral("QLabel{color: #B0B0B0; background: transparent;}"));
    warning->setWordWrap(true);
    row->addWidget(warning, 1);
    return bar;
}

QWidget* DownloadWindow::finishPage(QWidget* page, QVBoxLayout* layout, const QList<WPushButton*>& buttons)
{
    layout->addStretch();
    QHBoxLayout* row = new QHBoxLayout;
    row->setSpacing(10);   // the page's own spacing is 0: "Retry" and "Help" would touch
    row->addStretch();
    for (WPushButton* button : buttons)
        row->addWidget(button);
    row->addStretch();
    layout->addLayout(row);
    layout->addSpacing(12);
    return page;
}

QWidget* DownloadWindow::createNewVersionPage(const PackageInfo& package)
{
    QWidget* page = new QWidget(this);
    QVBoxLayout* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(createWarningBar());

    QWidget* versions = new QWidget(page);
    versions->setMinimumHeight(68);   // taller where two lines of a large font need it
    QGridLayout* grid = new QGridLayout(versions);
    grid->setContentsMargins(20, 8, 20, 14);
    grid->setSpacing(6);
    grid->addWidget(PlainLabel(tr("Current version:"), versions), 0, 0);
    grid->addWidget(PlainLabel(tr("New version:"), versions), 1, 0);
    QLabel* current = PlainLabel(QString::fromLatin1(CUpdateManager::kProgramVersion), versions);
    QLabel* offered = PlainLabel(PackageText(package.version), versions,
                                 QStringLiteral("QLabel{color: #1B9DFF; background: transparent;}"));
    current->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    offered->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(current, 0, 1);
    grid->addWidget(offered, 1, 1);
    layout->addWidget(versions);

    m_pLog = new QTextEdit(page);
    m_pLog->setReadOnly(true);
    m_pLog->setFixedSize(350, 188);
    m_pLog->setStyleSheet(QStringLiteral("QTextEdit{background: #343434; color: #ECECEC; border: 0px solid #1E1E1E;"
                                         " border-radius: 4px; padding-left: 8px;}"
                                         "QTextEdit:disabled{color: rgb(131, 131, 131);}"));
    setScrollBarStyle(m_pLog->verticalScrollBar());
    m_pLog->setHtml(UpgradeLogHtml(PackageText(package.changeLog)));
    layout->addWidget(m_pLog, 0, Qt::AlignHCenter);

    WPushButton* upgrade = createButton(tr("Upgrade"), QStringLiteral("btn_upgrade"));
    connect(upgrade, &QPushButton::clicked, this, &DownloadWindow::onBtnClickedUpgrade);
    return finishPage(page, layout, {upgrade});
}

QWidget* DownloadWindow::createDownloadingPage()
{
    QWidget* page = new QWidget(this);
    QVBoxLayout* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(createWarningBar());
    layout->addSpacing(68);
    m_pCircle = new ProgressCircle(&m_nAngle, page);
    m_pCircle->setFixedSize(110, 110);
    m_pCircle->SetShowIcon(false);
    layout->addWidget(m_pCircle, 0, Qt::AlignHCenter);
    QLabel* text = PlainLabel(tr("Downloading..."), page);
    text->setAlignment(Qt::AlignCenter);
    layout->addWidget(text);
    WPushButton* cancel = createButton(tr("Cancel"), QStringLiteral("btn_dialog"));
    connect(cancel, &QPushButton::clicked, this, &DownloadWindow::onBtnClickedCancel);
    return finishPage(page, layout, {cancel});
}

QWidget* DownloadWindow::createFailedPage()
{
    QWidget* page = new QWidget(this);
    QVBoxLayout* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addSpacing(118);
    QLabel* icon = new QLabel(page);
    icon->setPixmap(QPixmap(QStringLiteral(":/app_upgrade/download_failed")));
    layout->addWidget(icon, 0, Qt::AlignHCenter);
    QLabel* text = PlainLabel(tr("Download failed. Please try again."), page);
    text->setAlignment(Qt::AlignCenter);
    layout->addWidget(text);
    WPushButton* retry = createButton(tr("Retry"), QStringLiteral("btn_dialog"));
    WPushButton* help = createButton(tr("Help"), QStringLiteral("btn_dialog"));
    connect(retry, &QPushButton::clicked, this, &DownloadWindow::onBtnClickedUpgrade);
    connect(help, &QPushButton::clicked, this, &DownloadWindow::onBtnClickedHelp);
    return finishPage(page, layout, {retry, help});
}

QString DownloadWindow::UpgradeLogHtml(const QString& changeLog)
{
    QString html = QStringLiteral("<table style=\"color: #b2b2b2;\">\t\t\t\t\t<tr><th style=\"padding-left: 16px; "
                                  "padding-top: 12px;\">Upgrade Log:</th></tr>\t\t\t\t\t</table>");
    html += QStringLiteral("<table style=\"color: #9b9b9b;\">");
    const QStringList parts = changeLog.split(QStringLiteral("##"));
    const int items = parts.size() - 1;
    for (int i = 1; i <= items; ++i) {
        const int top = i == 1 ? 4 : 0;
        const int bottom = i == items ? 18 : 0;
        // The log comes from the update server: text, never markup.
        html += QStringLiteral("<tr><th style=\"text-align: left; padding-left: 16px; padding-top: %1px; "
                               "padding-bottom: %2px;\">%3. </th>\t\t\t\t\t\t    <td style=\"padding-top: %1px; "
                               "padding-bottom: %2px;\">%4</td></tr>")
                    .arg(top)
                    .arg(bottom)
                    .arg(i)
                    .arg(parts.at(i).toHtmlEscaped());
    }
    html += QStringLiteral("</table>");
    return html;
}

void DownloadWindow::showState(int state)
{
    if (m_nState == state)
        return;
    m_nState = state;
    m_pStack->setCurrentIndex(state == StateNewVersion ? 0 : state == StateDownloading ? 1 : 2);
}

void DownloadWindow::onStatusChanged(int nDownloadStatus, int nPercent)
{
    switch (nDownloadStatus) {
    case 1:
        showState(StateDownloading);
        m_nAngle = qBound(0, nPercent, 100) * 360 / 100;
        m_pCircle->update();
        break;
    case 2:
        emit downloadFinished();
        break;
    case 0:
        showState(StateFailed);
        break;
    default:
        break;
    }
}

void DownloadWindow::onBtnClickedUpgrade()
{
    PackageInfo package = {};
    if (!g_updateManager.GetUpdateInfoSoftware(package)
        || !g_updateManager.StartDownloadSoftware(&package, m_pDialog->RenewDownloadPath())) {
        showState(StateFailed);
        return;
    }
    // Under way from the start, not from its first status, which may be a poll away.
    // A refused folder starts no download: its failure comes from the event loop.
    if (g_updateManager.HasDownload(CUpdateManager::UPDATE_SOFTWARE)) {
        m_nAngle = 0;
        m_pCircle->update();
        showState(StateDownloading);
    }
}

void DownloadWindow::onBtnClickedCancel()
{
    g_updateManager.StopDownload(CUpdateManager::UPDATE_SOFTWARE);
    showState(StateNewVersion);
}

void DownloadWindow::onBtnClickedHelp()
{
    OpenUpdateHelpPage();
}
