#include "toolkit/qwrapperspinbox.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

QWrapperSpinBox::QWrapperSpinBox(QWidget* parent)
    : QSpinBox(parent)
{
    installEventFilter(this);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setContextMenuPolicy(Qt::NoContextMenu);
    // The number is stepped, never typed or selected.
    lineEdit()->setReadOnly(true);
    connect(lineEdit(), &QLineEdit::selectionChanged, this, &QWrapperSpinBox::OnSelectionChanged);
}

void QWrapperSpinBox::GetDefaultProperty(KEY_PROPERTY* p)
{
    if (!p)
        return;
    p->pWidget = this;
    p->bTable = 1;
    p->bTable2 = 1;
}

void QWrapperSpinBox::SetProperty(KEY_PROPERTY* p)
{
    if (p)
        m_property = *p;
}

void QWrapperSpinBox::OnSelectionChanged()
{
    lineEdit()->setSelection(0, 0);
}

bool QWrapperSpinBox::eventFilter(QObject* watched, QEvent* e)
{
    if (watched != this)
        return QSpinBox::eventFilter(watched, e);
    if (e->type() == QEvent::InputMethod)
        return true;
    if (e->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(e);
        if (key->key() == Qt::Key_Up) {
            setValue(value() + singleStep());  // setValue keeps the range
            return true;
        }
        if (key->key() == Qt::Key_Down) {
            setValue(value() - singleStep());
            return true;
        }
    }
    return false;
}

void QWrapperSpinBox::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        emit sigSpinMousePress();
    QSpinBox::mousePressEvent(e);
}

void QWrapperSpinBox::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        emit sigSpinMouseRelease();
    QSpinBox::mouseReleaseEvent(e);
}

void QWrapperSpinBox::focusInEvent(QFocusEvent* e)
{
    if (!m_property.pPage) {
        update();   // outside a focus list (dialogs): still show the focus look
        return;
    }
    m_property.pPage->SetCurPropertyForFocusInEv(&m_property);
    QSpinBox::focusInEvent(e);
    repaint();
}
