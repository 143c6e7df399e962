// What the device layer costs the GUI thread and the log, against the emulated device:
//  * BM_Reload, BM_Report, BM_Poll: the time the GUI thread is blocked by a full reload of
//    the pages, the HTML report's body and one notification poll. Arg 0: the device
//    answers (the reference); 1: it has just stopped answering; 2: a transfer to it has
//    already timed out (the next poll has not tried it yet).
//  * BM_IdleLogLines: lines the program's file log gets in one minute, idle with one
//    device (real enumeration and poll intervals). Those of a 1 MiB flashing: bench_presenter.
//  * BM_AnsweringAgain: a device without change notifications whose pages were read while
//    it was silent (arg 0: at its selection, 1: by a reload) answers again; 15 s later, the
//    transfers made meanwhile and the fields of the window unlike those of a fresh window.
//  * BM_SilentClicks: ten clicks 0.3-3 s apart on a silent device, without (arg 0) and with
//    (arg 1) change notifications: how long the window was frozen in all.
//  * BM_AdvancedTabClick: clicks on the inner tabs of the Advanced page of a device silent
//    since its selection (arg 0) or without notifications and silent since the pages' first
//    read (arg 1).
// Run by hand: ./build/bench/bench_devicecost (the hung cases take seconds each).

#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QThread>
#include <QtTest/QTest>
#include <QTimer>

#include "benchfilelog.h"
#include "device/lumivandrexpresenter.h"
#include "pagebench.h"
#include "settingspages/wtabpageadvanced.h"
#include "settingspages/wtabpagevideo.h"
#include "shell/lumivandrexutility.h"
#include "shell/propertypage.h"
#include "shell/wtabwidget.h"
#include "toolkit/qwrapperstack.h"
#include "toolkit/wpushbutton.h"

namespace {

using DevicePtr = std::shared_ptr<lvemu::EmulatedDevice>;

// The presenter on one freshly plugged device, its enumeration thread kept asleep.
DevicePtr StartPresenter(INotifyTimerCtrl *timer, int enumSleepMs = pagebench::kHoursMs)
{
    auto &bus = lvemu::EmulatedBus::instance();
    bus.unplugAll();
    DevicePtr device = bus.plug();
    g_presenter.SetNotifyTimerCtrl(timer);
    g_presenter.SetTimingForTest(enumSleepMs, LumivandrexPresenter::kBusyTimeoutMs);
    return g_presenter.Init() ? device : nullptr;
}

void StopPresenter()
{
    g_presenter.Exit();
    lvemu::EmulatedBus::instance().unplugAll();
}

// Brings the device into the state of the argument before a measured operation.
// The poll tries a silent device only after a poll interval free of it: wait that long.
void Prepare(lvemu::EmulatedDevice &device, int state)
{
    device.setUnanswering(false);
    QThread::msleep(LumivandrexPresenter::kNotifyIntervalMs);
    g_presenter.OnTimeout();   // answered: the device layer knows it as answering
    device.setUnanswering(state != 0);
    if (state == 2)
        g_presenter.OnTimeout();   // one transfer times out
    device.clearTransfers();
}

template <typename Operation>
void Blocked(benchmark::State &state, Operation operation)
{
    static pagebench::NoTimer timer;
    const DevicePtr device = StartPresenter(&timer);
    if (!device) {
        state.SkipWithError("no emulated device");
        return;
    }
    g_presenter.SetCurrentIndex(0, false);
    {
        PropertyPage pages;
        pages.ReloadTabWidget(true);
        for (auto _ : state) {
            state.PauseTiming();
            Prepare(*device, int(state.range(0)));
            state.ResumeTiming();
            operation(pages);
        }
        state.counters["transfers"] = device->transferCount();   // of the last operation
    }
    device->setUnanswering(false);
    StopPresenter();
}

void BM_Reload(benchmark::State &state)
{
    Blocked(state, [](PropertyPage &pages) { pages.ReloadTabWidget(true); });
}
BENCHMARK(BM_Reload)->Arg(0)->Arg(1)->Arg(2)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Report(benchmark::State &state)
{
    Blocked(state, [](PropertyPage &pages) { benchmark::DoNotOptimize(pages.ExportInfo()); });
}
BENCHMARK(BM_Report)->Arg(0)->Arg(1)->Arg(2)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Poll(benchmark::State &state)
{
    Blocked(state, [](PropertyPage &) { g_presenter.OnTimeout(); });
}
BENCHMARK(BM_Poll)->Arg(0)->Arg(1)->Arg(2)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_IdleLogLines(benchmark::State &state)
{
    lvbench::FileLog log;
    static pagebench::NoTimer timer;
    if (!StartPresenter(&timer, LumivandrexPresenter::kEnumSleepMs)) {
        state.SkipWithError("no emulated device");
        return;
    }
    g_presenter.SetCurrentIndex(0, true);
    long lines = 0;
    for (auto _ : state) {
        const long before = log.Lines();
        for (int tick = 0; tick < 60 * 1000 / LumivandrexPresenter::kNotifyIntervalMs; ++tick) {
            QEventLoop loop;   // the main window's timer: a poll every 400 ms
            QTimer::singleShot(LumivandrexPresenter::kNotifyIntervalMs, &loop, &QEventLoop::quit);
            loop.exec();
            g_presenter.OnTimeout();
        }
        lines += log.Lines() - before;
    }
    state.counters["lines_per_minute"] = double(lines) / double(state.iterations());
    StopPresenter();
}
BENCHMARK(BM_IdleLogLines)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

// The main window as main() builds it: its event loop selects the device and polls it.
struct Window : LumivandrexUtility {
    Window() : LumivandrexUtility(nullptr) { g_presenter.SetNotifyTimerCtrl(this), show(); }
    ~Window() override { g_presenter.SetNotifyTimerCtrl(nullptr); }
};

// Runs the event loop for `ms`; the time it was frozen (stalls over 50 ms) is added to `frozen`.
void Run(qint64 ms, qint64 *frozen = nullptr)
{
    QElapsedTimer clock;
    clock.start();
    for (qint64 last = 0; last < ms; last = clock.elapsed()) {
        QEventLoop loop;
        QTimer::singleShot(1, &loop, &QEventLoop::quit);
        loop.exec();
        const qint64 stall = clock.elapsed() - last;
        if (frozen && stall > 50)
            *frozen += stall;
    }
}

// What every control of the pages shows and whether it takes input, in widget order.
QStringList Fields(PropertyPage *pages)
{
    pages->GetVideoPage(), pages->GetAdvancedPage(), pages->GetTimingPage();   // all built
    pages->GetVolumePage(), pages->GetInputPage(), pages->GetHdmiPage();
    QStringList fields;
    for (QWidget *w : pages->findChildren<QWidget *>()) {
        QString value;
        if (auto *label = qobject_cast<QLabel *>(w))
            value = label->text();
        else if (auto *button = qobject_cast<QAbstractButton *>(w))
            value = QString::number(button->isChecked());
        else if (auto *combo = qobject_cast<QComboBox *>(w))
            value = combo->currentText();
        else if (auto *slider = qobject_cast<QAbstractSlider *>(w))
            value = QString::number(slider->value());
        else if (auto *edit = qobject_cast<QLineEdit *>(w))
            value = edit->text();
        else
            continue;
        fields << value + (w->isEnabled() ? "" : " (disabled)");
    }
    return fields;
}

int Unlike(const QStringList &a, const QStringList &b)
{
    int count = std::abs(a.size() - b.size());
    for (int i = 0; i < std::min(a.size(), b.size()); ++i)
        count += a[i] != b[i];
    return count;
}

void BM_AnsweringAgain(benchmark::State &state)
{
    static pagebench::NoTimer timer;
    const DevicePtr device = StartPresenter(&timer);
    if (!device)
        return state.SkipWithError("no emulated device");
    QStringList fresh;
    {
        Window window;
        Run(3000);
        fresh = Fields(window.GetPropertyPage());
    }
    int transfers = 0, unlike = 0;
    for (auto _ : state) {
        g_presenter.SetCurrentIndex(-1, false);
        device->clearFaults();
        device->stallReport(7);
        if (state.range(0) == 0)   // refused at its selection, silent from the pages' first read on
            device->setUnansweringAfter([](const lvemu::TransferRecord &) { return true; });
        Window window;
        Run(3000);
        if (state.range(0) == 1) {
            device->setUnanswering(true);
            window.GetPropertyPage()->ReloadTabWidget(true);
            Run(1000);
        }
        device->setUnanswering(false);
        device->clearTransfers();
        Run(15000);
        transfers = device->transferCount();
        unlike = Unlike(Fields(window.GetPropertyPage()), fresh);
    }
    state.counters["transfers"] = transfers;
    state.counters["fields_unlike_fresh"] = unlike;
    std::printf("answering again after %s: %d transfers, %d of %d fields unlike a fresh read\n",
                state.range(0) ? "a reload" : "its selection", transfers, unlike, int(fresh.size()));
    device->clearFaults();
    StopPresenter();
}
BENCHMARK(BM_AnsweringAgain)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

void BM_SilentClicks(benchmark::State &state)
{
    static pagebench::NoTimer timer;
    const DevicePtr device = StartPresenter(&timer);
    if (!device)
        return state.SkipWithError("no emulated device");
    const int gapsMs[] = {300, 2100, 700, 3000, 450, 1600, 900, 2500, 350, 1200};
    qint64 frozen = 0;
    for (auto _ : state) {
        device->clearFaults();
        if (state.range(0) == 0)
            device->stallReport(7);
        Window window;
        Run(3000);
        auto *flip = window.GetPropertyPage()->GetVideoPage()->findChild<QWidget *>("flip")->findChild<QAbstractButton *>();
        device->setUnanswering(true);
        frozen = 0;
        for (const int gap : gapsMs) {
            Run(gap, &frozen);
            QElapsedTimer clock;
            clock.start();
            flip->click();
            frozen += clock.elapsed();
        }
        Run(1000, &frozen);
    }
    state.counters["frozen_ms"] = double(frozen);
    std::printf("ten clicks on a silent device %s notifications: frozen %lld ms\n",
                state.range(0) ? "with" : "without", frozen);
    device->clearFaults();
    StopPresenter();
}
BENCHMARK(BM_SilentClicks)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

void BM_AdvancedTabClick(benchmark::State &state)
{
    static pagebench::NoTimer timer;
    const DevicePtr device = StartPresenter(&timer, LumivandrexPresenter::kEnumSleepMs);
    if (!device)
        return state.SkipWithError("no emulated device");
    g_presenter.SetCurrentIndex(-1, false);
    if (state.range(0) == 0) {
        device->setUnanswering(true);
    } else {   // refused report 7, silent from the pages' first read on
        device->stallReport(7);
        device->setUnansweringAfter([](const lvemu::TransferRecord &) { return true; });
    }
    {
        Window window;
        Run(3000);
        PropertyPage *pages = window.GetPropertyPage();
        WTabPageAdvanced *advanced = pages->GetAdvancedPage();
        pages->GetTabWidget()->setCurrentWidget(advanced);
        Run(500);
        QStringList lines;
        int tab = 1;
        for (auto _ : state) {
            QElapsedTimer clock;
            clock.start();
            QTest::mouseClick(advanced->GetStack()->GetStackTabBtn(tab), Qt::LeftButton);
            const qint64 click = clock.elapsed();
            qint64 frozen = 0;
            Run(300, &frozen);
            lines << QString("%1+%2").arg(click).arg(frozen);
            tab = (tab + 1) % 3;
        }
        std::printf("Advanced inner tab clicks on a device %s, ms (click+freeze in the next 0.3 s): %s\n",
                    state.range(0) ? "without notifications" : "silent at its selection", qPrintable(lines.join(' ')));
    }
    device->clearFaults();
    StopPresenter();
}
BENCHMARK(BM_AdvancedTabClick)->Arg(0)->Arg(1)->Iterations(12)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

LV_PAGE_BENCH_MAIN()
