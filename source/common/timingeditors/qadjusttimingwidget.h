#pragma once
// The "Adjust Timing" tab of the Timing page.
//
// KNOWN GAP: only the part the main window relies on exists so far: the menu
// of the tab's "btn_menu" button, which stays null until the tab builds it.
// The timing controls themselves are not built yet.

#include <QWidget>

class QMenu;

class QAdjustTimingWidget : public QWidget
{
    Q_OBJECT
public:
    explicit QAdjustTimingWidget(QWidget* parent = nullptr);

    // The menu of the "btn_menu" button, or null while it has not been built.
    // The main window hides it on Escape.
    QMenu* GetMenu() const { return m_pMenu; }

    // Refresh from the device; nothing to refresh until the timing controls exist.
    void InitAdjustTimingTab(bool reset);

protected:
    QMenu* m_pMenu = nullptr;   // owned through Qt parenthood once built
};
