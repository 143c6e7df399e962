#include "update/updatemanager.h"

#include "logging/lvlogger.h"
#include "platform/kvupdate.h"
#include "update/cupgradefirmware.h"
#include "update/downloadfolder.h"
#include "update/firmwarefilecheck.h"
#include "update/updatechecker.h"
#include "update/updatedownloader.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>
#include <QSettings>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <cstring>

CUpdateManager g_updateManager;

const char* const CUpdateManager::kProgramVersion = "3.0.4.30002";
const char* const CUpdateManager::kSoftwareProductId = "1206";
const int CUpdateManager::kMaxFirmwareBytes = kMaxKvfFileBytes;
const int CUpdateManager::kMaxInstallerBytes = 512 * 1024 * 1024;

namespace {
const char kBuiltInHelpUrl[] = "https://www.lumivandrex.example/support/update";

// An unquoted value with commas reads as a list: join it back.
QString textValue(const QSettings& settings, const QString& key)
{
    const QVariant value = settings.value(key);
    return value.type() == QVariant::StringList ? value.toStringList().join(QLatin1Char(',')) : value.toString();
}

int timeoutOrDefault(const QSettings* config, const char* key)
{
    const int seconds = config->value(QLatin1String(key)).toInt();
    return seconds > 0 ? seconds : 5;
}

// Names longer than this do not fit the file systems a download lands on (ext4,
// APFS: 255 bytes), and the update library's partial file beside the destination,
// "." + name + "." + six characters, is 8 bytes longer still.
constexpr int kMaxFileNameBytes = 255;
constexpr int kPartialFileExtraBytes = 8;

// What makes a name unfit to show or to write: controls (C0, DEL, C1), the
// invisible format controls (the direction marks, embeddings, overrides and
// isolates among them, which can make "fw\u202Efvk.kvf" read as another name),
// line and paragraph separators, and U+FFFD, which stands for invalid UTF-8.
bool isUnfitCharacter(uint c)
{
    switch (QChar::category(c)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return c == 0xFFFD || c == '/' || c == '\\';
    }
}

// The folder's path once it passed its checks, empty when it was refused. The
// first opening in a run removes the stale partial files: a run's own downloads
// delete theirs when they fail or are closed.
QString openPrivateFolder(CDownloadFolder::Kind kind)
{
    static QSet<QString> swept;   // GUI thread
    const CDownloadFolder folder(kind);
    if (!folder.isOpen())
        return QString();
    if (!swept.contains(folder.path())) {
        swept.insert(folder.path());
        folder.removeStalePartialFiles();
    }
    return folder.path();
}

// A destination in a download folder, checked again when its download starts (the
// folder may have been swapped since its path was worked out); empty when refused.
// A caller's folder of its own is taken as it is.
QString checkedDestination(const QString& destPath)
{
    const QString folder = QFileInfo(destPath).path();
    for (const CDownloadFolder::Kind kind : {CDownloadFolder::Downloads, CDownloadFolder::Firmware}) {
        if (folder == CDownloadFolder::pathOf(kind))
            return CDownloadFolder(kind).isOpen() ? destPath : QString();
    }
    return destPath;
}
} // namespace

CUpdateManager::CUpdateManager() = default;

CUpdateManager::~CUpdateManager()
{
    Exit();
}

bool CUpdateManager::Init(const QString& configPath)
{
    Exit();   // a second Init starts from a clean state
    m_bInitialized = false;
    if (KVU_Init() != 0) {
        LV_LOG_ERROR("the update library did not start.");
        return false;
    }
    m_libraryUp = true;
    KVU_SetLogLevel(3);
    if (!QFile::exists(configPath)) {
        LV_LOG_ERROR("error!!! can not open file:" << configPath);
        Exit();
        return false;
    }
    m_config = new QSettings(configPath, QSettings::IniFormat);
    m_upgradeTimer = new QTimer(this);
    m_upgradeTimer->setInterval(m_pollMs);
    connect(m_upgradeTimer, &QTimer::timeout, this, &CUpdateManager::onTimer);
    std::memset(m_firmwareInfo, 0, sizeof m_firmwareInfo);
    m_softwarePath = m_config->value(QStringLiteral("UPGRADE/SoftwareURL")).toString();
    m_firmwarePath = m_config->value(QStringLiteral("UPGRADE/FirmwareURL")).toString();
    m_helpUrl = m_config->value(QStringLiteral("UPGRADE/HelpURL")).toString();
    const int dns = timeoutOrDefault(m_config, "UPGRADE/DnsTimeout");
    const int req = timeoutOrDefault(m_config, "UPGRADE/ReqTimeout");
    const QString servers = getDestServerURL();
    // JSON text is UTF-8: a server address outside Latin-1, or any non-ASCII one
    // sent as Latin-1, would make the list invalid.
    m_bInitialized = KVU_SetTimeout(dns, req) == 0 && KVU_SetUpdateServer(servers.toUtf8().constData()) == 0;
    if (!m_bInitialized) {
        LV_LOG_ERROR("the update library refused the time-outs or the server list.");
        Exit();
    }
    return m_bInitialized;
}

void CUpdateManager::Exit()
{
    delete m_upgradeTimer;
    m_upgradeTimer = nullptr;
    // Deleting a flashing thread waits until its flashing has ended.
    delete m_upgrade;
    m_upgrade = nullptr;
    for (const QPointer<CUpgradeFirmware>& retired : m_retired)
        delete retired.data();
    m_retired.clear();
    delete m_firmwareChecker;
    m_firmwareChecker = nullptr;
    delete m_softwareChecker;
    m_softwareChecker = nullptr;
    StopDownload(UPDATE_FIRMWARE);
    StopDownload(UPDATE_SOFTWARE);
    std::memset(m_firmwareInfo, 0, sizeof m_firmwareInfo);
    delete m_config;
    m_config = nullptr;
    if (m_libraryUp)
        KVU_UnInit();
    m_libraryUp = false;
}

void CUpdateManager::SetIntervalsForTest(int pollMs, int regularMs)
{
    m_pollMs = pollMs;
    m_regularMs = regularMs;
    for (CUpdateChecker* checker : {static_cast<CUpdateChecker*>(m_firmwareChecker),
                                    static_cast<CUpdateChecker*>(m_softwareChecker)}) {
        if (checker)
            checker->SetIntervals(pollMs, regularMs);
    }
    for (CUpdateDownloader* running : {m_firmwareDownloader, m_softwareDownloader}) {
        if (running)
            running->SetInterval(pollMs);
    }
    if (m_upgradeTimer)
        m_upgradeTimer->setInterval(pollMs);
}

// ---------------------------------------------------------------------- checks

void CUpdateManager::copyFirmwareInfo(const _KVUPDATE_FIRMWARE_INFO* info)
{
    if (!info)
        return;
    for (int i = 0; i < 4; ++i)
        CopyBoundedText(m_firmwareInfo[i], kFirmwareInfoTextSize, info->info[i]);
}

QString CUpdateManager::savedFirmwareInfo(int index) const
{
    if (index < 0 || index >= 4)
        return QString();
    return QString::fromLatin1(m_firmwareInfo[index]);
}

CUpdateFirmwareChecker* CUpdateManager::firmwareChecker()
{
    if (!m_firmwareChecker) {
        m_firmwareChecker = new CUpdateFirmwareChecker(m_firmwarePath);
        m_firmwareChecker->SetIntervals(m_pollMs, m_regularMs);
        connect(m_firmwareChecker, &CUpdateChecker::statusChanged, this, &CUpdateManager::statusChangedCheckFirmware);
    }
    const char* const info[4] = {m_firmwareInfo[0], m_firmwareInfo[1], m_firmwareInfo[2], m_firmwareInfo[3]};
    m_firmwareChecker->SetFirmwareInfo(info);
    return m_firmwareChecker;
}

CUpdateSoftwareChecker* CUpdateManager::softwareChecker()
{
    if (!m_softwareChecker) {
        const char* const info[2] = {kSoftwareProductId, kProgramVersion};
        m_softwareChecker = new CUpdateSoftwareChecker(m_softwarePath, info);
        m_softwareChecker->SetIntervals(m_pollMs, m_regularMs);
        connect(m_softwareChecker, &CUpdateChecker::statusChanged, this, &CUpdateManager::statusChangedCheckSoftware);
    }
    return m_softwareChecker;
}

bool CUpdateManager::StartCheckFirmware(_KVUPDATE_FIRMWARE_INFO* info)
{
    copyFirmwareInfo(info);
    if (!m_bInitialized)
        return false;
    firmwareChecker()->StartCheckForUpdate();
    return true;
}

bool CUpdateManager::StartRegularCheckFirmware(_KVUPDATE_FIRMWARE_INFO* info)
{
    ++m_regularFirmwareStarts;
    copyFirmwareInfo(info);
    if (!m_bInitialized)
        return false;
    return firmwareChecker()->StartRegularCheck();
}

bool CUpdateManager::StartCheckSoftware()
{
    if (!m_bInitialized)
        return false;
    softwareChecker()->StartCheckForUpdate();
    return true;
}

bool CUpdateManager::StartRegularCheckSoftware()
{
    ++m_regularSoftwareStarts;
    if (!m_bInitialized)
        return false;
    return softwareChecker()->StartRegularCheck();
}

void CUpdateManager::StopCheck(UPDATE_TYPE type)
{
    if (type != UPDATE_FIRMWARE && type != UPDATE_SOFTWARE)
        return;
    ++m_stopCheckCalls;
    CUpdateChecker* checker = type == UPDATE_FIRMWARE ? static_cast<CUpdateChecker*>(m_firmwareChecker)
                                                      : static_cast<CUpdateChecker*>(m_softwareChecker);
    if (checker)
        checker->StopCheckForUpdate();
}

void CUpdateManager::StopRegularCheck(UPDATE_TYPE type)
{
    CUpdateChecker* checker = type == UPDATE_FIRMWARE   ? static_cast<CUpdateChecker*>(m_firmwareChecker)
                              : type == UPDATE_SOFTWARE ? static_cast<CUpdateChecker*>(m_softwareChecker)
                                                        : nullptr;
    if (checker)
        checker->StopRegularCheck();
}

bool CUpdateManager::GetUpdateInfoHardware(PackageInfo& package) const
{
    if (!m_firmwareChecker)
        return false;
    package = m_firmwareChecker->package();
    return true;
}

bool CUpdateManager::GetUpdateInfoSoftware(PackageInfo& package) const
{
    if (!m_softwareChecker)
        return false;
    package = m_softwareChecker->package();
    return true;
}

// ---------------------------------------------------------------------- downloads

CUpdateDownloader*& CUpdateManager::downloader(UPDATE_TYPE type)
{
    return type == UPDATE_SOFTWARE ? m_softwareDownloader : m_firmwareDownloader;
}

bool CUpdateManager::startDownload(PackageInfo* package, const QString& destPath, UPDATE_TYPE type)
{
    if (!m_bInitialized || !package)
        return false;
    LV_LOG_INFO("file path=" << destPath);
    StopDownload(type);
    const bool firmware = type == UPDATE_FIRMWARE;
    const auto relay = firmware ? &CUpdateManager::statusChangedDownloadFirmware
                                : &CUpdateManager::statusChangedDownloadSoftware;
    const QString dest = checkedDestination(destPath);
    if (dest.isEmpty()) {
        LV_LOG_ERROR("download of " << package->url << " fails: its download folder was refused.");
        // No download is made; the failure comes from the event loop as a refusal by
        // the library would, unless this kind of download is stopped or started before.
        const unsigned int stops = m_downloadStops[type];
        QMetaObject::invokeMethod(this, [this, type, stops, relay] {
            if (m_downloadStops[type] == stops)
                emit (this->*relay)(0, -1);
        }, Qt::QueuedConnection);
        return true;
    }
    CUpdateDownloader* started =
        new CUpdateDownloader(*package, dest, firmware ? kMaxFirmwareBytes : kMaxInstallerBytes);
    downloader(type) = started;
    started->SetInterval(m_pollMs);
    connect(started, &CUpdateDownloader::statusChanged, this, relay);
    started->StartDownload();
    return true;
}

bool CUpdateManager::StartDownloadFirmware(PackageInfo* package, const QString& destPath)
{
    return startDownload(package, destPath, UPDATE_FIRMWARE);
}

bool CUpdateManager::StartDownloadSoftware(PackageInfo* package, const QString& destPath)
{
    return startDownload(package, destPath, UPDATE_SOFTWARE);
}

void CUpdateManager::StopDownload(UPDATE_TYPE type)
{
    if (type != UPDATE_FIRMWARE && type != UPDATE_SOFTWARE)
        return;
    ++m_downloadStops[type];
    CUpdateDownloader*& running = downloader(type);
    delete running;   // stops its timer and closes its handle: the partial file goes
    running = nullptr;
}

bool CUpdateManager::IsPlainFileName(const QString& name)
{
    if (name.isEmpty() || name.startsWith(QLatin1Char('.'))
        || QFile::encodeName(name).size() > kMaxFileNameBytes - kPartialFileExtraBytes)
        return false;
    const QVector<uint> characters = name.toUcs4();
    return std::none_of(characters.begin(), characters.end(), isUnfitCharacter);
}

QString CUpdateManager::GetDownloadDir()
{
    return openPrivateFolder(CDownloadFolder::Downloads);
}

QString CUpdateManager::GetFirmwareDownloadDir()
{
    return openPrivateFolder(CDownloadFolder::Firmware);
}

QString CUpdateManager::GetDownloadPath(const PackageInfo& package)
{
    // Split the still encoded path, so that an encoded "/" cannot pick the segment,
    // then decode that segment alone (invalid UTF-8 turns into U+FFFD).
    const QString path = QUrl(PackageText(package.url)).path(QUrl::FullyEncoded);
    QString name = QUrl::fromPercentEncoding(path.mid(path.lastIndexOf(QLatin1Char('/')) + 1).toUtf8());
    if (!IsPlainFileName(name))
        name = QStringLiteral("temp.kvf");
    const QString folder = GetFirmwareDownloadDir();
    return folder.isEmpty() ? QString() : folder + QLatin1Char('/') + name;
}

// ---------------------------------------------------------------------- flashing

bool CUpdateManager::StartUpgradeFirmware(tagDEVICE_INSTANCE* device, const QString& firmwarePath)
{
    m_upgradeRefusal = KVF_UNREADABLE;
    if (!m_bInitialized || !device)
        return false;
    if (m_upgrade && m_upgrade->isRunning()) {
        m_upgradeRefusal = KVF_BUSY;
        return false;
    }
    StopUpgradeFirmware();
    m_upgrade = new CUpgradeFirmware;
    const bool accepted = m_upgrade->Init(*device, firmwarePath.toLocal8Bit());
    m_upgradeRefusal = m_upgrade->GetRefusal();
    if (!accepted)
        return false;
    // The final status goes out as soon as the thread has ended.
    connect(m_upgrade, &QThread::finished, this, &CUpdateManager::onTimer);
    m_upgradeTimer->start();
    m_upgrade->start();
    return true;
}

void CUpdateManager::StopUpgradeFirmware()
{
    if (m_upgradeTimer)
        m_upgradeTimer->stop();
    retireUpgrade();
}

// A thread still flashing is let run to its end (it holds the presenter lock, and
// the caller may hold it too); it deletes itself then, or Exit waits for it.
void CUpdateManager::retireUpgrade()
{
    if (!m_upgrade)
        return;
    disconnect(m_upgrade, nullptr, this, nullptr);
    if (m_upgrade->isRunning()) {
        connect(m_upgrade, &QThread::finished, m_upgrade, &QObject::deleteLater);
        m_retired.append(m_upgrade);
    } else {
        delete m_upgrade;
    }
    m_upgrade = nullptr;
}

void CUpdateManager::onTimer()
{
    if (!m_upgrade)
        return;
    int status = 0, progress = 0;
    m_upgrade->GetStatus(status, progress);
    if (IsFinalUpgradeStatus(status) && !m_upgrade->isFinished())
        return;   // the thread is ending; its finished() brings the final status
    emit statusChangedUpgrade(status, progress);
}

QString CUpdateManager::UpgradeRefusalText(int refusal)
{
    switch (refusal) {
    case KVF_ACCEPTED:
        return QString();
    case KVF_DAMAGED:
        return tr("The firmware file is damaged. Please download it again.");
    case KVF_OTHER_DEVICE:
        return tr("The firmware file is not meant for this device.");
    case KVF_OLDER_VERSION:
        return tr("The firmware file is older than the firmware of the device.");
    case KVF_UNSUPPORTED_FLASH:
        return tr("The flash memory of this device is not supported.");
    case KVF_BUSY:
        return tr("A firmware update is already running.");
    default:
        return tr("The firmware file cannot be read. Please download it again.");
    }
}

// ---------------------------------------------------------------------- configuration

QString CUpdateManager::GetUpdateHelpURL() const
{
    return m_helpUrl.isEmpty() ? QString::fromLatin1(kBuiltInHelpUrl) : m_helpUrl;
}

bool CUpdateManager::getServerURL(CONFIG_TYPE type, QDateTime& date, QString& list) const
{
    QString time, servers;
    if (type == CONFIG_FILE && m_config) {
        time = textValue(*m_config, QStringLiteral("UPGRADE/ServerURLUpdateTime"));
        servers = textValue(*m_config, QStringLiteral("UPGRADE/ServerURL"));
    } else if (type == CONFIG_USER) {
        QSettings user(QStringLiteral("Kivorant"), QStringLiteral("Lumivandrex Utility V3.0"));
        time = textValue(user, QStringLiteral("ServerURLUpdateTime"));
        servers = textValue(user, QStringLiteral("ServerURL"));
    }
    if (time.isEmpty() || servers.isEmpty())
        return false;
    date = QDateTime::fromString(time, QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    const bool converted = parseServerURL(servers, list);
    return converted && date.isValid();
}

bool CUpdateManager::parseServerURL(const QString& text, QString& result)
{
    if (text.isEmpty())
        return false;
    QJsonArray array;
    for (const QString& part : text.split(QLatin1Char(',')))
        array.append(part);
    result = QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Indented));
    return true;
}

QString CUpdateManager::getDestServerURL() const
{
    QDateTime date;
    QString list;
    getServerURL(CONFIG_FILE, date, list);
    return list;
}
