#include "shell/titlebar.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QMutexLocker>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QToolTip>

#include "device/devicetext.h"
#include "device/lumivandrexpresenter.h"
#include "logging/lvlogger.h"
#include "platform/windowhelpers.h"
#include "shell/settingscommit.h"
#include "shell/wcenterwid.h"
#include "toolkit/csystembutton.h"
#include "toolkit/qwrappermsgbox.h"
#include "toolkit/stylesheetbuilder.h"
#include "toolkit/textfit.h"
#include "toolkit/wpushbutton.h"

namespace {
constexpr int kTitleHeight = 16;    // the name's label, at least
constexpr int kCenterHeight = 24;   // the frame around name and drop button, at least
constexpr int kTitleSlack = 12;     // free pixels beside the name in its label
constexpr int kTitleMinPixels = 12; // a name is made no smaller than this before it is elided
constexpr int kFrameWidth = 1;      // the focus frame drawn inside the centre widget's edges

// Only the header is read: the style sheets load the images themselves. The
// resources are PNG files without a suffix: named, the format is not guessed by
// asking every image plugin.
QSize ImageSize(const QString& path, const QSize& fallback)
{
    const QSize size = QImageReader(path, QByteArrayLiteral("png")).size();
    return size.isValid() ? size : fallback;
}

const char* const kDropButtonSheet =
    "QPushButton{border-image: url(:/Widget/btn_drop)}"
    "QPushButton:focus{outline: 1px; outline-color: #1b9dff; outline-style: solid; outline-radius: 4px; outline-offset: 0px}"
    "QPushButton::hover{border-image: url(:/Widget/btn_drop_hover)}"
    "QPushButton::pressed{border-image: url(:/Widget/btn_drop_pressed)}"
    "QPushButton::disabled{border: none; border-image: url(:/Widget/btn_drop_disabled)}"
    "QPushButton::menu-indicator{border-image: None}";

const char* const kMenuSheet =
    "QMenu{color: #9da1a6; background: rgb(57, 57, 57); border: 1px solid rgb(58, 58, 58); border-radius: 2px}"
    "QMenu::item{padding: 0px 24px 0px 24px; height: 28px}"
    "QMenu::item:!enabled{color: rgb(131, 131, 131)}"
    "QMenu::item:selected:enabled{background: #236495; color: white}"
    "QMenu::item:hover:enabled{background: #236495; color: white}"
    "QMenu::item:selected:!enabled{background: transparent}"
    "QMenu::item:checked{color: #1B9DFF}"
    "QMenu::indicator:checked{image: url(:/Widget/menu_checked)}"
    "QMenu::indicator:checked:selected{image: url(:/Widget/menu_checked_hover)}"
    "QMenu::separator{height: 1px; background: rgb(64, 64, 64); margin: 2px 12px 2px 28px}";

const char* const kCenterSheet =
    "QWidget {padding-left: 2px}"
    "QWidget:focus {outline: 1px; outline-color: #ffffff; outline-style: dotted; outline-radius: 0px; "
    "outline-offset: 0px; border-radius: 2px; border: 1px solid #1b9dff; border-image: none}";

// A device as the question about unsaved changes saw it: the libusb identity is
// kept with its own reference, so its address cannot be reused by a new device
// while the question is open.
struct AskedDevice {
    tagUSBDEVICE_DATA usb;
    LumivandrexDevice* device = nullptr;
};

// The attached device that is still the asked one, or null when it has gone.
// Presenter lock held by the caller.
LumivandrexDevice* FindAskedDevice(const AskedDevice& asked)
{
    if (!asked.device || !asked.usb.device)
        return nullptr;
    for (int i = 0; i < g_presenter.GetDeviceCount(); ++i) {
        tagDEVICE_INSTANCE* instance = g_presenter.GetDeviceInstance(i);
        if (instance && instance->usbData.device == asked.usb.device && instance->device == asked.device)
            return instance->device;
    }
    return nullptr;
}
} // namespace

TitleBar::TitleBar(QWidget* parent)
    : QWidget(parent)
{
    setFixedHeight(40);

    m_pLogo = new QLabel(this);
    m_pLogo->setFixedSize(ImageSize(QStringLiteral(":/Widget/logo"), QSize(120, 24)));
    m_pLogo->setFocusPolicy(Qt::NoFocus);
    m_pLogo->setStyleSheet(QStringLiteral("QLabel{border-image: url(:/Widget/logo)}"));

    m_pMinBtn = new CSystemButton(this);
    m_pMinBtn->setFixedSize(ImageSize(QStringLiteral(":/Widget/min"), QSize(32, 32)));
    m_pMinBtn->setFocusPolicy(Qt::NoFocus);
    setButtonImgStyle(m_pMinBtn, QStringLiteral("min"));
    m_pCloseBtn = new CSystemButton(this);
    m_pCloseBtn->setFixedSize(ImageSize(QStringLiteral(":/Widget/close"), QSize(32, 32)));
    m_pCloseBtn->setFocusPolicy(Qt::NoFocus);
    setButtonImgStyle(m_pCloseBtn, QStringLiteral("close"));
    connect(m_pMinBtn, &QPushButton::clicked, this, &TitleBar::minBtnClicked);
    connect(m_pCloseBtn, &QPushButton::clicked, this, &TitleBar::closeBtnClicked);

    m_pTitle = new QLabel(this);
    m_titleFont = font();
    m_titleFont.setWeight(63);
    m_pTitle->setFont(m_titleFont);
    // 16 pixels, or the font's height when it is larger: never cut at the top.
    m_pTitle->setFixedHeight(qMax(kTitleHeight, m_pTitle->fontMetrics().height()));
    m_pTitle->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    m_pTitle->installEventFilter(this);
    setLabelStyle(m_pTitle, QColor(QStringLiteral("#A0A0A0")), QColor(QStringLiteral("#24272C")), QColor(39, 39, 39));

    m_pDropBtn = new WPushButton(this);
    KEY_PROPERTY property;
    m_pDropBtn->GetDefaultProperty(&property);
    m_pDropBtn->SetProperty(&property);
    m_pDropBtn->setFixedSize(ImageSize(QStringLiteral(":/Widget/btn_drop"), QSize(16, 16)));
    m_pDropBtn->setStyleSheet(QString::fromLatin1(kDropButtonSheet));
    m_pDropBtn->setFocusPolicy(Qt::NoFocus);

    m_pDeviceMenu = NewMenu(this);
    connect(m_pDropBtn, &QPushButton::clicked, this, &TitleBar::OnDropBtnClicked);
    connect(m_pDeviceMenu, &QMenu::triggered, this, &TitleBar::OnSelectMenuItem);

    g_presenter.AddNotify(this);
    connect(this, &TitleBar::updateCurrentDeviceLost, this, &TitleBar::OnUpdateCurrentDeviceLost, Qt::QueuedConnection);
    connect(this, &TitleBar::updateOtherDeviceChanged, this, &TitleBar::OnUpdateOtherDeviceChanged,
            Qt::QueuedConnection);

    QHBoxLayout* rightLayout = m_pRightLayout = new QHBoxLayout;
    rightLayout->addStretch(1);
    rightLayout->addWidget(m_pMinBtn, 0, Qt::AlignTop);
    rightLayout->addWidget(m_pCloseBtn, 0, Qt::AlignTop);
    rightLayout->setSpacing(0);
    rightLayout->setContentsMargins(2, 4, 4, 0);

    m_pCenterWid = new WCenterWid(this);
    // The name and the arrow stay inside the focus frame: a name as tall as the frame
    // (a large font) would paint its background over the frame's top and bottom.
    m_pCenterWid->setFixedHeight(qMax(kCenterHeight, m_pTitle->height() + 2 * kFrameWidth));
    m_pCenterWid->setFocusPolicy(Qt::TabFocus);
    m_pCenterWid->SetPropChildBtn(m_pDropBtn);
    m_pCenterWid->setStyleSheet(QString::fromLatin1(kCenterSheet));
    QHBoxLayout* centerLayout = new QHBoxLayout(m_pCenterWid);
    centerLayout->addWidget(m_pTitle);
    centerLayout->addWidget(m_pDropBtn);
    centerLayout->setContentsMargins(4, kFrameWidth, kFrameWidth, kFrameWidth);

    QHBoxLayout* mainLayout = new QHBoxLayout(this);
    mainLayout->addWidget(m_pLogo, 1, Qt::AlignLeft | Qt::AlignVCenter);
    mainLayout->addWidget(m_pCenterWid, 0);
    mainLayout->addLayout(rightLayout, 1);
    mainLayout->setSpacing(4);
    mainLayout->setContentsMargins(10, 0, 0, 0);
}

TitleBar::~TitleBar()
{
    g_presenter.DeleteNotify(this);
}

QString TitleBar::DeviceDisplayName(const unsigned char* deviceInfo, int length)
{
    if (!deviceInfo || length < int(sizeof(_KVCAP_DEVICE_INFO)))
        return QString();
    const _KVCAP_DEVICE_INFO* info = reinterpret_cast<const _KVCAP_DEVICE_INFO*>(deviceInfo);
    return QStringLiteral("%1 (%2)").arg(DeviceText(info->productName), DeviceText(info->serialNumber));
}

QMenu* TitleBar::NewMenu(QWidget* parent)
{
    QMenu* menu = new QMenu(parent);
    menu->setFont(menuFont());
    menu->setStyleSheet(QString::fromLatin1(kMenuSheet));
    return menu;
}

QString TitleBar::GetTitleText() const
{
    return m_strTitle;
}

void TitleBar::HideDeviceMenu()
{
    m_pDeviceMenu->hide();
}

// ---- enumeration thread ------------------------------------------------------

void TitleBar::OnCurrentDeviceLost(bool bLost)
{
    emit updateCurrentDeviceLost(bLost);
}

void TitleBar::OnOtherDeviceChanged(bool bLost, QString strProductName)
{
    emit updateOtherDeviceChanged(bLost, strProductName);
}

// ---- GUI thread --------------------------------------------------------------

void TitleBar::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    QPainterPath path;
    path.addRect(QRectF(0, 0, width(), height() - 1));
    painter.fillPath(path, QColor(QStringLiteral("#24272C")));
    painter.end();
    QWidget::paintEvent(event);
}

void TitleBar::contextMenuEvent(QContextMenuEvent* event)
{
    // The main window decides whether a menu belongs here (only without a tray). Opened
    // with the Menu key, the event's screen position comes from the window's record.
    emit showContextMenu(mapToScreen(this, event->pos()));
}

bool TitleBar::eventFilter(QObject* watched, QEvent* event)
{
    // The name is part of the drop-down: a click on it opens the menu as the drop
    // button does. The events go on to the main window, so a press on the name that
    // moves the pointer drags the window like the rest of the bar, and opens nothing.
    const QEvent::Type type = event->type();
    if (watched != m_pTitle
        || (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease))
        return QWidget::eventFilter(watched, event);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const auto travelled = [&] { return (mouse->globalPos() - m_namePressPos).manhattanLength(); };
    switch (type) {
    case QEvent::MouseButtonPress:
        m_bNameClick = mouse->button() == Qt::LeftButton;
        m_namePressPos = mouse->globalPos();
        break;
    case QEvent::MouseMove:
        if (m_bNameClick && travelled() >= QApplication::startDragDistance())
            m_bNameClick = false;
        break;
    case QEvent::MouseButtonRelease:
        if (mouse->button() != Qt::LeftButton)
            break;
        // Opened once the release has reached the window too, so its drag has ended.
        if (m_bNameClick && travelled() < QApplication::startDragDistance()
            && m_pTitle->rect().contains(mouse->pos()))
            QMetaObject::invokeMethod(this, &TitleBar::OnDropBtnClicked, Qt::QueuedConnection);
        m_bNameClick = false;
        break;
    default:
        break;
    }
    return false;
}

void TitleBar::RebuildDeviceMenu(int checkedIndex)
{
    // Old entries may still be the sender of the triggered() being handled;
    // delete them once control is back in the event loop.
    const QList<QAction*> old = m_pDeviceMenu->actions();
    m_pDeviceMenu->clear();
    for (QAction* action : old)
        action->deleteLater();
    m_pCheckedAction = nullptr;

    QStringList gone = m_knownDevices;
    m_knownDevices.clear();
    const int count = g_presenter.GetDeviceCount();
    for (int i = 0; i < count; ++i) {
        tagDEVICE_INSTANCE* instance = g_presenter.GetDeviceInstance(i);
        if (!instance)
            continue;
        const QString name = DeviceDisplayName(reinterpret_cast<const unsigned char*>(&instance->deviceInfo),
                                               int(sizeof(instance->deviceInfo)));
        m_knownDevices << name;
        if (!gone.removeOne(name))
            LV_LOG_INFO("device plugged: " << name);
        QAction* action = new QAction(name, this);
        action->setData(i);
        if (i == checkedIndex) {
            action->setCheckable(true);
            action->setChecked(true);
            m_pCheckedAction = action;
        }
        m_pDeviceMenu->addAction(action);
    }
    for (const QString& name : gone)
        LV_LOG_INFO("device unplugged: " << name);
}

void TitleBar::SetTitleText(const QString& text)
{
    m_strTitle = text;
    FitTitleText();
}

int TitleBar::TitleRoom() const
{
    // What the bar's other parts leave for the name: the logo, the minimise and close
    // buttons, the drop button, and the margins and spacings between them.
    const QMargins outer = layout()->contentsMargins();
    const QMargins centre = m_pCenterWid->layout()->contentsMargins();
    const int outerSpacing = qMax(0, layout()->spacing());
    const int centreSpacing = qMax(0, m_pCenterWid->layout()->spacing());
    return width() - outer.left() - outer.right() - 2 * outerSpacing - m_pLogo->width()
        - m_pRightLayout->minimumSize().width() - centre.left() - centre.right() - centreSpacing
        - m_pDropBtn->width();
}

void TitleBar::FitTitleText()
{
    // The frame around the name has no stretch: the label asks for room for the
    // name (with some slack). A name too long for the bar (a large font) first takes
    // a smaller font, as other texts do, so that two devices of one model still show
    // their serial numbers; only below a readable size is it elided, and then the
    // tool tip has it whole.
    if (!layout())
        return;   // still being built
    const int room = qMax(0, TitleRoom() - kTitleSlack);
    QFont font = FontFittingWidth(m_titleFont, {m_strTitle}, room);
    const int smallest = qMin(kTitleMinPixels, QFontInfo(m_titleFont).pixelSize());
    if (font.pixelSize() < smallest)
        font.setPixelSize(smallest);
    const QFontMetrics metrics(font);
    const QString shown = metrics.elidedText(m_strTitle, Qt::ElideRight, room);
    m_pTitle->setFont(font);
    m_pTitle->setText(shown);
    m_pTitle->setToolTip(shown == m_strTitle ? QString() : m_strTitle);
    m_pTitle->setMinimumWidth(metrics.horizontalAdvance(shown) + kTitleSlack);
}

void TitleBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FitTitleText();
}

void TitleBar::ShowDeviceControls(bool show)
{
    if (!show)
        SetTitleText(QString());
    m_pDropBtn->setVisible(show);
    m_pCenterWid->setVisible(show);
}

void TitleBar::OnDropBtnClicked()
{
    const QPoint anchor(m_pDropBtn->width() - m_pDeviceMenu->sizeHint().width(), m_pDropBtn->height());
    m_pDeviceMenu->exec(mapToScreen(m_pDropBtn, anchor));
}

void TitleBar::AskAndCommitBeforeSwitch()
{
    AskedDevice asked;
    {
        QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
        if (tagDEVICE_INSTANCE* instance = g_presenter.GetCurrentInstance()) {
            asked.usb = instance->usbData;
            asked.device = instance->device;
        }
    }

    QString text = tr("Proceed with saving changes?");
    int height = 240;
    switch (g_presenter.GetUIChangeType()) {
    case UI_CHANGE_RECONNECT:
        text = tr("Proceed with saving changes? Some options will only take effect after reconnecting the device.");
        height = 260;
        break;
    case UI_CHANGE_REBOOT:
        text = tr("Proceed with saving changes? Some options will only take effect after reconnecting the device "
                  "and rebooting the computer.");
        height = 260;
        break;
    default:
        break;
    }
    const int answer = QWrapperMsgBox::Ask(MSG_TYPE_QUESTION, text, tr("Yes"), tr("No"), 420, height, this);

    const SETTINGS_COMMIT_COMMAND command = answer == 1 ? SETTINGS_COMMIT_SAVE : SETTINGS_COMMIT_DISCARD;
    bool failed = false;
    {
        // While the question was open the list may have changed (the device
        // unplugged, another one plugged in or made current): the commit belongs
        // to the device the user was asked about, and only if it is still here.
        QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
        if (LumivandrexDevice* device = FindAskedDevice(asked))
            failed = !WriteSettingsCommit(device, command);
    }
    if (failed && command == SETTINGS_COMMIT_SAVE) {
        QWrapperMsgBox::Ask(MSG_TYPE_QUESTION,
                            tr("Failed to save the changes to the previous device. The changes will be lost."),
                            tr("OK"), QString(), 420, 240, this);
    }
}

void TitleBar::OnSelectMenuItem(QAction* pAction)
{
    if (!pAction)
        return;
    if (pAction == m_pCheckedAction) {
        pAction->setChecked(true);
        return;
    }
    if (m_pCheckedAction)
        m_pCheckedAction->setChecked(false);
    pAction->setCheckable(true);
    pAction->setChecked(true);
    m_pCheckedAction = pAction;
    // Read before any question: device events handled while it is open may
    // rebuild the menu and delete this entry.
    const int chosen = pAction->data().toInt();

    if (g_presenter.IsUIChanged())
        AskAndCommitBeforeSwitch();

    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    const int count = g_presenter.GetDeviceCount();
    if (count <= 0) {
        ShowDeviceControls(false);
        emit devicesRemoved();
        repaint();
    } else {
        const int index = chosen < count ? chosen : count - 1;
        RebuildDeviceMenu(index);
        SetTitleText(m_pCheckedAction ? m_pCheckedAction->text() : QString());
        ShowDeviceControls(true);
        g_presenter.SetCurrentIndex(index, true);
        LV_LOG_INFO("current device switched to " << GetTitleText());
    }
    g_presenter.SetUIChangeType(UI_CHANGE_IMMEDIATE);
    emit initPages();
}

void TitleBar::OnUpdateCurrentDeviceLost(bool bLost)
{
    if (bLost && !g_presenter.IsFirmwareUpgrading()) {
        g_presenter.SetUIChanged(false, UI_CHANGE_IMMEDIATE);
        QWidget* mainWindow = window();
        if (mainWindow && mainWindow != this && !mainWindow->isVisible())
            mainWindow->showNormal();
        QWrapperMsgBox::Ask(MSG_TYPE_QUESTION, tr("Couldn't detect the device. The changes will be lost."),
                            tr("OK"), QString(), 420, 240, this, QStringLiteral("msgbox_device_lost"));
    }

    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    m_pDeviceMenu->hide();
    if (g_presenter.GetDeviceCount() <= 0) {
        RebuildDeviceMenu(-1);
        ShowDeviceControls(false);
        emit devicesRemoved();
        repaint();
        return;
    }
    RebuildDeviceMenu(0);
    SetTitleText(m_pCheckedAction ? m_pCheckedAction->text() : QString());
    g_presenter.SetCurrentIndex(0, true);
    ShowDeviceControls(true);
    emit initPages();
}

void TitleBar::OnUpdateOtherDeviceChanged(bool bLost, QString strProductName)
{
    setStyleSheet(QStringLiteral("QToolTip{background: white; color: rgb(80, 80, 80); border: 1px solid white}"));
    if (!bLost) {
        QString text = tr("New device available");
        if (!strProductName.isEmpty())
            text += QStringLiteral("(") + strProductName + QStringLiteral(")");
        QToolTip::showText(mapToScreen(this, QPoint(2 * width() / 3 - 20, 20)), text, this, QRect(), 4000);
    }
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    m_pDeviceMenu->hide();
    RebuildDeviceMenu(g_presenter.GetCurrentIndex());
}
