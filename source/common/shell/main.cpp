// Entry point: one instance per user, logging, style, font and language, the
// device side and the main window, then an ordered shutdown.

#include "device/lumivandrexpresenter.h"
#include "logging/lvlogger.h"
#include "platform/singleapplication.h"
#include "shell/firstpaintmarker.h"
#include "shell/lumivandrexutility.h"
#include "shell/startup.h"
#include "statuspages/wtabpageinfo.h"
#include "toolkit/cfocusmanager.h"
#include "toolkit/picturepreload.h"
#include "update/updatemanager.h"

#include <QDir>
#include <QFileInfo>
#include <QMutexLocker>
#include <QTranslator>

#include <thread>

namespace {
const char kApplicationId[] = "KIVORANT Lumivandrex Utility 3.0";
const char kInstanceMessage[] = "lumivandrexutility";
const int kInstanceMessageTimeoutMs = 5000;
const char kUpdateConfig[] = ":/LumivandrexUtility/Resources/LumivandrexUtility.ini";
const char kStyleSheet[] = ":/lumivandrexutility.qss";
const char kTranslation[] = ":/Trans/trans_zh";
const char kHiddenStartSwitch[] = "/minimized";
const unsigned int kLogRotationSize = 10485760;
const unsigned int kLogFileCount = 10;
} // namespace

void InitLog(QObject* parent)
{
    using namespace lvlogger;
    LvLogger* logger = LvLogger::createInstance(parent);
    logger->setLogFormat_file(QStringLiteral("<TS> [<LL>] <TEXT> [<FUNC>@<FILE>:<LINE>]"),
                              QStringLiteral("<TS> [<LL>] <TEXT>"));
    SetLogLevelDebug();   // levels 0 to 5
    logger->setLogLevels_file(ENABLE_LOG_LEVELS);

    const QString logFile = StartupLogFilePath(QDir::homePath());
    // A fresh account may have no Documents folder yet; the log must still land.
    QDir().mkpath(QFileInfo(logFile).absolutePath());
    logger->setLogFileName(logFile, kLogRotationSize, kLogFileCount);

    LV_LOG_INFO(">>>>>>>>>>>>>>>>>>>>>>>>>>>> LumivandrexUtility log started <<<<<<<<<<<<<1<<<<<<<<<<<<<<<<");
}

int main(int argc, char* argv[])
{
    CStartupPreload preload;
    QtSingleApplication* app = nullptr;
    {
        const CRasterOnlyScope rasterOnly;
        app = new QtSingleApplication(QString::fromLatin1(kApplicationId), argc, argv);
    }
    InitLog(app);

    if (app->isRunning()) {
        // Delivered or not, this start is done: the running one shows its window.
        // Said in the shared log, so the "log started" above never reads like a restart.
        const bool delivered = app->sendMessage(QString::fromLatin1(kInstanceMessage), kInstanceMessageTimeoutMs);
        if (delivered)
            LV_LOG_INFO("instance " << QCoreApplication::applicationPid()
                                    << " handed over to the running instance and ended");
        else
            LV_LOG_ERROR("instance " << QCoreApplication::applicationPid()
                                     << " could not reach the running instance and ended");
        preload.Finish();
        delete app;
        return 0;
    }

    LV_LOG_INFO("call g_presenter.Init() begin");
    // The first enumeration opens and reads every device. It runs while the window
    // is built: the window reaches the presenter only through its locks and has no
    // current device before the title bar picks one from the event loop. It needs
    // only the log, so it starts first; while a library is being loaded (the
    // update library loads libcurl on its own thread) no thread can be created.
    std::thread presenterInit([] {
        g_presenter.Init();   // without a device the program still starts
        // The first device is the one the title bar selects: the Info page shows its picture first.
        QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
        PreloadPicture(WTabPageInfo::FirstPicturePath(g_presenter.GetDeviceCount() > 0 ? g_presenter.GetDeviceInstance(0)
                                                                                        : nullptr));
    });
    preload.ApplicationReady();

    // A configuration that cannot be read leaves the update features off; the rest runs.
    g_updateManager.Init(QString::fromLatin1(kUpdateConfig));

    app->setStyleSheet(LoadStyleSheet(QString::fromLatin1(kStyleSheet)));

    const tagSTARTUP_SETTINGS startup = ReadStartupSettings(
        QStringLiteral("%1/%2").arg(QCoreApplication::applicationDirPath(), QStringLiteral("LumivandrexUtility.ini")));

    auto* translator = new QTranslator;
    if (startup.chinese) {
        translator->load(QString::fromLatin1(kTranslation), QString(), QString(), QString());
        app->installTranslator(translator);
    }

    ApplyStartupLook(startup);

    int exitCode = 0;
    {
        preload.WaitForFontConfiguration();   // the window's first text is laid out in its constructor
        LumivandrexUtility window(nullptr);
        presenterInit.join();
        LV_LOG_INFO("call g_presenter.Init() finished");
        window.setFocus(Qt::OtherFocusReason);
        g_pUtility = &window;
        g_presenter.SetNotifyTimerCtrl(&window);
        QObject::connect(
            app, &QtSingleApplication::messageReceived, &window,
            [&window](const QString& message) {
                window.OpenMainWindow();
                LV_LOG_INFO("instance " << QCoreApplication::applicationPid() << " was started again (\""
                                        << message << "\"); main window visible: " << window.isVisible());
            },
            Qt::DirectConnection);
        app->setActivationWindow(&window, false);
        g_focusManager.SetMainFocusWid(&window);
        app->installEventFilter(&window);

        const bool minimized = argc > 1 && QString::fromLocal8Bit(argv[1]) == QLatin1String(kHiddenStartSwitch);
        if (minimized)
            QDir::setCurrent(QCoreApplication::applicationDirPath());
        MarkFirstPaint(&window);
        window.ShowAtStart(minimized);
        LV_LOG_INFO("instance " << QCoreApplication::applicationPid()
                                << " running; main window visible: " << window.isVisible()
                                << (window.isMinimized() ? " (minimised)" : ""));

        exitCode = app->exec();
        LV_LOG_INFO("instance " << QCoreApplication::applicationPid() << " shutting down");

        // Device side first (threads and poll stop, devices go), then updates.
        g_presenter.Exit();
        g_pUtility = nullptr;
        g_updateManager.Exit();
        g_focusManager.SetMainFocusWid(nullptr);
        app->removeEventFilter(&window);
        // The window goes here, with every page and listener it owns, while the
        // presenter still exists; its destructor stores the per-user settings.
    }
    delete translator;
    FinishPicturePreload();
    LV_LOG_INFO("instance " << QCoreApplication::applicationPid() << " ended with exit code " << exitCode);
    preload.Finish();
    delete app;
    return exitCode;
}
