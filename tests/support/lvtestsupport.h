#pragma once
// Small helpers shared by the widget tests.

#include <QDir>
#include <QLayout>
#include <QPixmap>
#include <QString>
#include <QWidget>

namespace lvtest {

// Where screenshots for a person to look at are kept (build/screenshots by default).
inline QString screenshotDir()
{
    QString dir = qEnvironmentVariable("LV_SCREENSHOT_DIR");
#ifdef LV_SCREENSHOT_DIR
    if (dir.isEmpty())
        dir = QStringLiteral(LV_SCREENSHOT_DIR);
#endif
    if (dir.isEmpty())
        dir = QDir::tempPath();
    QDir().mkpath(dir);
    return dir;
}

// Renders the widget (shown or not) into <dir>/<name>.png; true when the file was written.
inline bool saveScreenshot(QWidget* widget, const QString& name)
{
    if (!widget)
        return false;
    widget->ensurePolished();
    if (widget->layout())
        widget->layout()->activate();
    const QPixmap shot = widget->grab();
    return !shot.isNull() && shot.save(screenshotDir() + QLatin1Char('/') + name + QStringLiteral(".png"));
}

} // namespace lvtest
