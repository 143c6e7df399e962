#include "device/fourcctext.h"

namespace {

struct FourCCEntry {
    uint32_t code;
    const char* name;
};

constexpr FourCCEntry kNames[] = {
    {KVCAP_FOURCC_RGB24, "RGB 24"}, {KVCAP_FOURCC_RGB32, "RGB 32"}, {KVCAP_FOURCC_I420, "I420"},
    {KVCAP_FOURCC_NV12, "NV12"},    {KVCAP_FOURCC_YUY2, "YUY2"},    {KVCAP_FOURCC_UYVY, "UYVY"},
};

} // namespace

QString FourCCName(uint32_t code)
{
    for (const FourCCEntry& entry : kNames) {
        if (entry.code == code)
            return QString::fromLatin1(entry.name);
    }
    return QString();
}

QString FourCCReportName(uint32_t code)
{
    if (code == KVCAP_FOURCC_YUYV)
        return QStringLiteral("YUYV");
    const QString name = FourCCName(code);
    return name.isEmpty() ? QStringLiteral("UNKNOWN") : name;
}
