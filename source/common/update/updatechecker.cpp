#include "update/updatechecker.h"

#include "logging/lvlogger.h"
#include "platform/kvupdate.h"

#include <QStringList>
#include <QTimer>

#include <cstring>
#include <vector>

namespace {
constexpr int kMaxRestarts = 3;
}

void CopyBoundedText(char* field, int fieldSize, const char* text)
{
    std::memset(field, 0, size_t(fieldSize));
    if (text)
        std::strncpy(field, text, size_t(fieldSize - 1));
}

void StopPolling(QTimer* timer, unsigned int& handle)
{
    timer->stop();
    if (handle)
        KVU_Close(handle);
    handle = 0;
}

QString MajorMinor(const QString& version)
{
    const QStringList parts = version.split(QLatin1Char('.'));
    return parts.size() < 2 ? QString() : parts[0] + QLatin1Char('.') + parts[1];
}

CUpdateChecker::CUpdateChecker()
    : m_checkTimer(new QTimer(this)), m_regularTimer(new QTimer(this))
{
    std::memset(&m_package, 0, sizeof m_package);
    m_checkTimer->setInterval(2000);
    m_regularTimer->setInterval(24 * 3600 * 1000);
    connect(m_checkTimer, &QTimer::timeout, this, &CUpdateChecker::onTimerChecker);
    connect(m_regularTimer, &QTimer::timeout, this, &CUpdateChecker::onTimerRegular);
}

CUpdateChecker::~CUpdateChecker()
{
    endAttempt();
    m_regularTimer->stop();
}

void CUpdateChecker::SetIntervals(int pollMs, int regularMs)
{
    m_checkTimer->setInterval(pollMs);
    m_regularTimer->setInterval(regularMs);
}

bool CUpdateChecker::isChecking() const
{
    return m_handle != 0;
}

void CUpdateChecker::endAttempt()
{
    m_busyTicks = 0;
    StopPolling(m_checkTimer, m_handle);
}

bool CUpdateChecker::startAttempt()
{
    endAttempt();
    m_handle = CreateCheckInstance();
    if (!m_handle) {
        LV_LOG_ERROR("the update library refused the check.");
        return false;
    }
    LV_LOG_INFO("update check started, handle " << m_handle);
    m_checkTimer->start();
    return true;
}

bool CUpdateChecker::StartCheckForUpdate()
{
    if (startAttempt())
        return true;
    emit statusChanged(0);
    return false;
}

void CUpdateChecker::StopCheckForUpdate()
{
    endAttempt();
}

bool CUpdateChecker::StartRegularCheck()
{
    m_regularTimer->stop();
    StartCheckForUpdate();
    m_regularTimer->start();
    return true;
}

void CUpdateChecker::StopRegularCheck()
{
    m_regularTimer->stop();
}

void CUpdateChecker::onTimerRegular()
{
    StartCheckForUpdate();
}

void CUpdateChecker::onTimerChecker()
{
    const int status = m_handle ? KVU_GetStatus(m_handle) : 0;
    switch (status) {
    case KV_UPDATE_CONNECTING:
    case KV_UPDATE_TRANSFERRING:
        // Busy too long: start afresh while restarts are left, else keep polling.
        if (++m_busyTicks >= m_busyLimit && m_retryCount++ < kMaxRestarts && !startAttempt()) {
            emit statusChanged(0);
            return;
        }
        emit statusChanged(1);
        return;
    case KV_UPDATE_SUCCESS:
        m_chosen = parsePackageInfo(m_handle, m_package);
        endAttempt();
        m_retryCount = 0;
        LV_LOG_INFO("update check done, offer " << m_chosen);
        emit statusChanged(m_chosen >= 0 ? 3 : 2);
        return;
    case KV_UPDATE_NO_UPDATE:
    case KV_UPDATE_NOT_FOUND:
        endAttempt();
        m_retryCount = 0;
        emit statusChanged(2);
        return;
    default:
        LV_LOG_ERROR("error !!!! KV_UPDATE_FAILED. maybe can't connect to the upgrade server. status 0x"
                     << QString::number(status, 16));
        endAttempt();
        if (m_retryCount++ < kMaxRestarts)
            startAttempt();
        emit statusChanged(0);
        return;
    }
}

int CUpdateChecker::parsePackageInfoBase(unsigned int handle, PackageInfo& package, const QString& versionKey,
                                         const QString& currentVersion)
{
    const int count = KVU_GetCheckResultCount(handle);
    if (count < 1)
        return -1;
    const QByteArray key = versionKey.toLatin1();
    int best = -1;
    QString newest = currentVersion;
    PackageInfo candidate;
    std::memset(&candidate, 0, sizeof candidate);
    for (int i = 0; i < count; ++i) {
        int pairs = 0;
        if (KVU_GetCheckResult(handle, i, nullptr, &pairs) != 0 || pairs <= 0)
            continue;
        std::vector<KVU_RESULT_PAIR> records(static_cast<size_t>(pairs));
        std::memset(records.data(), 0, records.size() * sizeof(KVU_RESULT_PAIR));
        if (KVU_GetCheckResult(handle, i, records.data(), &pairs) != 0)
            continue;
        PackageInfo offer;
        std::memset(&offer, 0, sizeof offer);
        for (int p = 0; p < pairs; ++p) {
            const KVU_RESULT_PAIR& r = records[size_t(p)];
            char* field = nullptr;
            if (key == r.key)
                field = offer.version;
            else if (!std::strcmp(r.key, "url"))
                field = offer.url;
            else if (!std::strcmp(r.key, "MD5"))
                field = offer.md5;
            else if (!std::strcmp(r.key, "ChangeLog"))
                field = offer.changeLog;
            if (field)
                CopyBoundedText(field, sizeof offer.version, r.value);
        }
        const QString version = PackageText(offer.version);
        if (compareVersion(version, newest) > 0) {
            newest = version;
            best = i;
            candidate = offer;
        }
    }
    std::memset(&package, 0, sizeof package);
    if (best != -1)
        package = candidate;
    return best;
}

int CUpdateChecker::compareVersion(const QString& a, const QString& b)
{
    const QStringList pa = a.split(QLatin1Char('.'));
    const QStringList pb = b.split(QLatin1Char('.'));
    for (int i = 0; i < qMax(pa.size(), pb.size()); ++i) {
        const qulonglong x = i < pa.size() ? pa[i].toULongLong() : 0;   // not a number reads as 0
        const qulonglong y = i < pb.size() ? pb[i].toULongLong() : 0;
        if (x != y)
            return x > y ? 1 : -1;
    }
    return 0;
}

// ---------------------------------------------------------------------- kinds

CUpdateSoftwareChecker::CUpdateSoftwareChecker(const QString& requestPath, const char* const info[2])
    : m_path(requestPath.toLatin1()), m_currentVersion(QString::fromLatin1(info[1]))
{
    CopyBoundedText(m_productId, sizeof m_productId, info[0]);
    CopyBoundedText(m_version, sizeof m_version, MajorMinor(m_currentVersion).toLatin1().constData());
}

unsigned int CUpdateSoftwareChecker::CreateCheckInstance()
{
    const char* const info[2] = {m_productId, m_version};
    return KVU_CheckSoftware(m_path.constData(), info, 0, 0);
}

int CUpdateSoftwareChecker::parsePackageInfo(unsigned int handle, PackageInfo& package)
{
    return parsePackageInfoBase(handle, package, QStringLiteral("SoftwareVersion"), m_currentVersion);
}

CUpdateFirmwareChecker::CUpdateFirmwareChecker(const QString& requestPath) : m_path(requestPath.toLatin1()) {}

void CUpdateFirmwareChecker::SetFirmwareInfo(const char* const info[4])
{
    for (int i = 0; i < 3; ++i)
        CopyBoundedText(m_info[i], sizeof m_info[i], info[i]);
    m_currentVersion = QString::fromLatin1(info[3]);
    CopyBoundedText(m_info[3], sizeof m_info[3], MajorMinor(m_currentVersion).toLatin1().constData());
}

unsigned int CUpdateFirmwareChecker::CreateCheckInstance()
{
    const char* const info[4] = {m_info[0], m_info[1], m_info[2], m_info[3]};
    return KVU_CheckFirmware(m_path.constData(), info, 0, 0);
}

int CUpdateFirmwareChecker::parsePackageInfo(unsigned int handle, PackageInfo& package)
{
    return parsePackageInfoBase(handle, package, QStringLiteral("FirmwareVersion"), m_currentVersion);
}
