#pragma once
// The real main window as main() runs it, for the suites that drive the whole program
// against the emulated device.

#include <QApplication>

#include "device/lumivandrexpresenter.h"
#include "shell/lumivandrexutility.h"
#include "toolkit/cfocusmanager.h"
#include "update/updatemanager.h"

namespace lvtest {

// What main() does between the presenter's Init and the event loop.
inline LumivandrexUtility* startMainWindow()
{
    g_presenter.Init();
    auto* window = new LumivandrexUtility(nullptr);
    g_pUtility = window;
    g_presenter.SetNotifyTimerCtrl(window);
    g_focusManager.SetMainFocusWid(window);
    qApp->installEventFilter(window);
    window->show();
    return window;
}

// What main() does after the event loop; null afterwards.
inline void stopMainWindow(LumivandrexUtility*& window)
{
    if (!window)
        return;
    g_presenter.Exit();
    g_pUtility = nullptr;
    g_updateManager.Exit();
    g_focusManager.SetMainFocusWid(nullptr);
    qApp->removeEventFilter(window);
    delete window;
    window = nullptr;
    QCoreApplication::processEvents();
}

} // namespace lvtest
