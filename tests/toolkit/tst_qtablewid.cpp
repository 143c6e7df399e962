#include "toolkit/qcelllabel.h"
#include "toolkit/qcellwidget.h"
#include "toolkit/qtablewid.h"
#include "toolkit/wpagebase.h"
#include "toolkit/wpushbutton.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

namespace {

// A list table as the list editors build it: one column of cells, the first
// `entries` rows holding entries, the rest reset.
QTableWid* makeList(int rows, int entries, bool toggleKind, QWidget* parent)
{
    auto* table = new QTableWid(rows, 1, parent);
    for (int r = 0; r < rows; ++r) {
        auto* cell = new QCellWidget(toggleKind, r == rows - 1, nullptr);
        if (r < entries)
            cell->InitCellWidget(QString("entry %1").arg(r), r == 0, true);
        else
            cell->ReSetCellWidget();
        table->setCellWidget(r, 0, cell);
    }
    return table;
}

QCellWidget* cellAt(QTableWid* table, int r, int c = 0)
{
    return qobject_cast<QCellWidget*>(table->cellWidget(r, c));
}

// A page with a focus list, to see the table report its focus.
class Page : public QWidget, public WPageBase
{
public:
    Page() { resize(400, 400); }
    ~Page() override { ClearTabList(); }
};

} // namespace

class TestQTableWid : public QObject
{
    Q_OBJECT

private slots:
    void focusTrio()
    {
        QTableWid table(2, 2, nullptr);
        QCOMPARE(table.GetProperty()->pPage, static_cast<WPageBase*>(nullptr));
        QVERIFY(!table.hasMouseTracking());
        KEY_PROPERTY p;
        p.nGroupPos = KEY_GROUP_SINGLE;
        table.GetDefaultProperty(&p);
        QCOMPARE(p.pWidget, static_cast<QWidget*>(&table));
        QCOMPARE(int(p.bTable), 1);
        QCOMPARE(int(p.bTable2), 1);
        QCOMPARE(p.nGroupPos, quint32(KEY_GROUP_SINGLE));   // left as the caller had it
        table.GetDefaultProperty(nullptr);
        table.SetProperty(&p);
        QCOMPARE(table.GetProperty()->nGroupPos, quint32(KEY_GROUP_SINGLE));
        QVERIFY(table.GetProperty() != &p);
    }

    void emptyTableConsumesArrows()
    {
        QWidget host;
        QTableWid empty(0, 1, &host);
        QSignalSpy spy(&empty, &QTableWid::sigKeyNextCell);
        for (int key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_Left, Qt::Key_Right, Qt::Key_Return})
            QTest::keyClick(&empty, Qt::Key(key));
        QCOMPARE(spy.count(), 0);

        QTableWid* noCurrent = makeList(3, 3, true, &host);
        noCurrent->setCurrentCell(-1, -1);
        QSignalSpy spy2(noCurrent, &QTableWid::sigKeyNextCell);
        for (int key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_Left, Qt::Key_Right})
            QTest::keyClick(noCurrent, Qt::Key(key));
        QCOMPARE(spy2.count(), 0);
        QCOMPARE(noCurrent->currentRow(), -1);
    }

    void arrowsNeverLandOnEmptyCells()
    {
        QWidget host;
        QTableWid* table = makeList(9, 3, true, &host);
        // Rows 5..8 hold empty labels instead of reset cells.
        for (int r = 5; r < 9; ++r)
            table->setCellWidget(r, 0, new QCellLabel(QString(), nullptr, false));
        table->setCurrentCell(0, 0);
        QSignalSpy spy(table, &QTableWid::sigKeyNextCell);

        QTest::keyClick(table, Qt::Key_Down);
        QCOMPARE(table->currentRow(), 1);
        QTest::keyClick(table, Qt::Key_Down);
        QCOMPARE(table->currentRow(), 2);
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(0), QList<QVariant>({1, 0}));
        QCOMPARE(spy.at(1), QList<QVariant>({2, 0}));

        QTest::keyClick(table, Qt::Key_Down);   // row 3 is a reset cell
        QCOMPARE(table->currentRow(), 2);
        QCOMPARE(spy.count(), 2);

        table->setCurrentCell(4, 0);   // a reset cell between entries and labels
        QTest::keyClick(table, Qt::Key_Down);   // row 5: an empty label
        QCOMPARE(table->currentRow(), 4);
        QCOMPARE(spy.count(), 2);

        table->setCurrentCell(0, 0);
        QTest::keyClick(table, Qt::Key_Up);     // above the first row: nothing
        QTest::keyClick(table, Qt::Key_Left);   // left of the first column: nothing
        QCOMPARE(table->currentRow(), 0);
        QCOMPARE(spy.count(), 2);

        QTest::keyClick(table, Qt::Key_Right);  // last column: stays, still reported
        QCOMPARE(table->currentColumn(), 0);
        QCOMPARE(spy.count(), 3);
        QCOMPARE(spy.at(2), QList<QVariant>({0, 0}));
    }

    void downOnLastRowOfFullList()
    {
        QWidget host;
        QTableWid* table = makeList(4, 4, false, &host);
        table->setCurrentCell(3, 0);
        QSignalSpy spy(table, &QTableWid::sigKeyNextCell);
        QTest::keyClick(table, Qt::Key_Down);
        QCOMPARE(table->currentRow(), 3);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0), QList<QVariant>({3, 0}));
        QTest::keyClick(table, Qt::Key_Up);
        QCOMPARE(table->currentRow(), 2);
        QCOMPARE(spy.at(1), QList<QVariant>({2, 0}));
    }

    void twoColumnsMoveSideways()
    {
        QWidget host;
        QTableWid table(2, 2, &host);
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 2; ++c)
                table.setCellWidget(r, c, new QCellLabel(QString("%1,%2").arg(r).arg(c), nullptr, c == 1));
        table.setCurrentCell(1, 0);
        QSignalSpy spy(&table, &QTableWid::sigKeyNextCell);
        QTest::keyClick(&table, Qt::Key_Right);
        QCOMPARE(table.currentColumn(), 1);
        QCOMPARE(spy.last(), QList<QVariant>({1, 1}));
        QTest::keyClick(&table, Qt::Key_Left);
        QCOMPARE(table.currentColumn(), 0);
        QCOMPARE(spy.last(), QList<QVariant>({1, 0}));
    }

    void returnActivatesThenReports()
    {
        QWidget host;
        QTableWid* table = makeList(3, 3, true, &host);
        table->setCurrentCell(1, 0);
        QStringList order;
        connect(table, &QTableWidget::cellActivated, this,
                [&](int r, int c) { order << QString("activated %1,%2").arg(r).arg(c); });
        connect(table, &QTableWid::sigKeyNextCell, this,
                [&](int r, int c) { order << QString("next %1,%2").arg(r).arg(c); });
        QTest::keyClick(table, Qt::Key_Return);
        QCOMPARE(order, QStringList({"activated 1,0", "next 1,0"}));
        order.clear();
        QTest::keyClick(table, Qt::Key_Enter);
        QCOMPARE(order, QStringList({"activated 1,0", "next 1,0"}));

        // A cell that lost its entry under the cursor is not activated.
        cellAt(table, 1)->ReSetCellWidget();
        order.clear();
        QTest::keyClick(table, Qt::Key_Return);
        QVERIFY(order.isEmpty());
    }

    void spaceTogglesOrRemovesTheRightCell()
    {
        QWidget host;
        QTableWid* toggles = makeList(4, 2, true, &host);
        QList<int> toggled;
        for (int r = 0; r < 4; ++r)
            connect(cellAt(toggles, r), &QCellWidget::toggled, this, [&toggled, r] { toggled << r; });
        toggles->setCurrentCell(1, 0);
        QTest::keyClick(toggles, Qt::Key_Space);
        QCOMPARE(toggled, QList<int>({1}));
        QCOMPARE(toggles->currentRow(), 1);   // Space never moves

        // A reset (not valid) cell: nothing, so no editor works on a missing entry.
        toggles->setCurrentCell(3, 0);
        QTest::keyClick(toggles, Qt::Key_Space);
        QCOMPARE(toggled, QList<int>({1}));

        QTableWid* removes = makeList(4, 3, false, &host);
        cellAt(removes, 2)->InitCellWidget("fixed entry", false, false);   // not removable
        QList<int> removed;
        for (int r = 0; r < 4; ++r)
            connect(cellAt(removes, r), &QCellWidget::removed, this, [&removed, r] { removed << r; });
        removes->setCurrentCell(0, 0);
        QTest::keyClick(removes, Qt::Key_Space);
        removes->setCurrentCell(2, 0);
        QTest::keyClick(removes, Qt::Key_Space);   // button disabled: nothing
        removes->setCurrentCell(3, 0);
        QTest::keyClick(removes, Qt::Key_Space);   // reset: nothing
        QCOMPARE(removed, QList<int>({0}));

        // Space on a cell that is no list cell at all.
        QTableWid labels(1, 1, &host);
        labels.setCellWidget(0, 0, new QCellLabel("text", nullptr, false));
        labels.setCurrentCell(0, 0);
        QSignalSpy spy(&labels, &QTableWid::sigKeyNextCell);
        QTest::keyClick(&labels, Qt::Key_Space);
        QCOMPARE(spy.count(), 0);
    }

    void buttonClicksBecomeSignals()
    {
        QCellWidget toggle(true, false, nullptr);
        toggle.InitCellWidget("30 fps", false, true);
        QSignalSpy toggledSpy(&toggle, &QCellWidget::toggled);
        QTest::mouseClick(toggle.GetButton(), Qt::LeftButton);
        QCOMPARE(toggledSpy.count(), 1);
        QVERIFY(toggle.GetButton()->isChecked());

        QCellWidget remove(false, false, nullptr);
        remove.InitCellWidget("1920x1080", false, true);
        QSignalSpy removedSpy(&remove, &QCellWidget::removed);
        QTest::mouseClick(remove.GetButton(), Qt::LeftButton);
        QCOMPARE(removedSpy.count(), 1);
    }

    void cellStates()
    {
        QCellWidget toggle(true, true, nullptr);
        QVERIFY(!toggle.IsCellWidgetValid());
        QVERIFY(toggle.IsSelected());
        QCOMPARE(toggle.height(), 32);
        QCOMPARE(toggle.GetButton()->size(), QSize(16, 16));
        QCOMPARE(toggle.GetButton()->focusPolicy(), Qt::NoFocus);
        toggle.InitCellWidget("NV12", true, false);
        QVERIFY(toggle.IsCellWidgetValid());
        QVERIFY(toggle.GetButton()->isChecked());
        QVERIFY(toggle.GetButton()->isEnabled());   // `enabled` means nothing for this kind
        QCOMPARE(toggle.GetText(), QString("NV12"));
        toggle.ReSetCellWidget();
        QVERIFY(!toggle.IsCellWidgetValid());
        QVERIFY(toggle.GetButton()->isHidden());
        QVERIFY(!toggle.GetButton()->isChecked());
        QVERIFY(toggle.GetText().isEmpty());
        toggle.SetCellBtnChecked(true);   // hidden button: no change
        QVERIFY(!toggle.GetButton()->isChecked());
        toggle.InitCellWidget("YUY2", false, true);
        toggle.SetCellBtnChecked(true);
        QVERIFY(toggle.GetButton()->isChecked());

        QCellWidget remove(false, false, nullptr);
        QVERIFY(!remove.IsSelected());
        QVERIFY(!remove.GetButton()->isCheckable());
        remove.InitCellWidget("x", true, false);
        QVERIFY(!remove.IsButtonEnabled());
        remove.InitCellWidget("x", false, true);
        QVERIFY(remove.IsButtonEnabled());
        remove.ReSetCellWidget();
        QVERIFY(!remove.IsButtonEnabled());
        remove.SetLastOne(true);
        QVERIFY(remove.IsLastOne());

        // The focus model asks through the meta-object system.
        bool valid = true;
        QVERIFY(QMetaObject::invokeMethod(&remove, "IsCellWidgetValid", Q_RETURN_ARG(bool, valid)));
        QVERIFY(!valid);
    }

    void separatorsArePainted()
    {
        QCellWidget cell(true, false, nullptr);
        cell.resize(200, 32);
        const QImage cellImage = cell.grab().toImage();
        QCOMPARE(cellImage.pixelColor(100, 31).name(), QString("#2a2a2a"));
        QVERIFY(cellImage.pixelColor(100, 10).name() != QString("#2a2a2a"));

        QCellLabel plain("", nullptr, false);
        plain.resize(100, 32);
        plain.setStyleSheet("QLabel{background: #343434;}");
        const QImage plainImage = plain.grab().toImage();
        QCOMPARE(plainImage.pixelColor(50, 31).name(), QString("#2a2a2a"));
        QCOMPARE(plainImage.pixelColor(0, 10).name(), QString("#343434"));

        QCellLabel lined("", nullptr, true);
        lined.resize(100, 32);
        lined.setStyleSheet("QLabel{background: #343434;}");
        const QImage linedImage = lined.grab().toImage();
        QCOMPARE(linedImage.pixelColor(0, 10).name(), QString("#2a2a2a"));
        QCOMPARE(linedImage.pixelColor(1, 10).name(), QString("#2a2a2a"));
        QCOMPARE(linedImage.pixelColor(3, 10).name(), QString("#343434"));
        QCOMPARE(lined.textFormat(), Qt::PlainText);
    }

    void imagesExist()
    {
        for (const char* name : {"default_off", "default_on", "common_off", "common_on"})
            QVERIFY2(QFile::exists(QString(":/Widget/") + name), name);
    }

    void onlyLeftAndRightPressesSelect()
    {
        QTableWid* table = makeList(3, 3, true, nullptr);
        table->resize(200, 200);
        table->show();
        table->setCurrentCell(0, 0);
        const QPoint row2 = table->visualRect(table->model()->index(2, 0)).center();
        QTest::mousePress(table->viewport(), Qt::MiddleButton, {}, row2);
        QCOMPARE(table->currentRow(), 0);
        QTest::mousePress(table->viewport(), Qt::LeftButton, {}, row2);
        QCOMPARE(table->currentRow(), 2);
        delete table;
    }

    void focusInReportsToOwnerPageOnly()
    {
        Page page;
        auto* button = new WPushButton("first", &page);
        QTableWid* listed = makeList(2, 2, true, &page);
        listed->move(0, 40);
        page.AddFocusControl(button);
        page.AddFocusControl(listed);
        QTableWid* unlisted = makeList(2, 2, true, &page);
        unlisted->move(0, 200);
        unlisted->setCurrentCell(-1, -1);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QCOMPARE(page.GetCurProperty()->pWidget, static_cast<QWidget*>(button));

        QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
        QCoreApplication::sendEvent(listed, &in);
        QCOMPARE(page.GetCurProperty()->pWidget, static_cast<QWidget*>(listed));

        // A table in no list ignores focus-in completely (no standard handling).
        QCoreApplication::sendEvent(unlisted, &in);
        QCOMPARE(page.GetCurProperty()->pWidget, static_cast<QWidget*>(listed));
        QCOMPARE(unlisted->currentRow(), -1);
    }

    void focusModelSkipsTablesWithoutContent()
    {
        Page page;
        auto* button = new WPushButton("first", &page);
        QTableWid* list = makeList(3, 0, true, &page);   // nothing listed yet
        list->move(0, 40);
        page.AddFocusControl(button);
        page.AddFocusControl(list);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));

        QCOMPARE(page.GetLastAvailable()->pWidget, static_cast<QWidget*>(button));
        cellAt(list, 0)->InitCellWidget("entry", false, true);
        QCOMPARE(page.GetLastAvailable()->pWidget, static_cast<QWidget*>(list));

        QSignalSpy spy(list, &QTableWid::sigKeyNextCell);
        QVERIFY(page.FocusLastAvailable());
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0), QList<QVariant>({0, 0}));
        QCOMPARE(list->currentRow(), 0);
    }
};

QTEST_MAIN(TestQTableWid)
#include "tst_qtablewid.moc"
