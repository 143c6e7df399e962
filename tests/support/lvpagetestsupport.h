#pragma once
// Shared by the page and editor suites that run against the emulated device: the
// presenter started without its notify poll, one device plugged and made current, typed
// records put on the device, the transfer log filtered, modal windows answered, and the
// program's own look for screenshots.

#include <QApplication>
#include <QFile>
#include <QMutexLocker>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "device/lumivandrexpresenter.h"
#include "device/reportaccess.h"
#include "emulatedbus.h"
#include "toolkit/qwrappermsgbox.h"

namespace lvtest {

using DevicePtr = std::shared_ptr<lvemu::EmulatedDevice>;
using lvemu::Bytes;
using lvemu::TransferRecord;

// Keeps the presenter's notify poll off, so the log holds only what a case did.
struct NoNotifyTimer : INotifyTimerCtrl {
    void startNotifyTimer(int, INotifyTimerCallback*) override {}
    void stopNotifyTimer() override {}
};

// Starts the presenter with an enumeration cycle of `enumerationMs` (a long one: no
// enumeration traffic during the cases); false while nothing is plugged.
inline bool startPresenter(int enumerationMs = 10)
{
    static NoNotifyTimer timer;
    g_presenter.SetNotifyTimerCtrl(&timer);
    g_presenter.SetTimingForTest(enumerationMs, 500);
    return g_presenter.Init();
}

inline int deviceCount()
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    return g_presenter.GetDeviceCount();
}

// Unplugs every device, plugs one with the stock content (changed by `prepare` before
// the presenter can see it) and makes it current; null when the presenter did not follow.
inline DevicePtr plugCurrent(const std::string& serial = std::string(),
                             const std::function<void(lvemu::EmulatedDevice&)>& prepare = {})
{
    auto& bus = lvemu::EmulatedBus::instance();
    bus.unplugAll();
    if (!QTest::qWaitFor([] { return deviceCount() == 0; }, 8000))
        return nullptr;
    DevicePtr device = bus.plug(lvusb::kVendorMain, lvusb::kProductMainSingle, serial);
    if (prepare)
        prepare(*device);
    if (!QTest::qWaitFor([] { return deviceCount() == 1; }, 8000))
        return nullptr;
    g_presenter.SetCurrentIndex(0, false);
    return device;
}

template <typename Record>
uint8_t idOf(int index = 0)
{
    return uint8_t(ReportIdOf<Record>(index));
}

template <typename Record>
void put(const DevicePtr& device, const Record& record, int index = 0)
{
    device->setRecord(idOf<Record>(index), record);
}

// A record's bytes, and as a SET data stage (report id first).
template <typename Record>
Bytes bytesOf(const Record& record)
{
    const uint8_t* p = reinterpret_cast<const uint8_t*>(&record);
    return Bytes(p, p + sizeof record);
}

template <typename Record>
Bytes wireOf(const Record& record, int index = 0)
{
    Bytes bytes = bytesOf(record);
    bytes.insert(bytes.begin(), idOf<Record>(index));
    return bytes;
}

// The logged transfers of one direction (and one report id, -1: any), in order.
inline std::vector<TransferRecord> transfersOf(const DevicePtr& device, TransferRecord::Direction direction,
                                               int id = -1)
{
    std::vector<TransferRecord> out;
    for (const TransferRecord& t : device->transfers())
        if (t.direction == direction && (id < 0 || t.id == id))
            out.push_back(t);
    return out;
}

// What a SET carried after its report id.
inline Bytes payloadOf(const TransferRecord& set)
{
    return Bytes(set.bytes.begin() + 1, set.bytes.end());
}

// GET count by report id.
inline std::map<int, int> getCounts(const DevicePtr& device)
{
    std::map<int, int> gets;
    for (const TransferRecord& t : transfersOf(device, TransferRecord::Get))
        ++gets[t.id];
    return gets;
}

// Runs `act` on the next modal window of type T once it shows (polled every 5 ms).
template <typename T>
void onNextModal(std::function<void(T*)> act)
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

// Answers the next message box with OK (true) or Cancel; records its text.
inline void answerNextBox(bool ok, QString* text = nullptr)
{
    onNextModal<QWrapperMsgBox>([ok, text](QWrapperMsgBox* box) {
        if (text)
            *text = box->GetText();
        ok ? box->OnOKClicked() : box->OnCancelClicked();
    });
}

// The program's style sheet, and its 14-pixel Arial when `font`, as a person sees it.
inline void applyProgramLook(bool font = true)
{
    if (font) {
        QFont arial(QStringLiteral("Arial"));
        arial.setPixelSize(14);
        QApplication::setFont(arial);
    }
    QFile sheet(QStringLiteral(":/lumivandrexutility.qss"));
    if (sheet.open(QIODevice::ReadOnly))
        qApp->setStyleSheet(QString::fromUtf8(sheet.readAll()));
}

} // namespace lvtest
