// The emulated device's own model, driven through the real transport, since every
// device-level suite relies on it behaving like the hardware.
#include <QtTest>

#include <cerrno>
#include <cstring>

#include "device/kvcaprecords.h"
#include "device/lumivandrexdevice.h"
#include "lvemulatortest.h"

using lvemu::Bytes;
using lvemu::EmulatedBus;
using lvemu::EmulatedDevice;

namespace {

template <typename Record> bool get(LumivandrexDevice* d, uint8_t id, Record& r)
{
    return HidGetReport(d, id, reinterpret_cast<unsigned char*>(&r), sizeof r);
}

template <typename Record> bool set(LumivandrexDevice* d, uint8_t id, const Record& r)
{
    return HidSetReport(d, id, reinterpret_cast<const unsigned char*>(&r), sizeof r);
}

bool commit(LumivandrexDevice* d, uint8_t how)
{
    return HidSetReport(d, 0xFE, &how, 1);
}

bool erase(LumivandrexDevice* d, uint32_t address, uint32_t length)
{
    _KVCAP_FLASH_ERASE e{address, length};
    return set(d, 0xF1, e);
}

bool program(LumivandrexDevice* d, uint32_t address, const Bytes& bytes)
{
    _KVCAP_FLASH_DATA page{};
    page.address = address;
    page.length = uint16_t(bytes.size());
    memcpy(page.data, bytes.data(), bytes.size());
    return set(d, 0xF3, page);
}

// Busy reads until the part is idle; -1 when it never gets there within `limit`.
int busyPolls(LumivandrexDevice* d, int limit = 50)
{
    for (int polls = 0; polls < limit; ++polls) {
        _KVCAP_FLASH_BUSY busy{1};
        if (!get(d, 0xF4, busy))
            return -1;
        if (!busy.busy)
            return polls;
    }
    return -1;
}

Bytes readFlash(LumivandrexDevice* d, uint32_t address, int length)
{
    _KVCAP_FLASH_ADDRESS a{address};
    _KVCAP_FLASH_DATA reply{};
    if (!set(d, 0xF2, a) || !get(d, 0xF3, reply))
        return Bytes();
    return Bytes(reply.data, reply.data + length);
}

} // namespace

class TstEmulatedDevice : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void stockContentIsPlausible();
    void settingsKeepWhatIsWritten();
    void commitSavesRestoresAndResets();
    void commitRejectsUnknownValue();
    void notifyBitsLatchUntilRead();
    void notifyMaskingFollowsReport7();
    void eraseSetsWholeUnitsToFF();
    void programmingOnlyClearsBits();
    void busyForAFewPollsAfterEachOperation();
    void commandsWhileBusyAreRefused();
    void eraseAndProgramBoundsAreChecked();
    void stuckBusyNeverClears();
    void bitFlipCorruptsReadBackOnly();
    void stockFirmwareHeaderMatchesRunningVersion();
    void setReportWithWrongIdByteStalls();
    void severalDevicesAreIndependent();

private:
    std::shared_ptr<EmulatedDevice> m_dev;
    LumivandrexDevice* m_object = nullptr;
};

void TstEmulatedDevice::initTestCase()
{
    EmulatedBus::instance();
    QVERIFY(LumivandrexDevice::InitDevices());
}

void TstEmulatedDevice::init()
{
    m_dev = EmulatedBus::instance().plug();
    QVector<tagUSBDEVICE_DATA> list;
    QVERIFY(LumivandrexDevice::EnumDevices(list));
    QCOMPARE(list.size(), 1);
    m_object = new LumivandrexDevice;
    m_object->Bind(list[0]);
}

void TstEmulatedDevice::cleanup()
{
    delete m_object;
    m_object = nullptr;
    EmulatedBus::instance().unplugAll();
    m_dev.reset();
}

void TstEmulatedDevice::cleanupTestCase()
{
    LumivandrexDevice::UnInitDevices();
}

void TstEmulatedDevice::stockContentIsPlausible()
{
    _KVCAP_DEVICE_INFO info{};
    QVERIFY(get(m_object, 0x01, info));
    QCOMPARE(QString(info.familyName), QString("Lumivandrex"));
    QVERIFY(strlen(info.productName) > 0);
    QVERIFY(QString(info.serialNumber).startsWith("LV"));
    QCOMPARE(info.productId, m_dev->productId());
    _KVCAP_FEATURE_FLAGS flags{};
    QVERIFY(get(m_object, 0xFF, flags));
    QCOMPARE(flags.features, 0xFFu);
    _KVCAP_FLASH_INFO flash{};
    QVERIFY(get(m_object, 0xF0, flash));
    QCOMPARE(flash.flashSize, 4u * 1024 * 1024);
    QCOMPARE(flash.eraseUnit, 0x1000u);
    QCOMPARE(flash.pageSize, 0x100u);
    QCOMPARE(flash.headerBase, lvemu::kFlashHeaderBase);
    _KVCAP_INPUT_STATUS status{};
    QVERIFY(get(m_object, 0x10, status));
    QCOMPARE(status.valid, uint8_t(1));
    QCOMPARE(status.hdmi.timing.hActive, uint16_t(1920));

    m_dev->setFeatureFlags(0x3);
    m_dev->setProductName("Test Box");
    QVERIFY(get(m_object, 0xFF, flags));
    QCOMPARE(flags.features, 0x3u);
    QVERIFY(get(m_object, 0x01, info));
    QCOMPARE(QString(info.productName), QString("Test Box"));
}

void TstEmulatedDevice::settingsKeepWhatIsWritten()
{
    uint8_t autoScan = 1;
    QVERIFY(HidSetReport(m_object, 0x0B, &autoScan, 1));
    uint8_t readBack = 0;
    QVERIFY(HidGetReport(m_object, 0x0B, &readBack, 1));
    QCOMPARE(readBack, uint8_t(1));
    QCOMPARE(m_dev->liveReport(0x0B), Bytes{1});
    QCOMPARE(m_dev->savedReport(0x0B), Bytes{0});   // not saved yet
}

void TstEmulatedDevice::commitSavesRestoresAndResets()
{
    uint8_t value = 5;
    QVERIFY(HidSetReport(m_object, 0x0B, &value, 1));
    QVERIFY(commit(m_object, 2));                        // save
    QCOMPARE(m_dev->savedReport(0x0B), Bytes{5});
    value = 9;
    QVERIFY(HidSetReport(m_object, 0x0B, &value, 1));
    QVERIFY(commit(m_object, 1));                        // discard: back to saved
    QVERIFY(HidGetReport(m_object, 0x0B, &value, 1));
    QCOMPARE(value, uint8_t(5));
    QVERIFY(commit(m_object, 0));                        // factory defaults, live only
    QVERIFY(HidGetReport(m_object, 0x0B, &value, 1));
    QCOMPARE(value, uint8_t(0));
    QCOMPARE(m_dev->savedReport(0x0B), Bytes{5});
    QVERIFY(commit(m_object, 2));                        // reset then save, as "Reset to Defaults"
    QCOMPARE(m_dev->savedReport(0x0B), Bytes{0});
    QCOMPARE(m_dev->commitCount(2), 2);
    QCOMPARE(m_dev->commitCount(1), 1);
    QCOMPARE(m_dev->commitCount(0), 1);
}

void TstEmulatedDevice::commitRejectsUnknownValue()
{
    QVERIFY(!commit(m_object, 3));
    QCOMPARE(m_dev->commitCount(0) + m_dev->commitCount(1) + m_dev->commitCount(2), 0);
}

void TstEmulatedDevice::notifyBitsLatchUntilRead()
{
    _KVCAP_NOTIFY_STATUS status{~0ULL};
    QVERIFY(get(m_object, 0x08, status));
    QCOMPARE(status.changeBits, 0ULL);
    m_dev->setNotifyBits(0x10);
    m_dev->setNotifyBits(0x0001000000000000ULL);
    QVERIFY(get(m_object, 0x08, status));
    QCOMPARE(status.changeBits, 0x0001000000000010ULL);
    QVERIFY(get(m_object, 0x08, status));
    QCOMPARE(status.changeBits, 0ULL);                   // cleared by the read
    QCOMPARE(m_dev->pendingNotifyBits(), 0ULL);
}

void TstEmulatedDevice::notifyMaskingFollowsReport7()
{
    m_dev->setNotifyMasking(true);
    _KVCAP_NOTIFY_ENABLE enable{0, 0x10};
    QVERIFY(set(m_object, 0x07, enable));
    m_dev->setNotifyBits(0x30);
    _KVCAP_NOTIFY_STATUS status{};
    QVERIFY(get(m_object, 0x08, status));
    QCOMPARE(status.changeBits, 0x10ULL);
    QCOMPARE(m_dev->pendingNotifyBits(), 0x20ULL);       // a disabled bit stays latched
}

void TstEmulatedDevice::eraseSetsWholeUnitsToFF()
{
    m_dev->setBusyPolls(0);
    m_dev->pokeFlash(0x2000, Bytes(0x2000, 0x00));
    QVERIFY(erase(m_object, 0x2100, 0x10));              // inside the first unit
    QCOMPARE(m_dev->flash(0x2000, 0x1000), Bytes(0x1000, 0xFF));
    QCOMPARE(m_dev->flash(0x3000, 0x1000), Bytes(0x1000, 0x00));
    QVERIFY(erase(m_object, 0x3800, 0x1000));            // straddles into the next unit
    QCOMPARE(m_dev->flash(0x3000, 0x1000), Bytes(0x1000, 0xFF));
    QCOMPARE(m_dev->eraseCount(), 2);
}

void TstEmulatedDevice::programmingOnlyClearsBits()
{
    m_dev->setBusyPolls(0);
    QVERIFY(erase(m_object, 0x4000, 0x1000));
    QVERIFY(program(m_object, 0x4000, {0xF0, 0x0F, 0xAA}));
    QCOMPARE(readFlash(m_object, 0x4000, 3), (Bytes{0xF0, 0x0F, 0xAA}));
    // Writing over unerased data ANDs: the result is neither old nor new.
    QVERIFY(program(m_object, 0x4000, {0x0F, 0xFF, 0x55}));
    QCOMPARE(readFlash(m_object, 0x4000, 3), (Bytes{0x00, 0x0F, 0x00}));
    QVERIFY(erase(m_object, 0x4000, 0x1000));
    QCOMPARE(readFlash(m_object, 0x4000, 3), (Bytes{0xFF, 0xFF, 0xFF}));
    QCOMPARE(m_dev->programCount(), 2);
}

void TstEmulatedDevice::busyForAFewPollsAfterEachOperation()
{
    QCOMPARE(busyPolls(m_object), 0);
    m_dev->setBusyPolls(3);
    QVERIFY(erase(m_object, 0x5000, 0x1000));
    QCOMPARE(busyPolls(m_object), 3);
    QVERIFY(program(m_object, 0x5000, {1, 2, 3}));
    QCOMPARE(busyPolls(m_object), 3);
    QCOMPARE(busyPolls(m_object), 0);
}

void TstEmulatedDevice::commandsWhileBusyAreRefused()
{
    m_dev->setBusyPolls(2);
    QVERIFY(erase(m_object, 0x6000, 0x1000));
    QVERIFY(!program(m_object, 0x6000, {0}));            // not waited for
    QVERIFY(!erase(m_object, 0x7000, 0x1000));
    QCOMPARE(busyPolls(m_object), 2);
    QVERIFY(program(m_object, 0x6000, {0}));
}

void TstEmulatedDevice::eraseAndProgramBoundsAreChecked()
{
    m_dev->setBusyPolls(0);
    QVERIFY(!erase(m_object, 0x8000, 0x1001));           // more than one erase unit
    QVERIFY(!erase(m_object, lvemu::kFlashSize, 1));
    QVERIFY(!erase(m_object, lvemu::kFlashSize - 1, 2));
    _KVCAP_FLASH_DATA page{};
    page.address = 0x8000;
    page.length = 257;
    QVERIFY(!set(m_object, 0xF3, page));
    _KVCAP_FLASH_ADDRESS beyond{lvemu::kFlashSize};
    QVERIFY(!set(m_object, 0xF2, beyond));
    QCOMPARE(m_dev->eraseCount(), 0);
    QCOMPARE(m_dev->programCount(), 0);
}

void TstEmulatedDevice::stuckBusyNeverClears()
{
    m_dev->setBusyStuck(true);
    QCOMPARE(busyPolls(m_object, 20), -1);
    m_dev->setBusyStuck(false);
    QCOMPARE(busyPolls(m_object), 0);
}

void TstEmulatedDevice::bitFlipCorruptsReadBackOnly()
{
    m_dev->setBusyPolls(0);
    QVERIFY(erase(m_object, 0x9000, 0x1000));
    QVERIFY(program(m_object, 0x9000, {0x12, 0x34}));
    m_dev->setFlashReadBitFlip(0x9001, 0x01);
    QCOMPARE(readFlash(m_object, 0x9000, 2), (Bytes{0x12, 0x35}));
    QCOMPARE(m_dev->flash(0x9000, 2), (Bytes{0x12, 0x34}));
    m_dev->setFlashReadBitFlip(0x9001, 0);
    QCOMPARE(readFlash(m_object, 0x9000, 2), (Bytes{0x12, 0x34}));
}

void TstEmulatedDevice::stockFirmwareHeaderMatchesRunningVersion()
{
    const Bytes header = readFlash(m_object, lvemu::kFlashHeaderBase, 64);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(header.data()), 4), QByteArray("KVFH"));
    QCOMPARE(header[8] | header[9] << 8, int(lvemu::kDefaultFirmwareLayout));
    const uint32_t version = uint32_t(header[16] | header[17] << 8 | header[18] << 16 | header[19] << 24);
    QCOMPARE((version >> 16) & 0xFF, lvemu::kDefaultFirmwareVersion >> 24);
    QCOMPARE(version & 0xFF, (lvemu::kDefaultFirmwareVersion >> 16) & 0xFF);
}

void TstEmulatedDevice::setReportWithWrongIdByteStalls()
{
    // The transport always puts the id in byte 0; a request whose id byte differs from
    // wValue must not be taken for either report. Driven at the model directly.
    const int client = 0;
    const Bytes setup = {0x21, 0x09, 0x0B, 0x02, 9, 0, 2, 0};   // SET_REPORT output 0x0B, 2 bytes
    Bytes in;
    QCOMPARE(m_dev->handleControl(&client, setup.data(), Bytes{0x0B, 7}.data(), in), EmulatedDevice::Busy);
    QCOMPARE(m_dev->detachKernelDriver(), 0);             // usbhid no longer owns interface 9
    QCOMPARE(m_dev->handleControl(&client, setup.data(), Bytes{0x0C, 7}.data(), in), EmulatedDevice::Stall);
    QCOMPARE(m_dev->liveReport(0x0B), Bytes{0});
    QCOMPARE(m_dev->handleControl(&client, setup.data(), Bytes{0x0B, 7}.data(), in), EmulatedDevice::Done);
    QCOMPARE(m_dev->liveReport(0x0B), Bytes{7});
    QVERIFY(m_dev->interfaceClaimed());                   // implicitly, as usbfs does
    QCOMPARE(m_dev->attachKernelDriver(), EBUSY);         // cannot rebind while claimed
    QCOMPARE(m_dev->releaseInterface(&client), 0);
    QCOMPARE(m_dev->attachKernelDriver(), 0);
}

void TstEmulatedDevice::severalDevicesAreIndependent()
{
    auto& bus = EmulatedBus::instance();
    auto second = bus.plug(lvusb::kVendorPartner, lvusb::kProductPartner);
    QCOMPARE(int(bus.devices().size()), 2);
    QVector<tagUSBDEVICE_DATA> list;
    QVERIFY(LumivandrexDevice::EnumDevices(list));
    QCOMPARE(list.size(), 2);
    LumivandrexDevice other;
    other.Bind(list[0].productId == lvusb::kProductPartner ? list[0] : list[1]);
    second->setNotifyBits(0x8);
    _KVCAP_NOTIFY_STATUS status{};
    QVERIFY(get(m_object, 0x08, status));
    QCOMPARE(status.changeBits, 0ULL);
    QVERIFY(get(&other, 0x08, status));
    QCOMPARE(status.changeBits, 0x8ULL);
    QVERIFY(m_dev->deviceInfo().serialNumber != std::string(second->deviceInfo().serialNumber));
}

LV_EMULATED_QTEST_MAIN(TstEmulatedDevice)
#include "tst_emulateddevice.moc"
