#include "logging/sinkfilelog.h"

#include "logging/lvlogger.h"

#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

namespace lvlogger {

SinkFileLog::SinkFileLog(QObject* parent, const QString& role)
    : Sink(parent)
    , m_role(role)
{
    m_checkTimer.setSingleShot(true);
    m_checkTimer.setInterval(ACTIVITY_CHECK_INTERVAL_MS);
    connect(&m_checkTimer, &QTimer::timeout, this, &SinkFileLog::slotCheckLogFileActivity);
}

SinkFileLog::~SinkFileLog()
{
    if (m_file) {
        m_file->close();
        delete m_file;
        m_file = nullptr;
    }
}

bool SinkFileLog::isLogFileOpen() const
{
    return m_file && m_file->isOpen();
}

QString SinkFileLog::copyFileName(unsigned int number) const
{
    // Only the final ".log" is replaced, so a folder named "x.log" stays as it is.
    return m_logFileName.left(m_logFileName.size() - 4)
           + QStringLiteral("_%1.log").arg(number, 2, 10, QLatin1Char('0'));
}

void SinkFileLog::setActivityCheckInterval(int msec)
{
    m_checkTimer.setInterval(qMax(1, msec));
}

bool SinkFileLog::setLogFileName(const QString& logFileName, unsigned int logFileRotationSize,
                                 unsigned int logFileMaxNumber)
{
    if (!logFileName.endsWith(QLatin1String(".log"), Qt::CaseSensitive)) {
        qWarning() << "Name of log-file not ending with '.log'" << logFileName << "role" << m_role;
        return false;
    }
    m_logFileName = logFileName;
    m_logFileRotationSize = qMax(logFileRotationSize, 100u);
    m_logFileMaxNumber = qBound(1u, logFileMaxNumber, 99u);
    m_openFailureReported = false;
    return checkLogFileOpen();
}

bool SinkFileLog::checkLogFileOpen()
{
    if (m_file) {
        if (m_file->isOpen())
            m_file->close();
        delete m_file;
        m_file = nullptr;
    }

    // The Documents folder is often missing on Linux; without it every record
    // would be dropped, so the folder is created.
    const QFileInfo info(m_logFileName);
    QDir().mkpath(info.absolutePath());

    m_file = new QFile(m_logFileName);
    if (!m_file->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        delete m_file;
        m_file = nullptr;
        if (!m_openFailureReported)
            qWarning() << "Open log-file failed!" << m_logFileName << "role" << m_role;
        m_openFailureReported = true;
        // Keep checking: a folder that appears later or a freed disk lets the
        // sink recover instead of dropping every record for the rest of the run.
        if (!m_logFileName.isEmpty())
            m_checkTimer.start();
        return false;
    }
    m_openFailureReported = false;
    m_writeFailureReported = false;

    if (ENABLE_CONSOLE_LOG_FILE_STATE)
        qDebug() << "Current log-file:" << m_logFileName << "role" << m_role;

    m_checkTimer.start();

    if (!m_startLogged) {
        m_startLogged = true;
        logInternal(QStringLiteral("Start file-log '%1'").arg(m_role));
    }
    return true;
}

void SinkFileLog::slotLog(const QString& ts, const QString& tid, const QString& text,
                          LogLevel logLevel, const QString& functionName,
                          const QString& fileName, unsigned int lineNumber)
{
    if (!acceptRecord(ENABLE_LOG_SINK_FILE, logLevel, text))
        return;
    if (!isLogFileOpen())
        return;

    QByteArray line =
        buildRecord(ts, tid, text, logLevel, functionName, fileName, lineNumber).toUtf8();
    line.append('\n');
    // Flushed per record: the last records before a crash must be in the file,
    // and the size check must see what was written.
    const bool written = m_file->write(line) == line.size() && m_file->flush();
    if (!written && !m_writeFailureReported) {
        qWarning() << "Write log-file failed!" << m_logFileName << "role" << m_role
                   << m_file->errorString();
    }
    m_writeFailureReported = !written;
    m_activity = true;
}

void SinkFileLog::slotCheckLogFileActivity()
{
    if (!m_file) {
        // Only a failed open leaves a name without a file: try again.
        if (!m_logFileName.isEmpty())
            checkLogFileOpen();
        return;
    }
    if (!m_activity) {
        m_checkTimer.start();
        return;
    }
    m_activity = false;
    checkLogFileRolling();
}

void SinkFileLog::checkLogFileRolling()
{
    if (!m_file)
        return;

    const qint64 size = QFileInfo(m_logFileName).size();
    if (size < static_cast<qint64>(m_logFileRotationSize)) {
        m_checkTimer.start();
        return;
    }

    logInternal(QStringLiteral("Current log-file '%1' size=%2 (rotation-size=%3) --> rolling")
                    .arg(m_role, QString::number(size),
                         QString::number(m_logFileRotationSize)));

    QElapsedTimer elapsed;
    elapsed.start();

    const QString oldest = copyFileName(m_logFileMaxNumber);
    if (QFile::exists(oldest)) {
        if (QFile::remove(oldest)) {
            if (ENABLE_CONSOLE_LOG_FILE_STATE)
                qDebug() << "Removed" << oldest << "role" << m_role;
        } else {
            qWarning() << "ERROR: Remove" << oldest << "role" << m_role;
        }
    }
    for (unsigned int n = m_logFileMaxNumber - 1; n >= 1; --n) {
        const QString from = copyFileName(n);
        if (QFile::exists(from))
            moveFile(from, copyFileName(n + 1));
    }

    m_file->close();
    if (QFile::exists(m_logFileName))
        moveFile(m_logFileName, copyFileName(1));

    checkLogFileOpen();

    logInternal(QStringLiteral("Log-file '%1' rolling done (time elapsed: %2 ms)")
                    .arg(m_role, QString::number(elapsed.elapsed())));
}

bool SinkFileLog::moveFile(const QString& from, const QString& to) const
{
    if (QFile::rename(from, to)) {
        if (ENABLE_CONSOLE_LOG_FILE_STATE)
            qDebug() << "Moved" << from << "to" << to << "role" << m_role;
        return true;
    }
    qWarning() << "ERROR: Move" << from << "to" << to << "role" << m_role;
    return false;
}

void SinkFileLog::logInternal(const QString& text)
{
    slotLog(LvLogger::timeStamp(), LvLogger::threadId(), text, LevelInternal, QString(), QString(),
            0);
}

} // namespace lvlogger
