// The capture format editors and their dialogs against the emulated device: the exact
// report written by every add, remove, move and default change (full lists, entries the
// editors hide, unsorted device lists, counts beyond the record), nothing written after a
// failed read, the dialogs' limits at and beyond the device's maxima, screenshots.

#include "lvemulatortest.h"
#include "lvtestsupport.h"
#include "tst_formats_support.h"

#include <QLabel>
#include <QLineEdit>

#include "device/fourcctext.h"
#include "formateditors/qcolorspacewidget.h"
#include "formateditors/qcustomfpsdialog.h"
#include "formateditors/qcustomsizedialog.h"
#include "formateditors/qframeratewidget.h"
#include "formateditors/qimagesizewidget.h"
#include "toolkit/qcellwidget.h"
#include "toolkit/qtablewid.h"
#include "toolkit/qwrappermsgbox.h"
#include "toolkit/wpushbutton.h"

using namespace fmttest;

namespace {

_KVCAP_FRAME_INTERVAL_LIST Rates(std::vector<uint32_t> v, int count, int def)
{
    _KVCAP_FRAME_INTERVAL_LIST r{uint8_t(count), uint8_t(def), {}};
    if (!v.empty())   // packed: copied, no typed stores
        std::memcpy(static_cast<void*>(r.durations), v.data(), v.size() * 4);
    return r;
}

_KVCAP_FRAME_SIZE_LIST Sizes(std::vector<_KVSIZE> v, int count, int def)
{
    _KVCAP_FRAME_SIZE_LIST r{uint8_t(count), uint8_t(def), {}};
    std::copy(v.begin(), v.end(), r.sizes);
    return r;
}

_KVCAP_COLOR_FORMAT_LIST Colors(std::vector<uint32_t> v, int count)
{
    _KVCAP_COLOR_FORMAT_LIST r{uint8_t(count), {}};
    std::memcpy(static_cast<void*>(r.fourcc), v.data(), v.size() * 4);
    return r;
}

const uint32_t YUY2 = KVCAP_FOURCC_YUY2, UYVY = KVCAP_FOURCC_UYVY, NV12 = KVCAP_FOURCC_NV12,
               RGB32 = KVCAP_FOURCC_RGB32, ABCD = KvFourCC('A', 'B', 'C', 'D');
const std::vector<uint32_t> kFullRates = {166667, 166834, 200000, 333333, 333667, 400000, 416667, 666667};

QStringList Texts(QTableWid* table)
{
    QStringList texts;
    for (int row = 0; row < table->rowCount(); ++row) {
        QWidget* w = table->cellWidget(row, 0);
        if (auto* cell = qobject_cast<QCellWidget*>(w); cell && cell->IsCellWidgetValid())
            texts << cell->GetText();
        else if (auto* label = qobject_cast<QLabel*>(w); label && !label->text().isEmpty())
            texts << label->text();
    }
    return texts;
}

QCellWidget* Cell(QTableWid* table, int row)
{
    return qobject_cast<QCellWidget*>(table->cellWidget(row, 0));
}

} // namespace

class TstFormatEditors : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void writesExactRecords();
    void nothingWrittenAfterFailedRead();
    void frameRateApplyRemoveAndHiddenEntries();
    void defaultMarkerFollowsTheRowsValue();
    void imageSizesFollowTheCaptureMaxima();
    void colourListCountsShownAndStoredEntries();
    void colourWarningShownWithoutTheLock();
    void failedChangesKeepTheListsAndDuplicatesMove();
    void customFrameRateDialog();
    void customSizeDialogAtAndBeyondMaxima();

private:
    DevicePtr m_dev;
    std::unique_ptr<QFrameRateWidget> m_rates;
    std::unique_ptr<QImageSizeWidget> m_sizes;
    std::unique_ptr<QColorSpaceWidget> m_colors;
};

void TstFormatEditors::initTestCase()
{
    m_dev = StartWithDevice();
    m_rates.reset(new QFrameRateWidget);
    m_sizes.reset(new QImageSizeWidget);
    m_colors.reset(new QColorSpaceWidget);
}

void TstFormatEditors::init()
{
    m_dev->clearFaults();
    m_dev->clearTransfers();
    g_presenter.SetUIChanged(false, UI_CHANGE_IMMEDIATE);
    g_presenter.SetUIChangeType(UI_CHANGE_IMMEDIATE);
}

void TstFormatEditors::cleanupTestCase()
{
    m_rates.reset();
    m_sizes.reset();
    m_colors.reset();
    g_presenter.Exit();
}

void TstFormatEditors::writesExactRecords()
{
    struct Case {
        const char* name;
        std::function<void()> put;
        std::function<bool()> change;
        int id;
        Bytes expected;   // empty: nothing may be written
    };
    QFrameRateWidget* r = m_rates.get();
    QImageSizeWidget* s = m_sizes.get();
    QColorSpaceWidget* c = m_colors.get();
    const auto rates = [this](_KVCAP_FRAME_INTERVAL_LIST l) { return [=] { lvtest::put(m_dev, l); }; };
    const auto sizes = [this](_KVCAP_FRAME_SIZE_LIST l) { return [=] { lvtest::put(m_dev, l); }; };
    const auto colors = [this](_KVCAP_COLOR_FORMAT_LIST l) { return [=] { lvtest::put(m_dev, l); }; };
    const Case cases[] = {
        {"rate add keeps the default on its value", rates(Rates({166667, 333333, 400000}, 3, 1)),
         [=] { return r->SetFrameRateToggled(200000, true); }, 0x1A,
         Wire(Rates({166667, 200000, 333333, 400000}, 4, 2))},
        {"rate add to an unsorted list", rates(Rates({333333, 166667, 400000}, 3, 0)),
         [=] { return r->SetFrameRateToggled(200000, true); }, 0x1A,
         Wire(Rates({166667, 200000, 333333, 400000}, 4, 2))},
        {"rate add to an empty list", rates(Rates({}, 0, 0)), [=] { return r->SetFrameRateToggled(200000, true); }, 0x1A,
         Wire(Rates({200000}, 1, 0))},
        {"rate add to a full list is refused", rates(Rates(kFullRates, 8, 3)),
         [=] { return r->SetFrameRateToggled(100000, true); }, 0x1A, {}},
        {"rate remove of the last default", rates(Rates({166667, 333333, 400000}, 3, 2)),
         [=] { return r->SetFrameRateToggled(400000, false); }, 0x1A, Wire(Rates({166667, 333333, 400000}, 2, 1))},
        {"rate remove of a middle default", rates(Rates({166667, 333333, 400000}, 3, 1)),
         [=] { return r->SetFrameRateToggled(333333, false); }, 0x1A, Wire(Rates({166667, 400000, 400000}, 2, 1))},
        {"rate remove before the default", rates(Rates({166667, 333333, 400000}, 3, 2)),
         [=] { return r->SetFrameRateToggled(166667, false); }, 0x1A, Wire(Rates({333333, 400000, 400000}, 2, 1))},
        {"rate remove of a missing value sorts", rates(Rates({333333, 166667}, 2, 0)),
         [=] { return r->SetFrameRateToggled(200000, false); }, 0x1A, Wire(Rates({166667, 333333}, 2, 1))},
        {"rate remove of the only entry is refused", rates(Rates({166667}, 1, 0)),
         [=] { return r->SetFrameRateToggled(166667, false); }, 0x1A, {}},
        {"rate count beyond the record is clamped", rates(Rates(kFullRates, 200, 9)),
         [=] { return r->SetFrameRateToggled(166667, false); }, 0x1A,
         Wire(Rates({166834, 200000, 333333, 333667, 400000, 416667, 666667, 666667}, 7, 9))},
        {"rate default by value", rates(Rates({333333, 10000000, 166667}, 3, 0)),
         [=] { return r->SetDefaultFrameRate(166667); }, 0x1A, Wire(Rates({333333, 10000000, 166667}, 3, 2))},
        {"rate default unchanged writes nothing", rates(Rates({166667}, 1, 0)),
         [=] { return r->SetDefaultFrameRate(166667); }, 0x1A, {}},
        {"size add to an unsorted list", sizes(Sizes({{1920, 1080}, {640, 480}}, 2, 0)),
         [=] { return s->SetImageSizeToggled(1280, 720, true); }, 0x19,
         Wire(Sizes({{640, 480}, {1280, 720}, {1920, 1080}}, 3, 2))},
        {"size add to a full list is refused", sizes(Sizes(std::vector<_KVSIZE>(24, _KVSIZE{64, 64}), 24, 0)),
         [=] { return s->SetImageSizeToggled(1280, 720, true); }, 0x19, {}},
        {"size default by value", sizes(Sizes({{1920, 1080}, {640, 480}, {9000, 9000}}, 3, 0)),
         [=] { return s->SetDefaultImageSize(640, 480); }, 0x19, Wire(Sizes({{1920, 1080}, {640, 480}, {9000, 9000}}, 3, 1))},
        {"colour apply", colors(Colors({YUY2}, 1)), [=] { return c->SetColorSpaceToggled("NV12", true); }, 0x18,
         Wire(Colors({YUY2, NV12}, 2))},
        {"colour apply to a full list with an unknown code is refused", colors(Colors({YUY2, ABCD, UYVY}, 3)),
         [=] { return c->SetColorSpaceToggled("NV12", true); }, 0x18, {}},
        {"colour remove", colors(Colors({YUY2, NV12, UYVY}, 3)), [=] { return c->SetColorSpaceToggled("NV12", false); },
         0x18, Wire(Colors({YUY2, UYVY, UYVY}, 2))},
        {"colour remove with a count beyond the record", colors(Colors({YUY2, NV12, UYVY}, 7)),
         [=] { return c->SetColorSpaceToggled("YUY2", false); }, 0x18, Wire(Colors({NV12, UYVY, UYVY}, 2))},
        {"colour first up writes the list back", colors(Colors({YUY2, NV12}, 2)),
         [=] { return c->SetColorSpaceSorted("YUY2", true); }, 0x18, Wire(Colors({YUY2, NV12}, 2))},
        {"colour down skips an unknown code", colors(Colors({YUY2, ABCD, UYVY}, 3)),
         [=] { return c->SetColorSpaceSorted("YUY2", false); }, 0x18, Wire(Colors({UYVY, ABCD, YUY2}, 3))},
    };
    for (const Case& k : cases) {
        k.put();
        m_dev->clearTransfers();
        QCOMPARE(k.change(), !k.expected.empty());
        const std::vector<Bytes> sets = Sets(m_dev, k.id);
        QVERIFY2(sets.size() == (k.expected.empty() ? 0u : 1u), k.name);
        QVERIFY2(k.expected.empty() || sets[0] == k.expected, k.name);
    }
}

void TstFormatEditors::nothingWrittenAfterFailedRead()
{
    const std::pair<int, std::function<bool()>> changes[] = {
        {0x1A, [this] { return m_rates->SetFrameRateToggled(100000, true); }},
        {0x1A, [this] { return m_rates->SetFrameRateToggled(166667, false); }},
        {0x1A, [this] { return m_rates->SetDefaultFrameRate(200000); }},
        {0x19, [this] { return m_sizes->SetImageSizeToggled(1280, 720, false); }},
        {0x19, [this] { return m_sizes->SetDefaultImageSize(1280, 720); }},
        {0x18, [this] { return m_colors->SetColorSpaceToggled("UYVY", false); }},
        {0x18, [this] { return m_colors->SetColorSpaceSorted("NV12", true); }},
    };
    for (const auto& change : changes) {
        m_dev->stallReport(uint8_t(change.first));
        QVERIFY(!change.second());
        QVERIFY(Sets(m_dev, change.first).empty());
        m_dev->clearFaults();
    }
}

void TstFormatEditors::frameRateApplyRemoveAndHiddenEntries()
{
    // 60 .. 24 fps applied (the stock list), 60 the default; 15 fps is the built-in rate left.
    lvtest::put(m_dev, Rates({166667, 166834, 200000, 333333, 333667, 400000, 416667}, 7, 0));
    m_rates->InitFrameRateWidget(true, false);
    QCOMPARE(Texts(m_rates->GetLeftTable()),
             QStringList({"60.00", "59.94", "50.00", "30.00", "29.97", "25.00", "24.00"}));
    QCOMPARE(Texts(m_rates->GetRightTable()), QStringList({"15.00"}));
    QVERIFY(Cell(m_rates->GetLeftTable(), 0)->GetButton()->isChecked());
    emit m_rates->GetRightTable()->cellPressed(0, 0);
    QVERIFY(m_rates->GetApplyButton()->isEnabled());
    m_rates->GetApplyButton()->click();
    QCOMPARE(Sets(m_dev, 0x1A).back(), Wire(Rates(kFullRates, 8, 0)));
    QCOMPARE(g_presenter.GetUIChangeType(), UI_CHANGE_RECONNECT);
    QVERIFY(!m_rates->GetApplyButton()->isEnabled());
    emit m_rates->GetLeftTable()->cellPressed(7, 0);
    m_rates->GetRemoveButton()->click();
    QCOMPARE(Sets(m_dev, 0x1A).back(), Wire(Rates(kFullRates, 7, 0)));
    QCOMPARE(Texts(m_rates->GetRightTable()), QStringList({"15.00"}));

    // A full device list holding 1 fps, which no table shows: seven rows on the left,
    // and adding stays off however the user asks.
    std::vector<uint32_t> hidden(kFullRates.begin(), kFullRates.begin() + 7);
    hidden.push_back(10000000);
    lvtest::put(m_dev, Rates(hidden, 8, 7));
    m_rates->InitFrameRateWidget(false, true);
    QCOMPARE(Texts(m_rates->GetLeftTable()).size(), 7);
    emit m_rates->GetRightTable()->cellPressed(0, 0);
    QVERIFY(!m_rates->GetApplyButton()->isEnabled());
    m_dev->clearTransfers();
    emit m_rates->GetRightTable()->cellDoubleClicked(0, 0);
    emit m_rates->GetRightTable()->cellActivated(0, 0);
    QVERIFY(Sets(m_dev, 0x1A).empty());
    QTest::qWait(250);   // the double-click debounce ends
}

void TstFormatEditors::defaultMarkerFollowsTheRowsValue()
{
    // Unsorted, with a hidden 1 fps entry: row 0 (60 fps) is device slot 2.
    lvtest::put(m_dev, Rates({333333, 10000000, 166667}, 3, 0));
    m_rates->InitFrameRateWidget(false, true);
    QCOMPARE(Texts(m_rates->GetLeftTable()), QStringList({"60.00", "30.00"}));
    m_dev->clearTransfers();
    Cell(m_rates->GetLeftTable(), 0)->GetButton()->click();
    QCOMPARE(Sets(m_dev, 0x1A), std::vector<Bytes>{Wire(Rates({333333, 10000000, 166667}, 3, 2))});
    QVERIFY(Cell(m_rates->GetLeftTable(), 0)->GetButton()->isChecked());
    QVERIFY(!Cell(m_rates->GetLeftTable(), 1)->GetButton()->isChecked());

    // Sizes show largest first: the top row is the device's last slot.
    lvtest::put(m_dev, Sizes({{640, 480}, {1280, 720}, {1920, 1080}}, 3, 0));
    m_sizes->InitImageSizeWidget(false, true);
    m_dev->clearTransfers();
    Cell(m_sizes->GetLeftTable(), 0)->GetButton()->click();
    QCOMPARE(Sets(m_dev, 0x19), std::vector<Bytes>{Wire(Sizes({{640, 480}, {1280, 720}, {1920, 1080}}, 3, 2))});
    QCOMPARE(g_presenter.GetUIChangeType(), UI_CHANGE_RECONNECT);
}

void TstFormatEditors::imageSizesFollowTheCaptureMaxima()
{
    _KVCAP_DEVICE_CAPS caps = m_dev->record<_KVCAP_DEVICE_CAPS>(0x03);
    caps.maxCaptureWidth = 1920;
    caps.maxCaptureHeight = 1200;
    lvtest::put(m_dev, caps);
    lvtest::put(m_dev, Sizes({{1364, 768}, {1366, 768}, {2048, 1080}, {3840, 2160}}, 4, 2));
    m_sizes->InitImageSizeWidget(true, false);
    // 1364 x 768 is adopted, 1366 x 768 (not a multiple of 4) and 4K (beyond the maxima)
    // are not; 2048 x 1080 is applied, so it shows although the maxima hide it.
    QCOMPARE(Texts(m_sizes->GetLeftTable()), QStringList({"2048 x 1080", "1364 x 768"}));
    const QStringList right = Texts(m_sizes->GetRightTable());
    QCOMPARE(right.size(), 20);
    QVERIFY(!right.contains("2048 x 1080") && right.contains("1920 x 1200"));
    m_sizes->GetRightTable()->grab();   // lay out before the screenshot of the list
    QVERIFY(lvtest::saveScreenshot(m_sizes.get(), "formateditors_imagesizes"));
    m_dev->setReport(0x03, Bytes(12, 0));
    m_sizes->InitImageSizeWidget(false, false);
    QCOMPARE(Texts(m_sizes->GetRightTable()), QStringList());   // zero maxima hide every size
    m_dev->setRecord(0x03, caps);
}

void TstFormatEditors::colourListCountsShownAndStoredEntries()
{
    lvtest::put(m_dev, Colors({YUY2, ABCD, UYVY}, 3));
    m_colors->InitColorSpaceWidget(false, true, true);
    QCOMPARE(Texts(m_colors->GetLeftTable()), QStringList({"YUY2", "UYVY"}));
    QCOMPARE(Texts(m_colors->GetRightTable()), QStringList({"RGB 24", "RGB 32", "NV12", "I420"}));
    emit m_colors->GetLeftTable()->cellPressed(1, 0);
    QVERIFY(!m_colors->GetButton("btn_move_down")->isEnabled());
    QVERIFY(m_colors->GetButton("btn_move_up")->isEnabled());
    emit m_colors->GetRightTable()->cellPressed(0, 0);
    QVERIFY(!m_colors->GetButton("btn_move_left")->isEnabled());
    m_dev->clearTransfers();
    emit m_colors->GetRightTable()->cellDoubleClicked(1, 0);
    QVERIFY(Sets(m_dev, 0x18).empty());
    QTest::qWait(250);

    // Stock content without the NV12/I420 capability: NV12 stays stored but hidden.
    _KVCAP_DEVICE_CAPS caps = m_dev->record<_KVCAP_DEVICE_CAPS>(0x03);
    lvtest::put(m_dev, _KVCAP_DEVICE_CAPS{0, 1920, 1080, 1920, 1080});
    lvtest::put(m_dev, Colors({YUY2, NV12}, 2));
    m_colors->InitColorSpaceWidget(false, true, true);
    QCOMPARE(Texts(m_colors->GetLeftTable()), QStringList({"YUY2"}));
    QCOMPARE(Texts(m_colors->GetRightTable()), QStringList({"UYVY", "RGB 24", "RGB 32"}));
    lvtest::put(m_dev, caps);
    QVERIFY(lvtest::saveScreenshot(m_colors.get(), "formateditors_colorformats"));
}

void TstFormatEditors::colourWarningShownWithoutTheLock()
{
    lvtest::put(m_dev, Colors({YUY2, RGB32}, 2));
    m_colors->InitColorSpaceWidget(false, true, true);
    bool lockHeld = true;
    QString text;
    onNextModal<QWrapperMsgBox>([&](QWrapperMsgBox* box) {
        lockHeld = PresenterLockHeld();
        text = box->GetText();
        box->GetOkButton()->click();
    });
    emit m_colors->GetLeftTable()->cellPressed(1, 0);
    m_colors->GetButton("btn_move_up")->click();
    QCOMPARE(Sets(m_dev, 0x18).back(), Wire(Colors({RGB32, YUY2}, 2)));
    QVERIFY(!lockHeld);
    QVERIFY(text.contains("won't work if RGB format"));
    QCOMPARE(m_colors->GetLeftSelection(), 1);   // the selection stays on its row
}

void TstFormatEditors::failedChangesKeepTheListsAndDuplicatesMove()
{
    // YUY2 stored twice: its row is the last copy, and "up" moves that copy.
    lvtest::put(m_dev, Colors({YUY2, UYVY, YUY2}, 3));
    m_colors->InitColorSpaceWidget(false, false, true);
    emit m_colors->GetLeftTable()->cellPressed(1, 0);
    m_colors->GetButton("btn_move_up")->click();
    QCOMPARE(Sets(m_dev, 0x18).back(), Wire(Colors({YUY2, YUY2, UYVY}, 3)));
    g_presenter.SetUIChanged(false, UI_CHANGE_IMMEDIATE);
    m_dev->stallReport(0x18);
    m_colors->GetButton("btn_move_right")->click();
    QCOMPARE(Texts(m_colors->GetLeftTable()), QStringList({"YUY2", "UYVY"}));   // unreadable: kept as shown
    lvtest::put(m_dev, Rates({166667, 333333}, 2, 0));
    m_rates->InitFrameRateWidget(false, true);
    m_dev->stallReport(0x1A);
    Cell(m_rates->GetLeftTable(), 1)->GetButton()->click();
    QCOMPARE(Texts(m_rates->GetLeftTable()), QStringList({"60.00", "30.00"}));
    QVERIFY(Cell(m_rates->GetLeftTable(), 0)->GetButton()->isChecked() && !g_presenter.IsUIChanged());
}

void TstFormatEditors::customFrameRateDialog()
{
    tagFRAME_RATE_SET builtIn[7];
    for (int i = 0; i < 7; ++i)
        builtIn[i] = {0, 0, 1, 0, g_dwVideoFrameDuration[i]};
    QCustomFpsDialog dialog(QVector<tagFRAME_RATE_SET>(builtIn, builtIn + 7), nullptr);
    QCOMPARE(dialog.GetLineEdit()->text(), QString("5.00"));
    QVERIFY(lvtest::saveScreenshot(&dialog, "formateditors_customfps"));
    const struct { const char* text; const char* error; } entries[] = {
        {"5", ""}, {"120", ""}, {"4.99", "Please enter a valid number."}, {"120.01", "Please enter a valid number."},
        {"60", "The frame rate you entered already exists."}, {"59.94", "The frame rate you entered already exists."},
        {"", ""},
    };
    for (const auto& e : entries) {
        dialog.GetLineEdit()->setText(e.text);
        QCOMPARE(dialog.GetErrorLabel()->text(), QString(e.error));
    }
    QVERIFY(dialog.GetDurationLabel()->text().isEmpty());
    dialog.GetLineEdit()->setText("59.95");
    QCOMPARE(dialog.GetDurationLabel()->text(), QString("166805  (x 100ns)"));
    QCOMPARE(dialog.GetFrameDuration(), 166806u);
    QCOMPARE(FrameRateText(0), QString("N/A"));

    // Through the editor: the custom rate joins the right table; nothing is written.
    m_rates->InitFrameRateWidget(false, true);
    m_dev->clearTransfers();
    onNextModal<QCustomFpsDialog>([](QCustomFpsDialog* d) {
        d->GetLineEdit()->setText("100");
        d->GetOkButton()->click();
    });
    m_rates->GetCustomButton()->click();
    const int row = Texts(m_rates->GetRightTable()).indexOf("100.00");
    QVERIFY(row >= 0 && Cell(m_rates->GetRightTable(), row)->GetButton()->isEnabled());
    Cell(m_rates->GetRightTable(), row)->GetButton()->click();   // a custom rate can go again
    QVERIFY(!Texts(m_rates->GetRightTable()).contains("100.00"));
    QVERIFY(Sets(m_dev, 0x1A).empty());
    QVERIFY(!g_presenter.IsUIChanged());

    // Two double clicks within 200 ms move one entry.
    m_dev->clearTransfers();
    emit m_rates->GetRightTable()->cellDoubleClicked(0, 0);
    emit m_rates->GetRightTable()->cellDoubleClicked(0, 0);
    QCOMPARE(Sets(m_dev, 0x1A).size(), size_t(1));
    QTest::qWait(250);
}

void TstFormatEditors::customSizeDialogAtAndBeyondMaxima()
{
    _KVCAP_DEVICE_CAPS caps = m_dev->record<_KVCAP_DEVICE_CAPS>(0x03);
    lvtest::put(m_dev, _KVCAP_DEVICE_CAPS{caps.flags, 4096, 2160, 2000, 1202});
    QCustomSizeDialog dialog({{0, 0, 1, 0, 1920, 1080}}, nullptr);
    QVERIFY(dialog.GetPromptLabel()->text().contains("64 ~ 2000 and in multiples \nof 16. The height is in 64 ~ 1202"));
    QCOMPARE(dialog.GetWidthEdit()->text(), QString("2000"));
    QVERIFY(lvtest::saveScreenshot(&dialog, "formateditors_customsize"));
    const struct { const char* w; const char* h; const char* error; } entries[] = {
        {"2000", "1202", ""}, {"64", "64", ""}, {"2016", "1202", "Please enter a valid number."},
        {"2000", "1204", "Please enter a valid number."}, {"48", "64", "Please enter a valid number."},
        {"64", "63", "Please enter a valid number."}, {"1366", "768", "Please enter a valid number."},
        {"1920", "1080", "The resolution you entered already exists."},
    };
    for (const auto& e : entries) {
        dialog.GetWidthEdit()->setText(e.w);
        dialog.GetHeightEdit()->setText(e.h);
        dialog.OnOkBtnClicked();
        QCOMPARE(dialog.GetErrorLabel()->text(), QString(e.error));
        QCOMPARE(dialog.result(), *e.error ? 0 : 1);
        dialog.setResult(0);
    }
    lvtest::put(m_dev, caps);
}

LV_EMULATED_QTEST_MAIN(TstFormatEditors)
#include "tst_formateditors.moc"
