#include "update/updatehelp.h"

#include <QDesktopServices>
#include <QUrl>

#include "update/updatemanager.h"

void OpenUpdateHelpPage()
{
    const QString url = g_updateManager.GetUpdateHelpURL();
    if (!url.isEmpty())
        QDesktopServices::openUrl(QUrl(url));
}
