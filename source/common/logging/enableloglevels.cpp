#include "logging/enableloglevels.h"

namespace lvlogger {

EnableLogLevels::EnableLogLevels()
    : EnableLogLevels(true, true, true, true, true, false, false, true)
{
}

EnableLogLevels::EnableLogLevels(bool fatal, bool error, bool warning, bool note, bool info,
                                 bool debug, bool function, bool internal)
    : levels{fatal, error, warning, note, info, debug, function, internal}
{
}

void EnableLogLevels::setEnabled(LogLevel logLevel, bool on)
{
    const int index = static_cast<int>(logLevel);
    if (index >= 0 && index < LOG_LEVEL_COUNT)
        levels[index] = on;
}

bool EnableLogLevels::operator==(const EnableLogLevels& other) const
{
    for (int i = 0; i < LOG_LEVEL_COUNT; ++i) {
        if (levels[i] != other.levels[i])
            return false;
    }
    return true;
}

EnableLogLevels ENABLE_LOG_LEVELS;
bool ENABLE_LOG_SINK_FILE = true;
bool ENABLE_LOG_SINK_CONSOLE = false;
bool ENABLE_LOG_SINK_QDEBUG = false;
bool ENABLE_LOG_SINK_SIGNAL = false;
bool ENABLE_LOG_SINK_SYSLOG = false;
bool ENABLE_FUNCTION_STACK_TRACE = true;
bool ENABLE_CONSOLE_COLOR = true;
bool ENABLE_CONSOLE_TRIMMED = true;
bool ENABLE_CONSOLE_LOG_FILE_STATE = true;

void SetLogLevelAllFalse()
{
    ENABLE_LOG_LEVELS = EnableLogLevels(false, false, false, false, false, false, false, false);
}

void SetLogLevelError()
{
    ENABLE_LOG_LEVELS = EnableLogLevels(true, true, false, false, false, false, false, false);
}

void SetLogLevelInfor()
{
    ENABLE_LOG_LEVELS = EnableLogLevels(true, true, true, true, true, false, false, false);
}

void SetLogLevelDebug()
{
    ENABLE_LOG_LEVELS = EnableLogLevels(true, true, true, true, true, true, false, false);
}

} // namespace lvlogger
