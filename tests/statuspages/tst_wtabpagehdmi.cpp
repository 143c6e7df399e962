// The HDMI page against the emulated device: the EDID-assist option byte written for each
// box (bits 4-7 kept, nothing written after a failed read), the boxes by model code, the
// EDID tabs, the info-frame views, the report section, one read per report per reload,
// and a screenshot of the page.

#include "lvemulatortest.h"

#include <QTextEdit>
#include <QTranslator>

#include "../timingeditors/hdmitestsupport.h"
#include "lvtestsupport.h"
#include "statuspages/qinfoframewidget.h"
#include "statuspages/wtabpagehdmi.h"
#include "timingeditors/qedidinputwidget.h"
#include "toolkit/qwrappercheckbox.h"
#include "toolkit/wcheckbox.h"
#include "toolkit/wpushbutton.h"

using namespace hdmitest;

namespace {

uint8_t OptionsId()
{
    return idOf<_KVCAP_EDID_ASSIST_OPTIONS>();
}

void SetOptions(const DevicePtr& device, uint8_t options)
{
    device->setRecord(OptionsId(), _KVCAP_EDID_ASSIST_OPTIONS{options});
}

// "cCe-" per box: checked/unchecked then enabled/disabled, master first.
QString BoxStates(const WTabPageHdmi& page)
{
    QString states;
    for (int bit = 0; bit < 4; ++bit) {
        const QWrapperCheckBox* box = page.GetOptionBox(bit);
        states += box->IsChecked() ? QLatin1Char('C') : QLatin1Char('c');
        states += box->isEnabled() ? QLatin1Char('e') : QLatin1Char('-');
    }
    return states;
}

} // namespace

class TstWTabPageHdmi : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { startPresenter(); }
    void cleanupTestCase() { g_presenter.Exit(); }

    void optionBoxes_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("loaded");
        QTest::addColumn<int>("written");     // -1: nothing
        QTest::addColumn<QString>("after");
        QTest::newRow("master off") << 516 << 0x06 << 0 << "CeCeCece" << 0x07 << "ceC-C-c-";
        QTest::newRow("master on") << 516 << 0x07 << 0 << "ceC-C-c-" << 0x06 << "CeCeCece";
        QTest::newRow("add audio keeps 4-7") << 516 << 0x10 << 2 << "Cececece" << 0x14 << "CeceCece";
        QTest::newRow("keep last off") << 516 << 0x0E << 1 << "CeCeCeCe" << 0x0C << "CeceCeCe";
        QTest::newRow("521 clock box") << 521 << 0x09 << 0 << "cec-c-c-" << 0x08 << "Cececec-";
        QTest::newRow("518 none") << 518 << 0x06 << -1 << "c-c-c-c-" << -1 << "c-c-c-c-";
        QTest::newRow("516 options unread") << 516 << -1 << 0 << "c-c-c-c-" << -1 << "c-c-c-c-";
        QTest::newRow("other model") << 513 << 0x06 << 1 << "cececece" << 0x06 << "ceCecece";
    }
    void optionBoxes()
    {
        QFETCH(int, model);
        QFETCH(int, before);
        QFETCH(int, box);
        QFETCH(QString, loaded);
        QFETCH(int, written);
        QFETCH(QString, after);
        DevicePtr device = plugDevice("HP-01", uint16_t(model));
        SetOptions(device, uint8_t(before));
        device->stallReport(OptionsId(), before < 0);
        WTabPageHdmi page;
        page.InitPage(0, false);
        QCOMPARE(BoxStates(page), loaded);
        device->clearTransfers();
        if (box >= 0)
            QTest::mouseClick(page.GetOptionBox(box)->GetCheckBox(), Qt::LeftButton);
        const QList<lvemu::Bytes> sent = writes(device, OptionsId());
        QCOMPARE(sent.size(), written < 0 ? 0 : 1);
        if (written >= 0)
            QCOMPARE(int(sent.first().at(0)), written);
        QCOMPARE(BoxStates(page), after);
        // A reload shows what the device now holds.
        page.InitPage(0, false);
        QCOMPARE(BoxStates(page), after);
        // An unread model clears them; read again, they are as a reload without the miss leaves them.
        device->stallReport(idOf<_KVCAP_DEVICE_INFO>(), true);
        page.InitPage(0, false);
        QCOMPARE(BoxStates(page), QStringLiteral("c-c-c-c-"));
        device->stallReport(idOf<_KVCAP_DEVICE_INFO>(), false);
        page.InitPage(0, false);
        QCOMPARE(BoxStates(page), after);
    }

    void failedReadWritesNothing()
    {
        DevicePtr device = plugDevice("HP-02");
        SetOptions(device, 0x02);
        WTabPageHdmi page;
        for (bool stalled : {true, false}) {   // unanswered, or answered without its byte
            device->stallReport(OptionsId(), stalled);
            device->setShortReply(OptionsId(), stalled ? -1 : 1);
            device->clearTransfers();
            QTest::mouseClick(page.GetOptionBox(2)->GetCheckBox(), Qt::LeftButton);
            QCOMPARE(writes(device, OptionsId()).size(), 0);
            QVERIFY(!page.GetOptionBox(2)->IsChecked());   // the box shows the device's state again
        }
    }

    void tabsAndInfoFrames()
    {
        DevicePtr device = plugDevice("HP-03");
        WTabPageHdmi page;
        page.InitPage(0, false);
        QCOMPARE(page.GetEDIDStack()->GetStackCount(), 2);
        QCOMPARE(page.GetInfoFrameStack()->GetStackCount(), 9);
        QVERIFY(page.GetInfoFrameView(0)->GetText().startsWith(QStringLiteral("  Type     :   0x82\n")));
        QVERIFY(page.GetInfoFrameView(0)->GetText().contains(QStringLiteral("(OK)")));
        QCOMPARE(page.GetInfoFrameView(3)->GetText(), QStringLiteral("  N/A"));   // MS not received
        // Focus list: four boxes, EDID tab 0 + four buttons, tab 1 + export, nine info tabs.
        QCOMPARE(page.GetTabListCount(), 4 + 5 + 2 + 9);
        lvtest::saveScreenshot(&page, QStringLiteral("hdmi_page"));

        _KVCAP_DEVICE_CAPS caps = device->record<_KVCAP_DEVICE_CAPS>(idOf<_KVCAP_DEVICE_CAPS>());
        caps.flags &= ~KVCAP_CAPS_LOOP_THROUGH;
        device->setRecord(idOf<_KVCAP_DEVICE_CAPS>(), caps);
        _KVCAP_VIDEO_STATUS status = device->record<_KVCAP_VIDEO_STATUS>(idOf<_KVCAP_VIDEO_STATUS>());
        status.state = 2;   // locking: no info frame counts
        device->setRecord(idOf<_KVCAP_VIDEO_STATUS>(), status);
        page.InitPage(0, false);
        QCOMPARE(page.GetEDIDStack()->GetStackCount(), 1);
        QCOMPARE(page.GetInfoFrameView(0)->GetText(), QStringLiteral("  N/A"));
        QCOMPARE(page.GetTabListCount(), 4 + 5 + 9);
        // The report still lists the loop-through EDID for model 516.
        QVERIFY(page.GetExportInfo().contains(QStringLiteral("Loop through device EDID:")));
    }

    // A tab shows the frame it names and keeps it over a tab change and the info-status
    // notification; only a full load goes back to the first tab.
    void infoFrameTabsKeepTheUsersTab()
    {
        DevicePtr device = plugDevice("HP-07");
        WTabPageHdmi page;
        page.show();
        QTest::mouseClick(page.GetInfoFrameStack()->GetStackTabBtn(2), Qt::LeftButton);   // SPD
        for (int i = 0; i < 2; ++i, page.OnHDMIInfoStatusChanged(0xFFFF))
            QVERIFY(page.GetInfoFrameView(2)->isVisible()
                    && page.GetInfoFrameView(2)->GetText().startsWith("  Type     :   0x83\n"));
        page.InitPage(0, false);
        QVERIFY(page.GetInfoFrameStack()->GetCurrentIndex() == 0 && page.GetInfoFrameView(0)->isVisible());
        QVERIFY(page.GetEDIDStack()->GetStackTabBtn(1)->isVisible());   // rebuilt by the load, on screen
    }

    // The longest packet (four header and four dump lines) shows whole in all nine views,
    // also with the Chinese " (OK)" in its taller font.
    void longestPacketsShowWhole()
    {
        DevicePtr device = plugDevice("HP-08");
        for (int i = 0; i < KVCAP_INFOFRAME_COUNT; ++i)
            lvtest::put(device, _HDMI_INFOFRAME_PACKET{0x83, 0x01, 27, uint8_t(-(0x83 + 0x01 + 27)), {}}, i);
        lvtest::put(device, _KVCAP_INFOFRAME_VALID_MASK{0x1FF});
        QTranslator zh;
        QVERIFY(zh.load(":/Trans/trans_zh") && QCoreApplication::installTranslator(&zh));
        WTabPageHdmi page;
        page.show();
        page.InitPage(0, false);
        for (int i = 0; i < KVCAP_INFOFRAME_COUNT; ++i) {
            QTest::mouseClick(page.GetInfoFrameStack()->GetStackTabBtn(i), Qt::LeftButton);
            const QTextEdit* view = page.GetInfoFrameView(i)->findChild<QTextEdit*>();
            QVERIFY(view->isVisible() && !view->toPlainText().contains(" (OK)"));
            QVERIFY(view->document()->size().height() <= view->viewport()->height());
        }
        lvtest::saveScreenshot(&page, "hdmi_page_gamut_zh");
    }

    // Every report once per full reload.
    void reloadReadsEachReportOnce()
    {
        DevicePtr device = plugDevice("HP-04");
        WTabPageHdmi page;
        device->clearTransfers();
        page.InitPage(0, false);
        QMap<int, int> reads;
        for (const lvemu::TransferRecord& t : device->transfers())
            if (t.direction == lvemu::TransferRecord::Get)
                ++reads[t.id];
        // 0x01 0x03 0x11 0x98 0x99 0x9A 0x9B 0xA0 and the four received frames.
        QCOMPARE(reads.size(), 12);
        for (auto it = reads.cbegin(); it != reads.cend(); ++it)
            QVERIFY2(it.value() == 1, qPrintable(QString::number(it.key(), 16)));
        QCOMPARE(writes(device, OptionsId()).size(), 0);
    }

    void reportSection()
    {
        DevicePtr device = plugDevice("HP-05");
        device->stallReport(idOf<_HDMI_INFOFRAME_PACKET>(1));   // audio frame: mask set, read fails
        WTabPageHdmi page;
        const QString html = page.GetExportInfo();
        QVERIFY(html.startsWith(QStringLiteral("\r\n<div class=\"mod\">\r\n<h2 id=\"HDMI\">HDMI</h2>")));
        QVERIFY(html.contains(QStringLiteral("<tr><th class=\"sub-title\">HDMI - EDID</th></tr>\r\n")));
        QVERIFY(html.contains(QStringLiteral("<tr><th>Vontresk:</th><td>Enable</td></tr>")));
        QVERIFY(html.contains(QStringLiteral("<tr><th>AVI:</th><td>Type     : 0x82 <br>Version  : 0x02 <br>"
                                             "Length   : 13 Bytes <br>Checksum : 0x")));
        QVERIFY(html.contains(QStringLiteral("<tr><th>Audio:</th><td>N/A</td></tr>")));
        QVERIFY(html.contains(QStringLiteral("<tr><th>Gamut:</th><td>N/A</td></tr>")));
        QVERIFY(!html.contains(QStringLiteral("Checksum : 0x00 (OK)")));
        QVERIFY(html.endsWith(QStringLiteral("</table></div>\r\n")));
        // Two EDID dumps of 16 rows; AVI, SPD and VS: four header lines and 2, 4 and 1 dump
        // lines, each ended by "<br>".
        QCOMPARE(html.count(QStringLiteral("<br>")), 32 + 6 + 8 + 5);
        QVERIFY(html.contains(QStringLiteral("<br></td></tr>\r\n<tr><th>Audio:</th>")));
    }

    void videoInputLeavesHdmi()
    {
        DevicePtr device = plugDevice("HP-06");
        WTabPageHdmi page;
        page.InitPage(0, false);
        page.show();
        QVERIFY(QTest::qWaitForWindowActive(&page));
        WCheckBox* master = page.GetOptionBox(0)->GetCheckBox();
        page.SetCurProperty(master->GetProperty());
        master->setFocus();
        QVERIFY(master->hasFocus());
        QSignalSpy reset(&page, &WTabPageHdmi::signal_resetFocus);
        QSignalSpy forwarded(page.GetCaptureView(), &QEDIDInputWidget::videoSignalChanged);
        emit page.videoSignalChanged(false);
        page.OnVideoChanged(false);
        QVERIFY(!page.isEnabled());
        QCOMPARE(reset.count(), 1);
        QCOMPARE(forwarded.count(), 1);
        device->clearTransfers();
        page.OnVideoChanged(true);
        QVERIFY(page.isEnabled());
        QVERIFY(!device->transfers().empty());   // reloaded
    }
};

LV_EMULATED_QTEST_MAIN(TstWTabPageHdmi)
#include "tst_wtabpagehdmi.moc"
