#include "logging/sink.h"

#include "logging/lvlogger.h"

namespace lvlogger {

Sink::Sink(QObject* parent)
    : QObject(parent)
    , m_logFormat(QString::fromLatin1(LOG_FORMAT_DEFAULT))
    , m_logFormatInt(QString::fromLatin1(LOG_FORMAT_INTERNAL_DEFAULT))
{
}

void Sink::setLogFormat(const QString& logFormat, const QString& logFormatInt)
{
    m_logFormat = logFormat;
    m_logFormatInt = logFormatInt;
}

bool Sink::addLogFilter(const QRegularExpression& filter)
{
    if (!filter.isValid())
        return false;
    m_logFilters.append(filter);
    return true;
}

bool Sink::checkFilter(const QString& text) const
{
    if (m_logFilters.isEmpty())
        return true;
    for (const QRegularExpression& filter : m_logFilters) {
        if (filter.match(text).hasMatch())
            return true;
    }
    return false;
}

QString Sink::textValue(const QString& text, LogLevel logLevel, bool trim)
{
    const QString value = trim ? text.trimmed() : text;
    if (value.isEmpty())
        return logLevel == LevelFunction ? QStringLiteral("-") : QStringLiteral("?");
    return value;
}

QString Sink::substitute(const QString& format, const QString& ts, const QString& tid,
                         const QString& textValue, LogLevel logLevel,
                         const QString& functionName, const QString& fileName,
                         unsigned int lineNumber)
{
    const bool internal = logLevel == LevelInternal;
    const int index = static_cast<int>(logLevel);
    const QChar code = internal || index < 0 || index >= LOG_LEVEL_COUNT
                           ? QLatin1Char('-')
                           : QLatin1Char(LOG_LEVEL_CODES[index]);

    QString record = format;
    record.replace(QLatin1String("<TS>"), ts);
    record.replace(QLatin1String("<TID>"), tid);
    record.replace(QLatin1String("<TID32>"), tid.right(8));
    record.replace(QLatin1String("<LL>"), QString(code));
    if (!internal) {
        record.replace(QLatin1String("<FUNC>"), functionName);
        record.replace(QLatin1String("<FILE>"), fileName);
        record.replace(QLatin1String("<LINE>"), QString::number(lineNumber));
    }
    record.replace(QLatin1String("<TEXT>"), textValue);
    return record;
}

bool Sink::acceptRecord(bool sinkSwitch, LogLevel logLevel, const QString& text) const
{
    if (!sinkSwitch || !checkLogLevelsEnabled(logLevel))
        return false;
    return logLevel == LevelInternal || checkFilter(text);
}

QString Sink::buildRecord(const QString& ts, const QString& tid, const QString& text,
                          LogLevel logLevel, const QString& functionName,
                          const QString& fileName, unsigned int lineNumber) const
{
    const QString& format = logLevel == LevelInternal ? m_logFormatInt : m_logFormat;
    return substitute(format, ts, tid, textValue(text, logLevel), logLevel, functionName,
                      fileName, lineNumber);
}

} // namespace lvlogger
