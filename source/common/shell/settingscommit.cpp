#include "shell/settingscommit.h"

#include "device/lumivandrexdevice.h"
#include "logging/lvlogger.h"

namespace {
constexpr unsigned char kSettingsCommitReport = 0xFE;
}

bool WriteSettingsCommit(LumivandrexDevice* device, SETTINGS_COMMIT_COMMAND command)
{
    if (!device)
        return false;
    const unsigned char payload = command;
    const bool ok = HidSetReport(device, kSettingsCommitReport, &payload, 1);
    if (!ok)
        LV_LOG_ERROR(QStringLiteral("settings commit %1 failed").arg(int(command)));
    else
        LV_LOG_INFO(QStringLiteral("settings commit %1 written").arg(int(command)));
    return ok;
}
