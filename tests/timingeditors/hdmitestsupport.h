#pragma once
// Shared set-up of the HDMI suites: the presenter with one emulated device as the
// current device, the transfer log by report id, and an answerer for modal windows.

#include "lvpagetestsupport.h"

namespace hdmitest {

using lvtest::DevicePtr;
using lvtest::idOf;

inline void startPresenter()
{
    lvtest::applyProgramLook();
    lvtest::startPresenter();
}

// One fresh device with the given model code as the current device.
inline DevicePtr plugDevice(const std::string& serial, uint16_t model = 516)
{
    DevicePtr device = lvtest::plugCurrent(serial, [model](lvemu::EmulatedDevice& d) {
        _KVCAP_DEVICE_INFO info = d.deviceInfo();
        info.productId = model;
        d.setDeviceInfo(info);
    });
    if (!device)
        qFatal("the emulated device did not attach");
    QTest::qWait(100);   // let the enumeration thread's listener calls pass
    g_presenter.SetCurrentIndex(0, false);
    device->clearTransfers();
    return device;
}

// Payloads the device was sent (SET) or answered (GET) for one report id.
inline QList<lvemu::Bytes> transfers(const DevicePtr& device, uint8_t id, lvemu::TransferRecord::Direction dir)
{
    QList<lvemu::Bytes> out;
    for (const lvemu::TransferRecord& t : lvtest::transfersOf(device, dir, id))
        out << (dir == lvemu::TransferRecord::Set ? lvtest::payloadOf(t) : t.bytes);
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
