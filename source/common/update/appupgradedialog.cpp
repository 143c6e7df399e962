#include "update/appupgradedialog.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QLabel>
#include <QStackedLayout>
#include <QVBoxLayout>

#include "logging/lvlogger.h"
#include "update/buttonclickguard.h"
#include "update/updatehelp.h"

AppUpgradeDialog::AppUpgradeDialog(QWidget* parent)
    : QCustomDialog(parent, true, false)
{
    m_pClickGuard = new ButtonClickGuard(this);
    setFixedSize(380, 448);
    QWidget* content = new QWidget(this);
    content->setFixedSize(380, 400);
    m_pStack = new QStackedLayout(content);
    m_pStack->setContentsMargins(0, 0, 0, 0);
    m_pStack->setSpacing(0);
    m_pCheckWindow = new CheckWindow(this);
    m_pStack->addWidget(m_pCheckWindow);
    connect(m_pCheckWindow, &CheckWindow::checkNeedUpdate, this, &AppUpgradeDialog::onCheckNeedUpdate);
    SetMainWindow(content, tr("Lumivandrex Utility"));

    RenewDownloadPath();
    if (QFile::exists(m_strDownloadPath))
        QFile::remove(m_strDownloadPath);
    if (m_pCheckWindow->getState() != CheckWindow::StateChecking)
        m_pCheckWindow->setState(CheckWindow::StateChecking);
    g_updateManager.StartCheckSoftware();
}

AppUpgradeDialog::~AppUpgradeDialog() = default;

QString AppUpgradeDialog::DownloadPathFor(const QString& applicationName)
{
    // The private per-user download folder: the shared temporary folder would let
    // another user plant or swap the installer under a name anybody can predict.
    const QString folder = CUpdateManager::GetDownloadDir();
    if (folder.isEmpty())
        return QString();   // refused folder: the download fails, nothing is written
    QString name = QFileInfo(applicationName).fileName() + QStringLiteral(".exe");
    if (!CUpdateManager::IsPlainFileName(name))
        name = QStringLiteral("LumivandrexUtility.exe");
    return folder + QLatin1Char('/') + name;
}

QString AppUpgradeDialog::RenewDownloadPath()
{
    m_strDownloadPath = DownloadPathFor(QCoreApplication::applicationName());
    return m_strDownloadPath;
}

void AppUpgradeDialog::onCheckNeedUpdate(PackageInfo* package)
{
    if (!package) {
        close();
        return;
    }
    if (m_pDownloadWindow)
        return;
    m_pDownloadWindow = new DownloadWindow(package, this);
    m_pStack->addWidget(m_pDownloadWindow);
    connect(m_pDownloadWindow, &DownloadWindow::downloadFinished, this, &AppUpgradeDialog::onDownloadFinished);
    m_pStack->setCurrentWidget(m_pDownloadWindow);
}

void AppUpgradeDialog::onDownloadFinished()
{
    LV_LOG_INFO(QStringLiteral("software installer downloaded to %1").arg(m_strDownloadPath));
    accept();
}

QFont AppUpgradeDialog::PageFont(int extraPixels)
{
    QFont font = QApplication::font();
    font.setPixelSize(QFontInfo(font).pixelSize() + extraPixels);
    return font;
}
