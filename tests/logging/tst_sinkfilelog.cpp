// The file sink: name checks, opening, per-record flushing and rolling.
#include "logging/lvlogger.h"
#include "logging/sinkfilelog.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "lvtestfiles.h"

using namespace lvlogger;

namespace {

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QStringList messages;
void collectMessages(QtMsgType, const QMessageLogContext&, const QString& message)
{
    messages.append(message);
}

} // namespace

class TstSinkFileLog : public QObject
{
    Q_OBJECT

private:
    // One record of level 4 with a sequence number as text.
    static void write(SinkFileLog& sink, int number)
    {
        sink.slotLog(LvLogger::timeStamp(), LvLogger::threadId(),
                     QStringLiteral("record %1 %2").arg(number).arg(QString(40, 'x')), LevelInfo,
                     QStringLiteral("write"), QStringLiteral("tst.cpp"), 1);
    }

    // Sequence numbers of the records in a file, in file order.
    static QList<int> numbers(const QString& path)
    {
        QList<int> result;
        static const QRegularExpression re(QStringLiteral(" record (\\d+) x+ "));
        for (const QString& line : lvtest::readLines(path)) {
            const auto match = re.match(line);
            if (match.hasMatch())
                result.append(match.captured(1).toInt());
        }
        return result;
    }

private slots:
    void init()
    {
        ENABLE_LOG_SINK_FILE = true;
        ENABLE_CONSOLE_LOG_FILE_STATE = true;
        messages.clear();
        qInstallMessageHandler(collectMessages);
    }

    void cleanup() { qInstallMessageHandler(nullptr); }

    void refusesNamesNotEndingInLog_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("upper case") << QStringLiteral("a.LOG");
        QTest::newRow("further suffix") << QStringLiteral("a.log.old");
        QTest::newRow("no suffix") << QStringLiteral("alog");
    }

    void refusesNamesNotEndingInLog()
    {
        QFETCH(QString, name);
        QTemporaryDir dir;
        SinkFileLog sink(nullptr, QStringLiteral("main"));
        const QString good = dir.filePath("good.log");
        QVERIFY(sink.setLogFileName(good, 1000, 3));
        messages.clear();
        QVERIFY(!sink.setLogFileName(dir.filePath(name), 5000, 5));
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages.first(), QStringLiteral("Name of log-file not ending with '.log' \"%1\" role \"main\"")
                                       .arg(dir.filePath(name)));
        // The old settings and the open file stay.
        QCOMPARE(sink.logFileName(), good);
        QCOMPARE(sink.logFileRotationSize(), 1000u);
        QVERIFY(sink.isLogFileOpen());
        QVERIFY(!QFile::exists(dir.filePath(name)));
    }

    void boundsOfSizeAndMaximum_data()
    {
        QTest::addColumn<uint>("size");
        QTest::addColumn<uint>("maximum");
        QTest::addColumn<uint>("expectedSize");
        QTest::addColumn<uint>("expectedMaximum");
        QTest::newRow("zero") << 0u << 0u << 100u << 1u;
        QTest::newRow("99") << 99u << 99u << 100u << 99u;
        QTest::newRow("100") << 100u << 100u << 100u << 99u;
        QTest::newRow("150") << 10485760u << 150u << 10485760u << 99u;
    }

    void boundsOfSizeAndMaximum()
    {
        QFETCH(uint, size);
        QFETCH(uint, maximum);
        QTemporaryDir dir;
        SinkFileLog sink(nullptr, QStringLiteral("main"));
        QVERIFY(sink.setLogFileName(dir.filePath("b.log"), size, maximum));
        QTEST(sink.logFileRotationSize(), "expectedSize");
        QTEST(sink.logFileMaxNumber(), "expectedMaximum");
    }

    void copyNamesKeepTheFolder()
    {
        QTemporaryDir dir;
        SinkFileLog sink(nullptr, QStringLiteral("main"));
        const QString name = dir.filePath("x.log/app.log");
        QVERIFY(sink.setLogFileName(name, 100, 10));
        QCOMPARE(sink.copyFileName(1), dir.filePath("x.log/app_01.log"));
        QCOMPARE(sink.copyFileName(10), dir.filePath("x.log/app_10.log"));
    }

    void createsMissingFolderAndFlushesEachRecord()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath("home/user/Documents/App.log");
        SinkFileLog sink(nullptr, QStringLiteral("main"));
        QVERIFY(sink.setLogFileName(name, 10485760, 10));
        QCOMPARE(messages.value(0), QStringLiteral("Current log-file: \"%1\" role \"main\"").arg(name));
        write(sink, 1);
        // Read while the sink still holds the file: the record must already be on
        // disk, not in the file object's buffer.
        const QStringList lines = lvtest::readLines(name);
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines.at(0).endsWith(QStringLiteral("[-] Start file-log 'main'")));
        QVERIFY(lines.at(1).contains(QStringLiteral(" record 1 ")));
    }

    void recordsAreUtf8AndAppended()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath("u.log");
        writeFile(name, "older line\n");
        SinkFileLog sink(nullptr, QStringLiteral("main"));
        sink.setLogFormat(QStringLiteral("[<LL>] <TEXT>"), QStringLiteral("[<LL>] <TEXT>"));
        QVERIFY(sink.setLogFileName(name, 10485760, 10));
        sink.slotLog(QString(), QString(), QStringLiteral("Grüße ✓"), LevelError, {}, {}, 0);
        QFile file(name);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("older line\n[-] Start file-log 'main'\n[E] Gr\xc3\xbc\xc3\x9f"
                                            "e \xe2\x9c\x93\n"));
    }

    void startRecordOnlyOnceAndOnlyWithLevelSeven()
    {
        QTemporaryDir dir;
        SinkFileLog quiet(nullptr, QStringLiteral("main"));
        SetLogLevelDebug();
        quiet.setLogLevels(ENABLE_LOG_LEVELS);
        QVERIFY(quiet.setLogFileName(dir.filePath("q.log"), 1000, 2));
        QVERIFY(lvtest::readLines(dir.filePath("q.log")).isEmpty());

        SinkFileLog sink(nullptr, QStringLiteral("extra"));
        QVERIFY(sink.setLogFileName(dir.filePath("s.log"), 1000, 2));
        QVERIFY(sink.setLogFileName(dir.filePath("s.log"), 1000, 2));
        QCOMPARE(lvtest::readLines(dir.filePath("s.log")).size(), 1);
    }

    void droppedWhileClosedOrSwitchedOff()
    {
        QTemporaryDir dir;
        SinkFileLog sink(nullptr, QStringLiteral("main"));
        write(sink, 1); // no file yet: lost without a report
        QVERIFY(messages.isEmpty());
        QVERIFY(sink.setLogFileName(dir.filePath("d.log"), 1000, 2));
        ENABLE_LOG_SINK_FILE = false;
        write(sink, 2);
        ENABLE_LOG_SINK_FILE = true;
        write(sink, 3);
        QCOMPARE(numbers(dir.filePath("d.log")), QList<int>{3});
    }

    void rollsIntoTenCopiesAndDropsTheOldest()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath("roll.log");
        SinkFileLog sink(nullptr, QStringLiteral("main"));
        QVERIFY(sink.setLogFileName(name, 200, 10));

        int next = 0;
        for (int roll = 0; roll < 12; ++roll) {
            for (int i = 0; i < 4; ++i)
                write(sink, next++);
            sink.slotCheckLogFileActivity();
        }
        write(sink, next++);

        for (int n = 1; n <= 10; ++n)
            QVERIFY2(QFile::exists(sink.copyFileName(n)), qPrintable(sink.copyFileName(n)));
        QVERIFY(!QFile::exists(sink.copyFileName(11)));

        // Oldest copy first, current file last: one unbroken, ordered series.
        QList<int> all;
        for (int n = 10; n >= 1; --n)
            all += numbers(sink.copyFileName(n));
        all += numbers(name);
        QCOMPARE(all.size(), 41); // two rolls' worth of 4 records each went with the oldest copies
        for (int i = 0; i < all.size(); ++i)
            QCOMPARE(all.at(i), 8 + i);

        // The rolling records sit on both sides of a roll.
        QVERIFY(lvtest::readLines(sink.copyFileName(1)).last().contains(
            QRegularExpression(QStringLiteral("\\[-\\] Current log-file 'main' size=\\d+ \\(rotation-size=200\\) --> rolling$"))));
        QVERIFY(lvtest::readLines(name).first().contains(
            QRegularExpression(QStringLiteral("\\[-\\] Log-file 'main' rolling done \\(time elapsed: \\d+ ms\\)$"))));
        QVERIFY(messages.contains(QStringLiteral("Removed \"%1\" role \"main\"").arg(sink.copyFileName(10))));
        QVERIFY(messages.contains(QStringLiteral("Moved \"%1\" to \"%2\" role \"main\"")
                                      .arg(name, sink.copyFileName(1))));
    }

    void noRollWithoutActivityOrBelowSize()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath("idle.log");
        SinkFileLog sink(nullptr, QStringLiteral("main"));
        QVERIFY(sink.setLogFileName(name, 100000, 3));
        write(sink, 1);
        sink.slotCheckLogFileActivity(); // below the size
        QVERIFY(!QFile::exists(sink.copyFileName(1)));

        QVERIFY(sink.setLogFileName(name, 100, 3));
        sink.slotCheckLogFileActivity(); // nothing written since the last check
        QVERIFY(!QFile::exists(sink.copyFileName(1)));
        write(sink, 2);
        sink.slotCheckLogFileActivity();
        QVERIFY(QFile::exists(sink.copyFileName(1)));
    }

    void maximumOneAndGapsInTheSeries()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath("one.log");
        writeFile(dir.filePath("one_01.log"), "old copy\n");
        SinkFileLog single(nullptr, QStringLiteral("main"));
        QVERIFY(single.setLogFileName(name, 100, 1));
        for (int i = 0; i < 3; ++i)
            write(single, i);
        single.checkLogFileRolling();
        QCOMPARE(numbers(dir.filePath("one_01.log")), (QList<int>{0, 1, 2}));
        QVERIFY(!QFile::exists(dir.filePath("one_02.log")));

        const QString gap = dir.filePath("gap.log");
        writeFile(dir.filePath("gap_01.log"), "c1\n");
        writeFile(dir.filePath("gap_03.log"), "c3\n");
        SinkFileLog sink(nullptr, QStringLiteral("main"));
        QVERIFY(sink.setLogFileName(gap, 100, 5));
        for (int i = 0; i < 3; ++i)
            write(sink, i);
        sink.checkLogFileRolling();
        QCOMPARE(numbers(dir.filePath("gap_01.log")), (QList<int>{0, 1, 2}));
        QCOMPARE(lvtest::readLines(dir.filePath("gap_02.log")), QStringList{"c1"});
        QVERIFY(!QFile::exists(dir.filePath("gap_03.log")));
        QCOMPARE(lvtest::readLines(dir.filePath("gap_04.log")), QStringList{"c3"});
    }

    void timerDrivesTheCheck()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath("timer.log");
        SinkFileLog sink(nullptr, QStringLiteral("main"));
        sink.setActivityCheckInterval(20);
        QVERIFY(sink.setLogFileName(name, 100, 3));
        for (int i = 0; i < 5; ++i)
            write(sink, i);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(sink.copyFileName(1)), 2000);
        write(sink, 5);
        // The reopen armed the next check: a second roll follows on its own.
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(sink.copyFileName(2)), 2000);
        QCOMPARE(numbers(sink.copyFileName(2)) + numbers(sink.copyFileName(1)) + numbers(name),
                 (QList<int>{0, 1, 2, 3, 4, 5}));
    }

    void writeFailureIsReportedOnce()
    {
        if (!QFileInfo(QStringLiteral("/dev/full")).isWritable())
            QSKIP("needs /dev/full");
        QTemporaryDir dir;
        const QString name = dir.filePath("full.log");
        QVERIFY(QFile::link(QStringLiteral("/dev/full"), name));
        SinkFileLog sink(nullptr, QStringLiteral("main"));
        QVERIFY(sink.setLogFileName(name, 1000, 3));
        write(sink, 1);
        write(sink, 2);
        QStringList failures = messages.filter(QStringLiteral("Write log-file failed!"));
        QCOMPARE(failures.size(), 1);
        QVERIFY(failures.first().startsWith(QStringLiteral("Write log-file failed! \"%1\" role \"main\"").arg(name)));
    }

    void failedOpenIsReportedAndRetried()
    {
        QTemporaryDir dir;
        const QString blocker = dir.filePath("blocker");
        writeFile(blocker, "a file where a folder should be");
        const QString name = blocker + "/app.log";
        SinkFileLog sink(nullptr, QStringLiteral("main"));
        sink.setActivityCheckInterval(20);
        QVERIFY(!sink.setLogFileName(name, 1000, 3));
        QVERIFY(!sink.isLogFileOpen());
        QCOMPARE(messages.value(0), QStringLiteral("Open log-file failed! \"%1\" role \"main\"").arg(name));
        write(sink, 1); // lost: nothing to write to

        QVERIFY(QFile::remove(blocker));
        QTRY_VERIFY_WITH_TIMEOUT(sink.isLogFileOpen(), 2000);
        QCOMPARE(messages.count(QStringLiteral("Open log-file failed! \"%1\" role \"main\"").arg(name)), 1);
        write(sink, 2);
        QCOMPARE(numbers(name), QList<int>{2});
    }
};

QTEST_GUILESS_MAIN(TstSinkFileLog)
#include "tst_sinkfilelog.moc"
