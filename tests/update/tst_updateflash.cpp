// The firmware file reader and the flashing thread through the update manager,
// against the emulated device: every damaged or foreign file is refused before a
// single transfer, and a file downloaded from the loopback server lands in flash
// byte for byte.

#include "lvemulatortest.h"

#include <functional>

#include "../device/tst_lumivandrexpresenter_support.h"
#include "update/cupgradefirmware.h"
#include "update/updatemanager.h"
#include "kvffile.h"
#include "updatetestserver.h"

using prestest::FirmwareImage;

namespace {

// The header checksum again, after a field was changed behind finish()'s back.
void resum(FirmwareImage& image)
{
    const auto* b = reinterpret_cast<const unsigned char*>(&image.header);
    image.header.checksum = 0;
    for (int i = 8; i < qMin<int>(image.header.headerLength, sizeof image.header); ++i)
        image.header.checksum += b[i];
}

struct Corruption
{
    const char* name;
    std::function<void(FirmwareImage&, QByteArray&, tagDEVICE_INSTANCE&)> apply;
    int refusal;
};

} // namespace

class TstUpdateFlash : public QObject
{
    Q_OBJECT

    UpdateTestServer m_server;
    QTemporaryDir m_dir;
    prestest::FakeTimerCtrl m_timer;
    std::shared_ptr<lvemu::EmulatedDevice> m_dev;
    CUpdateManager m_manager;

    FirmwareImage validImage(uint32_t version = 0x00010002)
    {
        FirmwareImage image = imageFor(*m_dev, version);
        image.add("Main.App", 0x120000, 0x1800, 1);
        image.add("Main.Cfg", 0x200000, 0x900, 2);
        return image;
    }
    tagDEVICE_INSTANCE currentInstance()
    {
        QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
        return *g_presenter.GetCurrentInstance();
    }
    QString writeFile(const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(QStringLiteral("test.kvf"));
        QFile file(path);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(bytes);
        return path;
    }
    bool inFlash(const FirmwareImage& image)
    {
        const std::vector<unsigned char> header = image.headerBytes();
        bool same = m_dev->flash(lvemu::kFlashHeaderBase, uint32_t(header.size())) == lvemu::Bytes(header.begin(), header.end());
        for (int i = 0; i < image.header.sectionCount; ++i) {
            const auto& s = image.header.sections[i];
            same = same && m_dev->flash(s.address, s.size) == lvemu::Bytes(image.data[size_t(i)].begin(), image.data[size_t(i)].end());
        }
        return same;
    }

private slots:
    void initTestCase()
    {
        m_dev = lvemu::EmulatedBus::instance().plug();
        m_dev->setBusyPolls(1);
        g_presenter.SetTimingForTest(20, 300);
        g_presenter.SetNotifyTimerCtrl(&m_timer);
        QVERIFY(g_presenter.Init());
        g_presenter.SetCurrentIndex(0, false);
        QVERIFY(m_server.start());
        const QString ini = m_server.writeConfig(m_dir.filePath(QStringLiteral("update.ini")),
                                                 QStringLiteral("FirmwareURL"), QStringLiteral("/fw.json"));
        m_manager.SetIntervalsForTest(20, 24 * 3600 * 1000);
        QVERIFY(m_manager.Init(ini));
    }
    void cleanupTestCase()
    {
        m_manager.Exit();
        g_presenter.Exit();
    }

    void damagedOrForeignFilesNeverReachTheDevice()
    {
        using Img = FirmwareImage;
        using Inst = tagDEVICE_INSTANCE;
        const Corruption table[] = {
            {"bad magic", [](Img& i, QByteArray&, Inst&) { i.header.magic[0] = 'X'; i.finish(); }, KVF_DAMAGED},
            {"header checksum", [](Img& i, QByteArray&, Inst&) { i.header.checksum += 1; }, KVF_DAMAGED},
            {"changed data byte", [](Img&, QByteArray& f, Inst&) { f[f.size() - 5] = char(f[f.size() - 5] ^ 1); }, KVF_DAMAGED},
            {"header length", [](Img& i, QByteArray&, Inst&) { i.header.headerLength += 28; resum(i); }, KVF_DAMAGED},
            {"17 sections", [](Img& i, QByteArray&, Inst&) { i.header.sectionCount = 17; i.header.headerLength = 157 + 28 * 17; resum(i); }, KVF_DAMAGED},
            {"name not terminated", [](Img& i, QByteArray&, Inst&) { memset(i.header.sections[1].name, 'A', 16); i.finish(); }, KVF_DAMAGED},
            {"truncated data", [](Img&, QByteArray& f, Inst&) { f.chop(1); }, KVF_UNREADABLE},
            {"size beyond flash", [](Img& i, QByteArray&, Inst&) { i.header.sections[0].address = 0x3FF000; i.finish(); }, KVF_OTHER_DEVICE},
            {"misaligned", [](Img& i, QByteArray&, Inst&) { i.header.sections[1].address = 0x200100; i.finish(); }, KVF_OTHER_DEVICE},
            {"sections overlap", [](Img& i, QByteArray&, Inst&) { i.header.sections[1].address = 0x121000; i.finish(); }, KVF_DAMAGED},
            {"over full header", [](Img& i, QByteArray&, Inst&) { i.header.sections[1].address = lvemu::kFlashHeaderBase; i.finish(); }, KVF_DAMAGED},
            {"over partial header", [](Img& i, QByteArray&, Inst&) { i.header.sections[1].address = lvemu::kFlashHeaderBase + 0x1000; i.finish(); }, KVF_DAMAGED},
            {"wrong model", [](Img& i, QByteArray&, Inst&) { i.header.modelCode ^= 1; i.finish(); }, KVF_OTHER_DEVICE},
            {"wrong letter", [](Img& i, QByteArray&, Inst&) { i.header.hardwareVersion = 'C'; i.finish(); }, KVF_OTHER_DEVICE},
            {"wrong identity byte", [](Img& i, QByteArray&, Inst&) { i.header.identifier ^= 1; i.finish(); }, KVF_OTHER_DEVICE},
            {"older version", [](Img& i, QByteArray&, Inst&) { i.header.version = 0x00010001; i.finish(); }, KVF_OLDER_VERSION},
            {"flash size 0", [](Img&, QByteArray&, Inst& d) { d.flashInfo.flashSize = 0; }, KVF_UNSUPPORTED_FLASH},
            {"flash 16 MiB", [](Img&, QByteArray&, Inst& d) { d.flashInfo.flashSize = 0x1000000; }, KVF_UNSUPPORTED_FLASH},
            {"512-byte pages", [](Img&, QByteArray&, Inst& d) { d.flashInfo.pageSize = 512; }, KVF_UNSUPPORTED_FLASH},
            {"8 KiB erase unit", [](Img&, QByteArray&, Inst& d) { d.flashInfo.eraseUnit = 0x2000; }, KVF_UNSUPPORTED_FLASH},
            {"missing file", [](Img&, QByteArray& f, Inst&) { f.clear(); }, KVF_UNREADABLE},
        };
        for (const Corruption& c : table) {
            FirmwareImage image = validImage();
            QByteArray file = kvfBytes(image);
            tagDEVICE_INSTANCE device = currentInstance();
            const _KV_FIRMWARE_HEADER before = image.header;
            c.apply(image, file, device);
            if (memcmp(&before, &image.header, sizeof before) != 0)
                file = kvfBytes(image);
            const QString path = writeFile(file);
            if (file.isEmpty())
                QFile::remove(path);
            m_dev->clearTransfers();
            QVERIFY2(!m_manager.StartUpgradeFirmware(&device, path), c.name);
            QVERIFY2(m_manager.GetUpgradeRefusal() == c.refusal, c.name);
            QVERIFY2(!CUpdateManager::UpgradeRefusalText(c.refusal).isEmpty(), c.name);
            QVERIFY2(m_dev->transferCount() == 0, c.name);
        }
    }

    // Offered, downloaded from the loopback server, flashed through the manager.
    void downloadedFileLandsInFlash()
    {
        const FirmwareImage image = validImage(0x00010003);
        const QStringList served = m_server.addFile(QStringLiteral("fw-1.3.kvf"), kvfBytes(image));
        m_server.setOffers({{"1.3.0", served[0], served[1], "###1.3"}});
        QSignalSpy check(&m_manager, &CUpdateManager::statusChangedCheckFirmware);
        char a[] = "1", b[] = "3", c[] = "B", d[] = "1.2.3";
        _KVUPDATE_FIRMWARE_INFO info{{a, b, c, d}};
        QVERIFY(m_manager.StartCheckFirmware(&info));
        QTRY_VERIFY(!check.isEmpty() && check.last().at(0).toInt() == 3);
        PackageInfo package;
        QVERIFY(m_manager.GetUpdateInfoHardware(package));
        const QString path = CUpdateManager::GetDownloadPath(package);
        QVERIFY(path.endsWith(QLatin1String("/fw-1.3.kvf")));
        QSignalSpy download(&m_manager, &CUpdateManager::statusChangedDownloadFirmware);
        QVERIFY(m_manager.StartDownloadFirmware(&package, path));
        QTRY_VERIFY(!download.isEmpty() && download.last().at(0).toInt() == 2);

        QSignalSpy upgrade(&m_manager, &CUpdateManager::statusChangedUpgrade);
        tagDEVICE_INSTANCE device = currentInstance();
        QVERIFY(m_manager.StartUpgradeFirmware(&device, path));
        QTRY_VERIFY_WITH_TIMEOUT(!upgrade.isEmpty() && IsFinalUpgradeStatus(upgrade.last().at(0).toInt()), 30000);
        QCOMPARE(upgrade.last().at(0).toInt(), int(KV_UPGRADE_SUCCESS));
        int first = 0;   // the final status repeats, nothing else follows it
        while (!IsFinalUpgradeStatus(upgrade.at(first).at(0).toInt()))
            ++first;
        for (int i = first; i < upgrade.size(); ++i)
            QCOMPARE(upgrade.at(i).at(0).toInt(), int(KV_UPGRADE_SUCCESS));
        QVERIFY(inFlash(image));
        m_manager.StopUpgradeFirmware();
        QFile::remove(path);
    }

    // A stop while flashing never cuts the flashing short nor waits for it; a
    // second start meanwhile is refused.
    void stopWhileFlashingLetsItFinish()
    {
        const FirmwareImage image = validImage(0x00010004);
        const QString path = writeFile(kvfBytes(image));
        tagDEVICE_INSTANCE device = currentInstance();
        QVERIFY(m_manager.StartUpgradeFirmware(&device, path));
        QVERIFY(!m_manager.StartUpgradeFirmware(&device, path));
        QCOMPARE(m_manager.GetUpgradeRefusal(), int(KVF_BUSY));
        QElapsedTimer clock;
        clock.start();
        m_manager.StopUpgradeFirmware();
        QVERIFY(clock.elapsed() < 200);
        QTRY_VERIFY_WITH_TIMEOUT(inFlash(image), 30000);
        QVERIFY(m_manager.StartUpgradeFirmware(&device, path));
        m_manager.Exit();   // waits for the flashing thread
        QVERIFY(!g_presenter.IsFirmwareUpgrading());
        QVERIFY(inFlash(image));
    }
};

LV_EMULATED_QTEST_MAIN(TstUpdateFlash)
#include "tst_updateflash.moc"
