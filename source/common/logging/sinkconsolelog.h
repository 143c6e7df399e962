#pragma once

#include "logging/sink.h"

namespace lvlogger {

// Prints records on the standard output with a coloured level label.
class SinkConsoleLog : public Sink
{
    Q_OBJECT

public:
    explicit SinkConsoleLog(QObject* parent = nullptr);

    // The whole console line (label, record, colour reset, line feed) or a null
    // string when the record is dropped.
    QString consoleLine(const QString& ts, const QString& tid, const QString& text,
                        LogLevel logLevel, const QString& functionName, const QString& fileName,
                        unsigned int lineNumber) const;

public slots:
    void slotLog(const QString& ts, const QString& tid, const QString& text, LogLevel logLevel,
                 const QString& functionName, const QString& fileName, unsigned int lineNumber);
};

} // namespace lvlogger
