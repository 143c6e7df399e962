#pragma once
// File helpers shared by the test suites (Qt Core only).

#include <QFile>
#include <QString>
#include <QStringList>

namespace lvtest {

// The lines of a UTF-8 text file, without the empty piece after a final line end;
// empty when the file cannot be read.
inline QStringList readLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace lvtest
