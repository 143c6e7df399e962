// The Input page's section of the HTML report: the input choice and the three status
// views, read afresh from the device (never from the page's widgets).

#include "statuspages/wtabpageinput.h"

#include <QMutexLocker>

#include "device/inputstatustext.h"
#include "device/lumivandrexpresenter.h"
#include "device/reportaccess.h"
#include "statuspages/inputstatusviews.h"
#include "toolkit/reportfragment.h"

namespace {

QString SignalStatusLabel()
{
    return InputPageTr("Signal status:");
}

// Every row of a view; a view's rows always begin with its signal-status row.
QString ViewRows(const StatusRows& rows)
{
    QString out;
    const int n = qMin(rows.labels.size(), rows.values.size());
    for (int i = 0; i < n; ++i)
        out += reportfragment::Row(rows.ReportLabel(i), rows.values.at(i));
    return out;
}

QString NotPresentRow()
{
    return reportfragment::Row(SignalStatusLabel(), InputStatusTr(g_wszSignalStatus[0]));
}

// A status that could not be read: its presence is unknown, not "Not present".
QString UnknownStatusRow()
{
    return reportfragment::Row(SignalStatusLabel(), QString());
}

// "<source name> <suffix>"; empty when the source or its switch could not be read (a
// missing suffix would say the switch is off).
QString SourceText(bool read, const QString& name, bool switchOn, const QString& suffix)
{
    return read ? QStringLiteral("%1 %2").arg(name, switchOn ? suffix : QString()) : QString();
}

} // namespace

QString WTabPageInput::GetExportInfo()
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    tagDEVICE_INSTANCE* instance = g_presenter.GetCurrentInstance();
    if (!instance || !instance->device)
        return QString();
    LumivandrexDevice* device = instance->device;

    // What could not be read is unknown (empty), never the zeros of a record left unread.
    _KVCAP_VIDEO_INPUT_SOURCE video;
    _KVCAP_VIDEO_AUTO_SCAN autoScan;
    _KVCAP_AUDIO_INPUT_SOURCE audio;
    _KVCAP_AUDIO_LINK_VIDEO link;
    _KVCAP_VIDEO_STATUS status;
    _KVCAP_AUDIO_STATUS sound;
    _KVCAP_INPUT_STATUS input;
    const bool videoRead = ReadReport(device, video);
    const bool autoScanRead = ReadReport(device, autoScan);
    const bool audioRead = ReadReport(device, audio);
    const bool linkRead = ReadReport(device, link);
    const bool statusRead = ReadReport(device, status);
    const bool soundRead = ReadReport(device, sound);
    const bool inputRead = ReadReport(device, input);
    const bool locked = status.state == KVCAP_VIDEO_STATE_LOCKED;

    QString html = reportfragment::BlockBegin(tr("Input"));
    html += reportfragment::SubTitleRow(tr("Input - VIDEO & AUDIO INPUTS"));
    html += reportfragment::Row(tr("Video input:"), SourceText(videoRead && autoScanRead,
                                                               GetVideoInputString(video.code), autoScan.enabled,
                                                               tr(", Auto scan")));
    html += reportfragment::Row(tr("Audio input:"), SourceText(audioRead && linkRead,
                                                               GetAudioInputString(audio.code), link.linked,
                                                               tr(", Link with video")));

    html += reportfragment::SubTitleRow(tr("Input - Video Signal Status"));
    html += statusRead ? ViewRows(VideoStatusRows(status, StatusTarget::Report)) : UnknownStatusRow();

    // Audio is there only with a locked signal and a channel pair: either read saying no
    // is enough for "Not present".
    html += reportfragment::SubTitleRow(tr("Input - Audio Signal Status"));
    if ((statusRead && !locked) || (soundRead && !sound.channelPairs))
        html += NotPresentRow();
    else if (statusRead && soundRead)
        html += ViewRows(AudioStatusRows(sound));
    else
        html += UnknownStatusRow();

    html += reportfragment::SubTitleRow(tr("Input - Input Specific Status"));
    if (!statusRead || (locked && !inputRead)) {
        html += UnknownStatusRow();
    } else if (locked) {
        const StatusRows rows = SpecificStatusRows(status, input, StatusTarget::Report);
        // The first value is the presence; a type we do not know has no labels at all.
        html += reportfragment::Row(SignalStatusLabel(), rows.values.value(0));
        const int n = qMin(rows.labels.size(), rows.values.size());
        for (int i = 1; i < n; ++i)
            html += reportfragment::Row(rows.ReportLabel(i), rows.values.at(i));
    } else {
        html += NotPresentRow();
    }
    return html + reportfragment::BlockEnd();
}
