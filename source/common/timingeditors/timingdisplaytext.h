#pragma once
// Texts and tests shared by the timing page and its editors: whether the input can be
// tuned, and how a timing is named ("DMT, 1920x1080p, 60.00 Hz").

#include <QString>

#include <cstdint>

#include "device/kvcaprecords.h"

// Report 0x10 describes a present analogue signal (VGA or component): the only inputs
// whose sampling and timing the device lets the program change.
bool IsAnalogTimingInput(const _KVCAP_INPUT_STATUS& status);

// "1920x1080p, 60.00 Hz": the rate is the field rate when interlaced, else the frame
// rate, from a duration in 100 ns units; a zero duration gives "N/A" for the rate.
QString TimingModeText(int hActive, int vActive, bool interlaced, uint32_t frameDuration);

// The timing the device applies to an analogue input, led by the name of the detected
// standard, or "Custom" when the device detected none.
QString CurrentTimingText(const _KVCAP_INPUT_STATUS& status);

// "%1 Pixels" / "%1 Lines", the units of the timing values.
QString PixelsText(int value);
QString LinesText(int value);
