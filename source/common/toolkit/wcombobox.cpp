#include "toolkit/wcombobox.h"

#include "platform/windowhelpers.h"
#include "toolkit/toolkitstyle.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QVariant>

WComboBox::WComboBox(QWidget* parent)
    : QComboBox(parent)
{
    // Set from the start: the style sheet's focus frame asks for "enter" false, which
    // an unset property never matches, so Tab would show no frame until a hover.
    setProperty("enter", false);
}

void WComboBox::GetDefaultProperty(KEY_PROPERTY* p)
{
    if (!p)
        return;
    p->pWidget = this;
    p->bTable = 0;
    p->bTable2 = 0;
}

void WComboBox::SetProperty(KEY_PROPERTY* p)
{
    if (p)
        m_property = *p;
}

void WComboBox::setHoverState(bool hover)
{
    setProperty("enter", hover);
    toolkit::repolish(this);
    repaint();
}

void WComboBox::showPopup()
{
    // The list is placed from the window's record of its place, which can lag
    // behind the window manager: moved by that lag, it opens under the box.
    QComboBox::showPopup();
    const QPoint lag = windowRecordLag(window());
    QWidget* list = view()->window();
    if (!lag.isNull() && list != window())
        list->move(list->pos() + lag);
}

void WComboBox::hidePopup()
{
    // Closing the list ends the hover look even with the pointer over the box.
    setHoverState(false);
    QComboBox::hidePopup();
}

bool WComboBox::event(QEvent* e)
{
    // Input-method queries come often; re-polish only when the look changes, so a
    // query raised by the re-polish itself cannot loop.
    if (e->type() == QEvent::InputMethodQuery && property("enter").toBool())
        setHoverState(false);
    return QComboBox::event(e);
}

void WComboBox::keyPressEvent(QKeyEvent* e)
{
    WPageBase* page = m_property.pPage;
    if (m_property.nGroupPos == KEY_GROUP_NONE || !page) {
        QComboBox::keyPressEvent(e);
        return;
    }
    KEY_PROPERTY* g = page->GetCurProperty();
    if (page->GetGroupFirstUsable(g) == page->GetGroupLastUsable(g)) {
        // The only usable member of its group cannot be changed from the keyboard.
        e->accept();
        return;
    }
    QComboBox::keyPressEvent(e);
}

void WComboBox::focusInEvent(QFocusEvent* e)
{
    if (!m_property.pPage) {
        update();   // outside a focus list (dialogs): still show the focus look
        return;
    }
    m_property.pPage->SetCurPropertyForFocusInEv(&m_property);
    QComboBox::focusInEvent(e);
    repaint();
}

void WComboBox::enterEvent(QEvent* e)
{
    setHoverState(true);
    QComboBox::enterEvent(e);
}

void WComboBox::leaveEvent(QEvent* e)
{
    setHoverState(false);
    QComboBox::leaveEvent(e);
}
