#include "update/firmwarefilecheck.h"

#include "logging/lvlogger.h"

#include <cstring>

namespace {

constexpr quint32 kEraseUnit = 0x1000;
constexpr quint32 kPageSize = 0x100;
constexpr quint64 kHeaderSlots = 0x2000;   // full header at the base, partial 0x1000 above

bool overlaps(quint64 aStart, quint64 aEnd, quint64 bStart, quint64 bEnd)
{
    return aStart < bEnd && bStart < aEnd;
}

quint64 byteSum(const unsigned char* bytes, quint64 length)
{
    quint64 sum = 0;
    for (quint64 i = 0; i < length; ++i)
        sum += bytes[i];
    return sum;
}

KvfRefusal refuse(KvfRefusal why, const char* what)
{
    LV_LOG_ERROR("firmware file refused: " << what);
    return why;
}

} // namespace

KvfRefusal CheckFlashGeometry(const _KVCAP_FLASH_INFO& flash)
{
    const quint32 size = flash.flashSize;
    if ((size != 0x200000 && size != 0x400000 && size != 0x800000) || flash.eraseUnit != kEraseUnit
        || flash.pageSize != kPageSize || flash.headerBase % kEraseUnit != 0
        || quint64(flash.headerBase) + kHeaderSlots > size) {
        LV_LOG_ERROR("flash geometry refused: size " << size << ", erase unit " << flash.eraseUnit << ", page "
                                                    << flash.pageSize << ", header at " << flash.headerBase);
        return KVF_UNSUPPORTED_FLASH;
    }
    return KVF_ACCEPTED;
}

KvfRefusal CheckKvfHeader(const _KV_FIRMWARE_HEADER& header, quint64 dataBytes, const _KVCAP_FLASH_INFO& flash)
{
    const unsigned count = header.sectionCount;
    if (std::memcmp(header.magic, "KVFH", 4) != 0)
        return refuse(KVF_DAMAGED, "bad magic");
    if (count > KV_FIRMWARE_MAX_SECTIONS
        || header.headerLength != KV_FIRMWARE_FIXED_HEADER_SIZE + KV_FIRMWARE_SECTION_RECORD_SIZE * count)
        return refuse(KVF_DAMAGED, "section count and header length disagree");
    const auto* bytes = reinterpret_cast<const unsigned char*>(&header);
    if (byteSum(bytes + 8, header.headerLength - 8u) != header.checksum)
        return refuse(KVF_DAMAGED, "header checksum");
    const quint64 headerStart = flash.headerBase;
    quint64 remaining = dataBytes;
    for (unsigned i = 0; i < count; ++i) {
        const _KV_FIRMWARE_SECTION_HEADER& s = header.sections[i];
        if (::strnlen(s.name, sizeof s.name) == sizeof s.name)
            return refuse(KVF_DAMAGED, "section name not terminated");
        if (s.size > remaining)
            return refuse(KVF_UNREADABLE, "section longer than the file");
        remaining -= s.size;
        if (s.size == 0)
            continue;
        const quint64 start = s.address, end = start + s.size;
        if (end > flash.flashSize || start % kEraseUnit != 0)
            return refuse(KVF_OTHER_DEVICE, "section outside the flash or not aligned");
        if (overlaps(start, end, headerStart, headerStart + kHeaderSlots))
            return refuse(KVF_DAMAGED, "section over a header slot");
        for (unsigned j = 0; j < i; ++j) {
            const _KV_FIRMWARE_SECTION_HEADER& o = header.sections[j];
            if (o.size && overlaps(start, end, o.address, quint64(o.address) + o.size))
                return refuse(KVF_DAMAGED, "sections overlap");
        }
    }
    return KVF_ACCEPTED;
}

KvfRefusal CheckKvfData(const _KV_FIRMWARE_HEADER& header, const unsigned char* const* data)
{
    for (unsigned i = 0; i < header.sectionCount; ++i) {
        const _KV_FIRMWARE_SECTION_HEADER& s = header.sections[i];
        if (s.size && (!data[i] || byteSum(data[i], s.size) != s.checksum))
            return refuse(KVF_DAMAGED, "section checksum");
        if (!s.size && s.checksum != 0)
            return refuse(KVF_DAMAGED, "section checksum");
    }
    return KVF_ACCEPTED;
}

bool IsKvfOlder(const _KV_FIRMWARE_HEADER& header, const _KVCAP_DEVICE_INFO& device)
{
    const quint32 fileMajor = header.version >> 16, fileMinor = header.version & 0xFFFF;
    const quint32 major = device.firmwareVersion >> 24, minor = (device.firmwareVersion >> 16) & 0xFF;
    return fileMajor < major || (fileMajor == major && fileMinor < minor);
}

KvfRefusal CheckKvfDevice(const _KV_FIRMWARE_HEADER& header, const _KVCAP_DEVICE_INFO& device)
{
    if (header.modelCode != device.productId || header.identifier != device.identifier
        || header.hardwareVersion != quint8(device.hardwareVersion))
        return refuse(KVF_OTHER_DEVICE, "made for another device");
    if (IsKvfOlder(header, device))
        return refuse(KVF_OLDER_VERSION, "older than the running firmware");
    return KVF_ACCEPTED;
}

bool IsFullImage(const _KV_FIRMWARE_HEADER& header, quint16 deviceLayout)
{
    return header.layout == 1 || deviceLayout == 0 || header.layout != deviceLayout;
}
