#include "logging/sinkconsolelog.h"

#include "logging/lvlogger.h"

#include <QTextStream>

#include <cstdio>

namespace lvlogger {

namespace {

// ANSI SGR sequences: the label bold in the level's colour, the rest of the line
// in the plain colour, then a reset.
const char* const ESC_RESET = "\x1b[0m";

QString levelPrefix(LogLevel logLevel, bool colour)
{
    struct Prefix {
        const char* label;
        const char* labelColour;
        const char* lineColour;
    };
    static const Prefix prefixes[] = {
        {"FATAL", "\x1b[0;40;33;1m", "\x1b[0;33m"},
        {"ERROR", "\x1b[0;47;31;1m", "\x1b[0;31m"},
        {"WARNING", "\x1b[0;40;36;1m", "\x1b[0;36m"},
        {"NOTE", "\x1b[0;40;37;1m", "\x1b[0m"},
        {nullptr, nullptr, nullptr},
        {"DEBUG", "\x1b[0;47;35;1m", "\x1b[0;35m"},
    };
    if (logLevel == LevelFunction)
        return colour ? QStringLiteral("\x1b[0;32m") : QString();
    const int index = static_cast<int>(logLevel);
    if (index < 0 || index > static_cast<int>(LevelDebug) || !prefixes[index].label)
        return QString();
    const Prefix& prefix = prefixes[index];
    if (!colour)
        return QString::fromLatin1(prefix.label) + QStringLiteral(": ");
    return QString::fromLatin1(prefix.labelColour) + QString::fromLatin1(prefix.label)
           + QString::fromLatin1(prefix.lineColour) + QStringLiteral(": ");
}

bool needsReset(LogLevel logLevel)
{
    switch (logLevel) {
    case LevelFatal:
    case LevelError:
    case LevelWarning:
    case LevelDebug:
    case LevelFunction:
        return true;
    default:
        return false;
    }
}

} // namespace

SinkConsoleLog::SinkConsoleLog(QObject* parent)
    : Sink(parent)
{
}

QString SinkConsoleLog::consoleLine(const QString& ts, const QString& tid, const QString& text,
                                    LogLevel logLevel, const QString& functionName,
                                    const QString& fileName, unsigned int lineNumber) const
{
    if (!acceptRecord(ENABLE_LOG_SINK_CONSOLE, logLevel, text))
        return QString();

    QString line = levelPrefix(logLevel, ENABLE_CONSOLE_COLOR);
    if (logLevel == LevelFunction) {
        line += substitute(m_logFormat + QLatin1String(LOG_FORMAT_CONSOLE_FUNCTION), ts, tid,
                           textValue(text, logLevel), logLevel, functionName, fileName,
                           lineNumber);
    } else if (logLevel == LevelInternal) {
        line += substitute(m_logFormatInt, ts, tid, textValue(text, logLevel), logLevel,
                           functionName, fileName, lineNumber);
    } else {
        line += substitute(m_logFormat, ts, tid,
                           textValue(text, logLevel, ENABLE_CONSOLE_TRIMMED), logLevel,
                           functionName, fileName, lineNumber);
    }
    if (ENABLE_CONSOLE_COLOR && needsReset(logLevel))
        line += QLatin1String(ESC_RESET);
    line += QLatin1Char('\n');
    return line;
}

void SinkConsoleLog::slotLog(const QString& ts, const QString& tid, const QString& text,
                             LogLevel logLevel, const QString& functionName,
                             const QString& fileName, unsigned int lineNumber)
{
    const QString line = consoleLine(ts, tid, text, logLevel, functionName, fileName, lineNumber);
    if (line.isNull())
        return;
    QTextStream out(stdout);
    out << line;
}

} // namespace lvlogger
