// The text fitter's cost: every one of the main window's seven pages painted in full
// (rendered into a pixmap, every child widget painted), against the emulated device,
// at 14 pixels and at 20 pixels bold, with the fitter on the application and with it
// taken off (the fonts it fitted are kept), alternating in one run. Prints, per look,
// the time of one repaint of the seven pages without and with the fitter and the ratio
// (the fastest of the repetitions of each, run in random order).
// Run by hand: ./build/bench/bench_textfit
#include "pagebench.h"

#include <QPixmap>
#include <QTabWidget>
#include <QTest>

#include <cstdio>
#include <map>
#include <vector>

#include "lvmainwindowrun.h"
#include "shell/propertypage.h"
#include "shell/startup.h"
#include "shell/wtabwidget.h"
#include "toolkit/textfit.h"

namespace {

struct Look {
    int pixels;
    bool bold;
};

LumivandrexUtility* g_window = nullptr;
Look g_look = {0, false};
std::map<std::pair<int, bool>, double> g_fastest;   // (look, fitter) -> seconds per repaint

// The window at `look`, built anew when the look changes.
QTabWidget* PagesAt(const Look& look)
{
    if (!g_window || look.pixels != g_look.pixels || look.bold != g_look.bold) {
        lvtest::stopMainWindow(g_window);
        lvemu::EmulatedBus::instance().unplugAll();
        lvemu::EmulatedBus::instance().plug();
        ApplyStartupLook({look.pixels, look.bold, false});
        g_window = lvtest::startMainWindow();
        QTest::qWaitFor([] { return g_window->GetPropertyPage()->GetTabWidget()->count() == 7; }, 8000);
        QTest::qWait(500);   // the pages filled by the first reload
        g_look = look;
    }
    return g_window->GetPropertyPage()->GetTabWidget();
}

void BM_RepaintPages(benchmark::State& state)
{
    const Look look = {int(state.range(0)), state.range(1) != 0};
    const bool fitter = state.range(2) != 0;
    QTabWidget* tabs = PagesAt(look);
    auto* fitting = qApp->findChild<CTextFitter*>();
    if (tabs->count() != 7 || !fitting) {
        state.SkipWithError("no window of seven pages, or no text fitter");
        return;
    }
    for (int i = 0; i < tabs->count(); ++i) {   // every page shown and fitted once
        tabs->setCurrentIndex(i);
        tabs->widget(i)->grab();
    }
    if (!fitter)
        qApp->removeEventFilter(fitting);
    QPixmap canvas(tabs->widget(0)->size());
    for (auto _ : state)
        for (int i = 0; i < tabs->count(); ++i)
            tabs->widget(i)->render(&canvas);
    if (!fitter)
        qApp->installEventFilter(fitting);
    state.counters["pages"] = tabs->count();
}

// The library's per-iteration times, kept per look and fitter.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.error_occurred || run.run_type != Run::RT_Iteration || run.iterations == 0)
                continue;
            const std::string& args = run.run_name.args;   // "pixels/bold/fitter"
            int pixels = 0, bold = 0, fitter = 0;
            std::sscanf(args.c_str(), "%d/%d/%d", &pixels, &bold, &fitter);
            const double seconds = run.GetAdjustedRealTime() / 1e3;   // reported in milliseconds
            auto& fastest = g_fastest[{pixels * 2 + bold, fitter != 0}];
            if (fastest == 0 || seconds < fastest)
                fastest = seconds;
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

// Each look with and without the fitter, ten times over in random order.
BENCHMARK(BM_RepaintPages)
    ->Args({14, 0, 0})->Args({14, 0, 1})->Args({20, 1, 0})->Args({20, 1, 1})
    ->Repetitions(10)->Unit(benchmark::kMillisecond)->MinTime(0.3);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return lvbench::RunOnEmulatedBus(argc, argv, [](int& argc, char** argv) {
        QApplication app(argc, argv);
        std::vector<char*> args(argv, argv + argc);
        char interleave[] = "--benchmark_enable_random_interleaving=true";
        args.insert(args.begin() + 1, interleave);
        int count = int(args.size());
        benchmark::Initialize(&count, args.data());
        RatioReporter reporter;
        benchmark::RunSpecifiedBenchmarks(&reporter);
        benchmark::Shutdown();
        lvtest::stopMainWindow(g_window);
        for (int look : {14 * 2, 20 * 2 + 1}) {
            const double without = g_fastest[{look, false}], with = g_fastest[{look, true}];
            if (without > 0 && with > 0)
                std::printf("%d px%s: seven pages repainted in %.3f ms without the fitter, %.3f ms with it: %.3f times\n",
                            look / 2, look % 2 ? " bold" : "", without * 1e3, with * 1e3, with / without);
        }
        return 0;
    });
}
