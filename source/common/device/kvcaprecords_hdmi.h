#pragma once
// Records of the EDID and info-frame reports (0x98 to 0x9B, 0xA0 to 0xA9), bound to their ids with LV_REPORT_RECORD.
// Included by device/kvcaprecords.h; include that header, not this one.

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)

// Reports 0x98 (capture EDID, GET/SET) and 0x99 (loop-through sink's EDID, GET), 256:
// the base block and one extension block, raw. A SET of 256 zero bytes asks the device
// to restore its own default EDID.
struct _KVCAP_EDID_DATA {
    uint8_t data[256];
};
static_assert(sizeof(_KVCAP_EDID_DATA) == 256, "reports 0x98/0x99 are 256 bytes");
enum : int { KvEdidCapture = 0, KvEdidLoopThrough = 1 };

// Report 0x9A (GET/SET, 1): EDID-assist options. Bits 4-7 are written back as read.
struct _KVCAP_EDID_ASSIST_OPTIONS {
    uint8_t options;
};
constexpr uint8_t KVCAP_EDID_ASSIST_OFF = 0x01;          // the feature is switched off
constexpr uint8_t KVCAP_EDID_ASSIST_KEEP_LAST = 0x02;
constexpr uint8_t KVCAP_EDID_ASSIST_ADD_AUDIO = 0x04;
constexpr uint8_t KVCAP_EDID_ASSIST_LIMIT_CLOCK = 0x08;

// Report 0x9B (GET, 1): non-zero while 0x99 holds the loop-through sink's EDID.
struct _KVCAP_LOOP_THROUGH_EDID_VALID {
    uint8_t valid;
};

// Report 0xA0 (GET, 4): bit i set = info frame i has been received (report 0xA1 + i).
struct _KVCAP_INFOFRAME_VALID_MASK {
    uint32_t mask;
};
static_assert(sizeof(_KVCAP_INFOFRAME_VALID_MASK) == 4, "report 0xA0 is 4 bytes");

constexpr int KVCAP_INFOFRAME_COUNT = 9;
constexpr int KVCAP_INFOFRAME_PAYLOAD = 27;

// Reports 0xA1 to 0xA9 (GET, 31): the last info frame of each kind, as received.
struct _HDMI_INFOFRAME_PACKET {
    uint8_t type;
    uint8_t version;
    uint8_t length;                      // bits 0-4: payload bytes in use
    uint8_t checksum;
    uint8_t payload[KVCAP_INFOFRAME_PAYLOAD];
};
static_assert(sizeof(_HDMI_INFOFRAME_PACKET) == 31, "reports 0xA1..0xA9 are 31 bytes");
static_assert(offsetof(_HDMI_INFOFRAME_PACKET, checksum) == 3, "");
static_assert(offsetof(_HDMI_INFOFRAME_PACKET, payload) == 4, "");

#pragma pack(pop)

LV_REPORT_RECORD_RANGE(_KVCAP_EDID_DATA, 0x98, 2);
LV_REPORT_RECORD(_KVCAP_EDID_ASSIST_OPTIONS, 0x9A);
LV_REPORT_RECORD(_KVCAP_LOOP_THROUGH_EDID_VALID, 0x9B);
LV_REPORT_RECORD(_KVCAP_INFOFRAME_VALID_MASK, 0xA0);
LV_REPORT_RECORD_RANGE(_HDMI_INFOFRAME_PACKET, 0xA1, KVCAP_INFOFRAME_COUNT);
