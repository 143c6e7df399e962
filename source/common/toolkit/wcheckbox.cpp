#include "toolkit/wcheckbox.h"

#include <QKeyEvent>

WCheckBox::WCheckBox(QWidget* parent)
    : QCheckBox(parent)
{
}

WCheckBox::WCheckBox(const QString& text, QWidget* parent)
    : QCheckBox(text, parent)
{
}

void WCheckBox::GetDefaultProperty(KEY_PROPERTY* p)
{
    if (!p)
        return;
    p->pWidget = this;
    p->bTable = 0;
    p->bTable2 = 0;
}

void WCheckBox::SetProperty(KEY_PROPERTY* p)
{
    if (p)
        m_property = *p;
}

void WCheckBox::keyPressEvent(QKeyEvent* e)
{
    WPageBase* page = m_property.pPage;
    if (m_property.nGroupPos == KEY_GROUP_NONE || !page) {
        QCheckBox::keyPressEvent(e);
        return;
    }
    KEY_PROPERTY* g = page->GetCurProperty();
    KEY_PROPERTY* first = page->GetGroupFirstUsable(g);
    KEY_PROPERTY* last = page->GetGroupLastUsable(g);
    if (!g || first == last) {
        QCheckBox::keyPressEvent(e);
        return;
    }
    const int key = e->key();
    if ((key == Qt::Key_Left || key == Qt::Key_Up) && g == first) {
        page->SetCurProperty(last);
        e->accept();
    } else if ((key == Qt::Key_Right || key == Qt::Key_Down) && g == last) {
        page->SetCurProperty(first);
        e->accept();
    } else {
        QCheckBox::keyPressEvent(e);
    }
}

void WCheckBox::focusInEvent(QFocusEvent* e)
{
    if (!m_property.pPage) {
        update();   // outside a focus list (dialogs): still show the focus look
        return;
    }
    m_property.pPage->SetCurPropertyForFocusInEv(&m_property);
    QCheckBox::focusInEvent(e);
    repaint();
}
