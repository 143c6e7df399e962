#include "emulatedbus.h"

#include <umockdev.h>

#include "sessionbus.h"

#include <fcntl.h>
#include <linux/usbdevice_fs.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <set>

namespace lvemu {

// ---------------------------------------------------------------------- preload

bool preloadActive()
{
    const char* preload = getenv("LD_PRELOAD");
    return preload && strstr(preload, "libumockdev-preload");
}

void ensurePreload(int, char** argv)
{
    if (!preloadActive()) {
        ensureSessionBus();   // the daemon must not run under the preload
        const char* old = getenv("LD_PRELOAD");
        std::string value = "libumockdev-preload.so.0";
        if (old && *old)
            value += std::string(":") + old;
        setenv("LD_PRELOAD", value.c_str(), 1);
        execv("/proc/self/exe", argv);
        perror("lv_emulator: re-exec under libumockdev-preload failed");
        _exit(2);
    }
    // The preload sleeps after every emulated ioctl; with the default 50 us slack that
    // sleep dominates a transfer. Threads started later inherit the setting.
    prctl(PR_SET_TIMERSLACK, 1UL, 0, 0, 0);
}

// ---------------------------------------------------------------------- bus state

namespace {

constexpr unsigned kBusNumber = 77;   // no real host has this many buses: nothing reaches real /dev

// A control URB accepted by SUBMITURB, handed back by the next REAPURB(NDELAY).
struct DoneUrb {
    UMockdevIoctlData* urbData = nullptr;   // owned refs in cross-process mode
    UMockdevIoctlData* bufData = nullptr;
    usbdevfs_urb* urb = nullptr;
    uint8_t* buffer = nullptr;              // setup packet + data stage
    int status = 0;
    Bytes in;
    int actual = 0;
    bool unanswered = false;                // a hung device's: a discard or the unplug ends it
};

struct ClientState {
    std::deque<DoneUrb> done;
};

void freeClientState(gpointer p)
{
    auto* state = static_cast<ClientState*>(p);
    for (DoneUrb& u : state->done) {
        if (u.urbData)
            g_object_unref(u.urbData);
        if (u.bufData)
            g_object_unref(u.bufData);
    }
    delete state;
}

std::string hex(const Bytes& bytes)
{
    std::string s;
    char t[3];
    for (uint8_t b : bytes) {
        snprintf(t, sizeof t, "%02x", b);
        s += t;
    }
    return s;
}

} // namespace

struct EmulatedBus::Impl {
    // One device node of the testbed.
    struct Node {
        std::shared_ptr<EmulatedDevice> device;
        unsigned address = 0;
        int fifo = -1;       // see makeFifo()
        int pending = 0;     // URBs waiting to be reaped
        bool plugged = false;
    };

    EmulatedBus* bus = nullptr;
    UMockdevTestbed* testbed = nullptr;
    UMockdevIoctlBase* handler = nullptr;
    std::string root;

    mutable std::mutex mutex;                 // guards everything below; before any device's mutex
    std::map<std::string, Node> nodes;        // by devnode
    std::set<std::string> attached;           // nodes with the ioctl handler attached
    unsigned lastAddress = 1;                 // 1 is the root hub
    unsigned serialCounter = 0;
    std::vector<std::thread> unplugThreads;   // unplugs requested from inside a transfer
    // The handler calls us on umockdev's worker thread, which may still be inside a call
    // (a client that died mid-request) when the bus goes away: each connected callback
    // counts until GLib has let go of it (see ~EmulatedBus).
    int connectedCallbacks = 0;
    std::condition_variable callbacksReleased;

    static std::string devnode(unsigned address)
    {
        char b[40];
        snprintf(b, sizeof b, "/dev/bus/usb/%03u/%03u", kBusNumber, address);
        return b;
    }
    static std::string syspath(unsigned address)
    {
        return "/sys/devices/usb" + std::to_string(kBusNumber) + "/" + std::to_string(kBusNumber) + "-"
            + std::to_string(address - 1);
    }

    void addRecord(const std::string& path, unsigned address, uint16_t vid, uint16_t pid, const Bytes& descriptors,
                   const char* speed)
    {
        char rec[4096];
        snprintf(rec, sizeof rec,
                 "P: %s\nN: bus/usb/%03u/%03u\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\nE: DRIVER=usb\n"
                 "E: DEVNAME=/dev/bus/usb/%03u/%03u\nE: BUSNUM=%03u\nE: DEVNUM=%03u\nE: PRODUCT=%x/%x/100\n"
                 "A: busnum=%u\\n\nA: devnum=%u\\n\nA: speed=%s\\n\nA: bConfigurationValue=1\\n\n"
                 "A: idVendor=%04x\\n\nA: idProduct=%04x\\n\nH: descriptors=%s\n",
                 path.c_str(), kBusNumber, address, kBusNumber, address, kBusNumber, address, vid, pid,
                 kBusNumber, address, speed, vid, pid, hex(descriptors).c_str());
        GError* err = nullptr;
        if (!umockdev_testbed_add_from_string(testbed, rec, &err)) {
            fprintf(stderr, "lv_emulator: add device: %s\n", err ? err->message : "?");
            abort();
        }
    }

    // umockdev makes device nodes regular files, which are always poll-ready, so
    // libusb's event loop would spin while a handle is open. A FIFO kept full is not
    // POLLOUT-ready; draining it while a URB waits makes it ready, which is what usbfs
    // signals. Called with `mutex` held.
    void makeFifo(Node& node, const std::string& devnodePath)
    {
        const std::string path = root + devnodePath;
        if (node.fifo >= 0)
            close(node.fifo);
        node.fifo = -1;
        unlink(path.c_str());
        rmdir(path.c_str());
        if (node.device->openFails()) {
            // A directory cannot be opened read-write: libusb's open fails at once.
            mkdir(path.c_str(), 0755);
            return;
        }
        if (mkfifo(path.c_str(), 0666) != 0) {
            perror("lv_emulator: mkfifo");
            abort();
        }
        node.fifo = open(path.c_str(), O_RDWR | O_NONBLOCK);
        static char page[4096];
        while (write(node.fifo, page, sizeof page) > 0) {
        }
        node.pending = 0;
    }

    void plug(const std::shared_ptr<EmulatedDevice>& device)
    {
        std::string node;
        unsigned address = 0;
        {
            std::lock_guard<std::mutex> lock(mutex);
            for (auto& kv : nodes) {
                if (kv.second.device == device && kv.second.plugged)
                    return;   // already plugged
            }
            // Next free address after the last one used, as a hub hands them out.
            for (unsigned step = 0; step < 126 && !address; ++step) {
                const unsigned candidate = 2 + (lastAddress - 1 + step) % 126;
                auto it = nodes.find(devnode(candidate));
                if (it == nodes.end() || !it->second.plugged)
                    address = candidate;
            }
            if (!address) {
                fprintf(stderr, "lv_emulator: no free address on the bus\n");
                abort();
            }
            lastAddress = address;
            node = devnode(address);
            Node& n = nodes[node];
            n.device = device;
            n.address = address;
            n.plugged = true;
            if (!attached.count(node)) {   // the socket must exist before libusb opens the node
                GError* err = nullptr;
                if (!umockdev_testbed_attach_ioctl(testbed, node.c_str(), handler, &err)) {
                    fprintf(stderr, "lv_emulator: attach_ioctl: %s\n", err ? err->message : "?");
                    abort();
                }
                attached.insert(node);
            }
        }
        device->setPresent(true);
        Bytes d = device->deviceDescriptor();
        const Bytes c = device->configDescriptor();
        d.insert(d.end(), c.begin(), c.end());
        addRecord(syspath(address).substr(4), address, device->vendorId(), device->productId(), d, "480");

        std::lock_guard<std::mutex> lock(mutex);
        makeFifo(nodes[node], node);
        std::weak_ptr<EmulatedDevice> weak = device;
        device->setNodeHook([this, weak](bool) {
            std::shared_ptr<EmulatedDevice> dev = weak.lock();
            if (!dev)
                return;
            std::lock_guard<std::mutex> l(mutex);
            for (auto& kv : nodes) {
                if (kv.second.device == dev && kv.second.plugged)
                    makeFifo(kv.second, kv.first);
            }
        });
    }

    void unplug(const std::shared_ptr<EmulatedDevice>& device)
    {
        unsigned address = 0;
        {
            std::lock_guard<std::mutex> lock(mutex);
            for (auto& kv : nodes) {
                if (kv.second.device == device && kv.second.plugged) {
                    kv.second.plugged = false;
                    address = kv.second.address;
                    rmdir((root + kv.first).c_str());   // an "open fails" node is a directory
                }
            }
        }
        device->setPresent(false);   // open handles get ENODEV from now on
        if (!address)
            return;
        {
            // As the kernel, a request still in flight ends now (see REAPURB): wake libusb.
            std::lock_guard<std::mutex> lock(mutex);
            Node& n = nodes[devnode(address)];
            static char page[4096];
            if (n.fifo >= 0 && n.pending++ == 0 && read(n.fifo, page, sizeof page) < 0)
                perror("lv_emulator: drain fifo");
        }
        // umockdev 0.17 sends no "remove" of its own, and the sender needs the sysfs
        // directory, so: event first, then the tree.
        const std::string path = syspath(address);
        umockdev_testbed_uevent(testbed, path.c_str(), "remove");
        umockdev_testbed_remove_device(testbed, path.c_str());
    }

    void joinUnplugThreads()
    {
        std::vector<std::thread> threads;
        {
            std::lock_guard<std::mutex> lock(mutex);
            threads.swap(unplugThreads);
        }
        for (std::thread& t : threads)
            t.join();
    }

    std::shared_ptr<EmulatedDevice> lookup(const char* devnodePath) const
    {
        std::lock_guard<std::mutex> lock(mutex);
        auto it = nodes.find(devnodePath ? devnodePath : "");
        return it == nodes.end() ? nullptr : it->second.device;
    }

    // ------------------------------------------------------------------ usbfs ioctls

    // Client memory that cannot be read ends the request (see handle()).
    struct Unreadable {
        bool connectionLost;   // the client died mid-request (killed, crashed)
    };

    static UMockdevIoctlData* resolve(UMockdevIoctlData* data, size_t offset, size_t length)
    {
        GError* err = nullptr;
        UMockdevIoctlData* r = umockdev_ioctl_data_resolve(data, offset, length, &err);
        if (!r) {
            const bool lost = err != nullptr;
            if (lost)
                fprintf(stderr, "lv_emulator: a client went away mid-request (%s)\n", err->message);
            g_clear_error(&err);
            throw Unreadable{lost};
        }
        return r;
    }

    // Pointer to the ioctl's argument. In-process the client's thread is blocked inside
    // ioctl(), so its memory can be used directly; across processes it is copied over
    // umockdev's socket and written back on completion.
    void* argument(UMockdevIoctlData* arg, size_t length, std::vector<UMockdevIoctlData*>& held) const
    {
        if (!bus->crossProcess())
            return *reinterpret_cast<void**>(arg->data);
        held.push_back(resolve(arg, 0, length));
        return held.back()->data;
    }

    void connect(const char* signal, GCallback callback)
    {
        {
            std::lock_guard<std::mutex> lock(mutex);
            ++connectedCallbacks;
        }
        g_signal_connect_data(handler, signal, callback, this, &Impl::releaseCallback, GConnectFlags(0));
    }

    // GLib drops a disconnected callback at once, or when the call running it returns.
    static void releaseCallback(gpointer self, GClosure*)
    {
        auto* impl = static_cast<Impl*>(self);
        std::lock_guard<std::mutex> lock(impl->mutex);
        if (--impl->connectedCallbacks == 0)
            impl->callbacksReleased.notify_all();
    }

    static gboolean onIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer self)
    {
        return static_cast<Impl*>(self)->handle(client);
    }

    static void onConnected(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer self)
    {
        if (auto dev = static_cast<Impl*>(self)->lookup(umockdev_ioctl_client_get_devnode(client)))
            dev->clientConnected();
    }

    static void onVanished(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer self)
    {
        if (auto dev = static_cast<Impl*>(self)->lookup(umockdev_ioctl_client_get_devnode(client)))
            dev->clientVanished(client);
    }

    gboolean handle(UMockdevIoctlClient* client);
    gboolean serve(UMockdevIoctlClient* client, std::vector<UMockdevIoctlData*>& held);
};

// `held`: client memory resolved for this request, given back after the answer.
gboolean EmulatedBus::Impl::handle(UMockdevIoctlClient* client)
{
    std::vector<UMockdevIoctlData*> held;
    gboolean handled = TRUE;
    try {
        handled = serve(client, held);
    } catch (const Unreadable& e) {
        // A dead client's connection is dropped, as the kernel drops a dead process's
        // files; a live one passed a bad pointer and gets what the kernel answers.
        if (e.connectionLost)
            umockdev_ioctl_client_abort(client);
        else
            umockdev_ioctl_client_complete(client, -1, EFAULT);
    }
    for (UMockdevIoctlData* d : held)
        g_object_unref(d);
    return handled;
}

gboolean EmulatedBus::Impl::serve(UMockdevIoctlClient* client, std::vector<UMockdevIoctlData*>& held)
{
    const char* devnodePath = umockdev_ioctl_client_get_devnode(client);
    std::shared_ptr<EmulatedDevice> dev = lookup(devnodePath);
    if (!dev)
        return FALSE;
    UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(client);
    const unsigned long request = umockdev_ioctl_client_get_request(client);
    auto* state = static_cast<ClientState*>(g_object_get_data(G_OBJECT(client), "lvemu"));
    if (!state) {
        state = new ClientState;
        g_object_set_data_full(G_OBJECT(client), "lvemu", state, freeClientState);
    }
    const bool direct = !bus->crossProcess();
    auto complete = [&](long result, int error) {
        umockdev_ioctl_client_complete(client, result, error);
        return TRUE;
    };
    static char page[4096];
    // Tell libusb (through the FIFO's readiness) that a URB is ready to reap.
    auto signalReapable = [&] {
        std::lock_guard<std::mutex> lock(mutex);
        auto it = nodes.find(devnodePath);
        if (it != nodes.end() && it->second.fifo >= 0 && it->second.pending++ == 0
            && read(it->second.fifo, page, sizeof page) < 0) {
            perror("lv_emulator: drain fifo");
        }
    };

    if (request == USBDEVFS_REAPURB || request == USBDEVFS_REAPURBNDELAY) {
        if (state->done.empty() || (state->done.front().unanswered && dev->present()))
            return complete(-1, dev->present() ? EAGAIN : ENODEV);
        DoneUrb u = std::move(state->done.front());
        for (UMockdevIoctlData* d : {u.urbData, u.bufData}) {
            if (d)
                held.push_back(d);   // the queue's references, given back after the answer
        }
        if (u.unanswered) {
            u.status = -ESHUTDOWN;   // never answered, and the device went away
            dev->unansweredEnded();
        }
        state->done.pop_front();
        {
            std::lock_guard<std::mutex> lock(mutex);
            auto it = nodes.find(devnodePath);
            // A URB submitted before the FIFO replaced the node was never counted (the
            // plug can race with the first open): never let the count go negative, or the
            // next submit would not drain the FIFO and libusb would wait forever.
            if (it != nodes.end() && it->second.fifo >= 0 && it->second.pending > 0
                && --it->second.pending == 0 && write(it->second.fifo, page, sizeof page) < 0) {
                perror("lv_emulator: refill fifo");
            }
        }
        u.urb->status = u.status;
        u.urb->actual_length = u.actual;   // data stage only
        if (!u.in.empty())
            memcpy(u.buffer + 8, u.in.data(), u.in.size());
        if (direct) {
            **reinterpret_cast<usbdevfs_urb***>(arg->data) = u.urb;
        } else {
            held.push_back(resolve(arg, 0, sizeof(void*)));
            umockdev_ioctl_data_set_ptr(held.back(), 0, u.urbData);
        }
        return complete(0, 0);
    }
    if (!dev->present())
        return complete(-1, ENODEV);

    switch (request) {
    case USBDEVFS_GET_CAPABILITIES:
        *static_cast<uint32_t*>(argument(arg, sizeof(uint32_t), held)) = USBDEVFS_CAP_ZERO_PACKET
            | USBDEVFS_CAP_BULK_CONTINUATION | USBDEVFS_CAP_NO_PACKET_SIZE_LIM | USBDEVFS_CAP_REAP_AFTER_DISCONNECT;
        return complete(0, 0);
    case USBDEVFS_GETDRIVER: {
        auto* gd = static_cast<usbdevfs_getdriver*>(argument(arg, sizeof(usbdevfs_getdriver), held));
        const char* driver = nullptr;
        if (gd->interface == unsigned(lvusb::kHidInterface))
            driver = dev->interfaceClaimed() ? "usbfs" : dev->kernelDriverBound() ? "usbhid" : nullptr;
        if (!driver)
            return complete(-1, ENODATA);
        snprintf(gd->driver, sizeof gd->driver, "%s", driver);
        return complete(0, 0);
    }
    case USBDEVFS_IOCTL: {   // detach / attach the kernel driver
        const usbdevfs_ioctl c = *static_cast<usbdevfs_ioctl*>(argument(arg, sizeof(usbdevfs_ioctl), held));
        if (c.ifno != lvusb::kHidInterface)
            return complete(-1, EINVAL);
        if (c.ioctl_code == int(USBDEVFS_DISCONNECT)) {
            const int e = dev->detachKernelDriver();
            return e ? complete(-1, e) : complete(0, 0);
        }
        if (c.ioctl_code == int(USBDEVFS_CONNECT)) {
            const int e = dev->attachKernelDriver();
            return e ? complete(-1, e) : complete(1, 0);   // 1: a driver got bound
        }
        return complete(-1, ENOTTY);
    }
    case USBDEVFS_DISCONNECT_CLAIM: {
        auto* dc = static_cast<usbdevfs_disconnect_claim*>(argument(arg, sizeof(usbdevfs_disconnect_claim), held));
        if (dc->interface != unsigned(lvusb::kHidInterface))
            return complete(-1, ENOENT);
        const int e = dev->disconnectClaim(client);
        return e ? complete(-1, e) : complete(0, 0);
    }
    case USBDEVFS_CLAIMINTERFACE:
    case USBDEVFS_RELEASEINTERFACE: {
        const unsigned ifno = *static_cast<unsigned*>(argument(arg, sizeof(unsigned), held));
        if (ifno != unsigned(lvusb::kHidInterface))
            return complete(-1, request == USBDEVFS_CLAIMINTERFACE ? ENOENT : EINVAL);
        const int e = request == USBDEVFS_CLAIMINTERFACE ? dev->claimInterface(client) : dev->releaseInterface(client);
        return e ? complete(-1, e) : complete(0, 0);
    }
    case USBDEVFS_SETINTERFACE:
    case USBDEVFS_SETCONFIGURATION:
    case USBDEVFS_CLEAR_HALT:
    case USBDEVFS_RESETEP:
    case USBDEVFS_RESET:
        return complete(0, 0);
    case USBDEVFS_SUBMITURB: {
        DoneUrb u;
        if (direct) {
            u.urb = *reinterpret_cast<usbdevfs_urb**>(arg->data);
        } else {
            u.urbData = resolve(arg, 0, sizeof(usbdevfs_urb));
            held.push_back(u.urbData);   // the queue takes its own reference below
            u.urb = reinterpret_cast<usbdevfs_urb*>(u.urbData->data);
        }
        if (u.urb->type != USBDEVFS_URB_TYPE_CONTROL || u.urb->buffer_length < 8)
            return complete(-1, EINVAL);   // the device only has its control pipe in use
        if (direct) {
            u.buffer = static_cast<uint8_t*>(u.urb->buffer);
        } else {
            u.bufData = resolve(u.urbData, offsetof(usbdevfs_urb, buffer), size_t(u.urb->buffer_length));
            held.push_back(u.bufData);
            u.buffer = u.bufData->data;
        }
        const bool isIn = (u.buffer[0] & 0x80) != 0;
        const uint16_t wLength = uint16_t(u.buffer[6] | u.buffer[7] << 8);
        const EmulatedDevice::ControlResult r = dev->handleControl(client, u.buffer, u.buffer + 8, u.in);
        if (r == EmulatedDevice::Busy || r == EmulatedDevice::Gone) {
            if (r == EmulatedDevice::Gone && dev->takeUnplugRequest()) {
                std::lock_guard<std::mutex> lock(mutex);
                unplugThreads.emplace_back([this, dev] { unplug(dev); });
            }
            return complete(-1, r == EmulatedDevice::Busy ? EBUSY : ENODEV);
        }
        if (r == EmulatedDevice::Stall) {
            u.status = -EPIPE;
            u.in.clear();
            u.actual = 0;
        } else {
            u.status = 0;
            u.actual = isIn ? int(u.in.size()) : int(wLength);
        }
        u.unanswered = r == EmulatedDevice::NoAnswer;
        if (!u.unanswered)
            signalReapable();
        for (UMockdevIoctlData* d : {u.urbData, u.bufData}) {
            if (d)
                g_object_ref(d);
        }
        state->done.push_back(std::move(u));   // complete at once; the next REAPURB hands it out
        return complete(0, 0);
    }
    case USBDEVFS_DISCARDURB:
        // Only a hung device's URB is still in flight (one transfer per connection at a
        // time); it comes back cancelled, as the kernel hands back an unlinked URB.
        if (state->done.empty() || !state->done.back().unanswered)
            return complete(-1, EINVAL);   // every other URB is complete; libusb just reaps it
        state->done.back().unanswered = false;
        state->done.back().status = -ECONNRESET;
        dev->unansweredEnded();
        signalReapable();
        return complete(0, 0);
    default:
        return complete(-1, ENOTTY);
    }
}

// ---------------------------------------------------------------------- public API

namespace {
EmulatedBus* g_bus = nullptr;
std::mutex g_busMutex;
} // namespace

EmulatedBus& EmulatedBus::instance()
{
    std::lock_guard<std::mutex> lock(g_busMutex);
    if (!g_bus)
        g_bus = new EmulatedBus;
    return *g_bus;
}

void EmulatedBus::shutdown()
{
    std::lock_guard<std::mutex> lock(g_busMutex);
    delete g_bus;
    g_bus = nullptr;
}

EmulatedBus::EmulatedBus() : m_impl(new Impl)
{
#if defined(__SANITIZE_THREAD__)
    // ThreadSanitizer cannot see that the client thread waits inside ioctl() while the
    // handler touches its memory; copying over the socket keeps its report meaningful.
    m_crossProcess = true;
#endif
    if (getenv("LV_EMULATOR_CROSS_PROCESS"))
        m_crossProcess = true;
    if (!preloadActive())
        fprintf(stderr, "lv_emulator: not running under libumockdev-preload; call lvemu::ensurePreload first\n");
    m_impl->bus = this;
    m_impl->testbed = umockdev_testbed_new();   // sets $UMOCKDEV_DIR; must precede libusb_init
    gchar* root = umockdev_testbed_get_root_dir(m_impl->testbed);
    m_impl->root = root;
    g_free(root);
    m_impl->handler = umockdev_ioctl_base_new();
    m_impl->connect("handle-ioctl", G_CALLBACK(Impl::onIoctl));
    m_impl->connect("client-connected", G_CALLBACK(Impl::onConnected));
    m_impl->connect("client-vanished", G_CALLBACK(Impl::onVanished));
    // A root hub, so that devices have a parent and libusb finds port numbers.
    const Bytes hub = {18, 1, 0x00, 0x02, 9, 0, 1, 64, 0x6b, 0x1d, 0x02, 0x00, 0x00, 0x06, 3, 2, 1, 1,
                       9, 2, 25, 0, 1, 1, 0, 0xE0, 0, 9, 4, 0, 0, 1, 9, 0, 0, 0, 7, 5, 0x81, 3, 4, 0, 12};
    m_impl->addRecord("/devices/usb" + std::to_string(kBusNumber), 1, 0x1d6b, 0x0002, hub, "480");
}

EmulatedBus::~EmulatedBus()
{
    // No new calls from the worker; one it is making now ends before we go.
    g_signal_handlers_disconnect_by_data(m_impl->handler, m_impl);
    {
        std::unique_lock<std::mutex> lock(m_impl->mutex);
        m_impl->callbacksReleased.wait(lock, [this] { return m_impl->connectedCallbacks == 0; });
    }
    m_impl->joinUnplugThreads();
    g_object_unref(m_impl->testbed);   // removes the whole temporary tree
    g_object_unref(m_impl->handler);
    for (auto& kv : m_impl->nodes) {
        if (kv.second.fifo >= 0)
            close(kv.second.fifo);
        kv.second.device->setNodeHook(nullptr);
    }
    delete m_impl;
}

std::shared_ptr<EmulatedDevice> EmulatedBus::plug(uint16_t vendorId, uint16_t productId, const std::string& serial)
{
    std::string s = serial;
    if (s.empty()) {
        std::lock_guard<std::mutex> lock(m_impl->mutex);
        char b[20];
        snprintf(b, sizeof b, "LV%08u", 24070100 + ++m_impl->serialCounter);
        s = b;
    }
    auto device = std::make_shared<EmulatedDevice>(vendorId, productId, s);
    plug(device);
    return device;
}

void EmulatedBus::plug(const std::shared_ptr<EmulatedDevice>& device)
{
    m_impl->joinUnplugThreads();
    m_impl->plug(device);
}

void EmulatedBus::unplug(const std::shared_ptr<EmulatedDevice>& device)
{
    m_impl->joinUnplugThreads();
    m_impl->unplug(device);
}

void EmulatedBus::announce(const std::shared_ptr<EmulatedDevice>& device)
{
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    for (const auto& kv : m_impl->nodes) {
        if (kv.second.device == device && kv.second.plugged)
            umockdev_testbed_uevent(m_impl->testbed, Impl::syspath(kv.second.address).c_str(), "add");
    }
}

void EmulatedBus::unplugAll()
{
    for (const auto& device : devices())
        unplug(device);
}

std::vector<std::shared_ptr<EmulatedDevice>> EmulatedBus::devices() const
{
    std::lock_guard<std::mutex> lock(m_impl->mutex);
    std::vector<std::shared_ptr<EmulatedDevice>> result;
    for (const auto& kv : m_impl->nodes) {
        if (kv.second.plugged)
            result.push_back(kv.second.device);
    }
    return result;
}

std::string EmulatedBus::rootDir() const
{
    return m_impl->root;
}

} // namespace lvemu
