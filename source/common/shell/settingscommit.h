#ifndef SETTINGSCOMMIT_H
#define SETTINGSCOMMIT_H

class LumivandrexDevice;

// The commands of the settings commit report (0xFE, one byte, SET only).
enum SETTINGS_COMMIT_COMMAND : unsigned char {
    SETTINGS_COMMIT_RESTORE_DEFAULTS = 0,
    SETTINGS_COMMIT_DISCARD = 1,
    SETTINGS_COMMIT_SAVE = 2,
};

// Writes the commit report to the device; true when the device took it.
// The caller holds the presenter lock. A null device writes nothing and fails.
bool WriteSettingsCommit(LumivandrexDevice* device, SETTINGS_COMMIT_COMMAND command);

#endif // SETTINGSCOMMIT_H
