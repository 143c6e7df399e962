#pragma once
// Records of the timing reports (0x90 to 0x97), bound to their ids with LV_REPORT_RECORD.
// Included by device/kvcaprecords.h; include that header, not this one.
//
// The element records (_KVCAP_VIDEO_SYNC_INFO, _KVCAP_VIDEO_TIMING_SETTINGS,
// _KVCAP_SIGNAL_TIMING) live in kvcaprecords.h because report 0x10 carries them too.

#pragma pack(push, 1)

// Report 0x90 (GET/SET, 1): automatic horizontal alignment, written as 0 or 1.
struct _KVCAP_AUTO_H_ALIGNMENT {
    uint8_t enabled;
};
static_assert(sizeof(_KVCAP_AUTO_H_ALIGNMENT) == 1, "report 0x90 is 1 byte");

// Report 0x91 (GET/SET, 1): the sampling phase. The device stores 0..31; writing
// KVCAP_PHASE_AUTO_ADJUST starts a one-off automatic adjustment instead.
struct _KVCAP_SAMPLING_PHASE {
    uint8_t phase;
};
static_assert(sizeof(_KVCAP_SAMPLING_PHASE) == 1, "report 0x91 is 1 byte");
constexpr int KVCAP_PHASE_MAX = 31;
constexpr uint8_t KVCAP_PHASE_AUTO_ADJUST = 0xFF;

// Report 0x92 (GET/SET, 1): automatic sampling phase, written as 0 or 1.
struct _KVCAP_AUTO_SAMPLING_PHASE {
    uint8_t enabled;
};
static_assert(sizeof(_KVCAP_AUTO_SAMPLING_PHASE) == 1, "report 0x92 is 1 byte");

// Report 0x94 (GET, 225): the standard timings the device offers for the current signal.
constexpr int KVCAP_PREFERRED_TIMINGS = 8;
struct _KVCAP_PREFERRED_TIMING_LIST {
    uint8_t count;
    _KVCAP_SIGNAL_TIMING timings[KVCAP_PREFERRED_TIMINGS];
};
static_assert(sizeof(_KVCAP_PREFERRED_TIMING_LIST) == 225, "report 0x94 is 225 bytes");
static_assert(offsetof(_KVCAP_PREFERRED_TIMING_LIST, timings) == 1, "");

// Report 0x95 (SET, 27): the timing applied to the current input at once; all zero
// returns to the detected timing. Also the entry of the custom timing list.
struct _KVCAP_VIDEO_CUSTOM_TIMING {
    _KVCAP_VIDEO_SYNC_INFO syncInfo;           // identifies the signal the entry is for
    _KVCAP_VIDEO_TIMING_SETTINGS settings;
};
static_assert(sizeof(_KVCAP_VIDEO_CUSTOM_TIMING) == 27, "report 0x95 is 27 bytes");
static_assert(offsetof(_KVCAP_VIDEO_CUSTOM_TIMING, settings) == 12, "");

// Report 0x96 (GET/SET, 217): the custom timings stored in the device.
constexpr int KVCAP_CUSTOM_TIMINGS = 8;
struct _KVCAP_VIDEO_CUSTOM_TIMING_LIST {
    uint8_t count;
    _KVCAP_VIDEO_CUSTOM_TIMING timings[KVCAP_CUSTOM_TIMINGS];
};
static_assert(sizeof(_KVCAP_VIDEO_CUSTOM_TIMING_LIST) == 217, "report 0x96 is 217 bytes");
static_assert(offsetof(_KVCAP_VIDEO_CUSTOM_TIMING_LIST, timings) == 1, "");

// Report 0x97 (GET/SET, 65): custom input resolutions for GTF and CVT timings.
constexpr int KVCAP_CUSTOM_RESOLUTIONS = 16;
struct _KVCAP_RESOLUTION {
    int16_t width;
    int16_t height;
};
struct _KVCAP_CUSTOM_RESOLUTION_LIST {
    uint8_t count;
    _KVCAP_RESOLUTION entries[KVCAP_CUSTOM_RESOLUTIONS];
};
static_assert(sizeof(_KVCAP_CUSTOM_RESOLUTION_LIST) == 65, "report 0x97 is 65 bytes");
static_assert(offsetof(_KVCAP_CUSTOM_RESOLUTION_LIST, entries) == 1, "");

#pragma pack(pop)

// The number of meaningful entries of a list: the device's count, never more than
// the record holds.
template <typename List>
inline int KvListCount(const List& list)
{
    return KvListCount(list.count, int(sizeof(list.timings) / sizeof(list.timings[0])));
}
inline int KvListCount(const _KVCAP_CUSTOM_RESOLUTION_LIST& list)
{
    return KvListCount(list.count, KVCAP_CUSTOM_RESOLUTIONS);
}

LV_REPORT_RECORD(_KVCAP_AUTO_H_ALIGNMENT, 0x90);
LV_REPORT_RECORD(_KVCAP_SAMPLING_PHASE, 0x91);
LV_REPORT_RECORD(_KVCAP_AUTO_SAMPLING_PHASE, 0x92);
LV_REPORT_RECORD(_KVCAP_PREFERRED_TIMING_LIST, 0x94);
LV_REPORT_RECORD(_KVCAP_VIDEO_CUSTOM_TIMING, 0x95);
LV_REPORT_RECORD(_KVCAP_VIDEO_CUSTOM_TIMING_LIST, 0x96);
LV_REPORT_RECORD(_KVCAP_CUSTOM_RESOLUTION_LIST, 0x97);
