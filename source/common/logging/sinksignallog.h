#pragma once

#include "logging/sink.h"

namespace lvlogger {

// Re-emits each record, built like a file line, as a signal for a widget to show.
class SinkSignalLog : public Sink
{
    Q_OBJECT

public:
    explicit SinkSignalLog(QObject* parent = nullptr);

public slots:
    void slotLog(const QString& ts, const QString& tid, const QString& text, LogLevel logLevel,
                 const QString& functionName, const QString& fileName, unsigned int lineNumber);

signals:
    void signalLogMessage(lvlogger::LogLevel logLevel, const QString& logMessage);
};

} // namespace lvlogger
