// Start-up of the real program with one emulated device against a bare Qt
// window of the main window's size (592 x 720), on a real X server: Xvfb with a
// plain window manager (openbox), started by the benchmark itself.
//
// Fair by construction: both programs run under the same launcher (the umockdev
// preload loads into both), alternating in one run, with the same graphics
// integration: without OpenGL (Arg 0: the program's own choice, "none" for the
// bare window) and with it (Arg 1: "xcb_glx", Qt's first choice, for both). Each
// start is clocked from
// the process's own start (bench_execstamp stamps the time and execs the
// program, keeping the process) to the first paint of its mapped window (marked
// by the program itself, see shell/firstpaintmarker.h). Resident memory (VmRSS)
// is read 300 ms after the paint.
//
// Run: ./build/bench/bench_shellstartup   (needs Xvfb; openbox is used when installed)

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <sys/types.h>
#include <vector>

#include "launcherchild.h"

namespace {

struct RunResult
{
    double seconds = -1;
    double rssKiB = -1;
    bool openGl = false;   // an xcb OpenGL integration was loaded
};

// One X server (and window manager) for the whole run.
class XServer
{
public:
    bool Start()
    {
        for (int n = 140; n < 200 && m_display.isEmpty(); ++n) {
            if (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n))
                || QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
                continue;
            m_xvfb.start(QStringLiteral("Xvfb"), {QStringLiteral(":%1").arg(n), QStringLiteral("-screen"),
                                                  QStringLiteral("0"), QStringLiteral("1280x1024x24"),
                                                  QStringLiteral("-nolisten"), QStringLiteral("tcp")});
            if (!m_xvfb.waitForStarted(5000))
                return false;
            QElapsedTimer clock;
            clock.start();
            while (clock.elapsed() < 10000 && !QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)))
                QThread::msleep(20);
            if (m_xvfb.state() == QProcess::Running)
                m_display = QStringLiteral(":%1").arg(n);
        }
        if (m_display.isEmpty())
            return false;
        if (!QStandardPaths::findExecutable(QStringLiteral("openbox")).isEmpty()) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("DISPLAY"), m_display);
            m_wm.setProcessEnvironment(env);
            m_wm.start(QStringLiteral("openbox"), QStringList());
            m_wm.waitForStarted(5000);
            QThread::msleep(500);   // let it take the screen before the first window maps
        }
        return true;
    }
    ~XServer()
    {
        for (QProcess* p : {&m_wm, &m_xvfb}) {
            if (p->state() != QProcess::NotRunning) {
                p->terminate();
                if (!p->waitForFinished(3000))
                    p->kill();
                p->waitForFinished(3000);
            }
        }
    }
    QString Display() const { return m_display; }

private:
    QProcess m_xvfb;
    QProcess m_wm;
    QString m_display;
};

XServer* g_xServer = nullptr;   // one for every benchmark of the run, made by main()

bool mapsOpenGlIntegration(qint64 pid)
{
    QFile maps(QStringLiteral("/proc/%1/maps").arg(pid));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("xcbglintegrations");
}

double residentKiB(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble();
    }
    return -1;
}

// The "start" and "painted" stamps of the marker file, in nanoseconds; 0 while missing.
qint64 stamp(const QByteArray& text, const QByteArray& name)
{
    for (const QByteArray& line : text.split('\n')) {
        if (line.startsWith(name + ' '))
            return line.mid(name.size() + 1).toLongLong();
    }
    return 0;
}

// `glIntegration` empty: the variable is not set, the program picks.
RunResult runOnce(const QString& display, const QString& program, const QString& glIntegration)
{
    RunResult result;
    QTemporaryDir home;
    QDir().mkpath(home.path() + QStringLiteral("/run"));
    QFile::setPermissions(home.path() + QStringLiteral("/run"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QString marker = home.path() + QStringLiteral("/marker");

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path() + QStringLiteral("/.config"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path() + QStringLiteral("/run"));
    env.insert(QStringLiteral("LV_BENCH_MARKER"), marker);
    env.insert(QStringLiteral("DISPLAY"), display);
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("QT_XCB_GL_INTEGRATION"));
    if (!glIntegration.isEmpty())
        env.insert(QStringLiteral("QT_XCB_GL_INTEGRATION"), glIntegration);

    QProcess launcher;
    launcher.setProcessEnvironment(env);
    launcher.setProcessChannelMode(QProcess::MergedChannels);
    launcher.setStandardOutputFile(QProcess::nullDevice());
    launcher.start(QStringLiteral(LV_LAUNCHER_PATH),
                   {QStringLiteral("--devices"), QStringLiteral("1"), QStringLiteral(LV_EXECSTAMP_PATH), program});
    if (!launcher.waitForStarted(5000))
        return result;
    QElapsedTimer clock;
    clock.start();
    QByteArray text;
    while (clock.elapsed() < 20000) {
        QFile file(marker);
        if (file.open(QIODevice::ReadOnly))
            text = file.readAll();
        if (stamp(text, "painted"))
            break;
        QThread::usleep(500);
    }
    const qint64 start = stamp(text, "start");
    const qint64 painted = stamp(text, "painted");
    if (start && painted > start)
        result.seconds = double(painted - start) / 1e9;

    QThread::msleep(300);
    const qint64 pid = lvemu::launcherChild(launcher.processId());
    if (pid > 0) {
        result.rssKiB = residentKiB(pid);
        result.openGl = mapsOpenGlIntegration(pid);
        ::kill(pid_t(pid), SIGKILL);
    }
    if (!launcher.waitForFinished(10000)) {
        launcher.kill();
        launcher.waitForFinished(5000);
    }
    return result;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// One iteration = one bare window start, then one program start. The iteration
// time is the program's; the counters give both medians and their ratio. Arg 0:
// both without OpenGL, Arg 1: both with it.
void BM_ProgramAgainstBareWindow(benchmark::State& state)
{
    XServer& x = *g_xServer;
    if (x.Display().isEmpty()) {
        state.SkipWithError("no X server (Xvfb) could be started");
        return;
    }
    const bool openGl = state.range(0) != 0;
    // The program draws without OpenGL unless the variable says otherwise.
    const QString bareGl = openGl ? QStringLiteral("xcb_glx") : QStringLiteral("none");
    const QString programGl = openGl ? QStringLiteral("xcb_glx") : QString();
    std::vector<double> bare, program, bareRss, programRss;
    for (auto _ : state) {
        const RunResult b = runOnce(x.Display(), QStringLiteral(LV_MINIMAL_PATH), bareGl);
        const RunResult p = runOnce(x.Display(), QStringLiteral(LV_PROGRAM_PATH), programGl);
        if (b.seconds < 0 || p.seconds < 0) {
            state.SkipWithError("a program did not mark its first paint");
            return;
        }
        if (b.openGl != openGl || p.openGl != openGl) {
            state.SkipWithError("a program did not use the graphics integration asked for");
            return;
        }
        state.SetIterationTime(p.seconds);
        bare.push_back(b.seconds * 1e3);
        program.push_back(p.seconds * 1e3);
        bareRss.push_back(b.rssKiB);
        programRss.push_back(p.rssKiB);
    }
    state.counters["bare_ms"] = median(bare);
    state.counters["program_ms"] = median(program);
    state.counters["ratio"] = median(program) / median(bare);
    state.counters["bare_rss_KiB"] = median(bareRss);
    state.counters["program_rss_KiB"] = median(programRss);
    std::printf("%s OpenGL on both sides: first paint %.1f ms against %.1f ms for the bare window, ratio %.2f\n",
                openGl ? "with" : "without", median(program), median(bare), median(program) / median(bare));
}

} // namespace

BENCHMARK(BM_ProgramAgainstBareWindow)
    ->ArgName("opengl")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(16);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    XServer x;
    x.Start();
    g_xServer = &x;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
