#include "qwrappermsgbox.h"

#include "csystembutton.h"
#include "device/lumivandrexpresenter.h"
#include "qcustomdialog.h"
#include "stylesheetbuilder.h"
#include "wpushbutton.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QTextDocument>
#include <QTextOption>
#include <QVBoxLayout>
#include <QtMath>

namespace {
const char* const kTitle = "Lumivandrex Utility";   // never translated
const QColor kTitleText(236, 236, 236);
const char* const kTitleBarColor = "#272727";
const QColor kBorder(39, 39, 39);
const char* const kBodyColor = "#393939";
const int kTitleLabelHeight = 24;
const QSize kFallbackButtonSize(16, 16);
const QRect kIconGeometry(30, 25, 41, 90);
const int kTextX = 80;
const int kTextY = 25;
const int kTextHeight = 90;
const int kTextBottomSpace = 35;  // below the text of a box of the usual 240 pixels
const int kTextSideSpace = 160;   // box width minus text width
const int kLineHeight = 18;       // the box's own line spacing, where the font's is not larger
const QSize kButtonSize(124, 32);
const int kButtonSpacing = 36;
}

QWrapperMsgBox::QWrapperMsgBox(tagMSG_TYPE type, const QString& text, const QString& okText,
                               const QString& cancelText, int width, int height, QWidget* parent)
    : QDialog(parent)
    , m_type(type)
    , m_text(text)
    , m_nWidth(width)
    , m_nHeight(height)
{
    setObjectName(QStringLiteral("dialog_msgbox"));
    setAttribute(Qt::WA_TranslucentBackground);
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);

    m_pTitleBar = createTitleBar();
    m_pMainWnd = createMainWnd();
    m_pButtonBar = createButtonBar(okText, cancelText);
    fitToText();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pTitleBar, 0);
    layout->addWidget(m_pMainWnd, 0);
    layout->addWidget(m_pButtonBar, 0);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);

    g_presenter.AddNotify(this);
    g_presenter.AddDialog(this);

    // Queued when emitted on the enumeration thread; dropped if the box is gone.
    connect(this, &QWrapperMsgBox::signal_currentDeviceLost, this, &QWrapperMsgBox::OnCurrentDeviceLost2);
}

QWrapperMsgBox::~QWrapperMsgBox()
{
    g_presenter.DeleteNotify(this);
    g_presenter.DeleteDialog(this);
}

QWidget* QWrapperMsgBox::createTitleBar()
{
    auto* title = new QLabel(QString::fromLatin1(kTitle), this);
    title->setTextFormat(Qt::PlainText);
    title->setFixedHeight(kTitleLabelHeight);
    setLabelStyle(title, kTitleText, QColor(kTitleBarColor), kBorder);

    auto* close = new CSystemButton(this);
    const QSize size = QPixmap(QStringLiteral(":/Widget/close")).size();
    close->setFixedSize(size.isEmpty() ? kFallbackButtonSize : size);
    close->setFocusPolicy(Qt::NoFocus);
    setButtonImgStyle(close, QStringLiteral("close"));
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    auto* row = new QHBoxLayout;
    row->addWidget(title);
    row->addStretch();
    row->addWidget(close);
    row->setContentsMargins(16, 0, 8, 0);

    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("msgbox_titlebar"));
    bar->setAttribute(Qt::WA_StyledBackground);
    bar->setFixedHeight(kTitleBarHeight);
    bar->setStyleSheet(QStringLiteral("QWidget#msgbox_titlebar{background: %1; border: 0px; border-radius: 0px;}")
                           .arg(QColor(kTitleBarColor).name()));
    bar->setLayout(row);
    return bar;
}

QWidget* QWrapperMsgBox::createMainWnd()
{
    auto* area = new QWidget(this);
    area->setObjectName(QStringLiteral("msgbox_main"));
    area->setAttribute(Qt::WA_StyledBackground);
    area->setStyleSheet(QStringLiteral("QWidget#msgbox_main{background: %1; border: 0px; border-radius: 0px;}")
                            .arg(QColor(kBodyColor).name()));

    auto* icon = new QLabel(area);
    icon->setPixmap(QPixmap(QStringLiteral(":/Widget/msg_warning")));
    icon->setGeometry(kIconGeometry);

    // The text may quote file or device names: escape it so it is shown as
    // written, and keep the caller's line breaks.
    QString body = m_text.toHtmlEscaped();
    body.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
    m_pTextLabel = new QLabel(area);
    m_pTextLabel->setTextFormat(Qt::RichText);
    const int lineHeight = qMax(kLineHeight, m_pTextLabel->fontMetrics().lineSpacing());
    m_pTextLabel->setText(QStringLiteral("<p style='line-height: %1px'>").arg(lineHeight) + body
                          + QStringLiteral("</p>"));
    setLabelStyle(m_pTextLabel, kTitleText, QColor(kBodyColor), kBorder);
    m_pTextLabel->setWordWrap(true);
    m_pTextLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return area;
}

void QWrapperMsgBox::fitToText()
{
    const QSize room = dialogScreenArea(this).size();
    const int frame = kTitleBarHeight + kButtonBarHeight;
    int textWidth = qMax(0, m_nWidth - kTextSideSpace);
    // Wider only for a word longer than the line; a sentence wraps into more lines.
    QTextDocument document;
    document.setDefaultFont(m_pTextLabel->font());
    document.setDocumentMargin(0);
    QTextOption wrap = document.defaultTextOption();
    wrap.setWrapMode(QTextOption::WordWrap);   // as the label wraps: a long word is not broken
    document.setDefaultTextOption(wrap);
    document.setHtml(m_pTextLabel->text());
    document.setTextWidth(textWidth);
    const int callerTextWidth = textWidth;
    const int longestWord = qCeil(document.idealWidth());
    if (longestWord > textWidth)
        textWidth = room.isValid() ? qMax(textWidth, qMin(longestWord, room.width() - kTextSideSpace)) : longestWord;
    // Taller only where the wrapped text needs more than the box's usual text height.
    const int needed = m_pTextLabel->heightForWidth(textWidth);
    int textHeight = qMax(kTextHeight, needed);
    int areaHeight = qMax(0, m_nHeight - frame);
    if (needed > kTextHeight)
        areaHeight = qMax(areaHeight, kTextY + needed + kTextBottomSpace);
    if (room.isValid() && areaHeight + frame > qMax(room.height(), m_nHeight)) {
        // Taller than the screen: the buttons stay on it and the text takes a smaller font.
        areaHeight = qMax(m_nHeight, room.height()) - frame;
        textHeight = qMax(kTextHeight, areaHeight - kTextY - kTextBottomSpace);
    }
    setFixedSize(m_nWidth + textWidth - callerTextWidth, areaHeight + frame);
    m_pMainWnd->setFixedHeight(qMax(0, areaHeight));
    m_pTextLabel->setGeometry(kTextX, kTextY, textWidth, textHeight);
}

QWidget* QWrapperMsgBox::createButtonBar(const QString& okText, const QString& cancelText)
{
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("msgbox_buttonbar"));
    bar->setAttribute(Qt::WA_StyledBackground);
    bar->setFixedHeight(kButtonBarHeight);
    bar->setStyleSheet(QStringLiteral("QWidget#msgbox_buttonbar{background: %1;}QPushButton{outline: none;}")
                           .arg(QColor(kBodyColor).name()));

    auto* row = new QHBoxLayout(bar);
    row->addStretch(1);
    if (!okText.isEmpty()) {
        m_pOkBtn = new WPushButton(okText, bar);
        m_pOkBtn->setObjectName(QStringLiteral("btn_dialog"));
        m_pOkBtn->setDefault(true);
        m_pOkBtn->setFixedSize(kButtonSize);
        connect(m_pOkBtn, &QPushButton::clicked, this, &QWrapperMsgBox::OnOKClicked);
        row->addWidget(m_pOkBtn);
        if (cancelText.isEmpty())
            row->addStretch(1);
    }
    if (!cancelText.isEmpty()) {
        m_pCancelBtn = new WPushButton(cancelText, bar);
        m_pCancelBtn->setObjectName(QStringLiteral("btn_dialog"));
        m_pCancelBtn->setFixedSize(kButtonSize);
        connect(m_pCancelBtn, &QPushButton::clicked, this, &QWrapperMsgBox::OnCancelClicked);
        row->addWidget(m_pCancelBtn);
        row->addStretch(1);
    }
    row->setSpacing(kButtonSpacing);
    row->setContentsMargins(10, 0, 10, 30);
    return bar;
}

void QWrapperMsgBox::OnOKClicked()
{
    m_nResult = 1;
    accept();
}

void QWrapperMsgBox::OnCancelClicked()
{
    m_nResult = 2;
    reject();
}

void QWrapperMsgBox::OnCurrentDeviceLost(bool)
{
    emit signal_currentDeviceLost();
}

void QWrapperMsgBox::OnCurrentDeviceLost2()
{
    const QString name = objectName();
    if (name == QLatin1String("msgbox_device_lost"))
        return;   // this box reports the loss itself
    if (name == QLatin1String("msgbox_firmware_download")) {
        accept();
        return;
    }
    close();
}

void QWrapperMsgBox::OnDpiChanged(int)
{
    updateGeometry();
    update();
    centreDialogOnMainWindow(this);
}

void QWrapperMsgBox::mousePressEvent(QMouseEvent* event)
{
    m_drag.Press(event, QRect(QPoint(0, 0), m_pTitleBar->size()));
    event->ignore();
}

void QWrapperMsgBox::mouseMoveEvent(QMouseEvent* event)
{
    m_drag.Move(event);
    event->ignore();
}

void QWrapperMsgBox::mouseReleaseEvent(QMouseEvent* event)
{
    m_drag.Release(event);
    event->ignore();
}

void QWrapperMsgBox::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        accept();
        break;
    case Qt::Key_Escape:
        reject();
        break;
    default:
        break;
    }
    event->accept();
}

void QWrapperMsgBox::paintEvent(QPaintEvent* event)
{
    paintDialogBody(this);
    QDialog::paintEvent(event);
}

void QWrapperMsgBox::setVisible(bool visible)
{
    if (visible && !isVisible())
        placeDialogBeforeShow(this);
    QDialog::setVisible(visible);
}

void QWrapperMsgBox::showEvent(QShowEvent*)
{
    // Already placed (setVisible); the dialog's own placement must not run.
}

int QWrapperMsgBox::Ask(tagMSG_TYPE type, const QString& text, const QString& okText, const QString& cancelText,
                        int width, int height, QWidget* parent, const QString& objectName)
{
    QWrapperMsgBox box(type, text, okText, cancelText, width, height, parent);
    if (!objectName.isEmpty())
        box.setObjectName(objectName);
    return box.exec();
}
