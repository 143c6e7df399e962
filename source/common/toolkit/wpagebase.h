#pragma once
// Keyboard focus model of the tab pages.
//
// A page keeps its own circular list of focus entries (KEY_PROPERTY) instead of
// relying on Qt's focus chain, because pages group controls (arrow keys walk a
// group and wrap) and treat a whole tab stack as a single Tab stop.
//
// How a page builds its list (Tab order):
//
//     ClearTabList();
//     AddFocusControl(m_pCombo1, KEY_GROUP_FIRST);          // group of two combo boxes
//     AddFocusControl(m_pCombo2, KEY_GROUP_LAST);
//     for (int i = 0; i < m_pStack->GetStackCount(); ++i) {  // a tab stack: one Tab stop
//         AddStackTabButton(m_pStack, i);
//         AddFocusControl(m_pPageCheck[i], KEY_GROUP_NONE, m_pStack, true);  // page i's controls
//     }
//     AddFocusControl(m_pApplyButton);                       // not in a group
//
// AddFocusControl() is the documented three-step sequence (GetDefaultProperty on a
// scratch record, AddToTabList, SetProperty) for any control that has the focus trio
// (WPushButton, WCheckBox, WComboBox, QCustomSlider, QWrapperSpinBox, QTableWid).
// Pages may also do the three steps by hand.
//
// Tables: isValid() recognises the keyboard table through the meta-object system
// by class name, so this file needs none of the table headers:
//   * a "QTableWid" must be a QTableWidget subclass with Q_OBJECT and the signal
//     sigKeyNextCell(int, int);
//   * a "QCellWidget" (a cell widget of such a table) must have Q_OBJECT and expose
//         Q_INVOKABLE bool IsCellWidgetValid();
//     (a slot works as well). A cell widget without it counts as content.

#include <QHBoxLayout>
#include <QStackedLayout>
#include <QString>
#include <QVBoxLayout>
#include <QVector>
#include <QWidget>

class WPageBase;
class QWrapperStack;
class WPushButton;

// Group position of a focus entry.
enum : quint32 {
    KEY_GROUP_NONE = 0,
    KEY_GROUP_FIRST = 1,
    KEY_GROUP_MIDDLE = 2,
    KEY_GROUP_LAST = 3,
    KEY_GROUP_SINGLE = 4,
};

// Kind of a focus entry.
enum : quint32 {
    KEY_KIND_CONTROL = 0,
    KEY_KIND_TAB_BUTTON = 1,
};

// One entry of a page's focus list. All zero for a control that is in no list.
struct KEY_PROPERTY {
    WPageBase* pPage = nullptr;        // owner page; null while the control is in no list
    QWidget* pWidget = nullptr;        // the control
    quint8 bTable = 0;                 // 1 for QTableWid and QWrapperSpinBox; never read by the model
    quint8 bTable2 = 0;                // same as bTable
    quint32 nGroupPos = KEY_GROUP_NONE;
    quint32 nKind = KEY_KIND_CONTROL;
    QWrapperStack* pStack = nullptr;   // stack of a tab button, or of a control on a stack page
    quint8 bStackPage = 0;             // 1 when the control lives on a page of a tab stack
    KEY_PROPERTY* pPre = nullptr;      // list links (unused in a control's own copy)
    KEY_PROPERTY* pNext = nullptr;
};

class WPageBase {
public:
    WPageBase();
    // Frees the focus list (a page may still clear it in its own destructor).
    virtual ~WPageBase();
    // The list entries point back at this page: a copy would share and free them twice.
    WPageBase(const WPageBase&) = delete;
    WPageBase& operator=(const WPageBase&) = delete;

    virtual void InitPage(unsigned int flags, bool partial);
    virtual QString GetExportInfo();

    virtual void AddToTabList(KEY_PROPERTY* p);
    virtual void ClearTabList();
    virtual KEY_PROPERTY* GetCurProperty();
    virtual void SetCurProperty(KEY_PROPERTY* p);
    virtual void SetCurPropertyForFocusInEv(KEY_PROPERTY* p);
    virtual KEY_PROPERTY* GetHeadProperty();
    virtual KEY_PROPERTY* GetLastProperty();
    virtual KEY_PROPERTY* GetFirstAvailable();
    virtual KEY_PROPERTY* GetLastAvailable();
    virtual bool FocusFirstAvailable();
    virtual bool FocusLastAvailable();
    virtual bool FocusNextAvailable();
    virtual bool FocusPreAvailable();
    virtual void PrintList();
    virtual KEY_PROPERTY* focusNextProperty();
    virtual KEY_PROPERTY* focusPreProperty();
    virtual bool isValid(KEY_PROPERTY* p);
    virtual void propTableWithContent(KEY_PROPERTY* p);

    // --- helpers (not part of the virtual interface) ---

    // Unlinks and frees every entry whose control is `control` (used when a listed
    // control is deleted while the list lives on, e.g. QWrapperStack::Clear()).
    void RemoveFromTabList(QWidget* control);

    // Number of entries in the list.
    int GetTabListCount() const { return m_nCount; }

    // Group bounds of entry `g` (arrow keys inside a group): the first and the last
    // member that is visible and enabled. Null when `g` is null.
    KEY_PROPERTY* GetGroupFirstUsable(KEY_PROPERTY* g);
    KEY_PROPERTY* GetGroupLastUsable(KEY_PROPERTY* g);

    // Lists `control` (anything with the focus trio) with the given placement.
    template <class Control>
    void AddFocusControl(Control* control, quint32 groupPos = KEY_GROUP_NONE,
                         QWrapperStack* stack = nullptr, bool onStackPage = false)
    {
        if (!control)
            return;
        KEY_PROPERTY scratch;
        control->GetDefaultProperty(&scratch);
        scratch.pPage = this;
        scratch.nGroupPos = groupPos;
        scratch.nKind = KEY_KIND_CONTROL;
        scratch.pStack = stack;
        scratch.bStackPage = onStackPage ? 1 : 0;
        AddToTabList(&scratch);
        control->SetProperty(&scratch);
    }

    // Lists tab button `index` of `stack` (kind 1, group position by page index).
    void AddStackTabButton(QWrapperStack* stack, int index);

    // Set by the tab container around a reload of the same device: the page's refresh
    // then leaves its inner tabs where the user put them.
    void SetKeepPlace(bool keep) { m_bKeepPlace = keep; }

protected:
    // The inner tab a refresh ends on: the first one, or `shown` (the tab shown before a
    // rebuild of `stack`) while the page keeps the user's place and that tab still exists.
    void ShowFirstOrKeptInnerTab(QWrapperStack* stack, int shown);
    void ShowFirstOrKeptInnerTab(QWrapperStack* stack);

    // Walk helpers; every walk is bounded to one lap of the list.
    KEY_PROPERTY* StackJump(KEY_PROPERTY* e);
    void FocusEntry(KEY_PROPERTY* e);
    bool IsTabButton(const KEY_PROPERTY* e) const;
    static bool IsShownAndEnabled(const QWidget* w);

private:
    KEY_PROPERTY* m_pHead = nullptr;
    KEY_PROPERTY* m_pLast = nullptr;
    KEY_PROPERTY* m_pCur = nullptr;
    int m_nCount = 0;
    bool m_bKeepPlace = false;   // GUI thread only
};

// Pages use the tab stack together with their focus list.
#include "toolkit/qwrapperstack.h"
