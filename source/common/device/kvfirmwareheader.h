#ifndef KVFIRMWAREHEADER_H
#define KVFIRMWAREHEADER_H

#include <cstddef>
#include <cstdint>

// Records of a firmware image (.kvf file): one header with a table of up to 16
// section records, followed in the file by each section's bytes. Packed and
// little-endian exactly as stored in the file and, for the header, in flash.

#pragma pack(push, 1)

struct _KV_FIRMWARE_SECTION_HEADER
{
    char name[16];          // NUL-terminated; "Upgrade." prefix = upgrade area
    uint32_t address;       // flash address of the section
    uint32_t size;          // bytes of data
    uint32_t checksum;      // plain byte sum of the data
};

enum : unsigned {
    KV_FIRMWARE_MAX_SECTIONS = 16,
    KV_FIRMWARE_FIXED_HEADER_SIZE = 157,   // the part before the section table
    KV_FIRMWARE_SECTION_RECORD_SIZE = 28,
    KV_FIRMWARE_MAX_HEADER_SIZE = KV_FIRMWARE_FIXED_HEADER_SIZE
                                  + KV_FIRMWARE_MAX_SECTIONS * KV_FIRMWARE_SECTION_RECORD_SIZE
};

// Room for the full section table, so a reader can fill one of these in place and
// the flashing can write headerLength bytes starting at &magic.
struct _KV_FIRMWARE_HEADER
{
    char magic[4];          // "KVFH"
    uint32_t checksum;      // byte sum of offsets 8 .. headerLength-1
    uint16_t layout;        // 1 always selects the full image
    uint16_t headerLength;  // 157 + 28 * sectionCount
    uint16_t modelCode;     // must equal report 1's model code
    uint8_t hardwareVersion;// must equal report 1 byte 4
    uint8_t identifier;     // must equal report 1 byte 5
    uint32_t version;       // major bits 31-16, minor bits 15-0
    uint8_t reserved[136];  // not interpreted; written to flash with the rest
    uint8_t sectionCount;   // 0..16
    _KV_FIRMWARE_SECTION_HEADER sections[KV_FIRMWARE_MAX_SECTIONS];
};

#pragma pack(pop)

static_assert(sizeof(_KV_FIRMWARE_SECTION_HEADER) == KV_FIRMWARE_SECTION_RECORD_SIZE,
              "section record is 28 bytes");
static_assert(offsetof(_KV_FIRMWARE_HEADER, layout) == 8, "layout word at 8");
static_assert(offsetof(_KV_FIRMWARE_HEADER, headerLength) == 10, "header length at 10");
static_assert(offsetof(_KV_FIRMWARE_HEADER, version) == 16, "version at 16");
static_assert(offsetof(_KV_FIRMWARE_HEADER, sectionCount) == 156, "section count at 156");
static_assert(offsetof(_KV_FIRMWARE_HEADER, sections) == KV_FIRMWARE_FIXED_HEADER_SIZE,
              "section table at 157");
static_assert(sizeof(_KV_FIRMWARE_HEADER) == KV_FIRMWARE_MAX_HEADER_SIZE,
              "header with a full table is 605 bytes");

#endif // KVFIRMWAREHEADER_H
