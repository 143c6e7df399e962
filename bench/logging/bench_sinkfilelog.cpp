// Records per second through the logger into the file sink, with the
// program's start-up settings, from one thread and from four.
#include "logging/lvlogger.h"
#include "logging/sinkfilelog.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

using namespace lvlogger;

namespace {

struct LoggerFixture {
    QTemporaryDir dir;
    std::unique_ptr<QObject> parent{new QObject};

    LoggerFixture()
    {
        LvLogger* logger = LvLogger::createInstance(parent.get());
        logger->setLogFormat_file(QStringLiteral("<TS> [<LL>] <TEXT> [<FUNC>@<FILE>:<LINE>]"),
                                  QStringLiteral("<TS> [<LL>] <TEXT>"));
        SetLogLevelDebug();
        logger->setLogLevels_file(ENABLE_LOG_LEVELS);
        // Large rotation size: measure writing, not the (timer-driven) rolling.
        logger->setLogFileName(dir.filePath("bench.log"), 1u << 31, 10);
    }
};

// A fast logger that drops or repeats records is no use: every key the pattern captures
// (its groups joined) must be in the file exactly `times` times, and there must be `keys`
// of them.
void CheckEveryRecordOnce(benchmark::State& state, const QString& path, const QRegularExpression& pattern,
                          int keys, int64_t times)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        state.SkipWithError("the log file cannot be read back");
        return;
    }
    QHash<QString, int64_t> seen;
    while (!file.atEnd()) {
        const QRegularExpressionMatch match = pattern.match(QString::fromUtf8(file.readLine()));
        if (match.hasMatch())
            ++seen[match.capturedTexts().mid(1).join(':')];
    }
    const bool exact = seen.size() == keys
        && std::all_of(seen.cbegin(), seen.cend(), [times](int64_t count) { return count == times; });
    if (!exact)
        state.SkipWithError("records were lost or duplicated on their way to the file");
}

void BM_FileSinkOneThread(benchmark::State& state)
{
    LoggerFixture fixture;
    int i = 0;
    for (auto _ : state)
        LV_LOG_INFO("enumed " << ++i << " divices.");
    state.SetItemsProcessed(state.iterations());
    CheckEveryRecordOnce(state, fixture.dir.filePath("bench.log"), QRegularExpression("enumed (\\d+) divices"), i, 1);
}
BENCHMARK(BM_FileSinkOneThread)->Unit(benchmark::kMicrosecond);

// Four workers log `perThread` records each; the benchmark thread owns the
// logger and delivers the queued records, as the GUI thread does in the program.
void BM_FileSinkFourThreads(benchmark::State& state)
{
    LoggerFixture fixture;
    const int perThread = static_cast<int>(state.range(0));
    for (auto _ : state) {
        QList<QThread*> threads;
        for (int t = 0; t < 4; ++t) {
            threads.append(QThread::create([perThread, t] {
                for (int i = 0; i < perThread; ++i)
                    LV_LOG_INFO("thread " << t << " record " << i);
            }));
            threads.last()->start();
        }
        for (QThread* thread : threads) {
            while (!thread->wait(1))
                QCoreApplication::sendPostedEvents();
        }
        QCoreApplication::sendPostedEvents();
        qDeleteAll(threads);
    }
    state.SetItemsProcessed(state.iterations() * 4 * perThread);
    CheckEveryRecordOnce(state, fixture.dir.filePath("bench.log"),
                         QRegularExpression("thread (\\d) record (\\d+)"), 4 * perThread, state.iterations());
}
BENCHMARK(BM_FileSinkFourThreads)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

// A level that is off costs the caller one flag test.
void BM_DisabledLevel(benchmark::State& state)
{
    LoggerFixture fixture;
    int i = 0;
    for (auto _ : state)
        LV_LOG(LevelFunction, "never built " << ++i);
    benchmark::DoNotOptimize(i);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DisabledLevel);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ENABLE_CONSOLE_LOG_FILE_STATE = false;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
