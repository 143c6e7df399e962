// lv_emulated_launch: run the program against emulated capture devices, no hardware needed.
//
//   lv_emulated_launch [--devices N] [--product 0xPPPP] [--partner] [--features 0xF] <program> [args...]
//
// Plugs the devices, starts <program> under the umockdev preload (so its libusb sees
// only the emulated bus) and serves it until it exits. While it runs, commands on
// standard input change the bus:
//   list                   plugged devices
//   plug [0xPPPP]          plug another device (main vendor, given product)
//   unplug <n>             unplug device n of "list"
//   replug <n>             unplug and plug device n again
//   notify <n> <0xBITS>    latch change bits for report 0x08 of device n
//   features <n> <0xF>     set the feature flags (report 0xFF) of device n
//   log <n>                last transfers of device n
#include <sys/prctl.h>
#include <sys/wait.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "emulatedbus.h"

namespace {

pid_t g_child = 0;

// Ctrl+C or a kill of the launcher ends the program too: it cannot work without us.
void forwardSignal(int sig)
{
    if (g_child > 0)
        kill(g_child, sig);
}

void usage()
{
    fprintf(stderr,
            "usage: lv_emulated_launch [--devices N] [--product 0xPPPP] [--partner] [--features 0xF] "
            "<program> [args...]\n");
}

unsigned long number(const std::string& text)
{
    return std::stoul(text, nullptr, 0);
}

void printDevices()
{
    const auto devices = lvemu::EmulatedBus::instance().devices();
    for (size_t i = 0; i < devices.size(); ++i) {
        const _KVCAP_DEVICE_INFO info = devices[i]->deviceInfo();
        printf("[%zu] %04x:%04x %s (%s)\n", i, devices[i]->vendorId(), devices[i]->productId(), info.productName,
               info.serialNumber);
    }
    fflush(stdout);
}

std::shared_ptr<lvemu::EmulatedDevice> deviceAt(const std::string& index)
{
    const auto devices = lvemu::EmulatedBus::instance().devices();
    const size_t i = size_t(number(index));
    return i < devices.size() ? devices[i] : nullptr;
}

// Reads commands until standard input ends; the program's exit ends the launcher anyway.
void commandLoop()
{
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream in(line);
        std::string cmd, a, b;
        in >> cmd >> a >> b;
        try {
            auto& bus = lvemu::EmulatedBus::instance();
            if (cmd == "list") {
                printDevices();
            } else if (cmd == "plug") {
                bus.plug(lvusb::kVendorMain, a.empty() ? lvusb::kProductMainSingle : uint16_t(number(a)));
                printDevices();
            } else if ((cmd == "unplug" || cmd == "replug") && deviceAt(a)) {
                auto dev = deviceAt(a);
                bus.unplug(dev);
                if (cmd == "replug")
                    bus.plug(dev);
                printDevices();
            } else if (cmd == "notify" && deviceAt(a) && !b.empty()) {
                deviceAt(a)->setNotifyBits(number(b));
            } else if (cmd == "features" && deviceAt(a) && !b.empty()) {
                deviceAt(a)->setFeatureFlags(uint32_t(number(b)));
            } else if (cmd == "log" && deviceAt(a)) {
                const auto log = deviceAt(a)->transfers();
                for (size_t i = log.size() > 20 ? log.size() - 20 : 0; i < log.size(); ++i) {
                    printf("%s 0x%02x wLength %u %s\n", log[i].direction == lvemu::TransferRecord::Get ? "GET" : "SET",
                           log[i].id, log[i].wLength, log[i].outcome == lvemu::TransferRecord::Ok ? "ok" : "failed");
                }
                fflush(stdout);
            } else if (!cmd.empty()) {
                printf("commands: list | plug [0xPPPP] | unplug <n> | replug <n> | notify <n> <0xBITS> | "
                       "features <n> <0xF> | log <n>\n");
                fflush(stdout);
            }
        } catch (const std::exception&) {
            printf("bad number in: %s\n", line.c_str());
            fflush(stdout);
        }
    }
}

// The program's libusb opens every device it lists within a cycle or two. Under load, its
// start-up scan through the umockdev preload can miss a device of the bus (the sysfs tree
// is complete; libudev's enumeration in the program did not return it), and no event
// follows, so the program never sees it. That is the bus's fault, not the program's: say so,
// and send the device's "add" event again so that the run is still valid.
std::atomic<bool> g_programEnded{false};

void watchStartupScan(std::vector<std::shared_ptr<lvemu::EmulatedDevice>> plugged)
{
    const auto opened = [](const std::shared_ptr<lvemu::EmulatedDevice>& d) { return d->totalOpens() > 0; };
    int graceMs = 3000;   // counted from the program's first open
    for (int waitedMs = 0; waitedMs < 60000 && graceMs > 0 && !g_programEnded; waitedMs += 250) {
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
        graceMs -= std::any_of(plugged.begin(), plugged.end(), opened) ? 250 : 0;
    }
    const auto devices = lvemu::EmulatedBus::instance().devices();
    for (const auto& dev : plugged) {
        if (graceMs > 0 || g_programEnded || opened(dev) || std::find(devices.begin(), devices.end(), dev) == devices.end())
            continue;
        fprintf(stderr, "lv_emulated_launch: %s was plugged before the program started, but 3 s after its first open "
                "the program has not opened it: its libusb missed it in the start-up scan of the emulated bus (a "
                "fault of the emulation under the preload, not of the program); sending its \"add\" event again\n",
                dev->deviceInfo().serialNumber);
        lvemu::EmulatedBus::instance().announce(dev);
    }
}

} // namespace

int main(int argc, char** argv)
{
    lvemu::ensurePreload(argc, argv);

    int devices = 1;
    uint16_t vendor = lvusb::kVendorMain;
    uint16_t product = lvusb::kProductMainSingle;
    long features = -1;
    int i = 1;
    try {
        for (; i < argc && argv[i][0] == '-'; ++i) {
            const std::string opt = argv[i];
            if (opt == "--devices" && i + 1 < argc) {
                devices = int(number(argv[++i]));
            } else if (opt == "--product" && i + 1 < argc) {
                product = uint16_t(number(argv[++i]));
            } else if (opt == "--partner") {
                vendor = lvusb::kVendorPartner;
                product = lvusb::kProductPartner;
            } else if (opt == "--features" && i + 1 < argc) {
                features = long(number(argv[++i]));
            } else if (opt == "--") {
                ++i;
                break;
            } else {
                usage();
                return 2;
            }
        }
    } catch (const std::exception&) {
        usage();
        return 2;
    }
    if (i >= argc) {
        usage();
        return 2;
    }

    auto& bus = lvemu::EmulatedBus::instance();
    bus.setCrossProcess(true);   // the program is another process
    for (int n = 0; n < devices; ++n) {
        auto dev = bus.plug(vendor, product);
        if (features >= 0)
            dev->setFeatureFlags(uint32_t(features));
    }
    printDevices();

    const pid_t child = fork();
    if (child < 0) {
        perror("fork");
        return 2;
    }
    if (child == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        // Inherits LD_PRELOAD and UMOCKDEV_DIR, so its libusb sees the emulated bus.
        execvp(argv[i], argv + i);
        perror("lv_emulated_launch: exec");
        _exit(127);
    }
    g_child = child;
    signal(SIGINT, forwardSignal);
    signal(SIGTERM, forwardSignal);
    std::thread(commandLoop).detach();
    std::thread watch(watchStartupScan, bus.devices());
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    g_programEnded = true;
    watch.join();   // before the bus goes
    lvemu::EmulatedBus::shutdown();
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
