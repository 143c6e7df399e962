#pragma once
// Shared set-up of the timing suites: one emulated device carrying a VGA 1080p60
// signal, the presenter on it, and readers of what the device was sent.

#include <QApplication>
#include <QFile>
#include <QMutexLocker>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <vector>

#include "device/lumivandrexpresenter.h"
#include "device/reportaccess.h"
#include "emulatedbus.h"
#include "lvtestsupport.h"
#include "toolkit/qwrappermsgbox.h"

namespace timingtest {

using DevicePtr = std::shared_ptr<lvemu::EmulatedDevice>;
using lvemu::Bytes;

struct NoPoll : INotifyTimerCtrl {
    void startNotifyTimer(int, INotifyTimerCallback*) override {}
    void stopNotifyTimer() override {}
};

template <typename Record>
uint8_t IdOf(int index = 0)
{
    return uint8_t(ReportIdOf<Record>(index));
}

template <typename Record>
Bytes BytesOf(const Record& r)
{
    return Bytes(reinterpret_cast<const uint8_t*>(&r), reinterpret_cast<const uint8_t*>(&r) + sizeof r);
}

// A VGA 1920x1080 60 Hz signal (2200 x 1125 total) as report 0x10 shows it.
inline _KVCAP_INPUT_STATUS VgaStatus()
{
    _KVCAP_INPUT_STATUS s{};
    s.valid = 1;
    s.inputType = KVCAP_VIDEO_INPUT_VGA;
    s.analog.syncInfo = {1, {0, 0}, 0, 166667, 5, 1125};
    s.analog.timing.timingType = 2;   // DMT
    s.analog.settings = {16, 9, 192, 41, 1920, 1080, 2200, 8};
    return s;
}

// Plugs one device with the VGA signal and makes it the presenter's current device.
inline DevicePtr Start(bool qss = true)
{
    static NoPoll poll;
    auto device = lvemu::EmulatedBus::instance().plug();
    device->setRecord(IdOf<_KVCAP_INPUT_STATUS>(), VgaStatus());
    g_presenter.SetNotifyTimerCtrl(&poll);
    g_presenter.SetTimingForTest(3600 * 1000, 500);   // no enumeration traffic during the cases
    g_presenter.Init();
    g_presenter.SetCurrentIndex(0, false);
    QFont font(QStringLiteral("Arial"));   // the program's own font
    font.setPixelSize(14);
    QApplication::setFont(font);
    QFile sheet(QStringLiteral(":/lumivandrexutility.qss"));
    if (qss && sheet.open(QIODevice::ReadOnly))
        qApp->setStyleSheet(QString::fromUtf8(sheet.readAll()));
    return device;
}

// Payloads of the successful SETs of one report, in order.
inline std::vector<Bytes> Sets(const DevicePtr& device, uint8_t id)
{
    std::vector<Bytes> out;
    for (const lvemu::TransferRecord& t : device->transfers())
        if (t.direction == lvemu::TransferRecord::Set && t.id == id && t.outcome == lvemu::TransferRecord::Ok)
            out.push_back(Bytes(t.bytes.begin() + 1, t.bytes.end()));   // after the report id
    return out;
}

inline int SetCount(const DevicePtr& device)
{
    int n = 0;
    for (const lvemu::TransferRecord& t : device->transfers())
        n += t.direction == lvemu::TransferRecord::Set;
    return n;
}

// Answers the next message box with OK (true) or Cancel; records its text.
inline void AnswerNextBox(bool ok, QString* text)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, ok, text] {
        auto* box = qobject_cast<QWrapperMsgBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        if (text)
            *text = box->GetText();
        ok ? box->OnOKClicked() : box->OnCancelClicked();
        timer->deleteLater();
    });
    timer->start();
}

} // namespace timingtest
