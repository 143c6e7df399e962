// The frameless hint and the minimise helper, found through native window ids.

#include "platform/windowhelpers.h"

#include <QDialog>
#include <QPushButton>
#include <QtTest>

class TestWindowHelpers : public QObject
{
    Q_OBJECT
private slots:
    void hiddenWindowBecomesFrameless();
    void visibleWindowStaysVisible();
    void childIdMeansItsWindow();
    void unknownIdsAreIgnored();
    void minimises();
};

void TestWindowHelpers::hiddenWindowBecomesFrameless()
{
    QDialog dialog;
    dialog.setWindowFlags(Qt::WindowFlags(0xE000) | Qt::Dialog);
    setMacWindowFlags(dialog.winId());
    QVERIFY(dialog.windowFlags().testFlag(Qt::FramelessWindowHint));
    // The flags set before stay.
    QVERIFY(dialog.windowFlags().testFlag(Qt::WindowSystemMenuHint));
    QVERIFY(dialog.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!dialog.isVisible());
}

void TestWindowHelpers::visibleWindowStaysVisible()
{
    QWidget window;
    window.resize(120, 80);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    setMacWindowFlags(window.winId());
    QVERIFY(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(window.isVisible());
    // Asking twice changes nothing more.
    const WId id = window.winId();
    setMacWindowFlags(id);
    QCOMPARE(window.winId(), id);
}

void TestWindowHelpers::childIdMeansItsWindow()
{
    QWidget window;
    auto* button = new QPushButton(QStringLiteral("x"), &window);
    const WId childId = button->winId(); // makes the child native
    setMacWindowFlags(childId);
    QVERIFY(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(!button->windowFlags().testFlag(Qt::FramelessWindowHint));
}

void TestWindowHelpers::unknownIdsAreIgnored()
{
    QWidget window;
    const WId id = window.winId();
    setMacWindowFlags(0);
    setMacWindowFlags(id + 0x100000);
    showMacWindowMinized(0);
    showMacWindowMinized(id + 0x100000);
    QVERIFY(!window.windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(!window.isMinimized());
}

void TestWindowHelpers::minimises()
{
    QWidget window;
    window.resize(120, 80);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    showMacWindowMinized(window.winId());
    QVERIFY(window.isMinimized());
    QVERIFY(window.windowState().testFlag(Qt::WindowMinimized));
}

QTEST_MAIN(TestWindowHelpers)
#include "tst_windowhelpers.moc"
