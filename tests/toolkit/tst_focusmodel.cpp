// Keyboard focus model: page focus lists with groups, a tab stack, hidden and
// disabled controls; Tab/Backtab walks, arrow keys, wrap-around, group bounds, and
// that every walk ends.

#include "toolkit/cfocusmanager.h"
#include "toolkit/qcellwidget.h"
#include "toolkit/qtablewid.h"
#include "toolkit/wcheckbox.h"
#include "toolkit/wcombobox.h"
#include "toolkit/wpagebase.h"
#include "toolkit/wpushbutton.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

namespace {

// A page like the program's tab pages: QWidget first, WPageBase second.
class TestPage : public QWidget, public WPageBase {
public:
    explicit TestPage(QWidget* parent = nullptr)
        : QWidget(parent)
    {
        new QVBoxLayout(this);
    }
    ~TestPage() override { ClearTabList(); }

    template <class T>
    T* add(T* w, const QString& name)
    {
        w->setObjectName(name);
        layout()->addWidget(w);
        return w;
    }
};

// The page used by the walk table:
//   btnA | chk1 chk2 chk3 (group) | stack: tab0 [p0a p0b] tab1 [p1a] tab2 [] |
//   cb1 cb2 (group) | btnZ
struct Fixture {
    TestPage page;
    QWrapperStack* stack = nullptr;
    QMap<QString, QWidget*> w;

    Fixture()
    {
        auto* btnA = page.add(new WPushButton(QStringLiteral("A")), QStringLiteral("btnA"));
        auto* chk1 = page.add(new WCheckBox(QStringLiteral("1")), QStringLiteral("chk1"));
        auto* chk2 = page.add(new WCheckBox(QStringLiteral("2")), QStringLiteral("chk2"));
        auto* chk3 = page.add(new WCheckBox(QStringLiteral("3")), QStringLiteral("chk3"));
        stack = page.add(new QWrapperStack, QStringLiteral("stack"));
        auto* page0 = new QWidget;
        auto* page1 = new QWidget;
        auto* page2 = new QWidget;
        auto* p0a = new WPushButton(QStringLiteral("p0a"), page0);
        auto* p0b = new WPushButton(QStringLiteral("p0b"), page0);
        p0a->setObjectName(QStringLiteral("p0a"));
        p0b->setObjectName(QStringLiteral("p0b"));
        auto* l0 = new QVBoxLayout(page0);
        l0->addWidget(p0a);
        l0->addWidget(p0b);
        auto* p1a = new WComboBox(page1);
        p1a->setObjectName(QStringLiteral("p1a"));
        (new QVBoxLayout(page1))->addWidget(p1a);
        stack->AddSubWidget(page0, QStringLiteral("Zero"), true, false);
        stack->AddSubWidget(page1, QStringLiteral("One"), false, false);
        stack->AddSubWidget(page2, QStringLiteral("Two"), false, true);
        stack->SetMainWidget();
        auto* cb1 = page.add(new WComboBox, QStringLiteral("cb1"));
        auto* cb2 = page.add(new WComboBox, QStringLiteral("cb2"));
        for (WComboBox* cb : {cb1, cb2, p1a})
            cb->addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
        auto* btnZ = page.add(new WPushButton(QStringLiteral("Z")), QStringLiteral("btnZ"));

        page.ClearTabList();
        page.AddFocusControl(btnA);
        page.AddFocusControl(chk1, KEY_GROUP_FIRST);
        page.AddFocusControl(chk2, KEY_GROUP_MIDDLE);
        page.AddFocusControl(chk3, KEY_GROUP_LAST);
        page.AddStackTabButton(stack, 0);
        page.AddFocusControl(p0a, KEY_GROUP_NONE, stack, true);
        page.AddFocusControl(p0b, KEY_GROUP_NONE, stack, true);
        page.AddStackTabButton(stack, 1);
        page.AddFocusControl(p1a, KEY_GROUP_NONE, stack, true);
        page.AddStackTabButton(stack, 2);
        page.AddFocusControl(cb1, KEY_GROUP_FIRST);
        page.AddFocusControl(cb2, KEY_GROUP_LAST);
        page.AddFocusControl(btnZ);

        for (QWidget* c : page.findChildren<QWidget*>())
            if (!c->objectName().isEmpty() && !c->objectName().startsWith(QLatin1String("btn_tab")))
                w.insert(c->objectName(), c);
        for (int i = 0; i < 3; ++i)
            w.insert(QStringLiteral("tab%1").arg(i), stack->GetStackTabBtn(i));

        page.resize(300, 600);
        page.show();
        QApplication::setActiveWindow(&page);
    }

    // Puts the focus on a control the way a click or Tab would.
    void focus(const QString& name)
    {
        QWidget* target = w.value(name);
        QVERIFY2(target, qPrintable(name));
        target->setFocus(Qt::OtherFocusReason);
        QCOMPARE(QApplication::focusWidget(), target);
        QVERIFY(page.GetCurProperty());
        QCOMPARE(page.GetCurProperty()->pWidget, target);
    }

    QString focused() const
    {
        QWidget* f = QApplication::focusWidget();
        if (!f)
            return QStringLiteral("<none>");
        for (auto it = w.begin(); it != w.end(); ++it)
            if (it.value() == f)
                return it.key();
        return f->objectName().isEmpty() ? QStringLiteral("<unnamed>") : f->objectName();
    }
};

} // namespace

class TestFocusModel : public QObject {
    Q_OBJECT
private slots:
    void init() { g_focusManager.SetActive(false); }

    void firstEntryLinksToItself()
    {
        TestPage page;
        WPushButton button(&page);
        KEY_PROPERTY p;
        button.GetDefaultProperty(&p);
        QCOMPARE(p.pWidget, static_cast<QWidget*>(&button));
        QCOMPARE(p.bTable, quint8(0));
        p.pPage = &page;
        page.AddToTabList(&p);
        KEY_PROPERTY* e = page.GetHeadProperty();
        QVERIFY(e && e != &p);  // a copy owned by the list
        QCOMPARE(page.GetLastProperty(), e);
        QCOMPARE(page.GetCurProperty(), e);
        QCOMPARE(e->pNext, e);
        QCOMPARE(e->pPre, e);
        // A second entry leaves current where it was and closes the circle.
        WPushButton other(&page);
        KEY_PROPERTY q;
        other.GetDefaultProperty(&q);
        page.AddToTabList(&q);
        QCOMPARE(page.GetCurProperty(), e);
        QCOMPARE(e->pNext, page.GetLastProperty());
        QCOMPARE(page.GetLastProperty()->pNext, e);
        QCOMPARE(e->pPre, page.GetLastProperty());
        page.AddToTabList(nullptr);
        QCOMPARE(page.GetTabListCount(), 2);
        page.ClearTabList();
        QVERIFY(!page.GetHeadProperty() && !page.GetLastProperty() && !page.GetCurProperty());
        QVERIFY(!page.FocusNextAvailable());
        QVERIFY(!page.FocusPreAvailable());
        QVERIFY(!page.FocusFirstAvailable());
        QVERIFY(!page.GetLastAvailable());
        QVERIFY(!page.focusNextProperty());
        QVERIFY(!page.isValid(nullptr));
    }

    void tableFlags()
    {
        QTableWid table(1, 1);
        KEY_PROPERTY p;
        p.nGroupPos = 3;  // fields the trio does not own stay as the caller left them
        table.GetDefaultProperty(&p);
        QCOMPARE(p.bTable, quint8(1));
        QCOMPARE(p.bTable2, quint8(1));
        QCOMPARE(p.nGroupPos, quint32(3));
        WCheckBox box;
        QVERIFY(box.GetProperty()->pPage == nullptr);
        QCOMPARE(box.GetProperty()->nGroupPos, quint32(0));
    }

    void walks_data()
    {
        QTest::addColumn<int>("stackIndex");
        QTest::addColumn<QStringList>("disabled");
        QTest::addColumn<QStringList>("hidden");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("expected");
        const QStringList none;
        auto row = [](const char* name) -> QTestData& { return QTest::newRow(name); };
        row("tab into group") << 0 << none << none << "btnA" << "tab" << "chk1";
        row("tab into stack page 0") << 0 << none << none << "chk3" << "tab" << "tab0";
        row("tab into stack page 1") << 1 << none << none << "chk3" << "tab" << "tab1";
        row("tab into stack page 2") << 2 << none << none << "chk3" << "tab" << "tab2";
        row("tab from tab button into its page") << 0 << none << none << "tab0" << "tab" << "p0a";
        row("tab from tab1 into page 1") << 1 << none << none << "tab1" << "tab" << "p1a";
        row("tab inside page") << 0 << none << none << "p0a" << "tab" << "p0b";
        row("tab leaves stack from page 0") << 0 << none << none << "p0b" << "tab" << "cb1";
        row("tab leaves stack from page 1") << 1 << none << none << "p1a" << "tab" << "cb1";
        row("tab from last tab button, empty page") << 2 << none << none << "tab2" << "tab" << "cb1";
        row("tab from tab0, page controls disabled") << 0 << QStringList{"p0a", "p0b"} << none << "tab0" << "tab" << "cb1";
        row("tab from tab1, page control disabled") << 1 << QStringList{"p1a"} << none << "tab1" << "tab" << "cb1";
        row("tab skips disabled") << 0 << QStringList{"chk1", "chk2"} << none << "btnA" << "tab" << "chk3";
        row("tab skips hidden") << 0 << none << QStringList{"chk1"} << "btnA" << "tab" << "chk2";
        row("tab over a disabled group") << 1 << QStringList{"chk1", "chk2", "chk3"} << none << "btnA" << "tab" << "tab1";
        row("tab wraps") << 0 << none << none << "btnZ" << "tab" << "btnA";
        row("tab wraps over disabled head") << 0 << QStringList{"btnA"} << none << "btnZ" << "tab" << "chk1";
        row("backtab wraps") << 0 << none << none << "btnA" << "backtab" << "btnZ";
        row("backtab enters page 0 from its end") << 0 << none << none << "cb1" << "backtab" << "p0b";
        row("backtab enters page 1 from its end") << 1 << none << none << "cb1" << "backtab" << "p1a";
        row("backtab onto last tab button") << 2 << none << none << "cb1" << "backtab" << "tab2";
        row("backtab, last control hidden") << 0 << none << QStringList{"p0b"} << "cb1" << "backtab" << "p0a";
        row("backtab, page controls disabled") << 0 << QStringList{"p0a", "p0b"} << none << "cb1" << "backtab" << "tab0";
        row("backtab leaves stack from tab1") << 1 << none << none << "tab1" << "backtab" << "chk3";
        row("backtab leaves stack from tab2") << 2 << none << none << "tab2" << "backtab" << "chk3";
        row("backtab from page to its tab button") << 0 << none << none << "p0a" << "backtab" << "tab0";
        row("backtab inside page") << 0 << none << none << "p0b" << "backtab" << "p0a";
        row("first available") << 0 << none << none << "btnZ" << "first" << "btnA";
        row("first available skips disabled") << 2 << QStringList{"btnA", "chk1", "chk2", "chk3"} << none << "btnZ" << "first" << "tab2";
        row("last available") << 0 << none << none << "btnA" << "last" << "btnZ";
        row("last available skips hidden") << 0 << none << QStringList{"btnZ", "cb2"} << "btnA" << "last" << "cb1";
        row("arrow down wraps group") << 0 << none << none << "chk3" << "down" << "chk1";
        row("arrow up wraps group") << 0 << none << none << "chk1" << "up" << "chk3";
        row("arrow up wraps over disabled first") << 0 << QStringList{"chk1"} << none << "chk2" << "up" << "chk3";
        row("arrow right on tab0") << 0 << none << none << "tab0" << "right" << "tab1";
        row("arrow left on tab2") << 2 << none << none << "tab2" << "left" << "tab1";
        row("arrow right on last tab: no wrap") << 2 << none << none << "tab2" << "right" << "tab2";
        row("arrow left on first tab: no wrap") << 0 << none << none << "tab0" << "left" << "tab0";
        row("arrow on ungrouped button: nothing") << 0 << none << none << "btnA" << "right" << "btnA";
        row("arrow on ungrouped page button: nothing") << 0 << none << none << "p0a" << "down" << "p0a";
        row("combo arrow keeps focus") << 0 << none << none << "cb1" << "down" << "cb1";
    }

    void walks()
    {
        QFETCH(int, stackIndex);
        QFETCH(QStringList, disabled);
        QFETCH(QStringList, hidden);
        QFETCH(QString, start);
        QFETCH(QString, action);
        QFETCH(QString, expected);

        Fixture f;
        QVERIFY(QTest::qWaitForWindowActive(&f.page));
        f.stack->SetCurrentIndex(stackIndex);
        f.focus(start);
        for (const QString& name : disabled)
            f.w.value(name)->setEnabled(false);
        for (const QString& name : hidden)
            f.w.value(name)->hide();

        QElapsedTimer guard;
        guard.start();
        if (action == QLatin1String("tab"))
            QVERIFY(f.page.FocusNextAvailable());
        else if (action == QLatin1String("backtab"))
            QVERIFY(f.page.FocusPreAvailable());
        else if (action == QLatin1String("first"))
            QVERIFY(f.page.FocusFirstAvailable());
        else if (action == QLatin1String("last"))
            QVERIFY(f.page.FocusLastAvailable());
        else {
            const QHash<QString, Qt::Key> keys{{"up", Qt::Key_Up}, {"down", Qt::Key_Down},
                                               {"left", Qt::Key_Left}, {"right", Qt::Key_Right}};
            QTest::keyClick(QApplication::focusWidget(), keys.value(action));
        }
        QVERIFY(guard.elapsed() < 1000);
        QCOMPARE(f.focused(), expected);
        // The page's current entry follows the focus.
        QCOMPARE(f.page.GetCurProperty()->pWidget, f.w.value(expected));
    }

    void arrowOnTabButtonSwitchesPage()
    {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowActive(&f.page));
        QSignalSpy changed(f.stack, &QWrapperStack::sigIndexChanged);
        f.focus(QStringLiteral("tab0"));
        QTest::keyClick(f.w.value("tab0"), Qt::Key_Right);
        QCOMPARE(f.stack->GetCurrentIndex(), 1);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toInt(), 1);
        QVERIFY(f.stack->GetStackTabBtn(1)->isChecked());
        QVERIFY(!f.stack->GetStackTabBtn(0)->isChecked());
        QVERIFY(f.w.value("p1a")->isVisible());
        QVERIFY(!f.w.value("p0a")->isVisible());
        // Then Tab goes into the page now shown.
        QVERIFY(f.page.FocusNextAvailable());
        QCOMPARE(f.focused(), QStringLiteral("p1a"));
    }

    void comboGroupKeys()
    {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowActive(&f.page));
        auto* cb1 = static_cast<WComboBox*>(f.w.value("cb1"));
        f.focus(QStringLiteral("cb1"));
        QTest::keyClick(cb1, Qt::Key_Down);
        QCOMPARE(cb1->currentIndex(), 1);  // two usable members: standard keys
        f.w.value("cb2")->setEnabled(false);
        QTest::keyClick(cb1, Qt::Key_Down);
        QTest::keyClick(cb1, Qt::Key_Up);
        QTest::keyClick(cb1, Qt::Key_C);
        QTest::keyClick(cb1, Qt::Key_Space);
        QCOMPARE(cb1->currentIndex(), 1);  // the only usable member refuses every key
        QVERIFY(!cb1->view()->isVisible());
        QCOMPARE(f.focused(), QStringLiteral("cb1"));
    }

    void checkBoxKeys()
    {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowActive(&f.page));
        auto* chk2 = static_cast<WCheckBox*>(f.w.value("chk2"));
        f.focus(QStringLiteral("chk2"));
        QTest::keyClick(chk2, Qt::Key_Space);
        QVERIFY(chk2->isChecked());
        QTest::keyClick(chk2, Qt::Key_Return);
        QVERIFY(chk2->isChecked());
        // Down on a middle member is the standard move to another control.
        QTest::keyClick(chk2, Qt::Key_Down);
        QVERIFY(QApplication::focusWidget() != chk2);
        // With the other members hidden the group has one usable member: standard keys.
        f.focus(QStringLiteral("chk1"));
        f.w.value("chk2")->hide();
        f.w.value("chk3")->hide();
        KEY_PROPERTY* g = f.page.GetCurProperty();
        QCOMPARE(f.page.GetGroupFirstUsable(g), f.page.GetGroupLastUsable(g));
    }

    void buttonGroupWrap()
    {
        TestPage page;
        auto* b1 = page.add(new WPushButton(QStringLiteral("1")), QStringLiteral("b1"));
        auto* b2 = page.add(new WPushButton(QStringLiteral("2")), QStringLiteral("b2"));
        auto* b3 = page.add(new WPushButton(QStringLiteral("3")), QStringLiteral("b3"));
        auto* single = page.add(new WPushButton(QStringLiteral("s")), QStringLiteral("single"));
        page.AddFocusControl(b1, KEY_GROUP_FIRST);
        page.AddFocusControl(b2, KEY_GROUP_MIDDLE);
        page.AddFocusControl(b3, KEY_GROUP_LAST);
        page.AddFocusControl(single, KEY_GROUP_SINGLE);
        page.show();
        QApplication::setActiveWindow(&page);
        QVERIFY(QTest::qWaitForWindowActive(&page));
        b3->setEnabled(false);
        b2->setFocus();
        QTest::keyClick(b2, Qt::Key_Right);
        QCOMPARE(QApplication::focusWidget(), b1);
        QTest::keyClick(b1, Qt::Key_Left);
        QCOMPARE(QApplication::focusWidget(), b2);
        // One usable member: every arrow key is consumed.
        b1->setEnabled(false);
        for (Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down}) {
            QTest::keyClick(b2, key);
            QCOMPARE(QApplication::focusWidget(), b2);
        }
        // A group of one never walks into its neighbours.
        single->setFocus();
        QTest::keyClick(single, Qt::Key_Left);
        QCOMPARE(QApplication::focusWidget(), single);
    }

    void focusInReportsOnlyListedUsableControls()
    {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowActive(&f.page));
        f.focus(QStringLiteral("btnA"));
        KEY_PROPERTY* cur = f.page.GetCurProperty();
        auto* z = static_cast<WPushButton*>(f.w.value("btnZ"));
        z->setEnabled(false);
        f.page.SetCurPropertyForFocusInEv(z->GetProperty());
        QCOMPARE(f.page.GetCurProperty(), cur);
        z->setEnabled(true);
        z->hide();
        f.page.SetCurPropertyForFocusInEv(z->GetProperty());
        QCOMPARE(f.page.GetCurProperty(), cur);
        WPushButton unlisted(&f.page);
        unlisted.show();
        KEY_PROPERTY p;
        unlisted.GetDefaultProperty(&p);
        f.page.SetCurPropertyForFocusInEv(&p);
        QCOMPARE(f.page.GetCurProperty(), cur);
        // An unlisted control ignores focus-in entirely (no owner page).
        WCheckBox box(&f.page);
        box.show();
        box.setFocus();
        QCOMPARE(f.page.GetCurProperty(), cur);
        // SetCurProperty with an entry that cannot take the focus changes nothing.
        z->show();
        z->setEnabled(false);
        KEY_PROPERTY* last = f.page.GetLastProperty();
        f.page.SetCurProperty(last);
        QCOMPARE(f.page.GetCurProperty(), cur);
        z->setEnabled(true);
        f.page.SetCurProperty(last);
        QCOMPARE(f.page.GetCurProperty(), last);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(z));
    }

    void stackJumpAtListStart()
    {
        // A list that begins with a stack showing page 2: the third tab button.
        TestPage page;
        auto* stack = page.add(new QWrapperStack, QStringLiteral("stack"));
        for (int i = 0; i < 3; ++i)
            stack->AddSubWidget(new QWidget, QStringLiteral("T%1").arg(i), i == 0, i == 2);
        stack->SetMainWidget();
        auto* after = page.add(new WPushButton(QStringLiteral("after")), QStringLiteral("after"));
        for (int i = 0; i < 3; ++i)
            page.AddStackTabButton(stack, i);
        page.AddFocusControl(after);
        page.show();
        stack->SetCurrentIndex(2);
        QCOMPARE(page.GetFirstAvailable()->pWidget, static_cast<QWidget*>(stack->GetStackTabBtn(2)));
        QCOMPARE(page.GetHeadProperty()->nGroupPos, quint32(KEY_GROUP_FIRST));
        QCOMPARE(page.GetHeadProperty()->pNext->nGroupPos, quint32(KEY_GROUP_MIDDLE));
        QCOMPARE(page.GetHeadProperty()->pNext->pNext->nGroupPos, quint32(KEY_GROUP_LAST));
        QCOMPARE(page.GetHeadProperty()->nKind, quint32(KEY_KIND_TAB_BUTTON));
        QCOMPARE(page.GetHeadProperty()->pStack, stack);
    }

    void lastAvailableOfTrailingStacks()
    {
        // Nine tab buttons without page controls at the end of the list.
        TestPage page;
        auto* before = page.add(new WPushButton(QStringLiteral("b")), QStringLiteral("before"));
        auto* stack = page.add(new QWrapperStack, QStringLiteral("stack"));
        for (int i = 0; i < 9; ++i)
            stack->AddSubWidget(new QWidget, QStringLiteral("T%1").arg(i), i == 0, i == 8);
        stack->SetMainWidget();
        page.AddFocusControl(before);
        for (int i = 0; i < 9; ++i)
            page.AddStackTabButton(stack, i);
        page.show();
        stack->SetCurrentIndex(3);
        QCOMPARE(page.GetLastAvailable()->pWidget, static_cast<QWidget*>(stack->GetStackTabBtn(3)));
        stack->SetCurrentIndex(8);
        QCOMPARE(page.GetLastAvailable()->pWidget, static_cast<QWidget*>(stack->GetStackTabBtn(8)));

        // Two pages, page 0 shown with four buttons: its fourth button.
        TestPage page2;
        auto* stack2 = page2.add(new QWrapperStack, QStringLiteral("stack2"));
        auto* p0 = new QWidget;
        auto* l0 = new QVBoxLayout(p0);
        QVector<WPushButton*> buttons;
        for (int i = 0; i < 4; ++i) {
            buttons << new WPushButton(QString::number(i), p0);
            l0->addWidget(buttons.last());
        }
        auto* p1 = new QWidget;
        auto* p1button = new WPushButton(QStringLiteral("x"), p1);
        (new QVBoxLayout(p1))->addWidget(p1button);
        stack2->AddSubWidget(p0, QStringLiteral("A"), true, false);
        stack2->AddSubWidget(p1, QStringLiteral("B"), false, true);
        stack2->SetMainWidget();
        page2.AddStackTabButton(stack2, 0);
        for (WPushButton* b : buttons)
            page2.AddFocusControl(b, KEY_GROUP_NONE, stack2, true);
        page2.AddStackTabButton(stack2, 1);
        page2.AddFocusControl(p1button, KEY_GROUP_NONE, stack2, true);
        page2.show();
        QCOMPARE(page2.GetLastAvailable()->pWidget, static_cast<QWidget*>(buttons.at(3)));
    }

    void tabFromStackPageIntoSecondStack()
    {
        TestPage page;
        QVector<QWrapperStack*> stacks;
        QVector<WPushButton*> firstPageButtons;
        for (int s = 0; s < 2; ++s) {
            auto* stack = page.add(new QWrapperStack, QStringLiteral("stack%1").arg(s));
            for (int i = 0; i < 2; ++i) {
                auto* p = new QWidget;
                auto* b = new WPushButton(QStringLiteral("s%1p%2").arg(s).arg(i), p);
                (new QVBoxLayout(p))->addWidget(b);
                if (s == 0)
                    firstPageButtons << b;
                stack->AddSubWidget(p, QStringLiteral("T%1").arg(i), i == 0, i == 1);
            }
            stack->SetMainWidget();
            stacks << stack;
        }
        for (QWrapperStack* stack : stacks) {
            for (int i = 0; i < 2; ++i) {
                page.AddStackTabButton(stack, i);
                auto* b = stack->GetStackTabWid(i)->findChild<WPushButton*>();
                page.AddFocusControl(b, KEY_GROUP_NONE, stack, true);
            }
        }
        page.show();
        QApplication::setActiveWindow(&page);
        QVERIFY(QTest::qWaitForWindowActive(&page));
        stacks[1]->SetCurrentIndex(1);
        firstPageButtons[0]->setFocus();
        QVERIFY(page.FocusNextAvailable());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(stacks[1]->GetStackTabBtn(1)));
        // Backtab from any tab button leaves the stack for the stop before it.
        QVERIFY(page.FocusPreAvailable());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(firstPageButtons[0]));
    }

    void tableNeedsContent()
    {
        TestPage page;
        auto* before = page.add(new WPushButton(QStringLiteral("b")), QStringLiteral("before"));
        auto* table = page.add(new QTableWid(2, 1), QStringLiteral("table"));
        auto* label = new QLabel;
        table->setCellWidget(0, 0, label);
        auto* after = page.add(new WPushButton(QStringLiteral("a")), QStringLiteral("after"));
        page.AddFocusControl(before);
        page.AddFocusControl(table);
        page.AddFocusControl(after);
        page.show();
        QApplication::setActiveWindow(&page);
        QVERIFY(QTest::qWaitForWindowActive(&page));
        QSignalSpy cell(table, &QTableWid::sigKeyNextCell);

        before->setFocus();
        QVERIFY(page.FocusNextAvailable());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(after));  // empty label: skipped
        QVERIFY(page.FocusPreAvailable());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(before));
        QCOMPARE(cell.count(), 0);

        label->setText(QStringLiteral("row 0"));
        QVERIFY(page.FocusNextAvailable());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(table));
        QCOMPARE(cell.count(), 1);
        QCOMPARE(cell.at(0).at(0).toInt(), 0);
        QCOMPARE(cell.at(0).at(1).toInt(), 0);
        QCOMPARE(table->currentRow(), 0);
        QVERIFY(page.FocusNextAvailable());
        QVERIFY(page.FocusPreAvailable());
        QCOMPARE(cell.count(), 2);

        // A list cell counts by its own validity.
        auto* cellWidget = new QCellWidget(false, false, nullptr);
        table->setCellWidget(0, 0, cellWidget);
        cellWidget->ReSetCellWidget();
        before->setFocus();
        QVERIFY(page.FocusNextAvailable());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(after));
        cellWidget->InitCellWidget(QStringLiteral("text"), false, true);
        before->setFocus();
        QVERIFY(page.FocusNextAvailable());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(table));
        QVERIFY(page.FocusFirstAvailable());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(before));
        table->removeCellWidget(0, 0);
        QVERIFY(!page.isValid(page.GetHeadProperty()->pNext));  // no widget, no content
    }

    void everyWalkEndsOnHiddenPage()
    {
        // All controls hidden: nothing valid. Every walk must end and leave the
        // focus where it is.
        Fixture f;
        QVERIFY(QTest::qWaitForWindowActive(&f.page));
        f.focus(QStringLiteral("p0a"));
        for (QWidget* w : f.w)
            if (w != f.stack)
                w->setEnabled(false);
        QElapsedTimer guard;
        guard.start();
        QVERIFY(!f.page.GetFirstAvailable());
        QVERIFY(!f.page.GetLastAvailable());
        QVERIFY(!f.page.FocusFirstAvailable());
        QVERIFY(!f.page.FocusLastAvailable());
        QVERIFY(!f.page.FocusNextAvailable());
        QVERIFY(!f.page.FocusPreAvailable());
        KEY_PROPERTY* cur = f.page.GetCurProperty();
        QVERIFY(cur);
        QVERIFY(f.page.GetGroupFirstUsable(cur));
        QVERIFY(f.page.GetGroupLastUsable(cur));
        QVERIFY(guard.elapsed() < 1000);
    }

    void walksEndOnBrokenLists()
    {
        // Lists that break the ordering rules (a stack without its last tab button, a
        // group without its last member) still end every walk.
        TestPage page;
        auto* stack = page.add(new QWrapperStack, QStringLiteral("stack"));
        auto* p0 = new QWidget;
        auto* inner = new WPushButton(QStringLiteral("in"), p0);
        (new QVBoxLayout(p0))->addWidget(inner);
        stack->AddSubWidget(p0, QStringLiteral("T0"), true, false);
        stack->AddSubWidget(new QWidget, QStringLiteral("T1"), false, true);
        stack->SetMainWidget();
        auto* g1 = page.add(new WCheckBox(QStringLiteral("g")), QStringLiteral("g1"));
        page.AddStackTabButton(stack, 0);  // tab button 1 never listed
        page.AddFocusControl(inner, KEY_GROUP_NONE, stack, true);
        page.AddFocusControl(g1, KEY_GROUP_MIDDLE);  // a group without first and last
        page.show();
        QApplication::setActiveWindow(&page);
        QVERIFY(QTest::qWaitForWindowActive(&page));
        QElapsedTimer guard;
        guard.start();
        inner->setFocus();
        page.FocusNextAvailable();
        page.FocusNextAvailable();
        page.FocusPreAvailable();
        page.FocusPreAvailable();
        g1->setFocus();
        QTest::keyClick(g1, Qt::Key_Down);
        QTest::keyClick(g1, Qt::Key_Up);
        stack->SetCurrentIndex(1);
        page.GetFirstAvailable();
        page.GetLastAvailable();
        QVERIFY(guard.elapsed() < 1000);
    }

    void clearingStackLeavesNoDanglingEntries()
    {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowActive(&f.page));
        f.focus(QStringLiteral("tab1"));
        const int before = f.page.GetTabListCount();
        f.stack->Clear();
        QCOMPARE(f.stack->GetStackCount(), 0);
        QCOMPARE(f.stack->GetCurrentIndex(), -1);
        QCOMPARE(f.page.GetTabListCount(), before - 3);
        // No entry points at a deleted tab button; current moved to a live entry.
        KEY_PROPERTY* e = f.page.GetHeadProperty();
        for (int i = 0; i < f.page.GetTabListCount(); ++i, e = e->pNext)
            QVERIFY(e->nKind != KEY_KIND_TAB_BUTTON);
        QVERIFY(f.page.GetCurProperty());
        QCOMPARE(f.page.GetCurProperty()->pWidget, f.w.value("p1a"));
        // The old pages survive and can be added again.
        QWidget* page0 = f.w.value("p0a")->parentWidget();
        QVERIFY(page0);
        f.stack->AddSubWidget(page0, QStringLiteral("Zero"), true, true);
        f.stack->SetCurrentIndex(0);
        QCOMPARE(f.stack->GetCurrentIndex(), 0);
        QVERIFY(f.stack->GetStackTabBtn(0)->isChecked());
        QCOMPARE(f.stack->GetStackTabBtn(0)->objectName(), QStringLiteral("btn_tab_only"));
        f.focus(QStringLiteral("btnA"));
        QElapsedTimer guard;
        guard.start();
        for (int i = 0; i < 12; ++i)
            QVERIFY(f.page.FocusNextAvailable());
        QVERIFY(guard.elapsed() < 1000);
    }

    void disablingFocusedButtonMovesOn()
    {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowActive(&f.page));
        f.focus(QStringLiteral("btnA"));
        static_cast<WPushButton*>(f.w.value("btnA"))->SetEnabled(false);
        QVERIFY(!f.w.value("btnA")->isEnabled());
        QCOMPARE(f.focused(), QStringLiteral("chk1"));
    }

    void mouseProperty()
    {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowActive(&f.page));
        f.focus(QStringLiteral("btnZ"));
        g_focusManager.SetActive(true);
        f.focus(QStringLiteral("btnA"));
        QCOMPARE(f.w.value("btnA")->property("mouse").toBool(), false);
        g_focusManager.SetActive(false);
        f.focus(QStringLiteral("btnZ"));
        QCOMPARE(f.w.value("btnZ")->property("mouse").toBool(), true);
    }

    void dialogButtonDefaultFollowsFocus()
    {
        QWidget dialog;
        auto* layout = new QVBoxLayout(&dialog);
        auto* ok = new WPushButton(QStringLiteral("OK"));
        ok->setObjectName(QStringLiteral("btn_dialog"));
        ok->setAutoDefault(true);
        auto* other = new WPushButton(QStringLiteral("Other"));
        other->setAutoDefault(true);
        layout->addWidget(ok);
        layout->addWidget(other);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        ok->setFocus();
        QVERIFY(ok->isDefault());
        other->setFocus();
        QVERIFY(!ok->isDefault());
        QVERIFY(!other->isDefault());
    }

    void rightClickOnTabButton()
    {
        Fixture f;
        QVERIFY(QTest::qWaitForWindowActive(&f.page));
        QSignalSpy changed(f.stack, &QWrapperStack::sigIndexChanged);
        QTest::mouseClick(f.stack->GetStackTabBtn(2), Qt::RightButton);
        QCOMPARE(f.stack->GetCurrentIndex(), 2);
        QCOMPARE(changed.count(), 1);
        QSignalSpy clicked(static_cast<WPushButton*>(f.w.value("btnA")), &QPushButton::clicked);
        QTest::mouseClick(f.w.value("btnA"), Qt::RightButton);
        QCOMPARE(clicked.count(), 0);
        // Pressing the tab of the page already shown emits nothing.
        QTest::mouseClick(f.stack->GetStackTabBtn(2), Qt::LeftButton);
        QCOMPARE(changed.count(), 1);
        QTest::mouseClick(f.stack->GetStackTabBtn(0), Qt::LeftButton);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(f.stack->GetCurrentIndex(), 0);
        QVERIFY(f.stack->GetStackTabBtn(0)->isChecked());
        QVERIFY(!f.stack->GetStackTabBtn(2)->isChecked());
    }

    void stackButtonsByTitle()
    {
        QWrapperStack stack;
        stack.AddSubWidget(new QWidget, QStringLiteral("Capture Device EDID"), true, false);
        stack.AddSubWidget(new QWidget, QStringLiteral("Loop Through Device EDID"), false, true);
        stack.AddSubWidget(nullptr, QStringLiteral("ignored"), false, false);
        stack.SetMainWidget();
        QCOMPARE(stack.GetStackCount(), 2);
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(stack.GetStackTabBtn(i)->minimumWidth(), 190);
            QCOMPARE(stack.GetStackTabBtn(i)->maximumWidth(), 190);
            QCOMPARE(stack.GetStackTabBtn(i)->maximumHeight(), 32);
            QVERIFY(stack.GetStackTabBtn(i)->IsStackBtn());
        }
        QCOMPARE(stack.GetStackTabBtn(0)->objectName(), QStringLiteral("btn_tab_first"));
        QCOMPARE(stack.GetStackTabBtn(1)->objectName(), QStringLiteral("btn_tab_last"));
        QVERIFY(!stack.GetStackTabBtn(2));
        QVERIFY(!stack.GetStackTabBtn(-1));
        QVERIFY(!stack.GetStackTabWid(2));
        QCOMPARE(stack.GetCurrentIndex(), 0);
        stack.SetCurrentIndex(5);  // beyond the pages: ignored
        QCOMPARE(stack.GetCurrentIndex(), 0);

        QWrapperStack widths;
        const QList<QPair<QString, int>> titles{{"Custom GTF/CVT Resolutions", 212}, {"Adjust Timing", 140},
                                                {"AVI", 53}, {"Gamut", 53}, {"Video Signal Status", 152},
                                                {"Frame Rate", 152}, {"Something else", 0}};
        for (int i = 0; i < titles.size(); ++i)
            widths.AddSubWidget(new QWidget, titles[i].first, i == 0, i == titles.size() - 1);
        widths.SetMainWidget();
        for (int i = 0; i < titles.size(); ++i) {
            WPushButton* b = widths.GetStackTabBtn(i);
            if (titles[i].second)
                QCOMPARE(b->minimumWidth(), titles[i].second);
            else
                QCOMPARE(b->maximumWidth(), 188);
        }
        QCOMPARE(widths.GetStackTabBtn(3)->objectName(), QStringLiteral("btn_tab_middle"));
    }

    void focusManager()
    {
        CFocusManager manager;
        QVERIFY(!manager.IsActive());
        manager.SetDefaultFocus();  // nothing set: nothing happens
        QWidget window;
        auto* target = new QPushButton(&window);
        target->setFocusPolicy(Qt::StrongFocus);
        auto* other = new QPushButton(&window);
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        other->setFocus();
        manager.SetDefaultFocus();
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(other));
        manager.SetMainFocusWid(target);
        manager.SetDefaultFocus();
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(target));
        QCOMPARE(manager.GetMainFocusWid(), static_cast<QWidget*>(target));
        manager.SetActive(true);
        QVERIFY(manager.IsActive());
    }
};

QTEST_MAIN(TestFocusModel)
#include "tst_focusmodel.moc"
