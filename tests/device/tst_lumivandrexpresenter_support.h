#pragma once
// Helpers shared by the presenter suites: a thread-safe recording listener, a fake
// notification timer owner and a firmware image builder.

#include <QElapsedTimer>
#include <QMutex>
#include <QStringList>
#include <QThread>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "device/ilumivandrexnotify.h"
#include "device/kvfirmwareheader.h"
#include "device/lumivandrexpresenter.h"
#include "emulatedbus.h"

namespace prestest {

inline QString hex(quint64 value)
{
    return QStringLiteral("0x") + QString::number(value, 16);
}

// Records every call as "name:Operation(args)". Slots 0 and 1 arrive on the
// enumeration thread, so the log is guarded.
class Recorder : public ILumivandrexNotify
{
public:
    explicit Recorder(QString name) : m_name(std::move(name)) {}

    void OnCurrentDeviceLost(bool uiChanged) override { add(QString("Lost(%1)").arg(uiChanged)); }
    void OnOtherDeviceChanged(bool removed, QString modelName) override
    {
        add(QString("Other(%1,%2)").arg(removed).arg(modelName));
    }
    void OnUIChanged(bool changed) override { add(QString("UI(%1)").arg(changed)); }
    void OnInputStatusChanged(quint64 w) override { add("Input(" + hex(w) + ")"); }
    void OnConnectionFormatChanged() override { add("Format()"); }
    void OnTimingStatusChanged(quint64 w) override { add("Timing(" + hex(w) + ")"); }
    void OnHDMIInfoStatusChanged(quint64 w) override { add("Hdmi(" + hex(w) + ")"); }
    void OnInputSourceChanged(quint64 w) override { add("Source(" + hex(w) + ")"); }
    void OnAudioVolumeChanged(quint64 w) override { add("Volume(" + hex(w) + ")"); }
    void OnLoopThroughChanged(quint64 w) override { add("Loop(" + hex(w) + ")"); }

    QStringList calls() const
    {
        QMutexLocker locker(&m_mutex);
        return m_calls;
    }
    int count() const
    {
        QMutexLocker locker(&m_mutex);
        return m_calls.size();
    }
    void clear()
    {
        QMutexLocker locker(&m_mutex);
        m_calls.clear();
    }
    // Shared log across several recorders, to check the order between listeners.
    void setSharedLog(QStringList *shared, QMutex *sharedMutex)
    {
        m_shared = shared;
        m_sharedMutex = sharedMutex;
    }

private:
    void add(const QString &call)
    {
        {
            QMutexLocker locker(&m_mutex);
            m_calls.append(call);
        }
        if (m_shared) {
            QMutexLocker locker(m_sharedMutex);
            m_shared->append(m_name + ":" + call);
        }
    }

    QString m_name;
    mutable QMutex m_mutex;
    QStringList m_calls;
    QStringList *m_shared = nullptr;
    QMutex *m_sharedMutex = nullptr;
};

// Stands in for the main window's QTimer owner; the tests call OnTimeout themselves.
class FakeTimerCtrl : public INotifyTimerCtrl
{
public:
    void startNotifyTimer(int ms, INotifyTimerCallback *callback) override
    {
        events.append(QString("start(%1)").arg(ms));
        this->callback = callback;
    }
    void stopNotifyTimer() override
    {
        events.append("stop");
        callback = nullptr;
    }
    QStringList events;
    INotifyTimerCallback *callback = nullptr;
};

// Plugs while holding the presenter lock: the enumeration thread then never sees a
// device that the emulated bus is still setting up.
template <typename... Args>
auto plugLocked(LumivandrexPresenter &presenter, Args &&...args)
{
    QMutexLocker locker(&presenter.GetLock()->m_mutex);
    return lvemu::EmulatedBus::instance().plug(std::forward<Args>(args)...);
}

inline bool waitUntil(const std::function<bool()> &condition, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QThread::msleep(2);
    }
    return true;
}

// A firmware image in memory: header with its section table plus the data buffers.
struct FirmwareImage
{
    FirmwareImage()
    {
        std::memset(&header, 0, sizeof(header));
        std::memcpy(header.magic, "KVFH", 4);
        header.layout = 3;
        header.version = 0x00010002;
        for (int i = 0; i < 136; ++i)
            header.reserved[i] = uint8_t(0xA0 + i);
        finish();
    }

    // Pattern data that differs per section and per byte, never all 0xFF.
    void add(const char *name, uint32_t address, uint32_t size, uint8_t seed = 0)
    {
        _KV_FIRMWARE_SECTION_HEADER &s = header.sections[header.sectionCount];
        std::memset(&s, 0, sizeof(s));
        std::memcpy(s.name, name, std::min(std::strlen(name), sizeof(s.name)));
        s.address = address;
        s.size = size;
        std::vector<unsigned char> bytes(size);
        for (uint32_t i = 0; i < size; ++i)
            bytes[i] = uint8_t((i * 13 + seed + header.sectionCount * 31) % 251);
        uint32_t sum = 0;
        for (unsigned char b : bytes)
            sum += b;
        s.checksum = sum;
        data.push_back(std::move(bytes));
        ++header.sectionCount;
        finish();
    }

    void finish()
    {
        header.headerLength = uint16_t(KV_FIRMWARE_FIXED_HEADER_SIZE
                                       + KV_FIRMWARE_SECTION_RECORD_SIZE * header.sectionCount);
        pointers.clear();
        for (auto &d : data)
            pointers.push_back(d.data());
        const auto *bytes = reinterpret_cast<const unsigned char *>(&header);
        uint32_t sum = 0;
        for (int i = 8; i < header.headerLength; ++i)
            sum += bytes[i];
        header.checksum = sum;
    }

    std::vector<unsigned char> headerBytes() const
    {
        const auto *bytes = reinterpret_cast<const unsigned char *>(&header);
        return std::vector<unsigned char>(bytes, bytes + header.headerLength);
    }

    unsigned char *const *sections() const { return pointers.data(); }

    _KV_FIRMWARE_HEADER header;
    std::vector<std::vector<unsigned char>> data;
    std::vector<unsigned char *> pointers;
};

inline int loadStatus(const int *value)
{
    return __atomic_load_n(value, __ATOMIC_ACQUIRE);
}

} // namespace prestest
