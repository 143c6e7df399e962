// The firmware update cell of QWrapperTableWidget: the value cell of row 3 in
// the update form. Kept apart from the table code because it is a small state
// display of its own (OPT_UI_TYPE) that the Info page drives.
#include "qwrappertablewidget.h"

#include "qcelllabel.h"
#include "textfit.h"
#include "wpushbutton.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMovie>
#include <QProgressBar>
#include <QTextDocument>
#include <QtMath>

namespace {
const QColor kLightGrey(236, 236, 236);
const QColor kBlue(27, 157, 255);
const QColor kRed(221, 55, 55);
const QColor kBarTrack(92, 92, 92);
const char* const kVersionColor = "#A0A0A0";
const char* const kSeparatorColor = "#2A2A2A";
const QSize kProgressSize(72, 4);
const int kProgressRadius = 2;
const QSize kAnimationSize(20, 20);
const QSize kButtonSize(16, 16);
const int kPartSpacing = 4;
const int kRightMargin = 8;

// Option button kinds (what a click will ask for next).
enum OptButtonKind { kCheck = 0, kDownload = 1, kCancel = 2, kUpdate = 3, kRetry = 4, kHelp = 5 };

QString labelSheet(const QColor& color, int paddingLeft)
{
    return QStringLiteral("QLabel{\t\t\tcolor: ") + color.name()
        + QStringLiteral(";\t\t\tbackground: transparent;\t\t\tborder: 0px;\t\t\tpadding-left: ")
        + QString::number(paddingLeft) + QStringLiteral("px;\t\t}");
}

QString progressSheet()
{
    return QStringLiteral("QProgressBar{\t\t\tborder: 0px;\t\t\tborder-radius: ") + QString::number(kProgressRadius)
        + QStringLiteral("px;\t\t\tbackground-color:") + kBarTrack.name()
        + QStringLiteral(";\t\t}QProgressBar::chunk{\t\t\tborder: 0px;\t\t\tborder-radius: ")
        + QString::number(kProgressRadius) + QStringLiteral("px;\t\t\tbackground-color: ") + kBlue.name()
        + QStringLiteral(";\t\t}");
}

QString cellSheet()
{
    const QString sep = QColor(kSeparatorColor).name();
    return QStringLiteral("QWidget{\t\t\t\t\tbackground: transparent;\t\t\t\t\tborder-left: 2px solid ") + sep
        + QStringLiteral(";\t\t\t\t\tborder-bottom: 1px solid ") + sep
        + QStringLiteral(";\t\t\t\t\tborder-right: 0px;\t\t\t\t\tborder-top: 0px;\t\t\t\t\tborder-radius: 0px;"
                         "\t\t\t\t\t}");
}

// Tooltips are taken for rich text when they look like it; keep outside text literal.
QString plainToolTip(const QString& text)
{
    return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text, Qt::WhiteSpaceNoWrap) : text;
}

// "<message> (<version>)" in two colours; the version comes from the update
// service and is escaped so that it can never be read as markup.
QString twoColourText(const QString& message, const QColor& messageColor, const QString& version,
                      const QColor& versionColor)
{
    return QStringLiteral("<font color=") + messageColor.name() + QStringLiteral(">") + message.toHtmlEscaped()
        + QStringLiteral("</font><font color=") + versionColor.name() + QStringLiteral("> (")
        + version.toHtmlEscaped() + QStringLiteral(")</font>");
}
}

QWidget* QWrapperTableWidget::CreateUpdateCell()
{
    auto* cell = new QWidget(this);

    m_pVerLabel = new QLabel(cell);
    m_pVerLabel->setTextFormat(Qt::PlainText);   // firmware version from the device
    m_pVerLabel->setIndent(QCellLabel::kTextIndent);   // in line with the other values
    setVerTextColor(QColor(kVersionColor));

    m_pProgress = new QProgressBar(cell);
    m_pProgress->setFocusPolicy(Qt::NoFocus);
    m_pProgress->setFixedSize(kProgressSize);
    m_pProgress->setStyleSheet(progressSheet());
    m_pProgress->setTextVisible(false);
    m_pProgress->setRange(0, 100);
    m_pProgress->setValue(0);

    m_pMsgLabel = new QLabel(cell);
    m_pMsgLabel->setTextFormat(Qt::RichText);   // states 3 and 8 colour their two halves
    FitTextAlone(m_pMsgLabel);   // a message, not a value: the column keeps the size its values fit
    setMsgTextColor(kBlue);

    m_pAnimLabel = new QLabel(cell);
    m_pAnimLabel->setFixedSize(kAnimationSize);
    m_pAnimLabel->setStyleSheet(QStringLiteral("QLabel{\t\t\t\t\t\tborder:0px;\t\t\t\t\t}"));
    m_pMovie = new QMovie(QStringLiteral(":/Widget/update_checking"), QByteArray("gif"), m_pAnimLabel);
    m_pAnimLabel->setMovie(m_pMovie);

    m_pBtnInfo = new WPushButton(cell);
    m_pBtnInfo->setToolTip(tr("Release notes"));
    m_pBtnInfo->setFixedSize(kButtonSize);
    setUpdateImg(m_pBtnInfo, QStringLiteral("info"));
    connect(m_pBtnInfo, &QPushButton::clicked, this, &QWrapperTableWidget::sigUpgradeInfo);

    m_pBtnOpt = new WPushButton(cell);
    setOptBtnImg(kCheck, QString());
    connect(m_pBtnOpt, &QPushButton::clicked, this, &QWrapperTableWidget::OnOptBtnClicked);

    auto* layout = new QHBoxLayout(cell);
    // The version takes the room the other parts leave: a label that had only the width
    // of its text would be fitted to its old text's width when the text changes.
    layout->addWidget(m_pVerLabel, 1);
    layout->addWidget(m_pProgress);
    layout->addWidget(m_pMsgLabel);
    layout->addWidget(m_pAnimLabel);
    layout->addWidget(m_pBtnInfo);
    layout->addWidget(m_pBtnOpt);
    layout->setSpacing(kPartSpacing);
    layout->setContentsMargins(0, 0, kRightMargin, 0);

    cell->setStyleSheet(cellSheet());
    return cell;
}

void QWrapperTableWidget::setVerTextColor(const QColor& color)
{
    if (m_pVerLabel)
        m_pVerLabel->setStyleSheet(labelSheet(color, 10));
}

void QWrapperTableWidget::setMsgTextColor(const QColor& color)
{
    if (m_pMsgLabel)
        m_pMsgLabel->setStyleSheet(labelSheet(color, 0));
}

void QWrapperTableWidget::setUpdateImg(QPushButton* button, const QString& name)
{
    if (!button)
        return;
    const QString img = QStringLiteral(":/Widget/update_") + name;
    button->setStyleSheet(
        QStringLiteral("QPushButton{\t\t\tborder: 0px;\t\t\tborder-image: url(") + img
        + QStringLiteral(");\t\t}QPushButton:focus{\t\t\toutline: 1px;\t\t\toutline-color: white")
        + QStringLiteral(";\t\t\toutline-style: solid;\t\t\toutline-radius: 4px;\t\t\toutline-offset: 2px;\t\t}"
                         "QPushButton::hover{\t\t\tborder-image: url(")
        + img + QStringLiteral("_hover);\t\t}QPushButton::pressed{\t\t\tborder-image: url(") + img
        + QStringLiteral("_press);\t\t}QPushButton::disabled{\t\t\tborder-color: rgb(131,131,131);"
                         "\t\t\tborder-image: url(")
        + img
        + QStringLiteral(");\t\t}QToolTip{\t\t\tcolor: rgb(80, 80, 80);\t\t\tborder: 1px solid white;"
                         "\t\t\tborder-radius: 4px;\t\t\tbackground: rgb(255,255,255);\t\t}"));
}

void QWrapperTableWidget::setOptBtnImg(int kind, const QString& detail)
{
    if (!m_pBtnOpt)
        return;
    QString toolTip;
    QString image;
    switch (kind) {
    case kCheck:
        toolTip = tr("Check for updates");
        image = QStringLiteral("check");
        break;
    case kDownload:
        toolTip = tr("Download");
        if (!detail.isEmpty())
            toolTip += QStringLiteral("(") + detail + QStringLiteral(")");
        image = QStringLiteral("download");
        break;
    case kCancel:
        toolTip = tr("Cancel downloading");
        image = QStringLiteral("cancel");
        break;
    case kUpdate:
        toolTip = tr("Update");
        image = QStringLiteral("update");
        break;
    case kRetry:
        toolTip = tr("Retry");
        image = QStringLiteral("retry");
        break;
    case kHelp:
        toolTip = tr("Help");
        image = QStringLiteral("help");
        break;
    default:
        break;
    }
    if (!image.isEmpty()) {
        m_pBtnOpt->setToolTip(plainToolTip(toolTip));
        setUpdateImg(m_pBtnOpt, image);
    }
    m_pBtnOpt->setFixedSize(kButtonSize);
}

void QWrapperTableWidget::SetUpgradeOptType(int type, const QString& version, const QString& detail, bool bTrue)
{
    if (!m_pVerLabel || !m_pMsgLabel || !m_pBtnInfo || !m_pBtnOpt)
        return;
    // A repeated "checking" keeps its animation running, a repeated
    // "downloading" keeps its progress.
    if (type == m_nOptType && (type == OPT_UI_CHECKING || type == OPT_UI_DOWNLOADING))
        return;

    setVerTextColor(QColor(kVersionColor));
    m_pMsgLabel->show();
    if (m_pAnimLabel)
        m_pAnimLabel->hide();
    if (m_pMovie)
        m_pMovie->stop();

    bool showInfo = false;
    bool showOpt = true;
    bool showProgress = false;
    QColor msgColor = kLightGrey;
    QString message;
    int optKind = kCheck;
    QString optDetail;

    switch (type) {
    case OPT_UI_CHECK:
        break;
    case OPT_UI_CHECKING:
        if (!bTrue)
            message = tr("Checking for updates");
        if (m_pAnimLabel)
            m_pAnimLabel->show();
        if (m_pMovie)
            m_pMovie->start();
        showOpt = false;
        break;
    case OPT_UI_NEWVER:
        if (!bTrue) {
            message = version.isEmpty() ? tr("New version available").toHtmlEscaped()
                                        : twoColourText(tr("New version available"), kLightGrey, version, kBlue);
        }
        m_pBtnInfo->setToolTip(bTrue ? plainToolTip(tr("Release notes") + QStringLiteral(" (") + version
                                                    + QStringLiteral(")"))
                                     : tr("Release notes"));
        showInfo = true;
        optKind = kDownload;
        optDetail = detail;
        break;
    case OPT_UI_LATEST:
        if (!bTrue)
            message = tr("It is the latest version.");
        break;
    case OPT_UI_CHECKFAILED:
        message = tr("Connection failed, please try again");
        optKind = kRetry;
        break;
    case OPT_UI_DOWNLOADING:
        msgColor = kBlue;
        message = QStringLiteral("0.00%");
        if (m_pProgress)
            m_pProgress->setValue(0);
        showProgress = true;
        optKind = kCancel;
        break;
    case OPT_UI_DOWNFAILED:
        msgColor = kRed;
        message = tr("Download failed, please try again");
        optKind = kRetry;
        break;
    case OPT_UI_UPGRADE:
        msgColor = kBlue;
        message = version.isEmpty() ? tr("New version prepared").toHtmlEscaped()
                                    : twoColourText(tr("New version prepared"), kBlue, version, kLightGrey);
        optKind = kUpdate;
        break;
    case OPT_UI_UPFAILED:
        m_pMsgLabel->hide();
        setVerTextColor(kRed);
        m_pVerLabel->setText(tr("The device may have been damaged"));
        optKind = kHelp;
        break;
    case OPT_UI_UPSUCCESS:
        m_pMsgLabel->hide();
        setVerTextColor(kBlue);
        m_pVerLabel->setText(tr("Update succeed, unplug and replug the device"));
        showOpt = false;
        break;
    default:   // OPT_UI_NONE and any unknown value
        showOpt = false;
        break;
    }

    // These states show a message in the version's place: not a value of the column.
    FitTextAlone(m_pVerLabel, type == OPT_UI_UPFAILED || type == OPT_UI_UPSUCCESS);
    if (type != OPT_UI_UPFAILED && type != OPT_UI_UPSUCCESS) {
        setMsgTextColor(msgColor);
        m_pMsgLabel->setText(message);
    }
    m_pBtnInfo->setVisible(showInfo);
    if (showOpt)
        setOptBtnImg(optKind, optDetail);
    m_pBtnOpt->setVisible(showOpt);
    if (m_pProgress)
        m_pProgress->setVisible(showProgress);

    m_nOptType = type;
    update();
}

void QWrapperTableWidget::SetDownloadProcess(float percent)
{
    if (qIsNaN(percent))
        percent = 0.0f;
    if (m_pProgress)
        m_pProgress->setValue(qBound(0, static_cast<int>(percent), 100));
    if (m_pMsgLabel)
        m_pMsgLabel->setText(QString::number(static_cast<double>(percent), 'f', 2) + QStringLiteral("%"));
}
