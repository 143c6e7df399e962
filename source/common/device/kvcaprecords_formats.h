#pragma once
// Records of the capture formats (0x18 to 0x1A), bound to their ids with LV_REPORT_RECORD.
// Included by device/kvcaprecords.h; include that header, not this one.
//
// Every list holds its valid entries in slots 0..count-1; slots at and above count carry
// no meaning but are written back as read. A count above the record's capacity is a
// device fault: readers clamp it (KvListCount) and treat a default index at or beyond
// the count as "no default".

#pragma pack(push, 1)

// Report 0x18 (GET/SET, 13): applied capture colour formats, highest priority first.
struct _KVCAP_COLOR_FORMAT_LIST {
    uint8_t count;
    uint32_t fourcc[3];
};
static_assert(sizeof(_KVCAP_COLOR_FORMAT_LIST) == 13, "report 0x18 is 13 bytes");
static_assert(offsetof(_KVCAP_COLOR_FORMAT_LIST, fourcc) == 1, "");

struct _KVSIZE {
    int16_t cx;
    int16_t cy;
};
static_assert(sizeof(_KVSIZE) == 4, "");

// Report 0x19 (GET/SET, 98): capture image sizes, ascending by width then height.
struct _KVCAP_FRAME_SIZE_LIST {
    uint8_t count;
    uint8_t defaultIndex;
    _KVSIZE sizes[24];
};
static_assert(sizeof(_KVCAP_FRAME_SIZE_LIST) == 98, "report 0x19 is 98 bytes");
static_assert(offsetof(_KVCAP_FRAME_SIZE_LIST, sizes) == 2, "");

// Report 0x1A (GET/SET, 34): capture frame durations (100 ns), ascending.
struct _KVCAP_FRAME_INTERVAL_LIST {
    uint8_t count;
    uint8_t defaultIndex;
    uint32_t durations[8];
};
static_assert(sizeof(_KVCAP_FRAME_INTERVAL_LIST) == 34, "report 0x1A is 34 bytes");
static_assert(offsetof(_KVCAP_FRAME_INTERVAL_LIST, durations) == 2, "");

#pragma pack(pop)

LV_REPORT_RECORD(_KVCAP_COLOR_FORMAT_LIST, 0x18);
LV_REPORT_RECORD(_KVCAP_FRAME_SIZE_LIST, 0x19);
LV_REPORT_RECORD(_KVCAP_FRAME_INTERVAL_LIST, 0x1A);

constexpr int KVCAP_COLOR_FORMAT_MAX = 3;
constexpr int KVCAP_FRAME_SIZE_MAX = 24;
constexpr int KVCAP_FRAME_INTERVAL_MAX = 8;

