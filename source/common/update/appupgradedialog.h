#pragma once

#include "toolkit/qcustomdialog.h"
#include "update/updatemanager.h"

class QLabel;
class QMovie;
class QStackedLayout;
class QTextEdit;
class QVBoxLayout;
class ButtonClickGuard;
class ProgressCircle;
class WPushButton;
class CheckWindow;
class DownloadWindow;

// Checks for a newer version of the program and downloads its installer. exec()
// returns 1 once the installer is downloaded to GetDownloadPath(), 0 otherwise;
// deleting the dialog stops a running check or download.
class AppUpgradeDialog : public QCustomDialog
{
    Q_OBJECT
public:
    explicit AppUpgradeDialog(QWidget* parent);
    ~AppUpgradeDialog() override;

    QString GetDownloadPath() const { return m_strDownloadPath; }
    // Works the installer's place out again (each download start does): a folder
    // refused before may have been put right since. Empty while it is refused.
    QString RenewDownloadPath();
    // The installer's place: the per-user private download folder and the program's
    // name reduced to a plain file name; empty when the folder is refused.
    static QString DownloadPathFor(const QString& applicationName);
    // The pages' texts: the font the user chose, `extraPixels` larger.
    static QFont PageFont(int extraPixels = 0);

    CheckWindow* GetCheckWindow() const { return m_pCheckWindow; }
    DownloadWindow* GetDownloadWindow() const { return m_pDownloadWindow; }
    // Every page's buttons: one click each, also where a page changes under a double click.
    ButtonClickGuard* ClickGuard() const { return m_pClickGuard; }

public slots:
    void onCheckNeedUpdate(PackageInfo* package);
    void onDownloadFinished();

private:
    QString m_strDownloadPath;
    ButtonClickGuard* m_pClickGuard = nullptr;
    QStackedLayout* m_pStack = nullptr;
    CheckWindow* m_pCheckWindow = nullptr;
    DownloadWindow* m_pDownloadWindow = nullptr;
};

// The first page: the software check running, up to date, or unable to connect.
class CheckWindow : public QWidget
{
    Q_OBJECT
public:
    enum State { StateNone = -1, StateChecking = 0, StateConnectFailed = 1, StateUpToDate = 2 };

    explicit CheckWindow(AppUpgradeDialog* parent);
    ~CheckWindow() override;

    void setState(int state);
    int getState() const { return m_nState; }
    QString getText() const;

signals:
    void checkNeedUpdate(PackageInfo* package);

public slots:
    void onBtnClickedNext();
    void onBtnClickedHelp();
    void onStatusChanged(int nCheckStatus);

private:
    int m_nState = StateNone;
    PackageInfo m_package = {};
    QMovie* m_pMovie = nullptr;
    QLabel* m_pIcon = nullptr;
    QLabel* m_pText = nullptr;
    WPushButton* m_pBtnNext = nullptr;
    WPushButton* m_pBtnHelp = nullptr;
};

// The second page: the offered version and its log, the download with its progress,
// and the download's failure.
class DownloadWindow : public QWidget
{
    Q_OBJECT
public:
    enum State { StateNewVersion = 3, StateDownloading = 4, StateFailed = 6 };

    DownloadWindow(PackageInfo* package, AppUpgradeDialog* parent);
    ~DownloadWindow() override;

    int getState() const { return m_nState; }
    int getAngle() const { return m_nAngle; }
    // The upgrade log of a change log: the parts after each "##", numbered.
    static QString UpgradeLogHtml(const QString& changeLog);

signals:
    void downloadFinished();

public slots:
    void onBtnClickedUpgrade();
    void onBtnClickedCancel();
    void onBtnClickedHelp();
    void onStatusChanged(int nDownloadStatus, int nPercent);

private:
    QWidget* createNewVersionPage(const PackageInfo& package);
    QWidget* createDownloadingPage();
    QWidget* createFailedPage();
    QWidget* createWarningBar();
    QWidget* finishPage(QWidget* page, QVBoxLayout* layout, const QList<WPushButton*>& buttons);
    WPushButton* createButton(const QString& text, const QString& objectName);
    void showState(int state);

    int m_nAngle = 0;
    AppUpgradeDialog* m_pDialog = nullptr;   // the parent: it knows the download's place
    int m_nState = StateNewVersion;
    QStackedLayout* m_pStack = nullptr;
    QTextEdit* m_pLog = nullptr;
    ProgressCircle* m_pCircle = nullptr;
};
