#pragma once
// Shared by the format editor and Advanced page suites: one emulated device made current
// (no enumeration thread running), wire bytes of records, and an answerer for the modal
// windows the code under test runs.

#include <QApplication>
#include <QMutexLocker>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>
#include <thread>

#include "device/lumivandrexpresenter.h"
#include "device/reportaccess.h"
#include "emulatedbus.h"

namespace fmttest {

using lvemu::Bytes;
using DevicePtr = std::shared_ptr<lvemu::EmulatedDevice>;

// The program's style sheet (for screenshots as a user sees them), then one device
// made current.
inline DevicePtr StartWithDevice()
{
    QFile qss(QStringLiteral(":/lumivandrexutility.qss"));
    if (qss.open(QIODevice::ReadOnly))
        qApp->setStyleSheet(QString::fromUtf8(qss.readAll()));
    DevicePtr dev = lvemu::EmulatedBus::instance().plug();
    g_presenter.SetTimingForTest(3600 * 1000, 500);   // one enumeration, in Init
    g_presenter.Init();
    g_presenter.SetCurrentIndex(0, false);
    return dev;
}

template <typename Record>
Bytes Wire(const Record& record)
{
    Bytes bytes{uint8_t(ReportIdOf<Record>())};
    const uint8_t* p = reinterpret_cast<const uint8_t*>(&record);
    bytes.insert(bytes.end(), p, p + sizeof record);
    return bytes;
}

template <typename Record>
void Put(const DevicePtr& dev, const Record& record)
{
    dev->setRecord(uint8_t(ReportIdOf<Record>()), record);
}

// SET data stages (report id first) sent for `id`, in order.
inline std::vector<Bytes> Sets(const DevicePtr& dev, int id)
{
    std::vector<Bytes> sets;
    for (const lvemu::TransferRecord& t : dev->transfers())
        if (t.direction == lvemu::TransferRecord::Set && t.id == id)
            sets.push_back(t.bytes);
    return sets;
}

// GET count by report id.
inline std::map<int, int> Gets(const DevicePtr& dev)
{
    std::map<int, int> gets;
    for (const lvemu::TransferRecord& t : dev->transfers())
        if (t.direction == lvemu::TransferRecord::Get)
            ++gets[t.id];
    return gets;
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

// Runs `act` on the next modal window of type T once it shows (polled every 5 ms).
template <typename T>
void OnNextModal(std::function<void(T*)> act)
{
    QTimer* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        T* window = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!window || !window->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        act(window);
    });
    poll->start(5);
}

} // namespace fmttest
