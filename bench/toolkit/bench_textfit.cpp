// The text fitter's cost: every one of the main window's seven pages painted in full
// (rendered into a pixmap, every child widget painted), against the emulated device,
// at 14 pixels and at 20 pixels bold. On one window per look, each iteration repaints
// the pages once with the fitter on the application and once with it taken off (the
// fonts it fitted are kept), in turn first and second, so that the machine's drift
// weighs on both alike. Prints, per look, the median repaint without and with the
// fitter and their ratio.
// Run by hand: ./build/bench/bench_textfit
#include "pagebench.h"

#include <QPixmap>
#include <QTabWidget>
#include <QTest>

#include <algorithm>
#include <chrono>
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
std::map<int, std::pair<double, double>> g_medians;   // pixels * 2 + bold -> (without, with) ms

// The window at `look`, built anew when the look changes.
QTabWidget* PagesAt(const Look& look)
{
    if (!g_window || look.pixels != g_look.pixels || look.bold != g_look.bold) {
        lvtest::stopMainWindow(g_window);
        lvemu::EmulatedBus::instance().unplugAll();
        lvemu::EmulatedBus::instance().plug();
        ApplyStartupLook({look.pixels, look.bold, false});
        g_window = lvtest::startMainWindow();
        (void)QTest::qWaitFor([] { return g_window->GetPropertyPage()->GetTabWidget()->count() == 7; }, 8000);   // checked by the caller
        QTest::qWait(500);   // the pages filled by the first reload
        g_look = look;
    }
    return g_window->GetPropertyPage()->GetTabWidget();
}

double Median(std::vector<double> values)
{
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

void BM_RepaintPages(benchmark::State& state)
{
    const Look look = {int(state.range(0)), state.range(1) != 0};
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
    QPixmap canvas(tabs->widget(0)->size());
    const auto repaint = [&](bool fitter) {
        if (!fitter)
            qApp->removeEventFilter(fitting);
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < tabs->count(); ++i)
            tabs->widget(i)->render(&canvas);
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        if (!fitter)
            qApp->installEventFilter(fitting);
        return took.count();
    };
    std::vector<double> without, with;
    bool fitterFirst = true;
    for (auto _ : state) {
        for (bool fitter : {fitterFirst, !fitterFirst})
            (fitter ? with : without).push_back(repaint(fitter));
        fitterFirst = !fitterFirst;
    }
    g_medians[look.pixels * 2 + look.bold] = {Median(without), Median(with)};
    state.counters["without_ms"] = g_medians[look.pixels * 2 + look.bold].first;
    state.counters["with_ms"] = g_medians[look.pixels * 2 + look.bold].second;
}

} // namespace

BENCHMARK(BM_RepaintPages)->Args({14, 0})->Args({20, 1})->Unit(benchmark::kMillisecond)->MinTime(5);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return lvbench::RunOnEmulatedBus(argc, argv, [](int& argc, char** argv) {
        QApplication app(argc, argv);
        benchmark::Initialize(&argc, argv);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        lvtest::stopMainWindow(g_window);
        for (const auto& [look, medians] : g_medians)
            std::printf("%d px%s: seven pages repainted in %.3f ms without the fitter, %.3f ms with it: %.3f times\n",
                        look / 2, look % 2 ? " bold" : "", medians.first, medians.second,
                        medians.second / medians.first);
        return 0;
    });
}
