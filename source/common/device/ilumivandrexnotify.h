#ifndef ILUMIVANDREXNOTIFY_H
#define ILUMIVANDREXNOTIFY_H

#include <QString>
#include <QtGlobal>

// Listener for device events. Register with LumivandrexPresenter::AddNotify in the
// constructor and remove with DeleteNotify in the destructor.
//
// Threads: OnCurrentDeviceLost and OnOtherDeviceChanged arrive on the enumeration
// thread; an override only emits a (queued) Qt signal of its own and must not touch
// widgets or take the presenter lock there. Every other slot arrives on the GUI
// thread. Every operation is empty by default, so override only what you need.
class ILumivandrexNotify
{
public:
    // 0: the current device went away; uiChanged = unsaved changes are lost with it.
    virtual void OnCurrentDeviceLost(bool uiChanged) { Q_UNUSED(uiChanged) }
    // 1: another device was removed (true) or added (false); its product name.
    virtual void OnOtherDeviceChanged(bool removed, QString modelName)
    {
        Q_UNUSED(removed)
        Q_UNUSED(modelName)
    }
    // 2: the pending-change flag as SetUIChanged just stored it.
    virtual void OnUIChanged(bool changed) { Q_UNUSED(changed) }
    // 3..9: the notification poll; each receives the whole change word of report 8.
    virtual void OnInputStatusChanged(quint64 word) { Q_UNUSED(word) }
    virtual void OnConnectionFormatChanged() {}
    virtual void OnTimingStatusChanged(quint64 word) { Q_UNUSED(word) }
    virtual void OnHDMIInfoStatusChanged(quint64 mask) { Q_UNUSED(mask) }
    virtual void OnInputSourceChanged(quint64 word) { Q_UNUSED(word) }
    virtual void OnAudioVolumeChanged(quint64 word) { Q_UNUSED(word) }
    virtual void OnLoopThroughChanged(quint64 word) { Q_UNUSED(word) }
    // 10: a tick found the current device answering again after transfers to it went
    // unanswered, at its selection (its notifications are on now, unless it refused them)
    // or while it was current: what was read of it meanwhile is worth reading again. Once
    // per such silence; a silence that failed no transfer but the poll's is not told.
    virtual void OnCurrentDeviceAnswering() {}

protected:
    // Never deleted through this interface: the owner is the widget or dialog.
    ~ILumivandrexNotify() = default;
};

// The presenter's side of the notification timer: called on every tick.
class INotifyTimerCallback
{
public:
    virtual void OnTimeout() = 0;

protected:
    ~INotifyTimerCallback() = default;
};

// The owner of the notification timer (the main window, with one QTimer).
class INotifyTimerCtrl
{
public:
    // Remember the callback and start a repeating timer whose ticks call
    // callback->OnTimeout() on the GUI thread.
    virtual void startNotifyTimer(int milliseconds, INotifyTimerCallback *callback) = 0;
    // Stop and discard the timer and forget the callback.
    virtual void stopNotifyTimer() = 0;

protected:
    ~INotifyTimerCtrl() = default;
};

#endif // ILUMIVANDREXNOTIFY_H
