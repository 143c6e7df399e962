#include "toolkit/cfocusmanager.h"
#include "toolkit/qwrappermsgbox.h"
#include "toolkit/wpushbutton.h"
#include "device/lumivandrexpresenter.h"

#include <QLayout>
#include <QScreen>

#include "lvtestsupport.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <thread>

// Runs `during` once the box's modal loop is running, then returns exec()'s result.
static int execWith(QWrapperMsgBox* box, std::function<void()> during)
{
    QTimer::singleShot(0, box, during);
    return box->exec();
}

// The program's look: Arial at a pixel size.
static QFont lookFont(int pixels, bool bold)
{
    QFont font(QStringLiteral("Arial"), -1, bold ? QFont::Bold : QFont::Normal);
    font.setPixelSize(pixels);
    return font;
}

// Calls the presenter-side notification from a thread that is not the GUI
// thread, as the enumeration thread does.
static void loseDeviceFromOtherThread(QWrapperMsgBox* box)
{
    std::thread enumThread([box] { box->OnCurrentDeviceLost(true); });
    enumThread.join();
}

class TestQWrapperMsgBox : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setFont(lookFont(14, false)); }   // the program's default look
    void init() { g_focusManager.SetMainFocusWid(nullptr); }
    void cleanup() { g_focusManager.SetMainFocusWid(nullptr), QApplication::setFont(lookFont(14, false)); }

    void buildsTitleTextAndName()
    {
        QWrapperMsgBox box(MSG_TYPE_QUESTION, "Proceed?", "Yes", "No", 420, 240, nullptr);
        QCOMPARE(box.objectName(), QString("dialog_msgbox"));
        QCOMPARE(box.size(), QSize(420, 240));
        QVERIFY(box.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(box.GetType(), MSG_TYPE_QUESTION);
        QCOMPARE(box.GetExtraFlag(), 0);
        const QList<QLabel*> labels = box.GetTitleBar()->findChildren<QLabel*>();
        QCOMPARE(labels.size(), 1);
        QCOMPARE(labels.first()->text(), QString("Lumivandrex Utility"));
        QCOMPARE(box.GetTitleBar()->height(), 30);
        QCOMPARE(box.GetButtonBar()->height(), 60);
        QCOMPARE(box.GetMainArea()->height(), 240 - 90);
        QCOMPARE(box.GetTextLabel()->width(), 420 - 160);
    }

    void textIsShownLiterally()
    {
        QWrapperMsgBox box(MSG_TYPE_WARNING, "Can't open <b>edid</b> & \"x\".bin", "OK", "", 420, 240, nullptr);
        const QString html = box.GetTextLabel()->text();
        QVERIFY(html.startsWith("<p style='line-height: 18px'>"));
        QVERIFY(html.contains("&lt;b&gt;edid&lt;/b&gt; &amp;"));
        QVERIFY(!html.contains("<b>"));
        QCOMPARE(box.GetText(), QString("Can't open <b>edid</b> & \"x\".bin"));
    }

    void buttonRowLayouts()
    {
        QWrapperMsgBox one(MSG_TYPE_WARNING, "t", "OK", "", 420, 240, nullptr);
        QVERIFY(one.GetOkButton());
        QVERIFY(!one.GetCancelButton());
        auto* row = qobject_cast<QHBoxLayout*>(one.GetButtonBar()->layout());
        QVERIFY(row);
        QCOMPARE(row->count(), 3);
        QVERIFY(row->itemAt(0)->spacerItem());
        QCOMPARE(row->itemAt(1)->widget(), static_cast<QWidget*>(one.GetOkButton()));
        QVERIFY(row->itemAt(2)->spacerItem());
        QCOMPARE(one.GetOkButton()->objectName(), QString("btn_dialog"));
        QVERIFY(one.GetOkButton()->isDefault());

        QWrapperMsgBox two(MSG_TYPE_WARNING, "t", "Yes", "No", 420, 240, nullptr);
        two.show();
        two.GetButtonBar()->layout()->activate();
        QCOMPARE(two.GetOkButton()->size(), QSize(124, 32));
        const int gap = two.GetCancelButton()->x() - (two.GetOkButton()->x() + two.GetOkButton()->width());
        QCOMPARE(gap, 36);
        // Centred between the stretches.
        QCOMPARE(two.GetOkButton()->x() - 10, 420 - 10 - (two.GetCancelButton()->x() + 124));

        QWrapperMsgBox none(MSG_TYPE_WARNING, "t", "", "", 420, 240, nullptr);
        QVERIFY(!none.GetOkButton() && !none.GetCancelButton());
        QCOMPARE(none.GetButtonBar()->layout()->count(), 1);
    }

    void answers_data()
    {
        QTest::addColumn<int>("how");
        QTest::addColumn<int>("execResult");
        QTest::addColumn<int>("extraFlag");
        QTest::newRow("ok") << 0 << 1 << 1;
        QTest::newRow("cancel") << 1 << 0 << 2;
        QTest::newRow("esc") << 2 << 0 << 0;
        QTest::newRow("return") << 3 << 1 << 0;
        QTest::newRow("enter") << 4 << 1 << 0;
        QTest::newRow("close button") << 5 << 0 << 0;
        QTest::newRow("close()") << 6 << 0 << 0;
    }

    void answers()
    {
        QFETCH(int, how);
        QFETCH(int, execResult);
        QFETCH(int, extraFlag);
        auto* box = new QWrapperMsgBox(MSG_TYPE_WARNING, "Question", "OK", "Cancel", 420, 240, nullptr);
        const int result = execWith(box, [box, how] {
            switch (how) {
            case 0: QTest::mouseClick(box->GetOkButton(), Qt::LeftButton); break;
            case 1: QTest::mouseClick(box->GetCancelButton(), Qt::LeftButton); break;
            case 2: QTest::keyClick(box, Qt::Key_Escape); break;
            case 3: QTest::keyClick(box, Qt::Key_Return); break;
            case 4: QTest::keyClick(box, Qt::Key_Enter); break;
            case 5: {
                QPushButton* close = nullptr;
                for (QPushButton* b : box->GetTitleBar()->findChildren<QPushButton*>())
                    close = b;
                QVERIFY(close);
                QTest::mouseClick(close, Qt::LeftButton);
                break;
            }
            default: box->close(); break;
            }
        });
        QCOMPARE(result, execResult);
        QCOMPARE(box->GetExtraFlag(), extraFlag);
        delete box;
    }

    // Reached by mouse or keyboard, a box opens with its default button focused and framed.
    void opensWithDefaultButtonFramed()
    {
        for (int round = 0; round < 3; ++round) {
            g_focusManager.SetActive(round == 2);
            QWrapperMsgBox box(MSG_TYPE_WARNING, "Your software is up to date.", "OK", round ? "No" : "", 420, 240, nullptr);
            const int result = execWith(&box, [&] {
                QVERIFY(QTest::qWaitForWindowActive(&box));
                QWidget* focus = QApplication::focusWidget();
                if (focus == box.GetOkButton() && focus->property("mouse") == false)   // the keyboard frame
                    QTest::keyClick(focus, round == 1 ? Qt::Key_Return : Qt::Key_Space);
                if (box.isVisible())
                    box.reject();
            });
            QVERIFY(result == 1 && box.GetExtraFlag() == 1);
        }
        g_focusManager.SetActive(false);
    }

    void otherKeysDoNothing()
    {
        auto* box = new QWrapperMsgBox(MSG_TYPE_WARNING, "t", "OK", "", 420, 240, nullptr);
        bool stillOpen = false;
        const int result = execWith(box, [box, &stillOpen] {
            QTest::keyClick(box, Qt::Key_A);
            QTest::keyClick(box, Qt::Key_Space);
            stillOpen = box->isVisible();
            box->reject();
        });
        QVERIFY(stillOpen);
        QCOMPARE(result, 0);
        delete box;
    }

    void deviceLoss_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("staysOpen");
        QTest::addColumn<int>("execResult");
        QTest::newRow("default name closes") << QString() << false << 0;
        QTest::newRow("other name closes") << QString("msgbox_whatever") << false << 0;
        QTest::newRow("device lost box stays") << QString("msgbox_device_lost") << true << 1;
        QTest::newRow("download box accepts") << QString("msgbox_firmware_download") << false << 1;
    }

    void deviceLoss()
    {
        QFETCH(QString, name);
        QFETCH(bool, staysOpen);
        QFETCH(int, execResult);
        auto* box = new QWrapperMsgBox(MSG_TYPE_QUESTION, "Device?", "OK", "Cancel", 420, 240, nullptr);
        if (!name.isEmpty())
            box->setObjectName(name);
        bool visibleRightAfterThread = false;
        bool visibleAfterDelivery = false;
        const int result = execWith(box, [&] {
            loseDeviceFromOtherThread(box);
            // The reaction is queued to the GUI thread: nothing has happened yet.
            visibleRightAfterThread = box->isVisible();
            QCoreApplication::processEvents();
            visibleAfterDelivery = box->isVisible();
            if (visibleAfterDelivery)
                QTest::mouseClick(box->GetOkButton(), Qt::LeftButton);
        });
        QVERIFY(visibleRightAfterThread);
        QCOMPARE(visibleAfterDelivery, staysOpen);
        QCOMPARE(result, execResult);
        QCOMPARE(box->GetExtraFlag(), staysOpen ? 1 : 0);
        delete box;
    }

    void lossAfterDestructionIsDropped()
    {
        auto* box = new QWrapperMsgBox(MSG_TYPE_WARNING, "t", "OK", "", 420, 240, nullptr);
        loseDeviceFromOtherThread(box);
        delete box;   // the queued reaction dies with its receiver
        QCoreApplication::processEvents();
        QVERIFY(!g_presenter.IsModalState());
    }

    void registersWhileAlive()
    {
        QVERIFY(!g_presenter.IsModalState());
        auto* box = new QWrapperMsgBox(MSG_TYPE_WARNING, "t", "OK", "", 420, 240, nullptr);
        QVERIFY(g_presenter.IsModalState());
        box->hide();
        QVERIFY(g_presenter.IsModalState());
        delete box;
        QVERIFY(!g_presenter.IsModalState());
    }

    void centresOnMainWindowOnEveryShow()
    {
        QWidget mainWindow;
        mainWindow.setGeometry(100, 80, 592, 720);
        mainWindow.show();
        g_focusManager.SetMainFocusWid(&mainWindow);
        QWrapperMsgBox box(MSG_TYPE_WARNING, "t", "OK", "", 420, 241, nullptr);
        box.show();
        const QPoint expected(mainWindow.x() + (592 - 420) / 2, mainWindow.y() + (mainWindow.height() - 241) / 2);
        QCOMPARE(box.pos(), expected);
        box.move(5, 5);
        box.hide();
        box.show();
        QCOMPARE(box.pos(), expected);
    }

    void centresWithoutMainWindow()
    {
        // Before the main window exists: the parent's window, else the screen.
        QWidget parent;
        parent.setGeometry(100, 100, 600, 400);
        parent.show();
        QWrapperMsgBox box(MSG_TYPE_WARNING, "t", "OK", "", 420, 240, &parent);
        box.show();
        QCOMPARE(box.pos(), QPoint(parent.x() + 90, parent.y() + 80));

        QWrapperMsgBox lonely(MSG_TYPE_WARNING, "t", "OK", "", 420, 240, nullptr);
        lonely.show();
        const QRect area = lonely.screen()->availableGeometry();
        QCOMPARE(lonely.pos(), QPoint(area.x() + (area.width() - 420) / 2, area.y() + (area.height() - 240) / 2));
    }

    void dragsByTitleBarOnly()
    {
        QWrapperMsgBox box(MSG_TYPE_WARNING, "t", "OK", "", 420, 240, nullptr);
        box.show();
        box.move(200, 150);
        const QPoint start = box.pos();

        QTest::mousePress(&box, Qt::RightButton, {}, QPoint(50, 10));
        QVERIFY(!box.IsDragging());
        QTest::mousePress(&box, Qt::LeftButton, {}, QPoint(50, 40));
        QVERIFY(!box.IsDragging());
        QTest::mousePress(&box, Qt::LeftButton, {}, QPoint(50, 29));
        QVERIFY(box.IsDragging());

        QMouseEvent move(QEvent::MouseMove, QPoint(150, 79), box.mapToGlobal(QPoint(150, 79)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&box, &move);
        QCOMPARE(box.pos(), start + QPoint(100, 50));

        QTest::mouseRelease(&box, Qt::LeftButton, {}, QPoint(1, 1));
        QVERIFY(!box.IsDragging());
        const QPoint after = box.pos();
        QMouseEvent idleMove(QEvent::MouseMove, QPoint(10, 10), box.mapToGlobal(QPoint(10, 10)) + QPoint(40, 40),
                             Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&box, &idleMove);
        QCOMPARE(box.pos(), after);
    }

    // At 20 pixels the box grows to hold its whole text (wider only for a long word), within
    // the screen, its buttons inside; at 14 it keeps the caller's size.
    void wholeTextAtEveryFont_data()
    {
        QTest::addColumn<int>("pixels");
        QTest::addColumn<QString>("text");
        const QString reset = "This operation will use default settings. Some options will only take effect after "
                              "reconnecting the device and rebooting the computer. Do you want to continue this operation?";
        const QString resetZh = QString::fromUtf8("此操作将使用默认设置。部分选项需要重新连接设备并重启计算机后才能生效。是否继续此操作？");
        QTest::newRow("14") << 14 << reset;
        QTest::newRow("14 zh") << 14 << resetZh;
        QTest::newRow("20") << 20 << reset;
        QTest::newRow("20 zh") << 20 << resetZh + resetZh;
        QTest::newRow("20 long word") << 20 << "Can't open Lumivandrex_capture_edid_backup_2.bin";
        QTest::newRow("20 taller than the screen") << 20 << QString(reset + ' ').repeated(12);
    }

    void wholeTextAtEveryFont()
    {
        QFETCH(int, pixels);
        QFETCH(QString, text);
        QApplication::setFont(lookFont(pixels, true));
        QWrapperMsgBox box(MSG_TYPE_QUESTION, text, "Yes", "No", 420, 260, nullptr);
        box.show();
        const QLabel* label = box.GetTextLabel();
        const QRect screen = box.screen()->availableGeometry();
        QVERIFY((pixels == 14) == (box.size() == QSize(420, 260)));
        QVERIFY(screen.contains(box.frameGeometry()));
        QVERIFY((box.height() == screen.height()) == (label->heightForWidth(label->width()) > label->height()));
        QVERIFY(label->width() == 260 || text.contains("edid"));
        QVERIFY(box.GetMainArea()->rect().contains(label->geometry()));
        for (const QWidget* button : {box.GetOkButton(), box.GetCancelButton()})
            QVERIFY(box.rect().contains(QRect(button->mapTo(&box, QPoint()), button->size())));
        const int lineHeight = label->text().section("line-height: ", 1).section("px", 0, 0).toInt();
        QCOMPARE(lineHeight, qMax(18, label->fontMetrics().lineSpacing()));
    }

    void screenshot()
    {
        QFile qss(":/lumivandrexutility.qss");
        if (qss.open(QIODevice::ReadOnly))
            qApp->setStyleSheet(QString::fromUtf8(qss.readAll()));
        QWidget mainWindow;
        mainWindow.setGeometry(0, 0, 592, 720);
        g_focusManager.SetMainFocusWid(&mainWindow);
        QWrapperMsgBox box(MSG_TYPE_QUESTION,
                           "Proceed with saving changes? Some options will only take effect after reconnecting the device.",
                           "Yes", "No", 420, 260, nullptr);
        box.show();
        QVERIFY(QTest::qWaitForWindowActive(&box));   // the focus frame on "Yes"
        QVERIFY(lvtest::saveScreenshot(&box, "msgbox_question"));
        QWrapperMsgBox one(MSG_TYPE_QUESTION, "Couldn't detect the device. The changes will be lost.", "OK", "", 420,
                           240, nullptr);
        one.show();
        QVERIFY(lvtest::saveScreenshot(&one, "msgbox_device_lost"));
        qApp->setStyleSheet(QString());
    }
};

QTEST_MAIN(TestQWrapperMsgBox)
#include "tst_qwrappermsgbox.moc"
