#include "update/wfirmwareinfodlg.h"

#include <QScrollBar>
#include <QTextEdit>
#include <QVBoxLayout>

#include "toolkit/stylesheetbuilder.h"

WFirmwareInfoDlg::WFirmwareInfoDlg(const QString& changeLog, QWidget* parent)
    : QCustomDialog(parent, true, false)
    , m_strChangeLog(changeLog)
{
    setFixedSize(420, 480);
    QWidget* body = new QWidget(this);
    QVBoxLayout* layout = new QVBoxLayout(body);
    layout->setContentsMargins(12, 16, 12, 16);
    m_pTextEdit = new QTextEdit(body);
    m_pTextEdit->setReadOnly(true);
    m_pTextEdit->setFocusPolicy(Qt::NoFocus);
    m_pTextEdit->setFixedHeight(372);
    m_pTextEdit->setStyleSheet(QStringLiteral("QTextEdit{\t\t\tcolor: #ececec;\t\t\tbackground: #393939;"
                                              "\t\t\tborder: 0px;\t\t\tborder-radius: 0px;\t\t}"));
    setTextEditScrollBarStyle(m_pTextEdit->verticalScrollBar());
    m_pTextEdit->setHtml(ChangeLogHtml(changeLog));
    layout->addWidget(m_pTextEdit);
    SetMainWindow(body, tr("Release Notes"));
}

WFirmwareInfoDlg::~WFirmwareInfoDlg() = default;

void WFirmwareInfoDlg::OnHandleUI()
{
    close();
}

QString WFirmwareInfoDlg::ChangeLogHtml(const QString& changeLog)
{
    QString html = QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"/></head><body>");
    const QStringList versions = changeLog.split(QStringLiteral("###"));
    for (int i = 1; i < versions.size(); ++i) {
        // The log comes from the update server: it is text, never markup.
        const QStringList items = versions.at(i).split(QStringLiteral("##"));
        html += QStringLiteral("<p><font color=\"#2A8DD3\" size=\"4\">%1</font></p>").arg(items.at(0).toHtmlEscaped());
        html += QStringLiteral("<font color=\"#ECECEC\"><table>");
        for (int j = 1; j < items.size(); ++j) {
            html += QStringLiteral("<tr><th style=\"padding-top: 8px;\" width=\"20px\">%1. </th>"
                                   "<td style=\"padding-top: 8px;\">%2</td></tr>")
                        .arg(j)
                        .arg(items.at(j).toHtmlEscaped());
        }
        html += QStringLiteral("</table></font><br><br>");
    }
    html += QStringLiteral("</body></html>");
    return html;
}
