#pragma once
// Starts the program with the user's session (hidden in the tray) or stops doing so.
// On this system the entry is an XDG autostart file named after kEntryId that runs
// the program with "/minimized".

#include <QString>

class AutoStartConfig
{
public:
    // Reverse-DNS id of the autostart entry (its file name without ".desktop").
    static const char* const kEntryId;
    // First argument that makes the program start hidden in the tray.
    static const char* const kMinimizedSwitch;

    // Writes (enable) or removes the entry for the running executable. On failure
    // writes "Set auto start failed." to the debug output and returns false.
    static bool setAutoStart(bool enable);
    // True while the entry exists and is not switched off (Hidden=true).
    static bool isAutoStart();
};
