// Firmware flashing into the emulated device's NOR flash: full and partial images,
// the order of the work, and every failure path ending with the right status, in
// bounded time and with the header area erased.

#include "lvemulatortest.h"

#include <algorithm>
#include <atomic>
#include <thread>

#include "device/lumivandrexpresenter.h"
#include "tst_lumivandrexpresenter_support.h"

using namespace prestest;
using lvemu::Bytes;
using lvemu::EmulatedBus;
using lvemu::TransferRecord;

namespace {

constexpr uint32_t kBase = lvemu::kFlashHeaderBase;
constexpr uint32_t kUnit = lvemu::kFlashEraseUnit;

bool allErased(const Bytes &bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b == 0xFF; });
}

Bytes toBytes(const std::vector<unsigned char> &v)
{
    return Bytes(v.begin(), v.end());
}

uint32_t le32(const Bytes &b, size_t at)
{
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

// Samples status and percent while a flashing runs, as the GUI thread does.
struct Sampler
{
    explicit Sampler(const int *status, const int *percent) : m_status(status), m_percent(percent)
    {
        m_thread = std::thread([this] {
            while (!m_stop) {
                sample();
                std::this_thread::yield();
            }
            // stop() comes after the run has returned: one last look sees the final status
            // even when the loop last ran before it was written.
            sample();
        });
    }
    void stop()
    {
        m_stop = true;
        m_thread.join();
    }
    std::vector<int> statuses;
    int maxPercent = 0;

private:
    void sample()
    {
        const int s = loadStatus(m_status);
        const int p = loadStatus(m_percent);
        if (statuses.empty() || statuses.back() != s)
            statuses.push_back(s);
        maxPercent = std::max(maxPercent, p);
    }

    const int *m_status;
    const int *m_percent;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

} // namespace

class TstUpgrade : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void sectionSelection_data();
    void sectionSelection();
    void fullImageLandsByteForByte();
    void partialImageWritesUpgradeAreaOnly();
    void headerWrittenLastInPagesMagicLast();
    void headerAloneImage();
    void writeStallEndsWithFiveAfterThreeAttempts();
    void busyThatNeverClearsIsBounded();
    void shortBusyReplyIsAFailedRead();
    void unplugMidFlash();
    void bitFlipInSectionFailsVerify();
    void bitFlipInHeaderErasesItAgain();
    void refusedImagesTouchNothing_data();
    void refusedImagesTouchNothing();
    void unpluggedBeforeLockTouchesNothing();
    void unreportedFlashSizeStillFlashes();

private:
    int flash(const FirmwareImage &image, bool full, std::vector<int> *statuses = nullptr, int *percentOut = nullptr);
    tagDEVICE_INSTANCE currentCopy();

    LumivandrexPresenter *m_presenter = nullptr;
    FakeTimerCtrl m_timer;
    std::shared_ptr<lvemu::EmulatedDevice> m_dev;
    QStringList m_violations;   // checked after every test
};

void TstUpgrade::init()
{
    EmulatedBus::instance().unplugAll();
    m_dev = EmulatedBus::instance().plug();
    m_dev->setBusyPolls(1);
    m_presenter = new LumivandrexPresenter;
    m_presenter->SetTimingForTest(20, 300);
    m_presenter->SetNotifyTimerCtrl(&m_timer);
    QVERIFY(m_presenter->Init());
    m_presenter->SetCurrentIndex(0, false);
    m_dev->clearTransfers();
}

void TstUpgrade::cleanup()
{
    const QStringList violations = m_violations;
    m_violations.clear();
    m_presenter->Exit();
    delete m_presenter;
    m_presenter = nullptr;
    EmulatedBus::instance().unplugAll();
    m_dev.reset();
    QVERIFY2(violations.isEmpty(), qPrintable(violations.join("; ")));
}

tagDEVICE_INSTANCE TstUpgrade::currentCopy()
{
    QMutexLocker locker(&m_presenter->GetLock()->m_mutex);
    tagDEVICE_INSTANCE *inst = m_presenter->GetCurrentInstance();
    return inst ? *inst : tagDEVICE_INSTANCE();
}

int TstUpgrade::flash(const FirmwareImage &image, bool full, std::vector<int> *statuses, int *percentOut)
{
    int status = 0, percent = 0;
    Sampler sampler(&status, &percent);
    const bool ok = m_presenter->Upgrade(currentCopy(), &image.header, image.sections(), &status, &percent, full);
    sampler.stop();
    const int final = loadStatus(&status);
    if (statuses)
        *statuses = sampler.statuses;
    if (percentOut)
        *percentOut = loadStatus(&percent);
    // A failure status is only ever seen as the last one: during retries the reader
    // sees "erasing"/"writing" and nothing that would make it free the image.
    for (size_t i = 0; i + 1 < sampler.statuses.size(); ++i) {
        const int s = sampler.statuses[i];
        if (s == 3 || s == 5 || s == 7 || s == 8)
            m_violations << QString("final-looking status %1 seen before the end").arg(s);
    }
    if (ok != (final == 7))
        m_violations << "Upgrade's result disagrees with its status";
    if (m_presenter->IsFirmwareUpgrading())
        m_violations << "upgrading flag left set";
    return final;
}

void TstUpgrade::sectionSelection_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<bool>("inFull");
    QTest::addColumn<bool>("inPartial");
    QTest::addColumn<bool>("clear");
    QTest::newRow("main") << QByteArray("Main.App") << true << false << false;
    QTest::newRow("upgrade") << QByteArray("Upgrade.App") << false << true << false;
    QTest::newRow("no dot") << QByteArray("UpgradeApp") << true << false << false;
    QTest::newRow("factory clr") << QByteArray("Factory.CLR.cfg") << true << false << true;
    QTest::newRow("upgrade clr") << QByteArray("Upgrade.CLR") << false << true << true;
    QTest::newRow("upgrade clr dot") << QByteArray("Upgrade.CLR.x") << false << true << true;
    QTest::newRow("factory clr no dot") << QByteArray("Factory.CLR") << true << false << false;
    QTest::newRow("lower case") << QByteArray("upgrade.clr") << true << false << false;
}

void TstUpgrade::sectionSelection()
{
    QFETCH(QByteArray, name);
    QFETCH(bool, inFull);
    QFETCH(bool, inPartial);
    QFETCH(bool, clear);
    _KV_FIRMWARE_SECTION_HEADER section{};
    std::memcpy(section.name, name.constData(), size_t(qMin(name.size(), int(sizeof(section.name)))));
    QCOMPARE(LumivandrexPresenter::IsMatchedSection(true, &section), inFull);
    QCOMPARE(LumivandrexPresenter::IsMatchedSection(false, &section), inPartial);
    QCOMPARE(LumivandrexPresenter::IsCLRSection(section.name), clear);
    // A name filling all 16 bytes without a NUL is read no further than the field:
    // the bytes after it (the address and size fields) are not part of the name.
    _KV_FIRMWARE_SECTION_HEADER unterminated{};
    std::memcpy(unterminated.name, "xxxxxxxxxxxxUpgr", 16);
    std::memcpy(&unterminated.address, "ade.", 4);
    std::memcpy(&unterminated.size, "CLR", 4);
    QVERIFY(!LumivandrexPresenter::IsCLRSection(unterminated.name));
}

void TstUpgrade::fullImageLandsByteForByte()
{
    const uint32_t upgradeArea = 0x200000;
    m_dev->pokeFlash(0x140000, Bytes(0x2000, 0x5A));   // the CLR area holds old data
    m_dev->pokeFlash(upgradeArea, Bytes(0x1000, 0x33));
    FirmwareImage image;
    image.add("Main.App", 0x120000, 0x2345);            // not a multiple of a page
    image.add("Factory.CLR.cfg", 0x140000, 0x2000);
    image.add("Upgrade.App", upgradeArea, 0x1000);      // not part of a full image
    image.add("Empty.Sec", 0x160000, 0);                // skipped

    std::vector<int> statuses;
    int percent = -1;
    QCOMPARE(flash(image, true, &statuses, &percent), 7);
    QCOMPARE(statuses.front() == 0 ? statuses[1] : statuses.front(), 2);
    QCOMPARE(statuses.back(), 7);
    // Clear sections count in the total but are not verified: verify ends below 100.
    const quint64 total = image.header.headerLength + 0x2345 + 0x2000;
    QCOMPARE(percent, int((image.header.headerLength + 0x2345) * 100 / total));

    QCOMPARE(m_dev->flash(kBase, image.header.headerLength), toBytes(image.headerBytes()));
    QCOMPARE(m_dev->flash(0x120000, 0x2345), toBytes(image.data[0]));
    QVERIFY(allErased(m_dev->flash(0x120000 + 0x2345, 0x3000 - 0x2345)));   // rest of the last unit
    QVERIFY(allErased(m_dev->flash(0x140000, 0x2000)));
    QCOMPARE(m_dev->flash(upgradeArea, 0x1000), Bytes(0x1000, 0x33));
    QVERIFY(allErased(m_dev->flash(kBase + image.header.headerLength, 64)));
}

void TstUpgrade::partialImageWritesUpgradeAreaOnly()
{
    const Bytes stockMain = m_dev->flash(lvemu::kFlashMainSection, 0x1000);
    const Bytes stockHeader = m_dev->flash(kBase, 0x200);
    FirmwareImage image;
    image.add("Main.App", lvemu::kFlashMainSection, 0x1000);
    image.add("Upgrade.App", 0x200000, 0x1801);
    image.add("Upgrade.CLR", 0x210000, 0x1000);
    m_dev->pokeFlash(0x210000, Bytes(16, 0));

    QCOMPARE(flash(image, false), 7);
    QCOMPARE(m_dev->flash(kBase + 0x1000, image.header.headerLength), toBytes(image.headerBytes()));
    QCOMPARE(m_dev->flash(0x200000, 0x1801), toBytes(image.data[1]));
    QVERIFY(allErased(m_dev->flash(0x210000, 0x1000)));
    QCOMPARE(m_dev->flash(lvemu::kFlashMainSection, 0x1000), stockMain);
    QCOMPARE(m_dev->flash(kBase, 0x200), stockHeader);   // the full image's header stays
}

void TstUpgrade::headerWrittenLastInPagesMagicLast()
{
    FirmwareImage image;
    for (int i = 0; i < 12; ++i)   // 157 + 12 * 28 = 493 bytes: two pages
        image.add(QByteArray("Sec.").append(QByteArray::number(i)).constData(), 0x300000 + uint32_t(i) * kUnit,
                  0x100 + uint32_t(i));
    QVERIFY(image.header.headerLength > 256);
    QCOMPARE(flash(image, true), 7);
    QCOMPARE(m_dev->flash(kBase, image.header.headerLength), toBytes(image.headerBytes()));
    for (int i = 0; i < 12; ++i)
        QCOMPARE(m_dev->flash(0x300000 + uint32_t(i) * kUnit, 0x100 + uint32_t(i)), toBytes(image.data[size_t(i)]));

    // Wire order: every section programmed, then every section read back, then the
    // header's second page, then the page with the magic, then its read-back.
    std::vector<uint32_t> programs;
    size_t lastSectionRead = 0, firstHeaderProgram = 0, index = 0;
    for (const TransferRecord &t : m_dev->transfers()) {
        ++index;
        if (t.id == 0xF3 && t.direction == TransferRecord::Set) {
            const uint32_t address = le32(t.bytes, 1);
            programs.push_back(address);
            if (address >= kBase && address < kBase + kUnit && !firstHeaderProgram)
                firstHeaderProgram = index;
        }
        if (t.id == 0xF2 && le32(t.bytes, 1) >= 0x300000)
            lastSectionRead = index;
    }
    QVERIFY(programs.size() >= 3);
    QCOMPARE(programs[programs.size() - 2], kBase + 256);
    QCOMPARE(programs.back(), kBase);
    QVERIFY(lastSectionRead > 0 && lastSectionRead < firstHeaderProgram);
}

void TstUpgrade::headerAloneImage()
{
    FirmwareImage image;   // no sections at all
    int percent = 0;
    QCOMPARE(flash(image, true, nullptr, &percent), 7);
    QCOMPARE(percent, 100);
    QCOMPARE(m_dev->flash(kBase, 157), toBytes(image.headerBytes()));
}

void TstUpgrade::writeStallEndsWithFiveAfterThreeAttempts()
{
    FirmwareImage image;
    image.add("Main.App", 0x120000, 0x800);
    m_dev->stallReport(0xF3);
    std::vector<int> statuses;
    QCOMPARE(flash(image, true, &statuses), 5);
    // 2 then 4 in every attempt; the failure status only at the very end.
    statuses.erase(std::remove(statuses.begin(), statuses.end(), 0), statuses.end());
    QCOMPARE(statuses.back(), 5);
    QVERIFY(std::count(statuses.begin(), statuses.end(), 5) == 1);
    QVERIFY(allErased(m_dev->flash(kBase, 0x200)));
    int erasesOfHeader = 0;
    for (const TransferRecord &t : m_dev->transfers())
        erasesOfHeader += (t.id == 0xF1 && le32(t.bytes, 1) == kBase) ? 1 : 0;
    QCOMPARE(erasesOfHeader, 3);
}

void TstUpgrade::busyThatNeverClearsIsBounded()
{
    FirmwareImage image;
    image.add("Main.App", 0x120000, 0x800);
    m_dev->setBusyPolls(1000000);   // the first erase never finishes
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(flash(image, true), 3);
    QVERIFY2(timer.elapsed() < 5000, qPrintable(QString("took %1 ms").arg(timer.elapsed())));
    QVERIFY(allErased(m_dev->flash(kBase, 0x200)));
    QCOMPARE(m_dev->programCount(), 0);
}

void TstUpgrade::shortBusyReplyIsAFailedRead()
{
    FirmwareImage image;
    image.add("Main.App", 0x120000, 0x100);
    m_dev->setShortReply(0xF4, 1);   // the id byte only: the busy flag never arrives
    QCOMPARE(flash(image, true), 3);
    int busyReads = 0;
    for (const TransferRecord &t : m_dev->transfers())
        busyReads += t.id == 0xF4 ? 1 : 0;
    QCOMPARE(busyReads, 3);   // one per attempt, none taken as "idle"
    QCOMPARE(m_dev->programCount(), 0);
}

void TstUpgrade::unplugMidFlash()
{
    FirmwareImage image;
    image.add("Main.App", 0x120000, 0x1000);
    m_dev->unplugOnTransfer(0xF3);   // the first page write pulls the cable
    QElapsedTimer timer;
    timer.start();
    // Attempt 1 fails writing, attempts 2 and 3 fail erasing a device that is gone:
    // the status is the last attempt's.
    QCOMPARE(flash(image, true), 3);
    QVERIFY(timer.elapsed() < 10000);
    QVERIFY(allErased(m_dev->flash(kBase, 0x200)));
    // The enumeration thread drops the device afterwards.
    QVERIFY(waitUntil([&] { return m_presenter->GetDeviceCount() == 0; }, 5000));
}

void TstUpgrade::bitFlipInSectionFailsVerify()
{
    FirmwareImage image;
    image.add("Main.App", 0x120000, 0x1000);
    m_dev->setFlashReadBitFlip(0x120000 + 100, 0x04);
    QCOMPARE(flash(image, true), 8);
    // Verified: after the last page was programmed, the section was read back.
    const std::vector<TransferRecord> log = m_dev->transfers();
    const auto lastWrite = std::find_if(log.rbegin(), log.rend(), [](const TransferRecord &t) {
        return t.direction == TransferRecord::Set && t.id == 0xF3;
    });
    QVERIFY(std::any_of(log.rbegin(), lastWrite, [](const TransferRecord &t) {
        return t.id == 0xF2 && le32(t.bytes, 1) >= 0x120000 && le32(t.bytes, 1) < 0x121000;
    }));
    // The header was never written: a bad image is not described as valid.
    QVERIFY(allErased(m_dev->flash(kBase, 0x200)));
    QCOMPARE(m_dev->flash(0x120000, 0x1000), toBytes(image.data[0]));   // raw flash is right
    // No retry after verifying started: the section was programmed once.
    QCOMPARE(m_dev->programCount(), 16);
}

void TstUpgrade::bitFlipInHeaderErasesItAgain()
{
    FirmwareImage image;
    image.add("Main.App", 0x120000, 0x400);
    m_dev->setFlashReadBitFlip(kBase + 10, 0x80);
    QCOMPARE(flash(image, true), 8);
    QVERIFY(allErased(m_dev->flash(kBase, 0x200)));
}

void TstUpgrade::refusedImagesTouchNothing_data()
{
    QTest::addColumn<int>("fault");
    QTest::newRow("erase unit 0") << 0;
    QTest::newRow("misaligned section") << 1;
    QTest::newRow("section past the flash end") << 2;
    QTest::newRow("sections overlap") << 3;
    QTest::newRow("section over the header area") << 4;
    QTest::newRow("17 sections") << 5;
    QTest::newRow("header length mismatch") << 6;
    QTest::newRow("section without data") << 7;
    QTest::newRow("address wraps 32 bits") << 8;
}

void TstUpgrade::refusedImagesTouchNothing()
{
    QFETCH(int, fault);
    FirmwareImage image;
    image.add("Main.App", 0x120000, 0x800);
    tagDEVICE_INSTANCE copy = currentCopy();
    switch (fault) {
    case 0: copy.flashInfo.eraseUnit = 0; break;
    case 1: image.add("Other", 0x130100, 0x100); break;
    case 2: image.add("Other", lvemu::kFlashSize - kUnit, kUnit + 1); break;
    case 3: image.add("Other", 0x120000 - kUnit, kUnit + 1); break;
    case 4: image.add("Other", kBase - kUnit, kUnit + 1); break;
    case 5:
        image.header.sectionCount = 17;
        image.header.headerLength = 157 + 28 * 17;
        break;
    case 6: image.header.headerLength = 157 + 28 * 2; break;
    case 7: image.pointers[0] = nullptr; break;
    case 8: image.add("Other", 0xFFFFF000u, 0x2000); break;
    }
    int status = 0, percent = 0;
    const Bytes before = m_dev->flash(0x100000, 0x40000);
    m_presenter->Upgrade(copy, &image.header, image.sections(), &status, &percent, true);
    QCOMPARE(loadStatus(&status), 3);
    QCOMPARE(m_dev->transferCount(), 0);
    QCOMPARE(m_dev->flash(0x100000, 0x40000), before);
    QVERIFY(!m_presenter->IsFirmwareUpgrading());
}

void TstUpgrade::unpluggedBeforeLockTouchesNothing()
{
    const tagDEVICE_INSTANCE stale = currentCopy();
    EmulatedBus::instance().unplug(m_dev);
    QVERIFY(waitUntil([&] { return m_presenter->GetDeviceCount() == 0; }, 5000));
    plugLocked(*m_presenter, m_dev);   // back, but as a new instance
    QVERIFY(waitUntil([&] { return m_presenter->GetDeviceCount() == 1; }, 5000));
    m_dev->clearTransfers();
    FirmwareImage image;
    image.add("Main.App", 0x120000, 0x100);
    int status = 0, percent = 0;
    QVERIFY(!m_presenter->Upgrade(stale, &image.header, image.sections(), &status, &percent, true));
    QCOMPARE(loadStatus(&status), 3);
    QCOMPARE(m_dev->transferCount(), 0);
}

// A device that leaves the flash size of report 0xF0 at 0 can still be upgraded;
// only the 32-bit address space bounds the image then.
void TstUpgrade::unreportedFlashSizeStillFlashes()
{
    FirmwareImage image;
    image.add("Main.App", 0x120000, 0x300);
    tagDEVICE_INSTANCE copy = currentCopy();
    copy.flashInfo.flashSize = 0;
    int status = 0, percent = 0;
    QVERIFY(m_presenter->Upgrade(copy, &image.header, image.sections(), &status, &percent, true));
    QCOMPARE(loadStatus(&status), 7);
    QCOMPARE(m_dev->flash(0x120000, 0x300), toBytes(image.data[0]));

    FirmwareImage wrapping;
    wrapping.add("Main.App", 0xFFFFF000u, 0x2000);
    m_dev->clearTransfers();
    status = 0;
    m_presenter->Upgrade(copy, &wrapping.header, wrapping.sections(), &status, &percent, true);
    QCOMPARE(loadStatus(&status), 3);
    QCOMPARE(m_dev->transferCount(), 0);
}

LV_EMULATED_QTEST_MAIN(TstUpgrade)
#include "tst_upgrade.moc"
