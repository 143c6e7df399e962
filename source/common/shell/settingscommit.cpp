#include "shell/settingscommit.h"

#include "device/reportaccess.h"
#include "logging/lvlogger.h"

bool WriteSettingsCommit(LumivandrexDevice* device, SETTINGS_COMMIT_COMMAND command)
{
    if (!device)
        return false;
    _KVCAP_SETTINGS_COMMIT commit{uint8_t(command)};
    const bool ok = WriteReport(device, commit);
    if (!ok)
        LV_LOG_ERROR(QStringLiteral("settings commit %1 failed").arg(int(command)));
    else
        LV_LOG_INFO(QStringLiteral("settings commit %1 written").arg(int(command)));
    return ok;
}
