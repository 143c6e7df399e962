// The update library, the checkers and the downloader through the update manager,
// against a loopback update server with fault knobs.

#include <QtTest>

#include "logging/lvlogger.h"
#include "lvtestfiles.h"
#include "platform/kvupdate.h"
#include "update/appupgradedialog.h"
#include "update/firmwarefilecheck.h"
#include "update/updatechecker.h"
#include "update/updatemanager.h"
#include "updatetestserver.h"

#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr int kPollMs = 20;
}

class TstUpdateService : public QObject
{
    Q_OBJECT

    UpdateTestServer m_server;
    QTemporaryDir m_config;
    QTemporaryDir m_downloads;
    QTemporaryDir m_cache;
    CUpdateManager* m_manager = nullptr;

    // A configuration whose only server is the loopback one.
    QString writeConfig(const QString& servers)
    {
        const QString path = m_config.filePath(QStringLiteral("update.ini"));
        QFile::remove(path);
        QSettings ini(path, QSettings::IniFormat);
        ini.setValue(QStringLiteral("UPGRADE/ServerURL"), servers);
        ini.setValue(QStringLiteral("UPGRADE/ServerURLUpdateTime"), QStringLiteral("2017-06-15 09:30:00"));
        ini.setValue(QStringLiteral("UPGRADE/DnsTimeout"), 1);
        ini.setValue(QStringLiteral("UPGRADE/ReqTimeout"), 2);
        ini.setValue(QStringLiteral("UPGRADE/FirmwareURL"), QStringLiteral("/upgrade/fw.json"));
        ini.setValue(QStringLiteral("UPGRADE/SoftwareURL"), QStringLiteral("/upgrade/sw.json"));
        return path;
    }
    void startFirmwareCheck(const char* version = "3.0.4")
    {
        char a[] = "291", b[] = "7", c[] = "B", d[32];
        qstrncpy(d, version, sizeof d);
        _KVUPDATE_FIRMWARE_INFO info{{a, b, c, d}};
        QVERIFY(m_manager->StartCheckFirmware(&info));
    }
    static PackageInfo packageFor(const QStringList& served)
    {
        PackageInfo package{};
        qstrncpy(package.url, qPrintable(served[0]), sizeof package.url);
        qstrncpy(package.md5, qPrintable(served[1]), sizeof package.md5);
        return package;
    }
    static bool writeFile(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }
    // `path` and everything below it, links not followed: name, mode, owner, modification time, contents.
    static QStringList snapshot(const QString& path)
    {
        QStringList state;
        QDirIterator below(path, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                           QDirIterator::Subdirectories);
        for (QString entry = path; !entry.isEmpty(); entry = below.hasNext() ? below.next() : QString()) {
            struct stat st {};
            QFile file(entry);
            state << QStringLiteral("%1 %2 %3 %4.%5 ").arg(entry).arg(lstat(qPrintable(entry), &st) ? -1 : st.st_mode, 0, 8)
                         .arg(st.st_uid).arg(st.st_mtim.tv_sec).arg(st.st_mtim.tv_nsec)
                     + (file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
        }
        return state;
    }
    QStringList downloadsLeft() const { return QDir(m_downloads.path()).entryList(QDir::Files | QDir::Hidden); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.start());
        lvlogger::LvLogger::createInstance(this)->setLogLevels_file(lvlogger::ENABLE_LOG_LEVELS);
        QVERIFY(lvlogger::LvLogger::getInstance()->setLogFileName(m_config.filePath("lv.log"), 1 << 24, 2));
        qputenv("XDG_CACHE_HOME", m_cache.path().toUtf8());
        m_manager = new CUpdateManager;
        m_manager->SetIntervalsForTest(kPollMs, 24 * 3600 * 1000);
        QVERIFY(m_manager->Init(writeConfig(m_server.base())));
    }
    void cleanupTestCase()
    {
        m_manager->Exit();
        m_manager->Exit();   // twice is harmless, as is an extra uninit
        KVU_UnInit();
        delete m_manager;
    }
    void init() { m_server.setKnobs({}); }

    void compareVersion_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("result");
        QTest::newRow("newer build") << "3.0.5" << "3.0.4" << 1;
        QTest::newRow("equal") << "3.0.4" << "3.0.4" << 0;
        QTest::newRow("newer minor, fewer parts") << "3.1" << "3.0.4" << 1;
        QTest::newRow("missing part is 0") << "3.0" << "3.0.4" << -1;
        QTest::newRow("missing zero part") << "3.0" << "3.0.0" << 0;
        QTest::newRow("more parts but older") << "2.0.0.1" << "3.0.4" << -1;
        QTest::newRow("more parts and newer") << "3.0.4.1" << "3.0.4" << 1;
        QTest::newRow("numeric, not text") << "3.10" << "3.9" << 1;
    }
    void compareVersion()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, result);
        QCOMPARE(CUpdateChecker::compareVersion(a, b), result);
    }

    // Full image unless the file declares the running firmware's own layout.
    void imageChoice()
    {
        const struct { quint16 file, device; bool full; } rows[] = {
            {1, 1, true}, {2, 2, false}, {2, 3, true}, {2, 0, true}, {0, 0, true}};
        for (const auto& r : rows) {
            _KV_FIRMWARE_HEADER header{};
            header.layout = r.file;
            QCOMPARE(IsFullImage(header, r.device), r.full);
        }
    }

    // The first opening of the download folder removes the partial files a killed run left, nothing else.
    void stalePartialFilesGoOnFirstOpening()
    {
        const QString dir = QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + "/downloads";
        const QStringList kept{".dir.Ab12Cd", ".fw.kvf.Ab12C", "fw.kvf", "fw.kvf.Ab12Cd"};
        QVERIFY(QDir().mkpath(dir + "/" + kept[0]));
        for (const QString& name : kept.mid(1) + QStringList{".fw.kvf.Ab12Cd", ".app.exe.zZ09yY"})
            QVERIFY(QFile(dir + "/" + name).open(QIODevice::WriteOnly));
        const QDir opened(CUpdateManager::GetDownloadDir());
        QCOMPARE(opened.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), kept);
    }

    void serverListFromConfiguration()
    {
        QString json;
        QVERIFY(CUpdateManager::parseServerURL(QStringLiteral("https://a,,https://b"), json));
        QCOMPARE(QJsonDocument::fromJson(json.toUtf8()).array(), (QJsonArray{"https://a", "", "https://b"}));
        QVERIFY(!CUpdateManager::parseServerURL(QString(), json));
    }

    // Three offers 3.1, 3.2, 3.2 against 3.0.4: the first 3.2 wins; the request
    // carries the device's identity.
    void newestOfferChosen()
    {
        m_server.setOffers({{"3.1", "https://h/a.kvf", "aa", "###a"},
                            {"3.2", "https://h/b.kvf", "bb", "###b"},
                            {"3.2", "https://h/c.kvf", "cc", "###c"}});
        QSignalSpy spy(m_manager, &CUpdateManager::statusChangedCheckFirmware);
        startFirmwareCheck();
        QTRY_VERIFY(!spy.isEmpty() && spy.last().at(0).toInt() == 3);
        PackageInfo package;
        QVERIFY(m_manager->GetUpdateInfoHardware(package));
        QCOMPARE(QByteArray(package.version), QByteArray("3.2"));
        QCOMPARE(QByteArray(package.url), QByteArray("https://h/b.kvf"));
        QCOMPARE(QByteArray(package.changeLog), QByteArray("###b"));
        QCOMPARE(m_server.requests().last(),
                 QStringLiteral("/upgrade/fw.json?type=firmware&model=291&sub=7&hw=B&version=3.0"));
    }

    // One road per server fault, and the library's own refusal: the check ends
    // in the right status, never stuck in "checking".
    void checkFaults_data()
    {
        QTest::addColumn<QJsonObject>("knobs");
        QTest::addColumn<QString>("servers");
        QTest::addColumn<int>("status");
        QTest::newRow("only older offers") << QJsonObject{} << QString() << 2;
        QTest::newRow("not found") << QJsonObject{{"error", 404}} << QString() << 2;
        QTest::newRow("server error") << QJsonObject{{"error", 500}} << QString() << 0;
        QTest::newRow("bad json") << QJsonObject{{"badjson", 1}} << QString() << 0;
        QTest::newRow("truncated") << QJsonObject{{"truncate", 1}} << QString() << 0;
        QTest::newRow("dropped") << QJsonObject{{"drop", 1}} << QString() << 0;
        QTest::newRow("too slow") << QJsonObject{{"delay", 4}} << QString() << 0;
        QTest::newRow("refused: plain http off loopback") << QJsonObject{} << "http://example.com" << 0;
        QTest::newRow("server address outside ASCII") << QJsonObject{} << m_server.base() + "/prüfung/更新" << 2;
    }
    void checkFaults()
    {
        QFETCH(QJsonObject, knobs);
        QFETCH(QString, servers);
        QFETCH(int, status);
        m_server.setOffers({{"3.0.4", "https://h/a.kvf", "aa", ""}, {"2.9", "https://h/b.kvf", "bb", ""}});
        m_server.setKnobs(knobs);
        if (!servers.isEmpty())
            QVERIFY(m_manager->Init(writeConfig(servers)));
        QSignalSpy spy(m_manager, &CUpdateManager::statusChangedCheckFirmware);
        startFirmwareCheck();
        QTRY_VERIFY_WITH_TIMEOUT(!spy.isEmpty() && spy.last().at(0).toInt() != 1, 8000);
        QCOMPARE(spy.last().at(0).toInt(), status);
        m_manager->StopCheck(CUpdateManager::UPDATE_FIRMWARE);
        if (!servers.isEmpty())
            QVERIFY(m_manager->Init(writeConfig(m_server.base())));
    }

    // A failing server: the first attempt and three restarts, each reported as 0,
    // then nothing more. A slow one: busy restarts, then the answer.
    void retries()
    {
        m_server.setKnobs({{"error", 503}});
        const int before = m_server.requests().size();
        QSignalSpy spy(m_manager, &CUpdateManager::statusChangedCheckFirmware);
        m_manager->StopCheck(CUpdateManager::UPDATE_FIRMWARE);
        startFirmwareCheck();
        QTRY_COMPARE(spy.count(QList<QVariant>{0}), 4);
        QTest::qWait(20 * kPollMs);
        QCOMPARE(spy.count(QList<QVariant>{0}), 4);
        QCOMPARE(spy.last().at(0).toInt(), 0);
        QCOMPARE(m_server.requests().size() - before, 4);

        m_server.setKnobs({{"delay", 1}});   // longer than 10 polls, within the time-out
        m_server.setOffers({{"3.1", "https://h/a.kvf", "aa", ""}});
        spy.clear();
        startFirmwareCheck();
        QTRY_VERIFY_WITH_TIMEOUT(!spy.isEmpty() && spy.last().at(0).toInt() == 3, 10000);
        QVERIFY(spy.count() > 10);
    }

    void regularCheckRepeatsUntilStopped()
    {
        m_manager->SetIntervalsForTest(kPollMs, 300);
        m_server.setOffers({});
        QSignalSpy spy(m_manager, &CUpdateManager::statusChangedCheckSoftware);
        QVERIFY(m_manager->StartRegularCheckSoftware());
        QTRY_VERIFY(spy.count(QList<QVariant>{2}) >= 3);
        QVERIFY(m_server.requests().last().startsWith(QStringLiteral("/upgrade/sw.json?type=software&product=")));
        QVERIFY(m_server.requests().last().endsWith(QStringLiteral("&version=3.0")));
        m_manager->StopRegularCheck(CUpdateManager::UPDATE_SOFTWARE);
        QTest::qWait(400);
        const int settled = spy.count();
        QTest::qWait(700);
        QCOMPARE(spy.count(), settled);
        m_manager->SetIntervalsForTest(kPollMs, 24 * 3600 * 1000);
    }

    // Downloads: success lands the file; every fault ends with one failure and
    // leaves nothing in the folder, not even a temporary file.
    void downloads_data()
    {
        QTest::addColumn<QJsonObject>("knobs");
        QTest::addColumn<bool>("badDigest");
        QTest::addColumn<int>("detail");
        QTest::newRow("ok") << QJsonObject{} << false << 0;
        QTest::newRow("server error") << QJsonObject{{"error", 500}} << false << -3;
        QTest::newRow("truncated") << QJsonObject{{"truncate", 1}} << false << -3;
        QTest::newRow("dropped") << QJsonObject{{"drop", 1}} << false << -3;
        QTest::newRow("wrong md5") << QJsonObject{{"badmd5", 1}} << false << -4;
        QTest::newRow("too slow") << QJsonObject{{"delay", 4}} << false << -3;
        QTest::newRow("refused: no digest") << QJsonObject{} << true << -1;
        QTest::newRow("endless body, past the firmware limit") << QJsonObject{{"endless", 1}} << false << -3;
    }
    void downloads()
    {
        QFETCH(QJsonObject, knobs);
        QFETCH(bool, badDigest);
        QFETCH(int, detail);
        QByteArray bytes(300 * 1024, '\0');
        for (int i = 0; i < bytes.size(); ++i)
            bytes[i] = char(i * 31 + (i >> 9));
        const QStringList served = m_server.addFile(QStringLiteral("fw.kvf"), bytes);
        m_server.setKnobs(knobs);
        PackageInfo package = packageFor({served[0], badDigest ? QString() : served[1].toUpper()});
        const QString dest = m_downloads.filePath(QStringLiteral("fw.kvf"));
        QSignalSpy spy(m_manager, &CUpdateManager::statusChangedDownloadFirmware);
        QVERIFY(m_manager->StartDownloadFirmware(&package, dest));
        QTRY_VERIFY_WITH_TIMEOUT(!spy.isEmpty() && spy.last().at(0).toInt() != 1, 8000);
        QTest::qWait(5 * kPollMs);
        QCOMPARE(spy.last(), (QList<QVariant>{detail ? 0 : 2, detail}));
        QCOMPARE(spy.count(QList<QVariant>{0, detail}) + spy.count(QList<QVariant>{2, 0}), 1);
        if (!detail) {
            QFile file(dest);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), bytes);
            QVERIFY(file.remove());
        }
        QTRY_COMPARE(downloadsLeft(), QStringList());
    }

    // The firmware and the software download run side by side: stopping one never
    // ends the other, whose owner gets its final status; a stopped one leaves nothing.
    void downloadsAreIndependent()
    {
        PackageInfo package = packageFor(m_server.addFile(QStringLiteral("both.kvf"), QByteArray(64 * 1024, 'f')));
        m_server.setKnobs({{"pace", 0.1}});
        QSignalSpy firmware(m_manager, &CUpdateManager::statusChangedDownloadFirmware);
        QSignalSpy software(m_manager, &CUpdateManager::statusChangedDownloadSoftware);
        QVERIFY(m_manager->StartDownloadFirmware(&package, m_downloads.filePath(QStringLiteral("fw.kvf"))));
        QVERIFY(m_manager->StartDownloadSoftware(&package, m_downloads.filePath(QStringLiteral("app.bin"))));
        m_manager->StopDownload(CUpdateManager::UPDATE_SOFTWARE);   // the software dialog closed
        QTRY_COMPARE_WITH_TIMEOUT(firmware.count(QList<QVariant>{2, 0}), 1, 8000);
        QVERIFY(m_manager->StartDownloadSoftware(&package, m_downloads.filePath(QStringLiteral("app.bin"))));
        QVERIFY(m_manager->StartDownloadFirmware(&package, m_downloads.filePath(QStringLiteral("fw2.kvf"))));
        m_manager->StopDownload();   // the Info cell cancelled
        QTRY_COMPARE_WITH_TIMEOUT(software.count(QList<QVariant>{2, 0}), 1, 8000);
        QTRY_COMPARE(downloadsLeft(), (QStringList{"app.bin", "fw.kvf"}));
        QVERIFY(QFile::remove(m_downloads.filePath("app.bin")) && QFile::remove(m_downloads.filePath("fw.kvf")));
    }

    // More body than announced, the surplus late: the refused download's connection carries
    // neither the next download nor the next check.
    void refusedTransferLeavesNoConnection()
    {
        PackageInfo package = packageFor(m_server.addFile(QStringLiteral("surplus.kvf"), QByteArray(4096, 's')));
        m_server.setOffers({{"3.1", "https://h/a.kvf", "aa", ""}});
        QSignalSpy download(m_manager, &CUpdateManager::statusChangedDownloadFirmware);
        QSignalSpy check(m_manager, &CUpdateManager::statusChangedCheckFirmware);
        for (const bool surplus : {true, false, true}) {
            m_server.setKnobs(surplus ? QJsonObject{{"surplus", 0.1}} : QJsonObject{});
            download.clear();
            QVERIFY(m_manager->StartDownloadFirmware(&package, m_downloads.filePath(QStringLiteral("surplus.kvf"))));
            QTRY_VERIFY_WITH_TIMEOUT(!download.isEmpty() && download.last().at(0).toInt() != 1, 8000);
            QCOMPARE(download.last(), (QList<QVariant>{surplus ? 0 : 2, surplus ? -4 : 0}));
        }
        m_server.setKnobs({});
        startFirmwareCheck();
        QTRY_VERIFY_WITH_TIMEOUT(check.contains(QList<QVariant>{3}), 8000);
        QCOMPARE(check.count(QList<QVariant>{0}), 0);
        QVERIFY(QFile::remove(m_downloads.filePath(QStringLiteral("surplus.kvf"))));
    }

    void downloadPathIsPrivateAndPlain()
    {
        PackageInfo package{};
        qstrncpy(package.url, "https://h/x/../../etc/passwd%2F..", sizeof package.url);
        const QFileInfo path(CUpdateManager::GetDownloadPath(package));
        QCOMPARE(path.absolutePath(), CUpdateManager::GetFirmwareDownloadDir());
        QVERIFY(!path.fileName().contains(QLatin1Char('/')) && path.fileName() != QLatin1String(".."));
        QCOMPARE(QFileInfo(path.absolutePath()).permissions() & 0x0077, QFileDevice::Permissions());
        // Decoded once; what is then no plain visible file name falls back to the default: C0, DEL, C1, direction and
        // format controls, invalid UTF-8 (overlong, surrogate), a name whose partial file (8 bytes more) passes 255.
        for (const QString& segment : QStringList{"dir/", "ok%00.kvf", "a%0Ab", "a%7F", "a%2Fb", "a%5Cb", "%2E%2E",
                                                  ".a.kvf.Ab12Cd", "a%C2%80", "a%C2%9F", "a%E2%80%8E", "a%E2%80%8F",
                                                  "fw%E2%80%AEfvk.kvf", "a%E2%80%AA", "a%E2%81%A6", "a%E2%81%A9",
                                                  "a%FF.kvf", "a%C0%AF", "a%ED%A0%80", QString(244, 'a') + ".kvf",
                                                  QString(124, QChar(0xE9))}) {
            qstrncpy(package.url, ("https://h/" + segment).toUtf8().constData(), sizeof package.url);
            QVERIFY2(QFileInfo(CUpdateManager::GetDownloadPath(package)).fileName() == "temp.kvf", qPrintable(segment));
        }
        qstrncpy(package.url, "https://h/fw%20v2.kvf?x=/y", sizeof package.url);
        QCOMPARE(QFileInfo(CUpdateManager::GetDownloadPath(package)).fileName(), QStringLiteral("fw v2.kvf"));
    }

    // Against the server: a firmware named like the installer, downloading beside it, and the
    // longest name that fits land in files of their own; one byte longer lands as temp.kvf.
    void downloadsLandInFilesOfTheirOwn()
    {
        const QString installer = AppUpgradeDialog::DownloadPathFor(QCoreApplication::applicationName());
        PackageInfo program = packageFor(m_server.addFile(QStringLiteral("setup.run"), QByteArray(65536, 'p')));
        m_server.setKnobs({{"pace", 0.05}});
        QSignalSpy firmware(m_manager, &CUpdateManager::statusChangedDownloadFirmware);
        QSignalSpy software(m_manager, &CUpdateManager::statusChangedDownloadSoftware);
        QVERIFY(m_manager->StartDownloadSoftware(&program, installer));
        for (const QString& name : {QFileInfo(installer).fileName(), QString(243, 'a') + ".kvf", QString(244, 'a') + ".kvf"}) {
            PackageInfo package = packageFor(m_server.addFile(name, QByteArray(65536, 'f')));
            const QString path = CUpdateManager::GetDownloadPath(package);
            QCOMPARE(QFileInfo(path).fileName(), name.size() > 247 ? QStringLiteral("temp.kvf") : name);
            firmware.clear();
            QVERIFY(m_manager->StartDownloadFirmware(&package, path));
            QTRY_VERIFY_WITH_TIMEOUT(firmware.contains({2, 0}) && software.contains({2, 0}), 8000);
            QFile landed(path);
            QVERIFY(landed.open(QIODevice::ReadOnly) && landed.readAll() == QByteArray(65536, 'f') && landed.remove());
        }
        QFile landed(installer);
        QVERIFY(landed.open(QIODevice::ReadOnly) && landed.readAll() == QByteArray(65536, 'p') && landed.remove());
    }

    // A link (to a folder or a file), a file or another user's folder where a download folder should be: the
    // download going there fails, and nothing there or behind the link changes. A folder of our own open to
    // others is made owner-only and takes the downloads.
    void refusedFoldersFailUntouched_data()
    {
        QTest::addColumn<QString>("at");
        QTest::addColumn<QString>("what");
        for (const QString at : {"downloads", "downloads/firmware"}) {
            for (const char* what : {"link to a folder", "link to a file", "file", "foreign folder", "own folder"})
                QTest::addRow("%s at %s", what, qPrintable(at)) << at << QString(what);
        }
    }
    void refusedFoldersFailUntouched()
    {
        QFETCH(QString, at);
        QFETCH(QString, what);
        QTemporaryDir cache, user;
        qputenv("XDG_CACHE_HOME", cache.path().toUtf8());
        const auto restore = qScopeGuard([this] { qputenv("XDG_CACHE_HOME", m_cache.path().toUtf8()); });
        const QString base = QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + "/";
        const QString target = what.startsWith("link") ? user.filePath("target") : base + at;
        // The software update dialog takes its path as it opens, the Info page as the download starts.
        const QString installer = AppUpgradeDialog::DownloadPathFor("app");
        QVERIFY(QDir(base + "downloads").removeRecursively() && QDir().mkpath(QFileInfo(base + at).path()));
        const bool folder = what.endsWith("folder");
        QVERIFY(!folder || QDir().mkdir(target));
        for (const QString& file : folder ? QStringList{target + "/.notes.backup", target + "/notes"} : QStringList{target})
            QVERIFY(writeFile(file, "notes") && (what != "foreign folder" || lchown(qPrintable(file), 65534, 65534) == 0));
        QVERIFY(chmod(qPrintable(target), 0755) == 0 && (what != "foreign folder" || chown(qPrintable(target), 65534, 65534) == 0));
        QVERIFY(!what.startsWith("link") || QFile::link(target, base + at));
        const QStringList before = snapshot(target);

        PackageInfo package = packageFor(m_server.addFile(QStringLiteral("fw.kvf"), QByteArray(4096, 'f')));
        QSignalSpy firmware(m_manager, &CUpdateManager::statusChangedDownloadFirmware);
        QSignalSpy software(m_manager, &CUpdateManager::statusChangedDownloadSoftware);
        QVERIFY(m_manager->StartDownloadFirmware(&package, CUpdateManager::GetDownloadPath(package)));
        QVERIFY(m_manager->StartDownloadSoftware(&package, installer));
        const bool refused = what != "own folder";
        const QList<QVariant> failed{0, -1}, landed{2, 0}, program = refused && at == "downloads" ? failed : landed;
        QTRY_VERIFY_WITH_TIMEOUT(firmware.contains(refused ? failed : landed) && software.contains(program), 8000);
        QTest::qWait(5 * kPollMs);
        QCOMPARE(firmware.last(), refused ? failed : landed);
        QCOMPARE(software.last(), program);
        const QString why = what.startsWith("link") ? "a symbolic link" : what == "file" ? "not a folder" : "user id 65534";
        QCOMPARE(lvtest::readLines(m_config.filePath("lv.log")).filter(base + at + " refused (").filter(why).isEmpty(), !refused);
        if (refused)
            QCOMPARE(snapshot(target), before);
        else
            QVERIFY(!(QFileInfo(target).permissions() & 0x0077) && QFile::exists(base + "downloads/firmware/fw.kvf"));
    }

    // Shutting down while a check and a download hang on the server neither
    // waits for them nor leaves a partial file (last: it stops the library).
    void exitDuringTransfersIsPrompt()
    {
        const QStringList served = m_server.addFile(QStringLiteral("hang.kvf"), QByteArray(1000, 'y'));
        m_server.setKnobs({{"delay", 3}});
        PackageInfo package = packageFor(served);
        startFirmwareCheck();
        QVERIFY(m_manager->StartDownloadFirmware(&package, m_downloads.filePath(QStringLiteral("hang.kvf"))));
        QTest::qWait(300);
        QElapsedTimer clock;
        clock.start();
        m_manager->Exit();
        QVERIFY(clock.elapsed() < 1000);
        QCOMPARE(downloadsLeft(), QStringList());
    }
};

QTEST_GUILESS_MAIN(TstUpdateService)
#include "tst_updateservice.moc"
