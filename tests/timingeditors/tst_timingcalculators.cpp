// The CVT and GTF calculators and the EDID descriptor helpers: reference results worked
// out by hand from the formulas and the VESA examples, a sweep for NaN and wrap, and the
// descriptor round trip with its checksum and mode recognition.

#include <QtTest>
#include <cmath>

#include "timingeditors/ccalculatecvt.h"
#include "timingeditors/ccalculategtf.h"
#include "timingeditors/ediddata.h"

namespace {

// What CVT/GTF must give: clock, H total, blank, front porch, sync; V total, blank, sync.
struct Expect {
    double clock;
    int hTotal, hBlank, hFront, hSync, vTotal, vBlank, vSync;
};

CVTOutputParameters Cvt(uint32_t h, uint32_t v, double rate, bool rb, bool interlaced = false)
{
    CVTInputParameters in;
    in.hPixels = h;
    in.vLines = v;
    in.refresh = rate;
    in.reducedBlanking = rb;
    in.interlaced = interlaced;
    return CCalculateCVT().calculateCVT(in);
}

GTFOutputParameters Gtf(uint32_t h, uint32_t v, uint32_t kind, uint32_t value, bool interlaced = false)
{
    GTFInputParameters in;
    in.hPixels = h;
    in.vLines = v;
    in.kind = kind;
    in.value = value;
    in.interlaced = interlaced;
    return CCalculateGTF().calculateGTF(in);
}

template <typename Out>
void Compare(const Out& o, int vSync, const Expect& e)
{
    QCOMPARE(o.pixelClock, e.clock);   // CVT clocks are exact multiples of 0.25
    QCOMPARE(o.hTotal, e.hTotal);
    QCOMPARE(o.hBlank, e.hBlank);
    QCOMPARE(o.hFrontPorch, e.hFront);
    QCOMPARE(o.hSync, e.hSync);
    QCOMPARE(o.vTotal, e.vTotal);
    QCOMPARE(o.vBlank, e.vBlank);
    QCOMPARE(vSync, e.vSync);
}

// 1080p60 as a CEA source sends it (148.5 MHz, 2200 x 1125): not a CVT/GTF timing.
const DetailedTiming kCea1080p{148.5, 1920, 280, 88, 44, 1080, 45, 4, 5};

} // namespace

class TstTimingCalculators : public QObject
{
    Q_OBJECT
private slots:
    void cvtReference()
    {
        // VESA example 1920x1080@60: H period estimate 14.8815 us, duty 25.54 %.
        const CVTOutputParameters n = Cvt(1920, 1080, 60, false);
        Compare(n, n.vSync, {173.0, 2576, 656, 128, 200, 1120, 40, 5});
        QCOMPARE(n.hBackPorch, 328);
        QVERIFY(qAbs(n.hPeriodEstimate - 14.8815) < 1e-3);
        // Reduced blanking: 460 us minimum blank -> 31 lines, 138.5 MHz.
        const CVTOutputParameters rb = Cvt(1920, 1080, 60, true);
        Compare(rb, rb.vSync, {138.5, 2080, 160, 48, 32, 1111, 31, 5});
        QCOMPARE(rb.vFrameRate, 0.0);
        // Interlaced 1080i60: 540-line fields at 120 Hz, V total truncated from 582.5.
        const CVTOutputParameters i = Cvt(1920, 1080, 60, false, true);
        Compare(i, i.vSync, {179.75, 2576, 656, 128, 200, 582, 42, 5});
        QVERIFY(qAbs(i.vFrameRate * 2 - i.vFieldRate) < 1e-9);
        // Aspect ratios pick the V sync; 1366 rounds down to 1360 (H total 1360 + blank).
        QCOMPARE(Cvt(1024, 768, 60, false).vSync, 4);
        QCOMPARE(Cvt(1280, 800, 60, false).vSync, 6);
        QCOMPARE(Cvt(1280, 1024, 60, false).vSync, 7);
        const CVTOutputParameters odd = Cvt(1366, 768, 60, false);
        QCOMPARE(odd.vSync, 10);
        QCOMPARE(odd.hTotal - odd.hBlank, 1360);
    }

    void gtfReference()
    {
        // VESA example 1024x768@60 by frame rate, by 48 kHz and by 64 MHz.
        const GTFOutputParameters f = Gtf(1024, 768, 0, 60);
        QVERIFY(qAbs(f.pixelClock - 64.1088) < 1e-3);
        Compare(f, 3, {f.pixelClock, 1344, 320, 56, 104, 795, 27, 3});
        QCOMPARE(f.vSyncBackPorch, 26);
        const GTFOutputParameters h = Gtf(1024, 768, 1, 48);
        QVERIFY(qAbs(h.pixelClock - 64.512) < 1e-9);
        Compare(h, 3, {h.pixelClock, 1344, 320, 56, 104, 795, 27, 3});
        const GTFOutputParameters c = Gtf(1024, 768, 2, 64);
        QVERIFY(qAbs(c.hFrequency - 47.619) < 1e-3);
        Compare(c, 3, {64.0, 1344, 320, 56, 104, 795, 27, 3});
        QCOMPARE(Gtf(1366, 768, 0, 60).hPixelsRounded, 1368);
        // An unknown input kind computes no timing; V blank 1 (2 interlaced).
        const GTFOutputParameters none = Gtf(1024, 768, 7, 60);
        QCOMPARE(none.pixelClock, 0.0);
        QCOMPARE(none.hTotal, 0);
        QCOMPARE(none.vBlank, 1);
        QCOMPARE(none.vFrontPorch, 1);
        QCOMPARE(Gtf(1024, 768, 7, 60, true).vBlank, 2);
    }

    // Nothing to compute gives all zeros, never NaN or a wrapped count.
    void degenerateInputs()
    {
        for (double rate : {0.0, -60.0, std::nan(""), 1e9}) {
            QCOMPARE(Cvt(1920, 1080, rate, false).hTotal, 0);
            QCOMPARE(Cvt(1920, 1080, rate, true).pixelClock, 0.0);
        }
        QCOMPARE(Cvt(0, 1080, 60, false).hTotal, 0);
        QCOMPARE(Cvt(7, 1080, 60, false).hTotal, 0);      // rounds to 0 pixels
        QCOMPARE(Cvt(1920, 1, 60, false, true).vTotal, 0); // no line per field
        for (uint32_t kind : {0u, 1u, 2u}) {
            QCOMPARE(Gtf(1024, 768, kind, 0).vBlank, 0);
            QCOMPARE(Gtf(0, 768, kind, 60).hTotal, 0);
        }
    }

    void sweepHasNoNaNOrWrap()
    {
        int checked = 0;
        auto sane = [](double x) { return std::isfinite(x) && std::fabs(x) < 1e7; };
        for (uint32_t h = 8; h <= 8192; h += 173) {
            for (uint32_t v = 2; v <= 4320; v += 131) {
                for (int rate : {1, 2, 5, 12, 24, 30, 50, 60, 75, 120, 144, 240, 480, 1000, 1817, 1900, 9999}) {
                    for (int mode = 0; mode < 5; ++mode) {
                        double d[4];
                        int n[8];
                        if (mode < 2) {
                            const CVTOutputParameters o = Cvt(h, v, rate, mode == 1, (rate & 1) != 0);
                            const double dd[4] = {o.pixelClock, o.hFrequency, o.vFieldRate, o.hPeriodEstimate};
                            const int nn[8] = {o.hTotal, o.hBlank, o.hFrontPorch, o.hBackPorch,
                                               o.vTotal, o.vBlank, o.vBackPorch, o.hSync};
                            std::copy(dd, dd + 4, d);
                            std::copy(nn, nn + 8, n);
                            // CVT blanking is never negative; a timing has at least its active width.
                            QVERIFY(o.hBlank >= 0 && (o.hTotal == 0 || o.hTotal >= int(h - h % 8)));
                        } else {
                            const GTFOutputParameters o = Gtf(h, v, uint32_t(mode - 2), uint32_t(rate), (rate & 2) != 0);
                            const double dd[4] = {o.pixelClock, o.hFrequency, o.vFieldRate, o.idealDutyCycle};
                            const int nn[8] = {o.hTotal, o.hBlank, o.hFrontPorch, o.hBackPorch,
                                               o.vTotal, o.vBlank, o.vBackPorch, o.vBackPorchField};
                            std::copy(dd, dd + 4, d);
                            std::copy(nn, nn + 8, n);
                        }
                        for (double x : d)
                            QVERIFY2(sane(x), qPrintable(QStringLiteral("%1x%2@%3 mode %4").arg(h).arg(v).arg(rate).arg(mode)));
                        for (int x : n)
                            QVERIFY2(std::abs(x) < 1000000, qPrintable(QStringLiteral("%1x%2@%3 mode %4 -> %5").arg(h).arg(v).arg(rate).arg(mode).arg(x)));
                        ++checked;
                    }
                }
            }
        }
        QVERIFY(checked > 10000);
    }

    // Bytes 54..65 encode and decode losslessly, byte 127 fixes the sum, nothing else moves.
    void descriptorRoundTrip()
    {
        uint8_t edidBytes[256];
        for (int i = 0; i < 256; ++i)
            edidBytes[i] = uint8_t(i * 7 + 3);
        edidBytes[71] |= 0x80;   // interlaced flag
        uint8_t before[256];
        std::copy(edidBytes, edidBytes + 256, before);
        // 148.5 is 14849.999.. x 100 in binary: a truncating write would lose 10 kHz.
        const DetailedTiming big{148.5, 4095, 4095, 1023, 1023, 4095, 4095, 63, 63};
        edid::EncodePreferredTiming(edidBytes, big, false);
        const DetailedTiming back = edid::DecodePreferredTiming(edidBytes);
        QCOMPARE(back.pixelClock, 148.5);
        QVERIFY(edid::CompareDetailedTiming(back, big) && back.vSyncWidth == 63 && back.hFrontPorch == 1023);
        QCOMPARE(edidBytes[54], uint8_t(14850 & 0xFF));
        QVERIFY(edid::BaseChecksumOk(edidBytes));
        QVERIFY(edid::IsInterlaced(edidBytes));
        for (int i = 0; i < 256; ++i)
            if ((i < 54 || i > 65) && i != 127)
                QCOMPARE(edidBytes[i], before[i]);
        unsigned sum = 0;
        for (int i = 0; i < 128; ++i)
            sum += edidBytes[i];
        QCOMPARE(sum % 256, 0u);
        edid::EncodePreferredTiming(edidBytes, kCea1080p, true);
        QVERIFY(!edid::IsInterlaced(edidBytes) && edid::BaseChecksumOk(edidBytes));
        QVERIFY(edid::CompareDetailedTiming(edid::DecodePreferredTiming(edidBytes), kCea1080p));
        // A display descriptor (clock 0) decodes as no timing, rate 0, not NaN.
        edidBytes[54] = edidBytes[55] = 0;
        const DetailedTiming none = edid::DecodePreferredTiming(edidBytes);
        QCOMPARE(none.hActive, 0);
        QCOMPARE(edid::StandardOf(none).frameRate, 0.0);
    }

    // What CVT, CVT-RB or GTF writes (sizes x 1..256 Hz) reopens in its own mode at a rate giving the same bytes, also where
    // its rate rounds elsewhere (CVT 640x480@60: 59.375 Hz) or GTF's wider working width runs it faster (100x75@200).
    void modeRecognition()
    {
        QCOMPARE(edid::StandardOf(kCea1080p).frameRate, 60.0);
        QCOMPARE(edid::CheckTimingMode(kCea1080p, edid::StandardOf(kCea1080p)), int(edid::ModeCustom));
        QCOMPARE(edid::CheckTimingMode(DetailedTiming(), StandardTiming()), int(edid::ModeCustom));
        std::vector<std::pair<int, int>> sizes = {{640, 480}, {720, 480}, {1366, 768}, {1920, 1080}, {128, 72},
                                                  {100, 75},  {76, 480},  {356, 480}};
        for (int h = 64; h <= 4095; h += 251)
            for (int v = 64; v <= 4095; v += 193)
                sizes.push_back({h, v});
        int written = 0, same = 0;
        for (int i = 0; i < int(sizes.size()) * 3 * 256; ++i) {
            const auto [h, v] = sizes[i / 768];
            const int mode = i / 256 % 3, rate = i % 256 + 1;
            DetailedTiming t, again;
            edid::CalcDetailedTiming(mode, StandardTiming{h, v, double(rate)}, t);
            // Through the 10 kHz descriptor field and back, as the dialog sees it.
            uint8_t bytes[256] = {};
            edid::EncodePreferredTiming(bytes, t, false);
            const DetailedTiming decoded = edid::DecodePreferredTiming(bytes);
            if (!edid::IsPixelClockValid(t.pixelClock, 600) || !edid::CompareDetailedTiming(t, decoded))
                continue;   // no dialog writes it
            int found = 0;
            const int reopened = edid::CheckTimingMode(decoded, edid::StandardOf(decoded), &found);
            edid::CalcDetailedTiming(reopened, StandardTiming{h, v, double(found)}, again);
            QVERIFY2(reopened == mode && edid::CompareDetailedTiming(again, decoded),
                     qPrintable(QString::asprintf("%dx%d@%d mode %d", h, v, rate, mode)));
            ++written;
            same += found == rate;
        }
        QVERIFY(written > 160000 && same > written * 9 / 10);
        // Custom: negative H porch and sync move into the blank; a negative V sync stays.
        DetailedTiming custom{100, 1920, 100, -10, -5, 1080, 20, -3, -2};
        edid::CalcDetailedTiming(edid::ModeCustom, StandardTiming(), custom);
        QCOMPARE(custom.hBlank, 115);
        QCOMPARE(custom.hFrontPorch + custom.hSyncWidth, 0);
        QCOMPARE(custom.vBlank, 23);
        QCOMPARE(custom.vFrontPorch, 0);
        QCOMPARE(custom.vSyncWidth, -2);
    }

    void dumps()
    {
        uint8_t bytes[256];
        for (int i = 0; i < 256; ++i)
            bytes[i] = uint8_t(i);
        const QString text = edid::TextDump(bytes);
        QCOMPARE(text.size(), 864);
        QVERIFY(text.startsWith(QStringLiteral("00:  00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F\r\n")));
        QVERIFY(text.endsWith(QStringLiteral("F0:  F0 F1 F2 F3 F4 F5 F6 F7 F8 F9 FA FB FC FD FE FF\r\n")));
        const QStringList lines = edid::ReportDumpLines(bytes);
        QCOMPARE(lines.size(), 16);
        QCOMPARE(lines[10], QStringLiteral("A0:   A0 A1 A2 A3 A4 A5 A6 A7 A8 A9 AA AB AC AD AE AF"));
    }
};

QTEST_APPLESS_MAIN(TstTimingCalculators)
#include "tst_timingcalculators.moc"
