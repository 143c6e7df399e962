#include "stockcontent.h"

#include <algorithm>
#include <initializer_list>

#include "device/kvcaprecords.h"
#include "device/reportaccess.h"

namespace lvemu {

namespace {

// E-EDID 1.3 base block with a CEA-861 extension: 1080p60 preferred (the native mode),
// 720p60 in the extension, 48 kHz stereo LPCM, HDMI vendor block at 1.0.0.0.
_KVCAP_EDID_DATA MakeEdid(uint16_t productCode, const char* name)
{
    static const uint8_t base[] = {
        0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00,
        0x32, 0xD8, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x0C, 0x24,   // "LVX", product (set below), serial 1, week 12 of 2026
        0x01, 0x03, 0x80, 0x50, 0x2D, 0x78, 0x0A,                     // EDID 1.3, digital, 80 x 45 cm, gamma 2.2
        0xEE, 0x91, 0xA3, 0x54, 0x4C, 0x99, 0x26, 0x0F, 0x50, 0x54,   // chromaticity
        0x21, 0x08, 0x00,                                             // 640x480, 800x600, 1024x768 at 60
        0xD1, 0xC0, 0x81, 0xC0, 0x01, 0x01, 0x01, 0x01,               // 1920x1080@60, 1280x720@60
        0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01,
        // 1920x1080 at 60 Hz, 148.5 MHz
        0x02, 0x3A, 0x80, 0x18, 0x71, 0x38, 0x2D, 0x40, 0x58, 0x2C, 0x45, 0x00, 0x20, 0xC2, 0x31, 0x00, 0x00, 0x1E,
        // range limits: 56-75 Hz, 30-81 kHz, 170 MHz
        0x00, 0x00, 0x00, 0xFD, 0x00, 0x38, 0x4B, 0x1E, 0x51, 0x11, 0x00, 0x0A, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20,
    };
    static const uint8_t extension[] = {
        0x02, 0x03, 0x19, 0x71,
        0x46, 0x90, 0x04, 0x1F, 0x13, 0x03, 0x02,                     // VICs 16 (native), 4, 31, 19, 3, 2
        0x23, 0x09, 0x07, 0x07,                                       // LPCM 2 ch, 32/44.1/48 kHz, 16/20/24 bit
        0x83, 0x01, 0x00, 0x00,                                       // speakers FL/FR
        0x65, 0x03, 0x0C, 0x00, 0x10, 0x00,                           // HDMI, physical address 1.0.0.0
        // 1280x720 at 60 Hz, 74.25 MHz
        0x01, 0x1D, 0x00, 0x72, 0x51, 0xD0, 0x1E, 0x20, 0x6E, 0x28, 0x55, 0x00, 0x20, 0xC2, 0x31, 0x00, 0x00, 0x1E,
    };
    _KVCAP_EDID_DATA edid{};
    std::memcpy(edid.data, base, sizeof base);
    edid.data[10] = uint8_t(productCode);
    edid.data[11] = uint8_t(productCode >> 8);
    // Monitor name and serial descriptors.
    uint8_t* d = edid.data + 90;
    const uint8_t nameTag[5] = {0x00, 0x00, 0x00, 0xFC, 0x00};
    std::memcpy(d, nameTag, 5);
    std::memset(d + 5, 0x20, 13);
    size_t n = std::min<size_t>(std::strlen(name), 12);
    std::memcpy(d + 5, name, n);
    d[5 + n] = 0x0A;
    d += 18;
    const uint8_t serialTag[5] = {0x00, 0x00, 0x00, 0xFF, 0x00};
    std::memcpy(d, serialTag, 5);
    std::memcpy(d + 5, "LV0000001\n   ", 13);
    edid.data[126] = 1;                                              // one extension block
    std::memcpy(edid.data + 128, extension, sizeof extension);
    for (int block = 0; block < 2; ++block) {
        uint8_t sum = 0;
        for (int i = 0; i < 127; ++i)
            sum = uint8_t(sum + edid.data[block * 128 + i]);
        edid.data[block * 128 + 127] = uint8_t(0x100 - sum);
    }
    return edid;
}

_HDMI_INFOFRAME_PACKET MakePacket(uint8_t type, uint8_t version, std::initializer_list<uint8_t> payload)
{
    _HDMI_INFOFRAME_PACKET packet{};
    packet.type = type;
    packet.version = version;
    packet.length = uint8_t(payload.size());
    std::copy(payload.begin(), payload.end(), packet.payload);
    uint8_t sum = uint8_t(type + version + packet.length);
    for (uint8_t b : payload)
        sum = uint8_t(sum + b);
    packet.checksum = uint8_t(0x100 - sum);
    return packet;
}

template <typename Record>
void Put(StockReports& reports, const Record& record, int index = 0)
{
    PutStock(reports, uint8_t(ReportIdOf<Record>(index)), record);
}

} // namespace

// A 1080p60 HDMI source on the input and a 1080p monitor on the loop-through output;
// the source sends AVI, audio, SPD and HDMI vendor info frames.
void StockHdmi(StockReports& reports, const StockIdentity& identity)
{
    Put(reports, MakeEdid(identity.productId, "LV Capture"), KvEdidCapture);
    Put(reports, MakeEdid(0x0A01, "LV Monitor"), KvEdidLoopThrough);
    Put(reports, _KVCAP_LOOP_THROUGH_EDID_VALID{1});
    Put(reports, _KVCAP_EDID_ASSIST_OPTIONS{KVCAP_EDID_ASSIST_KEEP_LAST | KVCAP_EDID_ASSIST_ADD_AUDIO});

    const _HDMI_INFOFRAME_PACKET frames[] = {
        // AVI: RGB, underscan, BT.709, 16:9, VIC 16
        MakePacket(0x82, 0x02, {0x12, 0xA8, 0x00, 0x10, 0x00, 0, 0, 0, 0, 0, 0, 0, 0}),
        // Audio: 2 channels, stream header carries the rest
        MakePacket(0x84, 0x01, {0x01, 0x00, 0x00, 0x00, 0x00, 0, 0, 0, 0, 0}),
        // SPD: "LVSource" / "Media Player", digital STB
        MakePacket(0x83, 0x01, {'L', 'V', 'S', 'o', 'u', 'r', 'c', 'e', 'M', 'e', 'd', 'i', 'a', ' ', 'P',
                                'l', 'a', 'y', 'e', 'r', 0, 0, 0, 0, 0x01}),
        _HDMI_INFOFRAME_PACKET{},
        // HDMI vendor specific: IEEE 00-0C-03, no extended format
        MakePacket(0x81, 0x01, {0x03, 0x0C, 0x00, 0x00, 0x00}),
    };
    _KVCAP_INFOFRAME_VALID_MASK mask{0};
    for (int i = 0; i < int(sizeof frames / sizeof frames[0]); ++i) {
        if (frames[i].type == 0)
            continue;
        Put(reports, frames[i], i);
        mask.mask |= 1u << i;
    }
    Put(reports, mask);
}

} // namespace lvemu
