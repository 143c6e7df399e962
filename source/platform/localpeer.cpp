#include "platform/localpeer.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>
#include <QtDebug>
#include <QtEndian>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

const QByteArray kAck = QByteArrayLiteral("ack");
constexpr int kDefaultTimeoutMs = 5000;
constexpr int kConnectRetryMs = 50;

// A folder that only this user can enter: owned by us, a real folder, no group or
// other access. Anything else could let another user take over our socket name.
bool isPrivateFolder(const QString& path, bool requireMode700)
{
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return false;
    if (!S_ISDIR(info.st_mode) || info.st_uid != ::getuid())
        return false;
    return !requireMode700 || (info.st_mode & 077) == 0;
}

std::size_t maxSocketPathBytes()
{
    return sizeof(sockaddr_un::sun_path) - 1;
}

} // namespace

QString LocalPeer::runtimeDirectory()
{
    // The longest name we put there, so a deep runtime folder does not break listen().
    // QLocalServer binds in a temporary sub-folder "<name>XXXXXX/s" first and then
    // renames the socket into place, hence the extra room.
    const int longestName = baseName(QString()).size() + int(sizeof(".sock")) + 8;
    auto fits = [&](const QString& dir) {
        return std::size_t(QFile::encodeName(dir).size() + 1 + longestName) <= maxSocketPathBytes();
    };

    const QString xdg = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg) && isPrivateFolder(xdg, false) && fits(xdg))
        return QDir::cleanPath(xdg);

    QString temp = QDir::tempPath();
    if (!fits(temp + QStringLiteral("/lvsingle-4294967295")))
        temp = QStringLiteral("/tmp");
    const QString fallback = QStringLiteral("%1/lvsingle-%2").arg(temp).arg(::getuid());
    ::mkdir(QFile::encodeName(fallback).constData(), 0700);
    if (isPrivateFolder(fallback, true))
        return fallback;

    // Someone else owns that name: still work, with the user id in our file names.
    qWarning() << "single instance: cannot use a private runtime folder, falling back to" << temp;
    return temp;
}

QString LocalPeer::baseName(const QString& applicationId)
{
    const QByteArray hash =
        QCryptographicHash::hash(applicationId.toUtf8(), QCryptographicHash::Sha256).toHex().left(32);
    return QStringLiteral("lv-%1-%2").arg(::getuid()).arg(QString::fromLatin1(hash));
}

LocalPeer::LocalPeer(const QString& applicationId, QObject* parent)
    : QObject(parent)
    , m_applicationId(applicationId)
{
    const QString base = runtimeDirectory() + QLatin1Char('/') + baseName(applicationId);
    m_socketPath = base + QStringLiteral(".sock");
    m_lockPath = base + QStringLiteral(".lock");
}

LocalPeer::~LocalPeer()
{
    if (m_server)
        m_server->close(); // removes the socket file while we still hold the lock
    if (m_lockFd >= 0)
        ::close(m_lockFd); // releases the lock; the file stays for the next start
}

bool LocalPeer::isListening() const
{
    return m_server && m_server->isListening();
}

bool LocalPeer::tryLock()
{
    if (m_lockFd < 0) {
        m_lockFd = ::open(QFile::encodeName(m_lockPath).constData(),
                          O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (m_lockFd < 0) {
            qWarning() << "single instance: cannot open" << m_lockPath << ::strerror(errno);
            return false;
        }
    }
    int rc;
    do {
        rc = ::flock(m_lockFd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0)
        return false;

    // The holder's pid, for whoever looks at the file; the lock is what counts.
    const QByteArray pid = QByteArray::number(qint64(::getpid())) + '\n';
    if (::ftruncate(m_lockFd, 0) == 0 && ::pwrite(m_lockFd, pid.constData(), size_t(pid.size()), 0) < 0)
        qWarning() << "single instance: cannot record the pid in" << m_lockPath;
    return true;
}

bool LocalPeer::isClient()
{
    if (m_primary)
        return false;
    if (tryLock()) {
        m_primary = true;
        startServer();
        return false;
    }
    if (m_lockFd >= 0)
        return true; // the lock file is open and someone else holds the lock

    // No lock file at all (unwritable folder): the only test left is whether a
    // primary answers on the socket.
    QLocalSocket probe;
    probe.connectToServer(m_socketPath);
    if (probe.waitForConnected(200))
        return true;
    m_primary = true;
    startServer();
    return false;
}

void LocalPeer::startServer()
{
    if (m_server)
        return;
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // Whatever lies at the socket path was left by a primary that died: we hold the
    // lock now, so nobody else can be listening there.
    QLocalServer::removeServer(m_socketPath);
    if (!m_server->listen(m_socketPath)) {
        qWarning() << "single instance: cannot listen on" << m_socketPath << m_server->errorString();
        return;
    }
    connect(m_server, &QLocalServer::newConnection, this, &LocalPeer::acceptConnections);
}

void LocalPeer::acceptConnections()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrom(socket); });
        // A sender that stalls (stopped, or not ours) must not keep a socket open forever.
        QTimer::singleShot(kReceiveTimeoutMs, socket, [socket] {
            socket->abort();
            socket->deleteLater();
        });
        readFrom(socket); // data may already be waiting
    }
}

void LocalPeer::readFrom(QLocalSocket* socket)
{
    if (socket->bytesAvailable() < 4)
        return;
    uchar header[4];
    if (socket->peek(reinterpret_cast<char*>(header), 4) != 4)
        return;
    const quint32 length = qFromBigEndian<quint32>(header);
    if (length > quint32(kMaxMessageBytes)) {
        qWarning() << "single instance: dropping a message of" << length << "bytes";
        disconnect(socket, nullptr, this, nullptr);
        socket->abort();
        socket->deleteLater();
        return;
    }
    if (socket->bytesAvailable() < qint64(4 + length))
        return;

    socket->read(4);
    const QString message = QString::fromUtf8(socket->read(length));
    disconnect(socket, nullptr, this, nullptr);

    // Acknowledge before anyone handles the message, so whatever the handler does
    // (a modal dialog, say) never keeps the sending start waiting.
    socket->write(kAck);
    socket->flush();
    socket->disconnectFromServer(); // still delivers the pending bytes

    emit messageReceived(message);
}

bool LocalPeer::sendMessage(const QString& message, int timeoutMs)
{
    if (!isClient())
        return false;
    const QByteArray payload = message.toUtf8();
    if (payload.size() > kMaxMessageBytes)
        return false;
    if (timeoutMs < 0)
        timeoutMs = kDefaultTimeoutMs;

    QElapsedTimer clock;
    clock.start();
    auto remaining = [&] { return int(qMax<qint64>(0, timeoutMs - clock.elapsed())); };

    // The primary may hold the lock but not listen yet (it is starting right now),
    // so a refused connection is retried until the time is up.
    QLocalSocket socket;
    for (;;) {
        socket.connectToServer(m_socketPath);
        if (socket.waitForConnected(remaining()))
            break;
        socket.abort();
        if (remaining() == 0)
            return false;
        QThread::msleep(unsigned(qMin(kConnectRetryMs, remaining())));
    }

    uchar header[4];
    qToBigEndian<quint32>(quint32(payload.size()), header);
    socket.write(reinterpret_cast<const char*>(header), 4);
    socket.write(payload);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(remaining()))
            return false;
    }

    QByteArray reply;
    while (reply.size() < kAck.size()) {
        if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(remaining()))
            break;
        reply += socket.read(kAck.size() - reply.size());
    }
    socket.abort();
    return reply == kAck;
}
