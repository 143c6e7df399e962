#pragma once
// Test firmware images: one made for a device, and the bytes of its .kvf file (the
// fixed header, N section records, then each section's data).

#include <QByteArray>

#include "../device/tst_lumivandrexpresenter_support.h"

// An image made for `device` (its model code, hardware version and identifier), without
// sections yet.
inline prestest::FirmwareImage imageFor(const lvemu::EmulatedDevice& device, uint32_t version)
{
    const _KVCAP_DEVICE_INFO info = device.deviceInfo();
    prestest::FirmwareImage image;
    image.header.modelCode = info.productId;
    image.header.hardwareVersion = uint8_t(info.hardwareVersion);
    image.header.identifier = info.identifier;
    image.header.version = version;
    return image;
}

inline QByteArray kvfBytes(const prestest::FirmwareImage& image)
{
    QByteArray bytes(reinterpret_cast<const char*>(&image.header), KV_FIRMWARE_FIXED_HEADER_SIZE);
    const int records = KV_FIRMWARE_SECTION_RECORD_SIZE * image.header.sectionCount;
    bytes.append(QByteArray(reinterpret_cast<const char*>(image.header.sections), qMin(records, 16 * 28)));
    bytes.append(QByteArray(qMax(0, records - 16 * 28), '\0'));
    for (const auto& data : image.data)
        bytes.append(reinterpret_cast<const char*>(data.data()), int(data.size()));
    return bytes;
}
