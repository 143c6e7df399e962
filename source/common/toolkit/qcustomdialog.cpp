#include "qcustomdialog.h"

#include "cfocusmanager.h"
#include "csystembutton.h"
#include "device/lumivandrexpresenter.h"
#include "platform/windowhelpers.h"
#include "stylesheetbuilder.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLayout>
#include <QLabel>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QScreen>
#include <QVBoxLayout>

namespace {
const char* const kTitle = "Lumivandrex Utility";   // never translated
const QColor kTitleText(236, 236, 236);
const char* const kTitleBarColor = "#272727";
const QColor kTitleBorder(39, 39, 39);
const char* const kBodyColor = "#393939";
const int kTitleLabelHeight = 24;
// Size of a title-bar button when its image is missing from the resources.
const QSize kFallbackButtonSize(16, 16);

QString titleBarSheet()
{
    return QStringLiteral("QWidget#dialog_titlebar{background: %1; border: 0px; border-radius: 0px;}")
        .arg(QColor(kTitleBarColor).name());
}
}

void paintDialogBody(QWidget* dialog)
{
    QPainter painter(dialog);
    painter.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.addRect(0, 0, dialog->width(), dialog->height());
    painter.fillPath(path, QBrush(QColor(kBodyColor)));
}

namespace {
// The window a dialog is centred on: the main window, else its parent's window.
QWidget* anchorWindow(const QWidget* dialog)
{
    QWidget* anchor = g_focusManager.GetMainFocusWid();
    if (anchor == dialog)
        anchor = nullptr;
    if (!anchor && dialog->parentWidget())
        anchor = dialog->parentWidget()->window();
    return anchor == dialog ? nullptr : anchor;
}
} // namespace

QRect dialogScreenArea(const QWidget* dialog)
{
    const QWidget* anchor = anchorWindow(dialog);
    // The screen the window really is on: Qt's record of it can lag (windowRecordLag()).
    QScreen* screen = anchor ? QGuiApplication::screenAt(mapToScreen(anchor, anchor->rect().center())) : nullptr;
    if (!screen)
        screen = anchor ? anchor->screen() : dialog->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

void moveDialogOnScreen(QWidget* dialog, const QPoint& topLeft)
{
    const QRect area = dialogScreenArea(dialog);
    if (area.isEmpty()) {
        dialog->move(topLeft);
        return;
    }
    // Too large a dialog keeps its top left corner, with the title bar, on the screen.
    dialog->move(qMax(area.left(), qMin(topLeft.x(), area.right() + 1 - dialog->width())),
                 qMax(area.top(), qMin(topLeft.y(), area.bottom() + 1 - dialog->height())));
}

void centreDialogOnMainWindow(QWidget* dialog)
{
    if (!dialog)
        return;
    const QWidget* anchor = anchorWindow(dialog);
    // Where the window really is: its record can lag behind the window manager.
    const QRect around =
        anchor ? QRect(anchor->pos() + windowRecordLag(anchor), anchor->size()) : dialogScreenArea(dialog);
    if (around.isEmpty())
        return;
    moveDialogOnScreen(dialog, QPoint(around.x() + (around.width() - dialog->width()) / 2,
                                      around.y() + (around.height() - dialog->height()) / 2));
}

bool growFixedDialogToLayout(QWidget* dialog)
{
    QLayout* layout = dialog->layout();
    if (!layout || dialog->minimumSize() != dialog->maximumSize())
        return false;
    const QSize room = dialogScreenArea(dialog).size();
    const QSize now = dialog->size();
    QSize wanted = now.expandedTo(layout->totalMinimumSize());
    if (room.isValid())
        wanted = wanted.boundedTo(room.expandedTo(now));
    if (layout->hasHeightForWidth()) {
        const QMargins margins = dialog->contentsMargins();
        const int height = layout->minimumHeightForWidth(wanted.width() - margins.left() - margins.right());
        wanted.setHeight(qMax(wanted.height(), height + margins.top() + margins.bottom()));
        if (room.isValid())
            wanted.setHeight(qMin(wanted.height(), qMax(room.height(), now.height())));
    }
    if (wanted == now)
        return false;
    dialog->setFixedSize(wanted);
    return true;
}

void placeDialogBeforeShow(QWidget* dialog)
{
    // What QWidget::setVisible() would do first, so that the size is final here.
    dialog->ensurePolished();
    if (QLayout* layout = dialog->layout())
        layout->activate();
    if (!dialog->testAttribute(Qt::WA_Resized)) {
        dialog->adjustSize();
        dialog->setAttribute(Qt::WA_Resized, false);
    }
    centreDialogOnMainWindow(dialog);
}

QCustomDialog::QCustomDialog(QWidget* parent, bool defaultTitleBar, bool showMinimize)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("dialog_customdlg"));
    setAttribute(Qt::WA_TranslucentBackground);
    setWindowModality(Qt::ApplicationModal);
    setWindowFlags(Qt::Window | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint);
    setFramelessWindow(this);

    m_pTitleBar = defaultTitleBar ? createDefaultTitleBar(showMinimize) : createCustomTitleBar();

    m_pBody = new QWidget(this);
    m_pBody->setStyleSheet(QStringLiteral("QPushButton{\t\toutline: none;\t\t}"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pTitleBar, 0, Qt::AlignTop);
    layout->addWidget(m_pBody, 1);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);

    g_presenter.AddNotify(this);
    g_presenter.AddDialog(this);

    // Queued when emitted on the enumeration thread: OnHandleUI() then runs on
    // the GUI thread, and a notification for a dialog already gone is dropped.
    connect(this, &QCustomDialog::currentDeviceLost, this, &QCustomDialog::OnCurrentDeviceLost2);

    // A parent that announces DPI changes re-lays out the dialog; no parent has
    // to, so look the signal up instead of asking Qt to warn about it.
    if (parent && parent->metaObject()->indexOfSignal("signal_dpiChanged(int)") >= 0)
        connect(parent, SIGNAL(signal_dpiChanged(int)), this, SLOT(OnDpiChanged(int)));
}

QCustomDialog::~QCustomDialog()
{
    g_presenter.DeleteNotify(this);
    g_presenter.DeleteDialog(this);
}

CSystemButton* QCustomDialog::createSystemButton(const QString& imageName)
{
    auto* button = new CSystemButton(this);
    const QSize size = QPixmap(QStringLiteral(":/Widget/") + imageName).size();
    button->setFixedSize(size.isEmpty() ? kFallbackButtonSize : size);
    button->setFocusPolicy(Qt::NoFocus);
    setButtonImgStyle(button, imageName);
    return button;
}

QWidget* QCustomDialog::createDefaultTitleBar(bool showMinimize)
{
    m_pTitleLabel = new QLabel(QString::fromLatin1(kTitle), this);
    m_pTitleLabel->setTextFormat(Qt::PlainText);
    m_pTitleLabel->setFixedHeight(kTitleLabelHeight);
    setLabelStyle(m_pTitleLabel, kTitleText, QColor(kTitleBarColor), kTitleBorder);

    m_pCloseBtn = createSystemButton(QStringLiteral("close"));
    connect(m_pCloseBtn, &QPushButton::clicked, this, &QDialog::close);

    if (showMinimize) {
        m_pMinBtn = createSystemButton(QStringLiteral("min"));
        connect(m_pMinBtn, &QPushButton::clicked, this, &QCustomDialog::sigMinimum);
    }

    auto* row = new QHBoxLayout;
    row->addWidget(m_pTitleLabel);
    row->addStretch();
    if (m_pMinBtn) {
        row->addWidget(m_pMinBtn);
        row->setSpacing(0);
    }
    row->addWidget(m_pCloseBtn);
    row->setContentsMargins(16, 0, 8, 0);

    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("dialog_titlebar"));
    bar->setAttribute(Qt::WA_StyledBackground);
    bar->setFixedHeight(kDefaultTitleBarHeight);
    bar->setLayout(row);
    bar->setStyleSheet(titleBarSheet());
    return bar;
}

QWidget* QCustomDialog::createCustomTitleBar()
{
    CSystemButton* close = createSystemButton(QStringLiteral("close"));
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    auto* logo = new QLabel(this);
    const QPixmap logoImage(QStringLiteral(":/Widget/logo2"));
    logo->setFixedSize(logoImage.size());
    logo->setPixmap(logoImage);
    logo->setStyleSheet(QStringLiteral("QLabel{border: none}"));

    auto* top = new QHBoxLayout;
    top->addStretch(1);
    top->addWidget(close, 0, Qt::AlignTop);
    top->setSpacing(0);
    top->setContentsMargins(0, 0, 0, 0);

    auto* column = new QVBoxLayout;
    column->addLayout(top);
    column->addWidget(logo, 0, Qt::AlignHCenter);
    column->addStretch(1);
    column->setSpacing(0);
    column->setContentsMargins(0, 4, 4, 0);

    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("dialog_titlebar"));
    bar->setAttribute(Qt::WA_StyledBackground);
    bar->setFixedHeight(kLogoTitleBarHeight);
    bar->setLayout(column);
    bar->setStyleSheet(titleBarSheet());
    return bar;
}

void QCustomDialog::SetMainWindow(QWidget* content, const QString& title)
{
    auto* layout = new QVBoxLayout;
    layout->addWidget(content, 0);
    layout->addStretch(1);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);
    m_pBody->setLayout(layout);

    if (title.isEmpty())
        return;
    if (m_pTitleLabel)
        m_pTitleLabel->setText(title);
}

void QCustomDialog::SetCloseBtnEnable(bool enable)
{
    if (m_pCloseBtn)
        m_pCloseBtn->setEnabled(enable);
}

void QCustomDialog::OnCurrentDeviceLost(bool)
{
    emit currentDeviceLost();
}

void QCustomDialog::OnInputSourceChanged(quint64)
{
    emit inputSourceChanged();
}

void QCustomDialog::OnHandleUI() {}

void QCustomDialog::OnCurrentDeviceLost2()
{
    OnHandleUI();
}

void QCustomDialog::OnDpiChanged(int)
{
    updateGeometry();
    update();
    centreDialogOnMainWindow(this);
}

void QCustomDialog::timerEvent(QTimerEvent*)
{
    updateGeometry();
    update();
    centreDialogOnMainWindow(this);
    killTimer(m_nTimerId);
}

void QCustomDialog::mousePressEvent(QMouseEvent* event)
{
    m_drag.Press(event, m_pTitleBar->geometry());
}

void QCustomDialog::mouseMoveEvent(QMouseEvent* event)
{
    m_drag.Move(event);
    event->ignore();
}

void QCustomDialog::mouseReleaseEvent(QMouseEvent* event)
{
    m_drag.Release(event);
    event->ignore();
}

void QCustomDialog::keyPressEvent(QKeyEvent* event)
{
    // Only Esc does something; Return and Enter must not fire a default button.
    if (event->key() == Qt::Key_Escape)
        reject();
    event->accept();
}

void QCustomDialog::paintEvent(QPaintEvent*)
{
    paintDialogBody(this);
}

void QCustomDialog::resizeEvent(QResizeEvent*) {}

void QCustomDialog::setVisible(bool visible)
{
    if (visible && !isVisible()) {
        ensurePolished();   // the fonts the content is measured with
        growFixedDialogToLayout(this);
        placeDialogBeforeShow(this);
    }
    QDialog::setVisible(visible);
}

bool QCustomDialog::event(QEvent* event)
{
    const bool handled = QDialog::event(event);
    // A text that changed while the dialog is shown: grow about the same centre, where
    // the dialog really is.
    if (event->type() == QEvent::LayoutRequest && isVisible()) {
        const QPoint centre = geometry().center();
        if (growFixedDialogToLayout(this))
            moveDialogOnScreen(this, centre + windowRecordLag(this) - QPoint(width() / 2, height() / 2));
    }
    return handled;
}

void QCustomDialog::showEvent(QShowEvent*)
{
    // Already placed (setVisible); the dialog's own placement must not run.
}

void QCustomDialog::changeEvent(QEvent*) {}
