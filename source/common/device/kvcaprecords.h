#pragma once
// Wire records of the device's HID reports and the catalogue of every report id.
//
// Each record is exactly the payload that follows the report-id byte on the wire:
// packed, little-endian, fixed length. The static_asserts pin sizes and key offsets,
// so a stray field edit fails the build instead of silently shifting a device setting.
// Bytes the program does not interpret are kept as reserved arrays and written back
// unchanged (read, change one field, write the whole record).
//
// Records owned by the pages and editors live with them; only the ones shared by the
// device layer, the presenter and several pages are here.

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)

// Report 0x01 (GET, 224): device identity.
struct _KVCAP_DEVICE_INFO {
    uint8_t reserved0[2];
    uint16_t productId;        // model code, shown and sent to the update service in decimal
    char hardwareVersion;      // one letter
    uint8_t identifier;        // sent with the firmware check in decimal
    uint8_t reserved6[4];
    uint32_t firmwareVersion;  // major 31-24, minor 23-16, build 15-0
    char familyName[64];
    char productName[64];
    uint8_t reserved142[64];
    char serialNumber[18];
};
static_assert(sizeof(_KVCAP_DEVICE_INFO) == 224, "report 0x01 is 224 bytes");
static_assert(offsetof(_KVCAP_DEVICE_INFO, productId) == 2, "");
static_assert(offsetof(_KVCAP_DEVICE_INFO, hardwareVersion) == 4, "");
static_assert(offsetof(_KVCAP_DEVICE_INFO, identifier) == 5, "");
static_assert(offsetof(_KVCAP_DEVICE_INFO, firmwareVersion) == 10, "");
static_assert(offsetof(_KVCAP_DEVICE_INFO, familyName) == 14, "");
static_assert(offsetof(_KVCAP_DEVICE_INFO, productName) == 78, "");
static_assert(offsetof(_KVCAP_DEVICE_INFO, serialNumber) == 206, "");

// Report 0x03 (GET, 12): capabilities.
struct _KVCAP_DEVICE_CAPS {
    uint32_t flags;            // bit 0 loop-through output, bit 2 NV12/I420 capture formats
    uint16_t maxInputWidth;
    uint16_t maxInputHeight;
    uint16_t maxCaptureWidth;
    uint16_t maxCaptureHeight;
};
static_assert(sizeof(_KVCAP_DEVICE_CAPS) == 12, "report 0x03 is 12 bytes");
static_assert(offsetof(_KVCAP_DEVICE_CAPS, maxInputWidth) == 4, "");
static_assert(offsetof(_KVCAP_DEVICE_CAPS, maxCaptureHeight) == 10, "");

constexpr uint32_t KVCAP_CAPS_LOOP_THROUGH = 0x1;
constexpr uint32_t KVCAP_CAPS_NV12_I420 = 0x4;

// Report 0x07 (SET, 9): which change bits report 0x08 is to carry.
struct _KVCAP_NOTIFY_ENABLE {
    uint8_t zero;              // always 0
    uint64_t enableMask;
};
static_assert(sizeof(_KVCAP_NOTIFY_ENABLE) == 9, "report 0x07 is 9 bytes");
static_assert(offsetof(_KVCAP_NOTIFY_ENABLE, enableMask) == 1, "");

// The mask the program always enables; equals the union of the bit groups it dispatches.
constexpr uint64_t KVCAP_NOTIFY_MASK = 0x00FF01FF0003C07FULL;

// Report 0x08 (GET, 8): latched change bits.
struct _KVCAP_NOTIFY_STATUS {
    uint64_t changeBits;
};
static_assert(sizeof(_KVCAP_NOTIFY_STATUS) == 8, "report 0x08 is 8 bytes");

// Element records used inside report 0x10 and the timing reports.
struct _KVCAP_VIDEO_SYNC_INFO {
    uint8_t syncType;          // 1 HS_VS, 2 CS, 4 embedded, 7 ALL
    uint8_t reserved1[2];
    uint8_t interlaced;
    uint32_t frameDuration;    // 100 ns units
    uint16_t vSyncLines;
    uint16_t totalLines;
};
static_assert(sizeof(_KVCAP_VIDEO_SYNC_INFO) == 12, "");
static_assert(offsetof(_KVCAP_VIDEO_SYNC_INFO, interlaced) == 3, "");
static_assert(offsetof(_KVCAP_VIDEO_SYNC_INFO, frameDuration) == 4, "");
static_assert(offsetof(_KVCAP_VIDEO_SYNC_INFO, totalLines) == 10, "");

struct _KVCAP_SIGNAL_TIMING {
    uint32_t timingType;       // 8192 = failsafe
    uint32_t pixelClock;
    uint8_t interlaced;
    uint8_t syncType;
    uint8_t hSyncPolarity;
    uint8_t vSyncPolarity;
    uint16_t hActive;
    uint16_t hFrontPorch;
    uint16_t hSyncWidth;
    uint16_t hBackPorch;
    uint16_t vActive;
    uint16_t vFrontPorch;
    uint16_t vSyncWidth;
    uint16_t vBackPorch;
};
static_assert(sizeof(_KVCAP_SIGNAL_TIMING) == 28, "");
static_assert(offsetof(_KVCAP_SIGNAL_TIMING, interlaced) == 8, "");
static_assert(offsetof(_KVCAP_SIGNAL_TIMING, hActive) == 12, "");
static_assert(offsetof(_KVCAP_SIGNAL_TIMING, vActive) == 20, "");
static_assert(offsetof(_KVCAP_SIGNAL_TIMING, vBackPorch) == 26, "");

struct _KVCAP_HDMI_TIMING {
    uint8_t interlaced;
    uint32_t frameDuration;    // 100 ns units
    uint16_t hSyncWidth;
    uint16_t hFrontPorch;
    uint16_t hBackPorch;
    uint16_t hActive;
    uint16_t hTotal;
    uint16_t field0VSyncWidth;
    uint16_t field0VFrontPorch;
    uint16_t field0VBackPorch;
    uint16_t field0VActive;
    uint16_t field0VTotal;
    uint16_t field1VSyncWidth;
    uint16_t field1VFrontPorch;
    uint16_t field1VBackPorch;
    uint16_t field1VActive;
    uint16_t field1VTotal;
};
static_assert(sizeof(_KVCAP_HDMI_TIMING) == 35, "");
static_assert(offsetof(_KVCAP_HDMI_TIMING, hSyncWidth) == 5, "");
static_assert(offsetof(_KVCAP_HDMI_TIMING, hTotal) == 13, "");
static_assert(offsetof(_KVCAP_HDMI_TIMING, field0VSyncWidth) == 15, "");
static_assert(offsetof(_KVCAP_HDMI_TIMING, field1VSyncWidth) == 25, "");
static_assert(offsetof(_KVCAP_HDMI_TIMING, field1VTotal) == 33, "");

struct _KVCAP_VIDEO_TIMING_SETTINGS {
    uint16_t aspectX;
    uint16_t aspectY;
    uint16_t hOffset;
    uint16_t vOffset;
    uint16_t hActive;
    uint16_t vActive;
    uint16_t hTotal;
    uint8_t clampPosition;
};
static_assert(sizeof(_KVCAP_VIDEO_TIMING_SETTINGS) == 15, "");
static_assert(offsetof(_KVCAP_VIDEO_TIMING_SETTINGS, hTotal) == 12, "");
static_assert(offsetof(_KVCAP_VIDEO_TIMING_SETTINGS, clampPosition) == 14, "");

// Report 0x10 (GET, 61): input-specific status; the arm is chosen by inputType.
struct _KVCAP_INPUT_STATUS_ANALOG {      // VGA (2) and component (8)
    _KVCAP_VIDEO_SYNC_INFO syncInfo;
    uint8_t triLevel;                    // embedded sync: non-zero tri-level, 0 bi-level
    _KVCAP_SIGNAL_TIMING timing;         // what the device detected
    _KVCAP_VIDEO_TIMING_SETTINGS settings; // what the device applies
};
struct _KVCAP_INPUT_STATUS_HDMI {        // HDMI (1)
    uint8_t mode;                        // 0 DVI, otherwise HDMI
    uint8_t hdcp;
    uint8_t colorDepth;                  // bits per component
    uint32_t pixelEncoding;              // 0 RGB 4:4:4, 1 YUV 4:2:2, 2 YUV 4:4:4, 3 YUV 4:2:0
    uint8_t vic;
    uint8_t itContent;
    uint8_t has3DFormat;
    uint8_t structure3D;
    uint8_t extData3D;                   // meaningful only when structure3D == 8
    _KVCAP_HDMI_TIMING timing;
    uint8_t reserved[9];
};
struct _KVCAP_INPUT_STATUS_SDI {         // SDI (4)
    uint32_t sdiType;
    uint32_t scanningFormat;
    uint32_t bitDepth;
    uint32_t samplingStruct;
    uint8_t reserved[40];
};
struct _KVCAP_INPUT_STATUS_CVBS {        // composite (16) and Y/C (32)
    uint32_t tvStandard;
    uint8_t fieldRate;
    uint8_t reserved[51];
};
static_assert(sizeof(_KVCAP_INPUT_STATUS_ANALOG) == 56, "");
static_assert(sizeof(_KVCAP_INPUT_STATUS_HDMI) == 56, "");
static_assert(sizeof(_KVCAP_INPUT_STATUS_SDI) == 56, "");
static_assert(sizeof(_KVCAP_INPUT_STATUS_CVBS) == 56, "");

struct _KVCAP_INPUT_STATUS {
    uint8_t valid;                       // 0: nothing below means anything
    uint32_t inputType;                  // 1 HDMI, 2 VGA, 4 SDI, 8 component, 16 composite, 32 Y/C
    union {
        _KVCAP_INPUT_STATUS_ANALOG analog;
        _KVCAP_INPUT_STATUS_HDMI hdmi;
        _KVCAP_INPUT_STATUS_SDI sdi;
        _KVCAP_INPUT_STATUS_CVBS cvbs;
        uint8_t raw[56];
    };
};
static_assert(sizeof(_KVCAP_INPUT_STATUS) == 61, "report 0x10 is 61 bytes");
static_assert(offsetof(_KVCAP_INPUT_STATUS, inputType) == 1, "");
static_assert(offsetof(_KVCAP_INPUT_STATUS, analog) == 5, "");
static_assert(offsetof(_KVCAP_INPUT_STATUS, analog.triLevel) == 17, "");
static_assert(offsetof(_KVCAP_INPUT_STATUS, analog.timing) == 18, "");
static_assert(offsetof(_KVCAP_INPUT_STATUS, analog.settings) == 46, "");
static_assert(offsetof(_KVCAP_INPUT_STATUS, hdmi.pixelEncoding) == 8, "");
static_assert(offsetof(_KVCAP_INPUT_STATUS, hdmi.vic) == 12, "");
static_assert(offsetof(_KVCAP_INPUT_STATUS, hdmi.extData3D) == 16, "");
static_assert(offsetof(_KVCAP_INPUT_STATUS, hdmi.timing) == 17, "");
static_assert(offsetof(_KVCAP_INPUT_STATUS, hdmi.reserved) == 52, "");
static_assert(offsetof(_KVCAP_INPUT_STATUS, sdi.samplingStruct) == 17, "");
static_assert(offsetof(_KVCAP_INPUT_STATUS, cvbs.fieldRate) == 9, "");

// Flash access, reports 0xF0 to 0xF4.
struct _KVCAP_FLASH_INFO {               // 0xF0 GET, 28
    uint32_t flashSize;
    uint32_t eraseUnit;                  // largest length one erase request may cover
    uint32_t pageSize;
    uint32_t headerBase;                 // flash address of the firmware header
    uint8_t reserved[12];
};
static_assert(sizeof(_KVCAP_FLASH_INFO) == 28, "report 0xF0 is 28 bytes");
static_assert(offsetof(_KVCAP_FLASH_INFO, eraseUnit) == 4, "");
static_assert(offsetof(_KVCAP_FLASH_INFO, headerBase) == 12, "");

struct _KVCAP_FLASH_ERASE {              // 0xF1 SET, 8
    uint32_t address;
    uint32_t length;
};
static_assert(sizeof(_KVCAP_FLASH_ERASE) == 8, "report 0xF1 is 8 bytes");

struct _KVCAP_FLASH_ADDRESS {            // 0xF2 SET, 4: where the next 0xF3 GET reads
    uint32_t address;
};
static_assert(sizeof(_KVCAP_FLASH_ADDRESS) == 4, "report 0xF2 is 4 bytes");

constexpr int KVCAP_FLASH_PAGE = 256;    // most bytes one 0xF3 SET programs
constexpr int KVCAP_FLASH_READ_MAX = 64; // most bytes taken from one 0xF3 GET

struct _KVCAP_FLASH_DATA {               // 0xF3 SET and GET, 262
    uint32_t address;
    uint16_t length;
    uint8_t data[KVCAP_FLASH_PAGE];
};
static_assert(sizeof(_KVCAP_FLASH_DATA) == 262, "report 0xF3 is 262 bytes");
static_assert(offsetof(_KVCAP_FLASH_DATA, length) == 4, "");
static_assert(offsetof(_KVCAP_FLASH_DATA, data) == 6, "");

struct _KVCAP_FLASH_BUSY {               // 0xF4 GET, 1
    uint8_t busy;                        // non-zero while an erase or program runs
};
static_assert(sizeof(_KVCAP_FLASH_BUSY) == 1, "report 0xF4 is 1 byte");

// Report 0xFF (GET, 4): which pages the device has.
struct _KVCAP_FEATURE_FLAGS {
    uint32_t features;
};
static_assert(sizeof(_KVCAP_FEATURE_FLAGS) == 4, "report 0xFF is 4 bytes");

// Report 0x02 (GET, 10): how the device is attached.
struct _KVCAP_USB_INFO {
    uint8_t usbSpeed;                    // 2 USB 2.0, 3 USB 3.0 and so on
    uint8_t reserved[9];
};
static_assert(sizeof(_KVCAP_USB_INFO) == 10, "report 0x02 is 10 bytes");

// Report 0xFE (SET, 1): save, discard or restore the settings.
struct _KVCAP_SETTINGS_COMMIT {
    uint8_t command;                     // 0 restore defaults, 1 discard, 2 save
};
static_assert(sizeof(_KVCAP_SETTINGS_COMMIT) == 1, "report 0xFE is 1 byte");

constexpr uint32_t KVCAP_FEATURE_HDMI = 0x1;
constexpr uint32_t KVCAP_FEATURE_TIMING = 0x2;
constexpr uint32_t KVCAP_FEATURE_VOLUME = 0x4;

#pragma pack(pop)

// ---------------------------------------------------------------------------------
// Catalogue: every report id the program uses, its direction and payload length.
// The emulated device answers exactly these and the tests walk them. Records are bound
// to their ids below (LV_REPORT_RECORD), and callers go through device/reportaccess.h,
// so no report id is written anywhere else.

enum KvReportDirection : uint8_t {
    KvReportGet = 0x1,
    KvReportSet = 0x2,
    KvReportGetSet = KvReportGet | KvReportSet,
};

struct KvReportEntry {
    uint8_t id;
    uint8_t direction;     // KvReportDirection bits
    uint16_t length;       // payload bytes, without the report-id byte
    const char* record;    // record name, for messages
};

constexpr KvReportEntry g_arrReportCatalogue[] = {
    { 0x01, KvReportGet, 224, "_KVCAP_DEVICE_INFO" },
    { 0x02, KvReportGet, 10, "_KVCAP_USB_INFO" },
    { 0x03, KvReportGet, 12, "_KVCAP_DEVICE_CAPS" },
    { 0x04, KvReportGet, 4, "_KVCAP_AUDIO_NODE_MASK" },
    { 0x07, KvReportSet, 9, "_KVCAP_NOTIFY_ENABLE" },
    { 0x08, KvReportGet, 8, "_KVCAP_NOTIFY_STATUS" },
    { 0x09, KvReportGet, 65, "_KVCAP_INPUT_SOURCE_LIST" },
    { 0x0A, KvReportGet, 65, "_KVCAP_INPUT_SOURCE_LIST" },
    { 0x0B, KvReportGetSet, 1, "_KVCAP_VIDEO_AUTO_SCAN" },
    { 0x0C, KvReportGet, 1, "_KVCAP_VIDEO_SCANNING" },
    { 0x0D, KvReportGetSet, 1, "_KVCAP_AUDIO_LINK_VIDEO" },
    { 0x0E, KvReportGetSet, 4, "_KVCAP_VIDEO_INPUT_SOURCE" },
    { 0x0F, KvReportGetSet, 4, "_KVCAP_AUDIO_INPUT_SOURCE" },
    { 0x10, KvReportGet, 61, "_KVCAP_INPUT_STATUS" },
    { 0x11, KvReportGet, 58, "_KVCAP_VIDEO_STATUS" },
    { 0x12, KvReportGet, 33, "_KVCAP_AUDIO_STATUS" },
    { 0x13, KvReportGetSet, 8, "_KVCAP_INPUT_ASPECT_RATIO" },
    { 0x14, KvReportGetSet, 4, "_KVCAP_INPUT_COLOR_FORMAT" },
    { 0x15, KvReportGetSet, 4, "_KVCAP_INPUT_QUANT_RANGE" },
    { 0x16, KvReportGet, 37, "_KVCAP_VIDEO_CONNECTION_FORMAT" },
    { 0x17, KvReportGetSet, 41, "_KVCAP_VIDEO_PROCESS_SETTINGS" },
    { 0x18, KvReportGetSet, 13, "_KVCAP_COLOR_FORMAT_LIST" },
    { 0x19, KvReportGetSet, 98, "_KVCAP_FRAME_SIZE_LIST" },
    { 0x1A, KvReportGetSet, 34, "_KVCAP_FRAME_INTERVAL_LIST" },
    { 0x90, KvReportGetSet, 1, "_KVCAP_AUTO_H_ALIGNMENT" },
    { 0x91, KvReportGetSet, 1, "_KVCAP_SAMPLING_PHASE" },
    { 0x92, KvReportGetSet, 1, "_KVCAP_AUTO_SAMPLING_PHASE" },
    { 0x93, KvReportSet, 28, "_KVCAP_SIGNAL_TIMING" },
    { 0x94, KvReportGet, 225, "_KVCAP_PREFERRED_TIMING_LIST" },
    { 0x95, KvReportSet, 27, "_KVCAP_VIDEO_CUSTOM_TIMING" },
    { 0x96, KvReportGetSet, 217, "_KVCAP_VIDEO_CUSTOM_TIMING_LIST" },
    { 0x97, KvReportGetSet, 65, "_KVCAP_CUSTOM_RESOLUTION_LIST" },
    { 0x98, KvReportGetSet, 256, "_KVCAP_EDID_DATA" },
    { 0x99, KvReportGet, 256, "_KVCAP_EDID_DATA" },
    { 0x9A, KvReportGetSet, 1, "_KVCAP_EDID_ASSIST_OPTIONS" },
    { 0x9B, KvReportGet, 1, "_KVCAP_LOOP_THROUGH_EDID_VALID" },
    { 0xA0, KvReportGet, 4, "_KVCAP_INFOFRAME_VALID_MASK" },
    { 0xA1, KvReportGet, 31, "_HDMI_INFOFRAME_PACKET" },
    { 0xA2, KvReportGet, 31, "_HDMI_INFOFRAME_PACKET" },
    { 0xA3, KvReportGet, 31, "_HDMI_INFOFRAME_PACKET" },
    { 0xA4, KvReportGet, 31, "_HDMI_INFOFRAME_PACKET" },
    { 0xA5, KvReportGet, 31, "_HDMI_INFOFRAME_PACKET" },
    { 0xA6, KvReportGet, 31, "_HDMI_INFOFRAME_PACKET" },
    { 0xA7, KvReportGet, 31, "_HDMI_INFOFRAME_PACKET" },
    { 0xA8, KvReportGet, 31, "_HDMI_INFOFRAME_PACKET" },
    { 0xA9, KvReportGet, 31, "_HDMI_INFOFRAME_PACKET" },
    { 0xB0, KvReportGetSet, 56, "_KVCAP_AUDIO_VOLUME" },
    { 0xB1, KvReportGetSet, 56, "_KVCAP_AUDIO_VOLUME" },
    { 0xB2, KvReportGetSet, 56, "_KVCAP_AUDIO_VOLUME" },
    { 0xB3, KvReportGetSet, 56, "_KVCAP_AUDIO_VOLUME" },
    { 0xB4, KvReportGetSet, 56, "_KVCAP_AUDIO_VOLUME" },
    { 0xB5, KvReportGetSet, 56, "_KVCAP_AUDIO_VOLUME" },
    { 0xB6, KvReportGetSet, 56, "_KVCAP_AUDIO_VOLUME" },
    { 0xB7, KvReportGetSet, 56, "_KVCAP_AUDIO_VOLUME" },
    { 0xF0, KvReportGet, 28, "_KVCAP_FLASH_INFO" },
    { 0xF1, KvReportSet, 8, "_KVCAP_FLASH_ERASE" },
    { 0xF2, KvReportSet, 4, "_KVCAP_FLASH_ADDRESS" },
    { 0xF3, KvReportGetSet, 262, "_KVCAP_FLASH_DATA" },
    { 0xF4, KvReportGet, 1, "_KVCAP_FLASH_BUSY" },
    { 0xFC, KvReportGetSet, 1, "_KVCAP_STATUS_IMAGE" },
    { 0xFD, KvReportGetSet, 1, "_KVCAP_DEVICE_NAME_MODE" },
    { 0xFE, KvReportSet, 1, "_KVCAP_SETTINGS_COMMIT" },
    { 0xFF, KvReportGet, 4, "_KVCAP_FEATURE_FLAGS" },
};

constexpr int kReportCatalogueSize = int(sizeof(g_arrReportCatalogue) / sizeof(g_arrReportCatalogue[0]));

// The catalogue entry of a report id, or null for an id the program never uses.
constexpr const KvReportEntry* FindReport(uint8_t id)
{
    for (const KvReportEntry& entry : g_arrReportCatalogue) {
        if (entry.id == id)
            return &entry;
    }
    return nullptr;
}

// The catalogue must stay sorted and free of duplicates: FindReport and the tests rely on it.
constexpr bool IsCatalogueSorted()
{
    for (int i = 1; i < kReportCatalogueSize; ++i) {
        if (g_arrReportCatalogue[i - 1].id >= g_arrReportCatalogue[i].id)
            return false;
    }
    return true;
}
static_assert(IsCatalogueSorted(), "report catalogue must be sorted by id, without duplicates");
static_assert(FindReport(0x95)->length == sizeof(_KVCAP_VIDEO_SYNC_INFO) + sizeof(_KVCAP_VIDEO_TIMING_SETTINGS), "");

// ---------------------------------------------------------------------------------
// Binding of records to report ids. A record names its first id and how many
// consecutive ids share its layout (the per-index reports: info frames, volume nodes,
// the two source lists, the two EDIDs). Every id of the range must be in the
// catalogue with exactly the record's length, or the build fails.

template <typename Record>
struct KvReportOf;   // only the specialisations made by LV_REPORT_RECORD exist

constexpr bool IsReportRangeOf(uint8_t first, int count, size_t length)
{
    for (int i = 0; i < count; ++i) {
        const KvReportEntry* entry = FindReport(uint8_t(first + i));
        if (!entry || entry->length != length)
            return false;
    }
    return count > 0;
}

#define LV_REPORT_RECORD_RANGE(Record, firstId, idCount)                                   \
    template <>                                                                            \
    struct KvReportOf<Record> {                                                            \
        static constexpr uint8_t kFirstId = (firstId);                                     \
        static constexpr int kCount = (idCount);                                           \
    };                                                                                     \
    static_assert(IsReportRangeOf((firstId), (idCount), sizeof(Record)),                   \
                  #Record ": length or id differs from the report catalogue")

#define LV_REPORT_RECORD(Record, id) LV_REPORT_RECORD_RANGE(Record, id, 1)

LV_REPORT_RECORD(_KVCAP_DEVICE_INFO, 0x01);
LV_REPORT_RECORD(_KVCAP_USB_INFO, 0x02);
LV_REPORT_RECORD(_KVCAP_DEVICE_CAPS, 0x03);
LV_REPORT_RECORD(_KVCAP_NOTIFY_ENABLE, 0x07);
LV_REPORT_RECORD(_KVCAP_NOTIFY_STATUS, 0x08);
LV_REPORT_RECORD(_KVCAP_INPUT_STATUS, 0x10);
LV_REPORT_RECORD(_KVCAP_SIGNAL_TIMING, 0x93);
LV_REPORT_RECORD(_KVCAP_FLASH_INFO, 0xF0);
LV_REPORT_RECORD(_KVCAP_FLASH_ERASE, 0xF1);
LV_REPORT_RECORD(_KVCAP_FLASH_ADDRESS, 0xF2);
LV_REPORT_RECORD(_KVCAP_FLASH_DATA, 0xF3);
LV_REPORT_RECORD(_KVCAP_FLASH_BUSY, 0xF4);
LV_REPORT_RECORD(_KVCAP_SETTINGS_COMMIT, 0xFE);
LV_REPORT_RECORD(_KVCAP_FEATURE_FLAGS, 0xFF);

// The number of valid entries of a list whose record holds `capacity` slots: a count
// from the device is never trusted beyond its record.
constexpr int KvListCount(uint8_t count, int capacity)
{
    return count < capacity ? int(count) : capacity;
}

// The records of the pages and editors, each file bound the same way.
#include "device/kvcaprecords_input.h"      // input sources, video and audio status
#include "device/kvcaprecords_video.h"      // video processing
#include "device/kvcaprecords_formats.h"    // colour formats, frame sizes and intervals
#include "device/kvcaprecords_volume.h"     // audio nodes and volumes
#include "device/kvcaprecords_timing.h"     // timing adjustment, custom timings and resolutions
#include "device/kvcaprecords_hdmi.h"       // EDID, EDID assist, info frames
#include "device/kvcaprecords_advanced.h"   // device name mode, no-signal image
