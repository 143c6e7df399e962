#pragma once
// Checks of a firmware file (.kvf) against itself and against the device it is
// meant for. Together they decide, before a single byte is sent to the device,
// whether the file may be flashed at all.

#include <QtGlobal>

#include "device/kvcaprecords.h"
#include "device/kvfirmwareheader.h"

struct tagDEVICE_INSTANCE;

// Why a file was refused; also what the screens are told (CUpdateManager).
enum KvfRefusal : int {
    KVF_ACCEPTED = 0,
    KVF_UNREADABLE = 1,         // cannot be opened or is shorter than it declares
    KVF_DAMAGED = 2,            // magic, lengths, names, checksums, layout
    KVF_OTHER_DEVICE = 3,       // model, hardware letter or identity byte differ, or it does not fit the flash
    KVF_OLDER_VERSION = 4,      // older than the running firmware
    KVF_UNSUPPORTED_FLASH = 5,  // the device reports a flash geometry we do not flash
    KVF_BUSY = 6                // another flashing is still running
};

// The largest .kvf file a device can take: the biggest flash (8 MiB) filled by
// sections, behind the largest header.
constexpr int kMaxKvfFileBytes = 0x800000 + KV_FIRMWARE_MAX_HEADER_SIZE;

// Flash of 2, 4 or 8 MiB with 4 KiB erase units and 256-byte pages, and room for
// both header slots (full and partial) at an aligned base.
KvfRefusal CheckFlashGeometry(const _KVCAP_FLASH_INFO& flash);
// Everything the header alone can tell, before any section data is allocated:
// magic, section count, header length, header checksum, section names ended
// within 16 bytes, sizes within the bytes that follow the header (`dataBytes`)
// and within the flash, addresses aligned, inside the flash, not overlapping
// each other or either header slot.
KvfRefusal CheckKvfHeader(const _KV_FIRMWARE_HEADER& header, quint64 dataBytes, const _KVCAP_FLASH_INFO& flash);
// Each section's data against its checksum.
KvfRefusal CheckKvfData(const _KV_FIRMWARE_HEADER& header, const unsigned char* const* data);
// Model, hardware letter, identity byte and version against report 1.
KvfRefusal CheckKvfDevice(const _KV_FIRMWARE_HEADER& header, const _KVCAP_DEVICE_INFO& device);
bool IsKvfOlder(const _KV_FIRMWARE_HEADER& header, const _KVCAP_DEVICE_INFO& device);
// Full image unless the file declares the running firmware's own layout (not 0, not 1).
bool IsFullImage(const _KV_FIRMWARE_HEADER& header, quint16 deviceLayout);
