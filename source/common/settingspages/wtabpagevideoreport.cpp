// The Video page's section of the HTML report: every overridable value, as the override
// ("Set as ...") or as what the device uses on its own, read afresh from the device; a
// value whose record could not be read is empty, as on the page.

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

    // What could not be read is unknown (empty), never the zeros of a record left unread:
    // an override needs its record, a value the device follows on its own the record of
    // what it follows.
    _KVCAP_VIDEO_STATUS status;
    _KVCAP_INPUT_ASPECT_RATIO inAspect;
    _KVCAP_INPUT_COLOR_FORMAT inColor;
    _KVCAP_INPUT_QUANT_RANGE inQuant;
    _KVCAP_VIDEO_CONNECTION_FORMAT stream;
    _KVCAP_VIDEO_PROCESS_SETTINGS s;
    const bool statusRead = ReadReport(device, status);
    const bool inAspectRead = ReadReport(device, inAspect);
    const bool inColorRead = ReadReport(device, inColor);
    const bool inQuantRead = ReadReport(device, inQuant);
    const bool streamRead = ReadReport(device, stream);
    const bool read = ReadReport(device, s);
    const bool locked = status.state == KVCAP_VIDEO_STATE_LOCKED;
    const bool connected = stream.connected != 0;
    // The capture side follows the stream when there is one, else the signal.
    const bool followedRead = streamRead && (connected || statusRead);
    auto known = [](bool isRead, const QString& text) { return isRead ? text : QString(); };

    const QString setAs = tr("Set as ");
    auto prefix = [&](bool overridden) { return overridden ? setAs : QString(); };
    // An override, else the stream's value when connected, else the signal's.
    auto named = [&](QString (*name)(int), uint32_t set, uint32_t fromStream, uint32_t fromSignal) {
        return known(read && (set != 0 || followedRead),
                     prefix(set != 0) + name(int(set != 0 ? set : connected ? fromStream : fromSignal)));
    };
    auto pair = [](bool set, int x, int y, bool fallback, int fx, int fy) {
        return set ? QStringLiteral("%1 : %2").arg(x).arg(y)
                   : QStringLiteral("%1 : %2").arg(fallback ? fx : 0).arg(fallback ? fy : 0);
    };
    const auto row = &reportfragment::Row;

    QString html = reportfragment::BlockBegin(tr("Video"));
    html += reportfragment::SubTitleRow(tr("Video - INPUT"));
    const bool inAspectSet = inAspect.x != 0 || inAspect.y != 0;
    html += row(tr("Aspect ratio:"), known(inAspectRead && (inAspectSet || statusRead),
                                           prefix(inAspectSet) + pair(inAspectSet, inAspect.x, inAspect.y, locked,
                                                                      status.aspectX, status.aspectY)));
    html += row(tr("Color format:"), known(inColorRead && (inColor.format != 0 || statusRead),
                                           prefix(inColor.format != 0) + GetColorFormatString(int(
                                               inColor.format ? inColor.format : status.colorFormat))));
    html += row(tr("Quantization:"), known(inQuantRead && (inQuant.range != 0 || statusRead),
                                           prefix(inQuant.range != 0) + GetQualizationString(int(
                                               inQuant.range ? inQuant.range : status.quantRange))));

    html += reportfragment::SubTitleRow(tr("Video - CAPTURE"));
    html += row(tr("Capture format:"), known(streamRead, getOutputString(stream)));
    const bool capAspectSet = s.aspectX != 0 || s.aspectY != 0;
    html += row(tr("Aspect ratio:"), known(read && (capAspectSet || streamRead),
                                           prefix(capAspectSet) + pair(capAspectSet, s.aspectX, s.aspectY, connected,
                                                                       stream.aspectX, stream.aspectY)));
    const bool cropSet = s.cropLeft || s.cropTop || s.cropRight || s.cropBottom;
    const int crop[4] = {cropSet ? s.cropLeft : 0, cropSet ? s.cropTop : 0,
                         cropSet ? s.cropRight : locked ? status.width : 0,
                         cropSet ? s.cropBottom : locked ? status.height : 0};
    html += row(tr("Crop input:"), known(read && (cropSet || statusRead),
                                         QStringLiteral("%1%2, %3 - %4, %5")
                                             .arg(prefix(cropSet)).arg(crop[0]).arg(crop[1]).arg(crop[2]).arg(crop[3])));
    html += row(tr("Color format:"), named(&GetColorFormatString, s.colorFormat, stream.colorFormat, status.colorFormat));
    html += row(tr("Quantization:"), named(&GetQualizationString, s.quantRange, stream.quantRange, status.quantRange));
    html += row(tr("Saturation:"), named(&GetSaturationString, s.satRange, stream.satRange, status.satRange));
    html += row(tr("Deinterlace:"), known(read, GetDeinterlaceString(int(s.deinterlace))));
    html += row(tr("AR conversion:"), known(read, GetARString(int(s.arConversion))));
    html += row(tr("Flip:"), known(read, (s.flags & KVCAP_PROCESS_FLIP) ? tr("True") : tr("False")));
    html += row(tr("Mirror:"), known(read, (s.flags & KVCAP_PROCESS_MIRROR) ? tr("True") : tr("False")));
    return html + reportfragment::BlockEnd();
}
