// The single-instance application object: in this process (the test runs inside a
// QtSingleApplication) and across real processes (lv_singleinstance_helper).

#include "platform/localpeer.h"
#include "platform/singleapplication.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUuid>
#include <QWidget>
#include <QtTest>

#include <csignal>
#include <memory>
#include <sys/types.h>
#include <unistd.h>

namespace {

// waitForFinished() says false for a process that has already ended.
bool hasFinished(QProcess* process, int timeoutMs = 10000)
{
    return process->state() == QProcess::NotRunning || process->waitForFinished(timeoutMs);
}

// The state letter of a process in /proc ('T' while stopped), 0 once it is gone.
char processState(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    const QByteArray text = stat.open(QIODevice::ReadOnly) ? stat.readAll() : QByteArray();
    const int end = text.lastIndexOf(')');   // the command name may hold anything
    return end > 0 && end + 2 < text.size() ? text.at(end + 2) : 0;
}

QString uniqueId(const QString& tag)
{
    return QStringLiteral("lvtest %1 %2 %3")
        .arg(tag)
        .arg(::getpid())
        .arg(QUuid::createUuid().toString(QUuid::WithoutBraces));
}

} // namespace

class TestSingleApplication : public QObject
{
    Q_OBJECT
public:
    explicit TestSingleApplication(QtSingleApplication* app) : m_app(app) {}

private slots:
    void cleanup();

    void thisProcessIsPrimary();
    void messageFromLaterStartActivatesWindow();
    void messageWithoutActivation();
    void secondStartHandsMessageToFirst();
    void killedPrimaryDoesNotBlockNewStarts();
    void stoppedPrimaryMakesSendTimeOut();
    void simultaneousStartsElectOnePrimary();
    void idsAreCaseSensitiveAndSeparate();

private:
    QProcess* startHelper(const QString& id, const QString& message, int timeoutMs = 5000);
    QString nextLine(QProcess* process, int timeoutMs = 10000);
    void quitPrimary(const QString& id, QProcess* primary);

    QtSingleApplication* m_app;
    QList<QProcess*> m_processes;
};

QProcess* TestSingleApplication::startHelper(const QString& id, const QString& message, int timeoutMs)
{
    auto* process = new QProcess(this);
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(QStringLiteral(LV_SINGLE_INSTANCE_HELPER),
                   {id, message, QString::number(timeoutMs)});
    m_processes << process;
    return process;
}

QString TestSingleApplication::nextLine(QProcess* process, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!process->canReadLine()) {
        const int left = int(timeoutMs - clock.elapsed());
        if (left <= 0 || (!process->waitForReadyRead(left) && process->state() == QProcess::NotRunning
                          && !process->canReadLine()))
            return QString();
    }
    return QString::fromUtf8(process->readLine()).trimmed();
}

void TestSingleApplication::quitPrimary(const QString& id, QProcess* primary)
{
    QProcess* quitter = startHelper(id, QStringLiteral("quit"));
    QCOMPARE(nextLine(quitter), QStringLiteral("secondary"));
    QVERIFY(nextLine(quitter).startsWith(QStringLiteral("sent:1")));
    QVERIFY(hasFinished(primary, 10000));
    QCOMPARE(primary->exitCode(), 0);
}

void TestSingleApplication::cleanup()
{
    for (QProcess* process : qAsConst(m_processes)) {
        if (process->state() != QProcess::NotRunning) {
            ::kill(pid_t(process->processId()), SIGCONT);
            process->kill();
            process->waitForFinished(5000);
        }
        process->deleteLater();
    }
    m_processes.clear();
}

void TestSingleApplication::thisProcessIsPrimary()
{
    QVERIFY(!m_app->isRunning());
    QVERIFY(m_app->id().startsWith(QStringLiteral("lvtest app ")));
    // The primary has nobody to talk to, and must say so at once.
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!m_app->sendMessage(QStringLiteral("to myself"), 3000));
    QVERIFY(clock.elapsed() < 1000);
    // The socket and lock live in a private per-user folder and carry no trace of the id.
    const LocalPeer names(m_app->id());
    QVERIFY(QFileInfo::exists(names.socketPath()));
    QVERIFY(!names.socketPath().contains(QStringLiteral("lvtest")));
    QVERIFY(names.socketPath().contains(QStringLiteral("-%1-").arg(::getuid())));
}

void TestSingleApplication::messageFromLaterStartActivatesWindow()
{
    QWidget window;
    window.resize(200, 100);
    window.showMinimized();
    window.hide();
    m_app->setActivationWindow(&window, true);
    QCOMPARE(m_app->activationWindow(), &window);
    QSignalSpy spy(m_app, &QtSingleApplication::messageReceived);

    const QString text = QStringLiteral("Grüße \u2713 /minimized");
    QProcess* later = startHelper(m_app->id(), text);
    QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 1, 10000);
    QCOMPARE(spy.at(0).at(0).toString(), text);
    QVERIFY(window.isVisible());
    QVERIFY(!window.isMinimized());

    QVERIFY(hasFinished(later, 10000));
    QCOMPARE(later->exitCode(), 0);
    QCOMPARE(nextLine(later), QStringLiteral("secondary"));
    QVERIFY(nextLine(later).startsWith(QStringLiteral("sent:1 ")));
    m_app->setActivationWindow(nullptr);
}

void TestSingleApplication::messageWithoutActivation()
{
    QWidget window;
    m_app->setActivationWindow(&window, false);
    QSignalSpy spy(m_app, &QtSingleApplication::messageReceived);
    QProcess* later = startHelper(m_app->id(), QStringLiteral("lumivandrexutility"));
    QTRY_COMPARE_WITH_TIMEOUT(spy.count(), 1, 10000);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("lumivandrexutility"));
    QVERIFY(!window.isVisible());
    QVERIFY(hasFinished(later, 10000));

    // Explicit activation still works for a handler that wants it.
    m_app->activateWindow();
    QVERIFY(window.isVisible());
    m_app->setActivationWindow(nullptr);
}

void TestSingleApplication::secondStartHandsMessageToFirst()
{
    const QString id = uniqueId(QStringLiteral("handover"));
    QProcess* first = startHelper(id, QString());
    QCOMPARE(nextLine(first), QStringLiteral("primary"));

    QProcess* second = startHelper(id, QStringLiteral("hello"));
    QCOMPARE(nextLine(second), QStringLiteral("secondary"));
    QVERIFY(nextLine(second).startsWith(QStringLiteral("sent:1 ")));
    QVERIFY(hasFinished(second, 10000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);

    QCOMPARE(nextLine(first), QStringLiteral("received:hello"));
    QCOMPARE(nextLine(first), QStringLiteral("visible:1"));
    quitPrimary(id, first);
}

void TestSingleApplication::killedPrimaryDoesNotBlockNewStarts()
{
    const QString id = uniqueId(QStringLiteral("killed"));
    const LocalPeer names(id);
    QProcess* first = startHelper(id, QString());
    QCOMPARE(nextLine(first), QStringLiteral("primary"));
    QVERIFY(QFileInfo::exists(names.socketPath()));

    ::kill(pid_t(first->processId()), SIGKILL);
    QVERIFY(hasFinished(first, 5000));
    // Nothing cleaned up after the killed process: the socket file is stale now.
    QVERIFY(QFileInfo::exists(names.socketPath()));

    QProcess* next = startHelper(id, QString());
    QCOMPARE(nextLine(next), QStringLiteral("primary"));
    QProcess* third = startHelper(id, QStringLiteral("after crash"));
    QCOMPARE(nextLine(third), QStringLiteral("secondary"));
    QVERIFY(nextLine(third).startsWith(QStringLiteral("sent:1 ")));
    QCOMPARE(nextLine(next), QStringLiteral("received:after crash"));
    QCOMPARE(nextLine(next), QStringLiteral("visible:1"));
    quitPrimary(id, next);
    // A clean exit takes its socket file along.
    QVERIFY(!QFileInfo::exists(names.socketPath()));
}

void TestSingleApplication::stoppedPrimaryMakesSendTimeOut()
{
    const QString id = uniqueId(QStringLiteral("stopped"));
    QProcess* first = startHelper(id, QString());
    QCOMPARE(nextLine(first), QStringLiteral("primary"));
    const qint64 primary = first->processId();
    QCOMPARE(::kill(pid_t(primary), SIGSTOP), 0);
    QTRY_COMPARE(processState(primary), 'T');   // stopped for sure before anyone sends

    QElapsedTimer clock;
    clock.start();
    QProcess* second = startHelper(id, QStringLiteral("anyone there?"), 1500);
    QCOMPARE(nextLine(second), QStringLiteral("secondary"));
    const QString sent = nextLine(second, 10000);
    QVERIFY2(sent.startsWith(QStringLiteral("sent:0 ")), qPrintable(sent));
    // Only a closed connection ends the wait early, and a stopped primary closes none:
    // one that died meanwhile is a failure of its own, not a short time-out.
    QCOMPARE(processState(primary), 'T');
    const int elapsed = sent.section(QLatin1Char(' '), 1).toInt();
    QVERIFY2(elapsed >= 1400 && elapsed < 3000, qPrintable(sent));
    QVERIFY(hasFinished(second, 5000));
    QCOMPARE(second->exitCode(), 0);
    QVERIFY(clock.elapsed() < 8000);

    // Resumed, the first still takes later messages.
    ::kill(pid_t(first->processId()), SIGCONT);
    quitPrimary(id, first);
}

void TestSingleApplication::simultaneousStartsElectOnePrimary()
{
    const QString id = uniqueId(QStringLiteral("race"));
    constexpr int kStarts = 8;
    QList<QProcess*> starts;
    for (int i = 0; i < kStarts; ++i)
        starts << startHelper(id, QStringLiteral("m%1").arg(i));

    QProcess* primary = nullptr;
    int secondaries = 0;
    for (QProcess* start : qAsConst(starts)) {
        const QString role = nextLine(start);
        if (role == QLatin1String("primary")) {
            QVERIFY2(!primary, "two primaries");
            primary = start;
        } else {
            QCOMPARE(role, QStringLiteral("secondary"));
            QVERIFY(nextLine(start).startsWith(QStringLiteral("sent:1 ")));
            ++secondaries;
        }
    }
    QVERIFY(primary);
    QCOMPARE(secondaries, kStarts - 1);

    QStringList received;
    for (int i = 0; i < kStarts - 1; ++i) {
        const QString line = nextLine(primary);
        QVERIFY2(line.startsWith(QStringLiteral("received:m")), qPrintable(line));
        received << line;
        QCOMPARE(nextLine(primary), QStringLiteral("visible:1"));
    }
    received.removeDuplicates();
    QCOMPARE(received.size(), kStarts - 1);
    quitPrimary(id, primary);
}

void TestSingleApplication::idsAreCaseSensitiveAndSeparate()
{
    const QString id = uniqueId(QStringLiteral("case"));
    QProcess* lower = startHelper(id, QString());
    QProcess* upper = startHelper(id.toUpper(), QString());
    QCOMPARE(nextLine(lower), QStringLiteral("primary"));
    QCOMPARE(nextLine(upper), QStringLiteral("primary"));
    quitPrimary(id, lower);
    quitPrimary(id.toUpper(), upper);
}

int main(int argc, char** argv)
{
    // A runtime folder of our own, so parallel runs and real instances never meet.
    QTemporaryDir runtime(QDir::tempPath() + QStringLiteral("/lvrt-XXXXXX"));
    if (!runtime.isValid())
        return 1;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    QtSingleApplication app(QStringLiteral("lvtest app %1 %2").arg(::getpid()).arg(QUuid::createUuid().toString()),
                            argc, argv);
    TestSingleApplication test(&app);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_singleapplication.moc"
