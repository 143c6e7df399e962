#pragma once

#include "logging/sink.h"

#include <QTimer>

class QFile;

namespace lvlogger {

// Writes records into a UTF-8 text file and rolls it once it has grown past the
// rotation size: the current file becomes copy _01, older copies move up one
// number and the one beyond the maximum is deleted. Lives on the logger's thread.
class SinkFileLog : public Sink
{
    Q_OBJECT

public:
    static constexpr int ACTIVITY_CHECK_INTERVAL_MS = 5000;

    SinkFileLog(QObject* parent, const QString& role);
    ~SinkFileLog() override;

    // Validates and stores the settings, then opens the file (creating its
    // folder when missing); true when the file is open.
    bool setLogFileName(const QString& logFileName, unsigned int logFileRotationSize,
                        unsigned int logFileMaxNumber);
    // (Re)opens the file under the stored name; true on success.
    bool checkLogFileOpen();
    // Size check and rolling.
    void checkLogFileRolling();

    QString role() const { return m_role; }
    QString logFileName() const { return m_logFileName; }
    unsigned int logFileRotationSize() const { return m_logFileRotationSize; }
    unsigned int logFileMaxNumber() const { return m_logFileMaxNumber; }
    bool isLogFileOpen() const;
    // Name of numbered copy `number` (1 = newest) beside the current file.
    QString copyFileName(unsigned int number) const;

    // Period of the activity check; 5000 ms unless changed (tests shorten it).
    void setActivityCheckInterval(int msec);

public slots:
    void slotLog(const QString& ts, const QString& tid, const QString& text, LogLevel logLevel,
                 const QString& functionName, const QString& fileName, unsigned int lineNumber);
    void slotCheckLogFileActivity();

private:
    void logInternal(const QString& text);
    bool moveFile(const QString& from, const QString& to) const;

    // All members are used on the logger's thread only.
    QString m_role;
    QString m_logFileName;
    unsigned int m_logFileRotationSize = 0;
    unsigned int m_logFileMaxNumber = 0;
    QFile* m_file = nullptr;           // owned; null while no file is open
    bool m_activity = false;           // a record was written since the last check
    bool m_startLogged = false;        // the start record was produced once
    bool m_openFailureReported = false; // retries after a failed open stay quiet
    bool m_writeFailureReported = false;
    QTimer m_checkTimer;               // single shot; one check chain per sink
};

} // namespace lvlogger
