#ifndef TOOLKIT_REPORTFRAGMENT_H
#define TOOLKIT_REPORTFRAGMENT_H

// The pieces of a page's block in the HTML report, shared by every page and by the
// report frame (whose side-bar links use the same id rule as the blocks' h2 ids).
// Every label and value is escaped: model names, EDID and info-frame texts come
// from the device and must never become markup (device texts are read with
// DeviceText from device/devicetext.h first). Line ends are CR LF.

#include <QString>
#include <QStringList>

namespace reportfragment {

inline QString Escape(const QString& text)
{
    return text.toHtmlEscaped();
}

// The h2 id of a block: the title with white space turned into '_', so that a
// translated title still makes a valid id and a matching "#id" link.
inline QString AnchorId(const QString& title)
{
    QString id = title.trimmed();
    for (QChar& c : id)
        if (c.isSpace())
            c = QLatin1Char('_');
    return Escape(id);
}

inline QString BlockBegin(const QString& title)
{
    return QStringLiteral("\r\n<div class=\"mod\">\r\n<h2 id=\"%1\">%2</h2>\r\n<table>\r\n")
        .arg(AnchorId(title), Escape(title));
}

inline QString Row(const QString& label, const QString& value)
{
    return QStringLiteral("<tr><th>%1</th><td>%2</td></tr>\r\n").arg(Escape(label), Escape(value));
}

// Escaped lines joined by "<br>".
inline QString EscapeLines(const QStringList& lines)
{
    QStringList escaped;
    escaped.reserve(lines.size());
    for (const QString& line : lines)
        escaped << Escape(line);
    return escaped.join(QStringLiteral("<br>"));
}

inline QString RowLines(const QString& label, const QStringList& lines)
{
    return QStringLiteral("<tr><th>%1</th><td>%2</td></tr>\r\n").arg(Escape(label), EscapeLines(lines));
}

// The dump cell; `html` is already escaped.
inline QString HexCellRow(const QString& label, const QString& html)
{
    return QStringLiteral("<tr><th>%1</th><td style=\"font-family:'Courier New',monospace,monaco;"
                          "font-weight:bold;font-size:14px;color:#dadada;\">%2</td></tr>\r\n")
        .arg(Escape(label), html);
}

inline QString HexRow(const QString& label, const QString& value)
{
    return HexCellRow(label, Escape(value));
}

// A hexadecimal dump of several lines, each ended by "<br>".
inline QString HexRowLines(const QString& label, const QStringList& lines)
{
    return HexCellRow(label, EscapeLines(lines) + QStringLiteral("<br>"));
}

// Sub-title rows are the one piece without a line end of their own.
inline QString SubTitleRow(const QString& title)
{
    return QStringLiteral("<tr><th class=\"sub-title\">%1</th></tr>").arg(Escape(title));
}

inline QString BlockEnd()
{
    return QStringLiteral("</table></div>\r\n");
}

} // namespace reportfragment

#endif // TOOLKIT_REPORTFRAGMENT_H
