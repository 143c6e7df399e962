#pragma once
// main() for a QtTest suite that runs against the emulated device:
//
//     #include "lvemulatortest.h"
//     class TstSomething : public QObject { Q_OBJECT ... };
//     LV_EMULATED_QTEST_MAIN(TstSomething)
//     #include "tst_something.moc"
//
// It re-executes the test under the umockdev preload when needed, creates the bus
// before anything can start libusb, runs the suite, then leaves libusb and removes the
// bus. Plug devices in initTestCase()/init() with lvemu::EmulatedBus::instance().plug().
// Link the suite with lv_emulator. The application object follows QTEST_MAIN: a
// QApplication when the suite links Qt Widgets, else QGuiApplication/QCoreApplication.

#include <QtTest>

#include "device/lumivandrexpresenter.h"
#include "emulatedbus.h"

#if defined(QT_WIDGETS_LIB)
#include <QApplication>
#define LV_EMULATED_APP_CLASS QApplication
#elif defined(QT_GUI_LIB)
#include <QGuiApplication>
#define LV_EMULATED_APP_CLASS QGuiApplication
#else
#define LV_EMULATED_APP_CLASS QCoreApplication
#endif

#define LV_EMULATED_QTEST_MAIN(TestObject)                                                         \
    int main(int argc, char* argv[])                                                               \
    {                                                                                              \
        ::lvemu::ensurePreload(argc, argv);                                                        \
        ::lvemu::EmulatedBus::instance();                                                          \
        int result = 0;                                                                            \
        {                                                                                          \
            LV_EMULATED_APP_CLASS app(argc, argv);                                                 \
            app.setAttribute(Qt::AA_Use96Dpi, true);                                               \
            TestObject tc;                                                                         \
            QTEST_SET_MAIN_SOURCE_PATH                                                             \
            result = QTest::qExec(&tc, argc, argv);                                                \
        }                                                                                          \
        /* The program's presenter may still watch the bus: stop it before libusb goes. */      \
        ::g_presenter.SetNotifyTimerCtrl(nullptr);                                                 \
        ::g_presenter.Exit();                                                                      \
        ::LumivandrexDevice::UnInitDevices();                                                      \
        ::lvemu::EmulatedBus::shutdown();                                                          \
        return result;                                                                             \
    }
