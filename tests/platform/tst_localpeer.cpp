// The lock-and-socket layer under QtSingleApplication, inside one process: who is
// primary, the names on disk, and how the primary treats well- and ill-formed senders.

#include "platform/localpeer.h"

#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUuid>
#include <QtEndian>
#include <QtTest>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString uniqueId()
{
    return QStringLiteral("peer %1 %2").arg(::getpid()).arg(QUuid::createUuid().toString());
}

QByteArray frame(const QByteArray& payload)
{
    uchar header[4];
    qToBigEndian<quint32>(quint32(payload.size()), header);
    return QByteArray(reinterpret_cast<const char*>(header), 4) + payload;
}

} // namespace

class TestLocalPeer : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();

    void oneLockHolderPerId();
    void namesArePerUserHashedAndShort();
    void runtimeFolderChoice();
    void staleSocketFileIsReplaced();
    void rawSenderGetsAck();
    void oversizedLengthIsDropped();
    void lockHolderThatDoesNotListenTimesOut();

private:
    QTemporaryDir m_runtime{QDir::tempPath() + QStringLiteral("/lvpeer-XXXXXX")};
    QByteArray m_savedRuntime;
};

void TestLocalPeer::initTestCase()
{
    QVERIFY(m_runtime.isValid());
    m_savedRuntime = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
}

void TestLocalPeer::cleanupTestCase()
{
    qputenv("XDG_RUNTIME_DIR", m_savedRuntime);
}

void TestLocalPeer::oneLockHolderPerId()
{
    const QString id = uniqueId();
    auto first = std::make_unique<LocalPeer>(id);
    QVERIFY(!first->isClient());
    QVERIFY(first->isListening());

    // flock() locks belong to the open file, so a second peer in the same process
    // competes like another process would.
    LocalPeer second(id);
    QVERIFY(second.isClient());
    QVERIFY(!second.isListening());
    LocalPeer other(uniqueId());
    QVERIFY(!other.isClient());

    first.reset();
    QVERIFY(!QFileInfo::exists(second.socketPath()));
    QVERIFY(!second.isClient()); // took over once the holder was gone
    QVERIFY(second.isListening());
}

void TestLocalPeer::namesArePerUserHashedAndShort()
{
    const QString uid = QString::number(::getuid());
    const QString name = LocalPeer::baseName(QStringLiteral("KIVORANT Lumivandrex Utility 3.0"));
    QVERIFY(name.startsWith(QStringLiteral("lv-%1-").arg(uid)));
    QVERIFY(!name.contains(QLatin1Char(' ')));
    QVERIFY(name != LocalPeer::baseName(QStringLiteral("kivorant lumivandrex utility 3.0")));
    QCOMPARE(name, LocalPeer::baseName(QStringLiteral("KIVORANT Lumivandrex Utility 3.0")));

    const LocalPeer huge(QString(10000, QLatin1Char('x')) + QStringLiteral("/../\n"));
    QCOMPARE(QFileInfo(huge.socketPath()).path(), m_runtime.path());
    QVERIFY(QFile::encodeName(huge.socketPath()).size() < 108);
    QCOMPARE(QFileInfo(huge.lockPath()).path(), m_runtime.path());
}

void TestLocalPeer::runtimeFolderChoice()
{
    QCOMPARE(LocalPeer::runtimeDirectory(), m_runtime.path());

    // A relative or foreign value is not used; the fallback is private to this user.
    for (const QByteArray& value : {QByteArray("relative/dir"), QByteArray("/nonexistent/lv"),
                                    QByteArray()}) {
        qputenv("XDG_RUNTIME_DIR", value);
        const QString dir = LocalPeer::runtimeDirectory();
        QVERIFY2(dir.contains(QStringLiteral("lvsingle-%1").arg(::getuid())), qPrintable(dir));
        struct stat info {};
        QCOMPARE(::lstat(QFile::encodeName(dir).constData(), &info), 0);
        QVERIFY(S_ISDIR(info.st_mode));
        QCOMPARE(info.st_uid, ::getuid());
        QCOMPARE(int(info.st_mode & 077), 0);
    }

    // A runtime folder too deep for a socket address is not used either.
    QTemporaryDir deep(m_runtime.path() + QLatin1Char('/') + QString(90, QLatin1Char('d')) + QStringLiteral("XXXXXX"));
    QVERIFY(deep.isValid());
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(deep.path()));
    QVERIFY(LocalPeer::runtimeDirectory() != deep.path());
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
}

void TestLocalPeer::staleSocketFileIsReplaced()
{
    const QString id = uniqueId();
    const LocalPeer names(id);
    {
        QFile stale(names.socketPath());
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write("left over");
    }
    LocalPeer primary(id);
    QVERIFY(!primary.isClient());
    QVERIFY(primary.isListening());

    QSignalSpy spy(&primary, &LocalPeer::messageReceived);
    QLocalSocket client;
    client.connectToServer(primary.socketPath());
    QVERIFY(client.waitForConnected(1000));
    client.write(frame("after stale"));
    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("after stale"));
}

void TestLocalPeer::rawSenderGetsAck()
{
    LocalPeer primary(uniqueId());
    QVERIFY(!primary.isClient());
    QSignalSpy spy(&primary, &LocalPeer::messageReceived);

    // The frame arrives in pieces, the header split in the middle.
    const QByteArray whole = frame(QStringLiteral("zwölf").toUtf8());
    QLocalSocket client;
    client.connectToServer(primary.socketPath());
    QVERIFY(client.waitForConnected(1000));
    client.write(whole.left(2));
    client.flush();
    QTest::qWait(50);
    QCOMPARE(spy.count(), 0);
    client.write(whole.mid(2, 3));
    client.flush();
    QTest::qWait(50);
    QCOMPARE(spy.count(), 0);
    client.write(whole.mid(5));
    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("zwölf"));
    QTRY_COMPARE(client.bytesAvailable(), qint64(3));
    QCOMPARE(client.readAll(), QByteArray("ack"));
    QTRY_COMPARE(client.state(), QLocalSocket::UnconnectedState);

    // An empty text is a message too.
    QLocalSocket empty;
    empty.connectToServer(primary.socketPath());
    QVERIFY(empty.waitForConnected(1000));
    empty.write(frame(QByteArray()));
    QTRY_COMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1).at(0).toString(), QString());
}

void TestLocalPeer::oversizedLengthIsDropped()
{
    LocalPeer primary(uniqueId());
    QVERIFY(!primary.isClient());
    QSignalSpy spy(&primary, &LocalPeer::messageReceived);

    QLocalSocket liar;
    liar.connectToServer(primary.socketPath());
    QVERIFY(liar.waitForConnected(1000));
    liar.write(QByteArray("\xff\xff\xff\xf0", 4) + QByteArray(64, 'x'));
    QTRY_COMPARE(liar.state(), QLocalSocket::UnconnectedState);
    QCOMPARE(liar.bytesAvailable(), qint64(0));
    QCOMPARE(spy.count(), 0);

    QLocalSocket honest;
    honest.connectToServer(primary.socketPath());
    QVERIFY(honest.waitForConnected(1000));
    honest.write(frame("fine"));
    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("fine"));
}

void TestLocalPeer::lockHolderThatDoesNotListenTimesOut()
{
    const QString id = uniqueId();
    const LocalPeer names(id);
    const int fd = ::open(QFile::encodeName(names.lockPath()).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    QVERIFY(fd >= 0);
    QCOMPARE(::flock(fd, LOCK_EX | LOCK_NB), 0);

    LocalPeer client(id);
    QVERIFY(client.isClient());
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!client.sendMessage(QStringLiteral("nobody listens"), 300));
    QVERIFY2(clock.elapsed() >= 250 && clock.elapsed() < 1500, qPrintable(QString::number(clock.elapsed())));

    ::close(fd);
    QVERIFY(!client.isClient());
    QVERIFY(!client.sendMessage(QStringLiteral("primary now"), 300));
}

QTEST_GUILESS_MAIN(TestLocalPeer)
#include "tst_localpeer.moc"
