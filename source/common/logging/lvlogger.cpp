#include "logging/lvlogger.h"

#include "logging/sinkconsolelog.h"
#include "logging/sinkfilelog.h"
#include "logging/sinkqdebuglog.h"
#include "logging/sinksignallog.h"

#include <QAtomicPointer>
#include <QCoreApplication>
#include <QDateTime>
#include <QEvent>
#include <QMutexLocker>
#include <QRect>
#include <QThread>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <limits>
#include <mutex>

namespace lvlogger {

const char* const LOG_FORMAT_DEFAULT = "<TS> [<TID>] [<LL>] <TEXT> (<FUNC>@<FILE>:<LINE>)";
const char* const LOG_FORMAT_INTERNAL_DEFAULT = "<TS> [<TID>] [<LL>] <TEXT>";
const char* const LOG_FORMAT_CONSOLE = "<TEXT>";
const char* const LOG_FORMAT_CONSOLE_FUNCTION = " (<FUNC>)";
const char* const LOG_ROLE_MAIN = "main";

namespace {

// The current logger and the thread that owns it, written under recordMutex.
QAtomicPointer<LvLogger> currentLogger;
QAtomicPointer<QThread> currentOwnerThread;
// Every record is stamped, queued and, from another thread, announced to the
// logger's thread under this one lock, so the queue holds the records of all
// threads in the order they were made. The destructor retires the logger under it
// too, so no thread can queue to a logger being destroyed (the owner thread needs
// no lock to read the pointers: it is the only one that destroys the logger). A
// standard lock so that ThreadSanitizer sees it. Lock order: recordMutex, then
// zoneMutex, then Qt's own posted-event lock.
std::mutex recordMutex;

// Posted to the logger when records of other threads wait in its queue.
QEvent::Type deliverEventType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

QString baseName(const char* fileName)
{
    // Only the file's base name: the build machine's source path tells a reader nothing.
    if (!fileName)
        return QString();
    const char* base = fileName;
    for (const char* c = fileName; *c; ++c) {
        if (*c == '/' || *c == '\\')
            base = c + 1;
    }
    return QString::fromUtf8(base);
}

qint64 floorDiv(qint64 value, qint64 divisor)
{
    const qint64 quotient = value / divisor;
    return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

// Seconds east of UTC at the given moment, daylight saving included.
qint64 localOffsetSeconds(std::time_t utc)
{
    // Re-read the zone so that a change of the system's time zone shows within
    // a second; localtime_r alone keeps the zone it loaded first.
    // Serialised here although the C library locks internally: the sanitizers
    // cannot see that lock, and the call is rare (once per second and thread).
    static std::mutex zoneMutex; // after recordMutex (lock order above)
    std::lock_guard<std::mutex> lock(zoneMutex);
    tzset();
    std::tm local{};
    if (!localtime_r(&utc, &local))
        return 0;
    return local.tm_gmtoff;
}

} // namespace

LvLogger* LvLogger::instance = nullptr; // written only together with currentLogger

LvLogger* LvLogger::createInstance(QObject* parent)
{
    delete currentLogger.loadAcquire();
    auto* logger = new LvLogger(parent);
    std::lock_guard<std::mutex> lock(recordMutex);
    instance = logger;
    currentOwnerThread.storeRelease(logger->thread());
    currentLogger.storeRelease(logger);
    return logger;
}

LvLogger* LvLogger::getInstance()
{
    return currentLogger.loadAcquire();
}

void LvLogger::logRecord(const QString& text, LogLevel logLevel, const QString& functionName,
                         const char* fileName, unsigned int lineNumber)
{
    if (QThread::currentThread() == currentOwnerThread.loadAcquire()) {
        if (LvLogger* logger = currentLogger.loadAcquire())
            logger->log(text, logLevel, functionName, fileName, lineNumber);
        return;
    }
    const QString file = baseName(fileName);
    std::lock_guard<std::mutex> lock(recordMutex);
    if (LvLogger* logger = currentLogger.loadAcquire())
        logger->queueRecord(text, logLevel, functionName, file, lineNumber, true);
}

QString LvLogger::timeStamp()
{
    // Local time costs the C library (and QDateTime) a look at the time-zone
    // file on every call, which was most of the cost of a record. The offset
    // from UTC is therefore looked up once per second and thread and applied to
    // the system clock; the calendar date is then plain arithmetic.
    thread_local qint64 offsetSecond = std::numeric_limits<qint64>::min();
    thread_local qint64 offsetSeconds = 0;
    const qint64 utcMsecs = std::chrono::duration_cast<std::chrono::milliseconds>(
                                std::chrono::system_clock::now().time_since_epoch())
                                .count();
    const qint64 utcSecond = floorDiv(utcMsecs, 1000);
    if (utcSecond != offsetSecond) {
        offsetSecond = utcSecond;
        offsetSeconds = localOffsetSeconds(static_cast<std::time_t>(utcSecond));
    }
    const qint64 localMsecs = utcMsecs + offsetSeconds * 1000;
    const qint64 days = floorDiv(localMsecs, 86400000);
    const qint64 msOfDay = localMsecs - days * 86400000;

    // Civil date from days since 1970-01-01 (proleptic Gregorian calendar).
    const qint64 z = days + 719468;
    const qint64 era = floorDiv(z, 146097);
    const qint64 dayOfEra = z - era * 146097;
    const qint64 yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const qint64 dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const qint64 monthIndex = (5 * dayOfYear + 2) / 153;
    const qint64 day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
    const qint64 month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
    const qint64 year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);

    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d.%03d",
                  static_cast<int>(year), static_cast<int>(month), static_cast<int>(day),
                  static_cast<int>(msOfDay / 3600000), static_cast<int>(msOfDay / 60000 % 60),
                  static_cast<int>(msOfDay / 1000 % 60), static_cast<int>(msOfDay % 1000));
    return QString::fromLatin1(buffer);
}

QString LvLogger::threadId()
{
    const auto id = static_cast<quint64>(reinterpret_cast<quintptr>(QThread::currentThreadId()));
    return QStringLiteral("%1").arg(id, 16, 16, QLatin1Char('0'));
}

LvLogger::LvLogger(QObject* parent)
    : QObject(parent)
{
    qRegisterMetaType<LogLevel>("LogLevel");
    qRegisterMetaType<LogLevel>(); // "lvlogger::LogLevel", used by signalLogMessage

    m_sinkConsoleLog = new SinkConsoleLog(this);
    m_sinkQDebugLog = new SinkQDebugLog(this);
    m_sinkSignalLog = new SinkSignalLog(this);
    m_sinkConsoleLog->setLogFormat(QString::fromLatin1(LOG_FORMAT_CONSOLE),
                                   QString::fromLatin1(LOG_FORMAT_INTERNAL_DEFAULT));

    connect(this, &LvLogger::signalLog, m_sinkConsoleLog, &SinkConsoleLog::slotLog);
    connect(this, &LvLogger::signalLog, m_sinkSignalLog, &SinkSignalLog::slotLog);
    // Connected as well, so that switching the debug sink on makes it write.
    connect(this, &LvLogger::signalLog, m_sinkQDebugLog, &SinkQDebugLog::slotLog);

    addSinkFileLog(QString::fromLatin1(LOG_ROLE_MAIN));
}

LvLogger::~LvLogger()
{
    {
        std::lock_guard<std::mutex> lock(recordMutex);
        if (currentLogger.loadAcquire() == this) {
            currentLogger.storeRelease(nullptr);
            currentOwnerThread.storeRelease(nullptr);
            instance = nullptr;
        }
    }
    deliverPendingRecords();
}

void LvLogger::deliverPendingRecords()
{
    if (QThread::currentThread() != thread() || m_bDelivering)
        return;
    // The records queued up to now, not those that come while they are written:
    // busy workers cannot keep this thread here.
    std::deque<PendingRecord> batch;
    {
        std::lock_guard<std::mutex> lock(recordMutex);
        batch.swap(m_pending);
    }
    m_bDelivering = true;
    for (const PendingRecord& record : batch)
        emit signalLog(record.ts, record.tid, record.text, record.logLevel, record.functionName, record.fileName,
                       record.lineNumber);
    m_bDelivering = false;
}

void LvLogger::queueRecord(const QString& text, LogLevel logLevel, const QString& functionName,
                           const QString& fileName, unsigned int lineNumber, bool announce)
{
    // Stamped in the queue's order: the file's stamps never go back.
    m_pending.push_back({timeStamp(), threadId(), text, logLevel, functionName, fileName, lineNumber});
    if (announce && !m_bDeliveryPosted) {
        m_bDeliveryPosted = true;
        QCoreApplication::postEvent(this, new QEvent(deliverEventType()));
    }
}

void LvLogger::log(const QString& text, LogLevel logLevel, const QString& functionName,
                   const char* fileName, unsigned int lineNumber)
{
    // A record of this thread goes to the sinks at once, after the records queued
    // before it; one logged by a sink while it takes a record (the signal sink's
    // receivers may) waits for the next delivery, like those of other threads.
    const bool deliverNow = QThread::currentThread() == thread() && !m_bDelivering;
    const QString file = baseName(fileName);
    {
        std::lock_guard<std::mutex> lock(recordMutex);
        queueRecord(text, logLevel, functionName, file, lineNumber, !deliverNow);
    }
    if (deliverNow)
        deliverPendingRecords();
}

bool LvLogger::event(QEvent* event)
{
    bool delivery;
    {
        // A delivery event is made under this lock by the thread that posts it, and Qt's
        // own posting lock is not one the sanitizers see: its type is read under ours.
        std::lock_guard<std::mutex> lock(recordMutex);
        delivery = event->type() == deliverEventType();
        // Records queued from now on post a delivery of their own.
        if (delivery)
            m_bDeliveryPosted = false;
    }
    if (!delivery)
        return QObject::event(event);   // outside the lock: it may delete the logger
    deliverPendingRecords();
    return true;
}

void LvLogger::logFuncBegin(const QString& text, const QString& functionName,
                            const QString& fileName, unsigned int lineNumber)
{
    const QByteArray file = fileName.toUtf8();
    if (!ENABLE_FUNCTION_STACK_TRACE) {
        log(text, LevelFunction, functionName, file.constData(), lineNumber);
        return;
    }
    quint32 depth;
    {
        QMutexLocker lock(&m_funcDepthMutex);
        depth = ++m_funcDepth[QThread::currentThreadId()];
    }
    // Depth 0 here follows an end without a begin (the count wrapped): no indent.
    const QString indent(depth >= 1 ? static_cast<int>(depth - 1) : 0, QLatin1Char('.'));
    const QString record = text.isEmpty() ? QStringLiteral("%1\\").arg(indent)
                                          : QStringLiteral("%1\\ %2").arg(indent, text);
    log(record, LevelFunction, functionName, file.constData(), lineNumber);
}

void LvLogger::logFuncEnd(const QString& text, const QString& functionName,
                          const QString& fileName, unsigned int lineNumber)
{
    if (!ENABLE_FUNCTION_STACK_TRACE)
        return;
    quint32 depth;
    {
        QMutexLocker lock(&m_funcDepthMutex);
        quint32& stored = m_funcDepth[QThread::currentThreadId()];
        depth = stored;
        // An end without a begin wraps around; the next begin then wraps back
        // to zero depth, which keeps the trace readable.
        stored = depth - 1;
    }
    const QString indent(depth >= 2 ? static_cast<int>(depth - 1) : 0, QLatin1Char('.'));
    const QString record = text.isEmpty() ? QStringLiteral("%1/").arg(indent)
                                          : QStringLiteral("%1/ %2").arg(indent, text);
    const QByteArray file = fileName.toUtf8();
    log(record, LevelFunction, functionName, file.constData(), lineNumber);
}

void LvLogger::addSinkFileLog(const QString& role)
{
    if (m_sinkFileLogs.contains(role))
        return;
    auto* sink = new SinkFileLog(this, role);
    m_sinkFileLogs.insert(role, sink);
    connect(this, &LvLogger::signalLog, sink, &SinkFileLog::slotLog);
}

bool LvLogger::connectSinkSignalLog(const QObject* receiver, const char* method,
                                    Qt::ConnectionType type)
{
    return static_cast<bool>(connect(m_sinkSignalLog,
                                     SIGNAL(signalLogMessage(lvlogger::LogLevel, QString)),
                                     receiver, method, type));
}

SinkFileLog* LvLogger::sinkFileLog(const QString& role) const
{
    return m_sinkFileLogs.value(role, nullptr);
}

// --- per-sink settings -------------------------------------------------------

void LvLogger::setLogFormat_file(const QString& logFormat, const QString& logFormatInt)
{
    setLogFormat_file(QString::fromLatin1(LOG_ROLE_MAIN), logFormat, logFormatInt);
}

void LvLogger::setLogFormat_file(const QString& role, const QString& logFormat,
                                 const QString& logFormatInt)
{
    if (SinkFileLog* sink = sinkFileLog(role))
        sink->setLogFormat(logFormat, logFormatInt);
}

void LvLogger::setLogFormat_console(const QString& logFormat, const QString& logFormatInt)
{
    m_sinkConsoleLog->setLogFormat(logFormat, logFormatInt);
}

void LvLogger::setLogFormat_qDebug(const QString& logFormat, const QString& logFormatInt)
{
    m_sinkQDebugLog->setLogFormat(logFormat, logFormatInt);
}

void LvLogger::setLogFormat_signal(const QString& logFormat, const QString& logFormatInt)
{
    m_sinkSignalLog->setLogFormat(logFormat, logFormatInt);
}

void LvLogger::setLogFormat_syslog(const QString&, const QString&)
{
}

void LvLogger::setLogLevels_file(const EnableLogLevels& logLevels)
{
    setLogLevels_file(QString::fromLatin1(LOG_ROLE_MAIN), logLevels);
}

void LvLogger::setLogLevels_file(const QString& role, const EnableLogLevels& logLevels)
{
    if (SinkFileLog* sink = sinkFileLog(role))
        sink->setLogLevels(logLevels);
}

void LvLogger::setLogLevels_console(const EnableLogLevels& logLevels)
{
    m_sinkConsoleLog->setLogLevels(logLevels);
}

void LvLogger::setLogLevels_qDebug(const EnableLogLevels& logLevels)
{
    m_sinkQDebugLog->setLogLevels(logLevels);
}

void LvLogger::setLogLevels_signal(const EnableLogLevels& logLevels)
{
    m_sinkSignalLog->setLogLevels(logLevels);
}

void LvLogger::setLogLevels_syslog(const EnableLogLevels&)
{
}

EnableLogLevels LvLogger::getLogLevels_file() const
{
    return getLogLevels_file(QString::fromLatin1(LOG_ROLE_MAIN));
}

EnableLogLevels LvLogger::getLogLevels_file(const QString& role) const
{
    const SinkFileLog* sink = sinkFileLog(role);
    return sink ? sink->getLogLevels() : ENABLE_LOG_LEVELS;
}

EnableLogLevels LvLogger::getLogLevels_console() const
{
    return m_sinkConsoleLog->getLogLevels();
}

EnableLogLevels LvLogger::getLogLevels_qDebug() const
{
    return m_sinkQDebugLog->getLogLevels();
}

EnableLogLevels LvLogger::getLogLevels_signal() const
{
    return m_sinkSignalLog->getLogLevels();
}

EnableLogLevels LvLogger::getLogLevels_syslog() const
{
    return ENABLE_LOG_LEVELS;
}

bool LvLogger::addLogFilter_file(const QRegularExpression& filter)
{
    return addLogFilter_file(QString::fromLatin1(LOG_ROLE_MAIN), filter);
}

bool LvLogger::addLogFilter_file(const QString& role, const QRegularExpression& filter)
{
    SinkFileLog* sink = sinkFileLog(role);
    return sink && filter.isValid() && sink->addLogFilter(filter);
}

bool LvLogger::addLogFilter_console(const QRegularExpression& filter)
{
    return m_sinkConsoleLog->addLogFilter(filter);
}

bool LvLogger::addLogFilter_qDebug(const QRegularExpression& filter)
{
    return m_sinkQDebugLog->addLogFilter(filter);
}

bool LvLogger::addLogFilter_signal(const QRegularExpression& filter)
{
    return m_sinkSignalLog->addLogFilter(filter);
}

bool LvLogger::addLogFilter_syslog(const QRegularExpression&)
{
    return false;
}

bool LvLogger::setLogFileName(const QString& logFileName, unsigned int logFileRotationSize,
                              unsigned int logFileMaxNumber)
{
    return setLogFileName(QString::fromLatin1(LOG_ROLE_MAIN), logFileName, logFileRotationSize,
                          logFileMaxNumber);
}

bool LvLogger::setLogFileName(const QString& role, const QString& logFileName,
                              unsigned int logFileRotationSize, unsigned int logFileMaxNumber)
{
    SinkFileLog* sink = sinkFileLog(role);
    return sink && sink->setLogFileName(logFileName, logFileRotationSize, logFileMaxNumber);
}

} // namespace lvlogger

QString print(const QString& text, const QRect& rect)
{
    // Concatenated rather than filled with arg(): a '%' sequence in the text
    // must not be taken for a place marker.
    return text + QStringLiteral(" l=") + QString::number(rect.left()) + QStringLiteral(", t=")
           + QString::number(rect.top()) + QStringLiteral(", r=") + QString::number(rect.right())
           + QStringLiteral(", b=") + QString::number(rect.bottom()) + QStringLiteral(", w=")
           + QString::number(rect.right() - rect.left() + 1) + QStringLiteral(", h=")
           + QString::number(rect.bottom() - rect.top() + 1) + QLatin1Char('\n');
}
