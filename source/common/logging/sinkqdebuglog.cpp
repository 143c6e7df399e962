#include "logging/sinkqdebuglog.h"

#include "logging/lvlogger.h"

#include <QtGlobal>

namespace lvlogger {

SinkQDebugLog::SinkQDebugLog(QObject* parent)
    : Sink(parent)
{
}

void SinkQDebugLog::slotLog(const QString& ts, const QString& tid, const QString& text,
                            LogLevel logLevel, const QString& functionName,
                            const QString& fileName, unsigned int lineNumber)
{
    if (!acceptRecord(ENABLE_LOG_SINK_QDEBUG, logLevel, text))
        return;
    const QByteArray record =
        buildRecord(ts, tid, text, logLevel, functionName, fileName, lineNumber).toUtf8();
    // Through "%s" so that a '%' in the record is not taken for a format.
    qDebug("%s", record.constData());
}

} // namespace lvlogger
