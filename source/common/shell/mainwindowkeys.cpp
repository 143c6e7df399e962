// The main window's keyboard handling: the application-wide key and activation
// filter (Escape, Tab, Ctrl+Tab), the Tab walk between the three bars, and the
// hover looks left behind by closed pop-ups and dialogs.

#include "shell/lumivandrexutility.h"

#include "device/lumivandrexpresenter.h"
#include "platform/windowhelpers.h"
#include "settingspages/wtabpagetiming.h"
#include "shell/propertypage.h"
#include "shell/settingsbar.h"
#include "shell/titlebar.h"
#include "shell/wcenterwid.h"
#include "shell/wsetbtn.h"
#include "shell/wtabwidget.h"
#include "timingeditors/qadjusttimingwidget.h"
#include "toolkit/cfocusmanager.h"
#include "toolkit/qcustomdialog.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QTabWidget>
#include <QTimer>
#include <QWindow>

#include <utility>

void LumivandrexUtility::keyPressEvent(QKeyEvent* event)
{
    // Swallowed: the dialog's own handling would close the window on Escape.
    event->accept();
}

void LumivandrexUtility::HideAllMenus()
{
    m_pTitleBar->HideDeviceMenu();
    if (WTabPageTiming* timing = m_pPropertyPage->GetTimingPage()) {
        if (QAdjustTimingWidget* adjust = timing->GetAdjustTimingWidget()) {
            if (QMenu* menu = adjust->GetMenu())
                menu->hide();
        }
    }
}

bool LumivandrexUtility::IsDialogOpen() const
{
    if (g_presenter.IsModalState())
        return true;
    // Qt's own modal dialogs (the report's and the pages' file dialogs) are not
    // counted by the presenter. Hiding the window under one would leave the
    // dialog alone on screen, and closing it then would end the program (it
    // would be the last visible window); Escape must reach the dialog instead.
    QWidget* modal = QApplication::activeModalWidget();
    return modal && modal != this;
}

namespace {
bool IsPopupTarget(QObject* receiver)
{
    if (auto* window = qobject_cast<QWindow*>(receiver))
        return window->type() == Qt::Popup;
    if (receiver && receiver->isWidgetType())
        return static_cast<QWidget*>(receiver)->window()->windowType() == Qt::Popup;
    return false;
}
} // namespace

bool LumivandrexUtility::HandleKeyPress(QObject* watched, QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    const bool ctrlShiftBacktab = key == Qt::Key_Backtab && mods == (Qt::ControlModifier | Qt::ShiftModifier);
    const bool ctrlTab = key == Qt::Key_Tab && mods == Qt::ControlModifier;

    if (ctrlShiftBacktab || ctrlTab) {
        g_focusManager.SetActive(true);
    } else if (key == Qt::Key_Backtab && mods == Qt::ShiftModifier) {
        m_bTabForward = false;
        g_focusManager.SetActive(true);
    } else if (key == Qt::Key_Escape) {
        // With a pop-up open, Escape only closes the pop-up; the window stays.
        // A combo box's list is already closed by the key's shortcut check, so
        // the key itself then arrives for the hidden pop-up window: that counts too.
        // (Asked before the menus are hidden, which ends the pop-up state.)
        QWidget* popup = QApplication::activePopupWidget();
        const bool forPopup = popup || IsPopupTarget(watched);
        HideAllMenus();
        if (forPopup) {
            if (popup)
                popup->close();
            return true;
        }
        if (!IsDialogOpen()) {
            // Without a tray a hidden window could not be found again: minimise it.
            if (m_bTray)
                OnCloseBtnClicked();
            else
                OnMinBtnClicked();
            return true;
        }
        return false;
    } else if (key == Qt::Key_Tab) {
        m_bTabForward = true;
        g_focusManager.SetActive(true);
    }

    if (IsDialogOpen())
        return false;
    QTabWidget* tabs = m_pPropertyPage->GetTabWidget();
    const int count = tabs ? tabs->count() : 0;
    if (count <= 0)
        return false;
    if (ctrlShiftBacktab) {
        tabs->setCurrentIndex((count + tabs->currentIndex() - 1) % count);
        return true;
    }
    if (ctrlTab) {
        tabs->setCurrentIndex((tabs->currentIndex() + 1) % count);
        return true;
    }
    return false;
}

bool LumivandrexUtility::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        if (HandleKeyPress(watched, static_cast<QKeyEvent*>(event)))
            return true;
        break;
    case QEvent::WindowActivate:
        // Once per activated window, not once per widget inside it.
        if (watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow())
            emit signal_resetActiveWindow();
        if (watched == this)
            windowRecordLag(this);   // puts Qt's record of the window's place right early
        break;
    case QEvent::WindowStateChange: {
        const Qt::WindowStates state = windowState();
        if (g_presenter.IsModalState() && state == Qt::WindowNoState
            && (m_lastWindowState & Qt::WindowMinimized)) {
            if (auto* dialog = findChild<QCustomDialog*>(QStringLiteral("dialog_customdlg"))) {
                dialog->showNormal();
                dialog->raise();
                dialog->activateWindow();
            }
        }
        m_lastWindowState = state;
        break;
    }
    case QEvent::Hide:
        // Once the pop-up or dialog is gone (and its grab or modality with it).
        if (watched != this && watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow())
            QTimer::singleShot(0, this, &LumivandrexUtility::WatchHover);
        break;
    case QEvent::MouseMove:
        DropStaleHover();
        break;
    case QEvent::Leave:
        // A widget left for a pop-up is not repainted: its hover look would stay.
        if (QApplication::activePopupWidget() && watched->isWidgetType()
            && static_cast<QWidget*>(watched)->window() == this)
            m_hoverWatch << static_cast<QWidget*>(watched);
        else if (watched == this)
            DropStaleHover();
        break;
    case QEvent::ApplicationActivate:
        // A window hidden to the tray stays hidden: the tray menu's own opening
        // activates the program. Only a minimised window under an open dialog
        // comes back, so that the dialog can be answered.
        if ((windowState() & Qt::WindowMinimized) && g_presenter.IsModalState()) {
            showNormal();
            raise();
            activateWindow();
            if (auto* dialog = findChild<QCustomDialog*>(QStringLiteral("dialog_customdlg"))) {
                dialog->showNormal();
                dialog->raise();
                dialog->activateWindow();
            }
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void LumivandrexUtility::WatchHover()
{
    // Once a pop-up or a modal dialog has gone, Qt no longer counts the widget
    // that was under the pointer before as the one it must leave: a tab under the
    // menu entry that opened a dialog would keep its hover look until the pointer
    // passes over it again.
    for (QWidget* widget : findChildren<QWidget*>()) {
        if (widget->underMouse() && !m_hoverWatch.contains(widget))
            m_hoverWatch << widget;
    }
    DropStaleHover();
}

void LumivandrexUtility::DropStaleHover()
{
    // A pop-up owns the pointer (and its button's look) while it is open.
    if (m_hoverWatch.isEmpty() || QApplication::activePopupWidget())
        return;
    // The pointer in the window from where the window really is: Qt's record of its
    // place, through which widgetAt() and mapFromGlobal() go, can lag (windowRecordLag()).
    const QPoint screen = QCursor::pos(), pointer = screen - mapToScreen(this, QPoint());
    QWidget* under = QApplication::topLevelAt(screen) == this ? childAt(pointer) : nullptr;
    const QList<QPointer<QWidget>> watched = std::exchange(m_hoverWatch, {});
    for (const QPointer<QWidget>& widget : watched) {
        if (!widget)
            continue;
        if (under && (widget == under || widget->isAncestorOf(under))) {
            m_hoverWatch << widget;
            continue;
        }
        if (widget->underMouse()) {
            QEvent leave(QEvent::Leave);
            QCoreApplication::sendEvent(widget, &leave);
        }
        if (widget && widget->testAttribute(Qt::WA_Hover)) {   // repaints it without the hover look
            QHoverEvent hoverLeave(QEvent::HoverLeave, QPointF(-1, -1), widget->mapFrom(this, pointer));
            QCoreApplication::sendEvent(widget, &hoverLeave);
        }
    }
}

// ---------------------------------------------------------------- keyboard walk

QWidget* LumivandrexUtility::LastEnabledSettingsButton() const
{
    return m_pSettingsBar->LastEnabledButton();
}

bool LumivandrexUtility::focusNextPrevChild(bool next)
{
    QTabWidget* tabs = m_pPropertyPage->GetTabWidget();
    if (!tabs || !tabs->currentWidget())
        return QDialog::focusNextPrevChild(next);

    QWidget* focus = QApplication::focusWidget();
    if (focus && m_pTitleBar->isAncestorOf(focus)) {
        if (next) {
            tabs->setFocus(Qt::OtherFocusReason);
        } else if (QWidget* last = LastEnabledSettingsButton()) {
            last->setFocus(Qt::OtherFocusReason);
        }
        return true;
    }
    if (focus && isAncestorOf(focus)) {
        if (m_bTabForward) {
            if (QWidget* centre = m_pTitleBar->GetCenterWidget())
                centre->setFocus(Qt::OtherFocusReason);
            return true;
        }
        QWidget* last = LastEnabledSettingsButton();
        if (!last || m_pSettingsBar->isAncestorOf(focus))
            return QDialog::focusNextPrevChild(next);
        last->setFocus(Qt::OtherFocusReason);
        return true;
    }
    return QDialog::focusNextPrevChild(next);
}
