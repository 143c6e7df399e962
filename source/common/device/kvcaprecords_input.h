#pragma once
// Records of the input sources and of the video and audio signal (0x09 to 0x0F, 0x11,
// 0x12). Included by device/kvcaprecords.h; include that header, not this one.
//
// An input source is named by a u32 source code: input type in bits 8 and up, the
// index among the inputs of that type in bits 0..7 (0x100 first HDMI, 0x401 second SDI).

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)

typedef uint32_t _KVCAP_VIDEO_INPUT_TYPE;
enum : _KVCAP_VIDEO_INPUT_TYPE {
    KVCAP_VIDEO_INPUT_NONE = 0,
    KVCAP_VIDEO_INPUT_HDMI = 1,
    KVCAP_VIDEO_INPUT_VGA = 2,
    KVCAP_VIDEO_INPUT_SDI = 4,
    KVCAP_VIDEO_INPUT_COMPONENT = 8,
    KVCAP_VIDEO_INPUT_CVBS = 16,
    KVCAP_VIDEO_INPUT_YC = 32,
};

typedef uint32_t _KVCAP_AUDIO_INPUT_TYPE;
enum : _KVCAP_AUDIO_INPUT_TYPE {
    KVCAP_AUDIO_INPUT_NONE = 0,
    KVCAP_AUDIO_INPUT_HDMI = 1,     // embedded in HDMI
    KVCAP_AUDIO_INPUT_SDI = 2,      // embedded in SDI
    KVCAP_AUDIO_INPUT_LINE_IN = 4,
    KVCAP_AUDIO_INPUT_MIC = 8,
};

constexpr uint32_t KvSourceCode(uint32_t type, uint32_t index) { return (type << 8) | (index & 0xFF); }

constexpr int KVCAP_MAX_INPUT_SOURCES = 16;

// Reports 0x09 (video sources, index 0) and 0x0A (audio sources, index 1), GET, 65.
struct _KVCAP_INPUT_SOURCE_LIST {
    uint8_t count;                       // valid entries in codes; may exceed 16 on a faulty device
    uint32_t codes[KVCAP_MAX_INPUT_SOURCES];
};
static_assert(sizeof(_KVCAP_INPUT_SOURCE_LIST) == 65, "reports 0x09/0x0A are 65 bytes");
enum : int { KvVideoSourceList = 0, KvAudioSourceList = 1 };

// Report 0x0B (GET/SET, 1): non-zero, the device picks the video input by itself.
struct _KVCAP_VIDEO_AUTO_SCAN {
    uint8_t enabled;
};
// Report 0x0C (GET, 1): non-zero while the automatic scan searches for a signal.
struct _KVCAP_VIDEO_SCANNING {
    uint8_t scanning;
};
// Report 0x0D (GET/SET, 1): non-zero, the audio input follows the video input.
struct _KVCAP_AUDIO_LINK_VIDEO {
    uint8_t linked;
};
// Reports 0x0E and 0x0F (GET/SET, 4): the current video / audio source code.
struct _KVCAP_VIDEO_INPUT_SOURCE {
    uint32_t code;
};
struct _KVCAP_AUDIO_INPUT_SOURCE {
    uint32_t code;
};

// Report 0x11 (GET, 58): the video signal on the current input.
struct _KVCAP_VIDEO_STATUS {
    int32_t state;                       // 0 not present, 1 unsupported, 2 locking, 3 locked
    int32_t offsetX;
    int32_t offsetY;
    int32_t width;
    int32_t height;                      // lines per frame
    int32_t totalWidth;
    int32_t totalHeight;
    uint8_t interlaced;
    uint32_t frameDuration;              // 100 ns units; 0 on a faulty device
    int32_t aspectX;
    int32_t aspectY;
    uint8_t segmented;
    uint32_t frameKind;                  // not interpreted
    uint32_t colorFormat;                // 1 RGB, 2 BT.601, 3 BT.709, 4 BT.2020, 5 BT.2020C
    uint32_t quantRange;                 // 1 full, 2 limited
    uint32_t satRange;                   // 1 full, 2 limited, 3 extended gamut
};
static_assert(sizeof(_KVCAP_VIDEO_STATUS) == 58, "report 0x11 is 58 bytes");
static_assert(offsetof(_KVCAP_VIDEO_STATUS, interlaced) == 28, "");
static_assert(offsetof(_KVCAP_VIDEO_STATUS, frameDuration) == 29, "");
static_assert(offsetof(_KVCAP_VIDEO_STATUS, segmented) == 41, "");
static_assert(offsetof(_KVCAP_VIDEO_STATUS, colorFormat) == 46, "");
static_assert(offsetof(_KVCAP_VIDEO_STATUS, satRange) == 54, "");

constexpr int32_t KVCAP_VIDEO_STATE_LOCKED = 3;

// Report 0x12 (GET, 33): the audio signal on the current audio input.
struct _KVCAP_AUDIO_STATUS {
    uint16_t channelPairs;               // bit n: channels 2n+1 & 2n+2 present; 0 no signal
    uint8_t lpcm;
    uint8_t bitsPerSample;
    uint32_t sampleRate;                 // Hz
    uint8_t channelStatusFlag;           // not interpreted
    uint8_t channelStatus[24];           // IEC 60958 channel-status block
};
static_assert(sizeof(_KVCAP_AUDIO_STATUS) == 33, "report 0x12 is 33 bytes");
static_assert(offsetof(_KVCAP_AUDIO_STATUS, channelStatus) == 9, "");

#pragma pack(pop)

LV_REPORT_RECORD_RANGE(_KVCAP_INPUT_SOURCE_LIST, 0x09, 2);
LV_REPORT_RECORD(_KVCAP_VIDEO_AUTO_SCAN, 0x0B);
LV_REPORT_RECORD(_KVCAP_VIDEO_SCANNING, 0x0C);
LV_REPORT_RECORD(_KVCAP_AUDIO_LINK_VIDEO, 0x0D);
LV_REPORT_RECORD(_KVCAP_VIDEO_INPUT_SOURCE, 0x0E);
LV_REPORT_RECORD(_KVCAP_AUDIO_INPUT_SOURCE, 0x0F);
LV_REPORT_RECORD(_KVCAP_VIDEO_STATUS, 0x11);
LV_REPORT_RECORD(_KVCAP_AUDIO_STATUS, 0x12);
