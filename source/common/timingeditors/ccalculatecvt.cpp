#include "timingeditors/ccalculatecvt.h"

#include "timingeditors/timingmath.h"

using timingmath::Truncate;

CCalculateCVT::CCalculateCVT()
    : MARGIN_PER(1.8),
      CELL_GRAN(8),
      V_SYNC_RND(4),
      H_SYNC_PER(8.0),
      MIN_VSYNC_BP(550.0),
      MIN_V_BPORCH(6),
      MIN_V_PORCH_RND(3),
      M(600),
      C(40),
      K(128),
      J(20),
      M_PRIME(300),
      C_PRIME(30),
      RB_H_BLANK(160),
      RB_H_SYNC(32),
      RB_MIN_V_BLANK(460.0),
      RB_V_FPORCH(3),
      CLOCK_STEP(0.25)
{
}

int CCalculateCVT::VSyncForAspect(uint32_t h, uint32_t v)
{
    if (h == v * 4 / 3)
        return 4;
    if (h == v * 16 / 9)
        return 5;
    if (h == v * 16 / 10)
        return 6;
    if (h == v * 5 / 4 || h == v * 15 / 9)
        return 7;
    return 10;
}

CVTOutputParameters CCalculateCVT::calculateCVT(CVTInputParameters in)
{
    CVTOutputParameters out;
    m_result = out;
    M_PRIME = (M * K) / 256;
    C_PRIME = ((C - J) * K) / 256 + J;
    if (!(in.refresh > 0.0) || in.refresh > timingmath::kMaxRate || in.hPixels > timingmath::kMaxPixels
        || in.vLines > timingmath::kMaxPixels)
        return out;

    V_SYNC_RND = VSyncForAspect(in.hPixels, in.vLines);
    const double fieldRate = in.interlaced ? in.refresh * 2 : in.refresh;
    const int hPixelsRnd = int(in.hPixels - in.hPixels % CELL_GRAN);
    const int vLinesField = int(in.interlaced ? in.vLines / 2 : in.vLines);
    if (hPixelsRnd == 0 || vLinesField == 0)
        return out;

    int left = 0, top = 0;
    if (in.margins) {
        left = Truncate(hPixelsRnd * MARGIN_PER / 100 / CELL_GRAN) * CELL_GRAN;
        top = Truncate(vLinesField * MARGIN_PER / 100);
    }
    const int totalActive = hPixelsRnd + 2 * left;
    const double interlace = in.interlaced ? 0.5 : 0.0;

    if (!in.reducedBlanking) {
        out.hPeriodEstimate = ((1 / fieldRate) - MIN_VSYNC_BP / 1000000)
                              / (vLinesField + 2 * top + MIN_V_PORCH_RND + interlace) * 1000000;
        // A field shorter than the minimum sync + back porch has no timing.
        if (!(out.hPeriodEstimate > 0.01))
            return CVTOutputParameters();
        const double duty = C_PRIME - M_PRIME * out.hPeriodEstimate / 1000;
        if (duty >= 20)
            out.hBlank = Truncate(totalActive * duty / (100 - duty) / (2 * CELL_GRAN)) * (2 * CELL_GRAN);
        else
            out.hBlank = Truncate(totalActive * 20.0 / 80 / (2 * CELL_GRAN)) * (2 * CELL_GRAN);
        out.hTotal = totalActive + out.hBlank;
        out.pixelClock = std::trunc(out.hTotal / out.hPeriodEstimate / CLOCK_STEP) * CLOCK_STEP;
        out.hFrequency = out.pixelClock * 1000 / out.hTotal;
        out.hSync = Truncate(H_SYNC_PER / 100 * out.hTotal / CELL_GRAN) * CELL_GRAN;
        out.hBackPorch = out.hBlank / 2;
        out.hFrontPorch = out.hBlank - out.hBackPorch - out.hSync;
        int vSyncBp = Truncate(MIN_VSYNC_BP / out.hPeriodEstimate) + 1;
        if (vSyncBp < V_SYNC_RND + MIN_V_BPORCH)
            vSyncBp = V_SYNC_RND + MIN_V_BPORCH;
        out.vTotal = Truncate(MIN_V_PORCH_RND + interlace + vLinesField + 2 * top + vSyncBp);
        out.vFieldRate = out.hFrequency * 1000 / out.vTotal;
        out.vFrameRate = in.interlaced ? out.vFieldRate / 2 : out.vFieldRate;
        out.vSync = V_SYNC_RND;
        out.vBlank = vSyncBp + MIN_V_PORCH_RND;
        out.vFrontPorch = MIN_V_PORCH_RND;
        out.vBackPorch = vSyncBp - V_SYNC_RND;
    } else {
        const int vLinesMargins = vLinesField + 2 * top;
        out.hPeriodEstimate = (1000000 / fieldRate - RB_MIN_V_BLANK) / vLinesMargins;
        if (!(out.hPeriodEstimate > 0.01))
            return CVTOutputParameters();
        out.hTotal = totalActive + RB_H_BLANK;
        out.hBlank = RB_H_BLANK;
        out.hSync = RB_H_SYNC;
        out.hBackPorch = RB_H_BLANK / 2;
        out.hFrontPorch = out.hBlank - out.hBackPorch - out.hSync;
        out.vBlank = Truncate(RB_MIN_V_BLANK / out.hPeriodEstimate) + 1;
        if (out.vBlank < RB_V_FPORCH + V_SYNC_RND + MIN_V_BPORCH)
            out.vBlank = RB_V_FPORCH + V_SYNC_RND + MIN_V_BPORCH;
        out.vTotal = Truncate(interlace + vLinesMargins + out.vBlank);
        out.pixelClock = std::trunc(fieldRate * out.vTotal * out.hTotal / 1000000 / CLOCK_STEP) * CLOCK_STEP;
        out.hFrequency = out.pixelClock * 1000 / out.hTotal;
        out.vFieldRate = out.hFrequency * 1000 / out.vTotal;
        out.vSync = V_SYNC_RND;
        out.vFrontPorch = RB_V_FPORCH;
        out.vBackPorch = out.vBlank - V_SYNC_RND - RB_V_FPORCH;
    }
    m_result = out;
    return out;
}
