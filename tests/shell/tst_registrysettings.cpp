// Per-user settings and start with the system, in a temporary HOME and
// XDG_CONFIG_HOME (fresh per test function), never in the real home.

#include "shell/autostartconfig.h"
#include "shell/registrysettings.h"
#include "platform/autostart.h"
#include "platform/userstores.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class TestRegistrySettings : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();

    void acceptMessageDefaultsToTrueAndIsWritten();
    void storedAcceptMessageIsRead();
    void autoRunOnAndOff();
    void autostartEntryIsValid();
    void hiddenEntryIsNotAutoRun();
    void failedSwitchIsNotReportedAsDone();

private:
    QString secondStoreValue();
    QTemporaryDir m_home{QDir::tempPath() + QStringLiteral("/lvreg-XXXXXX")};
    QString m_config;
    int m_round = 0;
};

void TestRegistrySettings::initTestCase()
{
    QVERIFY(m_home.isValid());
    qputenv("HOME", QFile::encodeName(m_home.path()));
    QCoreApplication::setApplicationName(QStringLiteral("LumivandrexUtility"));
}

void TestRegistrySettings::init()
{
    m_config = m_home.filePath(QStringLiteral("config%1").arg(++m_round));
    QVERIFY(QDir().mkpath(m_config));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config));
}

QString TestRegistrySettings::secondStoreValue()
{
    QSettings store(m_config + QStringLiteral("/kivorant/LumivandrexUtility.ini"), QSettings::IniFormat);
    store.setIniCodec("UTF-8");
    return store.value(QStringLiteral("LumivandrexUtility")).toString();
}

void TestRegistrySettings::acceptMessageDefaultsToTrueAndIsWritten()
{
    const QString path = m_config + QStringLiteral("/Kivorant/Lumivandrex Utility V3.0.ini");
    {
        RegistrySettings settings;
        QCOMPARE(settings.fileName(), path);
        QCOMPARE(settings.GetAppName(), QStringLiteral("LumivandrexUtility"));
        QCOMPARE(settings.GetAppFilePath(), QCoreApplication::applicationFilePath());
        settings.ReadSettings();
        QVERIFY(settings.GetAcceptMessage());
        QVERIFY(!settings.GetAutoRun());
        QVERIFY(!QFileInfo::exists(path)); // reading creates nothing
        settings.WriteSettings();
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("AcceptMessage=true"));
}

void TestRegistrySettings::storedAcceptMessageIsRead()
{
    {
        RegistrySettings settings;
        settings.ReadSettings();
        settings.SetAcceptMessage(false);
        settings.WriteSettings();
    }
    RegistrySettings again;
    again.ReadSettings();
    QVERIFY(!again.GetAcceptMessage());
    QCOMPARE(QCoreApplication::organizationDomain(), QStringLiteral("kivorant.com"));
}

void TestRegistrySettings::autoRunOnAndOff()
{
    const QString entry = lvplatform::autostartFilePath(QString::fromLatin1(AutoStartConfig::kEntryId));
    QCOMPARE(entry, m_config + QStringLiteral("/autostart/com.kivorant.LumivandrexUtility.desktop"));

    RegistrySettings settings;
    settings.ReadSettings();
    settings.SetAutoRun(true);
    QVERIFY(settings.GetAutoRun());
    QVERIFY(AutoStartConfig::isAutoStart());
    QVERIFY(QFileInfo(entry).isFile());
    QCOMPARE(secondStoreValue(), QCoreApplication::applicationFilePath() + QStringLiteral(" /minimized"));
    {
        RegistrySettings later; // a new start sees the state
        later.ReadSettings();
        QVERIFY(later.GetAutoRun());
    }

    settings.SetAutoRun(false);
    QVERIFY(!settings.GetAutoRun());
    QVERIFY(!AutoStartConfig::isAutoStart());
    QVERIFY(!QFileInfo::exists(entry));
    QSettings store(m_config + QStringLiteral("/kivorant/LumivandrexUtility.ini"), QSettings::IniFormat);
    QVERIFY(store.allKeys().isEmpty());
}

void TestRegistrySettings::autostartEntryIsValid()
{
    QVERIFY(AutoStartConfig::setAutoStart(true));
    const QString entry = lvplatform::autostartFilePath(QString::fromLatin1(AutoStartConfig::kEntryId));
    QFile file(entry);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY(text.startsWith("[Desktop Entry]\n"));
    QVERIFY(text.contains("\nExec=" + QFile::encodeName(QCoreApplication::applicationFilePath()) + " /minimized\n"));

    const QString tool = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (tool.isEmpty())
        QSKIP("desktop-file-validate is not installed");
    QProcess validate;
    validate.setProcessChannelMode(QProcess::MergedChannels);
    validate.start(tool, {entry});
    QVERIFY(validate.waitForFinished(10000));
    const QByteArray output = validate.readAll();
    QVERIFY2(validate.exitCode() == 0 && !output.contains("error"), output.constData());

    QVERIFY(AutoStartConfig::setAutoStart(false));
    QVERIFY(!QFileInfo::exists(entry));
    QVERIFY(AutoStartConfig::setAutoStart(false)); // already off is no failure
}

void TestRegistrySettings::hiddenEntryIsNotAutoRun()
{
    QVERIFY(AutoStartConfig::setAutoStart(true));
    QFile file(lvplatform::autostartFilePath(QString::fromLatin1(AutoStartConfig::kEntryId)));
    QVERIFY(file.open(QIODevice::Append));
    file.write("Hidden=true\n");
    file.close();
    // Registered, but switched off by the user's session settings.
    RegistrySettings settings;
    settings.ReadSettings();
    QVERIFY(!settings.GetAutoRun());
    QVERIFY(!AutoStartConfig::isAutoStart());
}

void TestRegistrySettings::failedSwitchIsNotReportedAsDone()
{
    // A plain file where the autostart folder belongs makes the entry unwritable.
    QFile blocker(lvplatform::autostartDirectory());
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    RegistrySettings settings;
    settings.ReadSettings();
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("autostart: cannot create")));
    QTest::ignoreMessage(QtDebugMsg, "Set auto start failed.");
    settings.SetAutoRun(true);
    QVERIFY(!settings.GetAutoRun());
    QCOMPARE(secondStoreValue(), QString());
}

QTEST_GUILESS_MAIN(TestRegistrySettings)
#include "tst_registrysettings.moc"
