#include "statuspages/inputstatusviews.h"

#include <QCoreApplication>

#include "device/inputstatustext.h"

QString InputPageTr(const char* text)
{
    return QCoreApplication::translate("WTabPageInput", text);
}

QStringList StatusRows::PageLabels() const
{
    QStringList out;
    for (const QString& label : labels)
        out << InputPageTr(label.toLatin1().constData());
    return out;
}

QString StatusRows::ReportLabel(int i) const
{
    if (i < 0 || i >= labels.size())
        return QString();
    return InputPageTr((labels.at(i) + QLatin1Char(':')).toLatin1().constData());
}

namespace {

struct CodeText {
    int code;
    const char* text;
};

// The text of `code`, translated when asked; "Unknown" for a code not in the table.
template <size_t N>
QString TextOf(const CodeText (&table)[N], long long code, bool translate)
{
    for (const CodeText& entry : table) {
        if (entry.code == code)
            return translate ? InputPageTr(entry.text) : QString::fromLatin1(entry.text);
    }
    return InputPageTr("Unknown");
}

template <size_t Rows, size_t Width>
QStringList TableRows(const char (&table)[Rows][Width])
{
    QStringList out;
    for (size_t i = 0; i < Rows; ++i)
        out << QString::fromLatin1(table[i]);
    return out;
}

// Takes a row out of the labels; the rows below move up and stay paired with the values.
void RemoveRow(StatusRows& rows, const char* label)
{
    rows.labels.removeOne(QString::fromLatin1(label));
}

QString YesNo(bool on, const char* yes, const char* no)
{
    return InputPageTr(on ? yes : no);
}

QString Lines(int n) { return InputPageTr("%1 Lines").arg(n); }
QString Pixels(int n) { return InputPageTr("%1 Pixels").arg(n); }

// "<rate> Hz", or "N/A" alone when the device gave no duration.
QString Hertz(const QString& rate, bool translate)
{
    if (rate == QLatin1String("N/A"))
        return rate;
    return (translate ? InputPageTr("%1 Hz") : QStringLiteral("%1 Hz")).arg(rate);
}

QString ScanningText(bool interlaced)
{
    return YesNo(interlaced, "Interlaced", "Progressive");
}

const CodeText kSdiTypes[] = {{0, "SD"}, {1, "HD"}, {2, "3GA"}, {3, "3GB DL"}, {4, "3GB DS"},
                              {5, "DL CH1"}, {6, "DL CH2"}, {7, "6G MODE1"}, {8, "6G MODE2"}};
const CodeText kSdiScanning[] = {{0, "Interlaced"}, {1, "Segmented frame"}, {3, "Progressive"}};
const CodeText kSdiDepths[] = {{0, "8 Bits"}, {1, "10 Bits"}, {2, "12 Bits"}};
const CodeText kSdiSampling[] = {{0, "Y/Cb/Cr, 4:2:2"}, {1, "Y/Cb/Cr, 4:4:4"}, {2, "R/G/B, 4:4:4"},
                                 {3, "4:2:0"}, {4, "Y/Cb/Cr/A, 4:2:2:4"}, {5, "Y/Cb/Cr/A, 4:4:4:4"},
                                 {6, "R/G/B/A, 4:4:4:4"}, {8, "Y/Cb/Cr/D, 4:2:2:4"},
                                 {10, "R/G/B/D, 4:4:4:4"}, {14, "X/Y/Z, 4:4:4"}};
const CodeText kTvStandards[] = {{0, "NONE"}, {1, "NTSC-M"}, {2, "NTSC-433"}, {3, "PAL-M"}, {4, "PAL-60"},
                                 {5, "PAL-C/O/M/B/N"}, {6, "PAL-B/G/H/I/D"}, {7, "SECAM"}, {8, "SECAM-60"}};
const CodeText kEncodings[] = {{0, "R/G/B 4:4:4"}, {1, "Y/U/V 4:2:2"}, {2, "Y/U/V 4:4:4"}, {3, "Y/U/V 4:2:0"}};

void HdmiRows(const _KVCAP_INPUT_STATUS_HDMI& h, StatusTarget target, StatusRows& rows)
{
    rows.labels = TableRows(g_wszHDMISpecificStatus);
    const _KVCAP_HDMI_TIMING& t = h.timing;
    rows.values << (h.mode ? QStringLiteral("HDMI") : QStringLiteral("DVI"))
                << YesNo(h.hdcp, "YES", "No")
                << InputPageTr("%1 Bits").arg(h.colorDepth)
                << TextOf(kEncodings, h.pixelEncoding, false)
                << QString::number(h.vic)
                << YesNo(h.itContent, "True", "False")
                << YesNo(h.has3DFormat, "True", "False");
    if (h.has3DFormat) {
        rows.values << GetHDMI3DStructure(h.structure3D);
        if (h.structure3D == 8)
            rows.values << GetHDMIExtData(h.extData3D);
        else
            RemoveRow(rows, "Sub sampling");
    } else {
        RemoveRow(rows, "3D structure");
        RemoveRow(rows, "Sub sampling");
    }
    rows.values << ScanningText(t.interlaced)
                << Hertz(SignalRateText(t.interlaced, false, t.frameDuration), target == StatusTarget::Page)
                << Pixels(t.hTotal) << Pixels(t.hActive) << Pixels(t.hFrontPorch) << Pixels(t.hSyncWidth)
                << Pixels(t.hBackPorch)
                << Lines(t.field0VTotal) << Lines(t.field0VActive) << Lines(t.field0VFrontPorch)
                << Lines(t.field0VSyncWidth) << Lines(t.field0VBackPorch);
    if (t.interlaced) {
        rows.values << Lines(t.field1VTotal) << Lines(t.field1VActive) << Lines(t.field1VFrontPorch)
                    << Lines(t.field1VSyncWidth) << Lines(t.field1VBackPorch);
        return;
    }
    // A progressive signal has one field: its rows are named without the field number.
    for (int i = 17; i < 27; ++i)
        RemoveRow(rows, g_wszHDMISpecificStatus[i]);
    rows.labels << QStringLiteral("Timing - V total") << QStringLiteral("Timing - V active")
                << QStringLiteral("Timing - V front porch") << QStringLiteral("Timing - V sync width")
                << QStringLiteral("Timing - V back porch");
}

void AnalogRows(const _KVCAP_INPUT_STATUS_ANALOG& a, StatusTarget target, StatusRows& rows)
{
    rows.labels = TableRows(g_wszVGA_ComponentSpecificStatus);
    const _KVCAP_VIDEO_SYNC_INFO& sync = a.syncInfo;
    QString syncType;
    switch (sync.syncType) {
    case 1: syncType = QStringLiteral("HS_VS"); break;
    case 2: syncType = QStringLiteral("CS"); break;
    case 4:
        syncType = target == StatusTarget::Page
                       ? YesNo(a.triLevel, "Embedded sync - Tri Level", "Embedded sync - Bi Level")
                       : YesNo(a.triLevel, "Embendded sync - Tri Level", "Embendded sync - Bi Level");
        break;
    case 7: syncType = QStringLiteral("ALL"); break;
    default: syncType = InputPageTr("Unknown"); break;
    }
    rows.values << syncType << Hertz(SignalRateText(sync.interlaced, false, sync.frameDuration), false)
                << ScanningText(sync.interlaced) << Lines(sync.vSyncLines) << Lines(sync.totalLines);
    const _KVCAP_SIGNAL_TIMING& t = a.timing;
    if (t.timingType == 0) {
        for (int i = 6; i < 16; ++i)
            RemoveRow(rows, g_wszVGA_ComponentSpecificStatus[i]);
        return;
    }
    const QString type = GetVideoTimingType(t.timingType);
    rows.values << (type.isEmpty() ? InputPageTr("Unknown") : type)
                << InputPageTr("%1 Hz").arg(t.pixelClock)
                << Pixels(t.hActive) << Pixels(t.hFrontPorch) << Pixels(t.hSyncWidth) << Pixels(t.hBackPorch)
                << Lines(t.vActive) << Lines(t.vFrontPorch) << Lines(t.vSyncWidth) << Lines(t.vBackPorch);
}

} // namespace

StatusRows VideoStatusRows(const _KVCAP_VIDEO_STATUS& s, StatusTarget target)
{
    StatusRows rows;
    if (s.state != KVCAP_VIDEO_STATE_LOCKED) {
        rows.labels = TableRows(g_wszSiganlStatusInValid);
        rows.values << InputStatusTr(g_wszSignalStatus[SignalStateRow(s.state)]);
        return rows;
    }
    rows.labels = TableRows(g_wszVideoSignalStatus);
    const QString scan = s.segmented ? QStringLiteral("sF") : s.interlaced ? QStringLiteral("i") : QStringLiteral("p");
    const QString rate = SignalRateText(s.interlaced, s.segmented, s.frameDuration);
    QString resolution;
    if (rate == QLatin1String("N/A"))
        resolution = QStringLiteral("%1 x %2%3, N/A").arg(s.width).arg(s.height).arg(scan);
    else
        resolution = (target == StatusTarget::Page ? InputPageTr("%1 x %2%3, %4 Hz")
                                                   : QStringLiteral("%1 x %2%3, %4 Hz"))
                         .arg(s.width).arg(s.height).arg(scan).arg(rate);
    rows.values << InputStatusTr(g_wszSignalStatus[3]) << resolution
                << QStringLiteral("%1:%2").arg(s.aspectX).arg(s.aspectY)
                << InputPageTr("%1x%2 Pixels").arg(s.totalWidth).arg(s.totalHeight)
                << QStringLiteral("X: %1, Y: %2").arg(s.offsetX).arg(s.offsetY)
                << InputStatusTr(g_wszColorFormat[ColorFormatRow(s.colorFormat)])
                << InputStatusTr(g_wszQuantRange[QuantRangeRow(s.quantRange)])
                << InputStatusTr(g_wszSatRange[SatRangeRow(s.satRange)]);
    return rows;
}

StatusRows AudioStatusRows(const _KVCAP_AUDIO_STATUS& a)
{
    StatusRows rows;
    if (a.channelPairs == 0) {
        rows.labels = TableRows(g_wszSiganlStatusInValid);
        rows.values << InputStatusTr(g_wszSignalStatus[0]);
        return rows;
    }
    rows.labels = TableRows(g_wszAudioSignalStatus);
    rows.values << InputPageTr("%1 Hz, %2 bits%3")
                       .arg(a.sampleRate)
                       .arg(a.bitsPerSample)
                       .arg(a.lpcm ? QStringLiteral(", LPCM") : QString());
    for (int pair = 0; pair < 4; ++pair)
        rows.values << YesNo(a.channelPairs & (1u << pair), "Present", "Not present");
    QString bytes;
    for (uint8_t b : a.channelStatus)
        bytes += QStringLiteral("%1 ").arg(b, 2, 16, QLatin1Char('0')).toUpper();
    rows.values << bytes;
    return rows;
}

StatusRows SpecificStatusRows(const _KVCAP_VIDEO_STATUS& status, const _KVCAP_INPUT_STATUS& input,
                              StatusTarget target)
{
    StatusRows rows;
    if (status.state != KVCAP_VIDEO_STATE_LOCKED) {
        rows.labels = TableRows(g_wszSiganlStatusInValid);
        rows.values << InputStatusTr(g_wszSignalStatus[0]);
        return rows;
    }
    if (target == StatusTarget::Page && !input.valid)
        return rows;
    rows.values << InputPageTr("Present");
    switch (input.inputType) {
    case KVCAP_VIDEO_INPUT_HDMI:
        HdmiRows(input.hdmi, target, rows);
        break;
    case KVCAP_VIDEO_INPUT_VGA:
    case KVCAP_VIDEO_INPUT_COMPONENT:
        AnalogRows(input.analog, target, rows);
        break;
    case KVCAP_VIDEO_INPUT_SDI: {
        const _KVCAP_INPUT_STATUS_SDI& sdi = input.sdi;
        rows.labels = TableRows(g_wszSDISpecificStatus);
        rows.values << TextOf(kSdiTypes, sdi.sdiType, false) << TextOf(kSdiScanning, sdi.scanningFormat, true)
                    << TextOf(kSdiDepths, sdi.bitDepth, true) << TextOf(kSdiSampling, sdi.samplingStruct, false);
        break;
    }
    case KVCAP_VIDEO_INPUT_CVBS:
    case KVCAP_VIDEO_INPUT_YC:
        rows.labels = TableRows(g_wszCVBS_YCSpecificStatus);
        rows.values << TextOf(kTvStandards, input.cvbs.tvStandard, false);
        if (input.cvbs.fieldRate)
            rows.values << QStringLiteral("50 Hz");
        else
            RemoveRow(rows, "Field rate");
        break;
    default:
        break;   // a type we do not know: only the presence is shown
    }
    return rows;
}
