#pragma once
// EDID files: raw bytes without a header, "Bin Files(*.bin)".

#include <QString>

#include "device/kvcaprecords.h"

namespace edidfile {

// Smallest file taken: one base block.
constexpr qint64 kMinFileSize = 128;

// Reads an EDID file into a record pre-filled with 0xFF: a 128..255-byte file is sent
// padded with 0xFF (the report is always 256 bytes), a longer one is cut at 256.
// False for a file that cannot be read whole or holds less than a base block.
bool LoadEDIDFile(const QString& path, _KVCAP_EDID_DATA& out);

// Writes the 256 bytes through a QSaveFile, so a failed write never leaves a torn file.
bool SaveEDIDFile(const QString& path, const _KVCAP_EDID_DATA& data);

// "<model> (<serial>).bin" with path separators, reserved and control characters
// replaced, so a device's texts cannot steer the file elsewhere.
QString DefaultFileName(const QString& model, const QString& serial);

} // namespace edidfile
