#pragma once
// An emulated capture device for tests and for running the program without hardware.
//
// The real, unmodified libusb talks to it through umockdev (see emulatedbus.h); this
// class is the device's behaviour behind interface 9: every report of the catalogue
// in device/kvcaprecords.h with its exact length, a live and a saved copy of the
// settings with the commit report, NOR flash behind reports 0xF0..0xF4, latched change
// bits for report 0x08, injectable faults and a log of every transfer.
//
// Thread model: the usbfs emulation calls handleControl() on umockdev's worker thread
// while the test thread calls the setters and getters; one mutex (m_mutex) guards all
// of the state, so every public method is safe from any thread.
//
// Quick use from a test (the bus must exist before libusb starts, see emulatedbus.h):
//     auto dev = lvemu::EmulatedBus::instance().plug();          // default model
//     dev->setFeatureFlags(0x3);                                 // no Volume page
//     dev->setNotifyBits(0x10);                                  // next 0x08 read sees it
//     dev->stallReport(0x11);                                    // fault
//     ... run code under test ...
//     QCOMPARE(dev->transfers().back().id, 0x08);                // transfer log

#include <algorithm>
#include <functional>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "device/kvcaprecords.h"

namespace lvemu {

using Bytes = std::vector<uint8_t>;

// Flash geometry of the emulated part.
constexpr uint32_t kFlashSize = 4u * 1024u * 1024u;
constexpr uint32_t kFlashEraseUnit = 0x1000;
constexpr uint32_t kFlashPageSize = 0x100;
constexpr uint32_t kFlashHeaderBase = 0x00100000;   // full-upgrade header; partial goes +0x1000
constexpr uint32_t kFlashMainSection = 0x00120000;  // where the stock image's one section lives

// Default identity of a plugged device.
constexpr uint32_t kDefaultFirmwareVersion = 0x01020003; // "1.2.3"
constexpr uint16_t kDefaultFirmwareLayout = 2;

// One control request as the device saw it.
struct TransferRecord {
    enum Direction : uint8_t { Get, Set, Other };
    enum Outcome : uint8_t { Ok, Stalled, NoDevice };
    Direction direction = Other;
    uint8_t reportType = 0;       // high byte of wValue: 1 input, 2 output, 3 feature
    uint8_t id = 0;               // low byte of wValue
    uint8_t requestType = 0;      // bmRequestType
    uint8_t request = 0;          // bRequest
    uint16_t wIndex = 0;
    uint16_t wLength = 0;
    Bytes bytes;                  // SET: what the host sent; GET: what the device answered
    Outcome outcome = Ok;
};

class EmulatedDevice {
public:
    // A device with the stock content for this vendor/product pair. `serial` must be
    // unique among plugged devices if tests tell them apart by serial number.
    EmulatedDevice(uint16_t vendorId, uint16_t productId, const std::string& serial);

    EmulatedDevice(const EmulatedDevice&) = delete;
    EmulatedDevice& operator=(const EmulatedDevice&) = delete;

    uint16_t vendorId() const { return m_vendorId; }
    uint16_t productId() const { return m_productId; }

    // ---- content ---------------------------------------------------------------
    // Report payloads. setReport changes the live, saved and factory copies alike (as if
    // the device had been made that way); setLiveReport only the live one.
    void setReport(uint8_t id, const Bytes& payload);
    void setLiveReport(uint8_t id, const Bytes& payload);
    Bytes liveReport(uint8_t id) const;
    Bytes savedReport(uint8_t id) const;
    template <typename Record> void setRecord(uint8_t id, const Record& r)
    {
        setReport(id, Bytes(reinterpret_cast<const uint8_t*>(&r), reinterpret_cast<const uint8_t*>(&r) + sizeof r));
    }
    template <typename Record> Record record(uint8_t id) const
    {
        Record r{};
        const Bytes b = liveReport(id);
        std::copy(b.begin(), b.begin() + std::min(b.size(), sizeof r), reinterpret_cast<uint8_t*>(&r));
        return r;
    }
    // Shorthands for the reports tests change most.
    _KVCAP_DEVICE_INFO deviceInfo() const { return record<_KVCAP_DEVICE_INFO>(0x01); }
    void setDeviceInfo(const _KVCAP_DEVICE_INFO& info) { setRecord(0x01, info); }
    void setFeatureFlags(uint32_t flags);
    void setFirmwareVersion(uint32_t version);
    void setProductName(const std::string& name);
    void setSerialNumber(const std::string& serial);

    // ---- notification report 0x08 ----------------------------------------------
    // Bits are OR-ed into a latch; a GET of 0x08 returns and clears it.
    void setNotifyBits(uint64_t bits);
    uint64_t pendingNotifyBits() const;
    // Last mask written with report 0x07 (0 until the host wrote one).
    uint64_t notifyEnableMask() const;
    // When on, 0x08 reports only the bits enabled by 0x07 (off by default, so tests
    // can also hand the host bits it did not ask for).
    void setNotifyMasking(bool on);

    // ---- settings commit 0xFE --------------------------------------------------
    // Writable (GET and SET) reports keep a live and a saved copy; 2 saves live to
    // saved, 1 restores live from saved, 0 restores factory defaults. Counted here.
    int commitCount(uint8_t value) const;

    // ---- flash -----------------------------------------------------------------
    Bytes flash(uint32_t address, uint32_t length) const;        // raw contents
    void pokeFlash(uint32_t address, const Bytes& bytes);        // raw write, no NOR rules
    void setBusyPolls(int polls);         // busy reads after each erase/program (default 2)
    int eraseCount() const;
    int programCount() const;

    // ---- faults ----------------------------------------------------------------
    void stallReport(uint8_t id, bool stall = true);
    // GET replies of this id carry only `bytes` data-stage bytes (id byte included);
    // -1 turns it off.
    void setShortReply(uint8_t id, int bytes);
    // The device node cannot be opened (enumeration leaves the device out, transfers fail).
    void setOpenFails(bool fails);
    bool openFails() const;
    // The next control request for this report id unplugs the device: the request
    // fails with "no device" and the device disappears from the bus.
    void unplugOnTransfer(uint8_t id);
    void setBusyStuck(bool stuck);        // 0xF4 never reads 0
    // A hung device: no report request is ever answered (neither data nor stall); the
    // host's transfer ends only by its own time-out.
    void setUnanswering(bool hung) { std::lock_guard<std::mutex> lock(m_mutex); m_unanswering = hung; }
    // Hangs so right after answering the first request `last` accepts (called under the
    // device's lock: it must not call back into the device). Null turns it off.
    void setUnansweringAfter(std::function<bool(const TransferRecord&)> last)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_hangAfter = std::move(last);
    }
    // Requests left unanswered that the host has not given up yet (its time-out, or the
    // unplug, ends them): while one is waiting, its transfer is still in flight.
    int unansweredWaiting() const { std::lock_guard<std::mutex> lock(m_mutex); return m_waiting; }
    void unansweredEnded() { std::lock_guard<std::mutex> lock(m_mutex); --m_waiting; }
    // Flash read-back (0xF3 GET) XORs `mask` into the byte at `address`; mask 0 clears.
    void setFlashReadBitFlip(uint32_t address, uint8_t mask);
    void clearFaults();

    // ---- observation -----------------------------------------------------------
    std::vector<TransferRecord> transfers() const;   // in order
    void clearTransfers();
    int transferCount() const;
    bool kernelDriverBound() const;       // the emulated usbhid owns interface 9
    bool interfaceClaimed() const;        // a usbfs client claimed interface 9
    int totalOpens() const;               // usbfs connections (opens) since plugging
    bool present() const;

    // ---- for the usbfs emulation (emulatedbus.cpp) -------------------------------
    enum ControlResult { Done, Stall, Busy, Gone, NoAnswer };
    // One control request: setup packet + OUT data stage; fills `in` for IN requests.
    // `client` identifies the usbfs connection (claims belong to one connection).
    ControlResult handleControl(const void* client, const uint8_t* setup, const uint8_t* outData, Bytes& in);
    Bytes deviceDescriptor() const;
    Bytes configDescriptor() const;
    // Kernel-side state changes driven by usbfs ioctls (all return an errno or 0).
    int detachKernelDriver();
    int attachKernelDriver();
    int claimInterface(const void* client);
    int releaseInterface(const void* client);
    int disconnectClaim(const void* client);
    void clientConnected();
    void clientVanished(const void* client);
    void setPresent(bool present);
    bool takeUnplugRequest();             // true once after unplugOnTransfer fired
    // Called (outside the lock) when setOpenFails changes; the bus swaps the device node.
    void setNodeHook(std::function<void(bool openFails)> hook);

private:
    ControlResult handleHidRequest(uint8_t request, bool isIn, uint8_t type, uint8_t id, uint16_t wLength,
                                   const uint8_t* outData, Bytes& in);
    ControlResult getReport(uint8_t id, uint16_t wLength, Bytes& in);
    ControlResult setReport(uint8_t id, const uint8_t* data, uint16_t wLength);
    ControlResult flashSet(uint8_t id, const uint8_t* payload);
    void stockContent(const std::string& serial);
    void stockFlash();
    void logTransfer(const TransferRecord& record);

    const uint16_t m_vendorId;
    const uint16_t m_productId;

    mutable std::mutex m_mutex;           // guards everything below
    std::map<uint8_t, Bytes> m_live;      // payload of every catalogue report
    std::map<uint8_t, Bytes> m_saved;     // writable reports only
    std::map<uint8_t, Bytes> m_factory;   // writable reports only
    uint64_t m_notifyLatch = 0;
    uint64_t m_notifyEnable = 0;
    bool m_notifyMasking = false;
    int m_commits[3] = {0, 0, 0};

    Bytes m_flash;
    uint32_t m_readAddress = 0;
    int m_busyPolls = 2;
    int m_busyLeft = 0;
    int m_erases = 0;
    int m_programs = 0;

    std::map<uint8_t, bool> m_stalled;
    std::map<uint8_t, int> m_shortReply;
    bool m_openFails = false;
    int m_unplugOnId = -1;
    bool m_unplugRequested = false;
    bool m_busyStuck = false;
    bool m_unanswering = false;
    std::function<bool(const TransferRecord&)> m_hangAfter;
    int m_waiting = 0;                    // see unansweredWaiting
    uint32_t m_flipAddress = 0;
    uint8_t m_flipMask = 0;

    std::vector<TransferRecord> m_log;
    bool m_present = false;
    bool m_kernelDriver = true;
    const void* m_claimOwner = nullptr;   // usbfs client holding interface 9
    std::function<void(bool)> m_nodeHook;
    int m_totalOpens = 0;
};

} // namespace lvemu
