#include "device/lumivandrexpresenter.h"
#include "device/reportaccess.h"

#include <QMutexLocker>

#include <algorithm>
#include <chrono>
#include <cstring>

#include "device/cfirmwareflasher.h"
#include "device/devicetext.h"
#include "logging/lvlogger.h"

static_assert(LumivandrexPresenter::kNotifyMask == KVCAP_NOTIFY_MASK,
              "the presenter enables exactly the bits the records declare");

LumivandrexPresenter g_presenter;

namespace {

// Bit groups of the change word of report 8, in dispatch order. Groups overlap on
// purpose (bit 4, bit 5): a word hitting several groups makes each group's calls.
struct NotifyGroup
{
    quint64 bits;
    void (*call)(ILumivandrexNotify *, quint64 word);
};

constexpr quint64 kHdmiInfoAll = 0xFFFF;

const NotifyGroup kNotifyGroups[] = {
    {0x4010ULL, [](ILumivandrexNotify *l, quint64 w) { l->OnTimingStatusChanged(w); }},
    {0x1FF00000000ULL,
     [](ILumivandrexNotify *l, quint64 w) {
         l->OnInputStatusChanged(w);
         l->OnHDMIInfoStatusChanged(kHdmiInfoAll);
     }},
    {0x70ULL,
     [](ILumivandrexNotify *l, quint64 w) {
         l->OnInputStatusChanged(w);
         l->OnHDMIInfoStatusChanged(kHdmiInfoAll);
     }},
    {0x2FULL,
     [](ILumivandrexNotify *l, quint64 w) {
         l->OnInputSourceChanged(w);
         l->OnHDMIInfoStatusChanged(kHdmiInfoAll);
     }},
    {0x00FF000000000000ULL, [](ILumivandrexNotify *l, quint64 w) { l->OnAudioVolumeChanged(w); }},
    {0x18000ULL, [](ILumivandrexNotify *l, quint64 w) { l->OnLoopThroughChanged(w); }},
    {0x20000ULL, [](ILumivandrexNotify *l, quint64) { l->OnConnectionFormatChanged(); }},
};

constexpr int kStoredHeaderReadBytes = 157;   // fixed part of the stored firmware header
constexpr int kPollLockWaitMs = 20;           // longest the GUI thread waits in a tick
constexpr int kPollRetryGapMaxTicks = 15;     // a silent device is tried at least every ~8 s
constexpr int kTickEarlyMs = LumivandrexPresenter::kNotifyIntervalMs / 20;   // a coarse timer may fire 5 % early

// A device may send a text field without its terminating NUL; everyone downstream
// treats these as C strings, so the copy in the instance is always terminated.
template <size_t N>
void TerminateField(char (&field)[N])
{
    field[N - 1] = '\0';
}

// Matches the records of one libusb device: its identity from one enumeration to the next.
auto SameDevice(libusb_device *device)
{
    return [device](const tagUSBDEVICE_DATA &record) { return record.device == device; };
}

} // namespace

LumivandrexPresenter::LumivandrexPresenter() = default;

LumivandrexPresenter::~LumivandrexPresenter()
{
    // Exit() normally ran already; a thread still running here would outlive us, and
    // the device objects still listed are ours to delete.
    StopEnumThread();
    for (tagDEVICE_INSTANCE &instance : m_instances)
        delete instance.device;
}

// ---------------------------------------------------------------------------------
// Start and stop

bool LumivandrexPresenter::Init()
{
    StopEnumThread();
    m_currentIndex = -1;

    LumivandrexDevice::InitDevices();
    LV_LOG_INFO("ready to enum devices.");

    QVector<tagUSBDEVICE_DATA> records;
    const bool enumerated = LumivandrexDevice::EnumDevices(records);
    if (enumerated)
        LV_LOG_INFO("enumed " << records.size() << " divices.");
    else
        LV_LOG_ERROR("device enumeration failed; the enumeration thread keeps looking.");
    // Built before the lock is taken: a device that does not answer costs its own
    // transfer time-outs, never a wait of somebody holding the lock.
    const QVector<tagDEVICE_INSTANCE> built = BuildInstances(records);
    {
        QMutexLocker locker(&m_lock.m_mutex);
        for (tagDEVICE_INSTANCE &instance : m_instances)
            delete instance.device;
        m_instances = built;
        PublishInstanceCount();
    }

    m_notifyMask = kNotifyMask;
    // Started even after a failed first enumeration: otherwise a device plugged in
    // later would never be found.
    m_running = true;
    m_enumThread.reset(new std::thread(&LumivandrexPresenter::EnumThreadBody, this));

    return GetDeviceCount() > 0;
}

void LumivandrexPresenter::Exit()
{
    StopEnumThread();
    if (m_timerCtrl)
        m_timerCtrl->stopNotifyTimer();
    {
        QMutexLocker locker(&m_lock.m_mutex);
        for (tagDEVICE_INSTANCE &instance : m_instances)
            delete instance.device;
        m_instances.clear();
        m_currentIndex = -1;
        PublishInstanceCount();
    }
    m_unreadable.clear();   // the thread is gone; its records must not keep libusb alive
    LumivandrexDevice::UnInitDevices();
}

void LumivandrexPresenter::CloseNotifyEventAndEnumEvent()
{
    StopEnumThread();
    if (m_timerCtrl)
        m_timerCtrl->stopNotifyTimer();
}

void LumivandrexPresenter::SetNotifyTimerCtrl(INotifyTimerCtrl *ctrl)
{
    m_timerCtrl = ctrl;
}

void LumivandrexPresenter::SetTimingForTest(int enumSleepMs, int busyTimeoutMs)
{
    m_enumSleepMs = enumSleepMs;
    m_busyTimeoutMs = busyTimeoutMs;
}

void LumivandrexPresenter::StopEnumThread()
{
    if (!m_enumThread)
        return;
    {
        std::lock_guard<std::mutex> guard(m_sleepMutex);
        m_running = false;
    }
    m_sleepWake.notify_all();
    m_enumThread->join();
    m_enumThread.reset();
}

// ---------------------------------------------------------------------------------
// Device list and current device

void LumivandrexPresenter::PublishInstanceCount()
{
    m_instanceCount = m_instances.size();
}

int LumivandrexPresenter::GetDeviceCount() const
{
    // Kept in an atomic so title bar code can ask without waiting for the lock,
    // which a flashing may hold for minutes.
    return m_instanceCount.load();
}

int LumivandrexPresenter::GetCurrentIndex() const
{
    return m_currentIndex.load();
}

void LumivandrexPresenter::SetCurrentIndex(int index, bool restart)
{
    QMutexLocker locker(&m_lock.m_mutex);
    if (index < 0 || index >= m_instances.size()) {
        m_currentIndex = -1;
        return;
    }
    m_currentIndex = index;
    if (!restart)
        return;

    if (m_timerCtrl)
        m_timerCtrl->stopNotifyTimer();
    m_pollState = PollRunning;
    m_pollRetryWait = 1;
    m_pollRetryGap = 0;
    LumivandrexDevice *device = GetCurrentDevice();
    if (!device)
        return;
    // A selection tries the device even when it is known to be silent: choosing it again
    // is the user's way of asking for it. The pages load after it, so what went missing
    // before is theirs to read now.
    device->SetMissedTransfers(false);
    device->RetryOnce();
    EnableNotifications(device);
    // Started for a device that refused report 7 too: its ticks read nothing while it
    // answers; while it is silent they try it as any silent device and tell when it answers.
    if (m_timerCtrl)
        m_timerCtrl->startNotifyTimer(kNotifyIntervalMs, this);
}

// Writes report 7 and sets the poll state from the outcome. A device that does not answer
// is not refusing: the poll tries it like any silent device and writes report 7 again.
void LumivandrexPresenter::EnableNotifications(LumivandrexDevice *device)
{
    _KVCAP_NOTIFY_ENABLE enable;
    enable.zero = 0;
    enable.enableMask = m_notifyMask;
    if (WriteReport(device, enable)) {
        m_pollState = PollRunning;
    } else if (device->IsAnswering()) {
        m_pollState = PollRefused;
        LV_LOG_ERROR("the device did not take the notification enable report; no change notifications.");
    } else {
        m_pollState = PollEnablePending;
    }
}

LumivandrexDevice *LumivandrexPresenter::GetCurrentDevice()
{
    QMutexLocker locker(&m_lock.m_mutex);
    const int index = m_currentIndex.load();
    if (index < 0 || index >= m_instances.size())
        return nullptr;
    return m_instances[index].device;
}

tagDEVICE_INSTANCE *LumivandrexPresenter::GetCurrentInstance()
{
    QMutexLocker locker(&m_lock.m_mutex);
    const int index = m_currentIndex.load();
    if (index < 0 || index >= m_instances.size())
        return nullptr;
    return &m_instances[index];
}

tagDEVICE_INSTANCE *LumivandrexPresenter::GetDeviceInstance(int index)
{
    QMutexLocker locker(&m_lock.m_mutex);
    if (index < 0 || index >= m_instances.size())
        return nullptr;
    return &m_instances[index];
}

LockedInstance::LockedInstance(LumivandrexPresenter &presenter)
    : m_locker(&presenter.GetLock()->m_mutex), m_instance(presenter.GetCurrentInstance())
{
}

LockedInstance::LockedInstance(LumivandrexPresenter &presenter, int index)
    : m_locker(&presenter.GetLock()->m_mutex), m_instance(presenter.GetDeviceInstance(index))
{
}

bool LumivandrexPresenter::IsDeviceListed(const tagDEVICE_INSTANCE &instance) const
{
    for (const tagDEVICE_INSTANCE &listed : m_instances) {
        if (listed.device == instance.device && listed.usbData.device == instance.usbData.device)
            return true;
    }
    return false;
}

bool LumivandrexPresenter::BuildInstance(const tagUSBDEVICE_DATA &record, tagDEVICE_INSTANCE &instance)
{
    instance = tagDEVICE_INSTANCE();
    if (!record.device)
        return false;
    LumivandrexDevice *device = new LumivandrexDevice;
    device->Bind(record);

    bool ok = ReadReport(device, instance.deviceInfo) && ReadReport(device, instance.flashInfo);
    _KV_FIRMWARE_HEADER stored;
    std::memset(&stored, 0, sizeof(stored));
    if (ok) {
        ok = CFirmwareFlasher::ReadFlash(device, instance.flashInfo.headerBase, reinterpret_cast<unsigned char *>(&stored),
                       kStoredHeaderReadBytes);
    }
    if (!ok) {
        delete device;
        instance = tagDEVICE_INSTANCE();
        return false;
    }

    TerminateField(instance.deviceInfo.familyName);
    TerminateField(instance.deviceInfo.productName);
    TerminateField(instance.deviceInfo.serialNumber);

    // The stored header describes the running firmware only when its version
    // matches; otherwise its layout says nothing about what is in the flash.
    const quint32 running = instance.deviceInfo.firmwareVersion;
    const quint32 stored_version = stored.version;
    const bool sameMajor = ((running >> 24) & 0xFF) == ((stored_version >> 16) & 0xFF);
    const bool sameMinor = ((running >> 16) & 0xFF) == (stored_version & 0xFF);
    instance.firmwareLayout = (sameMajor && sameMinor) ? stored.layout : 0;

    instance.usbData = record;
    instance.device = device;
    return true;
}

// ---------------------------------------------------------------------------------
// Enumeration thread

bool LumivandrexPresenter::SleepUnlessStopped(int ms)
{
    std::unique_lock<std::mutex> guard(m_sleepMutex);
    m_sleepWake.wait_for(guard, std::chrono::milliseconds(ms), [this] { return !m_running.load(); });
    return m_running.load();
}

void LumivandrexPresenter::EnumThreadBody()
{
    // A cycle that enumerated sleeps again afterwards (400 ms in all); a failed one
    // only slept before it, so it is retried after 200 ms.
    while (m_running.load()) {
        if (!SleepUnlessStopped(m_enumSleepMs.load()))
            return;
        if (RunEnumerationCycle() && !SleepUnlessStopped(m_enumSleepMs.load()))
            return;
    }
}

QVector<tagDEVICE_INSTANCE> LumivandrexPresenter::BuildInstances(const QVector<tagUSBDEVICE_DATA> &records)
{
    // Forget devices that went away: one plugged again is a new device and is told again.
    m_unreadable.erase(std::remove_if(m_unreadable.begin(), m_unreadable.end(),
                                      [&](const tagUSBDEVICE_DATA &left) {
                                          return std::none_of(records.cbegin(), records.cend(), SameDevice(left.device));
                                      }),
                       m_unreadable.end());
    QVector<tagDEVICE_INSTANCE> built;
    for (const tagUSBDEVICE_DATA &record : records) {
        tagDEVICE_INSTANCE instance;
        if (m_enumThread && !m_running.load())
            break;   // closing: do not keep Exit waiting for more devices
        if (!BuildInstance(record, instance)) {
            NoteUnreadable(record);
            continue;
        }
        built.append(instance);
        // Every arrival is told, so a device missing from the list is never a silent one.
        LV_LOG_INFO("device found at " << UsbDevicePlace(record.device) << ": "
                                       << DeviceText(instance.deviceInfo.productName) << " ("
                                       << DeviceText(instance.deviceInfo.serialNumber) << ")");
        m_unreadable.erase(std::remove_if(m_unreadable.begin(), m_unreadable.end(), SameDevice(record.device)),
                           m_unreadable.end());
    }
    return built;
}

void LumivandrexPresenter::NoteUnreadable(const tagUSBDEVICE_DATA &record)
{
    if (std::any_of(m_unreadable.cbegin(), m_unreadable.cend(), SameDevice(record.device)))
        return;   // told already
    m_unreadable.append(record);
    LV_LOG_WARNING("the device at " << UsbDevicePlace(record.device)
                                    << " opens but its identity (report 0x01, 0xF0 or the stored firmware header)"
                                       " could not be read: not listed yet, tried again on every enumeration");
}

bool LumivandrexPresenter::RunEnumerationCycle()
{
    // Enumerate under the lock (libusb's device list is shared with the transfers), but
    // read the newcomers' reports outside it: a device that never answers would
    // otherwise hold every page and the poll for its transfer time-outs. Only this
    // thread changes the list while it runs, so what it saw stays true until the merge.
    QVector<tagUSBDEVICE_DATA> fresh;
    QVector<tagUSBDEVICE_DATA> newcomers;
    {
        QMutexLocker locker(&m_lock.m_mutex);
        if (!LumivandrexDevice::EnumDevices(fresh))
            return false;   // the list stays as it is; try again after one sleep
        for (const tagUSBDEVICE_DATA &record : qAsConst(fresh)) {
            const bool listed = std::any_of(m_instances.cbegin(), m_instances.cend(),
                                            [&](const tagDEVICE_INSTANCE &i) { return i.usbData.device == record.device; });
            if (!listed)
                newcomers.append(record);
        }
    }
    const QVector<tagDEVICE_INSTANCE> built = BuildInstances(newcomers);   // failures retried next cycle

    bool lost = false;
    bool lostArgument = false;
    bool changed = false;
    bool removed = false;
    QString name;
    {
        QMutexLocker locker(&m_lock.m_mutex);
        QVector<tagDEVICE_INSTANCE> next;
        next.reserve(m_instances.size() + built.size());

        for (int i = 0; i < m_instances.size(); ++i) {
            tagDEVICE_INSTANCE &instance = m_instances[i];
            const bool matches = std::any_of(fresh.cbegin(), fresh.cend(), [&](const tagUSBDEVICE_DATA &r) {
                return r.device == instance.usbData.device;
            });
            if (matches) {
                if (i == m_currentIndex.load())
                    m_currentIndex = next.size();
                next.append(instance);
                continue;
            }
            if (i == m_currentIndex.load()) {
                m_currentIndex = -1;
                lost = true;
                lostArgument = m_uiChanged.load();
            } else {
                name = DeviceText(instance.deviceInfo.productName);
                changed = true;
                removed = true;
            }
            // The destructor re-attaches a detached kernel driver and closes a handle
            // left open, so a vanished device leaves nothing behind.
            delete instance.device;
            instance.device = nullptr;
        }

        for (const tagDEVICE_INSTANCE &instance : built) {
            next.append(instance);
            if (m_currentIndex.load() == -1) {
                lost = true;
                lostArgument = m_uiChanged.load();
            } else {
                name = DeviceText(instance.deviceInfo.productName);
                changed = true;
                removed = false;
            }
        }
        m_instances = next;
        PublishInstanceCount();
    }

    if (!lost && !changed)
        return true;
    // Outside the presenter lock: listeners only post a signal to the GUI thread.
    ForEachListener([&](ILumivandrexNotify *listener) {
        if (lost)
            listener->OnCurrentDeviceLost(lostArgument);
        else
            listener->OnOtherDeviceChanged(removed, name);
    });
    return true;
}

// ---------------------------------------------------------------------------------
// Pending changes, listeners and dialogs

void LumivandrexPresenter::SetUIChanged(bool changed, _UI_CHANGE_TYPE type)
{
    m_uiChanged = changed;
    const _UI_CHANGE_TYPE stored = m_uiChangeType.load();
    if (stored == UI_CHANGE_IMMEDIATE || (type == UI_CHANGE_REBOOT && stored == UI_CHANGE_RECONNECT))
        m_uiChangeType = type;
    ForEachListener([changed](ILumivandrexNotify *listener) { listener->OnUIChanged(changed); });
}

// Walks the listeners under the registry guard, by index and re-reading the count
// after every call: a listener's work on the GUI thread may open or close a dialog,
// which registers or removes a listener inside this walk. DeleteNotify moves the
// cursor back when it removes an entry at or before it, so nobody is skipped or
// called twice; an entry appended meanwhile is reached.
template <typename Call>
void LumivandrexPresenter::ForEachListener(Call call)
{
    std::lock_guard<std::recursive_mutex> guard(m_registryGuard);
    int position = 0;
    m_walkCursors.append(&position);
    for (; position < m_listeners.size(); ++position) {
        if (ILumivandrexNotify *listener = m_listeners[position])
            call(listener);
    }
    m_walkCursors.removeOne(&position);
}

void LumivandrexPresenter::AddNotify(ILumivandrexNotify *listener)
{
    std::lock_guard<std::recursive_mutex> guard(m_registryGuard);
    m_listeners.append(listener);
}

void LumivandrexPresenter::DeleteNotify(ILumivandrexNotify *listener)
{
    std::lock_guard<std::recursive_mutex> guard(m_registryGuard);
    const int index = m_listeners.indexOf(listener);
    if (index < 0)
        return;
    m_listeners.remove(index);
    for (int *cursor : qAsConst(m_walkCursors)) {
        if (index <= *cursor)
            --*cursor;
    }
}

static bool IsModalDialogClass(const QObject *object)
{
    return object && (object->inherits("QWrapperMsgBox") || object->inherits("QCustomDialog"));
}

void LumivandrexPresenter::AddDialog(QObject *dialog)
{
    if (!IsModalDialogClass(dialog))
        return;
    std::lock_guard<std::recursive_mutex> guard(m_registryGuard);
    m_dialogs.append(QPointer<QObject>(dialog));
}

void LumivandrexPresenter::DeleteDialog(QObject *dialog)
{
    std::lock_guard<std::recursive_mutex> guard(m_registryGuard);
    for (int i = 0; i < m_dialogs.size(); ++i) {
        if (m_dialogs[i].data() == dialog) {
            m_dialogs.remove(i);
            return;
        }
    }
}

bool LumivandrexPresenter::IsModalState() const
{
    std::lock_guard<std::recursive_mutex> guard(m_registryGuard);
    // QPointer turns null when a dialog is destroyed without unregistering, so a
    // forgotten DeleteDialog cannot leave a dangling pointer behind.
    for (const QPointer<QObject> &dialog : m_dialogs) {
        if (IsModalDialogClass(dialog.data()))
            return true;
    }
    return false;
}

// ---------------------------------------------------------------------------------
// Notification poll

// Each try of a silent device blocks the window for a whole time-out. The first tick after a
// time-out is when the window is free again (the timer fires a tick that fell due meanwhile
// at once, or later when the GUI thread stays busy), so it only marks that time; so does a
// tick that comes late, after other work kept the window busy. A try waits until the window
// has been free since for its wait in intervals (a tick may come a little early).
bool LumivandrexPresenter::IsRetryDue(const LumivandrexDevice *device, bool late)
{
    if (device->IsAnswering())
        return true;
    const auto now = std::chrono::steady_clock::now();
    if (late || m_windowFreeSince < device->TimedOutAt()) {
        m_windowFreeSince = now;
        return false;
    }
    return now - m_windowFreeSince >= std::chrono::milliseconds(m_pollRetryWait * kNotifyIntervalMs - kTickEarlyMs);
}

// One poll of the current device: report 7 first while its selection could not send it,
// then report 8. True when the device answers after transfers of others to it went
// unanswered (its selection's report 7, a page's reads): the listeners read it again, and
// the mark is cleared. The poll's own misses never set it, so a silence that cost nobody a
// read costs no reload. After a time-out every transfer to the device fails at once; this
// is where it is tried again, and where an answer ends that for all. A device that refused
// report 7 has no change bits to read: while it answers a tick sends nothing, and while it
// is silent a try only asks whether it answers at all.
bool LumivandrexPresenter::PollDevice(LumivandrexDevice *device, quint64 *word)
{
    const bool missed = device->HasMissedTransfers();
    if (m_pollState == PollRefused && device->IsAnswering()) {
        device->SetMissedTransfers(false);
        return missed;
    }
    device->RetryOnce();
    if (m_pollState == PollEnablePending) {
        EnableNotifications(device);
        if (m_pollState == PollRunning)
            LV_LOG_INFO("the current device answers now: change notifications enabled.");
    }
    _KVCAP_NOTIFY_STATUS status;
    if (m_pollState == PollRunning) {   // report 7 is in place
        if (ReadReport(device, status))
            *word = status.changeBits;
    } else if (m_pollState == PollRefused && !device->IsAnswering()) {
        ReadReport(device, status);   // its bits mean nothing; a stall is an answer too
    }
    // The waits grow 1, 2, 4, 8 and at most 16 intervals: the window stays usable between.
    const bool answering = device->IsAnswering();
    if (answering) {
        m_pollRetryWait = 1;
        m_pollRetryGap = 0;
    } else {
        m_pollRetryWait = m_pollRetryGap + 1;
        m_pollRetryGap = std::min(2 * m_pollRetryGap + 1, kPollRetryGapMaxTicks);
    }
    device->SetMissedTransfers(missed && !answering);
    return missed && answering;
}

void LumivandrexPresenter::OnTimeout()
{
    // A tick well past its time means the GUI thread was busy until now.
    const auto now = std::chrono::steady_clock::now();
    const bool late = now - m_lastTickEnd > std::chrono::milliseconds(kNotifyIntervalMs * 3 / 2);
    m_lastTickEnd = now;
    if (IsFirmwareUpgrading())
        return;
    // A flashing sets its flag just before it takes the lock; never let the GUI
    // thread wait behind it (or behind a long enumeration): skip this tick instead.
    if (!m_lock.m_mutex.tryLock(kPollLockWaitMs))
        return;
    quint64 word = 0;
    bool found = false;
    LumivandrexDevice *device = GetCurrentDevice();
    if (device && IsRetryDue(device, late))
        found = PollDevice(device, &word);
    m_lock.m_mutex.unlock();
    m_lastTickEnd = std::chrono::steady_clock::now();

    if (found)
        ForEachListener([](ILumivandrexNotify *listener) { listener->OnCurrentDeviceAnswering(); });
    for (const NotifyGroup &group : kNotifyGroups) {
        if (!(word & group.bits))
            continue;
        ForEachListener([&](ILumivandrexNotify *listener) { group.call(listener, word); });
    }
}

// ---------------------------------------------------------------------------------
// Firmware flashing (runs on the flashing thread)

bool LumivandrexPresenter::IsMatchedSection(bool full, const _KV_FIRMWARE_SECTION_HEADER *section)
{
    return CFirmwareFlasher::IsMatchedSection(full, section);
}

bool LumivandrexPresenter::IsCLRSection(const char *name)
{
    return CFirmwareFlasher::IsCLRSection(name);
}

bool LumivandrexPresenter::Upgrade(tagDEVICE_INSTANCE instance, const _KV_FIRMWARE_HEADER *header,
                                   unsigned char *const *sectionData, int *status, int *percent, bool full)
{
    // The flag goes up before we wait for the lock, so the poll stops at once.
    ++m_firmwareUpgrading;
    int finalStatus = KV_UPGRADE_ERASE_FAILED;
    {
        QMutexLocker locker(&m_lock.m_mutex);
        // The copy may describe a device that was unplugged (and its object deleted)
        // while we waited for the lock: touch it only if it is still listed.
        if (!instance.device || !IsDeviceListed(instance)) {
            LV_LOG_ERROR("firmware flashing refused: the device is no longer attached.");
        } else {
            const CFirmwareFlasher::Timing timing{kBusyPollMs, m_busyTimeoutMs.load(), kUpgradeAttempts};
            CFirmwareFlasher flasher(instance.device, instance.flashInfo, header, sectionData, full, status,
                                     percent, timing);
            finalStatus = flasher.Run();
        }
    }
    --m_firmwareUpgrading;
    LV_LOG_INFO("firmware flashing ended with status " << finalStatus);
    // Last of all: on seeing a final status the reader may free the header and the
    // section data.
    if (status)
        __atomic_store_n(status, finalStatus, __ATOMIC_RELEASE);
    return finalStatus == KV_UPGRADE_SUCCESS;
}
