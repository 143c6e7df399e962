#include "toolkit/cfocusmanager.h"
#include "toolkit/csystembutton.h"
#include "toolkit/qcustomdialog.h"
#include "device/lumivandrexpresenter.h"

#include <QLayout>
#include <QScreen>

#include "lvtestsupport.h"

#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QThread>
#include <QTimer>
#include <QtTest>

#include <atomic>
#include <thread>

namespace {

// A dialog that overrides nothing.
class PlainDialog : public QCustomDialog
{
public:
    explicit PlainDialog(QWidget* parent = nullptr, bool defaultTitle = true, bool minimize = false)
        : QCustomDialog(parent, defaultTitle, minimize)
    {
        auto* content = new QLabel("content");
        content->setFixedSize(300, 120);
        SetMainWindow(content, QString());
        setFixedSize(300, 200);
    }
};

// An entry dialog: closes itself when the device goes, and records where and
// how often its reaction ran.
class EntryDialog : public PlainDialog
{
public:
    using PlainDialog::PlainDialog;
    void OnHandleUI() override
    {
        ++handled;
        handledOn = QThread::currentThread();
        close();
    }
    int handled = 0;
    QThread* handledOn = nullptr;
};

void loseDeviceFromOtherThread(QCustomDialog* dialog)
{
    std::thread enumThread([dialog] { dialog->OnCurrentDeviceLost(false); });
    enumThread.join();
}

void sendMove(QWidget* w, const QPoint& global)
{
    QMouseEvent move(QEvent::MouseMove, w->mapFromGlobal(global), global, Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(w, &move);
}

} // namespace

class TestQCustomDialog : public QObject
{
    Q_OBJECT

private slots:
    void init() { g_focusManager.SetMainFocusWid(nullptr); }

    void buildsDefaultTitleBar()
    {
        PlainDialog dialog;
        QCOMPARE(dialog.objectName(), QString("dialog_customdlg"));
        QCOMPARE(dialog.windowModality(), Qt::ApplicationModal);
        QVERIFY(dialog.testAttribute(Qt::WA_TranslucentBackground));
        // The platform layer turns the system frame off on this platform.
        QVERIFY(dialog.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(dialog.GetTitleLabel());
        QCOMPARE(dialog.GetTitleLabel()->text(), QString("Lumivandrex Utility"));
        QVERIFY(dialog.GetCloseButton());
        QVERIFY(!dialog.GetMinimizeButton());
        QCOMPARE(dialog.GetCloseButton()->focusPolicy(), Qt::NoFocus);
        QCOMPARE(dialog.GetTitleBar()->height(), 32);
    }

    void titleRules()
    {
        PlainDialog keeps;   // SetMainWindow(content, "")
        QCOMPARE(keeps.GetTitleLabel()->text(), QString("Lumivandrex Utility"));

        QCustomDialog titled(nullptr, true, false);
        titled.SetMainWindow(new QLabel("x"), "EDID Detailed Timing");
        QCOMPARE(titled.GetTitleLabel()->text(), QString("EDID Detailed Timing"));

        QCustomDialog logo(nullptr, false, true);   // minimise ignored with the logo bar
        logo.SetMainWindow(new QLabel("x"), "Ignored");
        QVERIFY(!logo.GetTitleLabel());
        QVERIFY(!logo.GetCloseButton());
        QVERIFY(!logo.GetMinimizeButton());
        QCOMPARE(logo.GetTitleBar()->height(), 96);
        logo.SetCloseBtnEnable(false);   // nothing to do, must not crash
        QCOMPARE(logo.GetTitleBar()->findChildren<CSystemButton*>().size(), 1);
        for (QLabel* l : logo.findChildren<QLabel*>())
            QVERIFY(l->text() != "Ignored");
    }

    void minimiseOnlyEmits()
    {
        PlainDialog dialog(nullptr, true, true);
        QVERIFY(dialog.GetMinimizeButton());
        dialog.show();
        QSignalSpy spy(&dialog, &QCustomDialog::sigMinimum);
        QTest::mouseClick(dialog.GetMinimizeButton(), Qt::LeftButton);
        QCOMPARE(spy.count(), 1);
        QVERIFY(dialog.isVisible());
        QVERIFY(!dialog.isMinimized());
    }

    void escRejectsEvenWithCloseDisabled()
    {
        auto* dialog = new PlainDialog;
        dialog->SetCloseBtnEnable(false);
        QVERIFY(!dialog->GetCloseButton()->isEnabled());
        bool openAfterOtherKeys = false;
        QTimer::singleShot(0, dialog, [&] {
            QTest::keyClick(dialog, Qt::Key_Return);
            QTest::keyClick(dialog, Qt::Key_Enter);
            QTest::keyClick(dialog, Qt::Key_Space);
            openAfterOtherKeys = dialog->isVisible();
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        QCOMPARE(dialog->exec(), 0);
        QVERIFY(openAfterOtherKeys);
        delete dialog;
    }

    void closeButtonRejects()
    {
        auto* dialog = new PlainDialog;
        QTimer::singleShot(0, dialog, [&] { QTest::mouseClick(dialog->GetCloseButton(), Qt::LeftButton); });
        QCOMPARE(dialog->exec(), 0);
        delete dialog;
    }

    void deviceLossReachesHandlerOnGuiThread()
    {
        auto* dialog = new EntryDialog;
        int handledRightAfterThread = -1;
        QTimer::singleShot(0, dialog, [&] {
            loseDeviceFromOtherThread(dialog);
            handledRightAfterThread = dialog->handled;   // queued, not yet run
        });
        QCOMPARE(dialog->exec(), 0);   // the entry dialog closed itself
        QCOMPARE(handledRightAfterThread, 0);
        QCOMPARE(dialog->handled, 1);
        QCOMPARE(dialog->handledOn, QCoreApplication::instance()->thread());
        delete dialog;
    }

    void deviceLossLeavesPlainDialogAlone()
    {
        auto* dialog = new PlainDialog;
        bool open = false;
        QTimer::singleShot(0, dialog, [&] {
            loseDeviceFromOtherThread(dialog);
            QCoreApplication::processEvents();
            open = dialog->isVisible();
            dialog->accept();
        });
        QCOMPARE(dialog->exec(), 1);
        QVERIFY(open);
        delete dialog;
    }

    void lossAfterDestructionIsDropped()
    {
        auto* dialog = new EntryDialog;
        loseDeviceFromOtherThread(dialog);
        delete dialog;
        QCoreApplication::processEvents();   // must not reach the deleted dialog
        QVERIFY(!g_presenter.IsModalState());
    }

    void inputSourceChangeIsForwarded()
    {
        PlainDialog dialog;
        QSignalSpy spy(&dialog, &QCustomDialog::inputSourceChanged);
        dialog.OnInputSourceChanged(0x20);
        QCOMPARE(spy.count(), 1);
    }

    void modalStateFollowsLifetime()
    {
        QVERIFY(!g_presenter.IsModalState());
        auto* dialog = new PlainDialog;
        QVERIFY(g_presenter.IsModalState());
        dialog->show();
        dialog->hide();
        QVERIFY(g_presenter.IsModalState());   // hidden but alive
        delete dialog;
        QVERIFY(!g_presenter.IsModalState());
    }

    void dragHitAreaAndOffsets()
    {
        PlainDialog dialog;
        dialog.show();
        dialog.move(300, 200);
        for (int y = 0; y <= 5; ++y) {
            QTest::mousePress(&dialog, Qt::LeftButton, {}, QPoint(40, y));
            QVERIFY2(!dialog.IsDragging(), qPrintable(QString("y=%1").arg(y)));
            QTest::mouseRelease(&dialog, Qt::LeftButton, {}, QPoint(40, y));
        }
        for (int y : {6, 20, 37}) {
            QTest::mousePress(&dialog, Qt::LeftButton, {}, QPoint(40, y));
            QVERIFY2(dialog.IsDragging(), qPrintable(QString("y=%1").arg(y)));
            QTest::mouseRelease(&dialog, Qt::LeftButton, {}, QPoint(40, y));
        }
        QTest::mousePress(&dialog, Qt::LeftButton, {}, QPoint(40, 38));
        QVERIFY(!dialog.IsDragging());

        // A right press neither starts nor ends a drag.
        QTest::mousePress(&dialog, Qt::RightButton, {}, QPoint(40, 10));
        QVERIFY(!dialog.IsDragging());
        QTest::mousePress(&dialog, Qt::LeftButton, {}, QPoint(40, 10));
        QTest::mousePress(&dialog, Qt::RightButton, {}, QPoint(40, 100));
        QTest::mouseRelease(&dialog, Qt::RightButton, {}, QPoint(40, 100));
        QVERIFY(dialog.IsDragging());

        // Press at dialog point (40, 10): the corner lands at (gx - 40, gy - 10 - 20).
        const QPoint target(700, 500);
        sendMove(&dialog, target);
        QCOMPARE(dialog.pos(), QPoint(700 - 40, 500 - 10 - QCustomDialog::kDragLiftY));
        QTest::mouseRelease(&dialog, Qt::LeftButton, {}, QPoint(40, 10));
        QVERIFY(!dialog.IsDragging());
        const QPoint parked = dialog.pos();
        sendMove(&dialog, QPoint(100, 100));
        QCOMPARE(dialog.pos(), parked);
    }

    void centresOnEveryShow()
    {
        QWidget mainWindow;
        mainWindow.setGeometry(120, 60, 592, 720);
        mainWindow.show();
        g_focusManager.SetMainFocusWid(&mainWindow);
        PlainDialog dialog;
        dialog.show();
        const QPoint centred(mainWindow.x() + (592 - 300) / 2, mainWindow.y() + (mainWindow.height() - 200) / 2);
        QCOMPARE(dialog.pos(), centred);
        dialog.move(0, 0);   // dragged away
        dialog.hide();
        dialog.show();
        QCOMPARE(dialog.pos(), centred);
        dialog.move(3, 3);
        dialog.OnDpiChanged(2);
        QCOMPARE(dialog.pos(), centred);
    }

    void centresWithoutMainWindow()
    {
        QWidget parent;
        parent.setGeometry(200, 100, 500, 401);
        parent.show();
        PlainDialog child(&parent);
        child.show();
        QCOMPARE(child.pos(), QPoint(parent.x() + 100, parent.y() + (parent.height() - 200) / 2));

        PlainDialog lonely;
        lonely.show();
        const QRect area = lonely.screen()->availableGeometry();
        QCOMPARE(lonely.pos(), QPoint(area.x() + (area.width() - 300) / 2, area.y() + (area.height() - 200) / 2));
    }

    // A dialog of a fixed size grows to hold its whole content, before it shows and
    // while it is shown, within the screen (one that fits keeps its size: above).
    void growsToHoldItsContent()
    {
        QCustomDialog dialog(nullptr, true, false);
        auto* text = new QLabel("A version line far wider than the dialog that shows it");
        dialog.SetMainWindow(text, QString());
        dialog.setFixedSize(300, 120);
        dialog.show();
        QVERIFY(dialog.width() > 300 && text->width() >= text->sizeHint().width());
        text->setWordWrap(true);
        text->setText(QString("A long text that wraps into many lines. ").repeated(8));
        QTRY_VERIFY(dialog.height() > 120 && text->height() >= text->heightForWidth(text->width()));
        QVERIFY(dialog.screen()->availableGeometry().contains(dialog.frameGeometry()));
    }

    void imagesExist()
    {
        for (const char* name : {"close", "min", "logo2", "msg_warning"})
            QVERIFY2(QFile::exists(QString(":/Widget/") + name), name);
        PlainDialog dialog(nullptr, true, true);
        QCOMPARE(dialog.GetCloseButton()->size(), QPixmap(":/Widget/close").size());
        QCOMPARE(dialog.GetMinimizeButton()->size(), QPixmap(":/Widget/min").size());
    }

    void screenshots()
    {
        QFile qss(":/lumivandrexutility.qss");
        if (qss.open(QIODevice::ReadOnly))
            qApp->setStyleSheet(QString::fromUtf8(qss.readAll()));
        PlainDialog text;
        text.show();
        QVERIFY(lvtest::saveScreenshot(&text, "dialog_default_titlebar"));
        PlainDialog withMin(nullptr, true, true);
        withMin.show();
        QVERIFY(lvtest::saveScreenshot(&withMin, "dialog_default_titlebar_minimize"));
        PlainDialog logo(nullptr, false, false);
        logo.setFixedSize(300, 260);
        logo.show();
        QVERIFY(lvtest::saveScreenshot(&logo, "dialog_logo_titlebar"));
        qApp->setStyleSheet(QString());
    }
};

QTEST_MAIN(TestQCustomDialog)
#include "tst_qcustomdialog.moc"
