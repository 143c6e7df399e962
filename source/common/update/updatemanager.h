#pragma once
// The program's single entry point to firmware and software updates: one global
// object, g_updateManager, living on the GUI thread. It owns one checker of each
// kind, one downloader and one flashing thread, and relays their reports as its
// own signals.
//
// Statuses carried by the signals:
//   check (statusChangedCheck*):        0 failed, 1 checking, 2 no newer version,
//                                       3 newer version (GetUpdateInfo* gives it)
//   download (statusChangedDownload*):  (1, percent) downloading; (2, 0) finished,
//                                       the file is at the destination; (0, detail)
//                                       failed, see CUpdateDownloader for details.
//                                       Every download ends with exactly one 0 or 2.
//   flashing (statusChangedUpgrade):    see cupgradefirmware.h; a final status
//                                       (1, 3, 5, 7, 8) is sent only once the
//                                       flashing thread has finished.
//
// Every operation is refused (false, nothing emitted) until Init succeeded.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QList>

#include "update/updatetypes.h"

struct tagDEVICE_INSTANCE;
class QDateTime;
class QSettings;
class QTimer;
class CUpdateSoftwareChecker;
class CUpdateFirmwareChecker;
class CUpdateDownloader;
class CUpgradeFirmware;

class CUpdateManager : public QObject
{
    Q_OBJECT
public:
    enum UPDATE_TYPE { UPDATE_FIRMWARE = 0, UPDATE_SOFTWARE = 1 };
    enum CONFIG_TYPE { CONFIG_FILE = 0, CONFIG_USER = 1 };

    // Sizes of the saved firmware-information texts (31 characters and a NUL).
    static constexpr int kFirmwareInfoTextSize = 32;
    static const char* const kProgramVersion;     // "3.0.4.30002"
    static const char* const kSoftwareProductId;  // this program at the update service

    CUpdateManager();
    ~CUpdateManager() override;

    // Read directly by the main window and the Info page: true only after a
    // successful Init().
    bool m_bInitialized = false;

    bool Init(const QString& configPath);
    // Stops and releases everything; safe to call any number of times.
    void Exit();

    bool StartCheckFirmware(_KVUPDATE_FIRMWARE_INFO* info);          // null: the saved information
    bool StartRegularCheckFirmware(_KVUPDATE_FIRMWARE_INFO* info);   // now and every 24 hours
    bool StartCheckSoftware();
    bool StartRegularCheckSoftware();
    void StopCheck(UPDATE_TYPE type);
    void StopRegularCheck(UPDATE_TYPE type);

    // Copy the chosen offer of the last check; false (argument untouched) before any check.
    bool GetUpdateInfoHardware(PackageInfo& package) const;
    bool GetUpdateInfoSoftware(PackageInfo& package) const;

    // A destination in one of the download folders is checked again as its
    // download starts; a refused folder fails it as (0, -1) without starting one.
    // Each kind has a downloader of its own, so the Info cell and the software
    // update dialog never end each other's download. A new download replaces only
    // the running one of its kind. StopDownload ends the download of that kind
    // (the firmware one unless told otherwise: the device's pages own it).
    bool StartDownloadFirmware(PackageInfo* package, const QString& destPath);
    bool StartDownloadSoftware(PackageInfo* package, const QString& destPath);
    void StopDownload(UPDATE_TYPE type = UPDATE_FIRMWARE);
    // A download of that kind was started and not stopped since (it may have ended);
    // false after a start that its refused folder failed.
    bool HasDownload(UPDATE_TYPE type) const
    {
        return (type == UPDATE_SOFTWARE ? m_softwareDownloader : m_firmwareDownloader) != nullptr;
    }
    // The most bytes a download may bring: a firmware file no larger than the
    // biggest flash plus the largest header, an installer a fixed ceiling. A
    // server that announces or sends more fails the download.
    static const int kMaxFirmwareBytes;
    static const int kMaxInstallerBytes;

    // Reads and checks the file against the device, then starts the flashing
    // thread. False when the file was refused (GetUpgradeRefusal says why) or a
    // flashing is still running; nothing was sent to the device then.
    bool StartUpgradeFirmware(tagDEVICE_INSTANCE* device, const QString& firmwarePath);
    // Stops relaying the flashing status. A flashing that is still running is
    // never cut short: it finishes on its own and its thread object goes then.
    void StopUpgradeFirmware();
    // Why the last StartUpgradeFirmware refused the file (a KvfRefusal value,
    // 0 when it was accepted), and the text to show for it.
    int GetUpgradeRefusal() const { return m_upgradeRefusal; }
    static QString UpgradeRefusalText(int refusal);

    QString GetUpdateHelpURL() const;

    // Per-user private folder for downloads (created on demand, owner-only), where
    // the program's installer goes. The first opening of a folder in a run removes
    // the partial files a killed run left there. Empty when a link, a file or
    // another user's folder stands where a folder should be (see CDownloadFolder):
    // a download started with an empty destination fails as (0, -1).
    static QString GetDownloadDir();
    // Its subfolder for firmware files: a firmware name can then never be the
    // installer's, whatever the server calls the file. Empty as above.
    static QString GetFirmwareDownloadDir();
    // The destination there for a firmware package: the decoded last segment of
    // its URL's path, or "temp.kvf" when that is no plain file name; empty when
    // the folder was refused.
    static QString GetDownloadPath(const PackageInfo& package);
    // One visible file name that fits the file system with the update library's
    // partial-file name beside it: not empty, no leading dot (hidden, and the
    // partial-file pattern), no path separator, no control, format or separator
    // character, no invalid UTF-8, at most 247 bytes.
    static bool IsPlainFileName(const QString& name);

    bool getServerURL(CONFIG_TYPE type, QDateTime& date, QString& list) const;
    static bool parseServerURL(const QString& text, QString& result);
    QString getDestServerURL() const;

    // Tests: shorter poll and regular-check intervals for the checkers, the
    // downloader and the flashing status (applies to what is created afterwards
    // and to what exists).
    void SetIntervalsForTest(int pollMs, int regularMs);

    // Counters that let tests see that callers reached the manager (GUI thread only).
    int stopCheckCalls() const { return m_stopCheckCalls; }
    int regularFirmwareStarts() const { return m_regularFirmwareStarts; }
    int regularSoftwareStarts() const { return m_regularSoftwareStarts; }
    // The firmware information handed over by the last StartRegularCheckFirmware / StartCheckFirmware.
    QString savedFirmwareInfo(int index) const;
    // Test seam: lets a test act as if Init had succeeded. Never used by the program.
    void setInitializedForTest(bool on) { m_bInitialized = on; }

signals:
    void statusChangedCheckSoftware(int status);
    void statusChangedCheckFirmware(int status);
    void statusChangedDownloadSoftware(int status, int percent);
    void statusChangedDownloadFirmware(int status, int percent);
    void statusChangedUpgrade(int status, int percent);

public slots:
    void onTimer();

private:
    void copyFirmwareInfo(const _KVUPDATE_FIRMWARE_INFO* info);
    CUpdateFirmwareChecker* firmwareChecker();
    CUpdateSoftwareChecker* softwareChecker();
    bool startDownload(PackageInfo* package, const QString& destPath, UPDATE_TYPE type);
    CUpdateDownloader*& downloader(UPDATE_TYPE type);
    void retireUpgrade();

    QSettings* m_config = nullptr;   // the default configuration, owned
    QString m_firmwarePath;          // request path of the firmware check
    QString m_softwarePath;          // request path of the software check
    QString m_helpUrl;
    QTimer* m_upgradeTimer = nullptr;
    char m_firmwareInfo[4][kFirmwareInfoTextSize] = {};
    CUpdateSoftwareChecker* m_softwareChecker = nullptr;
    CUpdateFirmwareChecker* m_firmwareChecker = nullptr;
    CUpdateDownloader* m_firmwareDownloader = nullptr;
    CUpdateDownloader* m_softwareDownloader = nullptr;
    unsigned int m_downloadStops[2] = {};   // per UPDATE_TYPE: a pending folder refusal is for no later download
    CUpgradeFirmware* m_upgrade = nullptr;
    QList<QPointer<CUpgradeFirmware>> m_retired;   // still flashing after a stop
    int m_upgradeRefusal = 0;
    bool m_libraryUp = false;        // this manager holds a KVU_Init
    int m_pollMs = 2000;
    int m_regularMs = 24 * 3600 * 1000;
    int m_stopCheckCalls = 0;
    int m_regularFirmwareStarts = 0;
    int m_regularSoftwareStarts = 0;
};

extern CUpdateManager g_updateManager;
