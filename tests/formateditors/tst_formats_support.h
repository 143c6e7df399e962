#pragma once
// Shared by the format editor and Advanced page suites: one emulated device made current
// (no enumeration thread running), wire bytes of records, and an answerer for the modal
// windows the code under test runs.

#include <thread>

#include "lvpagetestsupport.h"

namespace fmttest {

using lvtest::Bytes;
using lvtest::DevicePtr;

// The program's style sheet (for screenshots as a user sees them), then one device
// made current.
inline DevicePtr StartWithDevice()
{
    lvtest::applyProgramLook(false);
    DevicePtr dev = lvemu::EmulatedBus::instance().plug();
    lvtest::startPresenter(3600 * 1000);   // one enumeration, in Init
    g_presenter.SetCurrentIndex(0, false);
    return dev;
}

template <typename Record>
Bytes Wire(const Record& record)
{
    return lvtest::wireOf(record);
}

// SET data stages (report id first) sent for `id`, in order.
inline std::vector<Bytes> Sets(const DevicePtr& dev, int id)
{
    std::vector<Bytes> sets;
    for (const lvemu::TransferRecord& t : lvtest::transfersOf(dev, lvemu::TransferRecord::Set, id))
        sets.push_back(t.bytes);
    return sets;
}

// GET count by report id.
inline std::map<int, int> Gets(const DevicePtr& dev)
{
    return lvtest::getCounts(dev);
}

// True when another thread cannot take the presenter lock right now.
inline bool PresenterLockHeld()
{
    bool held = false;
    std::thread probe([&held] {
        held = !g_presenter.GetLock()->m_mutex.tryLock();
        if (!held)
            g_presenter.GetLock()->m_mutex.unlock();
    });
    probe.join();
    return held;
}

using lvtest::onNextModal;

} // namespace fmttest
