#pragma once
// One program instance per user and id, and the message channel from later starts.
//
// The instance that holds an exclusive flock() on <runtime dir>/<name>.lock is the
// primary; it listens on <runtime dir>/<name>.sock. The kernel drops the lock when
// the holder dies, however it dies, so a crash or kill -9 never blocks later
// starts; the next primary removes the stale socket file, which is safe because
// only the lock holder ever listens there. <name> holds the user id and a hash of
// the application id, so users and ids never meet and the id's text never reaches
// the file system.
//
// Wire format, client to primary: 4-byte big-endian length, UTF-8 text. The primary
// answers "ack" and closes. Everything runs on the thread that owns the peer.

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

class LocalPeer : public QObject
{
    Q_OBJECT
public:
    // Longest message accepted in either direction, so a bogus length field cannot
    // make the primary buffer without bound.
    static constexpr int kMaxMessageBytes = 1 << 20;
    // A connection that has not delivered its message by then is dropped.
    static constexpr int kReceiveTimeoutMs = 10000;

    explicit LocalPeer(const QString& applicationId, QObject* parent = nullptr);
    ~LocalPeer() override;

    // True when another live instance is the primary. Otherwise this peer becomes
    // (or already is) the primary and starts listening; the answer is re-evaluated
    // on each call while this peer is not the primary.
    bool isClient();

    // Sends to the primary and waits for its acknowledgement, at most timeoutMs in
    // all (a negative value means the default 5000 ms). False when this peer is the
    // primary, on time-out, or when no primary accepts the message.
    bool sendMessage(const QString& message, int timeoutMs);

    QString applicationId() const { return m_applicationId; }
    QString socketPath() const { return m_socketPath; }
    QString lockPath() const { return m_lockPath; }
    bool isListening() const;

    // Per-user folder for the lock and socket: $XDG_RUNTIME_DIR when it is a folder of
    // ours, otherwise a private 0700 folder below the temporary folder.
    static QString runtimeDirectory();
    // "lv-<uid>-<hash of the id>"
    static QString baseName(const QString& applicationId);

signals:
    void messageReceived(const QString& message);

private:
    bool tryLock();
    void startServer();
    void acceptConnections();
    void readFrom(QLocalSocket* socket);

    QString m_applicationId;
    QString m_socketPath;
    QString m_lockPath;
    int m_lockFd = -1;          // open while this peer holds the lock
    bool m_primary = false;
    QLocalServer* m_server = nullptr;
};
