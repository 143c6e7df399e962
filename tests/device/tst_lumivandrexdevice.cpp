// HID transport and USB enumeration, through the real libusb against the emulated device.
#include <QtTest>

#include <libusb.h>

#include <atomic>
#include <cstring>
#include <thread>

#include "device/kvcaprecords.h"
#include "device/lumivandrexdevice.h"
#include "device/reportaccess.h"
#include "device/usbids.h"
#include "lvemulatortest.h"

using lvemu::Bytes;
using lvemu::EmulatedBus;
using lvemu::EmulatedDevice;
using lvemu::TransferRecord;

namespace {

QVector<tagUSBDEVICE_DATA> enumerate(bool* ok = nullptr)
{
    QVector<tagUSBDEVICE_DATA> list;
    const bool result = LumivandrexDevice::EnumDevices(list);
    if (ok)
        *ok = result;
    return list;
}

// The record of the emulated device `dev` in a fresh enumeration.
tagUSBDEVICE_DATA recordOf(const std::shared_ptr<EmulatedDevice>& dev)
{
    for (const tagUSBDEVICE_DATA& rec : enumerate()) {
        libusb_device_handle* h = nullptr;
        if (rec.vendorId != dev->vendorId() || rec.productId != dev->productId() || libusb_open(rec.device, &h) != 0)
            continue;
        libusb_close(h);
        // Same pair may be plugged twice: tell them apart by the serial number.
        LumivandrexDevice probe;
        probe.Bind(rec);
        _KVCAP_DEVICE_INFO info{};
        if (HidGetReport(&probe, 0x01, reinterpret_cast<unsigned char*>(&info), sizeof info)
            && strcmp(info.serialNumber, dev->deviceInfo().serialNumber) == 0) {
            dev->clearTransfers();
            return rec;
        }
    }
    return tagUSBDEVICE_DATA();
}

} // namespace

class TstLumivandrexDevice : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void cleanupTestCase();

    void enumerationAppliesTheFilter();
    void enumerationWithoutAcceptedDeviceIsEmptyAndTrue();
    void enumerationLeavesOutADeviceThatWillNotOpen();
    void enumerationWithoutLibusbFailsCleanly();
    void getReportWireFormat();
    void setReportWireFormat();
    void payloadOf1023GoesOutWithWLength1024();
    void payloadOf1024IsRefusedWithoutTraffic();
    void payloadOf0SendsTheIdAlone();
    void shortReplySucceedsAndZeroFills();
    void failedGetLeavesBufferUntouched();
    void handleClosedAndDriverReattachedAfterEveryTransfer();
    void unboundObjectSendsNothing();
    void deviceThatWillNotOpenFailsTheTransfer();
    void unplugBetweenTransfersFailsTheNextOneCleanly();
    void unplugDuringATransferFailsIt();
    void recordKeepsItsDeviceAcrossUnplug();
    void recordOutlivesUnInit();
    void transfersOnOneObjectAreSerialised();
    void everyCatalogueReportAnswersWithItsLength();
    void typedAccessSendsOnlyWhatItMay();

private:
    std::shared_ptr<EmulatedDevice> plugBound(LumivandrexDevice& object);
};

void TstLumivandrexDevice::initTestCase()
{
    EmulatedBus::instance();
    QVERIFY(LumivandrexDevice::InitDevices());
    QVERIFY(LumivandrexDevice::g_context != nullptr);
}

void TstLumivandrexDevice::cleanup()
{
    EmulatedBus::instance().unplugAll();
}

void TstLumivandrexDevice::cleanupTestCase()
{
    LumivandrexDevice::UnInitDevices();
    QVERIFY(LumivandrexDevice::g_context == nullptr);
}

std::shared_ptr<EmulatedDevice> TstLumivandrexDevice::plugBound(LumivandrexDevice& object)
{
    auto dev = EmulatedBus::instance().plug();
    const tagUSBDEVICE_DATA rec = recordOf(dev);
    if (rec.device)
        object.Bind(rec);
    return rec.device ? dev : nullptr;
}

void TstLumivandrexDevice::enumerationAppliesTheFilter()
{
    auto& bus = EmulatedBus::instance();
    bus.plug(lvusb::kVendorMain, lvusb::kProductMainSingle);
    bus.plug(lvusb::kVendorMain, lvusb::kProductRangeAFirst);
    bus.plug(lvusb::kVendorMain, lvusb::kProductRangeBLast);
    bus.plug(lvusb::kVendorPartner, lvusb::kProductPartner);
    bus.plug(lvusb::kVendorMain, lvusb::kProductRangeALast + 1);   // just outside a range
    bus.plug(lvusb::kVendorMain, lvusb::kProductRangeBFirst - 1);
    bus.plug(lvusb::kVendorPartner, lvusb::kProductPartner + 1);
    bus.plug(0x1234, lvusb::kProductMainSingle);                  // someone else's vendor

    bool ok = false;
    const QVector<tagUSBDEVICE_DATA> list = enumerate(&ok);
    QVERIFY(ok);
    QCOMPARE(list.size(), 4);
    QSet<quint32> pairs;
    for (const tagUSBDEVICE_DATA& rec : list) {
        QVERIFY(rec.device != nullptr);
        QCOMPARE(rec.reserved2, 0u);
        QVERIFY(std::all_of(std::begin(rec.reserved), std::end(rec.reserved), [](unsigned char c) { return c == 0; }));
        pairs.insert(quint32(rec.vendorId) << 16 | rec.productId);
    }
    QVERIFY(pairs.contains(quint32(lvusb::kVendorMain) << 16 | lvusb::kProductMainSingle));
    QVERIFY(pairs.contains(quint32(lvusb::kVendorMain) << 16 | lvusb::kProductRangeAFirst));
    QVERIFY(pairs.contains(quint32(lvusb::kVendorMain) << 16 | lvusb::kProductRangeBLast));
    QVERIFY(pairs.contains(quint32(lvusb::kVendorPartner) << 16 | lvusb::kProductPartner));
}

void TstLumivandrexDevice::enumerationWithoutAcceptedDeviceIsEmptyAndTrue()
{
    EmulatedBus::instance().plug(0x1234, 0x5678);
    bool ok = false;
    QVector<tagUSBDEVICE_DATA> list = enumerate(&ok);
    QVERIFY(ok);
    QVERIFY(list.isEmpty());
    QVERIFY(LumivandrexDevice::g_devices == nullptr);   // list freed again
}

void TstLumivandrexDevice::enumerationLeavesOutADeviceThatWillNotOpen()
{
    auto& bus = EmulatedBus::instance();
    auto good = bus.plug();
    auto bad = bus.plug(lvusb::kVendorMain, lvusb::kProductRangeAFirst);
    bad->setOpenFails(true);
    bool ok = false;
    QVector<tagUSBDEVICE_DATA> list = enumerate(&ok);
    QVERIFY(ok);
    QCOMPARE(list.size(), 1);
    QCOMPARE(list[0].productId, lvusb::kProductMainSingle);

    bad->setOpenFails(false);   // it shows up once it can be opened
    QCOMPARE(enumerate().size(), 2);
}

void TstLumivandrexDevice::enumerationWithoutLibusbFailsCleanly()
{
    EmulatedBus::instance().plug();
    LumivandrexDevice::UnInitDevices();
    QVERIFY(LumivandrexDevice::g_context == nullptr);
    bool ok = true;
    QVERIFY(enumerate(&ok).isEmpty());
    QVERIFY(!ok);
    QVERIFY(LumivandrexDevice::UnInitDevices());   // twice is harmless
    QVERIFY(LumivandrexDevice::InitDevices());
    QCOMPARE(enumerate(&ok).size(), 1);
    QVERIFY(ok);
}

void TstLumivandrexDevice::getReportWireFormat()
{
    LumivandrexDevice object;
    auto dev = plugBound(object);
    QVERIFY(dev);
    _KVCAP_DEVICE_INFO info{};
    QVERIFY(HidGetReport(&object, 0x01, reinterpret_cast<unsigned char*>(&info), sizeof info));
    const auto log = dev->transfers();
    QCOMPARE(int(log.size()), 1);
    QCOMPARE(log[0].requestType, uint8_t(0xA1));
    QCOMPARE(log[0].request, uint8_t(0x01));
    QCOMPARE(log[0].reportType, uint8_t(1));   // input report
    QCOMPARE(log[0].id, uint8_t(0x01));
    QCOMPARE(log[0].wIndex, uint16_t(9));
    QCOMPARE(log[0].wLength, uint16_t(225));
    const Bytes payload = dev->liveReport(0x01);
    QCOMPARE(memcmp(&info, payload.data(), sizeof info), 0);
    QCOMPARE(info.productId, lvusb::kProductMainSingle);
    QCOMPARE(info.firmwareVersion, lvemu::kDefaultFirmwareVersion);
}

void TstLumivandrexDevice::setReportWireFormat()
{
    LumivandrexDevice object;
    auto dev = plugBound(object);
    QVERIFY(dev);
    _KVCAP_NOTIFY_ENABLE enable{};
    enable.enableMask = KVCAP_NOTIFY_MASK;
    QVERIFY(HidSetReport(&object, 0x07, reinterpret_cast<const unsigned char*>(&enable), sizeof enable));
    const auto log = dev->transfers();
    QCOMPARE(int(log.size()), 1);
    QCOMPARE(log[0].requestType, uint8_t(0x21));
    QCOMPARE(log[0].request, uint8_t(0x09));
    QCOMPARE(log[0].reportType, uint8_t(2));   // output report
    QCOMPARE(log[0].wIndex, uint16_t(9));
    QCOMPARE(log[0].wLength, uint16_t(10));
    const Bytes expected = {0x07, 0x00, 0x7F, 0xC0, 0x03, 0x00, 0xFF, 0x01, 0xFF, 0x00};
    QCOMPARE(log[0].bytes, expected);
    QCOMPARE(dev->notifyEnableMask(), KVCAP_NOTIFY_MASK);
}

void TstLumivandrexDevice::payloadOf1023GoesOutWithWLength1024()
{
    LumivandrexDevice object;
    auto dev = plugBound(object);
    QVERIFY(dev);
    std::vector<unsigned char> out(1023);
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<unsigned char>(i * 3);
    // No report is that long, so the device stalls; what matters is what went out.
    QVERIFY(!HidSetReport(&object, 0x42, out.data(), 1023));
    std::vector<unsigned char> in(1023, 0x11);
    QVERIFY(!HidGetReport(&object, 0x42, in.data(), 1023));
    const auto log = dev->transfers();
    QCOMPARE(int(log.size()), 2);
    QCOMPARE(log[0].wLength, uint16_t(1024));
    QCOMPARE(int(log[0].bytes.size()), 1024);
    QCOMPARE(log[0].bytes[0], uint8_t(0x42));
    QVERIFY(std::equal(out.begin(), out.end(), log[0].bytes.begin() + 1));
    QCOMPARE(log[1].wLength, uint16_t(1024));
    QCOMPARE(log[1].direction, TransferRecord::Get);
}

void TstLumivandrexDevice::payloadOf1024IsRefusedWithoutTraffic()
{
    LumivandrexDevice object;
    auto dev = plugBound(object);
    QVERIFY(dev);
    const int opensBefore = dev->totalOpens();
    std::vector<unsigned char> buffer(1024, 0x77);
    QVERIFY(!HidGetReport(&object, 0x01, buffer.data(), 1024));
    QVERIFY(!HidSetReport(&object, 0x01, buffer.data(), 1024));
    QVERIFY(!HidGetReport(&object, 0x01, buffer.data(), -1));
    QCOMPARE(dev->transferCount(), 0);
    QCOMPARE(dev->totalOpens(), opensBefore);   // not even opened
    QVERIFY(std::all_of(buffer.begin(), buffer.end(), [](unsigned char c) { return c == 0x77; }));
}

void TstLumivandrexDevice::payloadOf0SendsTheIdAlone()
{
    LumivandrexDevice object;
    auto dev = plugBound(object);
    QVERIFY(dev);
    HidSetReport(&object, 0xFE, nullptr, 0);
    HidGetReport(&object, 0x08, nullptr, 0);
    const auto log = dev->transfers();
    QCOMPARE(int(log.size()), 2);
    QCOMPARE(log[0].wLength, uint16_t(1));
    QCOMPARE(log[0].bytes, Bytes{0xFE});
    QCOMPARE(log[1].wLength, uint16_t(1));
    QCOMPARE(log[1].id, uint8_t(0x08));
}

void TstLumivandrexDevice::shortReplySucceedsAndZeroFills()
{
    LumivandrexDevice object;
    auto dev = plugBound(object);
    QVERIFY(dev);
    dev->setShortReply(0x01, 11);   // id byte + 10 payload bytes
    std::vector<unsigned char> buffer(224, 0xAA);
    QVERIFY(HidGetReport(&object, 0x01, buffer.data(), 224));
    const Bytes payload = dev->liveReport(0x01);
    QVERIFY(std::equal(buffer.begin(), buffer.begin() + 10, payload.begin()));
    QVERIFY(std::all_of(buffer.begin() + 10, buffer.end(), [](unsigned char c) { return c == 0; }));
    QCOMPARE(int(dev->transfers().back().bytes.size()), 11);
}

void TstLumivandrexDevice::failedGetLeavesBufferUntouched()
{
    LumivandrexDevice object;
    auto dev = plugBound(object);
    QVERIFY(dev);
    dev->stallReport(0x03);
    std::vector<unsigned char> buffer(12, 0x5A);
    QVERIFY(!HidGetReport(&object, 0x03, buffer.data(), 12));
    QVERIFY(std::all_of(buffer.begin(), buffer.end(), [](unsigned char c) { return c == 0x5A; }));
    QCOMPARE(dev->transfers().back().outcome, TransferRecord::Stalled);
    // A wrong length is refused by the device the same way.
    dev->stallReport(0x03, false);
    QVERIFY(!HidGetReport(&object, 0x03, buffer.data(), 11));
    QVERIFY(std::all_of(buffer.begin(), buffer.end(), [](unsigned char c) { return c == 0x5A; }));
    QVERIFY(HidGetReport(&object, 0x03, buffer.data(), 12));
    QCOMPARE(buffer[4] | buffer[5] << 8, 4096);
}

void TstLumivandrexDevice::handleClosedAndDriverReattachedAfterEveryTransfer()
{
    LumivandrexDevice object;
    auto dev = plugBound(object);
    QVERIFY(dev);
    dev->stallReport(0x10);
    unsigned char buffer[64] = {};
    const struct {
        bool get;
        uint8_t id;
        int length;
        bool ok;
    } steps[] = {{true, 0x01, 224, true}, {true, 0x10, 61, false}, {false, 0x0B, 1, true},
                 {false, 0x0C, 1, false}, {true, 0xFF, 4, true}};
    for (const auto& step : steps) {
        std::vector<unsigned char> data(size_t(step.length), 0);
        const bool ok = step.get ? HidGetReport(&object, step.id, data.data(), step.length)
                                 : HidSetReport(&object, step.id, data.data(), step.length);
        QCOMPARE(ok, step.ok);
        QVERIFY(!object.IsHandleOpen());
        QCOMPARE(object.m_driverDetached, 0u);
        QVERIFY(!object.m_interfaceClaimed);
        QVERIFY(dev->kernelDriverBound());
        QVERIFY(!dev->interfaceClaimed());
    }
    Q_UNUSED(buffer);
    QCOMPARE(dev->transferCount(), 5);
}

void TstLumivandrexDevice::unboundObjectSendsNothing()
{
    auto dev = EmulatedBus::instance().plug();
    const tagUSBDEVICE_DATA rec = recordOf(dev);
    QVERIFY(rec.device);
    LumivandrexDevice object;   // record copied, but never bound
    object.m_record = rec;
    const int opens = dev->totalOpens();
    unsigned char buffer[4] = {1, 2, 3, 4};
    QVERIFY(!HidGetReport(&object, 0xFF, buffer, 4));
    QCOMPARE(dev->transferCount(), 0);
    QTRY_VERIFY(dev->totalOpens() > opens);   // it did open and close the device
    QCOMPARE(buffer[0], 1);
    QVERIFY(dev->kernelDriverBound());
}

void TstLumivandrexDevice::deviceThatWillNotOpenFailsTheTransfer()
{
    LumivandrexDevice object;
    auto dev = plugBound(object);
    QVERIFY(dev);
    dev->setOpenFails(true);
    unsigned char buffer[4] = {9, 9, 9, 9};
    QVERIFY(!HidGetReport(&object, 0xFF, buffer, 4));
    QVERIFY(!object.IsHandleOpen());
    QCOMPARE(dev->transferCount(), 0);
    QCOMPARE(buffer[0], 9);
    dev->setOpenFails(false);
    QVERIFY(HidGetReport(&object, 0xFF, buffer, 4));
    QCOMPARE(buffer[0], 0xFF);
}

void TstLumivandrexDevice::unplugBetweenTransfersFailsTheNextOneCleanly()
{
    LumivandrexDevice object;
    auto dev = plugBound(object);
    QVERIFY(dev);
    unsigned char flags[4] = {};
    QVERIFY(HidGetReport(&object, 0xFF, flags, 4));
    EmulatedBus::instance().unplug(dev);
    unsigned char buffer[4] = {7, 7, 7, 7};
    QVERIFY(!HidGetReport(&object, 0xFF, buffer, 4));
    QVERIFY(!HidSetReport(&object, 0x0B, buffer, 1));
    QCOMPARE(buffer[0], 7);
    QVERIFY(!object.IsHandleOpen());
    QVERIFY(enumerate().isEmpty());

    // Plugged again it is a new libusb device; the old object stays dead.
    EmulatedBus::instance().plug(dev);
    const QVector<tagUSBDEVICE_DATA> list = enumerate();
    QCOMPARE(list.size(), 1);
    QVERIFY(list[0].device != object.m_record.device);
    QVERIFY(!HidGetReport(&object, 0xFF, buffer, 4));
    LumivandrexDevice fresh;
    fresh.Bind(list[0]);
    QVERIFY(HidGetReport(&fresh, 0xFF, buffer, 4));
}

void TstLumivandrexDevice::unplugDuringATransferFailsIt()
{
    LumivandrexDevice object;
    auto dev = plugBound(object);
    QVERIFY(dev);
    dev->unplugOnTransfer(0x01);
    std::vector<unsigned char> buffer(224, 0x33);
    QVERIFY(!HidGetReport(&object, 0x01, buffer.data(), 224));
    QVERIFY(std::all_of(buffer.begin(), buffer.end(), [](unsigned char c) { return c == 0x33; }));
    QVERIFY(!object.IsHandleOpen());
    QCOMPARE(dev->transfers().back().outcome, TransferRecord::NoDevice);
    QTRY_VERIFY(enumerate().isEmpty());
    QVERIFY(!HidGetReport(&object, 0x01, buffer.data(), 224));
}

void TstLumivandrexDevice::recordKeepsItsDeviceAcrossUnplug()
{
    auto dev = EmulatedBus::instance().plug();
    tagUSBDEVICE_DATA kept = recordOf(dev);
    QVERIFY(kept.device);
    const uint8_t address = libusb_get_device_address(kept.device);
    EmulatedBus::instance().unplug(dev);
    QVERIFY(enumerate().isEmpty());   // libusb has dropped it from its own list
    // Still a valid object (ASan would catch a freed one), still the same device.
    QCOMPARE(libusb_get_device_address(kept.device), address);
    tagUSBDEVICE_DATA copy = kept;
    QCOMPARE(copy.device, kept.device);
    kept.reset();
    QVERIFY(kept.device == nullptr);
    QCOMPARE(libusb_get_device_address(copy.device), address);
    LumivandrexDevice object;
    object.Bind(copy);
    unsigned char buffer[4] = {};
    QVERIFY(!HidGetReport(&object, 0xFF, buffer, 4));
}

void TstLumivandrexDevice::recordOutlivesUnInit()
{
    EmulatedBus::instance().plug();
    {
        tagUSBDEVICE_DATA rec = enumerate().value(0);
        QVERIFY(rec.device);
        LumivandrexDevice::UnInitDevices();   // a record is still alive: libusb is left later
        QVERIFY(LumivandrexDevice::g_context == nullptr);
        QVERIFY(libusb_get_bus_number(rec.device) != 0);
    }   // last reference dropped here; the retired context goes with it
    QVERIFY(LumivandrexDevice::InitDevices());
    QCOMPARE(enumerate().size(), 1);
}

void TstLumivandrexDevice::transfersOnOneObjectAreSerialised()
{
    LumivandrexDevice object;
    auto dev = plugBound(object);
    QVERIFY(dev);
    std::atomic<int> failures{0};
    auto worker = [&](uint8_t id, int length) {
        std::vector<unsigned char> buffer(static_cast<size_t>(length));
        for (int i = 0; i < 15; ++i) {
            if (!HidGetReport(&object, id, buffer.data(), length))
                ++failures;
        }
    };
    std::thread a(worker, 0x01, 224);
    std::thread b(worker, 0x10, 61);
    worker(0xFF, 4);
    a.join();
    b.join();
    QCOMPARE(failures.load(), 0);
    QCOMPARE(dev->transferCount(), 45);
    QVERIFY(dev->kernelDriverBound());
}

void TstLumivandrexDevice::everyCatalogueReportAnswersWithItsLength()
{
    LumivandrexDevice object;
    auto dev = plugBound(object);
    QVERIFY(dev);
    std::vector<unsigned char> buffer(1023);
    for (const KvReportEntry& entry : g_arrReportCatalogue) {
        const bool canGet = entry.direction & KvReportGet;
        QCOMPARE(HidGetReport(&object, entry.id, buffer.data(), entry.length), canGet);
        if (canGet) {
            QCOMPARE(int(dev->transfers().back().bytes.size()), entry.length + 1);
            QVERIFY(!HidGetReport(&object, entry.id, buffer.data(), entry.length - 1));
        }
    }
    // Ids outside the catalogue stall whatever the length.
    QVERIFY(!HidGetReport(&object, 0x05, buffer.data(), 4));
    QVERIFY(!HidGetReport(&object, 0xAA, buffer.data(), 31));
    QVERIFY(!HidSetReport(&object, 0x01, buffer.data(), 224));   // GET-only
}


// ModifyReport after a failed or short read writes nothing; a call the record cannot make (index
// out of range, wrong direction, no device) sends nothing at all.
void TstLumivandrexDevice::typedAccessSendsOnlyWhatItMay()
{
    using Source = _KVCAP_VIDEO_INPUT_SOURCE;
    LumivandrexDevice object;
    auto dev = plugBound(object);
    QVERIFY(dev);
    dev->stallReport(uint8_t(ReportIdOf<Source>()));
    QVERIFY(!ModifyReport<Source>(&object, [](Source& r) { r.code = 1; }));
    QCOMPARE(dev->transferCount(), 1);   // the GET alone

    // A short reply is fine to show but never the base of a write.
    dev->stallReport(uint8_t(ReportIdOf<Source>()), false);
    dev->setShortReply(uint8_t(ReportIdOf<Source>()), int(sizeof(Source)));   // id byte + all but one
    dev->clearTransfers();
    Source whole;
    QVERIFY(!ReadWholeReport(&object, whole));
    QVERIFY(!ModifyReport<Source>(&object, [](Source& r) { r.code = 1; }));
    QCOMPARE(dev->transferCount(), 2);   // two GETs, no SET
    dev->clearFaults();
    QVERIFY(ReadWholeReport(&object, whole));

    dev->clearTransfers();
    Source source;
    _KVCAP_INPUT_SOURCE_LIST list;
    _KVCAP_NOTIFY_ENABLE enable;
    const bool calls[] = {ReadReport(&object, source, 1), ReadReport(&object, list, 2), ReadReport(&object, list, -1),
                          WriteReport(&object, _KVCAP_VIDEO_STATUS{}), ReadReport(&object, enable),
                          ReadReport(nullptr, source), ModifyReport<Source>(nullptr, [](Source&) {})};
    QVERIFY(std::none_of(std::begin(calls), std::end(calls), [](bool ok) { return ok; }));
    QCOMPARE(dev->transferCount(), 0);
}

LV_EMULATED_QTEST_MAIN(TstLumivandrexDevice)
#include "tst_lumivandrexdevice.moc"
