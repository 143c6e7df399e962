#pragma once
// What main() does before the main window exists: the optional ini file beside
// the program, the style sheet, the program's look and the log file's place.

#include <QString>

#include <condition_variable>
#include <mutex>
#include <thread>

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

// Does on a thread of its own what the first paint would otherwise wait for and
// what does not need the GUI thread: reading the system's font configuration (some
// tens of files) beside the connection to the display, then, once the application
// object exists, loading the image format plugins, Qt's list of the installed
// fonts and the search for the program's family. What it finds is shared.
class CStartupPreload
{
public:
    // Starts reading the font configuration.
    CStartupPreload();
    ~CStartupPreload();
    // The application object exists (and stays until Finish()): the thread goes on.
    void ApplicationReady();
    // Returns once the font configuration is read. Call before the first text is
    // laid out: Qt would otherwise read it a second time.
    void WaitForFontConfiguration();
    // Waits for the thread; without ApplicationReady() it ends after the font
    // configuration. Call before the application object goes.
    void Finish();

private:
    enum class Next { Wait, Go, Stop };
    void Run();

    std::mutex m_mutex;                 // guards m_configRead and m_next
    std::condition_variable m_changed;
    bool m_configRead = false;
    Next m_next = Next::Wait;
    std::thread m_thread;               // last: started once the rest exists
};
