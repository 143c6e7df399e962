#include "shell/aboutdialog.h"

#include "shell/cconfig.h"
#include "toolkit/stylesheetbuilder.h"

#include <QCoreApplication>
#include <QDate>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace {
// The maker's addresses; the regional one is used with the Chinese language.
const char kWebSite[] = "https://www.kivorant.example";
const char kWebSiteRegional[] = "https://www.kivorant.example.cn";

const int kDialogWidth = 420;
const int kDialogHeight = 300;
} // namespace

AboutDialog::AboutDialog(QWidget* parent)
    : QCustomDialog(parent, false, false)
{
    setFixedSize(kDialogWidth, kDialogHeight);
    // Empty title: the logo title bar shows no text anyway.
    SetMainWindow(CreateMainWnd(), QString());
}

QString AboutDialog::VersionText()
{
    return tr("Kivorant Lumivandrex Utility V%1.%2.%3.%4").arg(3).arg(0).arg(4).arg(30002);
}

QString AboutDialog::WebSiteForIni(const QString& iniPath)
{
    CConfig config;
    QString site = QString::fromLatin1(kWebSite);
    if (config.Init(iniPath)) {
        if (config.ReadValueString(QStringLiteral("SETTINGS/Language")) == QLatin1String("Chinese"))
            site = QString::fromLatin1(kWebSiteRegional);
        config.Exit();
    }
    return site;
}

QWidget* AboutDialog::CreateMainWnd()
{
    const QColor text(236, 236, 236);
    const QColor background(QStringLiteral("#393939"));
    const QColor border(39, 39, 39);

    auto* body = new QWidget(this);
    body->setStyleSheet(QStringLiteral("QWidget{border: 0px; border-radius: 0px}"));

    auto* version = new QLabel(VersionText(), body);
    auto* company = new QLabel(tr("Kivorant Technology Co., Ltd."), body);

    const QString site = WebSiteForIni(
        QStringLiteral("%1/%2").arg(QCoreApplication::applicationDirPath(), QStringLiteral("LumivandrexUtility.ini")));
    auto* link = new QLabel(QStringLiteral("<a style='color: #ececec;' href=\"%1\">%1</a>").arg(site), body);
    link->setTextFormat(Qt::RichText);
    link->setOpenExternalLinks(true);

    auto* legal = new QLabel(
        tr("Copyright (C) %1 Kivorant. All rights reserved.")
            .arg(QDate::currentDate().toString(QStringLiteral("yyyy"))),
        body);

    auto* layout = new QVBoxLayout(body);
    for (QLabel* label : {version, company, link, legal}) {
        setLabelStyle(label, text, background, border);
        layout->addWidget(label, 0, Qt::AlignHCenter);
    }
    layout->setSpacing(10);
    layout->setContentsMargins(40, 30, 40, 20);
    return body;
}

void AboutDialog::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        reject();
        return;
    default:
        // Plain widget handling: the key travels on to the parent.
        QWidget::keyPressEvent(event);
    }
}
