#include "timingeditors/edidfile.h"

#include <QFile>
#include <QSaveFile>
#include <cstring>

namespace edidfile {

bool LoadEDIDFile(const QString& path, _KVCAP_EDID_DATA& out)
{
    std::memset(out.data, 0xFF, sizeof out.data);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 size = file.size();
    if (size < kMinFileSize)
        return false;
    const qint64 wanted = qMin<qint64>(size, sizeof out.data);
    return file.read(reinterpret_cast<char*>(out.data), wanted) == wanted;
}

bool SaveEDIDFile(const QString& path, const _KVCAP_EDID_DATA& data)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(reinterpret_cast<const char*>(data.data), sizeof data.data) != qint64(sizeof data.data)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QString DefaultFileName(const QString& model, const QString& serial)
{
    QString name = QStringLiteral("%1 (%2)").arg(model, serial);
    for (QChar& c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || c == QChar::ReplacementCharacter
            || QStringLiteral("/\\:*?\"<>|").contains(c))
            c = QLatin1Char('_');
    }
    return name + QStringLiteral(".bin");
}

} // namespace edidfile
