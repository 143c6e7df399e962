#include "device/lumivandrexdevice.h"

#include <QMutex>

#include <libusb.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <vector>

#include "device/usbids.h"
#include "logging/lvlogger.h"

libusb_context *LumivandrexDevice::g_context = nullptr;
libusb_device **LumivandrexDevice::g_devices = nullptr;

namespace {

// Device references held by records, and contexts whose libusb_exit waits for them.
// A record can outlive UnInitDevices (a copy kept by a dialog, the flashing thread);
// dropping its reference touches the device's context, so that context may only be
// left once the last record let go.
std::mutex g_refMutex;                          // guards the two below
long g_liveDeviceRefs = 0;
std::vector<libusb_context *> g_retiredContexts;

void takeDeviceRef(libusb_device *dev)
{
    if (!dev)
        return;
    std::lock_guard<std::mutex> guard(g_refMutex);
    libusb_ref_device(dev);
    ++g_liveDeviceRefs;
}

void dropDeviceRef(libusb_device *dev)
{
    if (!dev)
        return;
    std::vector<libusb_context *> toExit;
    {
        std::lock_guard<std::mutex> guard(g_refMutex);
        libusb_unref_device(dev);
        if (--g_liveDeviceRefs == 0)
            toExit.swap(g_retiredContexts);
    }
    for (libusb_context *ctx : toExit)
        libusb_exit(ctx);
}

// Leave a context now, or as soon as no record refers to one of its devices.
void retireContext(libusb_context *ctx)
{
    {
        std::lock_guard<std::mutex> guard(g_refMutex);
        if (g_liveDeviceRefs > 0) {
            g_retiredContexts.push_back(ctx);
            return;
        }
    }
    libusb_exit(ctx);
}

// Holds a device object's lock for one transfer. Qt's mutex is not instrumented, so
// under ThreadSanitizer the hand-over is announced explicitly; otherwise it is a plain
// QMutexLocker.
#if defined(__SANITIZE_THREAD__)
extern "C" void __tsan_acquire(void* addr);
extern "C" void __tsan_release(void* addr);
#endif
class TransferLock {
public:
    explicit TransferLock(LumivandrexDevice* device) : m_mutex(&device->m_lock.m_mutex)
    {
        m_mutex->lock();
#if defined(__SANITIZE_THREAD__)
        __tsan_acquire(m_mutex);
#endif
    }
    ~TransferLock()
    {
#if defined(__SANITIZE_THREAD__)
        __tsan_release(m_mutex);
#endif
        m_mutex->unlock();
    }
    TransferLock(const TransferLock&) = delete;
    TransferLock& operator=(const TransferLock&) = delete;

private:
    QMutex* m_mutex;
};

// "bus 3 address 7": which device a line of the log is about.
int DeviceKey(libusb_device *dev)
{
    return dev ? libusb_get_bus_number(dev) << 8 | libusb_get_device_address(dev) : 0;
}

QString DevicePlace(int key)
{
    return QStringLiteral("bus %1 address %2").arg(key >> 8).arg(key & 0xFF);
}

// A device node we may not open is nearly always a missing udev rule: say so.
void LogOpenFailure(int result, int key)
{
    LV_LOG_ERROR("libusb_open failed for the device at " << DevicePlace(key) << ": " << libusb_error_name(result)
                 << (result == LIBUSB_ERROR_ACCESS
                         ? " (no permission to open the USB device; install the udev rule"
                           " packaging/udev/60-lumivandrex.rules as the README describes, then replug the device)"
                         : ""));
}

// The steps around every request, and whether the device answers it. They run several
// times a second, so a success is not logged; a step that starts failing (or fails
// differently) is, and so is its first success after that.
enum UsbStep { StepOpen, StepDriverActive, StepDetach, StepClaim, StepRelease, StepAttach, StepAnswer };
const char *const kStepNames[] = {"libusb_open", "libusb_kernel_driver_active", "libusb_detach_kernel_driver",
                                  "libusb_claim_interface", "libusb_release_interface",
                                  "libusb_attach_kernel_driver"};

// Stores `result` as what the log says about `step` of the device at `key`; true when it
// differs from what the log said before (nothing said yet counts as success). Kept by bus
// and address, not per object: enumeration builds a new object for a new device on every
// cycle and opens every device. Its lock is the last taken, inside a transfer.
bool ResultChanged(int key, UsbStep step, int result)
{
    static std::mutex guard;
    static std::map<int, int> said;
    std::lock_guard<std::mutex> lock(guard);
    int &last = said[key << 3 | step];
    const bool changed = last != result;
    last = result;
    return changed;
}

// `result` is libusb's (0 or more for success).
void NoteStep(libusb_device *dev, UsbStep step, int result)
{
    result = std::min(result, 0);
    const int key = DeviceKey(dev);
    if (!ResultChanged(key, step, result))
        return;
    if (result == 0)
        LV_LOG_INFO(kStepNames[step] << " succeeds again for the device at " << DevicePlace(key));
    else if (step == StepOpen)
        LogOpenFailure(result, key);
    else
        LV_LOG_WARNING(kStepNames[step] << " failed for the device at " << DevicePlace(key) << ": "
                                        << libusb_error_name(result));
}

// Marks the object answering or not. The caller holds the object's lock.
void NoteAnswering(LumivandrexDevice *device, bool answering)
{
    device->m_notAnswering = !answering;
    const int key = DeviceKey(device->m_record.device);
    if (!ResultChanged(key, StepAnswer, answering ? 0 : LIBUSB_ERROR_TIMEOUT))
        return;
    if (answering) {
        LV_LOG_INFO("the device at " << DevicePlace(key) << " answers again");
    } else {
        LV_LOG_WARNING("the device at " << DevicePlace(key) << " stopped answering (no reply within "
                                        << kHidTransferTimeoutMs
                                        << " ms): its transfers fail at once until it replies again");
    }
}

constexpr uint8_t kRequestTypeIn = 0xA1;   // device to host, class, interface
constexpr uint8_t kRequestTypeOut = 0x21;  // host to device, class, interface
constexpr uint8_t kGetReport = 0x01;
constexpr uint8_t kSetReport = 0x09;
constexpr uint16_t kReportTypeInput = 0x0100;
constexpr uint16_t kReportTypeOutput = 0x0200;

} // namespace

QString UsbDevicePlace(libusb_device *device)
{
    return DevicePlace(DeviceKey(device));
}

// ---------------------------------------------------------------------- records

tagUSBDEVICE_DATA::tagUSBDEVICE_DATA(libusb_device *dev, uint16_t vid, uint16_t pid)
    : device(dev), vendorId(vid), productId(pid)
{
    takeDeviceRef(device);
}

tagUSBDEVICE_DATA::tagUSBDEVICE_DATA(const tagUSBDEVICE_DATA &other)
    : device(other.device), vendorId(other.vendorId), productId(other.productId)
{
    takeDeviceRef(device);
}

tagUSBDEVICE_DATA &tagUSBDEVICE_DATA::operator=(const tagUSBDEVICE_DATA &other)
{
    if (this != &other) {
        takeDeviceRef(other.device);   // before the drop: both may be the same device
        dropDeviceRef(device);
        device = other.device;
        vendorId = other.vendorId;
        productId = other.productId;
    }
    return *this;
}

tagUSBDEVICE_DATA::~tagUSBDEVICE_DATA()
{
    dropDeviceRef(device);
}

void tagUSBDEVICE_DATA::reset()
{
    dropDeviceRef(device);
    device = nullptr;
    vendorId = 0;
    productId = 0;
}

// ---------------------------------------------------------------------- device object

LumivandrexDevice::LumivandrexDevice() = default;

LumivandrexDevice::~LumivandrexDevice()
{
    TransferLock locker(this);
    CloseDeviceHandle(this);
}

void LumivandrexDevice::Bind(const tagUSBDEVICE_DATA &record)
{
    TransferLock locker(this);
    m_record = record;
    m_usable = 1;
}

bool LumivandrexDevice::InitDevices()
{
    if (g_context)
        return true;
    const int result = libusb_init(&g_context);
    if (result < 0) {
        g_context = nullptr;   // never leave a half-made context for later calls
        LV_LOG_ERROR("libusb_init error - " << result << " " << libusb_error_name(result));
        return false;
    }
    return true;
}

bool LumivandrexDevice::UnInitDevices()
{
    if (g_devices) {
        libusb_free_device_list(g_devices, 1);
        g_devices = nullptr;
    }
    if (g_context) {
        retireContext(g_context);
        g_context = nullptr;
    }
    return true;
}

bool LumivandrexDevice::EnumDevices(QVector<tagUSBDEVICE_DATA> &list)
{
    // Without a context libusb would fall back to a default one that does not
    // exist; an enumeration without libusb simply fails.
    if (!g_context)
        return false;
    const ssize_t count = libusb_get_device_list(g_context, &g_devices);
    if (count < 0 || !g_devices) {
        g_devices = nullptr;
        return false;
    }
    for (libusb_device **it = g_devices; *it; ++it) {
        libusb_device *dev = *it;
        libusb_device_descriptor desc;
        if (libusb_get_device_descriptor(dev, &desc) != 0) {
            LV_LOG_ERROR("failed to get device descriptor");
            libusb_free_device_list(g_devices, 1);
            g_devices = nullptr;
            return false;
        }
        if (!lvusb::IsAcceptedDevice(desc.idVendor, desc.idProduct))
            continue;
        // Only a device we can open is of any use; one that is still being set up
        // or belongs to someone else is tried again on the next cycle.
        libusb_device_handle *handle = nullptr;
        const int opened = libusb_open(dev, &handle);
        NoteStep(dev, StepOpen, opened);   // not every 400 ms: when it starts or stops failing
        if (opened == 0 && handle) {
            libusb_close(handle);
            list.append(tagUSBDEVICE_DATA(dev, desc.idVendor, desc.idProduct));
        }
    }
    libusb_free_device_list(g_devices, 1);
    g_devices = nullptr;
    return true;
}

// ---------------------------------------------------------------------- open / close

bool OpenDeviceHandle(LumivandrexDevice *device, const tagUSBDEVICE_DATA &record)
{
    if (!record.device) {
        LV_LOG_ERROR("libusb_open failed: the device record is empty.");
        return false;
    }
    if (&device->m_record != &record)
        device->m_record = record;
    libusb_device *dev = device->m_record.device;
    const int opened = libusb_open(dev, &device->m_handle);
    NoteStep(dev, StepOpen, opened);
    if (opened != 0 || !device->m_handle) {
        device->m_handle = nullptr;
        return false;
    }
    const int active = libusb_kernel_driver_active(device->m_handle, lvusb::kHidInterface);
    NoteStep(dev, StepDriverActive, active);
    if (active == 1) {
        const int detached = libusb_detach_kernel_driver(device->m_handle, lvusb::kHidInterface);
        // Only a driver we really took away is handed back on close.
        device->m_driverDetached = detached == 0 ? 1 : 0;
        NoteStep(dev, StepDetach, detached);
    }
    // Claim explicitly: otherwise usbfs claims the interface implicitly on the first
    // request and keeps it until close, and handing it back to the kernel driver
    // before the close would then fail, leaving the device without its HID driver.
    const int claimed = libusb_claim_interface(device->m_handle, lvusb::kHidInterface);
    device->m_interfaceClaimed = claimed == 0;
    NoteStep(dev, StepClaim, claimed);
    return true;
}

void CloseDeviceHandle(LumivandrexDevice *device)
{
    if (!device->m_handle)
        return;
    libusb_device *dev = device->m_record.device;
    if (device->m_interfaceClaimed) {
        NoteStep(dev, StepRelease, libusb_release_interface(device->m_handle, lvusb::kHidInterface));
        device->m_interfaceClaimed = false;
    }
    if (device->m_driverDetached == 1) {
        NoteStep(dev, StepAttach, libusb_attach_kernel_driver(device->m_handle, lvusb::kHidInterface));
        device->m_driverDetached = 0;
    }
    libusb_close(device->m_handle);
    device->m_handle = nullptr;
}

void LumivandrexDevice::RetryOnce()
{
    TransferLock locker(this);
    m_retryArmed = true;
}

// ---------------------------------------------------------------------- transfers

namespace {

// Open, run one class request on the object's buffer, close. The buffer holds the
// report id in byte 0 and the payload after it. Returns libusb's result: -1 when the
// object is not bound or the device would not open, a time-out at once (no traffic)
// while the device is not answering. The caller holds the object's lock.
int runTransfer(LumivandrexDevice *device, uint8_t requestType, uint8_t request, uint16_t value, int length)
{
    if (device->m_notAnswering && !device->m_retryArmed) {
        device->m_missedTransfers = true;
        return LIBUSB_ERROR_TIMEOUT;
    }
    device->m_retryArmed = false;
    if (!OpenDeviceHandle(device, device->m_record)) {
        CloseDeviceHandle(device);
        return -1;   // the open step has told the log
    }
    int result = -1;
    if (device->m_usable) {
        result = libusb_control_transfer(device->m_handle, requestType, request, value, lvusb::kHidInterface,
                                         device->m_buffer, static_cast<uint16_t>(length + 1), kHidTransferTimeoutMs);
        // A stall is an answer too: the device refused the report.
        if (result == LIBUSB_ERROR_TIMEOUT || result >= 0 || result == LIBUSB_ERROR_PIPE)
            NoteAnswering(device, result != LIBUSB_ERROR_TIMEOUT);
    }
    CloseDeviceHandle(device);
    if (result == LIBUSB_ERROR_TIMEOUT) {
        device->m_timedOutAt = std::chrono::steady_clock::now();
        device->m_missedTransfers = true;
    }
    if (result < 0 && result != LIBUSB_ERROR_TIMEOUT) {
        LV_LOG_DEBUG("libusb_control_transfer fail ret:" << result << " " << libusb_error_name(result)
                                                          << " (report 0x" << QString::number(value & 0xFF, 16)
                                                          << ")");
    }
    return result;
}

} // namespace

bool HidGetReport(LumivandrexDevice *device, unsigned char id, unsigned char *buffer, int length)
{
    return HidGetReportReceived(device, id, buffer, length, nullptr);
}

bool HidGetReportReceived(LumivandrexDevice *device, unsigned char id, unsigned char *buffer, int length,
                          int *received)
{
    if (received)
        *received = 0;
    if (!device || length < 0 || length > kHidMaxPayload || (length > 0 && !buffer))
        return false;
    TransferLock locker(device);
    memset(device->m_buffer, 0, sizeof(device->m_buffer));
    device->m_buffer[0] = id;
    const int result = runTransfer(device, kRequestTypeIn, kGetReport, kReportTypeInput | id, length);
    if (result < 0)
        return false;
    // Byte 0 of the reply is the id position; a short reply leaves zeros behind it.
    if (length > 0)
        memcpy(buffer, device->m_buffer + 1, static_cast<size_t>(length));
    if (received)
        *received = result > 0 ? result - 1 : 0;
    return true;
}

bool HidSetReport(LumivandrexDevice *device, unsigned char id, const unsigned char *buffer, int length)
{
    if (!device || length < 0 || length > kHidMaxPayload || (length > 0 && !buffer))
        return false;
    TransferLock locker(device);
    memset(device->m_buffer, 0, sizeof(device->m_buffer));
    device->m_buffer[0] = id;
    if (length > 0)
        memcpy(device->m_buffer + 1, buffer, static_cast<size_t>(length));
    return runTransfer(device, kRequestTypeOut, kSetReport, kReportTypeOutput | id, length) >= 0;
}
