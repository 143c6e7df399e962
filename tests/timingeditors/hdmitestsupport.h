#pragma once
// Shared set-up of the HDMI suites: the presenter with one emulated device as the
// current device, the transfer log by report id, and an answerer for modal windows.

#include <QApplication>
#include <QFile>
#include <QMutexLocker>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

#include "device/lumivandrexpresenter.h"
#include "device/reportaccess.h"
#include "emulatedbus.h"
#include "toolkit/qwrappermsgbox.h"

namespace hdmitest {

using DevicePtr = std::shared_ptr<lvemu::EmulatedDevice>;

struct NoTimer : INotifyTimerCtrl {
    void startNotifyTimer(int, INotifyTimerCallback*) override {}
    void stopNotifyTimer() override {}
};

// The program's own look (style sheet and 14-pixel Arial), for screenshots.
inline void applyProgramLook()
{
    QFile sheet(QStringLiteral(":/lumivandrexutility.qss"));
    if (sheet.open(QIODevice::ReadOnly))
        qApp->setStyleSheet(QString::fromUtf8(sheet.readAll()));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(14);
    QApplication::setFont(font);
}

inline void startPresenter()
{
    applyProgramLook();
    static NoTimer timer;
    g_presenter.SetNotifyTimerCtrl(&timer);
    g_presenter.SetTimingForTest(10, 500);
    g_presenter.Init();
}

inline int deviceCount()
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    return g_presenter.GetDeviceCount();
}

// One fresh device with the given model code as the current device.
inline DevicePtr plugDevice(const std::string& serial, uint16_t model = 516)
{
    auto& bus = lvemu::EmulatedBus::instance();
    bus.unplugAll();
    if (!QTest::qWaitFor([] { return deviceCount() == 0; }, 8000))
        qFatal("devices of an earlier case stay attached");
    DevicePtr device = bus.plug(lvusb::kVendorMain, lvusb::kProductMainSingle, serial);
    _KVCAP_DEVICE_INFO info = device->deviceInfo();
    info.productId = model;
    device->setDeviceInfo(info);
    if (!QTest::qWaitFor([] { return deviceCount() == 1; }, 8000))
        qFatal("the emulated device did not attach");
    QTest::qWait(100);   // let the enumeration thread's listener calls pass
    g_presenter.SetCurrentIndex(0, false);
    device->clearTransfers();
    return device;
}

template <typename Record>
inline uint8_t idOf(int index = 0)
{
    return uint8_t(ReportIdOf<Record>(index));
}

// Payloads the device was sent (SET) or answered (GET) for one report id.
inline QList<lvemu::Bytes> transfers(const DevicePtr& device, uint8_t id, lvemu::TransferRecord::Direction dir)
{
    QList<lvemu::Bytes> out;
    for (const lvemu::TransferRecord& t : device->transfers())
        if (t.id == id && t.direction == dir)
            out << (dir == lvemu::TransferRecord::Set ? lvemu::Bytes(t.bytes.begin() + 1, t.bytes.end()) : t.bytes);
    return out;
}

inline QList<lvemu::Bytes> writes(const DevicePtr& device, uint8_t id)
{
    return transfers(device, id, lvemu::TransferRecord::Set);
}

// Runs `act` on the next modal window (message box or dialog) that opens; the message
// boxes' texts are kept in `texts`.
class ModalAnswerer : public QObject
{
public:
    explicit ModalAnswerer(std::function<void(QWidget*)> act) : m_act(std::move(act))
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || modal == m_last)
                return;
            m_last = modal;
            if (auto* box = qobject_cast<QWrapperMsgBox*>(modal))
                texts << box->GetText();
            m_act(modal);
        });
        m_timer.start(10);
    }
    QStringList texts;

private:
    std::function<void(QWidget*)> m_act;
    QTimer m_timer;
    QWidget* m_last = nullptr;
};

inline void closeModal(QWidget* modal)
{
    QMetaObject::invokeMethod(modal, "reject", Qt::QueuedConnection);
}

} // namespace hdmitest
