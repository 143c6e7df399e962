// Where per-user stores live: below $XDG_CONFIG_HOME, or $HOME/.config when that is
// unset or not absolute; read afresh on every call.

#include "platform/userstores.h"

#include <QTemporaryDir>
#include <QtTest>

class TestUserStores : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void configHomeFollowsEnvironment();
    void storeIsIniBelowConfigHome();

private:
    QTemporaryDir m_home{QDir::tempPath() + QStringLiteral("/lvstore-XXXXXX")};
};

void TestUserStores::initTestCase()
{
    QVERIFY(m_home.isValid());
    qputenv("HOME", QFile::encodeName(m_home.path()));
}

void TestUserStores::configHomeFollowsEnvironment()
{
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.filePath(QStringLiteral("xdg/"))));
    QCOMPARE(lvplatform::configHome(), m_home.filePath(QStringLiteral("xdg")));
    qputenv("XDG_CONFIG_HOME", "relative/config");
    QCOMPARE(lvplatform::configHome(), m_home.filePath(QStringLiteral(".config")));
    qunsetenv("XDG_CONFIG_HOME");
    QCOMPARE(lvplatform::configHome(), m_home.filePath(QStringLiteral(".config")));
}

void TestUserStores::storeIsIniBelowConfigHome()
{
    const QString xdg = m_home.filePath(QStringLiteral("conf"));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(xdg));
    const QString path = lvplatform::userStoreFilePath(QStringLiteral("Kivorant"), QStringLiteral("Lumivandrex Utility V3.0"));
    QCOMPARE(path, xdg + QStringLiteral("/Kivorant/Lumivandrex Utility V3.0.ini"));
    {
        auto store = lvplatform::openUserStore(QStringLiteral("Kivorant"), QStringLiteral("Lumivandrex Utility V3.0"));
        QCOMPARE(store->format(), QSettings::IniFormat);
        store->setValue(QStringLiteral("Path"), QStringLiteral("/home/jürgen/LumivandrexUtility /minimized"));
        store->sync();
        QCOMPARE(store->status(), QSettings::NoError);
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    // Written as readable UTF-8, not as escape sequences.
    QVERIFY(file.readAll().contains("Path=/home/j\xc3\xbcrgen/LumivandrexUtility /minimized"));
}

QTEST_GUILESS_MAIN(TestUserStores)
#include "tst_userstores.moc"
