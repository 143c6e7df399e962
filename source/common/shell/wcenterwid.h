#ifndef WCENTERWID_H
#define WCENTERWID_H

#include <QWidget>

class QPushButton;

// The focusable frame in the title bar that holds the device name and the drop
// button; Return, Space, F4, Down or Alt+Down/Up on it open the device menu through the button.
class WCenterWid : public QWidget
{
    Q_OBJECT
public:
    explicit WCenterWid(QWidget* parent = nullptr);

    void SetPropChildBtn(QPushButton* button) { m_pChildBtn = button; }
    QPushButton* GetPropChildBtn() const { return m_pChildBtn; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QPushButton* m_pChildBtn = nullptr;
};

#endif // WCENTERWID_H
