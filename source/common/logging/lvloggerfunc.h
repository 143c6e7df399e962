#pragma once

#include <QString>

namespace lvlogger {

// Scope guard that traces entry and exit of a function at level 6 through the
// logger's function trace; does nothing while level 6 is off or no logger exists.
class LvLoggerFunc
{
public:
    LvLoggerFunc(const QString& text, const QString& functionName, const QString& fileName,
                 unsigned int lineNumber);
    virtual ~LvLoggerFunc();

    LvLoggerFunc(const LvLoggerFunc&) = delete;
    LvLoggerFunc& operator=(const LvLoggerFunc&) = delete;

private:
    QString m_text;
    QString m_functionName;
    QString m_fileName;
    quint32 m_lineNumber;
};

} // namespace lvlogger
