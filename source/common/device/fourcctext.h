#pragma once
// Capture colour formats as the device names them: a FourCC, the four ASCII characters in
// payload order read as a little-endian u32.

#include <QString>

#include <cstdint>

constexpr uint32_t KvFourCC(char a, char b, char c, char d)
{
    return uint32_t(uint8_t(a)) | uint32_t(uint8_t(b)) << 8 | uint32_t(uint8_t(c)) << 16 | uint32_t(uint8_t(d)) << 24;
}

constexpr uint32_t KVCAP_FOURCC_RGB24 = KvFourCC('B', 'G', 'R', ' ');
constexpr uint32_t KVCAP_FOURCC_RGB32 = KvFourCC('B', 'G', 'R', 'A');
constexpr uint32_t KVCAP_FOURCC_I420 = KvFourCC('I', '4', '2', '0');
constexpr uint32_t KVCAP_FOURCC_NV12 = KvFourCC('N', 'V', '1', '2');
constexpr uint32_t KVCAP_FOURCC_YUY2 = KvFourCC('Y', 'U', 'Y', '2');
constexpr uint32_t KVCAP_FOURCC_UYVY = KvFourCC('U', 'Y', 'V', 'Y');
constexpr uint32_t KVCAP_FOURCC_YUYV = KvFourCC('Y', 'U', 'Y', 'V');
constexpr uint32_t KVCAP_FOURCC_UNKNOWN = KvFourCC('U', 'N', 'K', 'N');
static_assert(KVCAP_FOURCC_RGB24 == 0x20524742 && KVCAP_FOURCC_NV12 == 0x3231564E, "FourCC byte order");

// The six formats the capture side shows ("RGB 24", "RGB 32", "I420", "NV12", "YUY2",
// "UYVY"); empty for any other code.
QString FourCCName(uint32_t code);
// The same names plus "YUYV", and "UNKNOWN" for any other code (report texts).
QString FourCCReportName(uint32_t code);
