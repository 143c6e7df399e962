#include "device/inputstatustext.h"

#include <QCoreApplication>

const char g_wszSiganlStatusInValid[1][32] = {QT_TRANSLATE_NOOP("WTabPageInput", "Signal status")};

const char g_wszVideoSignalStatus[8][32] = {
    QT_TRANSLATE_NOOP("WTabPageInput", "Signal status"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Resolution"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Aspect ratio"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Total scan size"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Active area offset"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Color format"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Quantization range"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Saturation range"),
};

const char g_wszAudioSignalStatus[6][32] = {
    QT_TRANSLATE_NOOP("WTabPageInput", "Audio format"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Channel 1 & 2"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Channel 3 & 4"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Channel 5 & 6"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Channel 7 & 8"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Channel status data"),
};

const char g_wszSDISpecificStatus[5][32] = {
    QT_TRANSLATE_NOOP("WTabPageInput", "Signal status"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Type"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Scanning format"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Color depth"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Sampling struct"),
};

const char g_wszVGA_ComponentSpecificStatus[16][64] = {
    QT_TRANSLATE_NOOP("WTabPageInput", "Signal status"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Sync type"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Frame rate"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Scanning format"),
    QT_TRANSLATE_NOOP("WTabPageInput", "VS width"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Total scan lines"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Timing - Type"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Timing - Pixel clock"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Timing - H active"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Timing - H front porch"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Timing - H sync width"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Timing - H back porch"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Timing - V active"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Timing - V front porch"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Timing - V sync width"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Timing - V back porch"),
};

const char g_wszCVBS_YCSpecificStatus[3][32] = {
    QT_TRANSLATE_NOOP("WTabPageInput", "Signal status"),
    QT_TRANSLATE_NOOP("WTabPageInput", "TV Standard"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Field rate"),
};

const char g_wszHDMISpecificStatus[27][64] = {
    QT_TRANSLATE_NOOP("WTabPageInput", "Signal status"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Mode"),
    QT_TRANSLATE_NOOP("WTabPageInput", "HDCP encrypted"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Color depth"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Pixel encoding"),
    QT_TRANSLATE_NOOP("WTabPageInput", "VIC"),
    QT_TRANSLATE_NOOP("WTabPageInput", "IT content"),
    QT_TRANSLATE_NOOP("WTabPageInput", "3D format"),
    QT_TRANSLATE_NOOP("WTabPageInput", "3D structure"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Sub sampling"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Timing - scanning format"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Timing - frame rate"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Timing - H total"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Timing - H active"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Timing - H front porch"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Timing - H sync width"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Timing - H back porch"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Timing - field 0 V total"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Timing - field 0 V active"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Timing - field 0 V front porch"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Timing - field 0 V sync width"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Timing - field 0 V back porch"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Timing - field 1 V total"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Timing - field 1 V active"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Timing - field 1 V front porch"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Timing - field 1 V sync width"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Timing - field 1 V back porch"),
};

const char g_wszSignalStatus[4][32] = {
    QT_TRANSLATE_NOOP("WTabPageInput", "Not present"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Unsupported"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Locking"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Locked"),
};

const char g_wszColorFormat[5][32] = {
    QT_TRANSLATE_NOOP("WTabPageInput", "RGB"),
    QT_TRANSLATE_NOOP("WTabPageInput", "YUV BT. 601"),
    QT_TRANSLATE_NOOP("WTabPageInput", "YUV BT. 709"),
    QT_TRANSLATE_NOOP("WTabPageInput", "YUV BT. 2020"),
    QT_TRANSLATE_NOOP("WTabPageInput", "YUV BT. 2020C"),
};

const char g_wszQuantRange[3][32] = {
    QT_TRANSLATE_NOOP("WTabPageInput", "Unknown"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Full range(0-255)"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Limited range(16-235)"),
};

const char g_wszSatRange[4][32] = {
    QT_TRANSLATE_NOOP("WTabPageInput", "Unknown"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Full range(0-255)"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Limited range(16-235)"),
    QT_TRANSLATE_NOOP("WTabPageInput", "Extended gamut(1-254)"),
};

QString InputStatusTr(const char* row)
{
    return QCoreApplication::translate("WTabPageInput", row);
}

const double g_arrRateNumerator[2] = {20000000.0, 10000000.0};

QString RateText(double numerator, uint32_t duration, int decimals)
{
    if (duration == 0)
        return QStringLiteral("N/A");
    return QString::number(numerator / double(duration), 'f', decimals);
}

QString SignalRateText(bool interlaced, bool segmented, uint32_t frameDuration, int decimals)
{
    const double numerator = g_arrRateNumerator[(interlaced && !segmented) ? 0 : 1];
    return RateText(numerator, frameDuration, decimals);
}

int ColorFormatRow(uint32_t value)
{
    return (value >= 2 && value <= 5) ? int(value) - 1 : 0;
}

int QuantRangeRow(uint32_t value)
{
    return (value == 1 || value == 2) ? int(value) : 0;
}

int SatRangeRow(uint32_t value)
{
    return (value >= 1 && value <= 3) ? int(value) : 0;
}

int SignalStateRow(int32_t state)
{
    return (state >= 0 && state <= 3) ? state : 0;
}

namespace {

struct CodeName {
    unsigned int code;
    const char* name;
};

template <size_t N>
QString NameOf(const CodeName (&table)[N], unsigned int code)
{
    for (const CodeName& entry : table) {
        if (entry.code == code)
            return QString::fromLatin1(entry.name);
    }
    return QString();
}

const CodeName kVideoInputs[] = {{0, "NONE"}, {1, "HDMI"}, {2, "VGA"}, {4, "SDI"},
                                 {8, "Component"}, {16, "Composite"}, {32, "YC"}};
const CodeName kAudioInputs[] = {{0, "NONE"}, {1, "HDMI"}, {2, "SDI"}, {4, "Line"}, {8, "MIC"}};
const CodeName kEncodings[] = {{0, "R/G/B 4:4:4"}, {1, "Y/U/V 4:2:2"}, {2, "Y/U/V 4:4:4"}, {3, "Y/U/V 4:2:0"}};
const CodeName k3DStructures[] = {{0, "Frame packing"}, {1, "Field alternative"}, {2, "Line alternative"},
                                  {3, "Side by side (Full)"}, {6, "Top and bottom"}, {8, "Side by side (Half)"}};
const CodeName kExtData[] = {{0, "Horizontal"}, {1, "Horizontal"}, {2, "Horizontal"}, {3, "Horizontal"},
                             {4, "Quincunx: Left-ODD,Right-ODD"}, {5, "Quincunx: Left-ODD,Right-Even"},
                             {6, "Quincunx: Left-Even,Right-ODD"}, {7, "Quincunx: Left-Even,Right-Even"}};
const CodeName kTimingTypes[] = {{0, "None"}, {1, "LEGACY"}, {2, "DMT"}, {4, "CEA"}, {8, "GTF"},
                                 {16, "CVT"}, {32, "CVT_RB"}, {0x2000, "FAILSAFE"}};

} // namespace

QString GetVideoInputString(unsigned int code)
{
    return NameOf(kVideoInputs, code >> 8);
}

QString GetAudioInputString(unsigned int code)
{
    return NameOf(kAudioInputs, code >> 8);
}

QString GetHDMIEncodingString(int encoding)
{
    return NameOf(kEncodings, unsigned(encoding));
}

QString GetHDMI3DStructure(int structure)
{
    return NameOf(k3DStructures, unsigned(structure));
}

QString GetHDMIExtData(int extData)
{
    return NameOf(kExtData, unsigned(extData));
}

int GetInputTypeIndex(int code, int base, int)
{
    const int index = code - base;
    return (index >= 0 && index <= 255) ? index : 0;
}

QString GetVideoTimingType(unsigned int type)
{
    return NameOf(kTimingTypes, type);
}
