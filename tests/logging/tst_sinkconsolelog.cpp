// The console sink's lines: level labels, colours, trimming and templates.
#include "logging/lvlogger.h"
#include "logging/sinkconsolelog.h"

#include <QtTest>

using namespace lvlogger;

namespace {
const QString ESC = QStringLiteral("\x1b");
}

class TstSinkConsoleLog : public QObject
{
    Q_OBJECT

private:
    QString line(SinkConsoleLog& sink, LogLevel level, const QString& text)
    {
        return sink.consoleLine(QStringLiteral("TS"), QStringLiteral("0123456789abcdef"), text, level,
                                QStringLiteral("openDevice"), QStringLiteral("a.cpp"), 9);
    }

private slots:
    void init()
    {
        ENABLE_LOG_SINK_CONSOLE = true;
        ENABLE_CONSOLE_COLOR = true;
        ENABLE_CONSOLE_TRIMMED = true;
    }

    void cleanup() { ENABLE_LOG_SINK_CONSOLE = false; }

    void loggerGivesTheConsoleItsTemplates()
    {
        QObject parent;
        LvLogger* logger = LvLogger::createInstance(&parent);
        logger->setLogLevels_console(EnableLogLevels(true, true, true, true, true, true, true, true));
        QCOMPARE(logger->getLogLevels_console(),
                 EnableLogLevels(true, true, true, true, true, true, true, true));
        QVERIFY(logger->addLogFilter_console(QRegularExpression("x")));
        QVERIFY(!logger->addLogFilter_console(QRegularExpression("[")));
        const SinkConsoleLog* sink = parent.findChild<SinkConsoleLog*>();
        QVERIFY(sink);
        QCOMPARE(sink->getLogFormat(), QStringLiteral("<TEXT>"));
        QCOMPARE(sink->getLogFormatInt(), QString::fromLatin1(LOG_FORMAT_INTERNAL_DEFAULT));
    }

    void colouredLines_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("expected");
        QTest::newRow("fatal") << 0 << ESC + "[0;40;33;1mFATAL" + ESC + "[0;33m: boom" + ESC + "[0m\n";
        QTest::newRow("error") << 1 << ESC + "[0;47;31;1mERROR" + ESC + "[0;31m: boom" + ESC + "[0m\n";
        QTest::newRow("warning") << 2 << ESC + "[0;40;36;1mWARNING" + ESC + "[0;36m: boom" + ESC + "[0m\n";
        QTest::newRow("note: no reset") << 3 << ESC + "[0;40;37;1mNOTE" + ESC + "[0m: boom\n";
        QTest::newRow("info: plain") << 4 << QStringLiteral("boom\n");
        QTest::newRow("debug") << 5 << ESC + "[0;47;35;1mDEBUG" + ESC + "[0;35m: boom" + ESC + "[0m\n";
        QTest::newRow("function: green") << 6 << ESC + "[0;32mboom (openDevice)" + ESC + "[0m\n";
        QTest::newRow("internal") << 7 << QStringLiteral("TS [0123456789abcdef] [-] boom\n");
    }

    void colouredLines()
    {
        QFETCH(int, level);
        SinkConsoleLog sink;
        sink.setLogFormat(QStringLiteral("<TEXT>"), QString::fromLatin1(LOG_FORMAT_INTERNAL_DEFAULT));
        sink.setLogLevels(EnableLogLevels(true, true, true, true, true, true, true, true));
        QTEST(line(sink, static_cast<LogLevel>(level), QStringLiteral(" boom ")), "expected");
    }

    void plainLinesAndUntrimmedText()
    {
        SinkConsoleLog sink;
        sink.setLogFormat(QStringLiteral("<TEXT>"), QStringLiteral("<TEXT>"));
        sink.setLogLevels(EnableLogLevels(true, true, true, true, true, true, true, true));
        ENABLE_CONSOLE_COLOR = false;
        QCOMPARE(line(sink, LevelError, "x"), QStringLiteral("ERROR: x\n"));
        QCOMPARE(line(sink, LevelFunction, "x"), QStringLiteral("x (openDevice)\n"));
        ENABLE_CONSOLE_TRIMMED = false;
        QCOMPARE(line(sink, LevelInfo, " spaced  "), QStringLiteral(" spaced  \n"));
        QCOMPARE(line(sink, LevelFunction, " spaced  "), QStringLiteral("spaced (openDevice)\n"));
        QCOMPARE(line(sink, LevelInternal, " spaced  "), QStringLiteral("spaced\n"));
        QCOMPARE(line(sink, LevelInfo, ""), QStringLiteral("?\n"));
        QCOMPARE(line(sink, LevelFunction, ""), QStringLiteral("- (openDevice)\n"));
    }

    void droppedRecords()
    {
        SinkConsoleLog sink;
        QVERIFY(line(sink, LevelDebug, "x").isNull());           // off in its set
        QVERIFY(line(sink, static_cast<LogLevel>(8), "x").isNull());
        QVERIFY(sink.addLogFilter(QRegularExpression("usb")));
        QVERIFY(line(sink, LevelError, "timer").isNull());
        QVERIFY(!line(sink, LevelInternal, "timer").isNull());  // level 7 skips filters
        ENABLE_LOG_SINK_CONSOLE = false;
        QVERIFY(line(sink, LevelError, "usb").isNull());
    }
};

QTEST_GUILESS_MAIN(TstSinkConsoleLog)
#include "tst_sinkconsolelog.moc"
