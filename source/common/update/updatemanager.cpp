#include "update/updatemanager.h"

#include "logging/lvlogger.h"

#include <QSettings>
#include <cstring>

// KNOWN GAP (see the header): no update library is linked yet, so nothing here
// talks to an update service. The operations keep their final signatures and
// their bookkeeping (saved firmware information, stop requests) so that the
// callers' code paths are real; they start nothing and emit no status.

CUpdateManager g_updateManager;

const char* const CUpdateManager::kProgramVersion = "3.0.4.30002";

CUpdateManager::CUpdateManager() = default;

CUpdateManager::~CUpdateManager()
{
    Exit();
}

bool CUpdateManager::Init(const QString& configPath)
{
    // A second Init starts from a clean state, like the first.
    Exit();
    m_bInitialized = false;
    LV_LOG_INFO(QStringLiteral("update support is not available in this build; update features stay off (config %1)")
                    .arg(configPath));
    // Without the update library there is nothing to initialise: fail cleanly.
    Exit();
    return false;
}

void CUpdateManager::Exit()
{
    // Nothing is running; release what Init could have created. The
    // initialised flag is left as it is on purpose (Init clears it).
    delete m_config;
    m_config = nullptr;
    std::memset(m_firmwareInfo, 0, sizeof(m_firmwareInfo));
}

void CUpdateManager::copyFirmwareInfo(const _KVUPDATE_FIRMWARE_INFO* info)
{
    if (!info)
        return;
    for (int i = 0; i < 4; ++i) {
        std::memset(m_firmwareInfo[i], 0, kFirmwareInfoTextSize);
        if (info->info[i])
            std::strncpy(m_firmwareInfo[i], info->info[i], kFirmwareInfoTextSize - 1);
    }
}

QString CUpdateManager::savedFirmwareInfo(int index) const
{
    if (index < 0 || index >= 4)
        return QString();
    return QString::fromLatin1(m_firmwareInfo[index]);
}

bool CUpdateManager::StartCheckFirmware(_KVUPDATE_FIRMWARE_INFO* info)
{
    copyFirmwareInfo(info);
    return false;   // no checker can be made without the update library
}

bool CUpdateManager::StartRegularCheckFirmware(_KVUPDATE_FIRMWARE_INFO* info)
{
    ++m_regularFirmwareStarts;
    copyFirmwareInfo(info);
    return false;
}

bool CUpdateManager::StartCheckSoftware()
{
    return false;
}

bool CUpdateManager::StartRegularCheckSoftware()
{
    ++m_regularSoftwareStarts;
    return false;
}

void CUpdateManager::StopCheck(UPDATE_TYPE type)
{
    if (type == UPDATE_FIRMWARE || type == UPDATE_SOFTWARE)
        ++m_stopCheckCalls;   // no running check to stop
}

void CUpdateManager::StopRegularCheck(UPDATE_TYPE)
{
    // No regular check can be running.
}

bool CUpdateManager::GetUpdateInfoHardware(PackageInfo&) const
{
    return false;   // no firmware checker: the argument stays untouched
}

bool CUpdateManager::GetUpdateInfoSoftware(PackageInfo&) const
{
    return false;
}

bool CUpdateManager::StartDownloadFirmware(PackageInfo*, const QString&)
{
    return false;
}

bool CUpdateManager::StartDownloadSoftware(PackageInfo*, const QString&)
{
    return false;
}

void CUpdateManager::StopDownload()
{
}

bool CUpdateManager::StartUpgradeFirmware(tagDEVICE_INSTANCE*, const QString&)
{
    return false;   // nothing is flashed
}

void CUpdateManager::StopUpgradeFirmware()
{
}

QString CUpdateManager::GetUpdateHelpURL() const
{
    return m_helpUrl;
}

void CUpdateManager::onTimer()
{
    // No flashing thread exists, so there is no status to relay.
}
