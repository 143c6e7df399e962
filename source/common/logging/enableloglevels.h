#pragma once

#include <QMetaType>

// Levels, the per-level switch set and the program-wide switches of the logger.
// Kept apart from lvlogger.h so that the sinks can use them without the logger.
namespace lvlogger {

// Named with a prefix: FATAL, ERROR, DEBUG and the syslog LOG_* names are
// macros on some platforms.
// A fixed underlying type makes every int a valid value, so a level beyond the
// table can be passed around (and is then dropped) without undefined behaviour.
enum LogLevel : int {
    LevelFatal = 0,
    LevelError = 1,
    LevelWarning = 2,
    LevelNote = 3,
    LevelInfo = 4,        // progress of the program
    LevelDebug = 5,
    LevelFunction = 6,    // function trace only
    LevelInternal = 7     // a sink's records about itself
};

constexpr int LOG_LEVEL_COUNT = 8;

// Code character of each level in a record, indexed by the level value.
constexpr char LOG_LEVEL_CODES[] = "!EWNIDF-";

// One flag per level, in level order; copied by value.
class EnableLogLevels
{
public:
    // Levels 0-4 and 7 on: fatal to info plus the sinks' own records.
    EnableLogLevels();
    EnableLogLevels(bool fatal, bool error, bool warning, bool note, bool info, bool debug,
                    bool function, bool internal);

    // False for every value outside 0..7, so a bad level is never written.
    bool enabled(LogLevel logLevel) const
    {
        const int index = static_cast<int>(logLevel);
        return index >= 0 && index < LOG_LEVEL_COUNT && levels[index];
    }
    void setEnabled(LogLevel logLevel, bool on);

    bool operator==(const EnableLogLevels& other) const;
    bool operator!=(const EnableLogLevels& other) const { return !(*this == other); }

    bool levels[LOG_LEVEL_COUNT];
};

// Program-wide switches. Plain variables read without locking: they are set
// during start-up, before other threads exist, and not changed afterwards.
extern EnableLogLevels ENABLE_LOG_LEVELS;   // the test every caller makes before logging
extern bool ENABLE_LOG_SINK_FILE;
extern bool ENABLE_LOG_SINK_CONSOLE;
extern bool ENABLE_LOG_SINK_QDEBUG;
extern bool ENABLE_LOG_SINK_SIGNAL;
extern bool ENABLE_LOG_SINK_SYSLOG;         // the syslog sink has no behaviour
extern bool ENABLE_FUNCTION_STACK_TRACE;
extern bool ENABLE_CONSOLE_COLOR;
extern bool ENABLE_CONSOLE_TRIMMED;
extern bool ENABLE_CONSOLE_LOG_FILE_STATE;

// Presets overwrite all eight flags of ENABLE_LOG_LEVELS; none turns on 6 or 7.
void SetLogLevelAllFalse();
void SetLogLevelError();   // 0, 1
void SetLogLevelInfor();   // 0 to 4
void SetLogLevelDebug();   // 0 to 5

} // namespace lvlogger

Q_DECLARE_METATYPE(lvlogger::LogLevel)
