#include "platform/autostart.h"

#include "platform/userstores.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>
#include <QtDebug>

namespace lvplatform {

namespace {

const QString kDesktopGroup = QStringLiteral("[Desktop Entry]");

bool isReservedInExec(QChar c)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    return reserved.contains(c);
}

bool hasControlCharacters(const QString& text)
{
    for (QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return true;
    }
    return false;
}

} // namespace

QString autostartDirectory()
{
    return configHome() + QStringLiteral("/autostart");
}

QString autostartFilePath(const QString& entryId)
{
    return QStringLiteral("%1/%2.desktop").arg(autostartDirectory(), entryId);
}

QString quoteExecArgument(const QString& argument)
{
    bool needsQuotes = argument.isEmpty();
    QString escaped;
    escaped.reserve(argument.size() + 8);
    for (QChar c : argument) {
        if (isReservedInExec(c))
            needsQuotes = true;
        if (c == QLatin1Char('%'))
            escaped += QStringLiteral("%%"); // a lone '%' would start a field code
        else
            escaped += c;
    }
    if (!needsQuotes)
        return escaped;

    QString quoted = QStringLiteral("\"");
    for (QChar c : escaped) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$')
            || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted += QLatin1Char('"');
    return quoted;
}

QString execLine(const QString& program, const QStringList& arguments)
{
    QStringList parts{quoteExecArgument(program)};
    for (const QString& argument : arguments)
        parts << quoteExecArgument(argument);
    return parts.join(QLatin1Char(' '));
}

QString escapeDesktopValue(const QString& value)
{
    QString out;
    out.reserve(value.size() + 8);
    for (int i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == QLatin1Char('\\'))
            out += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else if (c == QLatin1Char('\t'))
            out += QStringLiteral("\\t");
        else if (c == QLatin1Char('\r'))
            out += QStringLiteral("\\r");
        else if (c == QLatin1Char(' ') && i == 0)
            out += QStringLiteral("\\s"); // leading blanks would be trimmed by readers
        else
            out += c;
    }
    return out;
}

bool writeAutostartEntry(const QString& entryId, const QString& displayName,
                         const QString& program, const QStringList& arguments)
{
    if (entryId.isEmpty() || entryId.contains(QLatin1Char('/')) || program.isEmpty()) {
        qWarning("autostart: refusing an entry without a valid id or program");
        return false;
    }
    if (hasControlCharacters(program) || hasControlCharacters(arguments.join(QString()))) {
        qWarning() << "autostart: the program path cannot be written to an Exec line:" << program;
        return false;
    }
    if (!QDir().mkpath(autostartDirectory())) {
        qWarning() << "autostart: cannot create" << autostartDirectory();
        return false;
    }

    QSaveFile file(autostartFilePath(entryId));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        qWarning() << "autostart: cannot write" << file.fileName() << file.errorString();
        return false;
    }
    QTextStream out(&file);
    out.setCodec("UTF-8");
    out << kDesktopGroup << '\n'
        << "Type=Application\n"
        << "Version=1.0\n"
        << "Name=" << escapeDesktopValue(displayName.isEmpty() ? entryId : displayName) << '\n'
        << "Exec=" << escapeDesktopValue(execLine(program, arguments)) << '\n'
        << "Terminal=false\n"
        << "X-GNOME-Autostart-enabled=true\n";
    out.flush();
    if (out.status() != QTextStream::Ok || !file.commit()) {
        qWarning() << "autostart: writing" << file.fileName() << "failed:" << file.errorString();
        return false;
    }
    return true;
}

bool removeAutostartEntry(const QString& entryId)
{
    const QString path = autostartFilePath(entryId);
    QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return true;
    if (!QFile::remove(path)) {
        qWarning() << "autostart: cannot remove" << path;
        return false;
    }
    return true;
}

bool isAutostartEntryActive(const QString& entryId)
{
    QFile file(autostartFilePath(entryId));
    if (!QFileInfo(file.fileName()).isFile() || !file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;

    // Only the main group counts; other groups (actions) may repeat the keys.
    QTextStream in(&file);
    in.setCodec("UTF-8");
    bool inMainGroup = false;
    bool sawMainGroup = false;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            inMainGroup = (line == kDesktopGroup);
            sawMainGroup = sawMainGroup || inMainGroup;
            continue;
        }
        if (!inMainGroup)
            continue;
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        const QString key = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1).trimmed();
        if (key == QLatin1String("Hidden") && value == QLatin1String("true"))
            return false;
        if (key == QLatin1String("X-GNOME-Autostart-enabled") && value == QLatin1String("false"))
            return false;
    }
    return sawMainGroup;
}

} // namespace lvplatform
