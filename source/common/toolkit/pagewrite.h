#pragma once
// One user change written to the current device: the write runs under the presenter
// lock, and only a write the device took is marked pending, after the lock is released
// (listeners may show windows). Shared by the pages that write settings.

#include <QMutexLocker>

#include "device/lumivandrexpresenter.h"

// `write(LumivandrexDevice*)` returns true when the device took the change; it is not
// called without a current device. Returns what it returned.
template <typename Write>
bool WriteAndMarkPending(Write&& write, _UI_CHANGE_TYPE type = UI_CHANGE_IMMEDIATE)
{
    bool written = false;
    {
        QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
        if (LumivandrexDevice* device = g_presenter.GetCurrentDevice())
            written = write(device);
    }
    if (written)
        g_presenter.SetUIChanged(true, type);
    return written;
}
