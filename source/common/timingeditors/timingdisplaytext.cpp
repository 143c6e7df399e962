#include "timingeditors/timingdisplaytext.h"

#include <QCoreApplication>

#include "device/inputstatustext.h"

bool IsAnalogTimingInput(const _KVCAP_INPUT_STATUS& status)
{
    return status.valid != 0 && (status.inputType == KVCAP_VIDEO_INPUT_VGA || status.inputType == KVCAP_VIDEO_INPUT_COMPONENT);
}

QString TimingModeText(int hActive, int vActive, bool interlaced, uint32_t frameDuration)
{
    const QString rate = SignalRateText(interlaced, false, frameDuration);
    return QStringLiteral("%1x%2%3, %4")
        .arg(hActive)
        .arg(vActive)
        .arg(interlaced ? QStringLiteral("i") : QStringLiteral("p"))
        .arg(frameDuration ? rate + QStringLiteral(" Hz") : rate);
}

QString CurrentTimingText(const _KVCAP_INPUT_STATUS& status)
{
    const _KVCAP_INPUT_STATUS_ANALOG& analog = status.analog;
    const QString type = analog.timing.timingType ? GetVideoTimingType(analog.timing.timingType)
                                                  : QCoreApplication::translate("QAdjustTimingWidget", "Custom");
    return type + QStringLiteral(", ")
        + TimingModeText(analog.settings.hActive, analog.settings.vActive, analog.syncInfo.interlaced != 0,
                         analog.syncInfo.frameDuration);
}

QString PixelsText(int value)
{
    return QCoreApplication::translate("QAdjustTimingWidget", "%1 Pixels").arg(value);
}

QString LinesText(int value)
{
    return QCoreApplication::translate("QAdjustTimingWidget", "%1 Lines").arg(value);
}
