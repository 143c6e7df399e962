// The Video page against the emulated device: the exact bytes each control writes,
// the pending mark, nothing written after a failed read, the refresh rules, the
// notifications and the report section read back by an HTML parser.

#include "input_pagetest.h"

#include "device/fourcctext.h"
#include "settingspages/videovaluenames.h"
#include "settingspages/wtabpagevideo.h"
#include "toolkit/qwrappercheckbox.h"
#include "toolkit/qwrapperspinbox.h"
#include "toolkit/wcombobox.h"

using namespace pagetest;

class TstVideoPage : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void valueNames();
    void controlWrites_data();
    void controlWrites();
    void cropNarrowerThan128IsRefused();
    void automaticValuesShown();
    void rangesWithoutCaps();
    void cropAfterUnchecking();
    void connectionFormatRewrite();
    void inputSourceNotification();
    void report_data();
    void report();
    void screenshot();

private:
    template <typename T> T* find(const QString& name) { return m_page->findChild<T*>(name); }
    void act(const QString& control, const QString& action);

    DevicePtr m_dev;
    WTabPageVideo* m_page = nullptr;
};

namespace {

// Every field set, every override on, flag bit 5 and the reserved byte set.
_KVCAP_VIDEO_PROCESS_SETTINGS overridden()
{
    _KVCAP_VIDEO_PROCESS_SETTINGS s{};
    s.flags = 0x20;
    s.cropLeft = 10, s.cropTop = 20, s.cropRight = 1290, s.cropBottom = 740;
    s.aspectX = 4, s.aspectY = 3;
    s.reserved = 0x5A;
    s.colorFormat = 2, s.quantRange = 1, s.satRange = 3, s.deinterlace = 2, s.arConversion = 1;
    return s;
}

QByteArray bytes(const lvemu::Bytes& b) { return QByteArray(reinterpret_cast<const char*>(b.data()), int(b.size())); }

QString shown(QObject* c)   // check state, spin box value or combo item
{
    auto* box = qobject_cast<QWrapperCheckBox*>(c);
    return box ? QString::number(box->IsChecked())
               : c->property(qobject_cast<QComboBox*>(c) ? "currentIndex" : "value").toString();
}

} // namespace

void TstVideoPage::initTestCase()
{
    QVERIFY((m_dev = startWithDevice()));
    m_page = new WTabPageVideo;
}

void TstVideoPage::init()
{
    m_dev->clearFaults();
    put(m_dev, _KVCAP_DEVICE_CAPS{0, 4096, 2160, 4096, 2160});
    put(m_dev, overridden());
    put(m_dev, _KVCAP_INPUT_ASPECT_RATIO{4, 3});
    put(m_dev, _KVCAP_INPUT_COLOR_FORMAT{3});
    put(m_dev, _KVCAP_INPUT_QUANT_RANGE{2});
    m_page->InitPage(0, false);
    resetPending();
    m_dev->clearTransfers();
}

void TstVideoPage::act(const QString& control, const QString& action)
{
    const int n = action.section(':', 1).toInt();
    if (action == "click") {
        auto* box = find<QWrapperCheckBox>(control);
        box->SetChecked(!box->IsChecked());
        emit box->clicked();
    } else if (action.startsWith("index")) {
        find<WComboBox>(control)->setCurrentIndex(n);
    } else {
        find<QWrapperSpinBox>(control)->setValue(n);
    }
}

void TstVideoPage::valueNames()
{
    const QStringList colors{"Unknown", "RGB", "YUV BT.601", "YUV BT.709", "YUV BT.2020", "Unknown"};
    const QStringList quants{"Unknown", "Full range (0-255)", "Limited range (16-235)", "Unknown"};
    const QStringList sats{"Unknown", "Full range (0-255)", "Limited range (16-235)", "Extened gamut (1-254)", "Unknown"};
    const QStringList deints{"Weave", "Blend top & bottom field", "Top field only", "Bottom field only", ""};
    const QStringList ars{"Ignore", "Cropping", "Padding", ""};
    for (int code = -1; code < 6; ++code) {
        QCOMPARE(GetColorFormatString(code), colors.value(code, "Unknown"));
        QCOMPARE(GetQualizationString(code), quants.value(code, "Unknown"));
        QCOMPARE(GetSaturationString(code), sats.value(code, "Unknown"));
        QCOMPARE(GetDeinterlaceString(code), deints.value(code));
        QCOMPARE(GetARString(code), ars.value(code));
    }
}

void TstVideoPage::controlWrites_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QByteArray>("patch");   // the only bytes that change
    auto row = [](const char* control, const char* action, int id, int offset, QByteArray patch) {
        QTest::newRow(QByteArray(control) + " " + action) << control << action << id << offset << patch;
    };
    row("flip", "click", 0x17, 0, QByteArray("\x21", 1));
    row("mirror", "click", 0x17, 0, QByteArray("\x22", 1));
    row("captureAspectX", "value:21", 0x17, 12, QByteArray("\x15", 1));
    row("cropRight", "value:1300", 0x17, 8, QByteArray("\x14\x05", 2));
    row("captureColor", "index:3", 0x17, 21, QByteArray("\x04", 1));
    row("captureQuant", "index:1", 0x17, 25, QByteArray("\x02", 1));
    row("saturation", "index:0", 0x17, 29, QByteArray("\x01", 1));
    row("deinterlace", "index:3", 0x17, 33, QByteArray("\x03", 1));
    row("arConversion", "index:2", 0x17, 37, QByteArray("\x02", 1));
    row("captureAspectBox", "click", 0x17, 12, QByteArray(8, '\0'));
    row("cropBox", "click", 0x17, 4, QByteArray(8, '\0'));
    row("captureColorBox", "click", 0x17, 21, QByteArray(4, '\0'));
    row("saturationBox", "click", 0x17, 29, QByteArray(4, '\0'));
    row("inputAspectY", "value:10", 0x13, 4, QByteArray("\x0A", 1));
    row("inputAspectBox", "click", 0x13, 0, QByteArray(8, '\0'));
    row("inputColor", "index:0", 0x14, 0, QByteArray("\x01", 1));
    row("inputQuant", "index:0", 0x15, 0, QByteArray("\x01", 1));
    row("inputQuantBox", "click", 0x15, 0, QByteArray(4, '\0'));
}

void TstVideoPage::controlWrites()
{
    QFETCH(QString, control);
    QFETCH(QString, action);
    QFETCH(int, id);
    QFETCH(int, offset);
    QFETCH(QByteArray, patch);
    const QByteArray before = bytes(m_dev->liveReport(uint8_t(id)));
    const QString held = shown(find<QObject>(control));

    // A report unanswered, or answered short when the write is built from it: nothing
    // written or pending, the control shows what the device holds, its handler runs once.
    for (int shortReply : {-1, 5}) {
        if (shortReply > 0 && id != 0x17 && !action.startsWith("value"))
            break;   // written without a read
        init();
        m_dev->stallReport(uint8_t(id), shortReply < 0);
        m_dev->setShortReply(uint8_t(id), shortReply);
        act(control, action);
        QCOMPARE(bytes(m_dev->liveReport(uint8_t(id))), before);
        QCOMPARE(ids(m_dev, TransferRecord::Get).count(id) + ids(m_dev, TransferRecord::Set).count(id), 1);
        QVERIFY(!g_presenter.IsUIChanged());
        QCOMPARE(shown(find<QObject>(control)), held);
    }
    m_dev->clearFaults();
    init();

    act(control, action);
    QCOMPARE(ids(m_dev, TransferRecord::Set), QList<int>{id});
    QByteArray expected = before;
    expected.replace(offset, patch.size(), patch);
    QCOMPARE(bytes(m_dev->liveReport(uint8_t(id))), expected);
    QVERIFY(g_presenter.IsUIChanged());
    QCOMPARE(g_presenter.GetUIChangeType(), UI_CHANGE_IMMEDIATE);

    // An edit to the value the device already holds writes nothing.
    if (action.startsWith("value")) {
        init();
        m_dev->setReport(uint8_t(id), lvemu::Bytes(expected.begin(), expected.end()));
        act(control, action);
        QCOMPARE(ids(m_dev, TransferRecord::Set), QList<int>{});
        QVERIFY(!g_presenter.IsUIChanged());
    }
}

void TstVideoPage::cropNarrowerThan128IsRefused()
{
    _KVCAP_VIDEO_PROCESS_SETTINGS s = overridden();
    s.cropLeft = 0, s.cropTop = 0, s.cropRight = 1920, s.cropBottom = 1080;
    put(m_dev, s);
    m_page->InitPage(0, false);
    m_dev->clearTransfers();
    auto* right = find<QSpinBox>("cropRight");
    right->setValue(127);
    QCOMPARE(ids(m_dev, TransferRecord::Set), QList<int>{});
    QCOMPARE(right->value(), 1920);
    QVERIFY(!g_presenter.IsUIChanged());
    right->setValue(128);
    QCOMPARE(m_dev->record<_KVCAP_VIDEO_PROCESS_SETTINGS>(0x17).cropRight, int16_t(128));
}

void TstVideoPage::automaticValuesShown()
{
    // Capture format, input aspect, input colour and quantization items, saturation item, crop right and bottom.
    auto shown = [this] {
        QStringList out{find<QLabel>("captureFormat")->text()};
        for (const char* spin : {"inputAspectX", "inputAspectY"})
            out << QString::number(find<QSpinBox>(spin)->value());
        for (const char* combo : {"inputColor", "inputQuant", "captureColor", "saturation"})
            out << QString::number(find<QComboBox>(combo)->currentIndex());
        for (const char* spin : {"cropRight", "cropBottom"})
            out << find<QSpinBox>(spin)->text();
        return out.join(' ');
    };
    // No signal, no stream, nothing overridden.
    put(m_dev, _KVCAP_VIDEO_STATUS{});
    put(m_dev, _KVCAP_VIDEO_CONNECTION_FORMAT{});
    put(m_dev, _KVCAP_VIDEO_PROCESS_SETTINGS{});
    put(m_dev, _KVCAP_INPUT_ASPECT_RATIO{});
    put(m_dev, _KVCAP_INPUT_COLOR_FORMAT{});
    put(m_dev, _KVCAP_INPUT_QUANT_RANGE{});
    m_dev->stallReport(0x03);
    m_dev->clearTransfers();
    m_page->InitPage(0, false);
    QCOMPARE(ids(m_dev, TransferRecord::Set), QList<int>{});
    QCOMPARE(shown(), QString("Not connected 16 9 0 0 0 0  "));   // unlocked, no largest input: crop unknown
    QCOMPARE(find<QSpinBox>("inputAspectX")->maximum(), 16);   // no maximum read: no more than it shows
    QVERIFY(!find<QSpinBox>("inputAspectX")->isEnabled());
    for (const char* box : {"inputAspectBox", "cropBox", "captureColorBox", "saturationBox"})
        QVERIFY(!find<QWrapperCheckBox>(box)->IsChecked());

    // A locked signal shows its own values; colour format 5 has no item and shows RGB.
    m_dev->clearFaults();
    _KVCAP_VIDEO_STATUS status{};
    status.state = KVCAP_VIDEO_STATE_LOCKED;
    status.width = 1280, status.height = 720, status.aspectX = 4, status.aspectY = 3;
    status.colorFormat = 5, status.quantRange = 2, status.satRange = 3;
    put(m_dev, status);
    m_page->InitPage(0, false);
    QCOMPARE(shown(), QString("Not connected 4 3 0 1 0 2 1280 720"));
}

void TstVideoPage::rangesWithoutCaps()
{
    // No maxima read (the last: maxima of 0): one step past what the device uses or holds is not offered.
    for (const auto& row : QList<QPair<QString, int>>{
             {"cropBottom", 2160}, {"captureAspectY", 1080}, {"inputAspectX", 3840}, {"captureAspectX", 1920}}) {
        init();
        put(m_dev, _KVCAP_VIDEO_STATUS{KVCAP_VIDEO_STATE_LOCKED, 0, 0, 3840, 2160, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
        put(m_dev, _KVCAP_VIDEO_CONNECTION_FORMAT{1, 1920, 1080, 166667, KVCAP_FOURCC_YUY2, 0, 0, 0, 0, 0});
        row.first == "captureAspectX" ? put(m_dev, _KVCAP_DEVICE_CAPS{}) : m_dev->stallReport(0x03);
        m_page->InitPage(0, false);
        find<QSpinBox>(row.first)->setValue(row.second + 1);
        m_page->InitPage(0, false);   // what the device holds
        QCOMPARE(QPoint(find<QSpinBox>(row.first)->value(), find<QSpinBox>(row.first)->maximum()), QPoint(row.second, row.second));
    }
}

void TstVideoPage::cropAfterUnchecking()
{
    put(m_dev, _KVCAP_VIDEO_STATUS{});   // no signal, no maxima: where an uncropped input ends is unknown
    m_dev->stallReport(0x03);
    m_page->InitPage(0, false);
    act("cropBox", "click");
    QCOMPARE(find<QSpinBox>("cropTop")->text() + "," + find<QSpinBox>("cropRight")->text(), QString("0,"));
    QVERIFY(find<QWrapperCheckBox>("cropBox")->isEnabled() && !find<QSpinBox>("cropRight")->isEnabled());
    act("cropBox", "click");   // set again from the edges the device held, shown
    QCOMPARE(find<QSpinBox>("cropRight")->text(), QString("1290"));
    QCOMPARE(bytes(m_dev->liveReport(0x17)).mid(4, 8), QByteArray("\0\0\0\0\x0A\x05\xE4\x02", 8));
}

void TstVideoPage::connectionFormatRewrite()
{
    _KVCAP_VIDEO_PROCESS_SETTINGS s = overridden();
    s.aspectX = s.aspectY = 0;
    s.colorFormat = 0;
    put(m_dev, s);
    _KVCAP_VIDEO_CONNECTION_FORMAT stream{};
    stream.connected = 1, stream.cx = 1280, stream.cy = 720, stream.frameDuration = 0;
    stream.fourcc = KVCAP_FOURCC_NV12, stream.aspectX = 5, stream.aspectY = 4, stream.colorFormat = 4;
    put(m_dev, stream);
    m_page->InitPage(0, false);
    QCOMPARE(find<QLabel>("captureFormat")->text(), QString("1280x720, N/A fps, NV12"));

    stream.aspectX = 21, stream.aspectY = 9, stream.colorFormat = 2;
    put(m_dev, stream);
    m_dev->stallReport(0x17);
    m_dev->clearTransfers();
    m_page->OnConnectionFormatChanged();
    QCOMPARE(ids(m_dev, TransferRecord::Set), QList<int>{});   // unread record never written
    m_dev->clearFaults();

    m_page->OnConnectionFormatChanged();
    QCOMPARE(ids(m_dev, TransferRecord::Set), QList<int>{0x17});
    QCOMPARE(bytes(m_dev->liveReport(0x17)), QByteArray(reinterpret_cast<const char*>(&s), sizeof s));
    QVERIFY(!g_presenter.IsUIChanged());
    QCOMPARE(find<QSpinBox>("captureAspectX")->value(), 21);
    QCOMPARE(find<QComboBox>("captureColor")->currentIndex(), 1);
    // Overrides the editors cannot show (codes past their items, a term past the maximum) go back as held.
    s.colorFormat = 7, s.quantRange = 5, s.satRange = 9, s.aspectX = 5000, s.aspectY = 9;
    put(m_dev, s);
    m_page->InitPage(0, false);
    m_page->OnConnectionFormatChanged();
    QCOMPARE(bytes(m_dev->liveReport(0x17)), QByteArray(reinterpret_cast<const char*>(&s), sizeof s));
}

void TstVideoPage::inputSourceNotification()
{
    m_page->OnInputSourceChanged(0x01);
    QCOMPARE(ids(m_dev, TransferRecord::Get), QList<int>{});
    auto* spin = find<QWrapperSpinBox>("cropLeft");
    emit spin->sigSpinMousePress();
    m_page->OnInputSourceChanged(0x04);
    QCOMPARE(ids(m_dev, TransferRecord::Get), QList<int>{});   // held: only marked stale
    emit spin->sigSpinMouseRelease();
    const QList<int> reload{0x11, 0x16, 0x03, 0x14, 0x15, 0x13, 0x17};
    QCOMPARE(ids(m_dev, TransferRecord::Get), reload);
    m_dev->clearTransfers();
    m_page->OnInputSourceChanged(0x20);
    QCOMPARE(ids(m_dev, TransferRecord::Get), reload);
    QCOMPARE(ids(m_dev, TransferRecord::Set), QList<int>{});
}

void TstVideoPage::report_data()
{
    QTest::addColumn<bool>("overrides");
    QTest::addColumn<QByteArray>("unread");   // reports that fail
    QTest::addColumn<QStringList>("rows");
    const QStringList set{
        "#Video - INPUT", "Aspect ratio:=Set as 4 : 3", "Color format:=Set as YUV BT.709",
        "Quantization:=Set as Limited range (16-235)", "#Video - CAPTURE",
        "Capture format:=1920x1080, 60.00 fps, YUY2", "Aspect ratio:=Set as 4 : 3",
        "Crop input:=Set as 10, 20 - 1290, 740", "Color format:=Set as YUV BT.601",
        "Quantization:=Set as Full range (0-255)", "Saturation:=Set as Extened gamut (1-254)",
        "Deinterlace:=Top field only", "AR conversion:=Cropping", "Flip:=False", "Mirror:=False"};
    QTest::newRow("overrides") << true << QByteArray() << set;
    const QStringList automatic{
        "#Video - INPUT", "Aspect ratio:=0 : 0", "Color format:=Unknown", "Quantization:=Unknown",
        "#Video - CAPTURE", "Capture format:=Not connected", "Aspect ratio:=0 : 0", "Crop input:=0, 0 - 0, 0",
        "Color format:=Unknown", "Quantization:=Unknown", "Saturation:=Unknown", "Deinterlace:=Weave",
        "AR conversion:=Ignore", "Flip:=True", "Mirror:=True"};
    QTest::newRow("automatic") << false << QByteArray() << automatic;
    // What could not be read is empty, not the values of zeros; an override needs no status.
    const QStringList unread{"#Video - INPUT", "Aspect ratio:=", "Color format:=", "Quantization:=", "#Video - CAPTURE",
                             "Capture format:=", "Aspect ratio:=", "Crop input:=", "Color format:=", "Quantization:=",
                             "Saturation:=", "Deinterlace:=", "AR conversion:=", "Flip:=", "Mirror:="};
    QTest::newRow("nothing read") << false << QByteArray("\x11\x16\x17") << unread;
    QTest::newRow("overrides, status unread") << true << QByteArray("\x11") << set;
    QTest::newRow("overrides, settings unread") << true << QByteArray("\x17") << QStringList(set.mid(0, 6) + unread.mid(6));
    // A value needs only the records it follows.
    QTest::newRow("locked, stream unread") << false << QByteArray("\x16")
        << QStringList(automatic.mid(0, 5) + unread.mid(5, 2) + QStringList{"Crop input:=0, 0 - 1280, 720"}
                       + unread.mid(8, 3) + automatic.mid(11));
    QTest::newRow("connected, status unread") << false << QByteArray("\x11")
        << QStringList(unread.mid(0, 5) + set.mid(5, 1) + automatic.mid(6, 1) + unread.mid(7, 1) + automatic.mid(8));
}

void TstVideoPage::report()
{
    QFETCH(bool, overrides);
    const QByteArray tag = QTest::currentDataTag();   // the signal the row names
    QFETCH(QByteArray, unread);
    QFETCH(QStringList, rows);
    if (!overrides) {
        put(m_dev, _KVCAP_VIDEO_STATUS{});
        put(m_dev, _KVCAP_VIDEO_CONNECTION_FORMAT{});
        put(m_dev, _KVCAP_INPUT_ASPECT_RATIO{});
        put(m_dev, _KVCAP_INPUT_COLOR_FORMAT{});
        put(m_dev, _KVCAP_INPUT_QUANT_RANGE{});
        _KVCAP_VIDEO_PROCESS_SETTINGS s{};
        s.flags = KVCAP_PROCESS_FLIP | KVCAP_PROCESS_MIRROR;
        put(m_dev, s);
    }
    if (overrides || tag.startsWith("connected"))
        put(m_dev, _KVCAP_VIDEO_CONNECTION_FORMAT{1, 1920, 1080, 166667, KVCAP_FOURCC_YUY2, 0, 0, 0, 0, 0});
    if (tag.startsWith("locked"))
        put(m_dev, _KVCAP_VIDEO_STATUS{KVCAP_VIDEO_STATE_LOCKED, 0, 0, 1280, 720, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    for (char id : unread)
        m_dev->stallReport(uint8_t(id));
    m_page->InitPage(0, false);
    QCOMPARE(reportRows(m_page->GetExportInfo()), rows);
    QCOMPARE(rows.value(5), "Capture format:=" + find<QLabel>("captureFormat")->text());
    QCOMPARE(find<QWrapperCheckBox>("flip")->IsChecked(), rows.contains("Flip:=True"));
    // The page shows a value exactly where its report section does.
    const QStringList editors{"", "inputAspectX", "inputColor", "inputQuant", "", "", "captureAspectX", "cropRight",
                              "captureColor", "captureQuant", "saturation", "deinterlace"};
    for (int i = 0; i < editors.size(); ++i)
        if (auto* c = editors[i].isEmpty() ? nullptr : find<QWidget>(editors[i]))
            QCOMPARE(c->property(qobject_cast<QComboBox*>(c) ? "currentText" : "text").toString().isEmpty(), rows[i].endsWith('='));

    g_presenter.SetCurrentIndex(-1, false);
    QCOMPARE(m_page->GetExportInfo(), QString());
    g_presenter.SetCurrentIndex(0, false);
}

void TstVideoPage::screenshot()
{
    QVERIFY((m_dev = plugStock()));
    m_page->InitPage(0, false);
    QCOMPARE(find<QLabel>("captureFormat")->text(), QString("1920x1080, 60.00 fps, YUY2"));
    pagetest::screenshot(m_page, "video_page");
}

LV_EMULATED_QTEST_MAIN(TstVideoPage)
#include "tst_videopage.moc"
