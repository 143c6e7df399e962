#pragma once
// Records of the device name mode and no-signal image (0xFC, 0xFD), bound to their ids with LV_REPORT_RECORD.
// Included by device/kvcaprecords.h; include that header, not this one.

#pragma pack(push, 1)

// Report 0xFC (GET/SET, 1): the picture sent while there is no signal.
struct _KVCAP_STATUS_IMAGE {
    uint8_t image;   // 0 default, 1 blue, 2 black
};
static_assert(sizeof(_KVCAP_STATUS_IMAGE) == 1, "report 0xFC is 1 byte");

// Report 0xFD (GET/SET, 1): the name the device announces to the host.
struct _KVCAP_DEVICE_NAME_MODE {
    uint8_t mode;    // 0 model name, 1 serial number
};
static_assert(sizeof(_KVCAP_DEVICE_NAME_MODE) == 1, "report 0xFD is 1 byte");

#pragma pack(pop)

LV_REPORT_RECORD(_KVCAP_STATUS_IMAGE, 0xFC);
LV_REPORT_RECORD(_KVCAP_DEVICE_NAME_MODE, 0xFD);

enum : uint8_t {
    KVCAP_STATUS_IMAGE_DEFAULT = 0,
    KVCAP_STATUS_IMAGE_BLUE = 1,
    KVCAP_STATUS_IMAGE_BLACK = 2,
};
enum : uint8_t {
    KVCAP_NAME_MODE_MODEL = 0,
    KVCAP_NAME_MODE_SERIAL = 1,
};
