#pragma once
// Program-wide keyboard-focus state: where the focus goes by default (the main
// window) and whether the user is navigating with the keyboard right now, so that
// controls show their keyboard focus look only then.

class QWidget;

class CFocusManager {
public:
    CFocusManager();
    ~CFocusManager();

    bool IsActive() const { return m_bActive; }
    void SetActive(bool active) { m_bActive = active; }
    void SetMainFocusWid(QWidget* widget) { m_pMainFocusWid = widget; }
    // The main window once start-up has set it; null before (dialogs fall back to
    // their parent, then to the screen).
    QWidget* GetMainFocusWid() const { return m_pMainFocusWid; }
    // Gives the main focus widget the focus (Qt::OtherFocusReason); nothing when unset.
    void SetDefaultFocus();

private:
    QWidget* m_pMainFocusWid = nullptr;  // GUI thread only
    bool m_bActive = false;              // GUI thread only
};

// The single focus manager, built before main() runs.
extern CFocusManager g_focusManager;
