// The tab container against the emulated device: which tabs a feature report
// gives, in which order, what each page's refresh is asked for, the Info-only
// state without a device, the tab widget's keys, and the bars at every font.

#include "lvemulatortest.h"
#include "shell1testsupport.h"
#include "lvtestsupport.h"

#include <QLabel>
#include <QTabBar>
#include <QTranslator>

#include "device/reportaccess.h"
#include "settingspages/wtabpageadvanced.h"
#include "settingspages/wtabpagetiming.h"
#include "settingspages/wtabpagevideo.h"
#include "settingspages/wtabpagevolume.h"
#include "shell/startup.h"
#include "shell/wsetbtn.h"
#include "shell/wtabbar.h"
#include "statuspages/wtabpagehdmi.h"
#include "statuspages/wtabpageinfo.h"
#include "statuspages/wtabpageinput.h"
#include "toolkit/csystembutton.h"
#include "toolkit/qwrapperstack.h"

using namespace shelltest;

class TstPropertyPage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void tabSets_data();
    void tabSets();
    void partialReloadLeavesInfoAndVolume();
    void startUpFillsTheCurrentPageFirst();
    void showPropertyPageKeepsIndexWhenItFits();
    void infoOnlyWithoutDevice();
    void ctrlTabWrapsAndNeverDividesByZero();
    void focusWalkBetweenBars();
    void inputPageSignalsReachVolumeAndHdmi();
    void screenshot();
    void barsAndTabsFitEveryFont_data();
    void barsAndTabsFitEveryFont();

private:
    static QStringList TabTitles(QTabWidget* tabs);
    static void RecordRefreshes(PropertyPage* pages, QStringList* log);
};

void TstPropertyPage::initTestCase()
{
    startPresenter();
}

void TstPropertyPage::cleanupTestCase()
{
    g_presenter.Exit();
}

void TstPropertyPage::init()
{
    g_presenter.SetUIChanged(false, UI_CHANGE_IMMEDIATE);
    g_presenter.SetUIChangeType(UI_CHANGE_IMMEDIATE);
}

QStringList TstPropertyPage::TabTitles(QTabWidget* tabs)
{
    QStringList titles;
    for (int i = 0; i < tabs->count(); ++i)
        titles << tabs->tabText(i);
    return titles;
}

void TstPropertyPage::RecordRefreshes(PropertyPage* pages, QStringList* log)
{
    const auto record = [log](const char* name) {
        return [log, name](unsigned int flags, bool second) {
            log->append(QStringLiteral("%1(%2,%3)").arg(QLatin1String(name)).arg(flags, 0, 16).arg(second ? 1 : 0));
        };
    };
    QObject::connect(pages->GetInfoPage(), &WTabPageInfo::sigPageRefreshed, pages, record("Info"));
    QObject::connect(pages->GetVideoPage(), &WTabPageVideo::sigPageRefreshed, pages, record("Video"));
    QObject::connect(pages->GetVolumePage(), &WTabPageVolume::sigPageRefreshed, pages, record("Volume"));
    QObject::connect(pages->GetInputPage(), &WTabPageInput::sigPageRefreshed, pages, record("Input"));
    QObject::connect(pages->GetHdmiPage(), &WTabPageHdmi::sigPageRefreshed, pages, record("HDMI"));
    QObject::connect(pages->GetTimingPage(), &WTabPageTiming::sigPageRefreshed, pages, record("Timing"));
    QObject::connect(pages->GetAdvancedPage(), &WTabPageAdvanced::sigPageRefreshed, pages, record("Advanced"));
}

void TstPropertyPage::tabSets_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<bool>("refuseRead");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QStringList>("refreshes");

    const QString info = "Info(0,1)", video = "Video(0,0)", volume = "Volume(ffffffff,0)", input = "Input(0,0)",
                  hdmi = "HDMI(0,0)", timing = "Timing(0,0)", advanced = "Advanced(0,0)";
    for (int flags = 0; flags < 8; ++flags) {
        QStringList titles{"Info", "Video"};
        QStringList refreshes{info, video};
        if (flags & 4) {
            titles << "Volume";
            refreshes << volume;
        }
        titles << "Input";
        refreshes << input;
        if (flags & 1) {
            titles << "HDMI";
            refreshes << hdmi;
        }
        if (flags & 2) {
            titles << "Timing";
            refreshes << timing;
        }
        titles << "Advanced";
        refreshes << advanced;
        QTest::newRow(qPrintable(QStringLiteral("flags %1").arg(flags))) << flags << false << titles << refreshes;
    }
    // Bits the container does not know are ignored.
    QTest::newRow("flags 0xF8 | 5") << 0xFD << false << QStringList{"Info", "Video", "Volume", "Input", "HDMI", "Advanced"}
                                    << QStringList{info, video, volume, input, hdmi, advanced};
    QTest::newRow("report 0xFF refused") << 7 << true << QStringList{"Info", "Video", "Input", "Advanced"}
                                         << QStringList{info, video, input, advanced};
}

void TstPropertyPage::tabSets()
{
    QFETCH(int, flags);
    QFETCH(bool, refuseRead);
    QFETCH(QStringList, titles);
    QFETCH(QStringList, refreshes);

    auto devices = plugFresh({"PP-0001"});
    devices[0]->setFeatureFlags(quint32(flags));
    devices[0]->stallReport(0xFF, refuseRead);
    Harness harness;
    harness.Start();
    QStringList log;
    RecordRefreshes(harness.pages, &log);
    g_presenter.SetUIChanged(true, UI_CHANGE_IMMEDIATE);

    harness.pages->GetTabWidget()->setCurrentIndex(2);
    harness.pages->ReloadTabWidget(true);
    devices[0]->stallReport(0xFF, false);

    QCOMPARE(TabTitles(harness.pages->GetTabWidget()), titles);
    QCOMPARE(PropertyPage::TabTitlesFor(refuseRead ? 0u : unsigned(flags)), titles);
    QCOMPARE(harness.pages->GetTabWidget()->currentIndex(), 0);
    QVERIFY(harness.pages->GetTabWidget()->isEnabled());
    QCOMPARE(log, refreshes);
    QVERIFY(!g_presenter.IsUIChanged());   // a full reload clears the pending state
}

void TstPropertyPage::partialReloadLeavesInfoAndVolume()
{
    auto devices = plugFresh({"PP-0011"});
    devices[0]->setFeatureFlags(0x7);
    Harness harness;
    harness.Start();
    QStringList log;
    RecordRefreshes(harness.pages, &log);
    g_presenter.SetUIChanged(true, UI_CHANGE_IMMEDIATE);
    harness.pages->GetTabWidget()->setCurrentIndex(5);

    harness.pages->ReloadPropertyPage(true);
    QCOMPARE(log, (QStringList{"Video(0,0)", "Input(0,0)", "HDMI(0,0)", "Timing(0,1)", "Advanced(0,1)"}));
    QVERIFY(g_presenter.IsUIChanged());

    // ReloadTabWidget(false) keeps the tab and refreshes partially as well.
    log.clear();
    harness.pages->ReloadTabWidget(false);
    QCOMPARE(harness.pages->GetTabWidget()->currentIndex(), 5);
    QCOMPARE(log, (QStringList{"Video(0,0)", "Input(0,0)", "HDMI(0,0)", "Timing(0,1)", "Advanced(0,1)"}));

    // The same device without the volume feature: the hidden page keeps no node controls.
    const auto sliders = [&] {
        int n = 0;
        for (int node = 0; node < int(KVCAP_AUDIO_NODE_COUNT); ++node)
            n += harness.pages->GetVolumePage()->GetSlider(_KVCAP_USB_AUDIO_NODE(node)) != nullptr;
        return n;
    };
    QVERIFY(sliders() > 0);
    devices[0]->setFeatureFlags(0x3);
    harness.pages->ReloadTabWidget(true);
    QCOMPARE(sliders(), 0);
}

// Start-up: the first paint needs the tab titles and the current page only; the
// other pages are built and filled right after it, each once, 0xFF read once.
void TstPropertyPage::startUpFillsTheCurrentPageFirst()
{
    const QStringList all{"Info", "Video", "Volume", "Input", "HDMI", "Timing", "Advanced"};
    auto devices = plugFresh({"PP-0021"});
    devices[0]->setFeatureFlags(0x7);
    {
        Harness harness;
        harness.pages->DeferOtherPages();
        devices[0]->clearTransfers();
        harness.Start();
        QTabWidget* tabs = harness.pages->GetTabWidget();
        QCOMPARE(TabTitles(tabs), all);
        QVERIFY(!qobject_cast<WTabPageVideo*>(tabs->widget(1)));   // not built yet
        int featureReads = 0;
        for (const lvemu::TransferRecord& t : devices[0]->transfers())
            featureReads += t.direction == lvemu::TransferRecord::Get && t.id == 0xFF;
        QCOMPARE(featureReads, 1);
        harness.pages->FinishDeferredLoad();
        QCOMPARE(TabTitles(tabs), all);
        QCOMPARE(tabs->currentIndex(), 0);
        QCOMPARE(tabs->widget(1), static_cast<QWidget*>(harness.pages->GetVideoPage()));
        QCOMPARE(tabs->widget(6), static_cast<QWidget*>(harness.pages->GetAdvancedPage()));
    }
    Harness harness;
    QStringList log;
    RecordRefreshes(harness.pages, &log);
    harness.pages->DeferOtherPages();
    harness.Start();
    QCOMPARE(log, QStringList{"Info(0,1)"});
    harness.pages->FinishDeferredLoad();
    harness.pages->FinishDeferredLoad();
    QCOMPARE(log, (QStringList{"Info(0,1)", "Video(0,0)", "Volume(ffffffff,0)", "Input(0,0)", "HDMI(0,0)",
                               "Timing(0,0)", "Advanced(0,0)"}));
}

void TstPropertyPage::showPropertyPageKeepsIndexWhenItFits()
{
    auto devices = plugFresh({"PP-0021"});
    devices[0]->setFeatureFlags(0x5);   // HDMI and Volume: six tabs
    Harness harness;
    harness.Start();
    QStringList log;
    RecordRefreshes(harness.pages, &log);
    QTabWidget* tabs = harness.pages->GetTabWidget();
    QCOMPARE(tabs->count(), 6);
    tabs->setCurrentIndex(4);

    devices[0]->setFeatureFlags(0x7);
    harness.pages->ShowPropertyPage();
    QCOMPARE(TabTitles(tabs), (QStringList{"Info", "Video", "Volume", "Input", "HDMI", "Timing", "Advanced"}));
    QCOMPARE(tabs->currentIndex(), 4);
    QVERIFY(log.isEmpty());   // no page refreshed

    devices[0]->setFeatureFlags(0x0);
    harness.pages->ShowPropertyPage();
    QCOMPARE(tabs->count(), 4);
    QCOMPARE(tabs->currentIndex(), 0);
    QVERIFY(log.isEmpty());
}

void TstPropertyPage::infoOnlyWithoutDevice()
{
    auto devices = plugFresh({"PP-0031"});
    devices[0]->setFeatureFlags(0x0);
    Harness harness;
    harness.Start();
    QStringList log;
    RecordRefreshes(harness.pages, &log);
    QCOMPARE(harness.pages->GetTabWidget()->count(), 4);
    QVERIFY(!harness.pages->ExportInfo().isEmpty());

    lvemu::EmulatedBus::instance().unplugAll();
    QVERIFY(waitForDeviceCount(0));
    QTRY_COMPARE(harness.pages->GetTabWidget()->count(), 1);
    QCOMPARE(harness.pages->GetTabWidget()->tabText(0), QStringLiteral("Info"));
    QVERIFY(!harness.pages->GetTabWidget()->isEnabled());
    QCOMPARE(log, QStringList{"Info(0,1)"});
    QCOMPARE(harness.pages->GetInfoPage()->GetValues(), QStringList(QVector<QString>(10, QStringLiteral("N/A")).toList()));
    QVERIFY(harness.pages->ExportInfo().isEmpty());

    log.clear();
    harness.pages->ReloadPropertyPage(false);   // nothing at all without a device
    QVERIFY(log.isEmpty());
}

void TstPropertyPage::ctrlTabWrapsAndNeverDividesByZero()
{
    WTabWidget empty;
    empty.show();
    empty.setFocus();
    QCOMPARE(empty.SelectRelativeTab(1), -1);
    QTest::keyClick(&empty, Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(empty.currentIndex(), -1);

    WTabWidget tabs;
    tabs.addTab(new QWidget, "A");
    tabs.addTab(new QWidget, "B");
    tabs.addTab(new QWidget, "C");
    tabs.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tabs));
    tabs.GetTabBar()->setFocus();
    tabs.setCurrentIndex(2);
    QTest::keyClick(&tabs, Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(tabs.currentIndex(), 0);
    QTest::keyClick(&tabs, Qt::Key_Right);   // swallowed: the base class would move on
    QCOMPARE(tabs.currentIndex(), 0);
    QCOMPARE(tabs.SelectRelativeTab(-1), 2);
}

void TstPropertyPage::focusWalkBetweenBars()
{
    auto devices = plugFresh({"PP-0041"});
    devices[0]->setFeatureFlags(0x3);   // the Timing page's tabs work with an analogue signal:
    devices[0]->setRecord(uint8_t(ReportIdOf<_KVCAP_INPUT_STATUS>()), _KVCAP_INPUT_STATUS{1, KVCAP_VIDEO_INPUT_VGA, {}});
    Harness harness;
    harness.window->show();
    QVERIFY(QTest::qWaitForWindowActive(harness.window.get()));
    harness.Start();
    QTabWidget* tabs = harness.pages->GetTabWidget();

    // The device answering again keeps the page, its inner tab (page, stack, tab) and the focus:
    // on HDMI the tab's button (built anew), else the tab's first control. A selection starts at tab 0.
    const std::tuple<QString, int, int, bool> places[] = {{"Timing", 0, 2, false}, {"Advanced", 0, 2, false},
        {"HDMI", 0, 1, false}, {"HDMI", 1, 2, false}, {"Input", 0, 2, false}, {"Timing", 0, 2, true}};
    for (const auto& [page, stack, tab, silent] : places) {
        tabs->setCurrentIndex(TabTitles(tabs).indexOf(page));
        QWrapperStack* inner = tabs->currentWidget()->findChildren<QWrapperStack*>(QString(), Qt::FindDirectChildrenOnly)[stack];
        QTest::mouseClick(inner->GetStackTabBtn(tab), Qt::LeftButton);
        inner->GetStackTabBtn(tab)->setFocus(Qt::TabFocusReason);
        if (page != "HDMI")
            QTest::keyClick(inner->GetStackTabBtn(tab), Qt::Key_Tab);
        const QPointer<QWidget> focus = QApplication::focusWidget();
        QVERIFY2(focus && (page == "HDMI" || inner->GetStackTabWid(tab)->isAncestorOf(focus)), qPrintable(page));
        QSignalSpy resets(harness.pages, &PropertyPage::signal_resetFocus);   // out of the pages
        if (silent) {   // it fell silent inside a timing notification: the page's read timed out, and waits
            devices[0]->setNotifyBits(WTabPageTiming::kInputTimingChanged);
            devices[0]->setUnansweringAfter([](const lvemu::TransferRecord& t) { return t.id == 8; });
            g_presenter.OnTimeout();
            QVERIFY(inner->GetCurrentIndex() == tab && QApplication::focusWidget() == focus && resets.isEmpty());
            devices[0]->clearFaults();   // until the ticks find it answering
            QTRY_VERIFY((g_presenter.OnTimeout(), LockedInstance(g_presenter).device()->IsAnswering()));
        }
        harness.pages->OnCurrentDeviceAnswering();
        QCoreApplication::processEvents();
        QCOMPARE(tabs->tabText(tabs->currentIndex()), page);
        QCOMPARE(inner->GetCurrentIndex(), tab);
        QCOMPARE(QApplication::focusWidget(), page == "HDMI" ? inner->GetStackTabBtn(tab) : focus.data());
        QVERIFY(resets.isEmpty());
        harness.pages->ReloadTabWidget(true);
        QCOMPARE(inner->GetCurrentIndex(), 0);
    }

    // Shift+Tab on the tab bar goes to the title bar's device frame.
    tabs->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(tabs->hasFocus());
    QTest::keyClick(tabs, Qt::Key_Backtab, Qt::ShiftModifier);
    QTRY_VERIFY(harness.title->GetCenterWidget()->hasFocus());

    // Tab on the tab bar of an HDMI page without usable controls (video input not HDMI):
    // "Save Report...".
    harness.pages->GetHdmiPage()->OnVideoChanged(false);
    tabs->setCurrentIndex(3);
    QCOMPARE(tabs->tabText(3), QStringLiteral("HDMI"));
    tabs->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(tabs->hasFocus());
    QTest::keyClick(tabs, Qt::Key_Tab);
    QTRY_VERIFY(harness.bar->GetExportButton()->hasFocus());

    // Shift+Tab on "Save Report..." with the HDMI page current (no control): the tab widget.
    QTest::keyClick(harness.bar->GetExportButton(), Qt::Key_Backtab, Qt::ShiftModifier);
    QTRY_VERIFY(tabs->hasFocus());
    QVERIFY(g_presenter.IsInFocus() || !tabs->tabBar()->hasFocus());
}

void TstPropertyPage::inputPageSignalsReachVolumeAndHdmi()
{
    plugFresh({"PP-0051"});
    Harness harness;
    harness.Start();
    QSignalSpy hdmiVideo(harness.pages->GetHdmiPage(), &WTabPageHdmi::videoSignalChanged);
    emit harness.pages->GetInputPage()->inputVideoChanged(true);
    emit harness.pages->GetInputPage()->inputAudioChanged(true);
    QCOMPARE(hdmiVideo.count(), 1);
    QCOMPARE(hdmiVideo.first().first().toBool(), true);
    QVERIFY(harness.pages->GetHdmiPage()->HasVideoSignal());
    QVERIFY(harness.pages->GetVolumePage()->IsAudioInputPresent());
}

void TstPropertyPage::screenshot()
{
    auto devices = plugFresh({"PP-0061"});
    devices[0]->setFeatureFlags(0x7);
    Harness harness;
    harness.window->show();
    harness.Start();
    QTest::qWait(50);   // let the nested layouts settle before grabbing
    QVERIFY(lvtest::saveScreenshot(harness.pages, "shell_tabcontainer"));
    QVERIFY(lvtest::saveScreenshot(harness.window.get(), "shell_bars"));
}

namespace {
bool Whole(const QWidget* w) { return w->isVisible() && w->visibleRegion().boundingRect() == w->rect(); }
int Left(const QWidget* w) { return w->mapTo(w->window(), QPoint()).x(); }
int Right(const QWidget* w) { return Left(w) + w->width(); }
}

void TstPropertyPage::barsAndTabsFitEveryFont_data()
{
    QTest::addColumn<int>("row");   // language, boldness and size
    for (int row = 0; row < 80; ++row)
        QTest::addRow("%s %d%s", row / 40 ? "zh" : "en", row % 20 + 1, row / 20 % 2 ? " bold" : "") << row;
}

// The bars and the Timing page's inner tabs at every font of the ini (1 to 20 pixels,
// bold or not), in English and Chinese: texts whole, nothing under its neighbour.
void TstPropertyPage::barsAndTabsFitEveryFont()
{
    QFETCH(int, row);
    static const auto device = plugFresh({"PP-0071"});
    device[0]->setFeatureFlags(0x7);
    QTranslator zh;
    QVERIFY(row < 40 || (zh.load(":/Trans/trans_zh") && QCoreApplication::installTranslator(&zh)));
    qApp->setStyleSheet(LoadStyleSheet(":/lumivandrexutility.qss"));
    ApplyStartupLook({row % 20 + 1, row / 20 % 2 == 1, row >= 40});
    Harness harness;
    harness.window->show();
    harness.Start();
    harness.pages->GetTabWidget()->setCurrentWidget(harness.pages->GetTimingPage());
    QCoreApplication::processEvents();

    // Title bar: the name whole or elided, as tall as its font, left of the buttons.
    const QLabel* name = harness.title->GetTitleLabel();
    const QWidget* drop = harness.title->GetDropButton();
    const QString full = harness.title->GetTitleText(), shown = name->text();
    QVERIFY(shown == full || (shown.endsWith(QChar(0x2026)) && full.startsWith(shown.chopped(1))));
    QVERIFY(Whole(name) && name->fontMetrics().horizontalAdvance(shown) <= name->width()
            && name->height() >= name->fontMetrics().height() && Right(name) <= Left(drop));
    for (const CSystemButton* button : harness.title->findChildren<CSystemButton*>())
        QVERIFY(Right(drop) <= Left(button));
    // Tab bar: each title inside its fixed-width tab, 4 pixels free on either side.
    const QTabBar* tabs = harness.pages->GetTabWidget()->GetTabBar();
    for (int i = 0; i < tabs->count(); ++i)
        QVERIFY2(tabs->fontMetrics().horizontalAdvance(tabs->tabText(i)) <= tabs->tabRect(i).width() - 8,
                 qPrintable(tabs->tabText(i)));
    // Settings bar and the Timing page's inner tabs: whole buttons side by side, texts
    // inside their 4-pixel borders.
    const QWrapperStack* stack = harness.pages->GetTimingPage()->GetStack();
    const QPushButton* rows[2][3] = {
        {harness.bar->GetExportButton(), harness.bar->GetDefaultButton(), harness.bar->GetSaveButton()},
        {stack->GetStackTabBtn(0), stack->GetStackTabBtn(1), stack->GetStackTabBtn(2)}};
    for (int i = 0; i < 6; ++i) {
        const QPushButton* b = rows[i / 3][i % 3];
        QVERIFY2(Whole(b) && (i % 3 == 0 || Right(rows[i / 3][i % 3 - 1]) <= Left(b))
                     && b->fontMetrics().horizontalAdvance(b->text()) <= b->width() - 8, qPrintable(b->text()));
    }
    if (row % 20 == 13 || row % 20 == 19)
        lvtest::saveScreenshot(harness.window.get(), "shell_bars_" + QString(QTest::currentDataTag()).replace(' ', '_'));
}

LV_EMULATED_QTEST_MAIN(TstPropertyPage)
#include "tst_propertypage.moc"
