#include "toolkit/wpushbutton.h"

#include "toolkit/cfocusmanager.h"
#include "toolkit/toolkitstyle.h"

#include <QDialog>
#include <QKeyEvent>
#include <QVariant>
#include <QMouseEvent>

WPushButton::WPushButton(QWidget* parent)
    : QPushButton(parent)
{
    Init();
}

WPushButton::WPushButton(const QString& text, QWidget* parent)
    : QPushButton(text, parent)
{
    Init();
}

void WPushButton::Init()
{
    if (QStyle* style = toolkit::fusionStyle())
        setStyle(style);
}

void WPushButton::SetEnabled(bool enabled)
{
    if (!enabled && hasFocus() && m_property.pPage)
        m_property.pPage->FocusNextAvailable();
    setEnabled(enabled);
}

void WPushButton::GetDefaultProperty(KEY_PROPERTY* p)
{
    if (!p)
        return;
    p->pWidget = this;
    p->bTable = 0;
    p->bTable2 = 0;
}

void WPushButton::SetProperty(KEY_PROPERTY* p)
{
    if (p)
        m_property = *p;
}

void WPushButton::mousePressEvent(QMouseEvent* e)
{
    // A right click on a tab button switches its page, without the press look.
    if (objectName().contains(QLatin1String("btn_tab")) && e->button() == Qt::RightButton) {
        emit pressed();
        return;
    }
    QPushButton::mousePressEvent(e);
}

void WPushButton::keyPressEvent(QKeyEvent* e)
{
    const int key = e->key();
    const bool back = key == Qt::Key_Left || key == Qt::Key_Up;
    const bool forward = key == Qt::Key_Right || key == Qt::Key_Down;
    if (!back && !forward) {
        QPushButton::keyPressEvent(e);
        return;
    }
    WPageBase* page = m_property.pPage;
    if (m_property.nGroupPos == KEY_GROUP_NONE || !page) {
        e->accept();
        return;
    }
    KEY_PROPERTY* g = page->GetCurProperty();
    if (!g) {
        e->accept();
        return;
    }

    if (m_bStackBtn) {
        // Tab buttons: no wrap; the target is the neighbouring tab button, stepping
        // over the controls of the shown page.
        e->accept();
        if (g->nGroupPos == KEY_GROUP_SINGLE)
            return;
        KEY_PROPERTY* target = nullptr;
        const int lap = page->GetTabListCount();
        if (forward && g->nGroupPos != KEY_GROUP_LAST) {
            target = g->pNext;
            for (int i = 0; i < lap && target->bStackPage; ++i)
                target = target->pNext;
        } else if (back && g->nGroupPos != KEY_GROUP_FIRST) {
            target = g->pPre;
            for (int i = 0; i < lap && target->bStackPage; ++i)
                target = target->pPre;
        }
        auto* button = target ? qobject_cast<WPushButton*>(target->pWidget) : nullptr;
        if (!button || button == this)
            return;
        emit button->pressed();
        button->setFocus(Qt::OtherFocusReason);
        if (WPageBase* owner = button->GetProperty()->pPage)
            owner->SetCurProperty(target);
        return;
    }

    KEY_PROPERTY* first = page->GetGroupFirstUsable(g);
    KEY_PROPERTY* last = page->GetGroupLastUsable(g);
    if (first == last) {
        e->accept();
        return;
    }
    if (back && g == first) {
        page->SetCurProperty(last);
        e->accept();
    } else if (forward && g == last) {
        page->SetCurProperty(first);
        e->accept();
    } else {
        QPushButton::keyPressEvent(e);
    }
}

bool WPushButton::IsDialogButton() const
{
    return objectName() == QLatin1String("btn_dialog");
}

void WPushButton::showEvent(QShowEvent* e)
{
    QPushButton::showEvent(e);
    // A box (a dialog whose only controls are its dialog buttons) whose keyboard
    // focus is nowhere, because it just opened or showed its buttons only now (the
    // update check's "OK"), gives the focus to its default button, else to the
    // first dialog button shown: Return and Space must answer it at once. Dialogs
    // with fields of their own leave the focus to those.
    QDialog* dialog = qobject_cast<QDialog*>(window());
    if (!IsDialogButton() || !dialog || !isEnabled())
        return;
    const QWidget* focus = dialog->focusWidget();
    if (focus && focus != dialog && focus->isVisibleTo(dialog))
        return;
    WPushButton* target = this;
    for (QWidget* control : dialog->findChildren<QWidget*>()) {
        if (!(control->focusPolicy() & Qt::TabFocus) || !control->isEnabled() || !control->isVisibleTo(dialog))
            continue;
        WPushButton* button = qobject_cast<WPushButton*>(control);
        if (!button || !button->IsDialogButton())
            return;
        if (button->isDefault())
            target = button;
    }
    target->setFocus(Qt::OtherFocusReason);
}

void WPushButton::focusInEvent(QFocusEvent* e)
{
    if (IsDialogButton() && autoDefault())
        setDefault(true);
    // "mouse" true: the focus did not come from keyboard navigation, so the style
    // sheet shows no keyboard focus frame. A dialog button shows it whenever it has
    // the keyboard without a click on it, so the focus of a box that just opened
    // can be seen, however the box was reached.
    const bool byMouse = IsDialogButton() ? e->reason() == Qt::MouseFocusReason : !g_focusManager.IsActive();
    setProperty("mouse", byMouse);
    toolkit::repolish(this);
    repaint();
    if (!m_property.pPage)
        return;
    m_property.pPage->SetCurPropertyForFocusInEv(&m_property);
    QPushButton::focusInEvent(e);
    repaint();
}

void WPushButton::focusOutEvent(QFocusEvent* e)
{
    if (IsDialogButton() && autoDefault())
        setDefault(false);
    QPushButton::focusOutEvent(e);
    repaint();
}
