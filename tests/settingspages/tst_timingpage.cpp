// The Timing page against the emulated device: what a reload reads and writes, the
// automatic adjustment panel's writes, deferred refreshes and the report section.

#include <map>

#include "lvemulatortest.h"
#include "settingspages/wtabpagetiming.h"
#include "timingeditors/qadjusttimingwidget.h"
#include "timingtestsupport.h"
#include "toolkit/qwrappercheckbox.h"
#include "toolkit/qwrapperspinbox.h"
#include "toolkit/wpushbutton.h"

using namespace timingtest;
Q_DECLARE_METATYPE(std::vector<Bytes>)

class TstTimingPage : public QObject
{
    Q_OBJECT
    DevicePtr m_device;

    std::map<int, int> Gets() { return lvtest::getCounts(m_device); }
    static QString BoxesAndPhase(WTabPageTiming& p)   // "-": disabled
    {
        QString out;
        for (QWrapperCheckBox* box : {p.GetAutoPhaseCheckBox(), p.GetAutoAlignmentCheckBox()})
            out += QString::number(box->IsChecked()) + (box->isEnabled() ? " " : "- ");
        return out + p.GetPhaseSpinBox()->text() + (p.GetPhaseSpinBox()->isEnabled() ? "" : "-");
    }
    void SetInput(uint32_t type)
    {
        _KVCAP_INPUT_STATUS status = VgaStatus();
        status.inputType = type;
        m_device->setRecord(IdOf<_KVCAP_INPUT_STATUS>(), status);
    }

private slots:
    void initTestCase() { m_device = Start(); }
    void cleanupTestCase() { g_presenter.Exit(); }
    void init()
    {
        m_device->clearFaults();
        SetInput(KVCAP_VIDEO_INPUT_VGA);
        g_presenter.SetUIChanged(false, UI_CHANGE_IMMEDIATE);
        m_device->clearTransfers();
    }

    void reloadReadsOnceAndWritesOnlyTheReset()
    {
        WTabPageTiming page;
        page.InitPage(0, false);
        QCOMPARE(SetCount(m_device), 0);
        const std::map<int, int> expected = {{IdOf<_KVCAP_DEVICE_CAPS>(), 1}, {IdOf<_KVCAP_INPUT_STATUS>(), 1},
            {IdOf<_KVCAP_AUTO_H_ALIGNMENT>(), 1}, {IdOf<_KVCAP_SAMPLING_PHASE>(), 1},
            {IdOf<_KVCAP_AUTO_SAMPLING_PHASE>(), 1}, {IdOf<_KVCAP_VIDEO_CUSTOM_TIMING_LIST>(), 1},
            {IdOf<_KVCAP_CUSTOM_RESOLUTION_LIST>(), 1}};
        QCOMPARE(Gets(), expected);
        QVERIFY(page.GetStack()->isEnabled() && page.GetPhaseSpinBox()->isEnabled());
        QVERIFY(page.GetAutoAlignmentCheckBox()->IsChecked() && !page.GetAutoPhaseCheckBox()->IsChecked());
        QCOMPARE(page.GetPhaseSpinBox()->value(), 16);
        QCOMPARE(page.GetPhaseSpinBox()->maximum(), KVCAP_PHASE_MAX);

        m_device->clearTransfers();
        page.InitPage(0, true);   // a partial reload re-applies the first preferred timing
        const auto preferred = m_device->record<_KVCAP_PREFERRED_TIMING_LIST>(IdOf<_KVCAP_PREFERRED_TIMING_LIST>());
        QCOMPARE(Sets(m_device, IdOf<_KVCAP_SIGNAL_TIMING>()), std::vector<Bytes>{BytesOf(preferred.timings[0])});
        QCOMPARE(SetCount(m_device), 1);
    }

    void panelWrites_data()
    {
        QTest::addColumn<int>("action");   // 0 auto phase box, 1 alignment box, 2 phase 20, 3 adjust button
        QTest::addColumn<std::vector<Bytes>>("writes");   // (id, value) pairs in order
        QTest::addColumn<bool>("spinEnabled");
        const uint8_t autoPhase = IdOf<_KVCAP_AUTO_SAMPLING_PHASE>(), phase = IdOf<_KVCAP_SAMPLING_PHASE>();
        QTest::newRow("auto phase on") << 0 << std::vector<Bytes>{{autoPhase, 1}, {phase, 0xFF}} << false;
        QTest::newRow("alignment off") << 1 << std::vector<Bytes>{{IdOf<_KVCAP_AUTO_H_ALIGNMENT>(), 0}} << true;
        QTest::newRow("phase 20") << 2 << std::vector<Bytes>{{phase, 20}} << true;
        QTest::newRow("auto phase adjust") << 3 << std::vector<Bytes>{{phase, 0xFF}} << true;
    }
    void panelWrites()
    {
        QFETCH(int, action);
        QFETCH(std::vector<Bytes>, writes);
        QFETCH(bool, spinEnabled);
        WTabPageTiming page;
        page.InitPage(0, false);
        auto act = [&] {
            if (action == 0)
                page.GetAutoPhaseCheckBox()->OnButtonClicked();
            else if (action == 1)
                page.GetAutoAlignmentCheckBox()->OnButtonClicked();
            else if (action == 2)
                page.GetPhaseSpinBox()->setValue(20);
            else
                page.GetAutoAdjustButton()->click();
        };
        // Refused: one try, the panel shows what the device holds, nothing pending.
        const QString held = BoxesAndPhase(page);
        m_device->stallReport(writes[0][0]);
        m_device->clearTransfers();
        act();
        QCOMPARE(SetCount(m_device), 1);
        QVERIFY(BoxesAndPhase(page) == held && page.GetPhaseSpinBox()->isEnabled() && !g_presenter.IsUIChanged());
        m_device->clearFaults();
        m_device->clearTransfers();
        act();
        std::vector<Bytes> seen;
        for (const lvemu::TransferRecord& t : m_device->transfers())
            if (t.direction == lvemu::TransferRecord::Set)
                seen.push_back(t.bytes);
        QCOMPARE(seen, writes);
        QVERIFY(g_presenter.IsUIChanged());
        QCOMPARE(page.GetPhaseSpinBox()->isEnabled(), spinEnabled);
        if (action == 0) {   // and off again: only the switch is written
            m_device->clearTransfers();
            page.GetAutoPhaseCheckBox()->OnButtonClicked();
            QCOMPARE(Sets(m_device, IdOf<_KVCAP_AUTO_SAMPLING_PHASE>()), std::vector<Bytes>{{0}});
            QCOMPARE(SetCount(m_device), 1);
            QVERIFY(page.GetPhaseSpinBox()->isEnabled());
        }
    }

    // A report of the panel unread: its control unknown, a touch writes nothing, its row empty.
    void unreadAutoReport_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("panel");   // auto phase, alignment, phase
        QTest::addColumn<QString>("row");
        QTest::newRow("0x90") << int(IdOf<_KVCAP_AUTO_H_ALIGNMENT>()) << "0 0- 20" << "Auto horizontal alignment:</th><td><";
        QTest::newRow("0x91") << int(IdOf<_KVCAP_SAMPLING_PHASE>()) << "0 1 -" << "Phase:</th><td><";
        QTest::newRow("0x92") << int(IdOf<_KVCAP_AUTO_SAMPLING_PHASE>()) << "0- 1 20-" << "Phase:</th><td><";
    }
    void unreadAutoReport()
    {
        QFETCH(int, id);
        QFETCH(QString, row);
        m_device->setRecord(IdOf<_KVCAP_SAMPLING_PHASE>(), _KVCAP_SAMPLING_PHASE{20});
        m_device->setRecord(IdOf<_KVCAP_AUTO_H_ALIGNMENT>(), _KVCAP_AUTO_H_ALIGNMENT{1});
        m_device->stallReport(uint8_t(id));
        WTabPageTiming page;
        page.InitPage(0, false);
        QTEST(BoxesAndPhase(page), "panel");
        id == IdOf<_KVCAP_SAMPLING_PHASE>() ? page.GetPhaseSpinBox()->stepBy(1)
            : (id == IdOf<_KVCAP_AUTO_H_ALIGNMENT>() ? page.GetAutoAlignmentCheckBox() : page.GetAutoPhaseCheckBox())->OnButtonClicked();
        QVERIFY(SetCount(m_device) == 0 && !g_presenter.IsUIChanged());
        QVERIFY2(page.GetExportInfo().contains(row), qPrintable(row));
        m_device->clearFaults();
        page.InitPage(0, false);
        QCOMPARE(BoxesAndPhase(page), QStringLiteral("0 1 20"));
    }

    void heldSpinBoxDefersTheRefresh()
    {
        WTabPageTiming page;
        page.InitPage(0, false);
        const uint8_t list = IdOf<_KVCAP_VIDEO_CUSTOM_TIMING_LIST>();
        QSignalSpy focus(&page, &WTabPageTiming::signal_resetFocus);
        m_device->setRecord(IdOf<_KVCAP_SAMPLING_PHASE>(), _KVCAP_SAMPLING_PHASE{9});
        m_device->clearTransfers();
        emit page.GetAdjustTimingWidget()->GetAspectXSpinBox()->sigSpinMousePress();
        page.OnTimingStatusChanged(WTabPageTiming::kInputTimingChanged);
        QCOMPARE(page.GetPhaseSpinBox()->value(), 9);   // the phase follows at once
        QCOMPARE(Gets().count(list), size_t(0));         // the editors wait
        emit page.GetAdjustTimingWidget()->GetAspectXSpinBox()->sigSpinMouseRelease();
        QCOMPARE(Gets()[list], 1);

        SetInput(KVCAP_VIDEO_INPUT_HDMI);
        page.GetStack()->SetCurrentIndex(2);
        page.OnTimingStatusChanged(WTabPageTiming::kInputTimingChanged);
        QVERIFY(!page.GetStack()->isEnabled() && !page.GetAutoPhaseCheckBox()->isEnabled());
        QCOMPARE(page.GetStack()->GetCurrentIndex(), 0);
        QCOMPARE(SetCount(m_device), 0);
        QCOMPARE(focus.count(), 0);   // nothing of the page had the focus
    }

    void reportSection()
    {
        m_device->setRecord(IdOf<_KVCAP_SAMPLING_PHASE>(), _KVCAP_SAMPLING_PHASE{16});
        m_device->setRecord(IdOf<_KVCAP_AUTO_SAMPLING_PHASE>(), _KVCAP_AUTO_SAMPLING_PHASE{0});
        WTabPageTiming page;
        const QString vga = page.GetExportInfo();
        for (const char* row : {"<tr><th>Auto sampling phase:</th><td>False</td></tr>", "<tr><th>Phase:</th><td>Set as 16</td></tr>",
                                "<tr><th>Current Timing:</th><td>DMT, 1920x1080p, 60.00 Hz</td></tr>",
                                "<tr><th>H Total:</th><td>2200 Pixels</td></tr>", "<tr><th>Aspect ratio:</th><td>16 : 9</td></tr>",
                                "<td>1280x1024p, 60.02 Hz 1688x1066 ES,<br>1024x768p, 60.10 Hz 1344x806 ES</td>",
                                "<th>Custom GTV/CVT Resolutions:</th><td>1366x768, 1600x900, 1920x1200</td>"})
            QVERIFY2(vga.contains(QLatin1String(row)), row);
        for (uint8_t id : {IdOf<_KVCAP_INPUT_STATUS>(), IdOf<_KVCAP_VIDEO_CUSTOM_TIMING_LIST>(), IdOf<_KVCAP_CUSTOM_RESOLUTION_LIST>()})
            m_device->stallReport(id);
        const QString unread = page.GetExportInfo();   // their rows empty, the AUTO rows as read
        QVERIFY(unread.count(QStringLiteral("<td></td>")) == 10 && unread.contains(QLatin1String("Set as 16</td>")));
        m_device->clearFaults();
        SetInput(KVCAP_VIDEO_INPUT_SDI);
        const QString sdi = page.GetExportInfo();
        QCOMPARE(sdi.count(QStringLiteral("<td>Disable</td>")), 13);
        QCOMPARE(sdi.count(QStringLiteral("<td>")), 13);
        QCOMPARE(SetCount(m_device), 0);
    }

    void screenshots()
    {
        WTabPageTiming page;
        page.resize(592, 640);
        page.show();
        page.InitPage(0, false);
        const char* names[] = {"timing_page_adjust", "timing_page_custom_timings", "timing_page_custom_resolutions"};
        for (int i = 0; i < 3; ++i) {
            page.GetStack()->SetCurrentIndex(i);
            page.OnTabPageChanged(i);
            QVERIFY(lvtest::saveScreenshot(&page, QLatin1String(names[i])));
        }
        SetInput(KVCAP_VIDEO_INPUT_HDMI);
        page.InitPage(0, false);
        QVERIFY(lvtest::saveScreenshot(&page, QStringLiteral("timing_page_hdmi_disabled")));
    }
};

LV_EMULATED_QTEST_MAIN(TstTimingPage)
#include "tst_timingpage.moc"
