#include "toolkit/wpagebase.h"

#include "toolkit/wpushbutton.h"

#include <QLabel>
#include <QMetaObject>
#include <QPainter>
#include <QTableWidget>

// ---------------------------------------------------------------------------
// WPageBase
//
// Every walk below steps at most once around the list (m_nCount steps): the
// ordering rules of the list are the page's promise, but a page whose controls are
// all hidden or disabled must never hang the GUI thread.
// ---------------------------------------------------------------------------

WPageBase::WPageBase() = default;

WPageBase::~WPageBase() = default;

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

// ---------------------------------------------------------------------------
// QWrapperStack
// ---------------------------------------------------------------------------

QWrapperStack::QWrapperStack(QWidget* parent)
    : QWidget(parent)
{
    // The layouts are installed by SetMainWidget(), once the first pages exist.
    m_pMainLayout = new QVBoxLayout;
    m_pMainLayout->setContentsMargins(16, 0, 16, 0);
    m_pMainLayout->setSpacing(0);
    m_pButtonLayout = new QHBoxLayout;
    m_pButtonLayout->setSpacing(0);
    m_pButtonLayout->setAlignment(Qt::AlignHCenter);
    m_pButtonLayout->setContentsMargins(16, 0, 16, 0);
    m_pStackLayout = new QStackedLayout;
    m_pStackLayout->setContentsMargins(0, 0, 0, 0);
    m_pStackLayout->setSpacing(0);
    m_pStackLayout->setStackingMode(QStackedLayout::StackOne);
}

QWrapperStack::~QWrapperStack()
{
    if (!m_bInstalled) {
        // Never installed: the layouts have no owner but us.
        delete m_pButtonLayout;
        delete m_pStackLayout;
        delete m_pMainLayout;
    }
}

void QWrapperStack::AddSubWidget(QWidget* page, QString title, bool first, bool last)
{
    if (!page)
        return;
    QString name;
    if (first && last)
        name = QStringLiteral("btn_tab_only");
    else if (first)
        name = QStringLiteral("btn_tab_first");
    else if (last)
        name = QStringLiteral("btn_tab_last");
    else
        name = QStringLiteral("btn_tab_middle");

    auto* button = new WPushButton(title, this);
    button->setObjectName(name);
    button->SetStackBtn(true);
    button->setFixedHeight(32);
    button->setMaximumWidth(188);

    // Tab widths by title; the screens pass their titles already translated.
    int width = 0;
    if (title == tr("Custom GTF/CVT Resolutions"))
        width = 212;
    else if (title == tr("Adjust Timing") || title == tr("Custom Timings"))
        width = 140;
    else if (title == tr("Capture Device EDID") || title == tr("Loop Through Device EDID"))
        width = 188;
    else if (title == tr("AVI") || title == tr("Audio") || title == tr("SPD") || title == tr("MS")
             || title == tr("VS") || title == tr("ACP") || title == tr("ISRC1")
             || title == tr("ISRC2") || title == tr("Gamut"))
        width = 52;
    else if (title == tr("Input Specific Status") || title == tr("Video Signal Status")
             || title == tr("Audio Signal Status"))
        width = 152;
    else if (title == tr("Color Format") || title == tr("Frame Rate") || title == tr("Resolution"))
        width = 152;
    if (width > 0)
        button->setFixedWidth(width);

    button->setCheckable(true);
    button->setChecked(false);
    button->setAutoExclusive(true);
    connect(button, &QPushButton::pressed, this, &QWrapperStack::OnButtonClicked);
    m_pButtonLayout->addWidget(button, 1);
    m_vecButtons.append(button);

    page->setParent(this);
    m_pStackLayout->addWidget(page);
    m_vecPages.append(page);
}

void QWrapperStack::SetMainWidget()
{
    if (!m_bInstalled) {
        auto* holder = new QWidget(this);
        holder->setStyleSheet(QStringLiteral("QWidget{outline: none;}"));
        holder->setLayout(m_pButtonLayout);
        m_pMainLayout->addWidget(holder);
        m_pMainLayout->addSpacing(24);
        m_pMainLayout->addLayout(m_pStackLayout);
        setLayout(m_pMainLayout);
        m_bInstalled = true;
    }
    if (!m_vecButtons.isEmpty())
        ShowIndex(0);
}

void QWrapperStack::ShowIndex(int index)
{
    m_nCurIndex = index;
    m_pStackLayout->setCurrentWidget(m_vecPages.at(index));
    // Check the new button first: an auto-exclusive button cannot be unchecked directly.
    m_vecButtons.at(index)->setChecked(true);
    for (int i = 0; i < m_vecButtons.size(); ++i)
        m_vecButtons.at(i)->setChecked(i == index);
}

void QWrapperStack::SetCurrentIndex(int index)
{
    if (index < 0 || index >= m_vecPages.size())
        return;
    ShowIndex(index);
}

void QWrapperStack::Clear()
{
    for (WPushButton* button : qAsConst(m_vecButtons)) {
        // The page's focus list may still hold this button: take it out before the
        // button goes, so no entry points at a deleted widget.
        if (WPageBase* page = button->GetProperty()->pPage)
            page->RemoveFromTabList(button);
        m_pButtonLayout->removeWidget(button);
        delete button;
    }
    m_vecButtons.clear();
    for (QWidget* page : qAsConst(m_vecPages))
        m_pStackLayout->removeWidget(page);
    m_vecPages.clear();
    m_nCurIndex = -1;
}

WPushButton* QWrapperStack::GetStackTabBtn(int i) const
{
    return (i >= 0 && i < m_vecButtons.size()) ? m_vecButtons.at(i) : nullptr;
}

QWidget* QWrapperStack::GetStackTabWid(int i) const
{
    return (i >= 0 && i < m_vecPages.size()) ? m_vecPages.at(i) : nullptr;
}

void QWrapperStack::OnButtonClicked()
{
    auto* button = qobject_cast<QPushButton*>(sender());
    if (!button)
        return;
    int index = -1;
    for (int i = 0; i < m_vecButtons.size(); ++i) {
        if (m_vecButtons.at(i) == button)
            index = i;
    }
    if (index < 0 || button->isChecked())
        return;
    ShowIndex(index);
    repaint();
    emit sigIndexChanged(index);
}

void QWrapperStack::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(QStringLiteral("#151515")), 1, Qt::SolidLine, Qt::SquareCap,
                        Qt::MiterJoin));
    painter.setBrush(QColor(QStringLiteral("#2B2B2B")));
    painter.drawRect(QRect(0, 16, width(), height() - 16));
}
