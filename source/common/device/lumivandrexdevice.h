#ifndef LUMIVANDREXDEVICE_H
#define LUMIVANDREXDEVICE_H
// The lowest layer: libusb start/stop, the list of accepted devices, and one HID
// report at a time between the program and a device. A device is opened for each
// transfer and closed at once, so a device unplugged between transfers only fails
// the next open and no handle outlives a transfer.

#include <QString>
#include <QVector>

#include <chrono>
#include <cstdint>

#include "device/ckvlock.h"

struct libusb_context;
struct libusb_device;
struct libusb_device_handle;

// Bound on one control transfer. libusb's 0 would wait forever on a device that
// neither answers nor stalls, and every caller holds the presenter lock meanwhile.
constexpr unsigned int kHidTransferTimeoutMs = 2000;

// Largest payload of one report (the transfer buffer is 1024 bytes with the id byte).
constexpr int kHidMaxPayload = 1023;

// One accepted USB device as enumeration finds it. Copied by value into the device
// object and the presenter's instances; `device` is also the identity by which the
// enumeration thread recognises a device from one cycle to the next.
//
// Every record that holds a device pointer also holds a libusb reference to it
// (taken on construction/copy, dropped on destruction/assignment). So the pointer
// never dangles and a freed address can never be mistaken for a known device.
// Build it with value-initialisation (`tagUSBDEVICE_DATA rec;` / `{}`), never memset.
struct tagUSBDEVICE_DATA
{
    unsigned char reserved[4160] = {};   // always zero
    libusb_device *device = nullptr;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint32_t reserved2 = 0;              // always zero

    tagUSBDEVICE_DATA() = default;
    // Takes its own reference to `dev` (may be null).
    tagUSBDEVICE_DATA(libusb_device *dev, uint16_t vid, uint16_t pid);
    tagUSBDEVICE_DATA(const tagUSBDEVICE_DATA &other);
    tagUSBDEVICE_DATA &operator=(const tagUSBDEVICE_DATA &other);
    ~tagUSBDEVICE_DATA();

    // Drop the reference and forget the device.
    void reset();
};

// The object for one attached device; owned by the presenter.
// Lock order: presenter lock first, then m_lock (only inside the transfers).
//
// A transfer that times out marks the device "not answering": from then on every
// transfer fails at once without reaching it, so a device that stopped answering costs
// its callers one time-out, not one per report. RetryOnce lets the next transfer through
// (the presenter's poll and a selection send it themselves): an answer to it (data or a
// stall) ends the state. The log says each change once.
class LumivandrexDevice
{
public:
    LumivandrexDevice();
    ~LumivandrexDevice();

    LumivandrexDevice(const LumivandrexDevice &) = delete;
    LumivandrexDevice &operator=(const LumivandrexDevice &) = delete;

    // Start libusb once; false (and a message) when libusb cannot start, after which
    // every enumeration fails cleanly instead of touching a missing context.
    static bool InitDevices();
    // Free a held list and leave libusb. Records still alive keep their devices valid:
    // the context is released when the last of them goes.
    static bool UnInitDevices();
    // Append one record per accepted device that could be opened. False when libusb is
    // not started or a device descriptor could not be read (records appended so far stay).
    static bool EnumDevices(QVector<tagUSBDEVICE_DATA> &list);

    // Bind the object to a record and mark it usable (what the presenter's instance
    // builder does); an unbound object opens and closes the device but sends nothing.
    void Bind(const tagUSBDEVICE_DATA &record);

    // True while a transfer has the device open (for tests and the destructor).
    bool IsHandleOpen() const { return m_handle != nullptr; }

    // The next transfer is sent even while the device is not answering. The caller holds
    // the presenter lock, so that transfer is its own.
    void RetryOnce();
    // False after a transfer timed out, until the device answers again. Read it under the
    // presenter lock (every transfer to a listed device runs under it).
    bool IsAnswering() const { return !m_notAnswering; }
    // When the last transfer that timed out gave up: its caller has been free of it since.
    // Same lock rule as IsAnswering.
    std::chrono::steady_clock::time_point TimedOutAt() const { return m_timedOutAt; }
    // True once a transfer failed because the device did not answer (it timed out, or was
    // refused at once while the device was silent): what its caller shows is not the
    // device's. Stays set until cleared by whoever has it read again. Same lock rule.
    bool HasMissedTransfers() const { return m_missedTransfers; }
    void SetMissedTransfers(bool missed) { m_missedTransfers = missed; }

    // libusb state of the whole program. g_context is null before InitDevices, after
    // UnInitDevices and when libusb failed to start; g_devices is held only during
    // one enumeration. Both are touched under the presenter lock or before/after the
    // enumeration thread exists.
    static libusb_context *g_context;
    static libusb_device **g_devices;

    // --- transfer state: used only inside the transfers, under m_lock ---
    libusb_device_handle *m_handle = nullptr;  // open only during a transfer
    tagUSBDEVICE_DATA m_record;                // what the handle is opened from
    uint32_t m_driverDetached = 0;             // 1 after an open detached the kernel driver
    uint32_t m_usable = 0;                     // set by Bind; 0 = send nothing
    CKVLock m_lock;                            // serialises this object's transfers
    // Written only by the audio-volume writer (under the presenter lock): the device's
    // name from report 0x01 (NUL-terminated, at most 15 characters) and firmware version.
    char m_cachedDeviceName[16] = {};
    unsigned char m_buffer[1024] = {};         // byte 0 report id, 1..1023 payload
    uint32_t m_cachedFirmwareVersion = 0;
    bool m_interfaceClaimed = false;           // interface 9 claimed during a transfer
    bool m_notAnswering = false;               // a transfer timed out; see RetryOnce
    std::chrono::steady_clock::time_point m_timedOutAt{};   // when the last time-out ended
    bool m_retryArmed = false;                 // RetryOnce: the next transfer goes out
    bool m_missedTransfers = false;            // see HasMissedTransfers
};

// "bus 3 address 7": where a device sits, for the log.
QString UsbDevicePlace(libusb_device *device);

// Open the object's handle from `record` and take interface 9 from the kernel driver.
// Used inside the transfers; the caller holds the object's lock.
bool OpenDeviceHandle(LumivandrexDevice *device, const tagUSBDEVICE_DATA &record);
// Release interface 9, give it back to the kernel driver when we took it, close.
// Safe to call with no handle open. The caller holds the object's lock.
void CloseDeviceHandle(LumivandrexDevice *device);

// Read / write one HID report of `device`: report id plus `length` payload bytes
// (0..1023, the id byte not counted). True on success. A failed read leaves `buffer`
// exactly as it was; a short reply succeeds and the missing bytes read as zero.
// Callers hold the presenter lock; the device's own lock is taken inside.
bool HidGetReport(LumivandrexDevice *device, unsigned char id, unsigned char *buffer, int length);
bool HidSetReport(LumivandrexDevice *device, unsigned char id, const unsigned char *buffer, int length);
// HidGetReport that also tells how many payload bytes the device really sent (0 on
// failure), for callers to whom a short reply is not the same as zeros.
bool HidGetReportReceived(LumivandrexDevice *device, unsigned char id, unsigned char *buffer, int length,
                          int *received);

#endif // LUMIVANDREXDEVICE_H
