// Start-up pieces that need no device: the ini beside the program, the log
// file location, the firmware-check texts, the about dialog, the update
// manager's clean failure and the compiled Chinese translation.

#include "device/kvcaprecords.h"
#include "device/lumivandrexpresenter.h"
#include "shell/aboutdialog.h"
#include "shell/lumivandrexutility.h"
#include "update/updatemanager.h"

#include <QApplication>
#include <QLayout>  // used by lvtestsupport.h
#include "lvtestsupport.h"
#include <QFile>
#include <QStyle>
#include <QKeyEvent>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>
#include <QtTest>

#include <cstring>

class TestShellStartup : public QObject
{
    Q_OBJECT

private:
    QString writeIni(const QString& body)
    {
        // A new name each time: QSettings caches files by path, size and time.
        const QString path = m_dir.filePath(QStringLiteral("settings%1.ini").arg(++m_files));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return QString();
        file.write(body.toUtf8());
        return path;
    }
    QTemporaryDir m_dir;
    int m_files = 0;

private slots:
    void initTestCase()
    {
        // The look main() gives the program, for the screenshots.
        qApp->setStyleSheet(LoadStyleSheet(QStringLiteral(":/lumivandrexutility.qss")));
        ApplyStartupLook(tagSTARTUP_SETTINGS());
    }

    void missingIniGivesDefaults()
    {
        const tagSTARTUP_SETTINGS s = ReadStartupSettings(m_dir.filePath(QStringLiteral("nope.ini")));
        QCOMPARE(s.fontPixelSize, 14);
        QCOMPARE(s.bold, false);
        QCOMPARE(s.chinese, false);
    }

    void fontSize_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("0") << "0" << 14;
        QTest::newRow("21") << "21" << 14;
        QTest::newRow("-3") << "-3" << 14;
        QTest::newRow("abc") << "abc" << 14;
        QTest::newRow("1") << "1" << 1;
        QTest::newRow("20") << "20" << 20;
        QTest::newRow("9") << "9" << 9;
    }
    void fontSize()
    {
        QFETCH(QString, value);
        QFETCH(int, expected);
        const QString ini = writeIni(QStringLiteral("[SETTINGS]\nFontSize=%1\n").arg(value));
        QCOMPARE(ReadStartupSettings(ini).fontPixelSize, expected);
    }

    void boldIsCaseSensitive_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("bold");
        QTest::newRow("true") << "true" << true;
        QTest::newRow("True") << "True" << false;
        QTest::newRow("TRUE") << "TRUE" << false;
        QTest::newRow("1") << "1" << false;
    }
    void boldIsCaseSensitive()
    {
        QFETCH(QString, value);
        QFETCH(bool, bold);
        const QString ini = writeIni(QStringLiteral("[SETTINGS]\nIsBold=%1\n").arg(value));
        QCOMPARE(ReadStartupSettings(ini).bold, bold);
    }

    void languageIsCaseSensitive_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("chinese");
        QTest::newRow("Chinese") << "Chinese" << true;
        QTest::newRow("chinese") << "chinese" << false;
        QTest::newRow("CHINESE") << "CHINESE" << false;
        QTest::newRow("English") << "English" << false;
    }
    void languageIsCaseSensitive()
    {
        QFETCH(QString, value);
        QFETCH(bool, chinese);
        const QString ini = writeIni(QStringLiteral("[SETTINGS]\nLanguage=%1\n").arg(value));
        QCOMPARE(ReadStartupSettings(ini).chinese, chinese);
    }

    void allKeysTogether()
    {
        const QString ini =
            writeIni(QStringLiteral("[SETTINGS]\nFontSize=18\nIsBold=true\nLanguage=Chinese\n[OTHER]\nFontSize=3\n"));
        const tagSTARTUP_SETTINGS s = ReadStartupSettings(ini);
        QCOMPARE(s.fontPixelSize, 18);
        QVERIFY(s.bold);
        QVERIFY(s.chinese);
    }

    void styleSheetStopsAtNul()
    {
        const QString path = m_dir.filePath(QStringLiteral("sheet.qss"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("QWidget{color: red;}\0garbage after the end", 43));
        file.close();
        QCOMPARE(LoadStyleSheet(path), QStringLiteral("QWidget{color: red;}"));
        QCOMPARE(LoadStyleSheet(m_dir.filePath(QStringLiteral("missing.qss"))), QString());
        // The program's own sheet is in the resources.
        QVERIFY(LoadStyleSheet(QStringLiteral(":/lumivandrexutility.qss")).contains(QStringLiteral("btn_settings")));
    }

    void startupLook()
    {
        // With a style sheet the application style is a wrapper; look at the plain one.
        const QString sheet = qApp->styleSheet();
        qApp->setStyleSheet(QString());
        tagSTARTUP_SETTINGS settings;
        settings.fontPixelSize = 17;
        settings.bold = true;
        ApplyStartupLook(settings);
        QCOMPARE(QApplication::font().family(), QStringLiteral("Arial"));
        QCOMPARE(QApplication::font().pixelSize(), 17);
        QCOMPARE(QApplication::font().weight(), 75);
        QCOMPARE(QApplication::style()->objectName().toLower(), QStringLiteral("windows"));
        settings.bold = false;
        ApplyStartupLook(settings);
        QCOMPARE(QApplication::font().weight(), 50);
        ApplyStartupLook(tagSTARTUP_SETTINGS());
        qApp->setStyleSheet(sheet);
    }

    void logFileLocation()
    {
        QCOMPARE(StartupLogFilePath(QStringLiteral("/root")), QStringLiteral("/root/LumivandrexUtility.log"));
        QCOMPARE(StartupLogFilePath(QStringLiteral("/root/")), QStringLiteral("/root/LumivandrexUtility.log"));
        QCOMPARE(StartupLogFilePath(QStringLiteral("/home/ann")),
                 QStringLiteral("/home/ann/Documents/LumivandrexUtility.log"));
        QCOMPARE(StartupLogFilePath(QStringLiteral("/home/ann/")),
                 QStringLiteral("/home/ann/Documents/LumivandrexUtility.log"));
        // Only the directory itself counts as root's home.
        QCOMPARE(StartupLogFilePath(QStringLiteral("/rootless")),
                 QStringLiteral("/rootless/Documents/LumivandrexUtility.log"));
    }

    void firmwareInfoTexts()
    {
        _KVCAP_DEVICE_INFO info;
        std::memset(&info, 0, sizeof info);
        info.productId = 0x0123;          // 291
        info.identifier = 7;
        info.hardwareVersion = 'B';
        info.firmwareVersion = 0x0A14ABCD; // 10.20.43981
        char texts[4][32];
        std::memset(texts, 'x', sizeof texts);
        FormatFirmwareInfo(info, texts);
        QCOMPARE(QString::fromLatin1(texts[0]), QStringLiteral("291"));
        QCOMPARE(QString::fromLatin1(texts[1]), QStringLiteral("7"));
        QCOMPARE(QString::fromLatin1(texts[2]), QStringLiteral("B"));
        QCOMPARE(QString::fromLatin1(texts[3]), QStringLiteral("10.20.43981"));
        // The buffers are zero-filled behind the text.
        QCOMPARE(texts[2][1], '\0');
        QCOMPARE(texts[3][31], '\0');

        info.productId = 0xFFFF;
        info.identifier = 255;
        info.firmwareVersion = 0xFFFFFFFF;
        FormatFirmwareInfo(info, texts);
        QCOMPARE(QString::fromLatin1(texts[0]), QStringLiteral("65535"));
        QCOMPARE(QString::fromLatin1(texts[1]), QStringLiteral("255"));
        QCOMPARE(QString::fromLatin1(texts[3]), QStringLiteral("255.255.65535"));
    }

    void updateManagerFailsCleanly()
    {
        CUpdateManager manager;
        QVERIFY(!manager.Init(QStringLiteral(":/no/such/configuration.ini")));
        QVERIFY(!manager.m_bInitialized);
        QSignalSpy software(&manager, &CUpdateManager::statusChangedCheckSoftware);
        QSignalSpy upgrade(&manager, &CUpdateManager::statusChangedUpgrade);
        QVERIFY(!manager.StartRegularCheckSoftware());
        QVERIFY(!manager.StartCheckSoftware());
        QVERIFY(!manager.StartUpgradeFirmware(nullptr, QStringLiteral("/nonexistent.kvf")));
        PackageInfo package;
        std::memset(&package, 0x5A, sizeof package);
        QVERIFY(!manager.GetUpdateInfoHardware(package));
        QCOMPARE(package.version[0], char(0x5A));   // left untouched
        manager.StopCheck(CUpdateManager::UPDATE_FIRMWARE);
        manager.StopDownload();
        manager.StopUpgradeFirmware();
        manager.onTimer();
        QCoreApplication::processEvents();
        QCOMPARE(software.count(), 0);
        QCOMPARE(upgrade.count(), 0);
        manager.Exit();
        manager.Exit();   // twice is harmless
    }

    void updateManagerKeepsFirmwareInfoBounded()
    {
        CUpdateManager manager;
        char a[] = "291";
        char b[] = "7";
        char c[] = "B";
        char d[] = "1.2.3-with-a-far-too-long-suffix-beyond-32";
        _KVUPDATE_FIRMWARE_INFO info{{a, b, c, d}};
        manager.StartRegularCheckFirmware(&info);
        QCOMPARE(manager.savedFirmwareInfo(0), QStringLiteral("291"));
        QCOMPARE(manager.savedFirmwareInfo(3).size(), 31);
        QVERIFY(manager.savedFirmwareInfo(3).startsWith(QStringLiteral("1.2.3-with")));
        QCOMPARE(manager.savedFirmwareInfo(4), QString());
    }

    void defaultConfigurationIsInResources()
    {
        QSettings config(QStringLiteral(":/LumivandrexUtility/Resources/LumivandrexUtility.ini"), QSettings::IniFormat);
        QCOMPARE(config.status(), QSettings::NoError);
        QCOMPARE(config.value(QStringLiteral("UPGRADE/FirmwareURL")).toString(),
                 QStringLiteral("/upgrade/Class/Firmware/LumivandrexUtility.json"));
        QCOMPARE(config.value(QStringLiteral("UPGRADE/SoftwareURL")).toString(),
                 QStringLiteral("/upgrade/Class/Software/LumivandrexUtility.json"));
        QCOMPARE(config.value(QStringLiteral("UPGRADE/DnsTimeout")).toInt(), 10);
        QCOMPARE(config.value(QStringLiteral("UPGRADE/ReqTimeout")).toInt(), 10);
        QCOMPARE(config.value(QStringLiteral("UPGRADE/ServerURLUpdateTime")).toString(),
                 QStringLiteral("2017-06-15 09:30:00"));
        QCOMPARE(config.value(QStringLiteral("UPGRADE/ServerURL")).toString().split(QLatin1Char(',')).size(), 2);
    }

    void aboutDialogTexts()
    {
        QCOMPARE(AboutDialog::VersionText(), QStringLiteral("Kivorant Lumivandrex Utility V3.0.4.30002"));
        AboutDialog dialog;
        QCOMPARE(dialog.size(), QSize(420, 300));
        QStringList texts;
        for (QLabel* label : dialog.findChildren<QLabel*>())
            texts << label->text();
        QVERIFY(texts.contains(AboutDialog::VersionText()));
        const QString year = QDate::currentDate().toString(QStringLiteral("yyyy"));
        bool legalSeen = false;
        for (const QString& text : texts)
            legalSeen = legalSeen || (text.contains(year) && text.contains(QStringLiteral("Copyright")));
        QVERIFY(legalSeen);
        dialog.show();
        lvtest::saveScreenshot(&dialog, QStringLiteral("shell2_about"));
        // While the dialog exists the presenter counts it as an open dialog.
        QVERIFY(g_presenter.IsModalState());
    }

    void aboutLinkFollowsLanguage()
    {
        const QString chinese = AboutDialog::WebSiteForIni(writeIni(QStringLiteral("[SETTINGS]\nLanguage=Chinese\n")));
        const QString lower = AboutDialog::WebSiteForIni(writeIni(QStringLiteral("[SETTINGS]\nLanguage=chinese\n")));
        const QString none = AboutDialog::WebSiteForIni(m_dir.filePath(QStringLiteral("missing.ini")));
        QCOMPARE(lower, none);
        QVERIFY(chinese != none);
        QVERIFY(none.startsWith(QStringLiteral("https://")));
    }

    void aboutClosesOnReturnEnterEscape_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Enter") << int(Qt::Key_Enter);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
    }
    void aboutClosesOnReturnEnterEscape()
    {
        QFETCH(int, key);
        AboutDialog dialog;
        QTimer::singleShot(50, &dialog, [&dialog, key] {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QCoreApplication::sendEvent(&dialog, &press);
        });
        QTimer::singleShot(3000, &dialog, [&dialog] { dialog.done(7); });   // safety net
        QCOMPARE(dialog.exec(), 0);
    }

    void aboutPassesOtherKeysOn()
    {
        AboutDialog dialog;
        dialog.show();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QCoreApplication::sendEvent(&dialog, &press);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), 0);
        // Plain widget handling ignores the key, so it may travel on.
        QVERIFY(!press.isAccepted());
    }

    void chineseTranslationIsCompiledIn()
    {
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(":/Trans/trans_zh"), QString(), QString(), QString()));
        const QString quit = translator.translate("LumivandrexUtility", "Quit");
        QVERIFY(!quit.isEmpty());
        QVERIFY(quit != QStringLiteral("Quit"));
        QVERIFY(!translator.translate("LumivandrexUtility", "Open main window").isEmpty());
        QVERIFY(!translator.translate("AboutDialog", "Kivorant Lumivandrex Utility V%1.%2.%3.%4").isEmpty());
    }
};

QTEST_MAIN(TestShellStartup)
#include "tst_shellstartup.moc"
