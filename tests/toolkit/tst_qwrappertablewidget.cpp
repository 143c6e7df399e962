#include "logging/lvlogger.h"
#include "toolkit/qtablewid.h"
#include "toolkit/qwrappertablewidget.h"
#include "toolkit/wpushbutton.h"

#include <QFile>
#include <QHeaderView>
#include <QLayout>
#include <QSignalSpy>
#include <QtTest>

#include "lvtestsupport.h"

namespace {

const QStringList kInfoNames = {"Device name:", "Serial number:", "Hardware version:", "Firmware version:",
                                "Driver version:"};

QLabel* valueLabel(QWrapperTableWidget& t, int row)
{
    return qobject_cast<QLabel*>(t.m_pTable->cellWidget(row, 1));
}

QLabel* nameLabel(QWrapperTableWidget& t, int row)
{
    return qobject_cast<QLabel*>(t.m_pTable->cellWidget(row, 0));
}

// The widest run of `unit` that is at most `limit` pixels in the label's font.
QString widestFitting(const QLabel* label, const QString& unit, int limit)
{
    const QFontMetrics fm(label->font());
    QString text;
    while (fm.horizontalAdvance(text + unit) <= limit)
        text += unit;
    return text;
}

void pressCell(QWrapperTableWidget& t, int row, int column)
{
    const QRect rect = t.m_pTable->visualRect(t.m_pTable->model()->index(row, column));
    QTest::mousePress(t.m_pTable->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseRelease(t.m_pTable->viewport(), Qt::LeftButton, {}, rect.center());
}

bool shown(QWidget* w)
{
    return w && !w->isHidden();
}

} // namespace

class TestQWrapperTableWidget : public QObject
{
    Q_OBJECT

private slots:
    void plainTableBuild()
    {
        QWrapperTableWidget t(true, 32 * 3 + 40, {"Signal:", "Resolution:", "Frame rate:"}, 0, nullptr);
        QCOMPARE(t.m_pTable->rowCount(), 3);
        QCOMPARE(t.m_pTable->columnCount(), 2);
        QCOMPARE(t.m_pTable->height(), 32 * 3 + 40);
        QCOMPARE(t.m_pTable->columnWidth(0), 180);
        QCOMPARE(t.m_pTable->objectName(), QString("tablewidget_pane"));
        QCOMPARE(t.m_pTable->horizontalHeader()->objectName(), QString("headerview_table"));
        QCOMPARE(t.m_pTable->horizontalHeaderItem(0)->text(), QString("    NAME"));
        QCOMPARE(t.m_pTable->horizontalHeaderItem(1)->text(), QString("    VALUE"));
        QCOMPARE(t.m_pTable->horizontalHeaderItem(1)->font().pixelSize(), 14);
        QCOMPARE(t.m_pTable->horizontalHeader()->height(), 36);
        QVERIFY(t.m_pTable->verticalHeader()->isHidden());
        QCOMPARE(t.m_pTable->selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(t.m_pTable->editTriggers(), QAbstractItemView::NoEditTriggers);
        QVERIFY(!t.m_pTable->showGrid());
        QVERIFY(!t.HasUpdateCell());
        for (int r = 0; r < 3; ++r) {
            QCOMPARE(t.m_pTable->rowHeight(r), 32);
            QCOMPARE(valueLabel(t, r)->text(), QString("hi"));
        }
        QCOMPARE(nameLabel(t, 1)->text(), QString("Resolution:"));
        QVERIFY(nameLabel(t, 0)->styleSheet().startsWith("QLabel{\t\t\t\t\tcolor: #a0a0a0;"));
    }

    void valuesNamesAndElision()
    {
        QWrapperTableWidget t(true, 200, {"a", "b", "c"}, 0, nullptr);
        t.SetValueList({"1080p60"});
        QCOMPARE(valueLabel(t, 0)->text(), QString("1080p60"));
        QVERIFY(valueLabel(t, 1)->text().isEmpty());
        QVERIFY(valueLabel(t, 2)->text().isEmpty());
        t.SetNameList({"x", "y"});
        QCOMPARE(nameLabel(t, 1)->text(), QString("y"));
        QVERIFY(nameLabel(t, 2)->text().isEmpty());

        QLabel* label = valueLabel(t, 0);
        const QFontMetrics fm(label->font());
        const QString fits = widestFitting(label, "W", 300);
        t.SetValueList({fits});
        QCOMPARE(label->text(), fits);
        QVERIFY(label->toolTip().isEmpty());

        const QString wide = fits + "WWWWW";   // well past 300 pixels
        QVERIFY(fm.horizontalAdvance(wide) > 300);
        t.SetValueList({wide});
        QVERIFY(label->text().endsWith(QChar(0x2026)));
        QVERIFY(fm.horizontalAdvance(label->text()) <= 260);
        QCOMPARE(label->toolTip(), wide);

        // Back to a value that fits: the old tooltip must not linger.
        t.SetValueList({"short"});
        QCOMPARE(label->text(), QString("short"));
        QVERIFY(label->toolTip().isEmpty());
    }

    void outsideTextsStayPlain()
    {
        QWrapperTableWidget t(true, 200, {"<b>name</b>"}, 0, nullptr);
        QCOMPARE(nameLabel(t, 0)->textFormat(), Qt::PlainText);
        t.SetValueList({"<img src=x>Capture <i>"});
        QCOMPARE(valueLabel(t, 0)->textFormat(), Qt::PlainText);
        QCOMPARE(valueLabel(t, 0)->text(), QString("<img src=x>Capture <i>"));

        const QString longMarkup = "<b>" + QString(80, 'W') + "</b>";
        t.SetValueList({longMarkup});
        QVERIFY(!valueLabel(t, 0)->toolTip().contains("<b>"));
        QVERIFY(valueLabel(t, 0)->toolTip().contains("&lt;b&gt;"));

        QWrapperTableWidget info(false, 200, kInfoNames, 0, nullptr);
        info.SetValueList({"", "", "", "<b>1.2.3</b>"});
        QCOMPARE(info.GetVersionLabel()->textFormat(), Qt::PlainText);
        QCOMPARE(info.GetVersionLabel()->text(), QString("<b>1.2.3</b>"));
    }

    void rowCountChanges()
    {
        QWrapperTableWidget t(true, 200, {"a", "b", "c"}, 0, nullptr);
        const QString before = valueLabel(t, 2)->styleSheet();
        t.SetRowCount(3);
        QCOMPARE(valueLabel(t, 2)->styleSheet(), before);

        t.SetRowCount(5);
        QCOMPARE(t.m_pTable->rowCount(), 5);
        QCOMPARE(t.GetRowCount(), 5);
        for (int r = 3; r < 5; ++r) {
            QVERIFY(nameLabel(t, r));
            QVERIFY(valueLabel(t, r));
            QCOMPARE(t.m_pTable->rowHeight(r), 32);
        }
        QVERIFY(valueLabel(t, 2)->styleSheet().contains("border-bottom: 1px"));
        QVERIFY(valueLabel(t, 2)->styleSheet().contains("border-left: 1px"));
        QVERIFY(nameLabel(t, 2)->styleSheet().contains("border-left: 0px"));
        QVERIFY(valueLabel(t, 4)->styleSheet().contains("border-bottom: 0px"));
        QCOMPARE(valueLabel(t, 4)->styleSheet(),
                 QString("QLabel{\t\tcolor: #a0a0a0;\t\tbackground: transparent;\t\tpadding-left: 10px;"
                         "\t\tborder-left: 1px solid #2a2a2a;\t\tborder-bottom: 0px solid #2a2a2a;"
                         "\t\tborder-right: 0px;\t\tborder-top: 0px;\t\tborder-radius: 0px;\t\t}"));
        t.SetValueList({"0", "1", "2", "3", "4"});
        QCOMPARE(valueLabel(t, 4)->text(), QString("4"));
    }

    void pressingEmptyRowsKeepsSelection()
    {
        QWrapperTableWidget t(true, 32 * 5 + 40, {"a", "b", "c", "d", "e"}, 0, nullptr);
        t.resize(500, 300);
        t.show();
        t.SetValueList({"0", "1", "2"});
        t.SetNameList({"a", "b", "c"});
        pressCell(t, 2, 1);
        QCOMPARE(t.GetSelectedRow(), 2);
        pressCell(t, 4, 1);   // empty row
        QCOMPARE(t.GetSelectedRow(), 2);
        QCOMPARE(t.m_pTable->selectionModel()->selectedRows().size(), 1);
        QCOMPARE(t.m_pTable->selectionModel()->selectedRows().first().row(), 2);

        QWrapperTableWidget empty(true, 200, {"", "b"}, 0, nullptr);
        empty.resize(500, 200);
        empty.show();
        empty.SetValueList({"", "1"});
        pressCell(empty, 0, 1);
        QCOMPARE(empty.GetSelectedRow(), -1);
        QVERIFY(empty.m_pTable->selectionModel()->selectedRows().isEmpty());
    }

    void headerClickClearsSelection()
    {
        QWrapperTableWidget t(true, 200, {"a", "b"}, 0, nullptr);
        t.resize(500, 200);
        t.show();
        t.SetValueList({"0", "1"});
        pressCell(t, 1, 0);
        QVERIFY(!t.m_pTable->selectionModel()->selectedRows().isEmpty());
        QHeaderView* header = t.m_pTable->horizontalHeader();
        const int x = header->sectionViewportPosition(1) + 20;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, 10));
        QVERIFY(t.m_pTable->selectionModel()->selectedRows().isEmpty());
    }

    void updateCellIgnoresPresses()
    {
        QWrapperTableWidget t(false, 32 * 5 + 40, kInfoNames, 0, nullptr);
        t.resize(560, 260);
        t.show();
        t.SetValueList({"Capture", "A1B2", "A", "1.0.5", "2.0"});
        pressCell(t, 1, 1);
        QCOMPARE(t.GetSelectedRow(), 1);
        pressCell(t, 3, 1);
        QCOMPARE(t.GetSelectedRow(), 1);
        QCOMPARE(t.m_pTable->selectionModel()->selectedRows().first().row(), 1);
        QCOMPARE(t.GetVersionLabel()->text(), QString("1.0.5"));
    }

    void updateCellStates_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("message");   // null: message label hidden
        QTest::addColumn<QString>("msgColor");
        QTest::addColumn<bool>("info");
        QTest::addColumn<QString>("optTip");    // empty: option button hidden
        QTest::addColumn<bool>("progress");
        QTest::addColumn<bool>("animation");
        QTest::newRow("0 none") << 0 << "" << "#ececec" << false << "" << false << false;
        QTest::newRow("1 check") << 1 << "" << "#ececec" << false << "Check for updates" << false << false;
        QTest::newRow("2 checking") << 2 << "Checking for updates" << "#ececec" << false << "" << false << true;
        QTest::newRow("3 new") << 3 << "New version available" << "#ececec" << true << "Download" << false << false;
        QTest::newRow("4 latest") << 4 << "It is the latest version." << "#ececec" << false << "Check for updates"
                                  << false << false;
        QTest::newRow("5 check failed") << 5 << "Connection failed, please try again" << "#ececec" << false
                                        << "Retry" << false << false;
        QTest::newRow("6 downloading") << 6 << "0.00%" << "#1b9dff" << false << "Cancel downloading" << true
                                       << false;
        QTest::newRow("7 download failed") << 7 << "Download failed, please try again" << "#dd3737" << false
                                           << "Retry" << false << false;
        QTest::newRow("8 prepared") << 8 << "New version prepared" << "#1b9dff" << false << "Update" << false
                                    << false;
        QTest::newRow("9 update failed") << 9 << QString() << "" << false << "Help" << false << false;
        QTest::newRow("10 update succeeded") << 10 << QString() << "" << false << "" << false << false;
        QTest::newRow("11 unknown") << 11 << "" << "#ececec" << false << "" << false << false;
    }

    void updateCellStates()
    {
        QFETCH(int, type);
        QFETCH(QString, message);
        QFETCH(QString, msgColor);
        QFETCH(bool, info);
        QFETCH(QString, optTip);
        QFETCH(bool, progress);
        QFETCH(bool, animation);

        QWrapperTableWidget t(false, 32 * 5 + 40, kInfoNames, 0, nullptr);
        t.SetValueList({"", "", "", "1.0.5"});
        // Start from a state that shows everything differently.
        t.SetUpgradeOptType(type == 6 ? 3 : 6, "", "", false);
        t.SetUpgradeOptType(type, "", "", false);
        QCOMPARE(t.GetOptType(), type);

        if (message.isNull()) {
            QVERIFY(t.GetMessageLabel()->isHidden());
        } else {
            QVERIFY(shown(t.GetMessageLabel()));
            QCOMPARE(t.GetMessageLabel()->text(), message);
            QVERIFY(t.GetMessageLabel()->styleSheet().contains("color: " + msgColor + ";"));
        }
        QCOMPARE(shown(t.m_pBtnInfo), info);
        QCOMPARE(shown(t.m_pBtnOpt), !optTip.isEmpty());
        if (!optTip.isEmpty()) {
            QCOMPARE(t.m_pBtnOpt->toolTip(), optTip);
            QCOMPARE(t.m_pBtnOpt->size(), QSize(16, 16));
        }
        QCOMPARE(shown(t.GetProgressBar()), progress);
        QCOMPARE(shown(t.GetAnimationLabel()), animation);
        QCOMPARE(t.GetAnimation()->state() == QMovie::Running, animation);

        if (type == 9) {
            QCOMPARE(t.GetVersionLabel()->text(), QString("The device may have been damaged"));
            QVERIFY(t.GetVersionLabel()->styleSheet().contains("color: #dd3737;"));
        } else if (type == 10) {
            QCOMPARE(t.GetVersionLabel()->text(), QString("Update succeed, unplug and replug the device"));
            QVERIFY(t.GetVersionLabel()->styleSheet().contains("color: #1b9dff;"));
        } else {
            QCOMPARE(t.GetVersionLabel()->text(), QString("1.0.5"));
            QVERIFY(t.GetVersionLabel()->styleSheet().contains("color: #a0a0a0;"));
        }
        if (type == 6)
            QCOMPARE(t.GetProgressBar()->value(), 0);

        if (!optTip.isEmpty()) {
            QSignalSpy spy(&t, &QWrapperTableWidget::sigUpgradeOpt);
            QTest::mouseClick(t.m_pBtnOpt, Qt::LeftButton);
            QCOMPARE(spy.count(), 1);
            QCOMPARE(spy.at(0).at(0).toInt(), type);
        }
    }

    // The option button sits on a blue icon: its focus outline must not be blue too.
    void updateButtonShowsFocus()
    {
        QWrapperTableWidget t(false, 200, kInfoNames, 0, nullptr);
        t.SetUpgradeOptType(3, "2.0.1", "12 MB", false);
        t.show();
        QVERIFY(QTest::qWaitForWindowActive(&t));
        const auto white = [](const QImage& image) {
            int n = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    n += qGray(image.pixel(x, y)) > 220;
            return n;
        };
        const int plain = white(t.m_pBtnOpt->grab().toImage());
        t.m_pBtnOpt->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(t.m_pBtnOpt->hasFocus());
        QVERIFY(white(t.m_pBtnOpt->grab().toImage()) > plain + 8);
    }

    void versionTexts()
    {
        QWrapperTableWidget t(false, 200, kInfoNames, 0, nullptr);
        t.SetUpgradeOptType(8, "1.2.3", "", false);
        QCOMPARE(t.GetMessageLabel()->text(),
                 QString("<font color=#1b9dff>New version prepared</font><font color=#ececec> (1.2.3)</font>"));
        t.SetUpgradeOptType(3, "2.0.1", "12 MB", false);
        QCOMPARE(t.GetMessageLabel()->text(),
                 QString("<font color=#ececec>New version available</font><font color=#1b9dff> (2.0.1)</font>"));
        QCOMPARE(t.m_pBtnOpt->toolTip(), QString("Download(12 MB)"));
        QCOMPARE(t.m_pBtnInfo->toolTip(), QString("Release notes"));

        // A version string from the update service is never markup.
        t.SetUpgradeOptType(8, "<img src=x>", "", false);
        QVERIFY(!t.GetMessageLabel()->text().contains("<img"));
        QVERIFY(t.GetMessageLabel()->text().contains("&lt;img src=x&gt;"));

        // The last flag: no message for 2, 3, 4; notes tooltip with the version.
        t.SetUpgradeOptType(3, "2.0.1", "", true);
        QVERIFY(t.GetMessageLabel()->text().isEmpty());
        QCOMPARE(t.m_pBtnInfo->toolTip(), QString("Release notes (2.0.1)"));
        t.SetUpgradeOptType(4, "", "", true);
        QVERIFY(t.GetMessageLabel()->text().isEmpty());
    }

    void repeatsOfRunningStates()
    {
        QWrapperTableWidget t(false, 200, kInfoNames, 0, nullptr);
        t.SetUpgradeOptType(2, "", "", false);
        t.GetMessageLabel()->setText("marker");
        t.SetUpgradeOptType(2, "", "", false);   // no restart
        QCOMPARE(t.GetMessageLabel()->text(), QString("marker"));
        QCOMPARE(t.GetAnimation()->state(), QMovie::Running);

        t.SetUpgradeOptType(6, "", "", false);
        t.SetDownloadProcess(40);
        t.SetUpgradeOptType(6, "", "", false);
        QCOMPARE(t.GetProgressBar()->value(), 40);
        QCOMPARE(t.GetMessageLabel()->text(), QString("40.00%"));

        t.SetUpgradeOptType(3, "", "", false);
        t.GetMessageLabel()->setText("marker");
        t.m_pBtnInfo->hide();
        t.SetUpgradeOptType(3, "", "", false);   // carried out again
        QCOMPARE(t.GetMessageLabel()->text(), QString("New version available"));
        QVERIFY(!t.m_pBtnInfo->isHidden());
    }

    void downloadProgress()
    {
        QWrapperTableWidget t(false, 200, kInfoNames, 0, nullptr);
        t.SetUpgradeOptType(1, "", "", false);
        t.SetDownloadProcess(37.5f);   // whatever the state
        QCOMPARE(t.GetProgressBar()->value(), 37);
        QCOMPARE(t.GetMessageLabel()->text(), QString("37.50%"));
        t.SetDownloadProcess(100);
        QCOMPARE(t.GetProgressBar()->value(), 100);
        QCOMPARE(t.GetMessageLabel()->text(), QString("100.00%"));
    }

    void failedThenIdleKeepsTheWarning()
    {
        QWrapperTableWidget t(false, 200, kInfoNames, 0, nullptr);
        t.SetUpgradeOptType(9, "", "", false);
        t.SetUpgradeOptType(1, "", "", false);
        QVERIFY(t.GetVersionLabel()->styleSheet().contains("color: #a0a0a0;"));
        QCOMPARE(t.GetVersionLabel()->text(), QString("The device may have been damaged"));
    }

    void optionClickIsLoggedFromTheTable()
    {
        QObject owner;
        lvlogger::LvLogger* logger = lvlogger::LvLogger::createInstance(&owner);
        const lvlogger::EnableLogLevels saved = lvlogger::ENABLE_LOG_LEVELS;
        lvlogger::SetLogLevelInfor();
        QSignalSpy records(logger, &lvlogger::LvLogger::signalLog);

        QWrapperTableWidget t(false, 200, kInfoNames, 0, nullptr);
        t.SetUpgradeOptType(5, "", "", false);
        QTest::mouseClick(t.m_pBtnOpt, Qt::LeftButton);
        QTRY_VERIFY(!records.isEmpty());
        lvlogger::ENABLE_LOG_LEVELS = saved;

        const QList<QVariant> record = records.last();
        QCOMPARE(record.at(2).toString(),
                 QString("user clicked the retry connecting to upgrade server button. m_nOptType=5, "
                         "now button tool tip=Retry"));
        QCOMPARE(record.at(4).toString(), QString("OnOptBtnClicked"));
        QCOMPARE(record.at(5).toString(), QString("qwrappertablewidget.cpp"));
    }

    void releaseNotesButton()
    {
        QWrapperTableWidget t(false, 200, kInfoNames, 0, nullptr);
        t.SetUpgradeOptType(3, "", "", false);
        QSignalSpy spy(&t, &QWrapperTableWidget::sigUpgradeInfo);
        QTest::mouseClick(t.m_pBtnInfo, Qt::LeftButton);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(t.m_pBtnInfo->size(), QSize(16, 16));
    }

    void plainFormHasNoCell()
    {
        QWrapperTableWidget plain(true, 200, kInfoNames, 0, nullptr);
        plain.SetUpgradeOptType(4, "", "", false);
        plain.SetDownloadProcess(50);
        QCOMPARE(plain.GetOptType(), 0);
        QVERIFY(!plain.m_pBtnOpt && !plain.m_pBtnInfo);

        QWrapperTableWidget few(false, 200, {"a", "b", "c"}, 0, nullptr);
        QVERIFY(!few.HasUpdateCell());
        few.SetUpgradeOptType(4, "", "", false);
        few.SetDownloadProcess(50);
        QCOMPARE(few.GetOptType(), 0);
    }

    void shrinkingDropsTheUpdateCell()
    {
        QWrapperTableWidget t(false, 200, kInfoNames, 0, nullptr);
        QPointer<QWidget> cell = t.m_pTable->cellWidget(3, 1);
        QVERIFY(cell);
        t.SetUpgradeOptType(2, "", "", false);
        t.SetRowCount(3);
        QVERIFY(!t.HasUpdateCell());
        QVERIFY(!t.m_pBtnOpt && !t.m_pBtnInfo);
        QVERIFY(!t.GetProgressBar() && !t.GetMessageLabel() && !t.GetAnimation());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!cell);   // really gone
        t.SetUpgradeOptType(3, "1.0", "", false);   // nothing to reach
        t.SetDownloadProcess(20);
        t.SetValueList({"a", "b", "c"});

        t.SetRowCount(5);   // row 3 comes back as a plain value row
        t.SetValueList({"a", "b", "c", "1.0.7", "e"});
        QCOMPARE(valueLabel(t, 3)->text(), QString("1.0.7"));
        pressCell(t, 3, 1);
        QCOMPARE(t.GetSelectedRow(), 3);
    }

    void imagesExist()
    {
        for (const char* name : {"check", "download", "cancel", "update", "retry", "help", "info"})
            for (const char* suffix : {"", "_hover", "_press"})
                QVERIFY2(QFile::exists(QString(":/Widget/update_%1%2").arg(name, suffix)), name);
        QWrapperTableWidget t(false, 200, kInfoNames, 0, nullptr);
        QVERIFY(t.GetAnimation()->isValid());
        QCOMPARE(t.GetAnimation()->format(), QByteArray("gif"));
    }

    void updateCellPressWithNothingSelected()
    {
        QWrapperTableWidget t(false, 32 * 5 + 40, kInfoNames, 0, nullptr);
        t.resize(560, 260);
        t.show();
        t.SetValueList({"a", "b", "c", "1.0.5", "e"});
        pressCell(t, 3, 1);
        QCOMPARE(t.GetSelectedRow(), -1);
        QVERIFY(t.m_pTable->selectionModel()->selectedRows().isEmpty());
    }

    void screenshots()
    {
        QFile qss(":/lumivandrexutility.qss");
        if (qss.open(QIODevice::ReadOnly))
            qApp->setStyleSheet(QString::fromUtf8(qss.readAll()));

        QWrapperTableWidget plain(true, 32 * 4 + 40, {"Signal status:", "Resolution:", "Frame rate:", "Color space:"},
                                  0, nullptr);
        plain.resize(560, 32 * 4 + 40);
        plain.SetValueList({"Locked", "1920 x 1080", "60.00 Hz",
                            "YUV 4:2:2 BT.709 limited range with a very long description that will not fit"});
        plain.show();
        QVERIFY(lvtest::saveScreenshot(&plain, "table_name_value"));

        struct Shot { int type; float percent; const char* version; const char* name; };
        const Shot shots[] = {{1, 0, "", "update_cell_1_check"},
                              {2, 0, "", "update_cell_2_checking"},
                              {3, 0, "1.0.6", "update_cell_3_newver"},
                              {6, 42.5f, "", "update_cell_6_downloading"},
                              {8, 0, "1.0.6", "update_cell_8_prepared"},
                              {9, 0, "", "update_cell_9_failed"},
                              {10, 0, "", "update_cell_10_success"}};
        for (const Shot& s : shots) {
            QWrapperTableWidget info(false, 32 * 5 + 40, kInfoNames, 0, nullptr);
            info.resize(560, 32 * 5 + 40);
            info.SetValueList({"Lumivandrex Capture HDMI", "B1234567", "A", "1.0.5", "3.0.4"});
            info.SetUpgradeOptType(s.type, s.version, "", false);
            if (s.type == 6)
                info.SetDownloadProcess(s.percent);
            info.show();
            QVERIFY(lvtest::saveScreenshot(&info, s.name));
        }
        qApp->setStyleSheet(QString());
    }
};

QTEST_MAIN(TestQWrapperTableWidget)
#include "tst_qwrappertablewidget.moc"
