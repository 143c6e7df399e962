#pragma once
// The one table of USB vendor/product IDs this program accepts. The device filter,
// the emulated test device and the udev rule (packaging/udev, checked against this
// table by a test) all read it, so a new product is added here and nowhere else.
//
// The values are deliberately ones no USB-IF member uses, so the filter can never
// grab somebody else's hardware.

#include <cstdint>

namespace lvusb {

// Main vendor: one single product and two contiguous product ranges.
constexpr uint16_t kVendorMain = 0xE4A1;
constexpr uint16_t kProductMainSingle = 0x0100;
constexpr uint16_t kProductRangeAFirst = 0x0200;
constexpr uint16_t kProductRangeALast = 0x020F;
constexpr uint16_t kProductRangeBFirst = 0x0300;
constexpr uint16_t kProductRangeBLast = 0x030F;

// Second vendor (a partner brand): one product.
constexpr uint16_t kVendorPartner = 0xE4A2;
constexpr uint16_t kProductPartner = 0x0001;

// Every accepted vendor and product range: the filter below, the udev rule and tests
// that plug one of each all read this table.
struct UsbIdRange {
    uint16_t vendorId;
    uint16_t firstProductId;
    uint16_t lastProductId;
};

constexpr UsbIdRange g_arrAcceptedRanges[] = {
    { kVendorMain, kProductMainSingle, kProductMainSingle },
    { kVendorMain, kProductRangeAFirst, kProductRangeALast },
    { kVendorMain, kProductRangeBFirst, kProductRangeBLast },
    { kVendorPartner, kProductPartner, kProductPartner },
};

// The filter, derived from the table (four comparisons per USB device of the host).
constexpr bool IsAcceptedDevice(uint16_t vendorId, uint16_t productId)
{
    for (const UsbIdRange& range : g_arrAcceptedRanges) {
        if (vendorId == range.vendorId && productId >= range.firstProductId && productId <= range.lastProductId)
            return true;
    }
    return false;
}

static_assert(IsAcceptedDevice(kVendorMain, kProductRangeALast) && !IsAcceptedDevice(kVendorPartner, 0x0002),
              "the filter follows the table");

// The HID interface every report is addressed to.
constexpr int kHidInterface = 9;

} // namespace lvusb
