// The timing adjust tab and the custom timing list against the emulated device: the
// exact timings sent, the lists written, and nothing written after a failed read.

#include <QLabel>
#include <QMenu>

#include "lvemulatortest.h"
#include "timingeditors/qadjusttimingwidget.h"
#include "timingeditors/qcustomtimingwidget.h"
#include "timingtestsupport.h"
#include "toolkit/qtablewid.h"
#include "toolkit/qwrapperslider.h"
#include "toolkit/qwrapperspinbox.h"
#include "toolkit/wpushbutton.h"

using namespace timingtest;

class TstTimingEditors : public QObject
{
    Q_OBJECT
    DevicePtr m_device;
    const uint8_t m_input = IdOf<_KVCAP_INPUT_STATUS>();
    const uint8_t m_apply = IdOf<_KVCAP_VIDEO_CUSTOM_TIMING>();
    const uint8_t m_select = IdOf<_KVCAP_SIGNAL_TIMING>();
    const uint8_t m_list = IdOf<_KVCAP_VIDEO_CUSTOM_TIMING_LIST>();

    static _KVCAP_VIDEO_CUSTOM_TIMING VgaTiming()
    {
        const _KVCAP_INPUT_STATUS s = VgaStatus();
        return {s.analog.syncInfo, s.analog.settings};
    }
    // A stored timing of another signal, told apart by its total lines.
    static _KVCAP_VIDEO_CUSTOM_TIMING Other(uint16_t lines)
    {
        _KVCAP_VIDEO_CUSTOM_TIMING t = VgaTiming();
        t.syncInfo.totalLines = lines;
        t.settings.hActive = lines;
        return t;
    }
    static _KVCAP_VIDEO_CUSTOM_TIMING_LIST List(const std::vector<_KVCAP_VIDEO_CUSTOM_TIMING>& entries, int count = -1)
    {
        _KVCAP_VIDEO_CUSTOM_TIMING_LIST list{};
        std::copy(entries.begin(), entries.end(), list.timings);
        list.count = uint8_t(count < 0 ? int(entries.size()) : count);
        return list;
    }
    void SetList(const std::vector<_KVCAP_VIDEO_CUSTOM_TIMING>& entries, int count = -1)
    {
        m_device->setRecord(m_list, List(entries, count));
    }

private slots:
    void initTestCase() { m_device = Start(); }
    void cleanupTestCase() { g_presenter.Exit(); }
    void init()
    {
        m_device->clearFaults();
        m_device->setRecord(m_input, VgaStatus());
        m_device->clearTransfers();
    }

    void sliders_data()
    {
        QTest::addColumn<int>("slider");
        QTest::addColumn<int>("moved");
        QTest::addColumn<uint32_t>("duration");
        QTest::addColumn<int>("sent");   // -1: nothing is sent
        // x 192, cx 1920, T 2200, y 41, cy 1080, 1125 lines, 166667 x 100 ns
        QTest::newRow("H active") << 0 << 1000 << 166667u << 1000;
        QTest::newRow("H active past total") << 0 << 2048 << 166667u << 2008;
        QTest::newRow("H active unchanged") << 0 << 1920 << 166667u << -1;
        QTest::newRow("H total under active") << 1 << 1000 << 166667u << 2112;
        QTest::newRow("H total over 165 MHz") << 1 << 3000 << 166667u << 2444;
        QTest::newRow("H total") << 1 << 2300 << 166667u << 2300;
        QTest::newRow("H total without valid value") << 1 << 2300 << 100000u << -1;
        QTest::newRow("H offset past total") << 2 << 500 << 166667u << 280;
        QTest::newRow("V active past lines") << 3 << 1100 << 166667u << 1084;
        QTest::newRow("V offset past lines") << 4 << 100 << 166667u << 45;
        QTest::newRow("clamp unchanged still sent") << 5 << 8 << 166667u << 8;
        QTest::newRow("clamp") << 5 << 20 << 166667u << 20;
    }
    void sliders()
    {
        QFETCH(int, slider);
        QFETCH(int, moved);
        QFETCH(uint32_t, duration);
        QFETCH(int, sent);
        _KVCAP_INPUT_STATUS status = VgaStatus();
        status.analog.syncInfo.frameDuration = duration;
        m_device->setRecord(m_input, status);
        QAdjustTimingWidget w;
        w.InitAdjustTimingTab(false);
        const int before = w.GetSlider(slider)->GetValue();
        m_device->clearTransfers();
        w.GetSlider(slider)->SetValue(moved);
        if (moved == before)
            emit w.GetSlider(slider)->valueChanged(moved);   // a move that ends where it began
        if (sent < 0) {
            QVERIFY(Sets(m_device, m_apply).empty());
            QCOMPARE(w.GetSlider(slider)->GetValue(), before);
            return;
        }
        _KVCAP_VIDEO_CUSTOM_TIMING expected = VgaTiming();
        expected.syncInfo.frameDuration = duration;
        uint16_t* fields[] = {&expected.settings.hActive, &expected.settings.hTotal, &expected.settings.hOffset,
                              &expected.settings.vActive, &expected.settings.vOffset};
        if (slider < 5)
            *fields[slider] = uint16_t(sent);
        else
            expected.settings.clampPosition = uint8_t(sent);
        QCOMPARE(Sets(m_device, m_apply), std::vector<Bytes>{BytesOf(expected)});
        QCOMPARE(w.GetSlider(slider)->GetValue(), sent);
        QVERIFY(w.GetValueText(slider)->text().startsWith(QString::number(sent) + ' '));
    }

    void refreshAspectResetAndAnalogueOnly()
    {
        QAdjustTimingWidget w;
        w.InitAdjustTimingTab(false);
        QCOMPARE(w.GetCurrentTimingLabel()->text(), QStringLiteral("DMT, 1920x1080p, 60.00 Hz"));
        QCOMPARE(SetCount(m_device), 0);   // a refresh writes nothing
        w.GetAspectXSpinBox()->setValue(4);
        w.GetAspectYSpinBox()->setValue(9);   // unchanged: nothing
        _KVCAP_VIDEO_CUSTOM_TIMING aspect = VgaTiming();
        aspect.settings.aspectX = 4;
        w.GetResetButton()->click();
        QCOMPARE(Sets(m_device, m_apply), (std::vector<Bytes>{BytesOf(aspect), Bytes(27, 0)}));
        m_device->stallReport(IdOf<_KVCAP_DEVICE_CAPS>());   // the largest input unread: no term beyond the one held
        w.InitAdjustTimingTab(false);
        QVERIFY(w.GetAspectXSpinBox()->maximum() == 16 && w.GetAspectYSpinBox()->maximum() == 9);

        _KVCAP_INPUT_STATUS hdmi = VgaStatus();
        hdmi.inputType = KVCAP_VIDEO_INPUT_HDMI;
        m_device->setRecord(m_input, hdmi);
        w.InitAdjustTimingTab(false);
        QCOMPARE(w.GetValueText(0)->text(), QStringLiteral("N/A"));
        m_device->clearTransfers();
        w.GetSlider(5)->SetValue(100);
        w.GetAspectXSpinBox()->setValue(7);
        QCOMPARE(SetCount(m_device), 0);
        m_device->stallReport(m_input);   // an unread signal is unknown, not "N/A"
        w.InitAdjustTimingTab(false);
        QVERIFY(w.GetValueText(0)->text().isEmpty() && w.GetAspectXSpinBox()->text().isEmpty());
    }

    void preferredTimings()
    {
        QAdjustTimingWidget w;
        const auto preferred = m_device->record<_KVCAP_PREFERRED_TIMING_LIST>(IdOf<_KVCAP_PREFERRED_TIMING_LIST>());
        w.InitAdjustTimingTab(true);   // the reset refresh re-applies the first one
        QCOMPARE(Sets(m_device, m_select), std::vector<Bytes>{BytesOf(preferred.timings[0])});
        w.BuildPreferredTimingMenu();
        w.BuildPreferredTimingMenu();
        QStringList texts;
        for (QAction* a : w.GetMenu()->actions())
            texts << a->text();
        QCOMPARE(texts, QStringList({"DMT, 1920x1080p, 60.00 Hz", "CEA, 1920x1080p, 60.00 Hz", "CVT, 1920x1080p, 60.00 Hz",
                                     "CVT_RB, 1920x1080p, 60.00 Hz", "CEA, 1920x1080i, 120.00 Hz"}));
        m_device->clearTransfers();
        w.GetMenu()->actions().at(4)->trigger();
        QCOMPARE(Sets(m_device, m_select), std::vector<Bytes>{BytesOf(preferred.timings[4])});

        m_device->stallReport(IdOf<_KVCAP_PREFERRED_TIMING_LIST>());
        w.GetMenu()->actions().at(1)->trigger();
        w.InitAdjustTimingTab(true);
        QCOMPARE(Sets(m_device, m_select).size(), size_t(1));
        m_device->clearFaults();
        w.show();   // a click opens the menu where the click puts the button on the screen, not mapToGlobal
        QWidget* button = w.findChild<QWidget*>("btn_menu");
        QPoint opened, at(5, 5), origin = button->mapToGlobal(QPoint()) + QPoint(123, 77);
        QTimer::singleShot(0, [&] { opened = w.GetMenu()->pos(); w.GetMenu()->hide(); });
        QMouseEvent press(QEvent::MouseButtonPress, at, origin + at, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, origin + at, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(button, &press);
        QApplication::sendEvent(button, &release);
        QCOMPARE(opened, origin + QPoint(button->width() - 160, button->height() + 1));

        _KVCAP_DEVICE_CAPS caps = m_device->record<_KVCAP_DEVICE_CAPS>(IdOf<_KVCAP_DEVICE_CAPS>());
        const _KVCAP_DEVICE_CAPS saved = caps;
        caps.maxInputHeight = 1079;   // no 1080-line timing fits
        m_device->setRecord(IdOf<_KVCAP_DEVICE_CAPS>(), caps);
        w.BuildPreferredTimingMenu();
        QVERIFY(w.GetMenu()->actions().isEmpty());
        m_device->setRecord(IdOf<_KVCAP_DEVICE_CAPS>(), saved);
    }

    void saveCustomTiming_data()
    {
        QTest::addColumn<int>("stored");      // entries in the list before
        QTest::addColumn<int>("sameAt");      // entry holding the same signal, -1 none
        QTest::addColumn<int>("answer");      // 1 Yes, 0 No, -1 no question
        QTest::addColumn<int>("writtenAt");   // -1: nothing written
        QTest::addColumn<bool>("readFails");
        QTest::newRow("empty list") << 0 << -1 << -1 << 0 << false;
        QTest::newRow("appended") << 3 << -1 << -1 << 3 << false;
        QTest::newRow("full list gives up entry 0") << 8 << -1 << -1 << 0 << false;
        QTest::newRow("same signal, yes") << 3 << 1 << 1 << 1 << false;
        QTest::newRow("same signal, no") << 3 << 1 << 0 << -1 << false;
        QTest::newRow("unread list") << 3 << -1 << -1 << -1 << true;
    }
    void saveCustomTiming()
    {
        QFETCH(int, stored);
        QFETCH(int, sameAt);
        QFETCH(int, answer);
        QFETCH(int, writtenAt);
        QFETCH(bool, readFails);
        std::vector<_KVCAP_VIDEO_CUSTOM_TIMING> entries;
        for (int i = 0; i < stored; ++i)
            entries.push_back(i == sameAt ? Other(1126) : Other(uint16_t(600 + i)));   // 1126: same signal
        SetList(entries);
        const Bytes before = m_device->liveReport(m_list);
        if (readFails)
            m_device->stallReport(m_list);
        QString asked;
        if (answer >= 0)
            lvtest::answerNextBox(answer == 1, &asked);
        QAdjustTimingWidget w;
        w.GetSaveButton()->click();
        if (answer >= 0)
            QCOMPARE(asked, QStringLiteral("Already defined custom timing for current input signal, overwrite?"));
        if (writtenAt < 0) {
            QVERIFY(Sets(m_device, m_list).empty());
            return;
        }
        _KVCAP_VIDEO_CUSTOM_TIMING_LIST expected;
        memcpy(&expected, before.data(), sizeof expected);
        expected.timings[writtenAt] = VgaTiming();
        expected.count = uint8_t(qMax(stored, writtenAt + 1));
        QCOMPARE(Sets(m_device, m_list), std::vector<Bytes>{BytesOf(expected)});
    }

    void deleteCustomTiming_data()
    {
        QTest::addColumn<int>("count");      // the device's count (may exceed the record)
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("readFails");
        QTest::addColumn<int>("selectedAfter");
        QTest::newRow("last of three") << 3 << 2 << false << 1;
        QTest::newRow("first of three") << 3 << 0 << false << 0;
        QTest::newRow("only entry") << 1 << 0 << false << -1;
        QTest::newRow("count beyond the record") << 200 << 7 << false << 6;
        QTest::newRow("unread list") << 3 << 1 << true << 1;
    }
    void deleteCustomTiming()
    {
        QFETCH(int, count);
        QFETCH(int, row);
        QFETCH(bool, readFails);
        QFETCH(int, selectedAfter);
        std::vector<_KVCAP_VIDEO_CUSTOM_TIMING> entries;
        for (int i = 0; i < qMin(count, 8); ++i)
            entries.push_back(Other(uint16_t(600 + i)));
        SetList(entries, count);
        QCustomTimingWidget w;
        w.InitCustomTimingTab(true);
        QVERIFY(!w.GetDeleteButton()->isEnabled());
        w.OnCellClicked(row, 0);
        QVERIFY(w.GetDeleteButton()->isEnabled());
        if (readFails)
            m_device->stallReport(m_list);
        m_device->clearTransfers();
        w.OnDeleteCustomTiming();
        QCOMPARE(w.GetSelectedRow(), selectedAfter);
        QCOMPARE(w.GetDeleteButton()->isEnabled(), selectedAfter >= 0);
        if (readFails) {
            QVERIFY(Sets(m_device, m_list).empty());
            return;
        }
        std::vector<_KVCAP_VIDEO_CUSTOM_TIMING> kept = entries;
        kept.erase(kept.begin() + row);
        kept.push_back(entries.back());   // the freed last place keeps what was read
        const _KVCAP_VIDEO_CUSTOM_TIMING_LIST expected = List(kept, int(entries.size()) - 1);
        QCOMPARE(Sets(m_device, m_list), std::vector<Bytes>{BytesOf(expected)});
    }

    // Short 0x10, 0x94, 0x96 answers send nothing; unsent changes show the device's values.
    void shortAnswersAndRefusedWrites()
    {
        g_presenter.SetUIChanged(false, UI_CHANGE_IMMEDIATE);
        QAdjustTimingWidget w;
        w.InitAdjustTimingTab(false);
        SetList({Other(600), Other(601), Other(602), Other(603), Other(604)});
        m_device->setShortReply(m_list, 1 + 1 + 2 * 27);   // the count (5) and two entries
        m_device->setShortReply(IdOf<_KVCAP_PREFERRED_TIMING_LIST>(), 1 + 1 + 28);
        w.GetSaveButton()->click();
        QVERIFY(!w.ApplyPreferredTiming(1));   // entry 1 was not sent
        m_device->setShortReply(m_input, 1 + 50);   // 50 of its 61 bytes
        w.GetSlider(QAdjustTimingWidget::SliderHTotal)->SetValue(2300);
        w.GetAspectXSpinBox()->setValue(4);
        QCOMPARE(SetCount(m_device), 0);
        QVERIFY(w.GetSlider(QAdjustTimingWidget::SliderHTotal)->GetValue() == 2200 && w.GetAspectXSpinBox()->value() == 16);
        m_device->clearFaults();
        m_device->stallReport(m_apply);   // the device refuses the timing
        w.GetSlider(QAdjustTimingWidget::SliderVOffset)->SetValue(30);
        QVERIFY(w.GetSlider(QAdjustTimingWidget::SliderVOffset)->GetValue() == 41 && !g_presenter.IsUIChanged());
    }

    void listTextsAndEmptyRows()
    {
        _KVCAP_VIDEO_CUSTOM_TIMING interlaced = Other(1125);
        interlaced.syncInfo.interlaced = 1;
        interlaced.syncInfo.frameDuration = 400000;
        interlaced.settings.hActive = 1920;
        interlaced.settings.vActive = 540;
        _KVCAP_VIDEO_CUSTOM_TIMING noDuration = Other(806);
        noDuration.syncInfo.frameDuration = 0;
        SetList({interlaced, noDuration});
        QCustomTimingWidget w;
        w.InitCustomTimingTab(true);
        auto text = [&](int r, int c) { return qobject_cast<QLabel*>(w.GetTable()->cellWidget(r, c))->text(); };
        QCOMPARE(text(0, 0), QStringLiteral("1920x540i, 50.00 Hz"));
        QCOMPARE(text(0, 1), QStringLiteral("2200x1125"));
        QCOMPARE(text(0, 2), QStringLiteral("ES"));
        QCOMPARE(text(1, 0), QStringLiteral("806x1080p, N/A"));
        w.OnCellClicked(1, 0);
        w.OnCellClicked(5, 0);   // an empty row keeps the selection of row 1
        QCOMPARE(w.GetSelectedRow(), 1);
        QVERIFY(w.GetDeleteButton()->isEnabled());
        SetList({});
        w.InitCustomTimingTab(true);
        w.OnCellPressed(3, 0);
        QVERIFY(!w.GetDeleteButton()->isEnabled());
        QCOMPARE(SetCount(m_device), 0);
    }
};

LV_EMULATED_QTEST_MAIN(TstTimingEditors)
#include "tst_timingeditors.moc"
