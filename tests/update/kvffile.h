#pragma once
// The bytes of a .kvf firmware file for a test image: the fixed header, N section
// records, then each section's data.

#include <QByteArray>

#include "../device/tst_lumivandrexpresenter_support.h"

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
