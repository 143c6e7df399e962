#include "toolkit/picturepreload.h"

#include <QImage>
#include <QImageReader>

#include <mutex>
#include <thread>

namespace {
std::mutex g_mutex;     // guards the four below
bool g_started = false; // one preload per run
QString g_path;         // what is being (or was) decoded, until taken
QImage g_image;         // written by the decoding thread before it ends
std::thread g_thread;
} // namespace

void PreloadPicture(const QString& path)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    if (g_started || path.isEmpty())
        return;
    g_started = true;
    g_path = path;
    g_thread = std::thread([path] {
        // The resources are PNG files without a suffix.
        QImage image = QImageReader(path, QByteArrayLiteral("png")).read();
        std::lock_guard<std::mutex> lock(g_mutex);
        g_image = std::move(image);
    });
}

QPixmap LoadPicture(const QString& path)
{
    QImage image;
    std::unique_lock<std::mutex> lock(g_mutex);
    if (!g_path.isEmpty() && path == g_path) {
        std::thread running = std::move(g_thread);
        lock.unlock();
        if (running.joinable())
            running.join();
        lock.lock();
        image = std::move(g_image);
        g_image = QImage();
        g_path.clear();
    }
    lock.unlock();
    // fromImage() converts the decoded image the way QPixmap(path) does.
    return image.isNull() ? QPixmap(path) : QPixmap::fromImage(std::move(image));
}

void FinishPicturePreload()
{
    std::unique_lock<std::mutex> lock(g_mutex);
    std::thread running = std::move(g_thread);
    lock.unlock();
    if (running.joinable())
        running.join();
    lock.lock();
    g_path.clear();
    g_image = QImage();
}
