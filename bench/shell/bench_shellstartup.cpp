// Start-up of the real program with one emulated device, side by side with a
// minimal Qt widgets program that shows an empty 592 x 720 window.
//
// Both run under the same launcher (which plugs the emulated device and starts
// the program under the umockdev preload), so the launcher's own cost is in
// both figures. Measured per run: wall time from starting the launcher to the
// moment the program reports its first shown window, and the program's
// resident memory (VmRSS) 300 ms after that.
//
// Run: ./build/bench/bench_shellstartup   (QT_QPA_PLATFORM defaults to offscreen)

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>
#include <sys/types.h>

namespace {

struct RunResult
{
    double seconds = -1;
    double rssKiB = -1;
};

qint64 childPid(qint64 parent)
{
    QFile children(QStringLiteral("/proc/%1/task/%1/children").arg(parent));
    if (!children.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = children.readAll().trimmed();
    return text.isEmpty() ? -1 : text.split(' ').first().toLongLong();
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

bool fileContains(const QString& path, const QByteArray& needle)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.readAll().contains(needle);
}

// Starts `program` under the launcher in a fresh home and waits for `needle` in `markerFile`.
RunResult runOnce(const QString& program, const QString& markerRelative, const QByteArray& needle)
{
    RunResult result;
    QTemporaryDir home;
    QDir().mkpath(home.path() + QStringLiteral("/run"));
    QFile::setPermissions(home.path() + QStringLiteral("/run"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QString marker = home.path() + markerRelative;

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path() + QStringLiteral("/.config"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path() + QStringLiteral("/run"));
    env.insert(QStringLiteral("LV_BENCH_MARKER"), marker);
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));

    QProcess launcher;
    launcher.setProcessEnvironment(env);
    launcher.setProcessChannelMode(QProcess::MergedChannels);
    launcher.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    launcher.start(QStringLiteral(LV_LAUNCHER_PATH), {QStringLiteral("--devices"), QStringLiteral("1"), program});
    if (!launcher.waitForStarted(5000))
        return result;
    while (clock.elapsed() < 20000 && !fileContains(marker, needle))
        QThread::usleep(500);
    if (fileContains(marker, needle))
        result.seconds = double(clock.nsecsElapsed()) / 1e9;

    QThread::msleep(300);
    const qint64 pid = childPid(launcher.processId());
    if (pid > 0) {
        result.rssKiB = residentKiB(pid);
        ::kill(pid_t(pid), SIGKILL);
    }
    if (!launcher.waitForFinished(10000)) {
        launcher.kill();
        launcher.waitForFinished(5000);
    }
    return result;
}

void report(benchmark::State& state, const QString& program, const QString& marker, const QByteArray& needle)
{
    double rssSum = 0;
    int runs = 0;
    for (auto _ : state) {
        const RunResult r = runOnce(program, marker, needle);
        if (r.seconds < 0) {
            state.SkipWithError("the program did not report a shown window");
            break;
        }
        state.SetIterationTime(r.seconds);
        rssSum += r.rssKiB;
        ++runs;
    }
    if (runs > 0)
        state.counters["rss_KiB"] = rssSum / runs;
}

void BM_MinimalWindowStartup(benchmark::State& state)
{
    report(state, QStringLiteral(LV_MINIMAL_PATH), QStringLiteral("/marker"), QByteArrayLiteral("shown"));
}

void BM_ProgramStartup(benchmark::State& state)
{
    // The program logs this line right after it has shown its window.
    report(state, QStringLiteral(LV_PROGRAM_PATH), QStringLiteral("/Documents/LumivandrexUtility.log"),
           QByteArrayLiteral("main window visible: 1"));
}

} // namespace

BENCHMARK(BM_MinimalWindowStartup)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(8);
BENCHMARK(BM_ProgramStartup)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(8);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
