// The Video page's section of the HTML report: every overridable value, as the override
// ("Set as ...") or as what the device uses on its own, read afresh from the device.

#include "settingspages/wtabpagevideo.h"

#include <QMutexLocker>

#include "device/lumivandrexpresenter.h"
#include "device/reportaccess.h"
#include "settingspages/videovaluenames.h"
#include "toolkit/reportfragment.h"

QString WTabPageVideo::GetExportInfo()
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    tagDEVICE_INSTANCE* instance = g_presenter.GetCurrentInstance();
    if (!instance || !instance->device)
        return QString();
    LumivandrexDevice* device = instance->device;

    // Zeros after a failed read: no signal, no stream, nothing overridden.
    _KVCAP_VIDEO_STATUS status;
    _KVCAP_INPUT_ASPECT_RATIO inAspect;
    _KVCAP_INPUT_COLOR_FORMAT inColor;
    _KVCAP_INPUT_QUANT_RANGE inQuant;
    _KVCAP_VIDEO_CONNECTION_FORMAT stream;
    _KVCAP_VIDEO_PROCESS_SETTINGS s;
    ReadReport(device, status);
    ReadReport(device, inAspect);
    ReadReport(device, inColor);
    ReadReport(device, inQuant);
    ReadReport(device, stream);
    ReadReport(device, s);
    const bool locked = status.state == KVCAP_VIDEO_STATE_LOCKED;
    const bool connected = stream.connected != 0;

    const QString setAs = tr("Set as ");
    auto prefix = [&](bool overridden) { return overridden ? setAs : QString(); };
    // An override, else the stream's value when connected, else the signal's.
    auto named = [&](QString (*name)(int), uint32_t set, uint32_t fromStream, uint32_t fromSignal) {
        return prefix(set != 0) + name(int(set != 0 ? set : connected ? fromStream : fromSignal));
    };
    auto pair = [](bool set, int x, int y, bool fallback, int fx, int fy) {
        return set ? QStringLiteral("%1 : %2").arg(x).arg(y)
                   : QStringLiteral("%1 : %2").arg(fallback ? fx : 0).arg(fallback ? fy : 0);
    };
    const auto row = &reportfragment::Row;

    QString html = reportfragment::BlockBegin(tr("Video"));
    html += reportfragment::SubTitleRow(tr("Video - INPUT"));
    const bool inAspectSet = inAspect.x != 0 || inAspect.y != 0;
    html += row(tr("Aspect ratio:"), prefix(inAspectSet) + pair(inAspectSet, inAspect.x, inAspect.y, locked,
                                                                 status.aspectX, status.aspectY));
    html += row(tr("Color format:"), prefix(inColor.format != 0)
                                         + GetColorFormatString(int(inColor.format ? inColor.format : status.colorFormat)));
    html += row(tr("Quantization:"), prefix(inQuant.range != 0)
                                         + GetQualizationString(int(inQuant.range ? inQuant.range : status.quantRange)));

    html += reportfragment::SubTitleRow(tr("Video - CAPTURE"));
    html += row(tr("Capture format:"), getOutputString(stream));
    const bool capAspectSet = s.aspectX != 0 || s.aspectY != 0;
    html += row(tr("Aspect ratio:"), prefix(capAspectSet) + pair(capAspectSet, s.aspectX, s.aspectY, connected,
                                                                  stream.aspectX, stream.aspectY));
    const bool cropSet = s.cropLeft || s.cropTop || s.cropRight || s.cropBottom;
    const int crop[4] = {cropSet ? s.cropLeft : 0, cropSet ? s.cropTop : 0,
                         cropSet ? s.cropRight : locked ? status.width : 0,
                         cropSet ? s.cropBottom : locked ? status.height : 0};
    html += row(tr("Crop input:"), QStringLiteral("%1%2, %3 - %4, %5")
                                       .arg(prefix(cropSet)).arg(crop[0]).arg(crop[1]).arg(crop[2]).arg(crop[3]));
    html += row(tr("Color format:"), named(&GetColorFormatString, s.colorFormat, stream.colorFormat, status.colorFormat));
    html += row(tr("Quantization:"), named(&GetQualizationString, s.quantRange, stream.quantRange, status.quantRange));
    html += row(tr("Saturation:"), named(&GetSaturationString, s.satRange, stream.satRange, status.satRange));
    html += row(tr("Deinterlace:"), GetDeinterlaceString(int(s.deinterlace)));
    html += row(tr("AR conversion:"), GetARString(int(s.arConversion)));
    html += row(tr("Flip:"), (s.flags & KVCAP_PROCESS_FLIP) ? tr("True") : tr("False"));
    html += row(tr("Mirror:"), (s.flags & KVCAP_PROCESS_MIRROR) ? tr("True") : tr("False"));
    return html + reportfragment::BlockEnd();
}
