// The Advanced page against the emulated device: what one reload reads, the two combo
// boxes and their writes, the report section, the tab change refresh, screenshots.

#include "lvemulatortest.h"
#include "lvtestsupport.h"
#include "tst_formats_support.h"

#include <QLabel>
#include <QLineEdit>

#include "device/fourcctext.h"
#include "formateditors/qcolorspacewidget.h"
#include "formateditors/qcustomsizedialog.h"
#include "formateditors/qframeratewidget.h"
#include "formateditors/qimagesizewidget.h"
#include "toolkit/qtablewid.h"
#include "settingspages/wtabpageadvanced.h"
#include "toolkit/wcombobox.h"
#include "toolkit/wpushbutton.h"

using namespace fmttest;

class TstWTabPageAdvanced : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void reloadReadsEachReportOnce();
    void screenshots();
    void comboBoxesWriteAndMarkChanges();
    void unknownValuesAndReportSection();
    void tabChangeRefreshesOnlyItsEditor();
    void customResolutionIsShownAndSelected();

private:
    DevicePtr m_dev;
    std::unique_ptr<WTabPageAdvanced> m_page;
};

void TstWTabPageAdvanced::initTestCase()
{
    m_dev = StartWithDevice();
    m_page.reset(new WTabPageAdvanced);
    m_page->resize(592, 640);
}

void TstWTabPageAdvanced::init()
{
    m_dev->clearTransfers();
    g_presenter.SetUIChanged(false, UI_CHANGE_IMMEDIATE);
    g_presenter.SetUIChangeType(UI_CHANGE_IMMEDIATE);
}

void TstWTabPageAdvanced::cleanupTestCase()
{
    m_page.reset();
    g_presenter.Exit();
}

void TstWTabPageAdvanced::reloadReadsEachReportOnce()
{
    m_page->InitPage(0, false);
    const std::map<int, int> expected{{0x03, 1}, {0x18, 1}, {0x19, 1}, {0x1A, 1}, {0xFC, 1}, {0xFD, 1}};
    QCOMPARE(Gets(m_dev), expected);
    QCOMPARE(m_dev->transferCount(), 6);   // and nothing written
    QCOMPARE(m_page->GetStack()->GetCurrentIndex(), 0);
}

void TstWTabPageAdvanced::comboBoxesWriteAndMarkChanges()
{
    m_page->GetNameCombo()->setCurrentIndex(1);
    QCOMPARE(Sets(m_dev, 0xFD), std::vector<Bytes>{Bytes({0xFD, 1})});
    QCOMPARE(g_presenter.GetUIChangeType(), UI_CHANGE_REBOOT);
    g_presenter.SetUIChangeType(UI_CHANGE_IMMEDIATE);
    m_page->GetImageCombo()->setCurrentIndex(2);
    QCOMPARE(Sets(m_dev, 0xFC), std::vector<Bytes>{Bytes({0xFC, 2})});
    QCOMPARE(g_presenter.GetUIChangeType(), UI_CHANGE_RECONNECT);
    QVERIFY(Gets(m_dev).empty());   // neither reads first

    m_dev->clearTransfers();
    m_page->InitPage(0, false);   // setting the boxes from the device writes nothing
    QCOMPARE(m_page->GetNameCombo()->currentIndex(), 1);
    QVERIFY(Sets(m_dev, 0xFD).empty() && Sets(m_dev, 0xFC).empty());

    // Refused: one try, the combo shows the device's value again, nothing pending.
    g_presenter.SetUIChanged(false, UI_CHANGE_IMMEDIATE);
    m_dev->stallReport(0xFC);
    m_page->GetImageCombo()->setCurrentIndex(1);
    m_dev->clearFaults();
    QCOMPARE(Sets(m_dev, 0xFC).size(), size_t(1));
    QVERIFY(m_dev->transferCount() == 6 + 1 && m_page->GetImageCombo()->currentIndex() == 2
            && !g_presenter.IsUIChanged());
}

void TstWTabPageAdvanced::unknownValuesAndReportSection()
{
    // A device silent since its selection: no list, name or image is made up and nothing
    // takes a change, "<" neither; once it answers, a reload shows and enables them.
    m_dev->setUnanswering(true);
    for (bool answering : {false, true}) {
        m_page->InitPage(0, false);
        emit m_page->GetColorSpaceWidget()->GetRightTable()->cellPressed(0, 0);
        QStringList shown;   // "-": takes no change
        for (QComboBox* combo : m_page->findChildren<QComboBox*>())
            shown << combo->currentText() + (combo->isEnabled() ? "" : "-");
        for (QTableWid* table : m_page->findChildren<QTableWid*>()) {   // the lists' top rows
            QLabel* top = qobject_cast<QLabel*>(table->cellWidget(0, 0));
            shown << (top ? top : table->cellWidget(0, 0)->findChild<QLabel*>())->text()
                         + (table->isEnabled() ? "" : "-");
        }
        shown.sort();
        QCOMPARE(shown.join('|'), QString(answering ? "15.00|2048 x 1080|3840 x 2160|60.00|Black|RGB 32|Serial number|YUY2"
                                                    : "-|-|-|-|-|-|-|-"));
        QVERIFY(!m_page->GetColorSpaceWidget()->GetButton("btn_move_left")->isEnabled());   // answering: a full list
        QCOMPARE(m_page->GetExportInfo().contains("<th>Device name:</th><td></td>"), !answering);
        m_dev->setUnanswering(false);
        for (int tick = 0; tick < 8 && !LockedInstance(g_presenter).device()->IsAnswering(); ++tick) {
            QTest::qWait(LumivandrexPresenter::kNotifyIntervalMs);   // free of it, then a try finds it answering
            g_presenter.OnTimeout();
        }
    }
    lvtest::put(m_dev, _KVCAP_STATUS_IMAGE{5});
    lvtest::put(m_dev, _KVCAP_DEVICE_NAME_MODE{2});
    lvtest::put(m_dev, _KVCAP_COLOR_FORMAT_LIST{4, {KVCAP_FOURCC_YUY2, KVCAP_FOURCC_YUYV, KvFourCC('<', 'b', '>', '!')}});
    lvtest::put(m_dev, _KVCAP_FRAME_INTERVAL_LIST{3, 1, {166667, 0, 400000}});
    _KVCAP_FRAME_SIZE_LIST sizes{7, 6, {{640, 480}, {720, 480}, {720, 576}, {800, 600}, {1024, 768}, {1280, 720}, {1920, 1080}}};
    lvtest::put(m_dev, sizes);
    m_page->InitPage(0, true);
    QCOMPARE(m_page->GetNameCombo()->currentText(), QString("Model name"));
    QCOMPARE(m_page->GetImageCombo()->currentText(), QString("Default"));
    const QString expected = QStringLiteral(
        "\r\n<div class=\"mod\">\r\n<h2 id=\"Advanced\">Advanced</h2>\r\n<table>\r\n"
        "<tr><th>Color format:</th><td>YUY2, YUYV, UNKNOWN</td></tr>\r\n"
        "<tr><th>Frame rate:</th><td>60.00, N/A (default), 25.00</td></tr>\r\n"
        "<tr><th>Resolution:</th><td>640 x 480, 720 x 480, 720 x 576, 800 x 600, 1024 x 768, <br>"
        "1280 x 720, 1920 x 1080 (default)</td></tr>\r\n"
        "<tr><th>Device name:</th><td>Serial number</td></tr>\r\n"
        "<tr><th>Status image:</th><td>Default</td></tr>\r\n</table></div>\r\n");
    QCOMPARE(m_page->GetExportInfo(), expected);

    g_presenter.SetCurrentIndex(-1, false);
    QCOMPARE(m_page->GetExportInfo(), QString());
    g_presenter.SetCurrentIndex(0, false);
}

void TstWTabPageAdvanced::tabChangeRefreshesOnlyItsEditor()
{
    emit m_page->GetStack()->GetStackTabBtn(1)->pressed();
    QCOMPARE(m_page->GetStack()->GetCurrentIndex(), 1);
    QCOMPARE(Gets(m_dev), (std::map<int, int>{{0x1A, 1}}));
    m_dev->clearTransfers();
    emit m_page->GetStack()->GetStackTabBtn(2)->pressed();
    QCOMPARE(Gets(m_dev), (std::map<int, int>{{0x03, 1}, {0x19, 1}}));
}

void TstWTabPageAdvanced::screenshots()
{
    // Stock content, before the other cases change it; on the main window's dark body.
    QWidget body;
    body.setStyleSheet(QStringLiteral("background: #333333"));
    m_page->setParent(&body);
    m_page->show();
    body.resize(m_page->size());
    body.show();
    const char* names[] = {"advanced_colorformats", "advanced_framerates", "advanced_resolutions"};
    for (int tab = 0; tab < 3; ++tab) {
        emit m_page->GetStack()->GetStackTabBtn(tab)->pressed();
        QVERIFY(lvtest::saveScreenshot(&body, names[tab]));
    }
    m_page->setParent(nullptr);
}

// A small custom size sorts below the rows the right table shows: the table scrolls
// to it and selects it, ready to be applied.
void TstWTabPageAdvanced::customResolutionIsShownAndSelected()
{
    m_page->show();
    emit m_page->GetStack()->GetStackTabBtn(2)->pressed();
    QImageSizeWidget* sizes = m_page->GetImageSizeWidget();
    lvtest::onNextModal<QCustomSizeDialog>([](QCustomSizeDialog* dialog) {
        dialog->GetWidthEdit()->setText("320");
        dialog->GetHeightEdit()->setText("240");
        dialog->OnOkBtnClicked();
    });
    QTest::mouseClick(sizes->GetCustomButton(), Qt::LeftButton);
    QTableWid* right = sizes->GetRightTable();
    const int row = right->currentRow();
    // The last row, the smallest size: the new one.
    QVERIFY(row >= 9 && row == right->rowCount() - 1 && row == sizes->GetRightSelection());
    QVERIFY(sizes->GetApplyButton()->isEnabled());
    QVERIFY(right->viewport()->rect().contains(right->visualRect(right->model()->index(row, 0))));
}

LV_EMULATED_QTEST_MAIN(TstWTabPageAdvanced)
#include "tst_wtabpageadvanced.moc"
