#pragma once

#include "device/ilumivandrexnotify.h"

#include <QDialog>

#include "windowdrag.h"
#include <QPoint>

class CSystemButton;
class QLabel;

// The free area of the screen a dialog shows on: the screen of the main window,
// else of its parent window, else the primary screen.
QRect dialogScreenArea(const QWidget* dialog);

// Moves a top-level dialog so that it is centred on the main window (the focus
// manager's main widget, which start-up sets), where the window system has it, not
// where Qt's record of its place says (windowRecordLag()). Without a main window it
// centres on the dialog's parent window, and without one on the screen. The
// dialog stays inside the screen's free area.
void centreDialogOnMainWindow(QWidget* dialog);

// Moves a top-level dialog to `topLeft`, or as near as keeps it inside the
// screen's free area.
void moveDialogOnScreen(QWidget* dialog, const QPoint& topLeft);

// Grows a dialog of a fixed size to what its layout needs at the fonts it has: at
// least the layout's minimum width, and at that width the height the layout needs
// (its word-wrapped texts whole), never past the screen's free area and never
// smaller than it is. True when it grew.
bool growFixedDialogToLayout(QWidget* dialog);

// Sizes a dialog that is about to be shown and centres it (above) while it is not
// mapped yet. Moved only once mapped, the window races the window manager's own
// placement, and Qt may keep a wrong position for it: its drop-down lists then open
// at the screen's corner.
void placeDialogBeforeShow(QWidget* dialog);

// Fills a dialog's whole body with the dialogs' body colour (dialogs and message
// boxes are frameless, so nothing else paints behind their children).
void paintDialogBody(QWidget* dialog);

// Base of the program's dialogs (not the message box): an application-modal
// window without the system's frame, with a dark title bar of its own (a text
// bar, optionally with a minimise button, or a logo bar), a body for the
// subclass's content, dragging by the title bar, centring before every show, Esc
// to cancel. A dialog of a fixed size grows, before it shows and while it is
// shown, to hold its whole content at the chosen font (growFixedDialogToLayout).
// While it exists it is registered with the presenter as a device listener and
// as an open dialog (so IsModalState() is true); the loss of the current device
// reaches OnHandleUI() on the GUI thread.
//
// Subclasses: build the content, call SetMainWindow(content, title) once from
// the constructor, override OnHandleUI() to close or adapt on device loss.
class QCustomDialog : public QDialog, public ILumivandrexNotify
{
    Q_OBJECT
public:
    // Dragging: the title bar counts from this many pixels below its top edge
    // (the press point is tested this much higher), and a dragged window lands
    // this many pixels above the press offset.
    static constexpr int kTitleHitOffsetY = 6;
    static constexpr int kDragLiftY = 20;
    static constexpr int kDefaultTitleBarHeight = 32;
    static constexpr int kLogoTitleBarHeight = 96;

    QCustomDialog(QWidget* parent, bool defaultTitleBar, bool showMinimize);
    ~QCustomDialog() override;

    void setVisible(bool visible) override;
    bool event(QEvent* event) override;

    void SetMainWindow(QWidget* content, const QString& title);
    void SetCloseBtnEnable(bool enable);

    // ILumivandrexNotify: slot 0 arrives on the enumeration thread and only
    // emits currentDeviceLost(); slot 7 arrives on the GUI thread.
    void OnCurrentDeviceLost(bool uiChanged) override;
    void OnInputSourceChanged(quint64 word) override;
    // Reaction to the loss of the current device, on the GUI thread; nothing here.
    virtual void OnHandleUI();

    QWidget* GetTitleBar() const { return m_pTitleBar; }
    QWidget* GetBody() const { return m_pBody; }
    QLabel* GetTitleLabel() const { return m_pTitleLabel; }
    CSystemButton* GetCloseButton() const { return m_pCloseBtn; }
    CSystemButton* GetMinimizeButton() const { return m_pMinBtn; }
    bool IsDragging() const { return m_drag.IsDragging(); }

signals:
    void currentDeviceLost();
    void inputSourceChanged();
    void sigMinimum();

public slots:
    void OnCurrentDeviceLost2();
    void OnDpiChanged(int);

protected:
    void timerEvent(QTimerEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QWidget* createDefaultTitleBar(bool showMinimize);
    QWidget* createCustomTitleBar();
    CSystemButton* createSystemButton(const QString& imageName);

    QLabel* m_pTitleLabel = nullptr;      // null with the logo title bar
    CSystemButton* m_pCloseBtn = nullptr; // null with the logo title bar
    CSystemButton* m_pMinBtn = nullptr;   // only with a minimise button
    QWidget* m_pTitleBar = nullptr;
    QWidget* m_pBody = nullptr;
    int m_nTimerId = 0;
    WindowDrag m_drag{this, kTitleHitOffsetY, kDragLiftY};
};
