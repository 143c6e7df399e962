#include "shell/firstpaintmarker.h"

#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <time.h>

namespace {

class FirstPaintMarker : public QObject
{
public:
    FirstPaintMarker(QWidget* window, const QString& path)
        : QObject(window)
        , m_path(path)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            watched->removeEventFilter(this);
            // After this paint the children paint and the back buffer reaches the
            // window system; the next turn of the event loop comes after all that.
            QTimer::singleShot(0, this, [this] { Write(); });
        }
        return false;
    }

private:
    void Write()
    {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        QFile file(m_path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Append))
            file.write("painted " + QByteArray::number(qint64(now.tv_sec) * 1000000000 + now.tv_nsec) + '\n');
        deleteLater();
    }

    QString m_path;
    bool m_seen = false;
};

} // namespace

void MarkFirstPaint(QWidget* window)
{
    const QString path = qEnvironmentVariable("LV_BENCH_MARKER");
    if (window && !path.isEmpty())
        new FirstPaintMarker(window, path);
}
