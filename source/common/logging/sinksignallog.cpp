#include "logging/sinksignallog.h"

#include "logging/lvlogger.h"

namespace lvlogger {

SinkSignalLog::SinkSignalLog(QObject* parent)
    : Sink(parent)
{
}

void SinkSignalLog::slotLog(const QString& ts, const QString& tid, const QString& text,
                            LogLevel logLevel, const QString& functionName,
                            const QString& fileName, unsigned int lineNumber)
{
    if (!acceptRecord(ENABLE_LOG_SINK_SIGNAL, logLevel, text))
        return;
    emit signalLogMessage(logLevel,
                          buildRecord(ts, tid, text, logLevel, functionName, fileName, lineNumber));
}

} // namespace lvlogger
