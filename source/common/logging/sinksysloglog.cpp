#include "logging/sinksysloglog.h"

namespace lvlogger {

SinkSyslogLog::SinkSyslogLog(QObject* parent)
    : Sink(parent)
{
}

void SinkSyslogLog::slotLog(const QString&, const QString&, const QString&, LogLevel,
                            const QString&, const QString&, unsigned int)
{
}

} // namespace lvlogger
