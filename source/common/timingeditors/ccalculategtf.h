#pragma once
// VESA Generalized Timing Formula, driven by a frame rate, a horizontal frequency or a
// pixel clock. Built on the stack for one calculation. A requested value of 0, a size
// that rounds to zero or a request outside the working range gives all-zero output.

#include <cstdint>

struct GTFInputParameters {
    enum Kind : uint32_t { FrameRate = 0, HFrequency = 1, PixelClock = 2 };
    uint32_t hPixels = 0;
    uint32_t vLines = 0;
    uint8_t margins = 0;
    uint8_t interlaced = 0;
    uint32_t kind = FrameRate;
    uint32_t value = 0;          // Hz, kHz or MHz by kind
};

// Every line and pixel figure is signed: at low rates the ideal duty cycle goes
// negative and so does the blanking; it must never wrap to a huge count.
struct GTFOutputParameters {
    int hPixelsRounded = 0;
    int vLinesField = 0;
    double fieldRate = 0;
    int topMargin = 0;
    int bottomMargin = 0;
    double interlace = 0;
    double hPeriodEstimate = 0;
    int vSyncBackPorch = 0;
    int vTotal = 0;
    double vFieldRateEstimate = 0;
    double hPeriod = 0;
    double vFieldRate = 0;
    double vFrameRate = 0;
    int leftMargin = 0;
    int rightMargin = 0;
    int totalActive = 0;
    double idealDutyCycle = 0;
    int hBlank = 0;
    int hTotal = 0;
    double pixelClock = 0;       // MHz
    double hFrequency = 0;       // kHz
    int vBackPorch = 0;
    double idealHPeriod = 0;
    int hSync = 0;
    int hFrontPorch = 0;
    int hBackPorch = 0;
    int vSyncBackFrontPorch = 0;
    int vBlank = 0;
    int vFrontPorch = 0;
    int vBackPorchField = 0;
};

class CCalculateGTF
{
public:
    CCalculateGTF();

    GTFOutputParameters calculateGTF(GTFInputParameters input);
    const GTFOutputParameters& GetResult() const { return m_result; }
    int GetVSync() const { return V_SYNC; }

private:
    void Margins(const GTFInputParameters& in, GTFOutputParameters& out) const;
    void HorizontalBlank(GTFOutputParameters& out) const;
    void VerticalFromHFrequency(const GTFInputParameters& in, GTFOutputParameters& out) const;

    double MARGIN_PER;
    int CELL_GRAN;
    int MIN_PORCH;
    int V_SYNC;
    double H_SYNC_PER;
    double MIN_VSYNC_BP;
    int M;
    int C;
    int K;
    int J;
    int M_PRIME = 300;
    int C_PRIME = 30;

    GTFOutputParameters m_result;
};
