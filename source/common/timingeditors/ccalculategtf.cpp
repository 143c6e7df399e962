#include "timingeditors/ccalculategtf.h"

#include <cmath>

#include "timingeditors/timingmath.h"

using timingmath::Nearest;
using timingmath::Truncate;

CCalculateGTF::CCalculateGTF()
    : MARGIN_PER(1.8), CELL_GRAN(8), MIN_PORCH(1), V_SYNC(3), H_SYNC_PER(8.0), MIN_VSYNC_BP(550.0), M(600),
      C(40), K(128), J(20)
{
}

// Top/bottom and left/right margins and the total active width.
void CCalculateGTF::Margins(const GTFInputParameters& in, GTFOutputParameters& out) const
{
    if (in.margins) {
        out.topMargin = out.bottomMargin = Nearest(out.vLinesField * MARGIN_PER / 100);
        out.leftMargin = out.rightMargin = Nearest(out.hPixelsRounded * MARGIN_PER / 100 / CELL_GRAN) * CELL_GRAN;
    }
    out.totalActive = out.hPixelsRounded + out.leftMargin + out.rightMargin;
}

void CCalculateGTF::HorizontalBlank(GTFOutputParameters& out) const
{
    const double duty = out.idealDutyCycle;
    out.hBlank = Nearest(out.totalActive * duty / (100 - duty) / (2 * CELL_GRAN)) * (2 * CELL_GRAN);
    out.hTotal = out.totalActive + out.hBlank;
}

// Vertical figures once the horizontal frequency is known (kinds 1 and 2).
void CCalculateGTF::VerticalFromHFrequency(const GTFInputParameters& in, GTFOutputParameters& out) const
{
    out.vSyncBackPorch = Nearest(MIN_VSYNC_BP * out.hFrequency / 1000);
    out.vTotal = out.vLinesField + MIN_PORCH + out.topMargin + out.bottomMargin + out.vSyncBackPorch;
    out.vFieldRate = out.hFrequency / out.vTotal * 1000;
    out.vFrameRate = in.interlaced ? out.vFieldRate / 2 : out.vFieldRate;
}

GTFOutputParameters CCalculateGTF::calculateGTF(GTFInputParameters in)
{
    GTFOutputParameters out;
    m_result = out;
    M_PRIME = (M * K) / 256;
    C_PRIME = ((C - J) * K) / 256 + J;
    if (in.hPixels > timingmath::kMaxPixels || in.vLines > timingmath::kMaxPixels)
        return out;
    out.hPixelsRounded = Nearest(in.hPixels / double(CELL_GRAN)) * CELL_GRAN;
    out.vLinesField = int(in.interlaced ? in.vLines / 2 : in.vLines);
    if (out.hPixelsRounded == 0 || out.vLinesField == 0)
        return GTFOutputParameters();
    const bool known = in.kind <= GTFInputParameters::PixelClock;
    if (known && (in.value == 0 || in.value > timingmath::kMaxRate))
        return GTFOutputParameters();
    out.interlace = in.interlaced ? 0.5 : 0.0;

    if (in.kind == GTFInputParameters::FrameRate) {
        out.fieldRate = in.interlaced ? in.value * 2.0 : double(in.value);
        Margins(in, out);
        out.hPeriodEstimate = ((1 / out.fieldRate) - MIN_VSYNC_BP / 1000000)
                              / (out.vLinesField + MIN_PORCH + out.topMargin + out.bottomMargin + out.interlace)
                              * 1000000;
        if (!(out.hPeriodEstimate > 0.01))
            return GTFOutputParameters();
        out.vSyncBackPorch = Nearest(MIN_VSYNC_BP / out.hPeriodEstimate);
        out.vTotal = out.vLinesField + MIN_PORCH + out.topMargin + out.bottomMargin + out.vSyncBackPorch;
        out.vFieldRateEstimate = 1 / out.hPeriodEstimate / out.vTotal * 1000000;
        out.hPeriod = out.hPeriodEstimate / (out.fieldRate / out.vFieldRateEstimate);
        out.vFieldRate = 1 / out.hPeriod / out.vTotal * 1000000;
        out.vFrameRate = in.interlaced ? out.vFieldRate / 2 : out.vFieldRate;
        out.idealDutyCycle = C_PRIME - M_PRIME * out.hPeriod / 1000;
        HorizontalBlank(out);
        out.pixelClock = out.hTotal / out.hPeriod;
        out.hFrequency = 1000 / out.hPeriod;
    } else if (in.kind == GTFInputParameters::HFrequency) {
        out.hFrequency = in.value;
        Margins(in, out);
        VerticalFromHFrequency(in, out);
        out.idealDutyCycle = C_PRIME - M_PRIME / out.hFrequency;
        HorizontalBlank(out);
        out.hPeriod = 1000 / out.hFrequency;
        out.pixelClock = out.hTotal * out.hFrequency / 1000;
    } else if (in.kind == GTFInputParameters::PixelClock) {
        out.pixelClock = in.value;
        Margins(in, out);
        out.idealHPeriod = ((C_PRIME - 100)
                            + std::sqrt((100.0 - C_PRIME) * (100.0 - C_PRIME)
                                        + 0.4 * M_PRIME * (out.totalActive + out.leftMargin + out.rightMargin)
                                              / out.pixelClock))
                           / 2 / M_PRIME * 1000;
        out.idealDutyCycle = C_PRIME - M_PRIME * out.idealHPeriod / 1000;
        HorizontalBlank(out);
        if (out.hTotal <= 0)
            return GTFOutputParameters();
        out.hFrequency = out.pixelClock / out.hTotal * 1000;
        out.hPeriod = 1000 / out.hFrequency;
        VerticalFromHFrequency(in, out);
    }
    if (known)
        out.vBackPorch = out.vSyncBackPorch - V_SYNC;

    out.hSync = Nearest(out.hTotal * H_SYNC_PER / 100 / CELL_GRAN) * CELL_GRAN;
    out.hBackPorch = out.hBlank / 2;
    out.hFrontPorch = out.hBlank / 2 - out.hSync;
    out.vSyncBackFrontPorch = out.vSyncBackPorch + MIN_PORCH;
    out.vBlank = out.vSyncBackFrontPorch + Truncate(2 * out.interlace);
    out.vFrontPorch = Truncate(MIN_PORCH + out.interlace);
    out.vBackPorchField = out.vBackPorch + Truncate(out.interlace);
    m_result = out;
    return out;
}
