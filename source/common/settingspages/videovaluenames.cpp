#include "settingspages/videovaluenames.h"

#include <QObject>

namespace {

// Row `code` of a table, translated when asked; `fallback` past its end.
template <int N>
QString Row(const char* const (&rows)[N], int code, bool translate, const QString& fallback)
{
    if (code < 0 || code >= N || !rows[code])
        return fallback;
    return translate ? QObject::tr(rows[code]) : QString::fromLatin1(rows[code]);
}

QString Unknown()
{
    return QObject::tr("Unknown");
}

const char* const kColorFormats[] = {nullptr, "RGB", "YUV BT.601", "YUV BT.709", "YUV BT.2020"};
const char* const kQuantRanges[] = {nullptr, QT_TR_NOOP("Full range (0-255)"), QT_TR_NOOP("Limited range (16-235)")};
const char* const kSatRanges[] = {nullptr, QT_TR_NOOP("Full range (0-255)"), QT_TR_NOOP("Limited range (16-235)"),
                                  QT_TR_NOOP("Extened gamut (1-254)")};
const char* const kDeinterlace[] = {QT_TR_NOOP("Weave"), QT_TR_NOOP("Blend top & bottom field"),
                                    QT_TR_NOOP("Top field only"), QT_TR_NOOP("Bottom field only")};
const char* const kARConversions[] = {QT_TR_NOOP("Ignore"), QT_TR_NOOP("Cropping"), QT_TR_NOOP("Padding")};

} // namespace

QString GetColorFormatString(int code)
{
    return Row(kColorFormats, code, false, Unknown());
}

QString GetQualizationString(int code)
{
    return Row(kQuantRanges, code, true, Unknown());
}

QString GetSaturationString(int code)
{
    return Row(kSatRanges, code, true, Unknown());
}

QString GetDeinterlaceString(int code)
{
    return Row(kDeinterlace, code, true, QString());
}

QString GetARString(int code)
{
    return Row(kARConversions, code, true, QString());
}
