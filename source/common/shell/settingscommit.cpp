#include "shell/settingscommit.h"

#include "device/reportaccess.h"
#include "logging/lvlogger.h"

bool WriteSettingsCommit(LumivandrexDevice* device, SETTINGS_COMMIT_COMMAND command)
{
    if (!device)
        return false;
    _KVCAP_SETTINGS_COMMIT commit{uint8_t(command)};
    const bool ok = WriteReport(device, commit);
    static const char* const kWhat[] = {"restoring the default settings", "discarding the changes",
                                        "saving the settings"};
    const char* what = unsigned(command) < 3 ? kWhat[command] : "settings commit";
    if (!ok)
        LV_LOG_ERROR(what << " in the device failed");
    else
        LV_LOG_INFO(what << " in the device done");
    return ok;
}
