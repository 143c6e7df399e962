#ifndef WSETBTN_H
#define WSETBTN_H

#include <QPushButton>

class SettingsBar;

// One of the three buttons of the settings bar. It knows its bar so that the
// arrow keys can wrap between the first and the last enabled button, and so
// that disabling the focused button can hand the focus on first.
class WSetBtn : public QPushButton
{
    Q_OBJECT
public:
    explicit WSetBtn(QWidget* parent = nullptr);
    WSetBtn(const QString& text, QWidget* parent = nullptr);

    void SetSetting(SettingsBar* bar);
    SettingsBar* GetSetting() const { return m_pSettingBar; }

    // Enables or disables; a focused button that is the bar's last enabled
    // one gives the focus to the title bar's device selector before it goes grey.
    void SetEnabled(bool enable);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    SettingsBar* m_pSettingBar = nullptr;
};

#endif // WSETBTN_H
