// The logger object: instance life, stamping, the caller macros, per-sink
// settings, the function trace and records from several threads.
#include "logging/lvlogger.h"
#include "logging/sinkfilelog.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include "lvtestfiles.h"

#include <memory>

using namespace lvlogger;

namespace {

QStringList debugMessages;
void collectMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtDebugMsg)
        debugMessages.append(message);
}

int textBuilds = 0;
// Counts how often a record's text was actually built.
QString countedText()
{
    ++textBuilds;
    return QStringLiteral("built");
}

const char* const TS_RE = "\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3}";

} // namespace

// Receives the signal sink's records through the string-based connection.
class SignalReceiver : public QObject
{
    Q_OBJECT
public:
    QStringList received;
public slots:
    void onLogMessage(lvlogger::LogLevel, const QString& message) { received.append(message); }
};

class TstLvLogger : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QObject> m_parent;

    QString logPath() const { return m_dir->filePath("Documents/App.log"); }

    // The start-up's configuration, in its order.
    LvLogger* startLikeTheProgram(const QString& format, const QString& formatInt)
    {
        LvLogger* logger = LvLogger::createInstance(m_parent.get());
        logger->setLogFormat_file(format, formatInt);
        SetLogLevelDebug();
        logger->setLogLevels_file(ENABLE_LOG_LEVELS);
        if (!logger->setLogFileName(logPath(), 10485760, 10))
            return nullptr;
        return logger;
    }

private slots:
    void init()
    {
        m_dir.reset(new QTemporaryDir);
        m_parent.reset(new QObject);
        ENABLE_LOG_LEVELS = EnableLogLevels();
        ENABLE_FUNCTION_STACK_TRACE = true;
        ENABLE_LOG_SINK_QDEBUG = false;
        ENABLE_LOG_SINK_SIGNAL = false;
        ENABLE_CONSOLE_LOG_FILE_STATE = false;
    }

    void cleanup()
    {
        m_parent.reset();
        QVERIFY(!LvLogger::getInstance());
        m_dir.reset();
    }

    void instanceLifetime()
    {
        QVERIFY(!LvLogger::getInstance());
        LV_LOG_INFO("nobody listens"); // no logger: nothing happens, no crash

        LvLogger* first = LvLogger::createInstance(m_parent.get());
        QCOMPARE(LvLogger::getInstance(), first);
        QVERIFY(first->sinkFileLog("main"));
        first->setLogLevels_file(EnableLogLevels(false, true, false, false, false, false, false, false));
        QPointer<SinkFileLog> oldSink = first->sinkFileLog("main");

        LvLogger* second = LvLogger::createInstance(m_parent.get());
        QCOMPARE(LvLogger::getInstance(), second);
        QVERIFY(oldSink.isNull()); // the first logger went with its sinks
        QCOMPARE(second->getLogLevels_file(), EnableLogLevels());

        delete second;
        QVERIFY(!LvLogger::getInstance());
        LV_LOG_ERROR("after the logger is gone");
    }

    void stamps()
    {
        QVERIFY(QRegularExpression(QStringLiteral("^%1$").arg(TS_RE)).match(LvLogger::timeStamp()).hasMatch());
        const QString tid = LvLogger::threadId();
        QVERIFY(QRegularExpression(QStringLiteral("^[0-9a-f]{16}$")).match(tid).hasMatch());
        QCOMPARE(tid.toULongLong(nullptr, 16),
                 static_cast<quint64>(reinterpret_cast<quintptr>(QThread::currentThreadId())));
    }

    void timeStampFollowsTheLocalZone()
    {
        const QByteArray oldTz = qgetenv("TZ");
        const bool hadTz = qEnvironmentVariableIsSet("TZ");
        // Five and a half hours east of UTC, no daylight saving.
        qputenv("TZ", "XYZ-05:30");
        QTest::qWait(1100); // the zone is looked up again once the second changes
        const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(5 * 3600 + 1800);
        const QString ts = LvLogger::timeStamp();
        const QDateTime after = QDateTime::currentDateTimeUtc().addSecs(5 * 3600 + 1800);
        if (hadTz)
            qputenv("TZ", oldTz);
        else
            qunsetenv("TZ");
        QTest::qWait(1100);
        const QDateTime stamped = QDateTime::fromString(ts, QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"));
        QVERIFY2(stamped.isValid(), qPrintable(ts));
        const QString format = QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz");
        QVERIFY2(ts >= before.toString(format) && ts <= after.toString(format),
                 qPrintable(ts + " " + before.toString(format)));

        const QDateTime local = QDateTime::fromString(LvLogger::timeStamp(), format);
        QVERIFY(qAbs(local.msecsTo(QDateTime::currentDateTime())) < 1000);
    }

    void defaultRecordFormatInTheFile()
    {
        LvLogger* logger = LvLogger::createInstance(m_parent.get());
        QVERIFY(logger->setLogFileName(logPath(), 10485760, 10));
        LV_LOG_INFO("  first <TS> record " << 7 << "\n"); const int line = __LINE__;
        const QStringList lines = lvtest::readLines(logPath());
        QCOMPARE(lines.size(), 2);
        const QRegularExpression start(QStringLiteral("^%1 \\[[0-9a-f]{16}\\] \\[-\\] Start file-log 'main'$").arg(TS_RE));
        QVERIFY2(start.match(lines.at(0)).hasMatch(), qPrintable(lines.at(0)));
        const QRegularExpression record(
            QStringLiteral("^%1 \\[%2\\] \\[I\\] first <TS> record 7 \\(%3@%4:%5\\)$")
                .arg(TS_RE, LvLogger::threadId(), "defaultRecordFormatInTheFile",
                     QStringLiteral("tst_lvlogger\\.cpp"), QString::number(line)));
        QVERIFY2(record.match(lines.at(1)).hasMatch(), qPrintable(lines.at(1)));
    }

    void startUpFormatAndLevels()
    {
        LvLogger* logger = startLikeTheProgram(QStringLiteral("<TS> [<LL>] <TEXT> [<FUNC>@<FILE>:<LINE>]"),
                                               QStringLiteral("<TS> [<LL>] <TEXT>"));
        QVERIFY(logger);
        LV_LOG_ERROR("device lost"); const int errorLine = __LINE__;
        LV_LOG_DEBUG("a debug detail");
        LV_LOG(LevelFunction, "never: level 6 is off");
        LV_LOG(LevelInternal, "never: level 7 is off");
        logger->log(QStringLiteral("level 6 past the flag"), LevelFunction, "f", "f.cpp", 1);
        logger->log(QStringLiteral("beyond the table"), static_cast<LogLevel>(9), "f", "f.cpp", 1);
        logger->log(QStringLiteral("no file"), LevelWarning, "f", nullptr, 3);

        const QStringList lines = lvtest::readLines(logPath());
        QCOMPARE(lines.size(), 3); // no start line: level 7 is off in the sink
        const QRegularExpression error(QStringLiteral("^%1 \\[E\\] device lost \\[startUpFormatAndLevels@%2:%3\\]$")
                                           .arg(TS_RE, QStringLiteral("tst_lvlogger\\.cpp"),
                                                QString::number(errorLine)));
        QVERIFY2(error.match(lines.at(0)).hasMatch(), qPrintable(lines.at(0)));
        QVERIFY(lines.at(1).contains("[D] a debug detail [startUpFormatAndLevels@"));
        QVERIFY(lines.at(2).endsWith("[W] no file [f@:3]"));
    }

    void disabledLevelBuildsNoText()
    {
        LvLogger* logger = LvLogger::createInstance(m_parent.get());
        QVERIFY(logger->setLogFileName(logPath(), 10485760, 10));
        SetLogLevelError();
        textBuilds = 0;
        LV_LOG_INFO(countedText());
        LV_LOG(LevelDebug, countedText());
        QCOMPARE(textBuilds, 0);
        LV_LOG_ERROR(countedText());
        QCOMPARE(textBuilds, 1);
        SetLogLevelAllFalse();
        LV_LOG_ERROR(countedText());
        QCOMPARE(textBuilds, 1);
        const QStringList lines = lvtest::readLines(logPath());
        QCOMPARE(lines.size(), 2); // start line and the one error
        QVERIFY(lines.at(1).contains("[E] built"));
    }

    void missingRoleAndExtraRole()
    {
        LvLogger* logger = LvLogger::createInstance(m_parent.get());
        SetLogLevelInfor();
        QCOMPARE(logger->getLogLevels_file("nope"), ENABLE_LOG_LEVELS);
        QCOMPARE(logger->getLogLevels_syslog(), ENABLE_LOG_LEVELS);
        QVERIFY(!logger->setLogFileName("nope", m_dir->filePath("n.log"), 1000, 2));
        QVERIFY(!logger->addLogFilter_file("nope", QRegularExpression("x")));
        QVERIFY(!logger->addLogFilter_file(QRegularExpression("(")));
        QVERIFY(!logger->addLogFilter_syslog(QRegularExpression("x")));
        QVERIFY(!QFile::exists(m_dir->filePath("n.log")));

        logger->addSinkFileLog("usb");
        SinkFileLog* usb = logger->sinkFileLog("usb");
        logger->addSinkFileLog("usb"); // existing role: kept
        QCOMPARE(logger->sinkFileLog("usb"), usb);
        logger->setLogFormat_file("usb", "<TEXT>", "<TEXT>");
        QVERIFY(logger->addLogFilter_file("usb", QRegularExpression("usb")));
        QVERIFY(logger->setLogFileName("usb", m_dir->filePath("usb.log"), 1000, 2));
        LV_LOG_INFO("libusb opened");
        LV_LOG_INFO("timer fired");
        QCOMPARE(lvtest::readLines(m_dir->filePath("usb.log")), (QStringList{"Start file-log 'usb'", "libusb opened"}));
    }

    void functionTrace()
    {
        LvLogger* logger = LvLogger::createInstance(m_parent.get());
        logger->setLogFormat_file("<LL> <TEXT>", "<TEXT>");
        logger->setLogLevels_file(EnableLogLevels(true, true, true, true, true, true, true, false));
        QVERIFY(logger->setLogFileName(logPath(), 10485760, 10));
        logger->logFuncBegin("a", "fa", "f.cpp", 1);
        logger->logFuncBegin("b", "fb", "f.cpp", 2);
        logger->logFuncEnd("b", "fb", "f.cpp", 3);
        logger->logFuncEnd("a", "fa", "f.cpp", 4);
        logger->logFuncEnd("x", "fx", "f.cpp", 5); // end without a begin
        logger->logFuncBegin("", "fy", "f.cpp", 6);
        logger->logFuncEnd("", "fy", "f.cpp", 7);
        ENABLE_FUNCTION_STACK_TRACE = false;
        logger->logFuncBegin("bare", "fz", "f.cpp", 8);
        logger->logFuncEnd("bare", "fz", "f.cpp", 9);
        QCOMPARE(lvtest::readLines(logPath()),
                 (QStringList{"F \\ a", "F .\\ b", "F ./ b", "F / a", "F / x", "F \\", "F /", "F bare"}));

        // The guard traces only while level 6 is on.
        ENABLE_FUNCTION_STACK_TRACE = true;
        {
            LV_LOG_FUNC("off");
        }
        ENABLE_LOG_LEVELS.setEnabled(LevelFunction, true);
        {
            LV_LOG_FUNC("guarded");
        }
        const QStringList lines = lvtest::readLines(logPath());
        QCOMPARE(lines.mid(8), (QStringList{"F \\ guarded", "F / guarded"}));
    }

    void qDebugAndSignalSinks()
    {
        LvLogger* logger = LvLogger::createInstance(m_parent.get());
        SignalReceiver receiver;
        QVERIFY(logger->connectSinkSignalLog(&receiver, SLOT(onLogMessage(lvlogger::LogLevel, QString)),
                                             Qt::DirectConnection));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("No such slot SignalReceiver::noSuchSlot"));
        QVERIFY(!logger->connectSinkSignalLog(&receiver, SLOT(noSuchSlot()), Qt::DirectConnection));
        logger->setLogFormat_signal("<LL>:<TEXT>", "<TEXT>");
        logger->setLogFormat_qDebug("q <LL>:<TEXT> 100%", "<TEXT>");
        debugMessages.clear();
        qInstallMessageHandler(collectMessages);
        LV_LOG_INFO("off");
        ENABLE_LOG_SINK_QDEBUG = true;
        ENABLE_LOG_SINK_SIGNAL = true;
        LV_LOG_WARNING("on");
        ENABLE_LOG_SINK_QDEBUG = false;
        ENABLE_LOG_SINK_SIGNAL = false;
        qInstallMessageHandler(nullptr);
        QCOMPARE(debugMessages, QStringList{"q W:on 100%"});
        QCOMPARE(receiver.received, QStringList{"W:on"});
    }

    void fourThreadsKeepEveryRecordInOrder()
    {
        LvLogger* logger = LvLogger::createInstance(m_parent.get());
        logger->setLogFormat_file("[<TID>] <TEXT>", "<TEXT>");
        QVERIFY(logger->setLogFileName(logPath(), 1u << 30, 10));
        constexpr int threadCount = 4;
        constexpr int perThread = 10000;
        QList<QThread*> threads;
        for (int t = 0; t < threadCount; ++t) {
            threads.append(QThread::create([t] {
                for (int i = 0; i < perThread; ++i)
                    LV_LOG_INFO("thread " << t << " record " << i << " " << QString(30, QChar('a' + t)));
            }));
        }
        for (QThread* thread : threads)
            thread->start();
        // Records from the workers are delivered by this thread's event loop.
        for (QThread* thread : threads) {
            while (!thread->wait(5))
                QCoreApplication::processEvents();
        }
        qDeleteAll(threads);
        QCoreApplication::processEvents();

        const QStringList lines = lvtest::readLines(logPath());
        QCOMPARE(lines.size(), threadCount * perThread + 1);
        const QRegularExpression re(QStringLiteral("^\\[([0-9a-f]{16})\\] thread (\\d) record (\\d+) ([a-d]{30})$"));
        int next[threadCount] = {};
        QString tids[threadCount];
        for (int i = 1; i < lines.size(); ++i) {
            const auto match = re.match(lines.at(i));
            QVERIFY2(match.hasMatch(), qPrintable(lines.at(i)));
            const int t = match.captured(2).toInt();
            QCOMPARE(match.captured(3).toInt(), next[t]++);
            QCOMPARE(match.captured(4), QString(30, QChar('a' + t)));
            if (tids[t].isEmpty())
                tids[t] = match.captured(1);
            QCOMPARE(match.captured(1), tids[t]);
        }
        for (int t = 0; t < threadCount; ++t)
            QCOMPARE(next[t], perThread);
    }

    // A device thread's record made before one of the logger's own thread is written
    // first, although the logger's thread runs no event loop meanwhile (start-up).
    void recordsOfAllThreadsInTheOrderMade()
    {
        LvLogger::createInstance(m_parent.get())->setLogFormat_file("<TEXT>", "<TEXT>");
        QVERIFY(LvLogger::getInstance()->setLogFileName(logPath(), 10485760, 10));
        std::unique_ptr<QThread> device(QThread::create([] { LV_LOG_INFO("device"); }));
        device->start();
        QVERIFY(device->wait(10000));
        LV_LOG_INFO("gui");
        QCOMPARE(lvtest::readLines(logPath()).mid(1), (QStringList{"device", "gui"}));   // after the start line
    }

    void queuedRecordsReachTheFileAtShutdown()
    {
        LvLogger* logger = LvLogger::createInstance(m_parent.get());
        logger->setLogFormat_file("<TEXT>", "<TEXT>");
        QVERIFY(logger->setLogFileName(logPath(), 10485760, 10));
        QThread* worker = QThread::create([] {
            for (int i = 0; i < 100; ++i)
                LV_LOG_INFO("late " << i);
        });
        worker->start();
        QVERIFY(worker->wait(10000));
        delete worker;
        // No event loop ran: the records are still queued when the logger goes.
        m_parent.reset();
        const QStringList lines = lvtest::readLines(logPath());
        QCOMPARE(lines.size(), 101);
        QCOMPARE(lines.last(), QStringLiteral("late 99"));
    }

    void loggingWhileTheLoggerIsDestroyed()
    {
        // Workers keep logging while the logger is torn down and rebuilt: they
        // must neither crash nor post to a dead logger.
        LvLogger::createInstance(m_parent.get());
        QAtomicInt stop(0);
        QList<QThread*> threads;
        for (int t = 0; t < 3; ++t) {
            threads.append(QThread::create([&stop] {
                while (!stop.loadAcquire())
                    LV_LOG_ERROR("churn");
            }));
            threads.last()->start();
        }
        for (int round = 0; round < 50; ++round) {
            LvLogger* logger = LvLogger::createInstance(m_parent.get());
            logger->setLogFormat_file("<TEXT>", "<TEXT>");
            QVERIFY(logger->setLogFileName(logPath(), 10485760, 10));
            QCoreApplication::processEvents();
        }
        delete LvLogger::getInstance();
        QVERIFY(!LvLogger::getInstance());
        stop.storeRelease(1);
        for (QThread* thread : threads)
            QVERIFY(thread->wait(10000));
        qDeleteAll(threads);
        QCoreApplication::processEvents();
        for (const QString& line : lvtest::readLines(logPath()))
            QVERIFY(line == "churn" || line == "Start file-log 'main'");
    }
};

QTEST_GUILESS_MAIN(TstLvLogger)
#include "tst_lvlogger.moc"
