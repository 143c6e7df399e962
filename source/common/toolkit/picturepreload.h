#pragma once
// The big picture of the first paint, decoded ahead: inflating it takes as long
// as building a page, and nothing of it needs the GUI thread. One picture, once.

#include <QPixmap>
#include <QString>

// Starts decoding the resource at `path` on a thread of its own (any thread may
// call; only the first call counts).
void PreloadPicture(const QString& path);

// GUI thread: the picture at `path`, taken from the preload when it was started
// for that path (waiting for it to finish), otherwise loaded here as QPixmap(path).
QPixmap LoadPicture(const QString& path);

// Waits for a preload still running and drops what nobody took. Call before the
// application object goes.
void FinishPicturePreload();
