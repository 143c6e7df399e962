// The Input page against the emulated device: every status view decoded from
// hand-built records, source selection writes, refreshes that write nothing, the
// notification groups and the report section read back by an HTML parser.

#include "input_pagetest.h"

#include <QSignalSpy>

#include "statuspages/wtabpageinput.h"
#include "toolkit/qwrappercheckbox.h"
#include "toolkit/wcombobox.h"

using namespace pagetest;

Q_DECLARE_METATYPE(_KVCAP_INPUT_STATUS)
Q_DECLARE_METATYPE(_KVCAP_VIDEO_STATUS)
Q_DECLARE_METATYPE(_KVCAP_AUDIO_STATUS)

class TstInputPage : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void decodesSourceCodes();
    void specificView_data();
    void specificView();
    void videoAndAudioViews_data();
    void videoAndAudioViews();
    void selectionWritesFullCodes();
    void refreshWritesNothing();
    void scanningAndLink();
    void notificationsRefreshTheirGroup_data();
    void notificationsRefreshTheirGroup();
    void reportMatchesPage();
    void screenshots();

private:
    DevicePtr m_dev;
    WTabPageInput* m_page = nullptr;
};

namespace {

_KVCAP_VIDEO_STATUS lockedStatus()
{
    _KVCAP_VIDEO_STATUS s{};
    s.state = KVCAP_VIDEO_STATE_LOCKED, s.width = 1920, s.height = 1080, s.frameDuration = 400000;
    return s;
}

// The report rows of one sub-section, labels without their colon.
QStringList reportPart(const QStringList& rows, const QString& title)
{
    QStringList out;
    for (int i = rows.indexOf("#" + title) + 1; i > 0 && i < rows.size() && !rows[i].startsWith('#'); ++i)
        out << QString(rows[i]).replace(":=", "=");
    return out;
}

} // namespace

void TstInputPage::initTestCase()
{
    QVERIFY((m_dev = startWithDevice()));
    m_page = new WTabPageInput;
}

void TstInputPage::init()
{
    m_dev->clearFaults();
    resetPending();
}

void TstInputPage::decodesSourceCodes()
{
    struct Case { int code; bool video, ok; uint32_t type; const char* name; int index; };
    for (const Case& c : {Case{0x200, true, true, 2, "VGA", 0}, Case{0x300, true, true, 2, "VGA", 0},
                          Case{0x401, true, true, 4, "SDI", 1}, Case{0x2001, true, true, 32, "YC", 1},
                          Case{0x40000, true, true, 32, "YC", 0}, Case{0x42, true, true, 0, "NONE", 0x42},
                          Case{0x900, false, true, 8, "MIC", 0}, Case{0x201, false, true, 2, "SDI", 1},
                          Case{int(0x80000100u), true, false, 99, "kept", 7}}) {
        uint32_t type = 99;
        QString name = "kept";
        int index = 7;
        const bool ok = c.video ? WTabPageInput::GetVideoInputType(c.code, type, name, index)
                                : WTabPageInput::GetAudioInputType(c.code, type, name, index);
        QCOMPARE(QString("%1 %2 %3 %4").arg(ok).arg(type).arg(name).arg(index),
                 QString("%1 %2 %3 %4").arg(c.ok).arg(c.type).arg(c.name).arg(c.index));
    }
}

void TstInputPage::specificView_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<_KVCAP_INPUT_STATUS>("input");
    QTest::addColumn<int>("tableRowCount");
    QTest::addColumn<QStringList>("rows");        // "n|label=value", n = row index
    QTest::addColumn<bool>("reportSame");

    _KVCAP_INPUT_STATUS in{};
    in.valid = 1;
    in.inputType = KVCAP_VIDEO_INPUT_HDMI;
    _KVCAP_INPUT_STATUS_HDMI& h = in.hdmi;
    h = {1, 1, 8, 1, 16, 0, 0, 0, 0, {0, 166667, 44, 88, 148, 1920, 2200, 5, 4, 36, 1080, 1125, 0, 0, 0, 0, 0}, {}};
    QTest::newRow("hdmi progressive") << 3 << in << 20
        << QStringList{"0|Signal status=Present", "1|Mode=HDMI", "2|HDCP encrypted=YES", "3|Color depth=8 Bits",
                       "4|Pixel encoding=Y/U/V 4:2:2", "7|3D format=False", "8|Timing - scanning format=Progressive",
                       "9|Timing - frame rate=60.00 Hz", "10|Timing - H total=2200 Pixels",
                       "15|Timing - V total=1125 Lines", "19|Timing - V back porch=36 Lines"} << true;
    h = {0, 0, 10, 7, 5, 1, 1, 8, 5, {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 563}, {}};
    QTest::newRow("dvi interlaced 3D") << 3 << in << 27
        << QStringList{"1|Mode=DVI", "2|HDCP encrypted=No", "4|Pixel encoding=Unknown", "6|IT content=True",
                       "8|3D structure=Side by side (Half)", "9|Sub sampling=Quincunx: Left-ODD,Right-Even",
                       "11|Timing - frame rate=N/A", "22|Timing - field 1 V total=563 Lines"} << true;

    in = {};
    in.valid = 1;
    in.inputType = KVCAP_VIDEO_INPUT_VGA;
    in.analog.syncInfo = {4, {0, 0}, 1, 400000, 6, 625};
    QTest::newRow("vga without timing") << 3 << in << 9
        << QStringList{"1|Sync type=Embedded sync - Bi Level", "2|Frame rate=50.00 Hz",
                       "3|Scanning format=Interlaced", "4|VS width=6 Lines", "5|Total scan lines=625 Lines"} << false;
    in.inputType = KVCAP_VIDEO_INPUT_COMPONENT;
    in.analog.syncInfo = {9, {0, 0}, 0, 0, 5, 1125};
    in.analog.timing = {16, 148500000, 0, 0, 0, 0, 1920, 88, 44, 148, 1080, 4, 5, 36};
    QTest::newRow("component cvt") << 3 << in << 16
        << QStringList{"1|Sync type=Unknown", "2|Frame rate=N/A", "6|Timing - Type=CVT",
                       "7|Timing - Pixel clock=148500000 Hz", "8|Timing - H active=1920 Pixels",
                       "15|Timing - V back porch=36 Lines"} << true;

    in = {};
    in.valid = 1;
    in.inputType = KVCAP_VIDEO_INPUT_SDI;
    in.sdi = {8, 2, 1, 9, {}};
    QTest::newRow("sdi") << 3 << in << 9
        << QStringList{"1|Type=6G MODE2", "2|Scanning format=Unknown", "3|Color depth=10 Bits",
                       "4|Sampling struct=Unknown"} << true;
    in.sdi = {3, 1, 2, 14, {}};
    QTest::newRow("sdi known codes") << 3 << in << 9
        << QStringList{"1|Type=3GB DL", "2|Scanning format=Segmented frame", "3|Color depth=12 Bits",
                       "4|Sampling struct=X/Y/Z, 4:4:4"} << true;

    in = {};
    in.valid = 1;
    in.inputType = KVCAP_VIDEO_INPUT_CVBS;
    in.cvbs.tvStandard = 6;
    QTest::newRow("composite 60") << 3 << in << 9 << QStringList{"1|TV Standard=PAL-B/G/H/I/D", "2|="} << true;
    in.inputType = KVCAP_VIDEO_INPUT_YC;
    in.cvbs = {12, 1, {}};
    QTest::newRow("y/c 50") << 3 << in << 9 << QStringList{"1|TV Standard=Unknown", "2|Field rate=50 Hz"} << true;
    in.inputType = 64;
    QTest::newRow("unknown type") << 3 << in << 9 << QStringList{"0|=Present", "1|="} << false;
    in.valid = 0;
    QTest::newRow("not valid") << 3 << in << 9 << QStringList{"0|="} << false;
    QTest::newRow("locking") << 2 << in << 9 << QStringList{"0|Signal status=Not present", "1|="} << true;
}

void TstInputPage::specificView()
{
    QFETCH(int, state);
    QFETCH(_KVCAP_INPUT_STATUS, input);
    QFETCH(int, tableRowCount);
    QFETCH(QStringList, rows);
    QFETCH(bool, reportSame);
    _KVCAP_VIDEO_STATUS status = lockedStatus();
    status.state = state;
    put(m_dev, status);
    put(m_dev, input);
    m_page->InitSpecificStatusTabPage();

    QWrapperTableWidget* table = m_page->GetTable(2);
    QCOMPARE(table->GetRowCount(), tableRowCount);
    const QStringList shown = tableRows(table, true);
    for (const QString& row : rows) {
        const int n = row.section('|', 0, 0).toInt();
        QCOMPARE(shown.value(n), row.section('|', 1));
    }
    const QStringList report = reportPart(reportRows(m_page->GetExportInfo()), "Input - Input Specific Status");
    if (reportSame)
        QCOMPARE(report, tableRows(table));
    else
        QCOMPARE(report.value(0), QString(state == 3 ? "Signal status=Present" : "Signal status=Not present"));
}

void TstInputPage::videoAndAudioViews_data()
{
    QTest::addColumn<_KVCAP_VIDEO_STATUS>("status");
    QTest::addColumn<_KVCAP_AUDIO_STATUS>("audio");
    QTest::addColumn<QStringList>("video");   // rows that must be shown
    QTest::addColumn<QStringList>("sound");

    _KVCAP_VIDEO_STATUS s = lockedStatus();
    s.aspectX = 16, s.aspectY = 9, s.totalWidth = 2640, s.totalHeight = 1125, s.offsetX = 192, s.offsetY = 41;
    s.colorFormat = 5, s.quantRange = 3, s.satRange = 3;
    _KVCAP_AUDIO_STATUS a{};
    a.channelPairs = 0x3, a.lpcm = 1, a.bitsPerSample = 24, a.sampleRate = 48000, a.channelStatus[0] = 4;
    a.channelStatus[23] = 0xAB;
    QTest::newRow("progressive") << s << a
        << QStringList{"Resolution=1920 x 1080p, 25.00 Hz", "Aspect ratio=16:9", "Total scan size=2640x1125 Pixels",
                       "Active area offset=X: 192, Y: 41", "Color format=YUV BT. 2020C", "Quantization range=Unknown",
                       "Saturation range=Extended gamut(1-254)"}
        << QStringList{"Audio format=48000 Hz, 24 bits, LPCM", "Channel 1 & 2=Present", "Channel 3 & 4=Present",
                       "Channel 5 & 6=Not present", "Channel 7 & 8=Not present",
                       "Channel status data=04 " + QString("00 ").repeated(22) + "AB "};
    s.segmented = 1, s.interlaced = 1, s.colorFormat = 1, s.quantRange = 2, s.satRange = 0;
    a = {};
    a.channelPairs = 0x8, a.bitsPerSample = 16, a.sampleRate = 44100;
    QTest::newRow("segmented") << s << a
        << QStringList{"Resolution=1920 x 1080sF, 25.00 Hz", "Color format=RGB",
                       "Quantization range=Limited range(16-235)", "Saturation range=Unknown"}
        << QStringList{"Audio format=44100 Hz, 16 bits", "Channel 1 & 2=Not present", "Channel 7 & 8=Present"};
    s.segmented = 0, s.colorFormat = 0;
    QTest::newRow("interlaced") << s << _KVCAP_AUDIO_STATUS{}
        << QStringList{"Resolution=1920 x 1080i, 50.00 Hz", "Color format=RGB"}
        << QStringList{"Signal status=Not present"};
    s.interlaced = 0, s.frameDuration = 0;
    QTest::newRow("no duration") << s << a << QStringList{"Resolution=1920 x 1080p, N/A"} << QStringList{};
    s.state = 2;
    QTest::newRow("locking") << s << a << QStringList{"Signal status=Locking"} << QStringList{};
    s.state = 9;
    QTest::newRow("bad state") << s << a << QStringList{"Signal status=Not present"} << QStringList{};
}

void TstInputPage::videoAndAudioViews()
{
    QFETCH(_KVCAP_VIDEO_STATUS, status);
    QFETCH(_KVCAP_AUDIO_STATUS, audio);
    QFETCH(QStringList, video);
    QFETCH(QStringList, sound);
    put(m_dev, status);
    put(m_dev, audio);
    m_page->InitVideoStatusTabPage();
    m_page->InitAudioStatusTabPage();
    const QStringList shown = tableRows(m_page->GetTable(0)) + tableRows(m_page->GetTable(1));
    for (const QString& row : video + sound)
        QVERIFY2(shown.contains(row), qPrintable(row + " not in " + shown.join(" | ")));
    if (status.state != 3)
        QCOMPARE(tableRows(m_page->GetTable(0)).size(), 1);
}

void TstInputPage::selectionWritesFullCodes()
{
    // A count past the 16 codes the record holds, and a code with bit 31 set.
    put(m_dev, _KVCAP_INPUT_SOURCE_LIST{200, {0x400, 0x401, 0x80000100u, 0x100, 0x204, 0x205, 0x206, 0x207, 0x208,
                                              0x209, 0x20A, 0x20B, 0x20C, 0x20D, 0x20E, 0x20F}}, KvVideoSourceList);
    put(m_dev, _KVCAP_VIDEO_INPUT_SOURCE{0x401});
    QSignalSpy video(m_page, &WTabPageInput::inputVideoChanged);
    m_page->InitPage(0, false);
    WComboBox* combo = m_page->GetVideoCombo();
    QCOMPARE(combo->count(), 15);
    QCOMPARE(combo->currentText(), QString("SDI input 1"));
    QCOMPARE(video.takeLast().at(0).toBool(), false);

    struct Pick { int index; uint32_t code; };
    for (const Pick& pick : {Pick{0, 0x400}, Pick{2, 0x100}, Pick{1, 0x401}, Pick{14, 0x20F}}) {
        resetPending();
        m_dev->clearTransfers();
        combo->setCurrentIndex(pick.index);
        QCOMPARE(ids(m_dev, TransferRecord::Set), QList<int>{0x0E});
        QCOMPARE(m_dev->record<_KVCAP_VIDEO_INPUT_SOURCE>(0x0E).code, pick.code);
        QVERIFY(g_presenter.IsUIChanged() && g_presenter.GetUIChangeType() == UI_CHANGE_IMMEDIATE);
    }
    // Refused: not pending, one try each, the combo and box show the device's values again.
    resetPending();
    m_dev->stallReport(0x0E);
    m_dev->stallReport(0x0B);
    m_dev->clearTransfers();
    combo->setCurrentIndex(0);
    const bool autoScan = m_page->GetAutoScanBox()->IsChecked();
    m_page->GetAutoScanBox()->OnButtonClicked();
    QCOMPARE(ids(m_dev, TransferRecord::Set), (QList<int>{0x0E, 0x0B}));
    QCOMPARE(combo->currentIndex(), 14);
    QCOMPARE(m_page->GetAutoScanBox()->IsChecked(), autoScan);
    QVERIFY(!g_presenter.IsUIChanged());
    m_dev->clearFaults();

    // A source list answered short (its count and two codes): no choice is written.
    put(m_dev, _KVCAP_VIDEO_INPUT_SOURCE{0x400});
    m_dev->setShortReply(0x09, 10);
    m_page->InitPage(0, false);
    m_dev->clearTransfers();
    combo->setCurrentIndex(1);
    QCOMPARE(ids(m_dev, TransferRecord::Set), QList<int>{});
    QCOMPARE(combo->currentIndex(), 0);
    QVERIFY(!g_presenter.IsUIChanged());
    m_dev->clearFaults();

    // The audio side writes its own report, and an SDI audio input is announced.
    QSignalSpy audio(m_page, &WTabPageInput::inputAudioChanged);
    m_page->GetAudioCombo()->setCurrentIndex(1);
    QCOMPARE(m_dev->record<_KVCAP_AUDIO_INPUT_SOURCE>(0x0F).code, 0x200u);
    m_page->OnInputSourceChanged(0x02);
    QCOMPARE(audio.takeLast().at(0).toBool(), true);
}

void TstInputPage::refreshWritesNothing()
{
    put(m_dev, _KVCAP_VIDEO_AUTO_SCAN{1});
    put(m_dev, _KVCAP_AUDIO_LINK_VIDEO{1});
    m_dev->stallReport(0x0B);
    m_dev->stallReport(0x0D);
    m_dev->clearTransfers();
    m_page->InitPage(0, false);
    m_page->OnInputSourceChanged(0x0F);
    QCOMPARE(ids(m_dev, TransferRecord::Set), QList<int>{});
    QVERIFY(!g_presenter.IsUIChanged());
    QCOMPARE(m_dev->record<_KVCAP_VIDEO_AUTO_SCAN>(0x0B).enabled, uint8_t(1));
    for (QWrapperCheckBox* box : {m_page->GetAutoScanBox(), m_page->GetLinkBox()})
        QVERIFY(!box->IsChecked() && !box->isEnabled());   // unread shows as unknown, not as off
    QVERIFY(!m_page->GetVideoCombo()->isEnabled() && !m_page->GetAudioCombo()->isEnabled());   // and governs its list

    m_dev->clearFaults();
    m_dev->clearTransfers();
    m_page->InitPage(0, false);
    QCOMPARE(ids(m_dev, TransferRecord::Set), QList<int>{});
    QVERIFY(m_page->GetAutoScanBox()->IsChecked() && m_page->GetLinkBox()->IsChecked()
            && m_page->GetAutoScanBox()->isEnabled() && m_page->GetLinkBox()->isEnabled()
            && !m_page->GetVideoCombo()->isEnabled() && !m_page->GetAudioCombo()->isEnabled());
}

void TstInputPage::scanningAndLink()
{
    put(m_dev, _KVCAP_VIDEO_AUTO_SCAN{0});
    put(m_dev, _KVCAP_AUDIO_LINK_VIDEO{1});
    put(m_dev, _KVCAP_VIDEO_SCANNING{1});
    m_dev->clearTransfers();
    m_page->InitPage(0, false);
    QVERIFY(!ids(m_dev, TransferRecord::Get).contains(0x0C));   // not read while auto scan is off

    // The user turns auto scan on; the device is scanning.
    m_page->GetAutoScanBox()->SetChecked(true);
    emit m_page->GetAutoScanBox()->clicked();
    QCOMPARE(m_dev->record<_KVCAP_VIDEO_AUTO_SCAN>(0x0B).enabled, uint8_t(1));
    QVERIFY(g_presenter.IsUIChanged());
    for (WComboBox* combo : {m_page->GetVideoCombo(), m_page->GetAudioCombo()}) {
        QCOMPARE(combo->itemText(0), QString("Scanning"));
        QCOMPARE(combo->currentIndex(), 0);
        QVERIFY(!combo->isEnabled());
    }
    const int items = m_page->GetVideoCombo()->count();
    m_page->OnInputSourceChanged(0x01);
    QCOMPARE(m_page->GetVideoCombo()->count(), items);   // one scanning item, not two

    // Scanning ends on the SDI input: the item goes and the source is selected.
    put(m_dev, _KVCAP_VIDEO_SCANNING{0});
    put(m_dev, _KVCAP_VIDEO_INPUT_SOURCE{0x400});
    m_page->OnInputSourceChanged(0x01);
    QCOMPARE(m_page->GetVideoCombo()->currentText(), QString("SDI input 0"));
    QCOMPARE(m_page->GetVideoCombo()->count(), items - 1);
    put(m_dev, _KVCAP_VIDEO_AUTO_SCAN{0});
}

void TstInputPage::notificationsRefreshTheirGroup_data()
{
    QTest::addColumn<bool>("source");
    QTest::addColumn<quint64>("bits");
    QTest::addColumn<QList<int>>("reads");
    QTest::newRow("specific") << false << quint64(0x10) << QList<int>{0x11, 0x10};
    QTest::newRow("video") << false << quint64(0x20) << QList<int>{0x11};
    QTest::newRow("audio") << false << quint64(0x40) << QList<int>{0x12};
    QTest::newRow("all") << false << quint64(0x70) << QList<int>{0x11, 0x10, 0x11, 0x12};
    QTest::newRow("other status") << false << quint64(0x08) << QList<int>{};
    QTest::newRow("source") << true << quint64(0x04) << QList<int>{0x0D, 0x0B, 0x0E, 0x0F, 0x11};
    QTest::newRow("other source") << true << quint64(0x30) << QList<int>{};
}

void TstInputPage::notificationsRefreshTheirGroup()
{
    QFETCH(bool, source);
    QFETCH(quint64, bits);
    QFETCH(QList<int>, reads);
    put(m_dev, _KVCAP_VIDEO_AUTO_SCAN{0});
    put(m_dev, lockedStatus());
    m_page->InitPage(0, false);   // shows the first tab
    m_dev->clearTransfers();
    if (source)
        m_page->OnInputSourceChanged(bits);
    else
        m_page->OnInputStatusChanged(bits);
    QCOMPARE(ids(m_dev, TransferRecord::Get), reads);
    QCOMPARE(ids(m_dev, TransferRecord::Set), QList<int>{});
}

void TstInputPage::reportMatchesPage()
{
    g_presenter.SetCurrentIndex(-1, false);
    QCOMPARE(m_page->GetExportInfo(), QString());
    QVERIFY((m_dev = plugStock()));
    m_page->InitPage(0, false);

    const QStringList rows = reportRows(m_page->GetExportInfo());
    QCOMPARE(rows.mid(0, 3), (QStringList{"#Input - VIDEO & AUDIO INPUTS", "Video input:=HDMI ",
                                          "Audio input:=HDMI , Link with video"}));
    QCOMPARE(reportPart(rows, "Input - Video Signal Status"), tableRows(m_page->GetTable(0)));
    QCOMPARE(reportPart(rows, "Input - Audio Signal Status"), tableRows(m_page->GetTable(1)));
    QCOMPARE(reportPart(rows, "Input - Input Specific Status"), tableRows(m_page->GetTable(2)));
    QCOMPARE(tableRows(m_page->GetTable(0)).value(1), QString("Resolution=1920 x 1080p, 60.00 Hz"));
    QCOMPARE(tableRows(m_page->GetTable(2)).size(), 20);
    QCOMPARE(m_page->GetVideoCombo()->currentText(), QString("HDMI input 0"));

    // Sources and status that could not be read are unknown, not "NONE" or "Not present".
    for (uint8_t id : {0x0E, 0x0F, 0x11})
        m_dev->stallReport(id);
    const QStringList unknown = reportRows(m_page->GetExportInfo());
    QCOMPARE(unknown.filter(QRegularExpression("^#|:=$")), unknown);   // sub-titles and empty values only
    QCOMPARE(unknown.size(), 9);
    // No channel pair is "Not present" without the video status; a locked signal's type needs 0x10.
    put(m_dev, _KVCAP_AUDIO_STATUS{});
    QCOMPARE(reportPart(reportRows(m_page->GetExportInfo()), "Input - Audio Signal Status"),
             QStringList{"Signal status=Not present"});
    m_dev->clearFaults();
    m_dev->stallReport(0x10);
    QCOMPARE(reportPart(reportRows(m_page->GetExportInfo()), "Input - Input Specific Status"),
             QStringList{"Signal status="});
}

void TstInputPage::screenshots()
{
    for (int tab = 0; tab < 3; ++tab) {
        m_page->GetStack()->SetCurrentIndex(tab);
        screenshot(m_page, QString("input_page_tab%1").arg(tab));
    }
    m_page->GetStack()->SetCurrentIndex(0);
}

LV_EMULATED_QTEST_MAIN(TstInputPage)
#include "tst_inputpage.moc"
