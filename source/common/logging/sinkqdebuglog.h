#pragma once

#include "logging/sink.h"

namespace lvlogger {

// Hands each record, built like a file line, to Qt's debug message handler.
class SinkQDebugLog : public Sink
{
    Q_OBJECT

public:
    explicit SinkQDebugLog(QObject* parent = nullptr);

public slots:
    void slotLog(const QString& ts, const QString& tid, const QString& text, LogLevel logLevel,
                 const QString& functionName, const QString& fileName, unsigned int lineNumber);
};

} // namespace lvlogger
