#pragma once

#include "logging/enableloglevels.h"

#include <QMap>
#include <QMutex>
#include <QObject>
#include <QRegularExpression>
#include <QString>
#include <QTextStream>

#include <deque>

class QEvent;
class QRect;

namespace lvlogger {

class SinkConsoleLog;
class SinkQDebugLog;
class SinkSignalLog;
class SinkFileLog;

// Record templates shared by every sink.
extern const char* const LOG_FORMAT_DEFAULT;          // "<TS> [<TID>] [<LL>] <TEXT> (<FUNC>@<FILE>:<LINE>)"
extern const char* const LOG_FORMAT_INTERNAL_DEFAULT; // "<TS> [<TID>] [<LL>] <TEXT>"
extern const char* const LOG_FORMAT_CONSOLE;          // "<TEXT>"
extern const char* const LOG_FORMAT_CONSOLE_FUNCTION; // " (<FUNC>)"

// Role of the file sink every logger has from construction.
extern const char* const LOG_ROLE_MAIN;

// The program's single logger. Callers hand records to it from any thread; it
// stamps them with time and thread id in the caller's thread and broadcasts them
// through signalLog to the sinks, which live in the logger's own thread. Every
// record is stamped and queued in one step under one lock, and the logger's
// thread hands the queue to the sinks in that order: before a record of its own,
// and on one posted event for those of other threads. So the file shows the
// records of all threads in the order they were made, and a busy worker costs
// one event per batch, not per record.
class LvLogger : public QObject
{
    Q_OBJECT

public:
    // Deletes an existing logger (with its sinks) and builds a new one.
    static LvLogger* createInstance(QObject* parent);
    // Null before createInstance and after the logger was destroyed.
    static LvLogger* getInstance();

    // Hands one record to the current logger, if there is one. Safe against a
    // logger being destroyed concurrently on its own thread; this is what the
    // LV_LOG macros use.
    static void logRecord(const QString& text, LogLevel logLevel, const QString& functionName,
                          const char* fileName, unsigned int lineNumber);

    static QString timeStamp();   // local time "yyyy-MM-dd hh:mm:ss.zzz"
    static QString threadId();    // 16 lower-case hex digits

    explicit LvLogger(QObject* parent = nullptr);
    ~LvLogger() override;

    // Tests no level: callers test ENABLE_LOG_LEVELS, each sink its own set.
    void log(const QString& text, LogLevel logLevel, const QString& functionName,
             const char* fileName, unsigned int lineNumber);

    void logFuncBegin(const QString& text, const QString& functionName, const QString& fileName,
                      unsigned int lineNumber);
    void logFuncEnd(const QString& text, const QString& functionName, const QString& fileName,
                    unsigned int lineNumber);

    void addSinkFileLog(const QString& role);
    bool connectSinkSignalLog(const QObject* receiver, const char* method,
                              Qt::ConnectionType type = Qt::AutoConnection);

    // Per-sink settings; the file operations without a role act on role "main".
    // Call them on the logger's thread.
    void setLogFormat_file(const QString& logFormat, const QString& logFormatInt);
    void setLogFormat_file(const QString& role, const QString& logFormat, const QString& logFormatInt);
    void setLogFormat_console(const QString& logFormat, const QString& logFormatInt);
    void setLogFormat_qDebug(const QString& logFormat, const QString& logFormatInt);
    void setLogFormat_signal(const QString& logFormat, const QString& logFormatInt);
    void setLogFormat_syslog(const QString& logFormat, const QString& logFormatInt);

    void setLogLevels_file(const EnableLogLevels& logLevels);
    void setLogLevels_file(const QString& role, const EnableLogLevels& logLevels);
    void setLogLevels_console(const EnableLogLevels& logLevels);
    void setLogLevels_qDebug(const EnableLogLevels& logLevels);
    void setLogLevels_signal(const EnableLogLevels& logLevels);
    void setLogLevels_syslog(const EnableLogLevels& logLevels);

    EnableLogLevels getLogLevels_file() const;
    EnableLogLevels getLogLevels_file(const QString& role) const;
    EnableLogLevels getLogLevels_console() const;
    EnableLogLevels getLogLevels_qDebug() const;
    EnableLogLevels getLogLevels_signal() const;
    EnableLogLevels getLogLevels_syslog() const;

    bool addLogFilter_file(const QRegularExpression& filter);
    bool addLogFilter_file(const QString& role, const QRegularExpression& filter);
    bool addLogFilter_console(const QRegularExpression& filter);
    bool addLogFilter_qDebug(const QRegularExpression& filter);
    bool addLogFilter_signal(const QRegularExpression& filter);
    bool addLogFilter_syslog(const QRegularExpression& filter);

    bool setLogFileName(const QString& logFileName, unsigned int logFileRotationSize,
                        unsigned int logFileMaxNumber);
    bool setLogFileName(const QString& role, const QString& logFileName,
                        unsigned int logFileRotationSize, unsigned int logFileMaxNumber);

    // The file sink of a role, null when the role does not exist.
    SinkFileLog* sinkFileLog(const QString& role) const;

protected:
    bool event(QEvent* event) override;

signals:
    void signalLog(const QString& ts, const QString& tid, const QString& text, LogLevel logLevel,
                   const QString& functionName, const QString& fileName, unsigned int lineNumber);

private:
    struct PendingRecord {
        QString ts;
        QString tid;
        QString text;
        LogLevel logLevel = LevelInfo;
        QString functionName;
        QString fileName;
        unsigned int lineNumber = 0;
    };

    // Stamps the record and queues it; `announce`: posts a delivery to the logger's
    // thread unless one is on its way. recordMutex (lvlogger.cpp) held.
    void queueRecord(const QString& text, LogLevel logLevel, const QString& functionName,
                     const QString& fileName, unsigned int lineNumber, bool announce);
    // Hands the records queued so far to the sinks, oldest first; on the logger's thread
    // only (and at destruction, so that records logged just before shutdown reach
    // the file).
    void deliverPendingRecords();

    SinkConsoleLog* m_sinkConsoleLog = nullptr;          // owner thread only
    SinkQDebugLog* m_sinkQDebugLog = nullptr;            // owner thread only
    SinkSignalLog* m_sinkSignalLog = nullptr;            // owner thread only
    QMap<QString, SinkFileLog*> m_sinkFileLogs;          // owner thread only
    mutable QMutex m_funcDepthMutex;                     // guards m_funcDepth; taken alone
    QMap<Qt::HANDLE, quint32> m_funcDepth;               // any thread, under m_funcDepthMutex
    // Records not yet with the sinks, in the order they were stamped.
    std::deque<PendingRecord> m_pending;                 // any thread, under recordMutex
    bool m_bDeliveryPosted = false;                      // any thread, under recordMutex
    bool m_bDelivering = false;                          // owner thread only

    static LvLogger* instance;
};

} // namespace lvlogger

#include "logging/lvloggerfunc.h"

// Text followed by the rectangle's edges and size, for layout records.
QString print(const QString& text, const QRect& rect);

// Caller macros. The level flag is tested first so that a disabled record costs
// one flag test and its text is never built; nothing happens while no logger
// exists (tests without one). `text` may be a stream expression:
//     LV_LOG_INFO("enumed " << count << " divices.");
// The function name is the bare name of the caller, as the records show it.
#define LV_LOG(level, text)                                                                        \
    do {                                                                                           \
        const ::lvlogger::LogLevel lvLogLevel_ = static_cast<::lvlogger::LogLevel>(level);         \
        if (::lvlogger::ENABLE_LOG_LEVELS.enabled(lvLogLevel_)                                     \
            && ::lvlogger::LvLogger::getInstance()) {                                              \
            QString lvLogText_;                                                                    \
            {                                                                                      \
                QTextStream lvLogStream_(&lvLogText_);                                             \
                lvLogStream_ << text;                                                              \
            }                                                                                      \
            ::lvlogger::LvLogger::logRecord(lvLogText_, lvLogLevel_, QString::fromUtf8(__func__),  \
                                            __FILE__, __LINE__);                                   \
        }                                                                                          \
    } while (0)

#define LV_LOG_FATAL(text) LV_LOG(::lvlogger::LevelFatal, text)
#define LV_LOG_ERROR(text) LV_LOG(::lvlogger::LevelError, text)
#define LV_LOG_WARNING(text) LV_LOG(::lvlogger::LevelWarning, text)
#define LV_LOG_NOTE(text) LV_LOG(::lvlogger::LevelNote, text)
#define LV_LOG_INFO(text) LV_LOG(::lvlogger::LevelInfo, text)
#define LV_LOG_DEBUG(text) LV_LOG(::lvlogger::LevelDebug, text)

// Traces the enclosing scope at level 6 when that level is on.
#define LV_LOG_FUNC(text)                                                                          \
    ::lvlogger::LvLoggerFunc lvLoggerFunc_(text, QString::fromUtf8(__func__),                      \
                                           QString::fromUtf8(__FILE__), __LINE__)
