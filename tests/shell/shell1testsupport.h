#pragma once
// Shared pieces of the shell suites that run against the emulated device: the
// presenter set-up, a small stand-in for the main window's wiring of the three
// bars, a message-box answerer and transfer-log helpers.

#include <QApplication>
#include <QMutexLocker>
#include <QPointer>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>

#include <atomic>
#include <deque>
#include <memory>

#include "device/lumivandrexpresenter.h"
#include "emulatedbus.h"
#include "settingspages/wtabpagevolume.h"
#include "shell/propertypage.h"
#include "shell/settingsbar.h"
#include "shell/titlebar.h"
#include "shell/wcenterwid.h"
#include "shell/wtabwidget.h"
#include "toolkit/cfocusmanager.h"
#include "toolkit/qwrappermsgbox.h"
#include "toolkit/wpushbutton.h"

namespace shelltest {

using DevicePtr = std::shared_ptr<lvemu::EmulatedDevice>;

// The poll is not needed by these suites; starting it is only counted.
struct CountingTimerCtrl : INotifyTimerCtrl {
    void startNotifyTimer(int, INotifyTimerCallback*) override { ++starts; }
    void stopNotifyTimer() override { ++stops; }
    int starts = 0;
    int stops = 0;
};

inline CountingTimerCtrl& timerCtrl()
{
    static CountingTimerCtrl ctrl;
    return ctrl;
}

inline int deviceCount()
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    return g_presenter.GetDeviceCount();
}

inline bool waitForDeviceCount(int count, int timeoutMs = 8000)
{
    return QTest::qWaitFor([count] { return deviceCount() == count; }, timeoutMs);
}

inline void startPresenter()
{
    g_presenter.SetNotifyTimerCtrl(&timerCtrl());
    g_presenter.SetTimingForTest(10, 500);
    g_presenter.Init();
}

// Counts the presenter's device notifications (enumeration thread). Its removal
// waits for a walk over the listeners in progress, so once it has counted an
// event and is gone, every listener has had that event.
struct DeviceEventWatch : ILumivandrexNotify {
    DeviceEventWatch() { g_presenter.AddNotify(this); }
    ~DeviceEventWatch() { g_presenter.DeleteNotify(this); }
    void OnCurrentDeviceLost(bool) override { ++calls; }
    void OnOtherDeviceChanged(bool, QString) override { ++calls; }
    std::atomic<int> calls{0};
};

// Leaves exactly `serials.size()` devices plugged, in that order, and waits until
// the presenter has told its listeners about each change, so that a late "device
// lost" meant for nobody cannot reach the bars a test builds next.
inline std::vector<DevicePtr> plugFresh(const std::vector<std::string>& serials)
{
    auto& bus = lvemu::EmulatedBus::instance();
    DeviceEventWatch watch;
    const auto settle = [&](int before, int count) {
        if (!QTest::qWaitFor([&] { return watch.calls.load() > before && deviceCount() == count; }, 8000))
            qWarning("the presenter did not report %d devices", count);
    };
    const int before = watch.calls.load();
    const bool hadDevices = deviceCount() > 0;
    bus.unplugAll();
    if (hadDevices)
        settle(before, 0);
    std::vector<DevicePtr> devices;
    for (const std::string& serial : serials) {
        const int plugged = watch.calls.load();
        devices.push_back(bus.plug(lvusb::kVendorMain, lvusb::kProductMainSingle, serial));
        settle(plugged, int(devices.size()));
    }
    return devices;
}

// The values of the commit report (0xFE) the device was sent, in order; with
// `okOnly` false also the attempts the device refused.
inline QList<int> commits(const DevicePtr& device, bool okOnly = false)
{
    QList<int> values;
    for (const lvemu::TransferRecord& t : device->transfers()) {
        if (t.direction != lvemu::TransferRecord::Set || t.id != 0xFE || t.bytes.empty())
            continue;
        if (okOnly && t.outcome != lvemu::TransferRecord::Ok)
            continue;
        values << int(t.bytes.back());
    }
    return values;
}

// Answers the message boxes the code under test runs modally, in order.
class BoxAnswerer : public QObject
{
public:
    // Leave: the box is expected to be closed by something else (device loss).
    enum Answer { ClickOk, ClickCancel, PressEscape, Leave };
    struct Seen {
        QString text;
        QString objectName;
        int height = 0;
    };

    BoxAnswerer()
    {
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, [this] { Poll(); });
        m_timer.start();
    }

    void Expect(Answer answer, std::function<void()> beforeAnswer = {})
    {
        m_answers.push_back({answer, std::move(beforeAnswer)});
    }
    int Unanswered() const { return int(m_answers.size()); }
    const QList<Seen>& SeenBoxes() const { return m_seen; }

private:
    struct Pending {
        Answer answer;
        std::function<void()> before;
    };

    void Poll()
    {
        QWrapperMsgBox* box = qobject_cast<QWrapperMsgBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible() || box->property("shelltest_answered").toBool())
            return;
        box->setProperty("shelltest_answered", true);
        m_seen.append({box->GetText(), box->objectName(), box->height()});
        if (m_answers.empty()) {
            // An unexpected box: recorded, and rejected so the suite cannot hang.
            box->reject();
            return;
        }
        Pending next = m_answers.front();
        m_answers.pop_front();
        if (next.before)
            next.before();
        QPointer<QWrapperMsgBox> guard(box);
        if (!guard || !guard->isVisible())
            return;   // closed by what happened meanwhile (device loss)
        switch (next.answer) {
        case ClickOk:
            guard->GetOkButton()->click();
            break;
        case ClickCancel:
            guard->GetCancelButton()->click();
            break;
        case Leave:
            break;
        case PressEscape: {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QCoreApplication::sendEvent(guard, &escape);
            break;
        }
        }
    }

    QTimer m_timer;
    std::deque<Pending> m_answers;
    QList<Seen> m_seen;
};

// The three bars wired as the main window wires them.
struct Harness {
    Harness()
    {
        window.reset(new QWidget);
        window->setFixedSize(592, 720);
        title = new TitleBar(window.get());
        pages = new PropertyPage(nullptr);
        bar = new SettingsBar(window.get());
        QVBoxLayout* layout = new QVBoxLayout(window.get());
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        layout->addWidget(title, 32);
        layout->addWidget(pages, 0);
        layout->addWidget(bar, 0);
        pages->SetSettingsBar(bar);
        pages->SetCenterWidget(title->GetCenterWidget());
        bar->SetDeviceSelector(title->GetCenterWidget());
        bar->SetTabWidget(pages->GetTabWidget());
        QObject::connect(title, &TitleBar::initPages, pages, [this] { pages->ReloadTabWidget(true); });
        QObject::connect(title, &TitleBar::devicesRemoved, pages, [this] { pages->ReloadTabWidget(true); });
        QObject::connect(bar, &SettingsBar::defaultBtnClicked, pages, [this] {
            pages->GetVolumePage()->setDefaultValue();
            pages->ReloadPropertyPage(true);
            g_presenter.SetUIChanged(false, UI_CHANGE_IMMEDIATE);
        });
        g_focusManager.SetMainFocusWid(window.get());
    }
    ~Harness() { g_focusManager.SetMainFocusWid(nullptr); }

    // What the main window's constructor queues: select the first device, set the buttons.
    void Start()
    {
        emit title->updateCurrentDeviceLost(false);
        emit bar->updateDeviceChanged();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

    std::unique_ptr<QWidget> window;
    TitleBar* title = nullptr;
    PropertyPage* pages = nullptr;
    SettingsBar* bar = nullptr;
};

} // namespace shelltest
