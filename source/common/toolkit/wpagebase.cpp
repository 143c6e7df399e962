#include "toolkit/wpagebase.h"

#include "toolkit/wpushbutton.h"

#include <QLabel>
#include <QMetaObject>
#include <QTableWidget>

// ---------------------------------------------------------------------------
// WPageBase
//
// Every walk below steps at most once around the list (m_nCount steps): the
// ordering rules of the list are the page's promise, but a page whose controls are
// all hidden or disabled must never hang the GUI thread.
// ---------------------------------------------------------------------------

WPageBase::WPageBase() = default;

WPageBase::~WPageBase()
{
    // Not virtual dispatch: the list is the base's own, whatever the page did.
    WPageBase::ClearTabList();
}

void WPageBase::InitPage(unsigned int, bool) {}

QString WPageBase::GetExportInfo()
{
    return QString();
}

void WPageBase::AddToTabList(KEY_PROPERTY* p)
{
    if (!p)
        return;
    auto* entry = new KEY_PROPERTY(*p);
    if (!m_pHead) {
        entry->pPre = entry;
        entry->pNext = entry;
        m_pHead = m_pLast = m_pCur = entry;
    } else {
        entry->pPre = m_pLast;
        entry->pNext = m_pHead;
        m_pLast->pNext = entry;
        m_pHead->pPre = entry;
        m_pLast = entry;
    }
    ++m_nCount;
}

void WPageBase::ClearTabList()
{
    KEY_PROPERTY* e = m_pLast;
    for (int i = 0; i < m_nCount && e; ++i) {
        KEY_PROPERTY* pre = e->pPre;
        delete e;
        e = pre;
    }
    m_pHead = m_pLast = m_pCur = nullptr;
    m_nCount = 0;
}

void WPageBase::RemoveFromTabList(QWidget* control)
{
    if (!control || !m_pHead)
        return;
    QVector<KEY_PROPERTY*> kept;
    KEY_PROPERTY* newCur = nullptr;
    bool curRemoved = false;
    KEY_PROPERTY* e = m_pHead;
    for (int i = 0; i < m_nCount; ++i, e = e->pNext) {
        if (e->pWidget == control) {
            if (e == m_pCur)
                curRemoved = true;
        } else {
            kept.append(e);
            if (curRemoved && !newCur)
                newCur = e;  // the entry after the removed current one
        }
    }
    if (kept.size() == m_nCount)
        return;
    // Free the removed entries (walk the old links before relinking).
    e = m_pHead;
    QVector<KEY_PROPERTY*> removed;
    for (int i = 0; i < m_nCount; ++i, e = e->pNext) {
        if (e->pWidget == control)
            removed.append(e);
    }
    qDeleteAll(removed);
    m_nCount = kept.size();
    if (kept.isEmpty()) {
        m_pHead = m_pLast = m_pCur = nullptr;
        return;
    }
    for (int i = 0; i < kept.size(); ++i) {
        kept[i]->pNext = kept[(i + 1) % kept.size()];
        kept[i]->pPre = kept[(i + kept.size() - 1) % kept.size()];
    }
    m_pHead = kept.first();
    m_pLast = kept.last();
    if (curRemoved)
        m_pCur = newCur ? newCur : m_pHead;
}

KEY_PROPERTY* WPageBase::GetCurProperty()
{
    return m_pCur;
}

KEY_PROPERTY* WPageBase::GetHeadProperty()
{
    return m_pHead;
}

KEY_PROPERTY* WPageBase::GetLastProperty()
{
    return m_pLast;
}

void WPageBase::SetCurProperty(KEY_PROPERTY* p)
{
    if (!isValid(p))
        return;
    p->pWidget->setFocus(Qt::TabFocusReason);
    m_pCur = p;
}

void WPageBase::SetCurPropertyForFocusInEv(KEY_PROPERTY* p)
{
    if (!p || !p->pWidget || !IsShownAndEnabled(p->pWidget) || !m_pHead)
        return;
    if (m_pCur && m_pCur->pWidget == p->pWidget)
        return;
    KEY_PROPERTY* e = m_pHead;
    for (int i = 0; i < m_nCount - 1; ++i, e = e->pNext) {
        if (e->pWidget == p->pWidget) {
            m_pCur = e;
            return;
        }
    }
    if (m_pLast->pWidget == p->pWidget)
        m_pCur = m_pLast;
}

bool WPageBase::IsShownAndEnabled(const QWidget* w)
{
    return w && w->isVisible() && w->isEnabled();
}

bool WPageBase::IsTabButton(const KEY_PROPERTY* e) const
{
    return e && e->nKind == KEY_KIND_TAB_BUTTON;
}

bool WPageBase::isValid(KEY_PROPERTY* p)
{
    if (!p || !p->pWidget || !IsShownAndEnabled(p->pWidget))
        return false;
    QWidget* w = p->pWidget;
    if (!w->inherits("QTableWid"))
        return true;
    // A keyboard table is a stop only while it shows content in its first cell.
    auto* table = qobject_cast<QTableWidget*>(w);
    QWidget* cell = table ? table->cellWidget(0, 0) : nullptr;
    if (!cell)
        return false;
    if (cell->inherits("QLabel")) {
        auto* label = qobject_cast<QLabel*>(cell);
        if (label && label->text().isEmpty())
            return false;
    }
    if (cell->inherits("QCellWidget")) {
        bool valid = true;  // a cell widget that cannot tell counts as content
        QMetaObject::invokeMethod(cell, "IsCellWidgetValid", Qt::DirectConnection,
                                  Q_RETURN_ARG(bool, valid));
        return valid;
    }
    return true;
}

void WPageBase::propTableWithContent(KEY_PROPERTY* p)
{
    if (!p || !p->pWidget || !p->pWidget->inherits("QTableWid"))
        return;
    auto* table = qobject_cast<QTableWidget*>(p->pWidget);
    if (!table)
        return;
    table->selectRow(0);
    table->selectColumn(0);
    QMetaObject::invokeMethod(table, "sigKeyNextCell", Qt::DirectConnection, Q_ARG(int, 0),
                              Q_ARG(int, 0));
}

KEY_PROPERTY* WPageBase::focusNextProperty()
{
    if (m_pCur)
        m_pCur = m_pCur->pNext;
    return m_pCur;
}

KEY_PROPERTY* WPageBase::focusPreProperty()
{
    if (m_pCur)
        m_pCur = m_pCur->pPre;
    return m_pCur;
}

void WPageBase::PrintList() {}

KEY_PROPERTY* WPageBase::StackJump(KEY_PROPERTY* e)
{
    if (!IsTabButton(e) || e->nGroupPos == KEY_GROUP_SINGLE || !e->pStack)
        return e;
    const int n = e->pStack->GetCurrentIndex();
    for (int k = 0; k < n; ++k) {
        KEY_PROPERTY* next = e->pNext;
        int steps = 0;
        while (next->bStackPage && steps++ < m_nCount)
            next = next->pNext;
        e = next;
    }
    return e;
}

void WPageBase::FocusEntry(KEY_PROPERTY* e)
{
    if (!e || !e->pWidget)
        return;
    e->pWidget->setFocus(Qt::OtherFocusReason);
    m_pCur = e;
    propTableWithContent(e);
}

KEY_PROPERTY* WPageBase::GetFirstAvailable()
{
    if (!m_pHead)
        return nullptr;
    KEY_PROPERTY* e = m_pHead;
    while (!isValid(e) && e != m_pLast)
        e = e->pNext;
    if (!isValid(e))
        return nullptr;
    if (IsTabButton(e) && e->nGroupPos != KEY_GROUP_SINGLE)
        e = StackJump(e);
    return e;
}

KEY_PROPERTY* WPageBase::GetLastAvailable()
{
    if (!m_pHead)
        return nullptr;
    KEY_PROPERTY* e = m_pLast;
    while (!isValid(e) && e != m_pHead)
        e = e->pPre;
    if (!isValid(e))
        return nullptr;
    if (!IsTabButton(e) || e->nGroupPos == KEY_GROUP_SINGLE || !e->pStack)
        return e;
    const int last = e->pStack->GetStackCount() - 1;
    const int cur = e->pStack->GetCurrentIndex();
    if (cur == last || cur < 0 || cur > last)
        return e;
    // Back to the tab button of the shown page, on to the next tab button, then back
    // to the last usable entry before it.
    KEY_PROPERTY* t = e;
    for (int k = 0; k < last - cur; ++k) {
        t = t->pPre;
        int steps = 0;
        while (t->bStackPage && steps++ < m_nCount)
            t = t->pPre;
    }
    t = t->pNext;
    int steps = 0;
    while (t->bStackPage && steps++ < m_nCount)
        t = t->pNext;
    t = t->pPre;
    steps = 0;
    while (!isValid(t) && steps++ < m_nCount)
        t = t->pPre;
    return isValid(t) ? t : e;
}

bool WPageBase::FocusFirstAvailable()
{
    KEY_PROPERTY* e = GetFirstAvailable();
    if (!e)
        return false;
    FocusEntry(e);
    return true;
}

bool WPageBase::FocusLastAvailable()
{
    KEY_PROPERTY* e = GetLastAvailable();
    if (!e)
        return false;
    FocusEntry(e);
    return true;
}

bool WPageBase::FocusNextAvailable()
{
    if (!m_pHead || !GetCurProperty())
        return false;
    KEY_PROPERTY* s = GetCurProperty();
    const int lap = m_nCount;

    // Steps current forward (at least once) until it is valid; null after a lap
    // without a valid entry.
    auto stepToValid = [this, lap]() -> KEY_PROPERTY* {
        for (int i = 0; i < lap; ++i) {
            KEY_PROPERTY* e = focusNextProperty();
            if (isValid(e))
                return e;
        }
        return nullptr;
    };
    // Steps current forward until it has stepped past the last tab button of
    // `stack`, then on to the next valid entry.
    auto leaveStack = [this, lap, &stepToValid](QWrapperStack* stack) -> KEY_PROPERTY* {
        for (int i = 0; i < lap; ++i) {
            KEY_PROPERTY* was = GetCurProperty();
            focusNextProperty();
            if (was->nKind == KEY_KIND_TAB_BUTTON && was->nGroupPos == KEY_GROUP_LAST
                && (!stack || was->pStack == stack))
                break;
        }
        KEY_PROPERTY* e = GetCurProperty();
        return isValid(e) ? e : stepToValid();
    };

    KEY_PROPERTY* e = nullptr;
    if (!s->bStackPage) {
        e = stepToValid();
        // From a tab button whose shown page has no usable control the walk reaches
        // the stack's next tab button: leave the stack instead of landing there.
        if (e && IsTabButton(s) && s->nGroupPos != KEY_GROUP_SINGLE && IsTabButton(e)
            && e->pStack == s->pStack && e != s)
            e = leaveStack(s->pStack);
        if (e && e != s && IsTabButton(e) && e->nGroupPos != KEY_GROUP_SINGLE)
            e = StackJump(e);
    } else {
        KEY_PROPERTY* b = s->pPre;
        for (int i = 0; i < lap && b->bStackPage; ++i)
            b = b->pPre;
        e = stepToValid();
        if (e && IsTabButton(e) && !e->bStackPage) {
            if (b->nGroupPos != KEY_GROUP_LAST && b->nGroupPos != KEY_GROUP_SINGLE) {
                e = leaveStack(b->pStack);
                if (e && IsTabButton(e) && e->nGroupPos != KEY_GROUP_SINGLE)
                    e = StackJump(e);
            } else if (e->nGroupPos != KEY_GROUP_SINGLE) {
                e = StackJump(e);
            }
        }
    }
    if (!e) {
        m_pCur = s;  // nothing usable: the focus stays where it is
        return false;
    }
    FocusEntry(e);
    return true;
}

bool WPageBase::FocusPreAvailable()
{
    if (!m_pHead || !GetCurProperty())
        return false;
    KEY_PROPERTY* s = GetCurProperty();
    const int lap = m_nCount;
    bool found = false;

    if (IsTabButton(s) && s->nGroupPos != KEY_GROUP_SINGLE) {
        // Leave the stack backwards: step past its first tab button.
        for (int i = 0; i < lap; ++i) {
            KEY_PROPERTY* was = GetCurProperty();
            focusPreProperty();
            if (was->nKind == KEY_KIND_TAB_BUTTON && was->nGroupPos == KEY_GROUP_FIRST)
                break;
        }
        found = isValid(GetCurProperty());
        for (int i = 0; i < lap && !found; ++i)
            found = isValid(focusPreProperty());
    } else {
        for (int i = 0; i < lap && !found; ++i)
            found = isValid(focusPreProperty());
    }
    if (!found) {
        m_pCur = s;
        return false;
    }

    KEY_PROPERTY* e = GetCurProperty();
    if (IsTabButton(e) && e->nGroupPos != KEY_GROUP_SINGLE && !s->bStackPage && e->pStack) {
        // Coming from after a stack: enter the shown page from its end.
        const int last = e->pStack->GetStackCount() - 1;
        const int cur = e->pStack->GetCurrentIndex();
        if (cur != last && cur >= 0 && cur < last) {
            KEY_PROPERTY* t = e;
            for (int k = 0; k < last - (cur + 1); ++k) {
                t = t->pPre;
                int steps = 0;
                while (t->bStackPage && steps++ < lap)
                    t = t->pPre;
            }
            t = t->pPre;
            int steps = 0;
            while (!isValid(t) && steps++ < lap)
                t = t->pPre;
            if (isValid(t))
                e = t;
        }
    }
    FocusEntry(e);
    return true;
}

KEY_PROPERTY* WPageBase::GetGroupFirstUsable(KEY_PROPERTY* g)
{
    if (!g)
        return nullptr;
    if (g->nGroupPos == KEY_GROUP_SINGLE || g->nGroupPos == KEY_GROUP_NONE)
        return g;  // a group of one: never walk into a neighbouring group
    KEY_PROPERTY* e = g;
    for (int i = 0; i < m_nCount && e->nGroupPos != KEY_GROUP_FIRST; ++i)
        e = e->pPre;
    for (int i = 0; i < m_nCount && !IsShownAndEnabled(e->pWidget); ++i) {
        if (e->nGroupPos == KEY_GROUP_LAST)
            break;  // the group's end: nothing usable beyond it
        e = e->pNext;
    }
    return e;
}

KEY_PROPERTY* WPageBase::GetGroupLastUsable(KEY_PROPERTY* g)
{
    if (!g)
        return nullptr;
    if (g->nGroupPos == KEY_GROUP_SINGLE || g->nGroupPos == KEY_GROUP_NONE)
        return g;
    KEY_PROPERTY* e = g;
    for (int i = 0; i < m_nCount && e->nGroupPos != KEY_GROUP_LAST; ++i)
        e = e->pNext;
    for (int i = 0; i < m_nCount && !IsShownAndEnabled(e->pWidget); ++i) {
        if (e->nGroupPos == KEY_GROUP_FIRST)
            break;
        e = e->pPre;
    }
    return e;
}

void WPageBase::ShowFirstOrKeptInnerTab(QWrapperStack* stack, int shown)
{
    const bool keep = m_bKeepPlace && shown >= 0 && shown < stack->GetStackCount();
    stack->SetCurrentIndex(keep ? shown : 0);
}

void WPageBase::ShowFirstOrKeptInnerTab(QWrapperStack* stack)
{
    ShowFirstOrKeptInnerTab(stack, stack->GetCurrentIndex());
}

void WPageBase::AddStackTabButton(QWrapperStack* stack, int index)
{
    if (!stack)
        return;
    WPushButton* button = stack->GetStackTabBtn(index);
    if (!button)
        return;
    const int count = stack->GetStackCount();
    KEY_PROPERTY scratch;
    button->GetDefaultProperty(&scratch);
    scratch.pPage = this;
    if (count == 1)
        scratch.nGroupPos = KEY_GROUP_SINGLE;
    else if (index == 0)
        scratch.nGroupPos = KEY_GROUP_FIRST;
    else if (index == count - 1)
        scratch.nGroupPos = KEY_GROUP_LAST;
    else
        scratch.nGroupPos = KEY_GROUP_MIDDLE;
    scratch.nKind = KEY_KIND_TAB_BUTTON;
    scratch.pStack = stack;
    scratch.bStackPage = 0;
    AddToTabList(&scratch);
    button->SetProperty(&scratch);
}
