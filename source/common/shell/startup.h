#pragma once
// What main() does before the main window exists: the optional ini file beside
// the program, the style sheet, the program's look and the log file's place.

#include <QString>

// What the optional ini file beside the program asks for at start-up.
struct tagSTARTUP_SETTINGS
{
    int fontPixelSize = 14;
    bool bold = false;
    bool chinese = false;
};

// Reads "SETTINGS/FontSize" (1..20, else 14), "SETTINGS/IsBold" (exactly
// "true") and "SETTINGS/Language" (exactly "Chinese"); a missing file gives
// the defaults.
tagSTARTUP_SETTINGS ReadStartupSettings(const QString& iniPath);

// The application style sheet text up to its first NUL byte; empty when the
// resource cannot be read.
QString LoadStyleSheet(const QString& resourcePath);

// The program's look for the settings: "Arial" at the pixel size, weight 75
// or 50, as the application font for all widgets, and the "Windows" style.
void ApplyStartupLook(const tagSTARTUP_SETTINGS& settings);

// Where the log file goes for a home directory: directly in it for "/root",
// otherwise in its Documents folder.
QString StartupLogFilePath(const QString& homeDir);

// While it exists, QT_XCB_GL_INTEGRATION says "none" unless the user set it (to
// anything): the program draws with the raster engine, and loading the OpenGL
// stack only to pick X visuals took a third of the start-up. The application
// object is made inside this scope, which has the platform settle its choice as
// it ends; afterwards the variable is as the user had it, and so are the
// environments of the processes the program starts (the browser for "Help").
class CRasterOnlyScope
{
public:
    CRasterOnlyScope();
    ~CRasterOnlyScope();
    CRasterOnlyScope(const CRasterOnlyScope&) = delete;
    CRasterOnlyScope& operator=(const CRasterOnlyScope&) = delete;

private:
    bool m_bSetHere = false;
};
