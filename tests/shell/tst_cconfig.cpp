// The optional ini reader: edge values, reads outside Init/Exit, repeated Init/Exit.

#include "shell/cconfig.h"

#include <QTemporaryDir>
#include <QtTest>

class TestCConfig : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void readsBeforeInitAreEmpty();
    void missingOrFolderPathIsNoFile();
    void integers_data();
    void integers();
    void stringsAreReturnedAsWritten_data();
    void stringsAreReturnedAsWritten();
    void exitForgetsAndMayRepeat();
    void secondInitReplacesFirst();
    void failedInitKeepsCurrentFile();

private:
    QString writeIni(const QString& name, const QByteArray& text);
    QTemporaryDir m_dir;
    QString m_settingsIni;
};

QString TestCConfig::writeIni(const QString& name, const QByteArray& text)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QString();
    file.write(text);
    return path;
}

void TestCConfig::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_settingsIni = writeIni(QStringLiteral("LumivandrexUtility.ini"),
                             "[SETTINGS]\n"
                             "FontSize=14\n"
                             "Zero=0\n"
                             "TooBig=21\n"
                             "Negative=-3\n"
                             "Letters=abc\n"
                             "Padded=  20  \n"
                             "Suffix=14px\n"
                             "Hex=0x10\n"
                             "Float=12.5\n"
                             "Empty=\n"
                             "Huge=99999999999\n"
                             "IsBold=True\n"
                             "IsBoldLower=true\n"
                             "Language=Chinese\n"
                             "LanguageLower=chinese\n"
                             "Quoted=\"Chinese\"\n"
                             "List=Chinese, English\n"
                             "Utf8=\xe4\xb8\xad\xe6\x96\x87\n");
    QVERIFY(!m_settingsIni.isEmpty());
}

void TestCConfig::readsBeforeInitAreEmpty()
{
    CConfig config;
    QCOMPARE(config.ReadValueString(QStringLiteral("SETTINGS/Language")), QString());
    QVERIFY(config.ReadValueString(QStringLiteral("SETTINGS/Language")) == QLatin1String(""));
    QCOMPARE(config.ReadValueInt(QStringLiteral("SETTINGS/FontSize")), 0);
    config.Exit(); // nothing to do, no harm
}

void TestCConfig::missingOrFolderPathIsNoFile()
{
    CConfig config;
    QVERIFY(!config.Init(m_dir.filePath(QStringLiteral("absent.ini"))));
    QVERIFY(!config.Init(QString()));
    QVERIFY(!config.Init(m_dir.path())); // a folder is not an ini file
    QCOMPARE(config.ReadValueString(QStringLiteral("SETTINGS/Language")), QString());
    QCOMPARE(config.ReadValueInt(QStringLiteral("SETTINGS/FontSize")), 0);
}

void TestCConfig::integers_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("expected");
    QTest::newRow("14") << "SETTINGS/FontSize" << 14;
    QTest::newRow("0") << "SETTINGS/Zero" << 0;
    QTest::newRow("21 (range is the caller's)") << "SETTINGS/TooBig" << 21;
    QTest::newRow("-3") << "SETTINGS/Negative" << -3;
    QTest::newRow("abc") << "SETTINGS/Letters" << 0;
    QTest::newRow("padded") << "SETTINGS/Padded" << 20;
    QTest::newRow("14px") << "SETTINGS/Suffix" << 0;
    QTest::newRow("hex") << "SETTINGS/Hex" << 0;
    QTest::newRow("fraction") << "SETTINGS/Float" << 0;
    QTest::newRow("empty") << "SETTINGS/Empty" << 0;
    QTest::newRow("out of int range") << "SETTINGS/Huge" << 0;
    QTest::newRow("missing key") << "SETTINGS/Nothing" << 0;
    QTest::newRow("missing group") << "OTHER/FontSize" << 0;
    QTest::newRow("wrong case") << "settings/fontsize" << 0;
}

void TestCConfig::integers()
{
    QFETCH(QString, key);
    QFETCH(int, expected);
    CConfig config;
    QVERIFY(config.Init(m_settingsIni));
    QCOMPARE(config.ReadValueInt(key), expected);
    config.Exit();
}

void TestCConfig::stringsAreReturnedAsWritten_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    QTest::newRow("True keeps its case") << "SETTINGS/IsBold" << "True";
    QTest::newRow("true") << "SETTINGS/IsBoldLower" << "true";
    QTest::newRow("Chinese") << "SETTINGS/Language" << "Chinese";
    QTest::newRow("chinese") << "SETTINGS/LanguageLower" << "chinese";
    QTest::newRow("quoted") << "SETTINGS/Quoted" << "Chinese";
    QTest::newRow("comma list") << "SETTINGS/List" << "Chinese, English";
    QTest::newRow("utf-8") << "SETTINGS/Utf8" << QStringLiteral("中文");
    QTest::newRow("number as text") << "SETTINGS/FontSize" << "14";
    QTest::newRow("empty") << "SETTINGS/Empty" << "";
    QTest::newRow("missing") << "SETTINGS/Nothing" << "";
}

void TestCConfig::stringsAreReturnedAsWritten()
{
    QFETCH(QString, key);
    QFETCH(QString, expected);
    CConfig config;
    QVERIFY(config.Init(m_settingsIni));
    QCOMPARE(config.ReadValueString(key), expected);
}

void TestCConfig::exitForgetsAndMayRepeat()
{
    CConfig config;
    QVERIFY(config.Init(m_settingsIni));
    QCOMPARE(config.ReadValueInt(QStringLiteral("SETTINGS/FontSize")), 14);
    config.Exit();
    QCOMPARE(config.ReadValueInt(QStringLiteral("SETTINGS/FontSize")), 0);
    QCOMPARE(config.ReadValueString(QStringLiteral("SETTINGS/Language")), QString());
    config.Exit();
    QCOMPARE(config.ReadValueInt(QStringLiteral("SETTINGS/FontSize")), 0);
    // Usable again after Exit.
    QVERIFY(config.Init(m_settingsIni));
    QCOMPARE(config.ReadValueString(QStringLiteral("SETTINGS/Language")), QStringLiteral("Chinese"));
}

void TestCConfig::secondInitReplacesFirst()
{
    const QString other = writeIni(QStringLiteral("other.ini"), "[SETTINGS]\nFontSize=9\n");
    CConfig config;
    QVERIFY(config.Init(m_settingsIni));
    QVERIFY(config.Init(other));
    QCOMPARE(config.ReadValueInt(QStringLiteral("SETTINGS/FontSize")), 9);
    QCOMPARE(config.ReadValueString(QStringLiteral("SETTINGS/Language")), QString());
}

void TestCConfig::failedInitKeepsCurrentFile()
{
    CConfig config;
    QVERIFY(config.Init(m_settingsIni));
    QVERIFY(!config.Init(m_dir.filePath(QStringLiteral("absent.ini"))));
    QCOMPARE(config.ReadValueInt(QStringLiteral("SETTINGS/FontSize")), 14);
    // Reading never writes: the file stays as it was.
    QFile file(m_settingsIni);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith("[SETTINGS]\nFontSize=14\nZero=0\n"));
}

QTEST_GUILESS_MAIN(TestCConfig)
#include "tst_cconfig.moc"
