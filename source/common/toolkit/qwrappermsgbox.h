#pragma once

#include "device/ilumivandrexnotify.h"
#include "windowdrag.h"

#include <QDialog>
#include <QPoint>

class QLabel;
class WPushButton;

// Type a caller gives a message box. The box keeps it but looks and behaves
// the same for every value (it always shows the warning icon).
enum tagMSG_TYPE {
    MSG_TYPE_NONE = 0,
    MSG_TYPE_INFORMATION = 1,
    MSG_TYPE_ERROR = 2,
    MSG_TYPE_WARNING = 3,    // warnings and errors of pages, editors and dialogs
    MSG_TYPE_QUESTION = 4,   // title bar and main window questions
};

// The program's message box: a frameless fixed-size dialog with a title bar,
// the warning icon beside a wrapped text, and up to two buttons. It has the
// caller's size where that holds its whole text at the chosen font, else it is
// taller (wider only for a word longer than the line), within the screen.
//
// Run it with exec() and delete it afterwards. exec() returns 1 when the box
// was accepted (OK, Return or Enter reaching the box, or device loss of a box
// named "msgbox_firmware_download") and 0 otherwise. GetExtraFlag() tells 1
// after OK, 2 after Cancel, 0 for anything else.
//
// Device loss by object name (set it after construction): "msgbox_device_lost"
// stays open, "msgbox_firmware_download" is accepted, any other name closes.
// The text is shown literally (it may carry file or device names).
class QWrapperMsgBox : public QDialog, public ILumivandrexNotify
{
    Q_OBJECT
public:
    static constexpr int kTitleBarHeight = 30;
    static constexpr int kButtonBarHeight = 60;

    QWrapperMsgBox(tagMSG_TYPE type, const QString& text, const QString& okText, const QString& cancelText,
                   int width, int height, QWidget* parent);
    ~QWrapperMsgBox() override;

    void setVisible(bool visible) override;

    // Builds a box on the stack, runs it and returns exec()'s result (1 accepted, 0 not).
    // `objectName` picks the device-loss behaviour above. Never call it with the
    // presenter lock held.
    static int Ask(tagMSG_TYPE type, const QString& text, const QString& okText, const QString& cancelText,
                   int width, int height, QWidget* parent, const QString& objectName = QString());

    int GetExtraFlag() const { return m_nResult; }
    tagMSG_TYPE GetType() const { return m_type; }
    QString GetText() const { return m_text; }

    QWidget* GetTitleBar() const { return m_pTitleBar; }
    QWidget* GetMainArea() const { return m_pMainWnd; }
    QWidget* GetButtonBar() const { return m_pButtonBar; }
    WPushButton* GetOkButton() const { return m_pOkBtn; }
    WPushButton* GetCancelButton() const { return m_pCancelBtn; }
    QLabel* GetTextLabel() const { return m_pTextLabel; }
    bool IsDragging() const { return m_drag.IsDragging(); }

    // Slot 0, called on the enumeration thread: only emits signal_currentDeviceLost().
    void OnCurrentDeviceLost(bool uiChanged) override;

signals:
    void signal_currentDeviceLost();

public slots:
    void OnOKClicked();
    void OnCancelClicked();
    void OnCurrentDeviceLost2();
    void OnDpiChanged(int);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* createTitleBar();
    QWidget* createMainWnd();
    QWidget* createButtonBar(const QString& okText, const QString& cancelText);
    void fitToText();

    QWidget* m_pTitleBar = nullptr;
    QWidget* m_pMainWnd = nullptr;
    QWidget* m_pButtonBar = nullptr;
    QLabel* m_pTextLabel = nullptr;
    WPushButton* m_pOkBtn = nullptr;
    WPushButton* m_pCancelBtn = nullptr;
    WindowDrag m_drag{this};
    int m_nResult = 0;   // 0 none, 1 OK, 2 Cancel
    tagMSG_TYPE m_type;
    QString m_text;
    int m_nWidth;
    int m_nHeight;
};
