#include "update/updatedownloader.h"

#include "logging/lvlogger.h"
#include "platform/kvupdate.h"
#include "update/updatechecker.h"

#include <QTimer>

namespace {
constexpr int kFirstAnswerPollMs = 50;
}

CUpdateDownloader::CUpdateDownloader(const PackageInfo& package, const QString& destPath, int maxBytes)
    : m_timer(new QTimer(this))
    , m_firstAnswerTimer(new QTimer(this))
    , m_destPath(destPath)
    , m_package(package)
    , m_maxBytes(maxBytes)
{
    m_timer->setInterval(2000);
    connect(m_timer, &QTimer::timeout, this, &CUpdateDownloader::onTimerDownloader);
    m_firstAnswerTimer->setInterval(kFirstAnswerPollMs);
    connect(m_firstAnswerTimer, &QTimer::timeout, this, &CUpdateDownloader::onFirstAnswerPoll);
    connect(this, &CUpdateDownloader::statusChanged, this, &CUpdateDownloader::onStatusChanged);
}

CUpdateDownloader::~CUpdateDownloader()
{
    closeHandle();
}

void CUpdateDownloader::SetInterval(int pollMs)
{
    m_timer->setInterval(pollMs);
}

void CUpdateDownloader::closeHandle()
{
    m_firstAnswerTimer->stop();
    StopPolling(m_timer, m_handle);
}

bool CUpdateDownloader::StartDownload()
{
    closeHandle();
    m_handle = KVU_Download(m_package.url, m_destPath.toLocal8Bit().constData(), 1, m_package.md5,
                            m_maxBytes, 0);
    if (!m_handle) {
        LV_LOG_ERROR("download of " << m_package.url << " refused by the update library.");
        // Reported from the event loop, so the caller sees it after its own call returned.
        QMetaObject::invokeMethod(this, [this] { emit statusChanged(0, -1); }, Qt::QueuedConnection);
        return false;
    }
    LV_LOG_INFO("download of " << m_package.url << " started, handle " << m_handle);
    m_timer->start();
    m_firstAnswerTimer->start();
    return true;
}

void CUpdateDownloader::onFirstAnswerPoll()
{
    // "Connecting" is not news: the caller shows the download under way from its start.
    if (m_handle && KVU_GetStatus(m_handle) == KV_UPDATE_CONNECTING)
        return;
    m_firstAnswerTimer->stop();
    onTimerDownloader();
}

void CUpdateDownloader::onTimerDownloader()
{
    if (!m_handle) {
        emit statusChanged(0, -1);
        return;
    }
    const int status = KVU_GetStatus(m_handle);
    switch (status) {
    case 0:
        return;   // nothing yet
    case KV_UPDATE_CONNECTING:
    case KV_UPDATE_TRANSFERRING: {
        int total = 0, received = 0;
        if (KVU_GetDownloadResult(m_handle, &total, &received) != 0) {
            emit statusChanged(0, -2);
            return;
        }
        emit statusChanged(1, total > 0 ? int(qMin<qint64>(100, qint64(received) * 100 / total)) : 0);
        return;
    }
    case KV_UPDATE_SUCCESS:
        emit statusChanged(2, 0);
        return;
    case KV_UPDATE_CHECK_FILE_MD5_ERROR:
        LV_LOG_ERROR("KV_UPDATE_CHECK_FILE_MD5_ERROR! md5 " << m_package.md5 << " url " << m_package.url
                                                             << " version " << m_package.version);
        emit statusChanged(0, -4);
        return;
    default:
        LV_LOG_ERROR("download failed, status 0x" << QString::number(status, 16));
        emit statusChanged(0, -3);
        return;
    }
}

void CUpdateDownloader::onStatusChanged(int nDownloadStatus, int)
{
    if (nDownloadStatus == 0 || nDownloadStatus == 2)
        closeHandle();
}
