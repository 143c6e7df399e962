#include "shell/startup.h"

#include "shell/cconfig.h"
#include "toolkit/textfit.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QImageReader>
#include <QOpenGLContext>
#include <QStyleFactory>

#include <fontconfig/fontconfig.h>

namespace {
const char kGlIntegration[] = "QT_XCB_GL_INTEGRATION";
const int kMinFontSize = 1;
const int kMaxFontSize = 20;
const int kDefaultFontSize = 14;
} // namespace

tagSTARTUP_SETTINGS ReadStartupSettings(const QString& iniPath)
{
    tagSTARTUP_SETTINGS settings;
    CConfig config;
    if (!config.Init(iniPath))
        return settings;
    const int size = config.ReadValueInt(QStringLiteral("SETTINGS/FontSize"));
    settings.fontPixelSize = (size >= kMinFontSize && size <= kMaxFontSize) ? size : kDefaultFontSize;
    // Both comparisons are case-sensitive on purpose: only the exact words count.
    settings.bold = config.ReadValueString(QStringLiteral("SETTINGS/IsBold")) == QLatin1String("true");
    settings.chinese = config.ReadValueString(QStringLiteral("SETTINGS/Language")) == QLatin1String("Chinese");
    config.Exit();
    return settings;
}

QString LoadStyleSheet(const QString& resourcePath)
{
    QFile file(resourcePath);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    QByteArray bytes = file.readAll();
    const int nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    return QString::fromUtf8(bytes);
}

void ApplyStartupLook(const tagSTARTUP_SETTINGS& settings)
{
    // The style first: setting it reloads the platform theme's fonts for single
    // widget classes (a desktop's menu font), which the application font given
    // without a class name then replaces, so menus follow the chosen font too.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
    QFont font(QStringLiteral("Arial"));
    font.setWeight(settings.bold ? 75 : 50);
    font.setPixelSize(settings.fontPixelSize);
    QApplication::setFont(font);
    CTextFitter::Install();
}

QString StartupLogFilePath(const QString& homeDir)
{
    const QString fileName = QStringLiteral("LumivandrexUtility.log");
    // root's home has no Documents folder to speak of: log straight into it.
    if (QDir::cleanPath(homeDir) == QLatin1String("/root"))
        return QDir::cleanPath(homeDir) + QLatin1Char('/') + fileName;
    return QDir::cleanPath(homeDir) + QStringLiteral("/Documents/") + fileName;
}


CRasterOnlyScope::CRasterOnlyScope()
    : m_bSetHere(!qEnvironmentVariableIsSet(kGlIntegration))
{
    if (m_bSetHere)
        qputenv(kGlIntegration, "none");
}

CRasterOnlyScope::~CRasterOnlyScope()
{
    // The platform plugin reads the variable on first use, not when the
    // application object is made: have it choose now.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        QOpenGLContext::supportsThreadedOpenGL();
    if (m_bSetHere)
        qunsetenv(kGlIntegration);
}

CStartupPreload::CStartupPreload()
    : m_thread(&CStartupPreload::Run, this)
{
}

CStartupPreload::~CStartupPreload()
{
    Finish();
}

void CStartupPreload::ApplicationReady()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_next == Next::Wait)
            m_next = Next::Go;
    }
    m_changed.notify_all();
}

void CStartupPreload::WaitForFontConfiguration()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return m_configRead; });
}

void CStartupPreload::Finish()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_next == Next::Wait)
            m_next = Next::Stop;
    }
    m_changed.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void CStartupPreload::Run()
{
    FcInit();
    std::unique_lock<std::mutex> lock(m_mutex);
    m_configRead = true;
    m_changed.notify_all();
    m_changed.wait(lock, [this] { return m_next != Next::Wait; });
    if (m_next == Next::Stop)
        return;
    lock.unlock();

    // Qt picks an image's reader by asking every image format plugin whether it
    // reads the data, loading each: done here for the first picture the window
    // loads. The plugins' objects are handed to the GUI thread by Qt.
    QByteArray pngSignature("\x89PNG\r\n\x1a\n", 8);
    QBuffer buffer(&pngSignature);
    QImageReader(&buffer).canRead();
    // Qt's font database is shared between threads and guarded by its own lock;
    // the font engine made here stays in this thread's cache.
    QFontDatabase().families();
    QFontMetrics(QFont(QStringLiteral("Arial"))).height();
}
