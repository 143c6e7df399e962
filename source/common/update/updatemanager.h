#pragma once
// The program's single entry point to firmware and software updates.
//
// KNOWN GAP: the update library and its checkers, downloader and flashing
// thread are not part of this build yet. Until they are, Init() fails cleanly
// (returns false and leaves the initialised flag false) and every start/stop
// operation below is a safe no-op that reports "nothing started". The callers
// (start-up, the main window, the Info page) already test the initialised flag
// and skip every update feature while it is false, so the rest of the program
// runs normally without update support.

#include <QObject>
#include <QString>

struct tagDEVICE_INSTANCE;
class QSettings;

// One offered update package, as the update service describes it.
struct PackageInfo
{
    char version[1025];
    char url[1025];
    char md5[1025];
    char changeLog[1025];
};

// Four NUL-terminated texts (at most 32 bytes each) that describe the current
// device for a firmware check: product id, byte 5 of report 1, hardware letter,
// firmware version "major.minor.build".
struct _KVUPDATE_FIRMWARE_INFO
{
    char* info[4];
};

class CUpdateManager : public QObject
{
    Q_OBJECT
public:
    enum UPDATE_TYPE { UPDATE_FIRMWARE = 0, UPDATE_SOFTWARE = 1 };
    enum CONFIG_TYPE { CONFIG_FILE = 0, CONFIG_USER = 1 };

    // Sizes of the saved firmware-information texts (31 characters and a NUL).
    static constexpr int kFirmwareInfoTextSize = 32;
    static const char* const kProgramVersion;   // "3.0.4.30002"

    CUpdateManager();
    ~CUpdateManager() override;

    // Read directly by the main window and the Info page: true only after a
    // successful Init(). Always false until the update library exists.
    bool m_bInitialized = false;

    bool Init(const QString& configPath);
    void Exit();

    bool StartCheckFirmware(_KVUPDATE_FIRMWARE_INFO* info);
    bool StartRegularCheckFirmware(_KVUPDATE_FIRMWARE_INFO* info);
    bool StartCheckSoftware();
    bool StartRegularCheckSoftware();
    void StopCheck(UPDATE_TYPE type);
    void StopRegularCheck(UPDATE_TYPE type);

    bool GetUpdateInfoHardware(PackageInfo& package) const;
    bool GetUpdateInfoSoftware(PackageInfo& package) const;

    bool StartDownloadFirmware(PackageInfo* package, const QString& destPath);
    bool StartDownloadSoftware(PackageInfo* package, const QString& destPath);
    void StopDownload();

    bool StartUpgradeFirmware(tagDEVICE_INSTANCE* device, const QString& firmwarePath);
    void StopUpgradeFirmware();

    QString GetUpdateHelpURL() const;

    // Counters that let tests see that callers reached the manager even while
    // every operation is a no-op (GUI thread only).
    int stopCheckCalls() const { return m_stopCheckCalls; }
    int regularFirmwareStarts() const { return m_regularFirmwareStarts; }
    int regularSoftwareStarts() const { return m_regularSoftwareStarts; }
    // The firmware information handed over by the last StartRegularCheckFirmware / StartCheckFirmware.
    QString savedFirmwareInfo(int index) const;

    // Test seam: lets a test act as if the update library had come up, so that
    // the callers' "initialised" paths can be exercised. Never used by the program.
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

    QSettings* m_config = nullptr;   // the default configuration, owned
    QString m_helpUrl;
    char m_firmwareInfo[4][kFirmwareInfoTextSize] = {};
    int m_stopCheckCalls = 0;
    int m_regularFirmwareStarts = 0;
    int m_regularSoftwareStarts = 0;
};

extern CUpdateManager g_updateManager;
