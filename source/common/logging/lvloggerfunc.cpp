#include "logging/lvloggerfunc.h"

#include "logging/lvlogger.h"

namespace lvlogger {

LvLoggerFunc::LvLoggerFunc(const QString& text, const QString& functionName,
                           const QString& fileName, unsigned int lineNumber)
    : m_text(text)
    , m_functionName(functionName)
    , m_fileName(fileName)
    , m_lineNumber(lineNumber)
{
    if (!ENABLE_LOG_LEVELS.enabled(LevelFunction))
        return;
    if (LvLogger* logger = LvLogger::getInstance())
        logger->logFuncBegin(m_text, m_functionName, m_fileName, m_lineNumber);
}

LvLoggerFunc::~LvLoggerFunc()
{
    if (!ENABLE_LOG_LEVELS.enabled(LevelFunction))
        return;
    if (LvLogger* logger = LvLogger::getInstance())
        logger->logFuncEnd(m_text, m_functionName, m_fileName, m_lineNumber);
}

} // namespace lvlogger
