// The yardstick for the start-up benchmark: the least a Qt widgets program does
// to show a window of the main window's size. Marks its first paint the way the
// program does (see firstpaintmarker.h), then runs until killed.
#include <QApplication>
#include <QWidget>

#include "shell/firstpaintmarker.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(592, 720);
    MarkFirstPaint(&window);
    window.show();
    return app.exec();
}
