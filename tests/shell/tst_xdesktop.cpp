// The real program on a real X server, first without a tray, then with a real XEmbed one (trayer): Xvfb
// with a plain window manager (openbox), the emulated device through the launcher. What the user
// sees is read from Xvfb's framebuffer file (xwd -root shows Qt's pop-ups black).
// `/minimized` gives a minimised window that comes back when restored, and the
// close button ends the program, leaving nothing on screen.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QRgb kWindowBody = qRgb(0x16, 0x17, 0x19);   // the main window's background
const QRgb kTitleBar = qRgb(0x24, 0x27, 0x2C);
// xdotool commands (';' between; "@x y ...": there, then the pointer away to 0 0; "~x y ...": there; both
// relative to an origin), then `colour`'s count in `area` (relative to the same origin)
struct Step { QString commands; QRect area; QRgb colour; int least, most; };
} // namespace

class TestXDesktop : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_display;
    QProcess m_xvfb;
    QProcess m_wm;
    QProcess m_tray;

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", m_dir.path());
        env.insert("XDG_CONFIG_HOME", m_dir.path() + "/.config");
        env.insert("XDG_RUNTIME_DIR", m_dir.path() + "/run");
        env.insert("DISPLAY", m_display);
        env.remove("QT_QPA_PLATFORM");
        env.remove("DBUS_SESSION_BUS_ADDRESS");   // the XEmbed tray, not a StatusNotifierItem host
        return env;
    }
    QString logText() const
    {
        QFile file(m_dir.path() + "/Documents/LumivandrexUtility.log");
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    // The screen as Xvfb keeps it in its framebuffer file.
    QImage screen() const
    {
        QProcess convert;
        convert.start("xwdtopnm", {m_dir.path() + "/fb/Xvfb_screen0"});
        convert.waitForFinished(10000);
        QImage image;
        image.loadFromData(convert.readAllStandardOutput(), "PPM");
        return image;
    }
    static int countPixels(const QImage& image, QRgb colour)
    {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
        return n;
    }
    QString xdotool(const QStringList& args) const
    {
        QProcess tool;
        tool.setProcessEnvironment(environment());
        tool.start("xdotool", args);
        tool.waitForFinished(10000);
        return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
    }
    QRect geometry(const QString& window) const
    {
        QMap<QString, int> v;
        for (const QString& line : xdotool({"getwindowgeometry", "--shell", window}).split('\n'))
            v[line.section('=', 0, 0)] = line.section('=', 1).toInt();
        return QRect(v["X"], v["Y"], v["WIDTH"], v["HEIGHT"]);
    }
    // Each step's screen is saved as <shots>_<step>.png when `shots` is given.
    void runSteps(const QPoint& origin, const QVector<Step>& steps, const QString& shots = QString()) const
    {
        for (const Step& s : steps) {
            for (QString command : s.commands.split(';', Qt::SkipEmptyParts)) {
                if (command.startsWith('@') || command.startsWith('~')) {
                    const QStringList at = command.mid(1).split(' ');
                    command = QString("mousemove %1 %2 ").arg(origin.x() + at[0].toInt()).arg(origin.y() + at[1].toInt())
                              + at.mid(2).join(' ') + (command.startsWith('@') ? " mousemove 0 0" : "");
                }
                xdotool(command.split(' ', Qt::SkipEmptyParts));
                QTest::qWait(300);
            }
            const QRect area = s.area.translated(origin) & QRect(0, 0, 1280, 1024);
            int n = -1;   // waited for by the clock: a count takes long, and QTRY counts only its pauses
            QVERIFY2(QTest::qWaitFor([&] { return (n = countPixels(screen().copy(area), s.colour)) >= s.least
                                                  && n <= s.most; }, 30000),
                     qPrintable(s.commands + ": " + QString::number(n)));
            if (!shots.isEmpty())
                screen().save(QString("%1/%2_%3.png").arg(LV_SCREENSHOT_DIR, shots).arg(&s - steps.begin()));
        }
    }

private slots:
    void initTestCase()
    {
        for (const char* tool : {"Xvfb", "openbox", "xdotool", "xwdtopnm", "trayer"}) {
            if (QStandardPaths::findExecutable(tool).isEmpty())
                QSKIP(qPrintable(QString("%1 is not installed (tools/install-deps.sh)").arg(tool)));
        }
        QVERIFY(QDir().mkpath(m_dir.path() + "/fb") && QDir().mkpath(m_dir.path() + "/run"));
        QFile::setPermissions(m_dir.path() + "/run", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        for (int n = 120; n < 140 && m_display.isEmpty(); ++n) {
            if (QFile::exists(QString("/tmp/.X11-unix/X%1").arg(n)) || QFile::exists(QString("/tmp/.X%1-lock").arg(n)))
                continue;
            m_xvfb.start("Xvfb", {QString(":%1").arg(n), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                                  "-fbdir", m_dir.path() + "/fb"});
            if (m_xvfb.waitForStarted(5000)
                && QTest::qWaitFor([n] { return QFile::exists(QString("/tmp/.X11-unix/X%1").arg(n)); }, 10000))
                m_display = QString(":%1").arg(n);
        }
        QVERIFY(!m_display.isEmpty());
        m_wm.setProcessEnvironment(environment());
        m_wm.start("openbox", QStringList());
        QVERIFY(m_wm.waitForStarted(5000));
        QTest::qWait(500);
    }
    void cleanupTestCase()
    {
        for (QProcess* p : {&m_tray, &m_wm, &m_xvfb}) {
            p->terminate();
            if (!p->waitForFinished(5000))
                p->kill();
        }
    }

    void minimisedStartRestoreAndClose()
    {
        QProcess launcher;
        launcher.setProcessEnvironment(environment());
        launcher.start(LV_LAUNCHER_PATH, {"--devices", "1", LV_PROGRAM_PATH, "/minimized"});
        QVERIFY(launcher.waitForStarted(5000));
        QTRY_VERIFY_WITH_TIMEOUT(logText().contains("main window visible: 1 (minimised)"), 20000);
        QTest::qWait(500);
        QCOMPARE(countPixels(screen(), kTitleBar), 0);   // iconified: not on screen

        const QString window = xdotool({"search", "--sync", "--name", "^Lumivandrex Utility$"}).split('\n').first();
        QVERIFY(!window.isEmpty());
        xdotool({"windowactivate", "--sync", window});
        QTRY_VERIFY_WITH_TIMEOUT(countPixels(screen(), kWindowBody) > 592 * 10, 10000);
        const QImage shown = screen();
        shown.save(QString(LV_SCREENSHOT_DIR) + "/xdesktop_restored.png");
        QVERIFY(countPixels(shown, kTitleBar) > 592 * 20);   // the title bar across the window

        // The close button, at the title bar's right end: without a tray it ends the program.
        const QString geometry = xdotool({"getwindowgeometry", "--shell", window});
        const QRegularExpression xy("X=(\\d+)\\nY=(\\d+)");
        const QRegularExpressionMatch m = xy.match(geometry);
        QVERIFY2(m.hasMatch(), qPrintable(geometry));
        const int x = m.captured(1).toInt() + 592 - 14;
        const int y = m.captured(2).toInt() + 14;
        xdotool({"mousemove", "--sync", QString::number(x), QString::number(y), "click", "1"});
        QVERIFY(launcher.waitForFinished(15000));
        QCOMPARE(launcher.exitCode(), 0);
        QVERIFY(logText().contains("ended with exit code 0"));
        QTest::qWait(300);
        QCOMPARE(countPixels(screen(), kTitleBar), 0);
        QCOMPARE(xdotool({"search", "--name", "^Lumivandrex Utility$"}), QString());
    }

    // Dialogs open centred on the window: the update dialog at (106, 136), the EDID timing one at (74, 104).
    void focusPopupsAndStates()
    {
        QProcess launcher;
        launcher.setProcessEnvironment(environment());
        launcher.start(LV_LAUNCHER_PATH, {"--devices", "1", LV_PROGRAM_PATH});
        const QString main = xdotool({"search", "--sync", "--name", "^Lumivandrex Utility$"});
        QTRY_VERIFY_WITH_TIMEOUT(countPixels(screen(), kWindowBody) > 592 * 10, 20000);
        const QRect bar(0, 0, 592, 40), tab(92, 48, 82, 32), mute(145, 628, 32, 32);
        QVector<Step> steps = {
            {"@112 63 click 1", tab, qRgb(255, 255, 255), 0, 0},   // Video: the tab is selected, not focused;
            {"key Tab Tab", tab, qRgb(255, 255, 255), 100, 1000},  // Tab outlines it in white, then frames a box:
            {"key Tab Tab Tab Tab Tab Tab Tab Tab Tab", {198, 512, 356, 24}, qRgb(27, 157, 255), 600, 2000},
            // Escape closes only the open list, device menu or title-bar menu (right click, or the Menu key
            // on the device name), else it minimises: a minimised window would take no more clicks.
            {"@376 524 click 1;key Escape;@454 20 click 1;key Escape;@60 20 click 3;key Escape;"
             "@35 63 click 1;key Tab;key Menu;key Escape", bar, kTitleBar, 15000, 30000},
            {"key Escape", {-2000, -2000, 5000, 5000}, kTitleBar, 0, 0},
            {"windowactivate --sync " + main + ";@192 63 click 1", mute, qRgb(221, 55, 55), 0, 0},   // red only muted
            {"@161 644 click 1", mute, qRgb(221, 55, 55), 30, 1000},
            // A menu or dialog that closes leaves no hover look where the pointer no longer is: not on the
            // device menu's arrow, nor on the tab (Video) under the menu entry that opened the dialog.
            {"@454 20 click 1;key Escape;~300 200", {440, 8, 28, 24}, qRgb(62, 65, 70), 0, 0},
            // "Check for updates..." fails here: 10 columns apart, "Retry" and "Help" show the dialog between them.
            {"@60 20 click 3;~140 77 click 1", {176, 496, 140, 20}, qRgb(0x39, 0x39, 0x39), 200, 200},
            {"key Escape;~300 200", {94, 50, 78, 30}, qRgb(254, 255, 255), 0, 0},
            {"@352 63 click 1", {336, 50, 76, 28}, qRgb(27, 157, 255), 1500, 3000}};   // HDMI
        for (int i = 0; i < 30; ++i)   // the EDID timing dialog's Mode list opens under its box
            steps += {{"@82 362 click 1", {74, 104, 444, 32}, qRgb(0x27, 0x27, 0x27), 2000, 14208},   // once shown:
                      {"@314 169 click 1", {138, 182, 364, 112}, qRgb(0x23, 0x64, 0x95), 5000, 50000},    // it reads first
                      {"key Escape;key Escape", {74, 104, 444, 32}, qRgb(0x27, 0x27, 0x27), 0, 0}};
        steps += {"@578 14 click 1", {-2000, -2000, 5000, 5000}, kTitleBar, 0, 0};   // the close button quits
        runSteps(geometry(main).topLeft(), steps);
        QTRY_COMPARE_WITH_TIMEOUT(launcher.state(), QProcess::NotRunning, 15000);
        QCOMPARE(launcher.exitCode(), 0);
    }

    // Started hidden in the tray: a right click on the icon opens the menu, and nothing else, for good; its
    // entries work; a left or a double click shows the window, Escape hides it to the tray again.
    void trayMenuAndClicks()
    {
        m_tray.setProcessEnvironment(environment());
        m_tray.start("trayer", {"--edge", "top", "--align", "right", "--widthtype", "request", "--height", "32"});
        const QString panel = xdotool({"search", "--sync", "--name", "^panel$"});
        QProcess launcher;
        launcher.setProcessEnvironment(environment());
        launcher.start(LV_LAUNCHER_PATH, {"--devices", "1", LV_PROGRAM_PATH, "/minimized"});
        QTRY_VERIFY_WITH_TIMEOUT(logText().contains("started in the tray"), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(geometry(panel).width() >= 20, 10000);   // the icon is docked
        const QRect all(-2000, -2000, 5000, 5000);
        const QRgb menu = qRgb(57, 57, 57);   // also the about dialog's, so counted alone on screen
        const int shown = 592 * 30, most = 592 * 40;   // the title bar
        runSteps(geometry(panel).center(),   // the menu opens to the left of the pointer, 28-pixel entries
                 {{"~0 0 mousedown 3;mouseup 3", all, menu, 20000, 30000},
                  {"sleep 1.5", all, kTitleBar, 0, 0},
                  {"", all, menu, 20000, 30000},
                  {"@-168 71 click 1", all, qRgb(39, 39, 39), 30000, 50000},   // "About"
                  {"key Escape;key Escape", all, kTitleBar, 0, 0},
                  {"@0 0 click 1", all, kTitleBar, shown, most},
                  {"key Escape;@0 0 click --repeat 2 1", all, kTitleBar, shown, most},
                  {"key Escape;~0 0 click 3;@-168 15 click 1", all, kTitleBar, shown, most},   // "Open main window"
                  {"~0 0 click 3;@-168 104 click 1", all, kTitleBar, 0, 0}},                     // "Quit"
                 "xdesktop_tray");
        QTRY_COMPARE_WITH_TIMEOUT(launcher.state(), QProcess::NotRunning, 15000);
        QCOMPARE(launcher.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(TestXDesktop)
#include "tst_xdesktop.moc"
