#pragma once

#include "logging/sink.h"

namespace lvlogger {

// Placeholder for a system-log sink; it writes nothing and the logger never
// creates one.
class SinkSyslogLog : public Sink
{
    Q_OBJECT

public:
    explicit SinkSyslogLog(QObject* parent = nullptr);

public slots:
    void slotLog(const QString& ts, const QString& tid, const QString& text, LogLevel logLevel,
                 const QString& functionName, const QString& fileName, unsigned int lineNumber);
};

} // namespace lvlogger
