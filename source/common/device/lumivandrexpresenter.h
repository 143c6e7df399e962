#ifndef LUMIVANDREXPRESENTER_H
#define LUMIVANDREXPRESENTER_H

#include <QMutex>
#include <QMutexLocker>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVector>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "device/ckvlock.h"
#include "device/ilumivandrexnotify.h"
#include "device/kvcaprecords.h"
#include "device/kvfirmwareheader.h"
#include "device/lumivandrexdevice.h"

// Kind of pending change: when a setting written to the device takes effect.
typedef quint32 _UI_CHANGE_TYPE;
enum : _UI_CHANGE_TYPE {
    UI_CHANGE_IMMEDIATE = 0,   // at once
    UI_CHANGE_RECONNECT = 1,   // after the device is reconnected
    UI_CHANGE_REBOOT = 2       // after reconnecting and restarting the computer
};

// The presenter's record of one attached device, copied by value (title bar,
// flashing thread). Every field starts zeroed: build it with
// `tagDEVICE_INSTANCE instance;` (never memset: usbData holds a libusb reference).
// Pointers taken from the presenter are valid only while the presenter lock is held.
struct tagDEVICE_INSTANCE
{
    unsigned char reserved[2080] = {};    // always zero
    _KVCAP_DEVICE_INFO deviceInfo = {};   // report 0x01 as read at attach time
    _KVCAP_FLASH_INFO flashInfo = {};     // report 0xF0 as read at attach time
    quint16 firmwareLayout = 0;           // layout word of the flash header, 0 if stale
    tagUSBDEVICE_DATA usbData;            // identity across enumerations (usbData.device)
    LumivandrexDevice *device = nullptr;  // owned by the presenter while listed
    quint8 replugPending = 0;             // set by the Info page after a flashing
};

// Owner of all device state: the attached devices, the current device, the
// program-wide device lock, the pending-change state, the listener and dialog
// registries, the enumeration thread and the firmware flashing.
//
// Usage from pages and dialogs (GUI thread):
//     QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
//     if (LumivandrexDevice *dev = g_presenter.GetCurrentDevice())
//         ReadReport(dev, record);                      // device/reportaccess.h
// Release the lock before showing any message box. The enumeration thread reads a
// newly found device before listing it, without the lock, so a device that hangs
// never makes the lock wait for its transfers. Once a transfer to a listed device has
// timed out, its transfers fail at once (pages show their empty values) until the poll or
// a new selection finds it answering again; the tick that finds it tells the listeners
// (OnCurrentDeviceAnswering), which read again what they missed.
//
// Locks, in the order they may be taken:
//   1. presenter lock (GetLock)            - guards the instance list and device use
//   2. registry guard (internal, recursive) - guards the listener/dialog lists
//   3. a device object's own lock          - taken inside each transfer
// Listeners called from the enumeration thread run under the registry guard only
// (never the presenter lock); they must not take the presenter lock there.
class LumivandrexPresenter final : public INotifyTimerCallback
{
public:
    // Intervals of the program; tests shorten some through SetTimingForTest.
    static constexpr int kNotifyIntervalMs = 400;
    static constexpr int kEnumSleepMs = 200;      // slept twice per successful cycle
    static constexpr int kBusyPollMs = 1;
    static constexpr int kBusyTimeoutMs = 5000;   // per erase/program operation
    static constexpr int kUpgradeAttempts = 3;
    static constexpr quint64 kNotifyMask = 0x00FF01FF0003C07FULL;

    LumivandrexPresenter();
    ~LumivandrexPresenter();

    LumivandrexPresenter(const LumivandrexPresenter &) = delete;
    LumivandrexPresenter &operator=(const LumivandrexPresenter &) = delete;

    // Start libusb, enumerate, build the instances, start the enumeration thread.
    // True when at least one device is listed.
    bool Init();
    // Stop the thread and the notification timer, delete every device, leave libusb.
    // Call without holding the presenter lock.
    void Exit();
    // Stop the enumeration thread and the notification timer (window closing).
    void CloseNotifyEventAndEnumEvent();
    void SetNotifyTimerCtrl(INotifyTimerCtrl *ctrl);

    int GetDeviceCount() const;
    int GetCurrentIndex() const;
    // Select a device; with restart, write the notification enable report 7 and
    // (re)start the 400 ms poll. A device that refuses report 7 gets no poll of report 8
    // (while it is silent the ticks still try whether it answers); one that does not answer
    // it is polled like any silent device, report 7 first. Whenever transfers to the
    // current device went unanswered (from its selection on), the listeners hear
    // OnCurrentDeviceAnswering on the tick that finds it answering. An index out of range
    // means "no device".
    void SetCurrentIndex(int index, bool restart);
    LumivandrexDevice *GetCurrentDevice();
    // Raw pointers into the list: valid only while the caller holds the presenter lock
    // (the enumeration thread replaces the list under it). Prefer LockedInstance below.
    tagDEVICE_INSTANCE *GetCurrentInstance();
    tagDEVICE_INSTANCE *GetDeviceInstance(int index);
    CKVLock *GetLock() { return &m_lock; }

    // Pending changes: the stored type only rises; SetUIChangeType resets it.
    void SetUIChanged(bool changed, _UI_CHANGE_TYPE type);
    bool IsUIChanged() const { return m_uiChanged.load(); }
    _UI_CHANGE_TYPE GetUIChangeType() const { return m_uiChangeType.load(); }
    void SetUIChangeType(_UI_CHANGE_TYPE type) { m_uiChangeType.store(type); }

    // Listener registry. Safe from any thread, and from inside a notification.
    void AddNotify(ILumivandrexNotify *listener);
    void DeleteNotify(ILumivandrexNotify *listener);

    // Open-dialog registry: only a QWrapperMsgBox or QCustomDialog (or a subclass)
    // is kept; it is recognised by class name, as those classes live above us.
    void AddDialog(QObject *dialog);
    void DeleteDialog(QObject *dialog);
    bool IsModalState() const;

    void SetInFocus(bool inFocus) { m_inFocus = inFocus; }
    bool IsInFocus() const { return m_inFocus; }
    void SetUpgradeExec(bool running) { m_upgradeExec = running; }
    bool IsUpgradeExec() const { return m_upgradeExec; }
    bool IsFirmwareUpgrading() const { return m_firmwareUpgrading.load() > 0; }

    // Flash a checked firmware image into the device of `instance` (runs on the
    // flashing thread, holds the presenter lock throughout). `status` and `percent`
    // are written atomically; a final status (3, 5, 7, 8) is written last, after
    // which the caller may free the header and section data.
    bool Upgrade(tagDEVICE_INSTANCE instance, const _KV_FIRMWARE_HEADER *header,
                 unsigned char *const *sectionData, int *status, int *percent, bool full);
    static bool IsMatchedSection(bool full, const _KV_FIRMWARE_SECTION_HEADER *section);
    static bool IsCLRSection(const char *name);

    // The notification poll, called by the timer control every 400 ms. A silent current
    // device is tried only after the window has been free of it for a poll interval (the
    // first tick after a time-out, however late, only starts that interval), then less and
    // less often; a late tick (the window was busy) starts that interval anew. For a device
    // that refused report 7 a tick reads nothing while it answers; while it is silent its
    // tries are those of any silent device, and the listeners hear once it answers.
    void OnTimeout() override;

    // Tests only: shorten the enumeration sleep and the bound of one busy wait.
    void SetTimingForTest(int enumSleepMs, int busyTimeoutMs);

private:
    // Tests and benchmarks drive single enumeration cycles through this probe.
    friend class LumivandrexPresenterProbe;

    // Reads a new device's identity; called without the presenter lock (the device
    // object is not listed yet, so nobody else can reach it).
    bool BuildInstance(const tagUSBDEVICE_DATA &record, tagDEVICE_INSTANCE &instance);
    // Builds what it can; a device left out is told once and tried again by the next cycle.
    QVector<tagDEVICE_INSTANCE> BuildInstances(const QVector<tagUSBDEVICE_DATA> &records);
    void NoteUnreadable(const tagUSBDEVICE_DATA &record);
    void EnumThreadBody();
    // One enumeration and list rebuild; false when the enumeration failed.
    bool RunEnumerationCycle();
    bool SleepUnlessStopped(int ms);
    void StopEnumThread();
    bool IsDeviceListed(const tagDEVICE_INSTANCE &instance) const;
    // Poll helpers; presenter lock held.
    void EnableNotifications(LumivandrexDevice *device);
    bool IsRetryDue(const LumivandrexDevice *device, bool late);
    bool PollDevice(LumivandrexDevice *device, quint64 *word);
    void PublishInstanceCount();

    template <typename Call>
    void ForEachListener(Call call);

    // Devices found but left out because they could not be read, each told once; dropped
    // when listed or gone. Records hold a libusb reference, so an address is never reused
    // for another device. Init (before the thread exists) and the enumeration thread only.
    QVector<tagUSBDEVICE_DATA> m_unreadable;

    // Written by the GUI thread (Init/SetCurrentIndex) and the enumeration thread,
    // always under m_lock; read without it by GetCurrentIndex.
    std::atomic<int> m_currentIndex{-1};
    // Guarded by m_lock.
    QVector<tagDEVICE_INSTANCE> m_instances;
    std::atomic<int> m_instanceCount{0};   // mirror of m_instances.size()

    // Guarded by m_registryGuard (recursive, lock order 2). A standard mutex rather
    // than QMutex so that ThreadSanitizer sees its synchronisation.
    mutable std::recursive_mutex m_registryGuard;
    QVector<ILumivandrexNotify *> m_listeners;
    QVector<int *> m_walkCursors;          // positions of fan-outs in progress
    QVector<QPointer<QObject>> m_dialogs;

    quint64 m_notifyMask = 0;                           // set by Init
    std::atomic<bool> m_uiChanged{false};                // GUI writes, enum thread reads
    std::atomic<int> m_firmwareUpgrading{0};             // Upgrade calls running (flashing thread)
    std::atomic<_UI_CHANGE_TYPE> m_uiChangeType{UI_CHANGE_IMMEDIATE};
    bool m_inFocus = false;                              // GUI thread only
    bool m_upgradeExec = false;                          // GUI thread only
    // What the poll does with the current device. GUI thread only; set by SetCurrentIndex.
    enum PollState {
        PollRunning,         // read report 8 on every tick
        PollEnablePending,   // the device was silent at its selection: report 7 comes first
        PollRefused          // the device refused report 7: only tried while silent, see PollDevice
    };
    PollState m_pollState = PollRunning;
    // A silent current device is tried by the poll less and less often: the poll
    // intervals the window must have been free of it before the next try (1 after a
    // time-out, then 1, 2, 4, 8 and at most 16 after failed tries), and that wait less
    // one after the next failed try. GUI thread only.
    int m_pollRetryWait = 1;
    int m_pollRetryGap = 0;
    // The first tick after the current device's last time-out: since then the window has
    // been free of it. GUI thread only.
    std::chrono::steady_clock::time_point m_windowFreeSince{};
    // When the last tick ended: a tick long after it found the window busy. GUI thread only.
    std::chrono::steady_clock::time_point m_lastTickEnd{};

    CKVLock m_lock;                                      // the presenter lock, order 1

    // Enumeration thread; created and joined on the GUI thread.
    std::unique_ptr<std::thread> m_enumThread;
    std::atomic<bool> m_running{false};
    std::mutex m_sleepMutex;                             // only for m_sleepWake
    std::condition_variable m_sleepWake;

    INotifyTimerCtrl *m_timerCtrl = nullptr;             // GUI thread only

    std::atomic<int> m_enumSleepMs{kEnumSleepMs};
    std::atomic<int> m_busyTimeoutMs{kBusyTimeoutMs};
};

extern LumivandrexPresenter g_presenter;

// Holds the presenter lock for as long as it lives and hands out the current device's
// instance (or the one at an index), so the pointer cannot outlive the lock:
//     LockedInstance current(g_presenter);
//     if (current) show(current->deviceInfo);
// Null when there is no such device. Same rules as holding the lock by hand: keep it
// short and show no message box while it lives.
class LockedInstance
{
public:
    explicit LockedInstance(LumivandrexPresenter &presenter);
    LockedInstance(LumivandrexPresenter &presenter, int index);
    LockedInstance(const LockedInstance &) = delete;
    LockedInstance &operator=(const LockedInstance &) = delete;

    tagDEVICE_INSTANCE *get() const { return m_instance; }
    tagDEVICE_INSTANCE *operator->() const { return m_instance; }
    explicit operator bool() const { return m_instance != nullptr; }
    LumivandrexDevice *device() const { return m_instance ? m_instance->device : nullptr; }

private:
    QMutexLocker m_locker;
    tagDEVICE_INSTANCE *m_instance;
};

#endif // LUMIVANDREXPRESENTER_H
