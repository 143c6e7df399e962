#pragma once
// Records of the video processing (0x13 to 0x17), bound to their ids with LV_REPORT_RECORD.
// Included by device/kvcaprecords.h; include that header, not this one.
//
// An override field of 0 means automatic: the device follows the signal. Codes shared
// by the fields: colour format 1 RGB, 2 BT.601, 3 BT.709, 4 BT.2020; quantization and
// saturation 1 full, 2 limited (saturation 3 extended gamut); deinterlace 0 weave,
// 1 blend, 2 top field, 3 bottom field; aspect conversion 0 ignore, 1 crop, 2 pad.

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)

// Report 0x13 (GET/SET, 8): the aspect ratio assumed for the input; 0:0 automatic.
struct _KVCAP_INPUT_ASPECT_RATIO {
    int32_t x;
    int32_t y;
};
static_assert(sizeof(_KVCAP_INPUT_ASPECT_RATIO) == 8, "report 0x13 is 8 bytes");

// Report 0x14 (GET/SET, 4): input colour-format override.
struct _KVCAP_INPUT_COLOR_FORMAT {
    uint32_t format;
};
// Report 0x15 (GET/SET, 4): input quantization-range override.
struct _KVCAP_INPUT_QUANT_RANGE {
    uint32_t range;
};
static_assert(sizeof(_KVCAP_INPUT_COLOR_FORMAT) == 4 && sizeof(_KVCAP_INPUT_QUANT_RANGE) == 4, "");

// Report 0x16 (GET, 37): the format the capture stream is connected with right now.
struct _KVCAP_VIDEO_CONNECTION_FORMAT {
    uint8_t connected;                   // 0: no stream; nothing below means anything
    uint32_t cx;
    uint32_t cy;
    uint32_t frameDuration;              // 100 ns units; 0 on a faulty device
    uint32_t fourcc;
    int32_t aspectX;
    int32_t aspectY;
    uint32_t colorFormat;
    uint32_t quantRange;
    uint32_t satRange;
};
static_assert(sizeof(_KVCAP_VIDEO_CONNECTION_FORMAT) == 37, "report 0x16 is 37 bytes");
static_assert(offsetof(_KVCAP_VIDEO_CONNECTION_FORMAT, cx) == 1, "");
static_assert(offsetof(_KVCAP_VIDEO_CONNECTION_FORMAT, fourcc) == 13, "");
static_assert(offsetof(_KVCAP_VIDEO_CONNECTION_FORMAT, satRange) == 33, "");

constexpr uint32_t KVCAP_PROCESS_FLIP = 0x1;
constexpr uint32_t KVCAP_PROCESS_MIRROR = 0x2;

// Report 0x17 (GET/SET, 41): capture processing. Writers read it whole and change only
// their own fields; unknown flag bits and the reserved byte go back as read.
struct _KVCAP_VIDEO_PROCESS_SETTINGS {
    uint32_t flags;                      // KVCAP_PROCESS_FLIP, KVCAP_PROCESS_MIRROR
    int16_t cropLeft;                    // all four 0: no crop
    int16_t cropTop;
    int16_t cropRight;
    int16_t cropBottom;
    int32_t aspectX;                     // 0:0 automatic
    int32_t aspectY;
    uint8_t reserved;
    uint32_t colorFormat;
    uint32_t quantRange;
    uint32_t satRange;
    uint32_t deinterlace;
    uint32_t arConversion;
};
static_assert(sizeof(_KVCAP_VIDEO_PROCESS_SETTINGS) == 41, "report 0x17 is 41 bytes");
static_assert(offsetof(_KVCAP_VIDEO_PROCESS_SETTINGS, cropLeft) == 4, "");
static_assert(offsetof(_KVCAP_VIDEO_PROCESS_SETTINGS, aspectX) == 12, "");
static_assert(offsetof(_KVCAP_VIDEO_PROCESS_SETTINGS, reserved) == 20, "");
static_assert(offsetof(_KVCAP_VIDEO_PROCESS_SETTINGS, colorFormat) == 21, "");
static_assert(offsetof(_KVCAP_VIDEO_PROCESS_SETTINGS, deinterlace) == 33, "");
static_assert(offsetof(_KVCAP_VIDEO_PROCESS_SETTINGS, arConversion) == 37, "");

#pragma pack(pop)

LV_REPORT_RECORD(_KVCAP_INPUT_ASPECT_RATIO, 0x13);
LV_REPORT_RECORD(_KVCAP_INPUT_COLOR_FORMAT, 0x14);
LV_REPORT_RECORD(_KVCAP_INPUT_QUANT_RANGE, 0x15);
LV_REPORT_RECORD(_KVCAP_VIDEO_CONNECTION_FORMAT, 0x16);
LV_REPORT_RECORD(_KVCAP_VIDEO_PROCESS_SETTINGS, 0x17);
