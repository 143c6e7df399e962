#ifndef ABOUTDIALOG_H
#define ABOUTDIALOG_H

#include "toolkit/qcustomdialog.h"

// The program's name and version, the maker, a link to the maker's web site
// and the legal notice line. Opened from the tray menu's "About" entry.
class AboutDialog : public QCustomDialog
{
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);

    QWidget* CreateMainWnd();

    // The web address the link line shows: the regional site when the ini file
    // beside the program asks for "Chinese" (exactly), else the main site.
    static QString WebSiteForIni(const QString& iniPath);
    static QString VersionText();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

#endif // ABOUTDIALOG_H
