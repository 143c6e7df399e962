#pragma once
// The emulated device's factory content, one function per area of the program, each in
// its own stock_<area>.cpp. They run once when a device is built, after the identity
// reports (0x01 to 0x03, 0x10, 0xF0, 0xFF) are filled, and fill their reports the way a
// real device answers: an HDMI 1080p60 signal with 48 kHz stereo audio, sensible lists.

#include <cstdint>
#include <cstring>
#include <map>
#include <vector>

namespace lvemu {

using StockReports = std::map<uint8_t, std::vector<uint8_t>>;   // id -> payload, every catalogue id present

struct StockIdentity {
    uint16_t vendorId;
    uint16_t productId;
};

// Copies a record into its report's payload (sizes are checked by the catalogue).
template <typename Record>
inline void PutStock(StockReports& reports, uint8_t id, const Record& record)
{
    std::vector<uint8_t>& payload = reports[id];
    payload.resize(sizeof record);
    std::memcpy(payload.data(), &record, sizeof record);
}

void StockInput(StockReports& reports, const StockIdentity& identity);
void StockVideo(StockReports& reports, const StockIdentity& identity);
void StockFormats(StockReports& reports, const StockIdentity& identity);
void StockVolume(StockReports& reports, const StockIdentity& identity);
void StockTiming(StockReports& reports, const StockIdentity& identity);
void StockHdmi(StockReports& reports, const StockIdentity& identity);
void StockAdvanced(StockReports& reports, const StockIdentity& identity);

} // namespace lvemu
