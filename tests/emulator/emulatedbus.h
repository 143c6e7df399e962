#pragma once
// The emulated USB bus: a umockdev testbed that the real libusb enumerates, opens and
// sends control requests to, with an EmulatedDevice model answering behind each node.
//
// Rules (umockdev's, not ours):
//  * The process must run with LD_PRELOAD=libumockdev-preload.so.0. Call
//    lvemu::ensurePreload(argc, argv) first thing in main() (the QtTest main macro in
//    lvemulatortest.h does), which re-executes the program with the preload if needed.
//  * The bus must exist before libusb_init (LumivandrexDevice::InitDevices): the first
//    EmulatedBus::instance() call creates it. One bus per process.
//  * Leave libusb (UnInitDevices / libusb_exit) before EmulatedBus::shutdown().
//
// Plugging and unplugging work at any time, with any number of devices:
//     auto& bus = lvemu::EmulatedBus::instance();
//     auto a = bus.plug();                                      // main vendor, single product
//     auto b = bus.plug(lvusb::kVendorPartner, lvusb::kProductPartner);
//     bus.unplug(a);                                            // gone for libusb at once
//     bus.plug(a);                                              // back, state kept, new address

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "device/usbids.h"
#include "emulateddevice.h"

namespace lvemu {

// Re-executes the program under the umockdev preload when it is not loaded yet (does
// not return then) and lowers the timer slack, which the preload's per-ioctl sleep
// makes expensive. Gives the process (and the programs it starts) a D-Bus session bus
// first, see sessionbus.h. Call before any thread is started.
void ensurePreload(int argc, char** argv);

// True when this process runs under the umockdev preload.
bool preloadActive();

class EmulatedBus {
public:
    // The process-wide bus, created on first use.
    static EmulatedBus& instance();
    // Destroys the bus and its temporary tree, if it was created. libusb must have
    // been left before (its monitor reads the tree).
    static void shutdown();

    // Plug a new device with the stock content (serial made unique when empty).
    std::shared_ptr<EmulatedDevice> plug(uint16_t vendorId = lvusb::kVendorMain,
                                         uint16_t productId = lvusb::kProductMainSingle,
                                         const std::string& serial = std::string());
    // Plug (or re-plug) an existing model: its reports and flash are kept, it gets a
    // new bus address and its kernel driver is bound again, as after a real re-plug.
    void plug(const std::shared_ptr<EmulatedDevice>& device);
    // Unplug: open handles fail with "no device", enumeration no longer lists it.
    void unplug(const std::shared_ptr<EmulatedDevice>& device);
    void unplugAll();
    // Send the device's "add" event again, as `udevadm trigger` does: a libusb that missed
    // it at its start-up scan lists it then (one that knows it ignores the event).
    void announce(const std::shared_ptr<EmulatedDevice>& device);
    std::vector<std::shared_ptr<EmulatedDevice>> devices() const;   // plugged ones

    // Serve clients in other processes (the launcher's child). Slower: every access to
    // the client's memory goes over umockdev's socket. Set before plugging.
    void setCrossProcess(bool on) { m_crossProcess = on; }
    bool crossProcess() const { return m_crossProcess; }

    std::string rootDir() const;

    EmulatedBus(const EmulatedBus&) = delete;
    EmulatedBus& operator=(const EmulatedBus&) = delete;

    struct Impl;

private:
    EmulatedBus();
    ~EmulatedBus();

    Impl* m_impl;
    std::atomic<bool> m_crossProcess{false};
};

} // namespace lvemu
