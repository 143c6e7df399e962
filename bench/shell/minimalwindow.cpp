// The yardstick for the start-up benchmark: the least a Qt widgets program does
// to show a window of the main window's size. Writes "shown" into the file named
// by LV_BENCH_MARKER once the window is on screen, then runs until killed.
#include <QApplication>
#include <QFile>
#include <QTimer>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(592, 720);
    window.show();
    QTimer::singleShot(0, [] {
        QFile marker(qEnvironmentVariable("LV_BENCH_MARKER"));
        if (marker.open(QIODevice::WriteOnly | QIODevice::Append))
            marker.write("shown\n");
    });
    return app.exec();
}
