// The real program as a process: single instance, hidden start and recovery
// after a killed instance. Every run gets its own HOME, XDG folders and runtime
// folder (where the single-instance socket lives), and talks only to an
// emulated USB bus through the launcher, never to real hardware.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/types.h>

#include "launcherchild.h"

class TestProcessStart : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        const QString home = m_home.path();
        env.insert(QStringLiteral("HOME"), home);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
        env.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/.cache"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home + QStringLiteral("/run"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));   // as in CI: the launcher brings a bus
        return env;
    }

    QString logPath() const { return m_home.path() + QStringLiteral("/Documents/LumivandrexUtility.log"); }

    QString logText() const
    {
        QFile file(logPath());
        if (!file.open(QIODevice::ReadOnly))
            return QString();
        return QString::fromUtf8(file.readAll());
    }

    bool waitForLog(const QString& needle, int timeoutMs = 15000) const
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < timeoutMs) {
            if (logText().contains(needle))
                return true;
            QTest::qWait(50);
        }
        return false;
    }

    // The program under the launcher, with `devices` emulated devices.
    QProcess* startProgram(const QStringList& args, int devices = 1)
    {
        auto* process = new QProcess(this);
        process->setProcessEnvironment(environment());
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QStringList launcherArgs{QStringLiteral("--devices"), QString::number(devices),
                                 QStringLiteral(LV_PROGRAM_PATH)};
        launcherArgs << args;
        process->start(QStringLiteral(LV_LAUNCHER_PATH), launcherArgs);
        process->waitForStarted(5000);
        return process;
    }

    // The program (or `bus`: its session bus) under the launcher, waited for up to 10 s.
    static qint64 launcherChild(QProcess* launcher, bool bus = false)
    {
        qint64 pid = -1;
        return QTest::qWaitFor([&] { return (pid = lvemu::launcherChild(launcher->processId(), bus)) > 0; }, 10000)
                   ? pid : -1;
    }
    static qint64 programPid(QProcess* launcher) { return launcherChild(launcher); }

    static QString runningLine(qint64 pid, bool visible)
    {
        return QStringLiteral("instance %1 running; main window visible: %2").arg(pid).arg(visible ? 1 : 0);
    }

    // Kills the program; the launcher's exit code then (128 + the signal), or -1 when the
    // launcher itself crashed or had to be killed.
    int stop(QProcess* launcher, int signal = SIGTERM)
    {
        const qint64 pid = launcher->state() == QProcess::NotRunning ? -1 : programPid(launcher);
        if (pid > 0)
            ::kill(pid_t(pid), signal);
        if (launcher->state() != QProcess::NotRunning && !launcher->waitForFinished(10000)) {
            launcher->kill();
            launcher->waitForFinished(5000);
            return -1;
        }
        return launcher->exitStatus() == QProcess::NormalExit ? launcher->exitCode() : -1;
    }

    // A second start goes straight to the running instance and never touches USB.
    int secondStart(const QStringList& args = {})
    {
        QProcess second;
        second.setProcessEnvironment(environment());
        second.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        second.start(QStringLiteral(LV_PROGRAM_PATH), args);
        if (!second.waitForFinished(15000)) {
            second.kill();
            second.waitForFinished();
            return -100;
        }
        return second.exitStatus() == QProcess::NormalExit ? second.exitCode() : -200;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        QVERIFY(QDir().mkpath(m_home.path() + QStringLiteral("/run")));
        QFile::setPermissions(m_home.path() + QStringLiteral("/run"),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QVERIFY(QFile::exists(QStringLiteral(LV_PROGRAM_PATH)));
        QVERIFY(QFile::exists(QStringLiteral(LV_LAUNCHER_PATH)));
    }

    void secondStartHandsOverAndExits()
    {
        QProcess* first = startProgram({});
        const qint64 pid = programPid(first);
        QVERIFY(pid > 0);
        QVERIFY2(waitForLog(runningLine(pid, true)), qPrintable(logText().right(2000)));
        // With no session bus set, the launcher gives the program one of its own, so that
        // nothing forks under the preload to start one; it ends with the launcher.
        const qint64 bus = launcherChild(first, true);
        QVERIFY(bus > 0);
        QFile environment(QStringLiteral("/proc/%1/environ").arg(pid));
        QVERIFY(environment.open(QIODevice::ReadOnly));
        const QByteArray variables = environment.readAll();
        QVERIFY(variables.contains("DBUS_SESSION_BUS_ADDRESS=unix:") && !variables.contains("/nonexistent"));
        const int bannersBefore = logText().count(QStringLiteral("LumivandrexUtility log started"));

        QCOMPARE(secondStart(), 0);
        QVERIFY(waitForLog(QStringLiteral("instance %1 was started again (\"lumivandrexutility\"); main window visible: 1").arg(pid)));
        // The second start logged its banner into the same file before it left, and
        // said that it only handed over, so the file never reads like a restart.
        QCOMPARE(logText().count(QStringLiteral("LumivandrexUtility log started")), bannersBefore + 1);
        QVERIFY(waitForLog(QStringLiteral(" handed over to the running instance and ended")));
        QCOMPARE(first->state(), QProcess::Running);
        QCOMPARE(stop(first), 128 + SIGTERM);
        QVERIFY(QTest::qWaitFor([bus] { return !QFile::exists(QStringLiteral("/proc/%1/fd/0").arg(bus)); }, 5000));
    }

    void minimizedStartsMinimizedWithoutTray()
    {
        // The offscreen platform has no tray: a hidden window could never be found again.
        QProcess* first = startProgram({QStringLiteral("/minimized")});
        const qint64 pid = programPid(first);
        QVERIFY(pid > 0);
        QVERIFY2(waitForLog(runningLine(pid, true) + QStringLiteral(" (minimised)")), qPrintable(logText().right(2000)));
        // Another spelling is not the switch: that start is a second one and just hands over.
        QCOMPARE(secondStart({QStringLiteral("/Minimized")}), 0);
        QVERIFY(waitForLog(QStringLiteral("instance %1 was started again (\"lumivandrexutility\"); main window visible: 1").arg(pid)));
        QCOMPARE(stop(first), 128 + SIGTERM);
    }

    void otherSpellingShowsWindow()
    {
        QProcess* first = startProgram({QStringLiteral("-minimized")}, 0);
        const qint64 pid = programPid(first);
        QVERIFY(pid > 0);
        QVERIFY2(waitForLog(runningLine(pid, true)), qPrintable(logText().right(2000)));
        QCOMPARE(stop(first), 128 + SIGTERM);
    }

    void killedInstanceDoesNotBlockNextStart()
    {
        QProcess* first = startProgram({});
        const qint64 firstPid = programPid(first);
        QVERIFY(firstPid > 0);
        QVERIFY(waitForLog(runningLine(firstPid, true)));
        QCOMPARE(stop(first, SIGKILL), 128 + SIGKILL);

        QProcess* next = startProgram({});
        const qint64 nextPid = programPid(next);
        QVERIFY(nextPid > 0);
        QVERIFY2(waitForLog(runningLine(nextPid, true)), qPrintable(logText().right(2000)));
        QTest::qWait(300);
        QCOMPARE(next->state(), QProcess::Running);
        // And it is the one that now answers later starts.
        QCOMPARE(secondStart(), 0);
        QVERIFY(waitForLog(QStringLiteral("instance %1 was started again").arg(nextPid)));
        QCOMPARE(stop(next), 128 + SIGTERM);
    }

    // A program killed while the launcher reads its request (a client that does nothing
    // but ask) must not take the launcher down: it ends as the program did.
    void programKilledMidRequestEndsLauncherCleanly()
    {
        const QString client = QStringLiteral("import fcntl, glob, os\n"
                                              "fd = os.open(sorted(glob.glob('/dev/bus/usb/*/*'))[-1], os.O_RDWR)\n"
                                              "caps = bytearray(4)\n"
                                              "print('asking', flush=True)\n"
                                              "while True: fcntl.ioctl(fd, 0x8004551a, caps)\n");   // GET_CAPABILITIES
        int midRequest = 0;
        for (int run = 0; run < 50 && midRequest < 2; ++run) {
            QProcess launcher;
            launcher.setProcessEnvironment(environment());
            launcher.start(QStringLiteral(LV_LAUNCHER_PATH), {QStringLiteral("--devices"), QStringLiteral("1"),
                                                               QStringLiteral("python3"), QStringLiteral("-c"), client});
            QByteArray out;
            QVERIFY(QTest::qWaitFor([&] { return (out += launcher.readAllStandardOutput()).contains("asking"); }, 10000));
            QTest::qWait(run % 10);
            const int code = stop(&launcher, SIGKILL);
            const QByteArray errors = launcher.readAllStandardError();
            QVERIFY2(code == 128 + SIGKILL, qPrintable(QString::number(code) + ": " + errors));
            midRequest += errors.contains("went away mid-request");
        }
        QVERIFY2(midRequest > 0, "no kill landed in the middle of a request");
    }
};

QTEST_GUILESS_MAIN(TestProcessStart)
#include "tst_processstart.moc"
