#include "shell/startup.h"

#include "shell/cconfig.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QOpenGLContext>
#include <QStyleFactory>

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
    QFont font(QStringLiteral("Arial"));
    font.setWeight(settings.bold ? 75 : 50);
    font.setPixelSize(settings.fontPixelSize);
    QApplication::setFont(font);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
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
