// Levels, presets and the record templates shared by every sink.
#include "logging/lvlogger.h"
#include "logging/sinksignallog.h"

#include <QSignalSpy>
#include <QtTest>

using namespace lvlogger;

namespace {

// Public window on the protected record building of the base.
class ProbeSink : public Sink
{
public:
    using Sink::acceptRecord;
    using Sink::buildRecord;
};

const QString TS = QStringLiteral("2024-03-05 07:08:09.010");
const QString TID = QStringLiteral("00007f12345678ab");

} // namespace

class TstSink : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        ENABLE_LOG_LEVELS = EnableLogLevels();
        ENABLE_LOG_SINK_SIGNAL = false;
    }

    void levelDefaultsAndRange()
    {
        const EnableLogLevels levels;
        const bool expected[8] = {true, true, true, true, true, false, false, true};
        for (int i = 0; i < 8; ++i)
            QCOMPARE(levels.enabled(static_cast<LogLevel>(i)), expected[i]);
        QVERIFY(!levels.enabled(static_cast<LogLevel>(8)));
        QVERIFY(!levels.enabled(static_cast<LogLevel>(-1)));
        QVERIFY(!levels.enabled(static_cast<LogLevel>(255)));
        QCOMPARE(QByteArray(LOG_LEVEL_CODES), QByteArray("!EWNIDF-"));
    }

    void presets_data()
    {
        QTest::addColumn<int>("preset");
        QTest::addColumn<QString>("on");
        QTest::newRow("all false") << 0 << QStringLiteral("00000000");
        QTest::newRow("error") << 1 << QStringLiteral("11000000");
        QTest::newRow("infor") << 2 << QStringLiteral("11111000");
        QTest::newRow("debug") << 3 << QStringLiteral("11111100");
    }

    void presets()
    {
        QFETCH(int, preset);
        QFETCH(QString, on);
        // Start from everything on so that a preset must clear 6 and 7 itself.
        ENABLE_LOG_LEVELS = EnableLogLevels(true, true, true, true, true, true, true, true);
        switch (preset) {
        case 0: SetLogLevelAllFalse(); break;
        case 1: SetLogLevelError(); break;
        case 2: SetLogLevelInfor(); break;
        default: SetLogLevelDebug(); break;
        }
        QString got;
        for (int i = 0; i < 8; ++i)
            got += ENABLE_LOG_LEVELS.enabled(static_cast<LogLevel>(i)) ? '1' : '0';
        QCOMPARE(got, on);
    }

    void substitutionOrder()
    {
        const QString record = Sink::substitute(QString::fromLatin1(LOG_FORMAT_DEFAULT), TS, TID,
                                                QStringLiteral("hello"), LevelWarning,
                                                QStringLiteral("Init"),
                                                QStringLiteral("/src/a.cpp"), 42);
        QCOMPARE(record, TS + " [" + TID + "] [W] hello (Init@/src/a.cpp:42)");
    }

    void textIsNeverScanned()
    {
        ProbeSink sink;
        const QString record =
            sink.buildRecord(TS, TID, QStringLiteral("<TS> <LINE> <TEXT> %1"), LevelInfo,
                             QStringLiteral("fn<LINE>"), QStringLiteral("f<TID32>.cpp"), 7);
        // A value put in early is scanned by later placeholders; the text never is.
        QCOMPARE(record, TS + " [" + TID + "] [I] <TS> <LINE> <TEXT> %1 (fn7@f<TID32>.cpp:7)");
    }

    void tid32AndInternalTemplate()
    {
        const QString record = Sink::substitute(
            QStringLiteral("<TID32>|<LL>|<FUNC>|<FILE>|<LINE>|<TEXT>"), TS, TID,
            QStringLiteral("x"), LevelInternal, QStringLiteral("f"), QStringLiteral("g"), 3);
        QCOMPARE(record, QStringLiteral("345678ab|-|<FUNC>|<FILE>|<LINE>|x"));
    }

    void emptyAndPaddedText()
    {
        ProbeSink sink;
        sink.setLogFormat(QStringLiteral("<TEXT>|<LL>"), QStringLiteral("<TEXT>|<LL>"));
        QCOMPARE(sink.buildRecord(TS, TID, QString(), LevelError, {}, {}, 0), QStringLiteral("?|E"));
        QCOMPARE(sink.buildRecord(TS, TID, QStringLiteral("  \n"), LevelFunction, {}, {}, 0),
                 QStringLiteral("-|F"));
        QCOMPARE(sink.buildRecord(TS, TID, QString(), LevelInternal, {}, {}, 0),
                 QStringLiteral("?|-"));
        QCOMPARE(sink.buildRecord(TS, TID, QStringLiteral("  pad me \n"), LevelInfo, {}, {}, 0),
                 QStringLiteral("pad me|I"));
    }

    void levelsAboveSevenAreDropped()
    {
        ProbeSink sink;
        sink.setLogLevels(EnableLogLevels(true, true, true, true, true, true, true, true));
        QVERIFY(sink.acceptRecord(true, LevelInternal, QStringLiteral("x")));
        QVERIFY(!sink.acceptRecord(true, static_cast<LogLevel>(8), QStringLiteral("x")));
        QVERIFY(!sink.acceptRecord(false, LevelError, QStringLiteral("x")));
        // The sink starts with the default set, not with the global.
        SetLogLevelAllFalse();
        ProbeSink fresh;
        QCOMPARE(fresh.getLogLevels(), EnableLogLevels());
        QVERIFY(fresh.acceptRecord(true, LevelInfo, QStringLiteral("x")));
        QVERIFY(!fresh.acceptRecord(true, LevelDebug, QStringLiteral("x")));
    }

    void filters()
    {
        ProbeSink sink;
        QVERIFY(sink.checkFilter(QStringLiteral("anything")));
        QVERIFY(!sink.addLogFilter(QRegularExpression(QStringLiteral("(unclosed"))));
        QVERIFY(sink.checkFilter(QStringLiteral("anything")));

        QVERIFY(sink.addLogFilter(QRegularExpression(QStringLiteral("usb"))));
        QVERIFY(!sink.acceptRecord(true, LevelError, QStringLiteral("timer fired")));
        QVERIFY(!sink.acceptRecord(true, LevelInfo, QStringLiteral("timer fired")));
        QVERIFY(sink.acceptRecord(true, LevelInternal, QStringLiteral("timer fired")));
        QVERIFY(sink.acceptRecord(true, LevelInfo, QStringLiteral("open usb device")));

        QVERIFY(sink.addLogFilter(QRegularExpression(QStringLiteral("^timer"))));
        QVERIFY(sink.checkFilter(QStringLiteral("timer fired")));
        QVERIFY(sink.checkFilter(QStringLiteral("libusb error")));
        QVERIFY(!sink.checkFilter(QStringLiteral("the timer")));
    }

    void signalSinkEmitsBuiltRecord()
    {
        SinkSignalLog sink;
        QSignalSpy spy(&sink, &SinkSignalLog::signalLogMessage);
        sink.slotLog(TS, TID, QStringLiteral("x"), LevelError, QStringLiteral("f"),
                     QStringLiteral("a.cpp"), 1);
        QCOMPARE(spy.count(), 0); // switched off
        ENABLE_LOG_SINK_SIGNAL = true;
        sink.slotLog(TS, TID, QStringLiteral(" x "), LevelError, QStringLiteral("f"),
                     QStringLiteral("a.cpp"), 1);
        sink.slotLog(TS, TID, QStringLiteral("start"), LevelInternal, {}, {}, 0);
        sink.slotLog(TS, TID, QStringLiteral("dbg"), LevelDebug, {}, {}, 0); // off in its set
        ENABLE_LOG_SINK_SIGNAL = false;
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(0).at(0).value<LogLevel>(), LevelError);
        QCOMPARE(spy.at(0).at(1).toString(), TS + " [" + TID + "] [E] x (f@a.cpp:1)");
        QCOMPARE(spy.at(1).at(0).value<LogLevel>(), LevelInternal);
        QCOMPARE(spy.at(1).at(1).toString(), TS + " [" + TID + "] [-] start");
    }

    void printRect()
    {
        const QRect rect(QPoint(10, 20), QPoint(29, 59));
        QCOMPARE(print(QStringLiteral("box %2"), rect),
                 QStringLiteral("box %2 l=10, t=20, r=29, b=59, w=20, h=40\n"));
    }
};

QTEST_GUILESS_MAIN(TstSink)
#include "tst_sink.moc"
