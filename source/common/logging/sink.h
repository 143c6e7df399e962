#pragma once

#include "logging/enableloglevels.h"

#include <QList>
#include <QObject>
#include <QRegularExpression>
#include <QString>

namespace lvlogger {

// Base of every sink: its own templates, level set and text filters, and the
// building of a record line from them. Sinks live on the logger's thread and
// receive records through the logger's signalLog; they hold no lock.
class Sink : public QObject
{
    Q_OBJECT

public:
    explicit Sink(QObject* parent = nullptr);

    void setLogFormat(const QString& logFormat, const QString& logFormatInt);
    QString getLogFormat() const { return m_logFormat; }
    QString getLogFormatInt() const { return m_logFormatInt; }

    void setLogLevels(const EnableLogLevels& logLevels) { m_logLevels = logLevels; }
    EnableLogLevels getLogLevels() const { return m_logLevels; }

    // Appends a valid expression; an invalid one is refused and the list kept.
    bool addLogFilter(const QRegularExpression& filter);
    bool checkLogLevelsEnabled(LogLevel logLevel) const { return m_logLevels.enabled(logLevel); }
    // True with no filters, or when any filter matches anywhere in the text.
    bool checkFilter(const QString& text) const;

    // Replaces the placeholders of `format`, one after another; the text goes in
    // last so that nothing inside it is ever taken for a placeholder. Level 7
    // leaves <FUNC>, <FILE> and <LINE> as they stand.
    static QString substitute(const QString& format, const QString& ts, const QString& tid,
                              const QString& textValue, LogLevel logLevel,
                              const QString& functionName, const QString& fileName,
                              unsigned int lineNumber);
    // What <TEXT> becomes: trimmed (when asked), "?" for an empty text, "-" at level 6.
    static QString textValue(const QString& text, LogLevel logLevel, bool trim = true);

protected:
    // The checks every sink makes before it builds a record: its switch, a level
    // in range and on in the sink's set, and (levels 0-6) the filters.
    bool acceptRecord(bool sinkSwitch, LogLevel logLevel, const QString& text) const;
    // The record line from the sink's templates, text trimmed.
    QString buildRecord(const QString& ts, const QString& tid, const QString& text,
                        LogLevel logLevel, const QString& functionName, const QString& fileName,
                        unsigned int lineNumber) const;

    QString m_logFormat;                      // levels 0-6
    QString m_logFormatInt;                   // level 7
    EnableLogLevels m_logLevels;              // the sink's own set, not the global
    QList<QRegularExpression> m_logFilters;
};

} // namespace lvlogger
