#include "platform/userstores.h"

#include <QDir>
#include <QFileInfo>

namespace lvplatform {

QString configHome()
{
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return QDir::cleanPath(xdg);
    return QDir::cleanPath(QDir::homePath() + QStringLiteral("/.config"));
}

QString userStoreFilePath(const QString& organization, const QString& application)
{
    return QStringLiteral("%1/%2/%3.ini").arg(configHome(), organization, application);
}

std::unique_ptr<QSettings> openUserStore(const QString& organization, const QString& application)
{
    auto store = std::make_unique<QSettings>(userStoreFilePath(organization, application),
                                             QSettings::IniFormat);
    // Values such as file paths may hold any character; keep them readable as UTF-8.
    store->setIniCodec("UTF-8");
    return store;
}

} // namespace lvplatform
