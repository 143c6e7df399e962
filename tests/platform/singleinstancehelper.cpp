// Test helper: one start of a single-instance program.
//   lv_singleinstance_helper <id> <message> <timeout-ms>
// Prints "primary" or "secondary" first. A secondary sends <message> and prints
// "sent:<0|1> <elapsed ms>", then exits 0. A primary prints "received:<text>" and
// "visible:<0|1>" (its activation window) per message, and quits on "quit" or after
// a minute, so a failed test never leaves it behind.

#include "platform/singleapplication.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

void say(const QString& line)
{
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s <id> <message> <timeout-ms>\n", argv[0]);
        return 2;
    }
    const QString id = QString::fromLocal8Bit(argv[1]);
    const QString message = QString::fromLocal8Bit(argv[2]);
    const int timeout = QByteArray(argv[3]).toInt();

    QtSingleApplication app(id, argc, argv);
    if (app.isRunning()) {
        say(QStringLiteral("secondary"));
        QElapsedTimer clock;
        clock.start();
        const bool sent = app.sendMessage(message, timeout);
        say(QStringLiteral("sent:%1 %2").arg(sent ? 1 : 0).arg(clock.elapsed()));
        return 0;
    }

    say(QStringLiteral("primary"));
    QWidget window;
    app.setActivationWindow(&window, true);
    QObject::connect(&app, &QtSingleApplication::messageReceived, &app, [&](const QString& text) {
        say(QStringLiteral("received:") + text);
        // The activation runs right after this handler; look once it has.
        QTimer::singleShot(0, &app, [&] { say(QStringLiteral("visible:%1").arg(window.isVisible() ? 1 : 0)); });
        if (text == QLatin1String("quit"))
            QTimer::singleShot(0, &app, &QCoreApplication::quit);
    });
    QTimer::singleShot(60000, &app, &QCoreApplication::quit);
    return app.exec();
}
