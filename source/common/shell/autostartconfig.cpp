#include "autostartconfig.h"

#include "platform/autostart.h"

#include <QCoreApplication>
#include <QtDebug>

const char* const AutoStartConfig::kEntryId = "com.kivorant.LumivandrexUtility";
const char* const AutoStartConfig::kMinimizedSwitch = "/minimized";

bool AutoStartConfig::setAutoStart(bool enable)
{
    const QString entryId = QString::fromLatin1(kEntryId);
    bool ok;
    if (enable) {
        ok = lvplatform::writeAutostartEntry(entryId, QStringLiteral("Lumivandrex Utility"),
                                             QCoreApplication::applicationFilePath(),
                                             {QString::fromLatin1(kMinimizedSwitch)});
    } else {
        ok = lvplatform::removeAutostartEntry(entryId);
    }
    if (!ok)
        qDebug("Set auto start failed.");
    return ok;
}

bool AutoStartConfig::isAutoStart()
{
    return lvplatform::isAutostartEntryActive(QString::fromLatin1(kEntryId));
}
