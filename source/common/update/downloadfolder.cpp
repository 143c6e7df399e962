#include "update/downloadfolder.h"

#include "logging/lvlogger.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString cacheFolder()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    return dir.isEmpty() ? QDir::homePath() + QStringLiteral("/.cache/LumivandrexUtility") : dir;
}

// Why `name` in `parent` could not be opened as a folder (looked at, not followed).
QString errorText(int error, int parent = -1, const char* name = nullptr)
{
    struct stat st {};
    if (error != ENOTDIR && error != ELOOP)
        return QString::fromLocal8Bit(std::strerror(error));
    if (name && fstatat(parent, name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(st.st_mode))
        return QStringLiteral("a symbolic link stands there");
    return QStringLiteral("not a folder");
}

// `name` inside the open folder `parent`: created for the owner alone when
// missing, opened without following a link, accepted only as a folder of this
// user, and made owner-only through its descriptor. -1 when refused.
int openOwnFolder(int parent, const char* name, const QString& path)
{
    QString refusal;
    int fd = -1;
    struct stat st {};
    if (mkdirat(parent, name, 0700) != 0 && errno != EEXIST)
        refusal = errorText(errno);
    else if ((fd = openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC)) < 0 || fstat(fd, &st) != 0)
        refusal = errorText(errno, parent, name);
    else if (st.st_uid != geteuid())
        refusal = QStringLiteral("it belongs to user id %1").arg(st.st_uid);
    else if ((st.st_mode & 07777) != 0700 && fchmod(fd, 0700) != 0)
        refusal = QStringLiteral("it cannot be made owner-only: ") + errorText(errno);
    if (refusal.isEmpty())
        return fd;
    LV_LOG_ERROR("download folder " << path << " refused (" << refusal << "); the download fails.");
    if (fd >= 0)
        close(fd);
    return -1;
}

} // namespace

QString CDownloadFolder::pathOf(Kind kind)
{
    const QString downloads = cacheFolder() + QStringLiteral("/downloads");
    return kind == Firmware ? downloads + QStringLiteral("/firmware") : downloads;
}

CDownloadFolder::CDownloadFolder(Kind kind) : m_path(pathOf(kind))
{
    // The cache folder itself is the user's to place, through a link or not.
    const QString base = cacheFolder();
    QDir().mkpath(base);
    const int cache = open(QFile::encodeName(base).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (cache < 0) {
        LV_LOG_ERROR("cache folder " << base << " cannot be opened (" << errorText(errno) << "); the download fails.");
        return;
    }
    const int downloads = openOwnFolder(cache, "downloads", pathOf(Downloads));
    close(cache);
    if (kind == Downloads || downloads < 0) {
        m_fd = downloads;
        return;
    }
    m_fd = openOwnFolder(downloads, "firmware", m_path);
    close(downloads);
}

CDownloadFolder::~CDownloadFolder()
{
    if (m_fd >= 0)
        close(m_fd);
}

void CDownloadFolder::removeStalePartialFiles() const
{
    static const QRegularExpression partial(QStringLiteral("^\\..+\\.[A-Za-z0-9]{6}$"));
    if (m_fd < 0)
        return;
    // A listing of its own, so the folder's descriptor keeps no reading position.
    const int listing = openat(m_fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* dir = listing >= 0 ? fdopendir(listing) : nullptr;
    if (!dir) {
        if (listing >= 0)
            close(listing);
        return;
    }
    while (const dirent* entry = readdir(dir)) {
        const QString name = QFile::decodeName(entry->d_name);
        struct stat st {};
        if (partial.match(name).hasMatch() && fstatat(m_fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0
            && S_ISREG(st.st_mode) && unlinkat(m_fd, entry->d_name, 0) == 0)
            LV_LOG_INFO("removed the stale partial download " << name);
    }
    closedir(dir);
}
