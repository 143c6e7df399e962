#include "timingeditors/ediddata.h"

#include <algorithm>
#include <cmath>

#include "timingeditors/ccalculatecvt.h"
#include "timingeditors/ccalculategtf.h"

namespace edid {

namespace {

const uint8_t kHeader[8] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
constexpr int kFlagsByte = kPreferredTiming + 17;   // byte 71: bit 7 interlaced

QStringList DumpLines(const uint8_t* edid, const char* afterLabel)
{
    QStringList lines;
    for (int row = 0; row < 16; ++row) {
        QString line = QString::number(row, 16).toUpper() + QLatin1String(afterLabel);
        for (int column = 0; column < 16; ++column) {
            if (column)
                line += QLatin1Char(' ');
            line += QStringLiteral("%1").arg(edid[row * 16 + column], 2, 16, QLatin1Char('0')).toUpper();
        }
        lines << line;
    }
    return lines;
}

} // namespace

bool HasHeader(const uint8_t* edid)
{
    for (int i = 0; i < 8; ++i)
        if (edid[i] != kHeader[i])
            return false;
    return true;
}

uint8_t BaseChecksum(const uint8_t* edid)
{
    unsigned sum = 0;
    for (int i = 0; i < kChecksumByte; ++i)
        sum += edid[i];
    return uint8_t((256 - sum % 256) % 256);
}

bool BaseChecksumOk(const uint8_t* edid)
{
    return edid[kChecksumByte] == BaseChecksum(edid);
}

void FixBaseChecksum(uint8_t* edid)
{
    edid[kChecksumByte] = BaseChecksum(edid);
}

DetailedTiming DecodePreferredTiming(const uint8_t* edid)
{
    const uint8_t* d = edid + kPreferredTiming;
    DetailedTiming t;
    const int clock = d[0] | d[1] << 8;
    if (clock == 0)
        return t;
    t.pixelClock = clock / 100.0;
    t.hActive = d[2] | (d[4] >> 4) << 8;
    t.hBlank = d[3] | (d[4] & 0x0F) << 8;
    t.vActive = d[5] | (d[7] >> 4) << 8;
    t.vBlank = d[6] | (d[7] & 0x0F) << 8;
    t.hFrontPorch = d[8] | (d[11] >> 6) << 8;
    t.hSyncWidth = d[9] | ((d[11] >> 4) & 0x3) << 8;
    t.vFrontPorch = (d[10] >> 4) | ((d[11] >> 2) & 0x3) << 4;
    t.vSyncWidth = (d[10] & 0x0F) | (d[11] & 0x3) << 4;
    return t;
}

int PixelClockField(double clockMHz)
{
    if (!(clockMHz > 0))
        return 0;
    const long long field = std::llround(clockMHz * 100);
    return field > 0xFFFF ? 0xFFFF : int(field);
}

bool IsPixelClockValid(double clockMHz, double ceilingMHz)
{
    return PixelClockField(clockMHz) > 0 && clockMHz <= ceilingMHz;
}

void EncodePreferredTiming(uint8_t* edid, const DetailedTiming& t, bool clearInterlace)
{
    uint8_t* d = edid + kPreferredTiming;
    const int field = PixelClockField(t.pixelClock);
    d[0] = uint8_t(field);
    d[1] = uint8_t(field >> 8);
    d[2] = uint8_t(t.hActive);
    d[3] = uint8_t(t.hBlank);
    d[4] = uint8_t(((t.hActive >> 8) & 0x0F) << 4 | ((t.hBlank >> 8) & 0x0F));
    d[5] = uint8_t(t.vActive);
    d[6] = uint8_t(t.vBlank);
    d[7] = uint8_t(((t.vActive >> 8) & 0x0F) << 4 | ((t.vBlank >> 8) & 0x0F));
    d[8] = uint8_t(t.hFrontPorch);
    d[9] = uint8_t(t.hSyncWidth);
    d[10] = uint8_t((t.vFrontPorch & 0x0F) << 4 | (t.vSyncWidth & 0x0F));
    d[11] = uint8_t(((t.hFrontPorch >> 8) & 0x3) << 6 | ((t.hSyncWidth >> 8) & 0x3) << 4
                    | ((t.vFrontPorch >> 4) & 0x3) << 2 | ((t.vSyncWidth >> 4) & 0x3));
    if (clearInterlace)
        edid[kFlagsByte] &= 0x7F;
    FixBaseChecksum(edid);
}

bool IsInterlaced(const uint8_t* edid)
{
    return (edid[kFlagsByte] & 0x80) != 0;
}

StandardTiming StandardOf(const DetailedTiming& t)
{
    StandardTiming st;
    st.hActive = t.hActive;
    st.vActive = t.vActive;
    const double total = double(t.hActive + t.hBlank) * double(t.vActive + t.vBlank);
    st.frameRate = total > 0 ? t.pixelClock * 1e6 / total : 0.0;
    return st;
}

void CalcDetailedTiming(int mode, const StandardTiming& st, DetailedTiming& out)
{
    const uint32_t hPixels = st.hActive > 0 ? uint32_t(st.hActive) : 0;
    const uint32_t vLines = st.vActive > 0 ? uint32_t(st.vActive) : 0;
    const int rate = int(st.frameRate + 0.5);
    if (mode == ModeCVT || mode == ModeCVTRB) {
        CVTInputParameters in;
        in.hPixels = hPixels;
        in.vLines = vLines;
        in.refresh = rate;
        in.reducedBlanking = mode == ModeCVTRB;
        const CVTOutputParameters r = CCalculateCVT().calculateCVT(in);
        out = {r.pixelClock, st.hActive, r.hBlank, r.hFrontPorch, r.hSync,
               st.vActive, r.vBlank, r.vFrontPorch, r.vSync};
    } else if (mode == ModeGTF) {
        GTFInputParameters in;
        in.hPixels = hPixels;
        in.vLines = vLines;
        in.kind = GTFInputParameters::FrameRate;
        in.value = rate > 0 ? uint32_t(rate) : 0;
        CCalculateGTF gtf;
        const GTFOutputParameters r = gtf.calculateGTF(in);
        out = {r.pixelClock, st.hActive, r.hBlank, r.hFrontPorch, r.hSync,
               st.vActive, r.vBlank, r.vFrontPorch, gtf.GetVSync()};
    } else {
        int carry = 0;
        if (out.hFrontPorch < 0) {
            carry += -out.hFrontPorch;
            out.hFrontPorch = 0;
        }
        if (out.hSyncWidth < 0) {
            carry += -out.hSyncWidth;
            out.hSyncWidth = 0;
        }
        out.hBlank += carry;
        if (out.vFrontPorch < 0) {
            out.vBlank += -out.vFrontPorch;
            out.vFrontPorch = 0;
        }
    }
}

// Clocks compare in the descriptor's 10 kHz steps, rounded the way they are written.
bool CompareDetailedTiming(const DetailedTiming& c, const DetailedTiming& d)
{
    return c.hActive == d.hActive && c.hBlank == d.hBlank && c.hFrontPorch == d.hFrontPorch
           && c.hSyncWidth == d.hSyncWidth && c.vActive == d.vActive && c.vBlank == d.vBlank
           && c.vFrontPorch == d.vFrontPorch && c.vSyncWidth == d.vSyncWidth
           && PixelClockField(c.pixelClock) == PixelClockField(d.pixelClock);
}

namespace {

constexpr int kMaxRecognisedRate = 1000;   // Hz; far beyond any rate the dialog can write

// Pixels by which a calculator's working width can exceed the active width stored:
// GTF rounds it to the nearest multiple of 8 (CVT rounds it down).
constexpr int kMaxWidthRoundingUp = 4;

// The whole rate nearest to `realRate` at which `mode` reproduces `decoded`, or 0.
// A mode's clock never falls as the rate rises, so the search ends once the computed
// clock passes the stored one. It starts at the lowest rate that can have written the
// descriptor: one runs at its requested rate but for GTF's clock, which may round up
// by half a field step, and GTF's working width, up to 4 pixels wider than the stored
// one, which makes the stored totals run up to 4 / H total faster than requested.
int RecogniseRate(int mode, const DetailedTiming& decoded, double realRate)
{
    const int stored = PixelClockField(decoded.pixelClock);
    const double hTotal = decoded.hActive + decoded.hBlank;
    const double slack = 0.005 * 1e6 / (hTotal * (decoded.vActive + decoded.vBlank));
    const double lowest = (realRate - slack) * hTotal / (hTotal + kMaxWidthRoundingUp);
    int best = 0;
    for (int rate = std::max(1, int(lowest) - 1); rate <= kMaxRecognisedRate; ++rate) {
        DetailedTiming calculated;
        CalcDetailedTiming(mode, StandardTiming{decoded.hActive, decoded.vActive, double(rate)}, calculated);
        if (PixelClockField(calculated.pixelClock) > stored)
            break;
        if (CompareDetailedTiming(calculated, decoded) && (!best || std::fabs(rate - realRate) < std::fabs(best - realRate)))
            best = rate;
    }
    return best;
}

} // namespace

int CheckTimingMode(const DetailedTiming& decoded, const StandardTiming& st, int* rate)
{
    // Nothing to recognise in an empty descriptor (a calculator's zero output would match it).
    if (PixelClockField(decoded.pixelClock) <= 0 || decoded.hActive <= 0 || decoded.vActive <= 0)
        return ModeCustom;
    for (int mode : {ModeCVT, ModeCVTRB, ModeGTF}) {
        if (const int found = RecogniseRate(mode, decoded, st.frameRate)) {
            if (rate)
                *rate = found;
            return mode;
        }
    }
    return ModeCustom;
}

QString TextDump(const uint8_t* edid)
{
    return DumpLines(edid, "0:  ").join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

QStringList ReportDumpLines(const uint8_t* edid)
{
    return DumpLines(edid, "0:   ");
}

} // namespace edid
