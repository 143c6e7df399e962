// The custom input resolution list and its dialog against the emulated device: the
// exact list written by add, modify and delete, with empty, full and unread lists.

#include <QLabel>
#include <QLineEdit>
#include <QValidator>

#include "formateditors/qcustomresolutionswidget.h"
#include "formateditors/qresolutiondialog.h"
#include "lvemulatortest.h"
#include "timingtestsupport.h"
#include "toolkit/qtablewid.h"
#include "toolkit/wpushbutton.h"

using namespace timingtest;

class TstResolution : public QObject
{
    Q_OBJECT
    DevicePtr m_device;
    const uint8_t m_list = IdOf<_KVCAP_CUSTOM_RESOLUTION_LIST>();

    // Entries 1000+i x 500+i; `count` may claim more than the record holds.
    _KVCAP_CUSTOM_RESOLUTION_LIST SetList(int entries, int count = -1)
    {
        _KVCAP_CUSTOM_RESOLUTION_LIST list{};
        for (int i = 0; i < entries; ++i)
            list.entries[i] = {int16_t(1000 + i), int16_t(500 + i)};
        list.count = uint8_t(count < 0 ? entries : count);
        m_device->setRecord(m_list, list);
        m_device->clearTransfers();
        return list;
    }
    QString Cell(QCustomResolutionsWidget& w, int row)
    {
        auto* label = qobject_cast<QLabel*>(w.GetTable()->cellWidget(row, 0));
        return label ? label->text() : QStringLiteral("<none>");
    }
    // Runs the next dialog: types the values, presses OK, then Cancel if it stays open;
    // the error line it showed lands in `error`.
    void AnswerDialog(QCustomResolutionsWidget& w, QString width, QString height, QString* error)
    {
        auto once = std::make_shared<QMetaObject::Connection>();
        *once = connect(&w, &QCustomResolutionsWidget::sigDialogOpened, this, [=](QResolutionDialog* d) {
            disconnect(*once);
            QTimer::singleShot(0, d, [=] {
                if (!width.isNull())
                    d->GetWidthEdit()->setText(width);
                if (!height.isNull())
                    d->GetHeightEdit()->setText(height);
                d->OnOkBtnClicked();
                *error = d->GetErrorLabel()->text();
                if (d->isVisible())
                    d->OnCancelBtnClicked();
            });
        });
    }

private slots:
    void initTestCase() { m_device = Start(); }
    void cleanupTestCase() { g_presenter.Exit(); }
    void init() { m_device->clearFaults(); }

    void listOperations_data()
    {
        QTest::addColumn<int>("entries");
        QTest::addColumn<int>("op");      // 0 add, 1 modify, 2 delete
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("readFails");
        QTest::addColumn<int>("changedAt");   // entry replaced or removed; -1: nothing written
        QTest::newRow("add to empty") << 0 << 0 << 0 << false << 0;
        QTest::newRow("add sixteenth") << 15 << 0 << 0 << false << 15;
        QTest::newRow("add to full replaces first") << 16 << 0 << 0 << false << 0;
        QTest::newRow("add, unread list") << 3 << 0 << 0 << true << -1;
        QTest::newRow("modify") << 3 << 1 << 2 << false << 2;
        QTest::newRow("modify past count") << 3 << 1 << 3 << false << -1;
        QTest::newRow("modify negative") << 3 << 1 << -1 << false << -1;
        QTest::newRow("modify, unread list") << 3 << 1 << 0 << true << -1;
        QTest::newRow("delete first") << 3 << 2 << 0 << false << 0;
        QTest::newRow("delete last of full") << 16 << 2 << 15 << false << 15;
        QTest::newRow("delete in empty") << 0 << 2 << 0 << false << -1;
        QTest::newRow("delete, unread list") << 3 << 2 << 1 << true << -1;
    }
    void listOperations()
    {
        QFETCH(int, entries);
        QFETCH(int, op);
        QFETCH(int, index);
        QFETCH(bool, readFails);
        QFETCH(int, changedAt);
        _KVCAP_CUSTOM_RESOLUTION_LIST expected = SetList(entries);
        if (readFails)
            m_device->stallReport(m_list);
        QCustomResolutionsWidget w;
        const bool written = op == 0 ? w.AddCustomResolution(1280, 720)
                           : op == 1 ? w.ModifyCustomResolution(index, 1280, 720)
                                     : w.DeleteCustomResolution(index);
        QCOMPARE(written, changedAt >= 0);
        if (changedAt < 0) {
            QVERIFY(Sets(m_device, m_list).empty());
            return;
        }
        if (op == 2) {
            for (int i = changedAt; i + 1 < entries; ++i)
                expected.entries[i] = expected.entries[i + 1];
            expected.count = uint8_t(entries - 1);
        } else {
            expected.entries[changedAt] = {1280, 720};
            expected.count = uint8_t(qMax(entries, changedAt + 1));
        }
        QCOMPARE(Sets(m_device, m_list), std::vector<Bytes>{BytesOf(expected)});
    }

    void tableGrowsPastEightRows()
    {
        QCustomResolutionsWidget w;
        for (int count : {9, 200, 2}) {
            SetList(qMin(count, 16), count);
            w.InitCustomResolutionsTab(true);
            const int rows = qMax(8, qMin(count, 16));
            QCOMPARE(w.GetTable()->rowCount(), rows);
            QCOMPARE(w.GetTable()->height(), rows == 8 ? 296 : 292);
            QCOMPARE(Cell(w, qMin(count, 16) - 1), QStringLiteral("%1x%2").arg(999 + qMin(count, 16)).arg(499 + qMin(count, 16)));
        }
        QCOMPARE(Cell(w, 2), QString());
        QCOMPARE(SetCount(m_device), 0);   // refreshes write nothing
    }

    void dialogChecks_data()
    {
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<QString>("error");
        QTest::newRow("too small") << "127" << "720" << "Please enter a valid number.";
        QTest::newRow("too large") << "4097" << "720" << "Please enter a valid number.";
        QTest::newRow("empty") << "" << "720" << "Please enter a valid number.";
        QTest::newRow("duplicate") << "1001" << "501" << "The resolution you entered already exists.";
        QTest::newRow("accepted") << "4096" << "128" << "";
    }
    void dialogChecks()
    {
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(QString, error);
        SetList(3);
        QCustomResolutionsWidget w;
        w.InitCustomResolutionsTab(true);
        QString shown;
        AnswerDialog(w, width, height, &shown);
        w.GetAddButton()->click();
        QCOMPARE(shown, error);
        QCOMPARE(Sets(m_device, m_list).size(), size_t(error.isEmpty() ? 1 : 0));
        if (error.isEmpty())
            QCOMPARE(Cell(w, 3), QStringLiteral("4096x128"));
    }

    void modifyAndDeleteThroughTheButtons()
    {
        SetList(3);
        QCustomResolutionsWidget w;
        w.InitCustomResolutionsTab(true);
        QVERIFY(!w.GetModifyButton()->isEnabled());
        w.OnCellClicked(2, 0);
        QString shown;
        AnswerDialog(w, QString(), QString(), &shown);   // unchanged values are accepted
        w.GetModifyButton()->click();
        QCOMPARE(shown, QString());
        QCOMPARE(Sets(m_device, m_list), std::vector<Bytes>{m_device->liveReport(m_list)});
        AnswerDialog(w, QStringLiteral("1000"), QStringLiteral("500"), &shown);   // entry 0's value
        w.GetModifyButton()->click();
        QCOMPARE(shown, QStringLiteral("The resolution you entered already exists."));
        QCOMPARE(Sets(m_device, m_list).size(), size_t(1));

        w.GetDeleteButton()->click();   // the last row: the selection moves up
        QCOMPARE(w.GetSelectedRow(), 1);
        QCOMPARE(Cell(w, 2), QString());
        w.GetDeleteButton()->click();
        w.GetDeleteButton()->click();
        QCOMPARE(w.GetSelectedRow(), -1);
        QVERIFY(!w.GetDeleteButton()->isEnabled() && !w.GetModifyButton()->isEnabled());
        QCOMPARE(m_device->record<_KVCAP_CUSTOM_RESOLUTION_LIST>(m_list).count, uint8_t(0));
        w.OnCellPressed(4, 0);
        QVERIFY(!w.GetDeleteButton()->isEnabled());
    }

    void dialogScreenshots()
    {
        SetList(3);
        QResolutionDialog add;
        add.show();
        int pos = 0;
        QString leadingZero = QStringLiteral("0128"), digits = QStringLiteral("4096");
        QCOMPARE(add.GetWidthEdit()->validator()->validate(leadingZero, pos), QValidator::Invalid);
        QCOMPARE(add.GetHeightEdit()->validator()->validate(digits, pos), QValidator::Acceptable);
        QVERIFY(lvtest::saveScreenshot(&add, QStringLiteral("timing_resolution_dialog_add")));
        QResolutionDialog refused(1600, 900);
        refused.GetWidthEdit()->setText(QStringLiteral("1002"));
        refused.GetHeightEdit()->setText(QStringLiteral("502"));
        refused.show();
        refused.OnOkBtnClicked();
        QVERIFY(lvtest::saveScreenshot(&refused, QStringLiteral("timing_resolution_dialog_error")));
    }
};

LV_EMULATED_QTEST_MAIN(TstResolution)
#include "tst_resolution.moc"
