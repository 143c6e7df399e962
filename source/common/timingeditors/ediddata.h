#pragma once
// The EDID pieces the editors work on: the preferred (first) detailed timing
// descriptor of the base block, the base-block checksum, the timing modes that can
// have produced a descriptor, and the hexadecimal dumps of the views and the report.
// Pure functions on a 256-byte EDID (base block + one extension block).

#include <QStringList>
#include <cstdint>

namespace edid {

constexpr int kEdidSize = 256;
constexpr int kBlockSize = 128;
constexpr int kPreferredTiming = 54;   // first detailed timing descriptor
constexpr int kChecksumByte = 127;

// Timing modes of the detailed timing dialog, in combo-box order.
enum TimingMode : int { ModeCVT = 0, ModeCVTRB = 1, ModeGTF = 2, ModeCustom = 3 };

} // namespace edid

struct StandardTiming {
    int hActive = 0;
    int vActive = 0;
    double frameRate = 0;        // Hz
};

struct DetailedTiming {
    double pixelClock = 0;       // MHz, kept unrounded so an untouched OK writes it back as read
    int hActive = 0;
    int hBlank = 0;
    int hFrontPorch = 0;
    int hSyncWidth = 0;
    int vActive = 0;
    int vBlank = 0;
    int vFrontPorch = 0;
    int vSyncWidth = 0;
};

namespace edid {

// Bytes 0..7 are 00 FF FF FF FF FF FF 00.
bool HasHeader(const uint8_t* edid);
// The value byte 127 must hold for bytes 0..127 to add up to 0 modulo 256.
uint8_t BaseChecksum(const uint8_t* edid);
bool BaseChecksumOk(const uint8_t* edid);
void FixBaseChecksum(uint8_t* edid);

// The descriptor's pixel-clock field (10 kHz steps, 0..0xFFFF) for a clock in MHz.
// 0 marks a display descriptor, so a timing must never be written with it.
int PixelClockField(double clockMHz);
// A clock the dialog may write: a non-zero field, and at most the device's ceiling.
bool IsPixelClockValid(double clockMHz, double ceilingMHz);

// Decodes bytes 54..65. A descriptor whose pixel-clock field is 0 is not a timing
// (a display descriptor): it decodes as all zeros.
DetailedTiming DecodePreferredTiming(const uint8_t* edid);
// Writes bytes 54..65 (pixel clock rounded to 10 kHz, every field masked to its bits),
// clears the interlace flag (byte 71 bit 7) when asked and recomputes byte 127.
void EncodePreferredTiming(uint8_t* edid, const DetailedTiming& timing, bool clearInterlace);
bool IsInterlaced(const uint8_t* edid);

// Active size and frame rate of a detailed timing; a zero total gives rate 0.
StandardTiming StandardOf(const DetailedTiming& timing);

// The detailed timing a mode gives for a size and rate (modes 0 to 2), or the custom
// normalisation of `out` in place (mode 3: negative H porch / sync moved into the blank).
void CalcDetailedTiming(int mode, const StandardTiming& st, DetailedTiming& out);
bool CompareDetailedTiming(const DetailedTiming& calculated, const DetailedTiming& decoded);
// The first of CVT, CVT-RB and GTF that reproduces `decoded` at some whole rate, else
// ModeCustom. The descriptor's own rate may round to another whole number than the
// one that produced it, so every whole rate that could have produced it is tried; of
// those that reproduce it, the one nearest its own rate goes to `rate`.
int CheckTimingMode(const DetailedTiming& decoded, const StandardTiming& st, int* rate = nullptr);

// The view's dump: 16 rows "X0:  hh hh ..." each ended by CR LF.
QString TextDump(const uint8_t* edid);
// The report's rows "X0:   hh hh ..." (the report cell ends each with "<br>").
QStringList ReportDumpLines(const uint8_t* edid);

} // namespace edid
