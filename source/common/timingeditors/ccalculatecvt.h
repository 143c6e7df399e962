#pragma once
// VESA Coordinated Video Timing (CVT 1.1): normal and reduced blanking.
// Built on the stack for one calculation. A refresh <= 0, a size that rounds to zero,
// or a request outside the working range (sizes above 65535, rates above 10 kHz, a
// field too short for the minimum vertical blanking) gives all-zero output.

#include <cstdint>

struct CVTInputParameters {
    uint32_t hPixels = 0;
    uint32_t vLines = 0;
    double refresh = 0.0;        // Hz
    uint8_t margins = 0;         // non-zero: add the 1.8 % margins
    uint8_t interlaced = 0;
    uint8_t reducedBlanking = 0;
};

// Signed on purpose: porches are differences and must never wrap.
struct CVTOutputParameters {
    double hPeriodEstimate = 0;  // microseconds
    double hFrequency = 0;       // kHz
    double vFieldRate = 0;       // Hz
    double vFrameRate = 0;       // Hz (0 with reduced blanking)
    double pixelClock = 0;       // MHz
    int hTotal = 0;
    int hBlank = 0;
    int hFrontPorch = 0;
    int hSync = 0;
    int hBackPorch = 0;
    int vTotal = 0;
    int vBlank = 0;
    int vFrontPorch = 0;
    int vSync = 0;
    int vBackPorch = 0;
};

class CCalculateCVT
{
public:
    CCalculateCVT();

    CVTOutputParameters calculateCVT(CVTInputParameters input);
    const CVTOutputParameters& GetResult() const { return m_result; }

    // V sync width by aspect ratio (4:3 -> 4, 16:9 -> 5, 16:10 -> 6, 5:4 or 15:9 -> 7, else 10).
    static int VSyncForAspect(uint32_t hPixels, uint32_t vLines);

private:
    double MARGIN_PER;
    int CELL_GRAN;
    int V_SYNC_RND;
    double H_SYNC_PER;
    double MIN_VSYNC_BP;
    int MIN_V_BPORCH;
    int MIN_V_PORCH_RND;
    int M;
    int C;
    int K;
    int J;
    int M_PRIME;
    int C_PRIME;
    int RB_H_BLANK;
    int RB_H_SYNC;
    double RB_MIN_V_BLANK;
    int RB_V_FPORCH;
    double CLOCK_STEP;

    CVTOutputParameters m_result;
};
