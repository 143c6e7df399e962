#pragma once
// Shared set-up of the timing suites: one emulated device carrying a VGA 1080p60
// signal, the presenter on it, and readers of what the device was sent.

#include <vector>

#include "lvpagetestsupport.h"
#include "lvtestsupport.h"

namespace timingtest {

using lvtest::Bytes;
using lvtest::DevicePtr;

template <typename Record>
uint8_t IdOf(int index = 0)
{
    return lvtest::idOf<Record>(index);
}

template <typename Record>
Bytes BytesOf(const Record& r)
{
    return lvtest::bytesOf(r);
}

// A VGA 1920x1080 60 Hz signal (2200 x 1125 total) as report 0x10 shows it.
inline _KVCAP_INPUT_STATUS VgaStatus()
{
    _KVCAP_INPUT_STATUS s{};
    s.valid = 1;
    s.inputType = KVCAP_VIDEO_INPUT_VGA;
    s.analog.syncInfo = {1, {0, 0}, 0, 166667, 5, 1125};
    s.analog.timing.timingType = 2;   // DMT
    s.analog.settings = {16, 9, 192, 41, 1920, 1080, 2200, 8};
    return s;
}

// Plugs one device with the VGA signal and makes it the presenter's current device.
inline DevicePtr Start()
{
    auto device = lvemu::EmulatedBus::instance().plug();
    device->setRecord(IdOf<_KVCAP_INPUT_STATUS>(), VgaStatus());
    lvtest::startPresenter(3600 * 1000);   // no enumeration traffic during the cases
    g_presenter.SetCurrentIndex(0, false);
    lvtest::applyProgramLook();
    return device;
}

// Payloads of the successful SETs of one report, in order.
inline std::vector<Bytes> Sets(const DevicePtr& device, uint8_t id)
{
    std::vector<Bytes> out;
    for (const lvemu::TransferRecord& t : lvtest::transfersOf(device, lvemu::TransferRecord::Set, id))
        if (t.outcome == lvemu::TransferRecord::Ok)
            out.push_back(lvtest::payloadOf(t));
    return out;
}

inline int SetCount(const DevicePtr& device)
{
    return int(lvtest::transfersOf(device, lvemu::TransferRecord::Set).size());
}

} // namespace timingtest
