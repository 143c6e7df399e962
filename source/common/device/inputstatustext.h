#pragma once
// Display texts of the input sources and of the video and audio status records: the
// fixed label and value tables (translated in the context "WTabPageInput" where shown)
// and the small functions that name codes. Shared by every page that shows a signal.

#include <QString>

#include <cstdint>

// Label tables of the three status views and value tables of report 0x11. Rows are
// untranslated; show them through InputStatusTr().
extern const char g_wszSiganlStatusInValid[1][32];
extern const char g_wszVideoSignalStatus[8][32];
extern const char g_wszAudioSignalStatus[6][32];
extern const char g_wszSDISpecificStatus[5][32];
extern const char g_wszVGA_ComponentSpecificStatus[16][64];
extern const char g_wszCVBS_YCSpecificStatus[3][32];
extern const char g_wszHDMISpecificStatus[27][64];
extern const char g_wszSignalStatus[4][32];
extern const char g_wszColorFormat[5][32];
extern const char g_wszQuantRange[3][32];
extern const char g_wszSatRange[4][32];

// A table row through the translation, in the Input page's context.
QString InputStatusTr(const char* row);

// Rate numerators over a frame duration in 100 ns units: index 0 interlaced (field
// rate), 1 progressive (frame rate).
extern const double g_arrRateNumerator[2];

// numerator / duration with `decimals` places, or "N/A" when the duration is 0.
QString RateText(double numerator, uint32_t duration, int decimals = 2);
// The rate of a signal: field rate when interlaced (and not segmented), else frame rate.
QString SignalRateText(bool interlaced, bool segmented, uint32_t frameDuration, int decimals = 2);

// Rows of report 0x11's value fields (out-of-range values fall back as the device's
// own tools show them).
int ColorFormatRow(uint32_t value);    // 2..5 -> 1..4, else 0 ("RGB")
int QuantRangeRow(uint32_t value);     // 1, 2, else 0 ("Unknown")
int SatRangeRow(uint32_t value);       // 1..3, else 0 ("Unknown")
int SignalStateRow(int32_t state);     // 0..3, else 0

// Names of codes; an input outside the listed values gives an empty string.
QString GetVideoInputString(unsigned int code);   // by code >> 8
QString GetAudioInputString(unsigned int code);
QString GetHDMIEncodingString(int encoding);
QString GetHDMI3DStructure(int structure);
QString GetHDMIExtData(int extData);
int GetInputTypeIndex(int code, int base, int unused);
// Timing type of a detected analogue timing ("DMT", "CVT_RB", ...).
QString GetVideoTimingType(unsigned int type);
