#include "shell/wsetbtn.h"

#include <QApplication>
#include <QKeyEvent>
#include <QStyle>
#include <QStyleFactory>

#include "shell/settingsbar.h"
#include "toolkit/cfocusmanager.h"

namespace {
// One Fusion style shared by every settings button: the application style
// would otherwise draw its own frame over the border images.
QStyle* FusionStyle()
{
    static QStyle* style = [] {
        QStyle* s = QStyleFactory::create(QStringLiteral("Fusion"));
        if (s && qApp)
            s->setParent(qApp);
        return s;
    }();
    return style;
}
} // namespace

WSetBtn::WSetBtn(QWidget* parent)
    : QPushButton(parent)
{
    if (QStyle* style = FusionStyle())
        setStyle(style);
}

WSetBtn::WSetBtn(const QString& text, QWidget* parent)
    : QPushButton(text, parent)
{
    if (QStyle* style = FusionStyle())
        setStyle(style);
}

void WSetBtn::SetSetting(SettingsBar* bar)
{
    m_pSettingBar = bar;
}

void WSetBtn::SetEnabled(bool enable)
{
    if (!enable && m_pSettingBar) {
        m_pSettingBar->DisableWithHandOff(this);
        return;
    }
    setEnabled(enable);
}

void WSetBtn::keyPressEvent(QKeyEvent* event)
{
    if (m_pSettingBar) {
        const int key = event->key();
        WSetBtn* first = m_pSettingBar->GetExportButton();
        WSetBtn* last = m_pSettingBar->LastEnabledButton();
        if ((key == Qt::Key_Left || key == Qt::Key_Up) && this == first && last) {
            last->setFocus(Qt::OtherFocusReason);
            return;
        }
        if ((key == Qt::Key_Right || key == Qt::Key_Down) && this == last && first && first->isEnabled()) {
            first->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    QPushButton::keyPressEvent(event);
}

void WSetBtn::focusInEvent(QFocusEvent* event)
{
    // "mouse" picks the style-sheet rule: a keyboard focus frame only while the
    // user walks with the keyboard.
    setProperty("mouse", !g_focusManager.IsActive());
    style()->unpolish(this);
    style()->polish(this);
    update();
    QPushButton::focusInEvent(event);
    update();
}
