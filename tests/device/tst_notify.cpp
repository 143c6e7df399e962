// Listener and dialog registries of the presenter, the pending-change rule and the
// fan-out's behaviour when listeners register or unregister while being called.
// No device is needed: every fan-out here comes from SetUIChanged.

#include <QtTest>

#include <atomic>
#include <functional>
#include <thread>

#include "device/lumivandrexpresenter.h"

// Stand-ins for the toolkit's dialog classes, which this layer cannot include; the
// presenter recognises them by class name only.
class QWrapperMsgBox : public QObject
{
    Q_OBJECT
};
class QCustomDialog : public QObject
{
    Q_OBJECT
};
class WFirmwareDialog : public QCustomDialog   // a subclass counts too
{
    Q_OBJECT
};
class QPlainDialog : public QObject
{
    Q_OBJECT
};

namespace {

struct Recorder : ILumivandrexNotify
{
    Recorder(QString name, QStringList *log) : m_name(std::move(name)), m_log(log) {}
    void OnUIChanged(bool changed) override
    {
        m_log->append(m_name + (changed ? ":1" : ":0"));
        if (onCall)
            onCall();
    }
    QString m_name;
    QStringList *m_log;
    std::function<void()> onCall;
};

} // namespace

class TstNotify : public QObject
{
    Q_OBJECT

private slots:
    void changeTypeOnlyRises_data();
    void changeTypeOnlyRises();
    void setUIChangeTypeResets();
    void fanOutInOrderSkippingNull();
    void duplicateRegistrationAndFirstRemoval();
    void appendDuringFanOutIsReached();
    void removeSelfDuringFanOutSkipsNobody();
    void removeEarlierDuringFanOutCallsNobodyTwice();
    void removeLaterDuringFanOutIsNotCalled();
    void otherThreadWaitsForWalk();
    void dialogsRecognisedByClassName();
    void destroyedDialogIsNotModal();
    void dialogOpensAndClosesInsideFanOut();
};

void TstNotify::changeTypeOnlyRises_data()
{
    QTest::addColumn<QList<int>>("types");
    QTest::addColumn<int>("expected");
    QTest::newRow("0 then 1") << QList<int>{0, 1} << 1;
    QTest::newRow("1 then 2") << QList<int>{1, 2} << 2;
    QTest::newRow("2 then 1") << QList<int>{2, 1} << 2;
    QTest::newRow("1 then 0") << QList<int>{1, 0} << 1;
    QTest::newRow("2 then 0") << QList<int>{2, 0} << 2;
    QTest::newRow("0 0 2 1") << QList<int>{0, 0, 2, 1} << 2;
}

void TstNotify::changeTypeOnlyRises()
{
    QFETCH(QList<int>, types);
    QFETCH(int, expected);
    LumivandrexPresenter presenter;
    for (int type : types)
        presenter.SetUIChanged(true, _UI_CHANGE_TYPE(type));
    QCOMPARE(int(presenter.GetUIChangeType()), expected);
    QVERIFY(presenter.IsUIChanged());
    presenter.SetUIChanged(false, 0);
    QVERIFY(!presenter.IsUIChanged());
    QCOMPARE(int(presenter.GetUIChangeType()), expected);   // clearing the flag keeps the type
}

void TstNotify::setUIChangeTypeResets()
{
    LumivandrexPresenter presenter;
    QStringList log;
    Recorder a("a", &log);
    presenter.AddNotify(&a);
    presenter.SetUIChanged(true, 2);
    presenter.SetUIChangeType(0);
    QCOMPARE(int(presenter.GetUIChangeType()), 0);
    QCOMPARE(log, QStringList{"a:1"});   // SetUIChangeType notifies nobody
    presenter.SetUIChanged(true, 1);
    QCOMPARE(int(presenter.GetUIChangeType()), 1);
}

void TstNotify::fanOutInOrderSkippingNull()
{
    LumivandrexPresenter presenter;
    QStringList log;
    Recorder a("a", &log), b("b", &log), c("c", &log);
    presenter.AddNotify(&a);
    presenter.AddNotify(nullptr);
    presenter.AddNotify(&b);
    presenter.AddNotify(&c);
    presenter.SetUIChanged(true, 0);
    presenter.SetUIChanged(false, 0);
    QCOMPARE(log, (QStringList{"a:1", "b:1", "c:1", "a:0", "b:0", "c:0"}));
}

void TstNotify::duplicateRegistrationAndFirstRemoval()
{
    LumivandrexPresenter presenter;
    QStringList log;
    Recorder a("a", &log), b("b", &log), stranger("stranger", &log);
    presenter.AddNotify(&a);
    presenter.AddNotify(&b);
    presenter.AddNotify(&a);
    presenter.SetUIChanged(true, 0);
    QCOMPARE(log, (QStringList{"a:1", "b:1", "a:1"}));
    log.clear();
    presenter.DeleteNotify(&a);   // removes the first entry only
    presenter.DeleteNotify(&stranger);   // absent: nothing happens
    presenter.SetUIChanged(true, 0);
    QCOMPARE(log, (QStringList{"b:1", "a:1"}));
}

void TstNotify::appendDuringFanOutIsReached()
{
    LumivandrexPresenter presenter;
    QStringList log;
    Recorder a("a", &log), b("b", &log), late("late", &log);
    bool once = true;
    a.onCall = [&] {
        if (once)
            presenter.AddNotify(&late);
        once = false;
    };
    presenter.AddNotify(&a);
    presenter.AddNotify(&b);
    presenter.SetUIChanged(true, 0);
    QCOMPARE(log, (QStringList{"a:1", "b:1", "late:1"}));
}

void TstNotify::removeSelfDuringFanOutSkipsNobody()
{
    LumivandrexPresenter presenter;
    QStringList log;
    Recorder a("a", &log), b("b", &log), c("c", &log);
    b.onCall = [&] { presenter.DeleteNotify(&b); };   // a message box closing itself
    presenter.AddNotify(&a);
    presenter.AddNotify(&b);
    presenter.AddNotify(&c);
    presenter.SetUIChanged(true, 0);
    QCOMPARE(log, (QStringList{"a:1", "b:1", "c:1"}));
    log.clear();
    presenter.SetUIChanged(true, 0);
    QCOMPARE(log, (QStringList{"a:1", "c:1"}));
}

void TstNotify::removeEarlierDuringFanOutCallsNobodyTwice()
{
    LumivandrexPresenter presenter;
    QStringList log;
    Recorder a("a", &log), b("b", &log), c("c", &log), d("d", &log);
    c.onCall = [&] { presenter.DeleteNotify(&a); };
    presenter.AddNotify(&a);
    presenter.AddNotify(&b);
    presenter.AddNotify(&c);
    presenter.AddNotify(&d);
    presenter.SetUIChanged(true, 0);
    QCOMPARE(log, (QStringList{"a:1", "b:1", "c:1", "d:1"}));
}

void TstNotify::removeLaterDuringFanOutIsNotCalled()
{
    LumivandrexPresenter presenter;
    QStringList log;
    Recorder a("a", &log), b("b", &log), c("c", &log);
    a.onCall = [&] { presenter.DeleteNotify(&b); };
    presenter.AddNotify(&a);
    presenter.AddNotify(&b);
    presenter.AddNotify(&c);
    presenter.SetUIChanged(true, 0);
    QCOMPARE(log, (QStringList{"a:1", "c:1"}));
}

void TstNotify::otherThreadWaitsForWalk()
{
    LumivandrexPresenter presenter;
    QStringList log;
    Recorder a("a", &log), other("other", &log);
    std::atomic<bool> added{false};
    std::thread adder;
    bool addedDuringWalk = true;
    bool once = true;
    a.onCall = [&] {
        if (!once)
            return;
        once = false;
        adder = std::thread([&] {
            presenter.AddNotify(&other);
            added = true;
        });
        QThread::msleep(100);
        addedDuringWalk = added.load();
    };
    presenter.AddNotify(&a);
    presenter.SetUIChanged(true, 0);
    adder.join();
    QVERIFY2(!addedDuringWalk, "another thread changed the registry during a walk");
    QVERIFY(added.load());
    // Registered after the walk ended: not called by it, called by the next one.
    QCOMPARE(log, QStringList{"a:1"});
    presenter.SetUIChanged(true, 0);
    QCOMPARE(log, (QStringList{"a:1", "a:1", "other:1"}));
}

void TstNotify::dialogsRecognisedByClassName()
{
    LumivandrexPresenter presenter;
    QPlainDialog plain;
    presenter.AddDialog(&plain);
    QVERIFY(!presenter.IsModalState());
    presenter.AddDialog(nullptr);
    QVERIFY(!presenter.IsModalState());

    QWrapperMsgBox box;
    presenter.AddDialog(&box);
    QVERIFY(presenter.IsModalState());
    presenter.DeleteDialog(&box);
    QVERIFY(!presenter.IsModalState());

    WFirmwareDialog dialog;
    presenter.AddDialog(&dialog);
    QVERIFY(presenter.IsModalState());
    presenter.DeleteDialog(&plain);   // never registered: nothing changes
    QVERIFY(presenter.IsModalState());
    presenter.DeleteDialog(&dialog);
    QVERIFY(!presenter.IsModalState());
}

void TstNotify::destroyedDialogIsNotModal()
{
    LumivandrexPresenter presenter;
    {
        QCustomDialog dialog;
        presenter.AddDialog(&dialog);
        QVERIFY(presenter.IsModalState());
    }   // destroyed without DeleteDialog
    QVERIFY(!presenter.IsModalState());
}

void TstNotify::dialogOpensAndClosesInsideFanOut()
{
    LumivandrexPresenter presenter;
    QStringList log;
    Recorder page("page", &log), after("after", &log);
    bool modalInside = false;
    page.onCall = [&] {
        // A page reacting to a change opens a message box, which registers itself as
        // a dialog and a listener, then closes it again, all inside the walk.
        QWrapperMsgBox box;
        Recorder boxListener("box", &log);
        presenter.AddDialog(&box);
        presenter.AddNotify(&boxListener);
        modalInside = presenter.IsModalState();
        presenter.DeleteNotify(&boxListener);
        presenter.DeleteDialog(&box);
    };
    presenter.AddNotify(&page);
    presenter.AddNotify(&after);
    presenter.SetUIChanged(true, 0);
    QVERIFY(modalInside);
    QVERIFY(!presenter.IsModalState());
    QCOMPARE(log, (QStringList{"page:1", "after:1"}));
}

QTEST_GUILESS_MAIN(TstNotify)
#include "tst_notify.moc"
