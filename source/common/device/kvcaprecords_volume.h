#pragma once
// Records of the audio nodes and volumes (0x04, 0xB0 to 0xB7), bound to their ids with LV_REPORT_RECORD.
// Included by device/kvcaprecords.h; include that header, not this one.

#include <cstddef>
#include <cstdint>

// An audio node of the device. Node n has volume report 0xB0 + n and bit n of the node
// mask; odd nodes play back (the device outputs them), even nodes record.
typedef uint32_t _KVCAP_USB_AUDIO_NODE;
enum : _KVCAP_USB_AUDIO_NODE {
    KVCAP_AUDIO_NODE_MIC = 0,
    KVCAP_AUDIO_NODE_HEADPHONE = 1,
    KVCAP_AUDIO_NODE_LINE_IN = 2,
    KVCAP_AUDIO_NODE_LINE_OUT = 3,
    KVCAP_AUDIO_NODE_EMBEDDED_IN = 4,     // audio embedded in the video input (HDMI or SDI)
    KVCAP_AUDIO_NODE_EMBEDDED_OUT = 5,    // audio embedded in the video output
    KVCAP_AUDIO_NODE_COMPUTER_CAPTURE = 6,
    KVCAP_AUDIO_NODE_COMPUTER_PLAYBACK = 7,
    KVCAP_AUDIO_NODE_COUNT = 8,
};

constexpr uint32_t KVCAP_AUDIO_PLAYBACK_NODES = 0xAA;
constexpr uint32_t KVCAP_AUDIO_RECORD_NODES = 0x55;
constexpr int KVCAP_AUDIO_MAX_CHANNELS = 16;

#pragma pack(push, 1)

// Report 0x04 (GET, 4): bit n set = audio node n present.
struct _KVCAP_AUDIO_NODE_MASK {
    uint32_t mask;
};
static_assert(sizeof(_KVCAP_AUDIO_NODE_MASK) == 4, "report 0x04 is 4 bytes");

// Reports 0xB0 + node (GET/SET, 56): the node's volume block. Levels in 0.01 dB.
struct _KVCAP_AUDIO_VOLUME {
    uint8_t channels;                    // 0 = node not detected; a faulty device may exceed 16
    uint8_t reserved1;                   // written back as read
    int16_t minVolume;
    int16_t maxVolume;
    int16_t volumeStep;
    uint8_t mute[KVCAP_AUDIO_MAX_CHANNELS];       // 1 = muted
    int16_t volume[KVCAP_AUDIO_MAX_CHANNELS];
};
static_assert(sizeof(_KVCAP_AUDIO_VOLUME) == 56, "reports 0xB0..0xB7 are 56 bytes");
static_assert(offsetof(_KVCAP_AUDIO_VOLUME, minVolume) == 2, "");
static_assert(offsetof(_KVCAP_AUDIO_VOLUME, volumeStep) == 6, "");
static_assert(offsetof(_KVCAP_AUDIO_VOLUME, mute) == 8, "");
static_assert(offsetof(_KVCAP_AUDIO_VOLUME, volume) == 24, "");

#pragma pack(pop)

// The channels of a block that may be looked at: the count, bounded by the block's slots.
inline int AudioChannelCount(const _KVCAP_AUDIO_VOLUME& block)
{
    return block.channels < KVCAP_AUDIO_MAX_CHANNELS ? int(block.channels) : KVCAP_AUDIO_MAX_CHANNELS;
}

LV_REPORT_RECORD(_KVCAP_AUDIO_NODE_MASK, 0x04);
LV_REPORT_RECORD_RANGE(_KVCAP_AUDIO_VOLUME, 0xB0, KVCAP_AUDIO_NODE_COUNT);
