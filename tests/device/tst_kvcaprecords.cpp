// Wire bytes of the shared report records, the report catalogue, the USB filter and
// the udev rule that has to match it.
#include <QtTest>

#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <cstring>

#include "device/kvcaprecords.h"
#include "device/usbids.h"

namespace {

template <typename Record> QByteArray wire(const Record& r)
{
    return QByteArray(reinterpret_cast<const char*>(&r), int(sizeof r));
}

QByteArray bytes(std::initializer_list<int> list)
{
    QByteArray b;
    for (int v : list)
        b.append(char(v));
    return b;
}

} // namespace

class TstKvcapRecords : public QObject {
    Q_OBJECT

private slots:
    void deviceInfoWireBytes();
    void notifyEnableWireBytes();
    void flashRecordsWireBytes();
    void inputStatusHdmiArm();
    void inputStatusAnalogArm();
    void catalogueIsComplete();
    void notifyMaskIsTheUnionOfTheDispatchedGroups();
    void filterAcceptsExactlyTheTable();
    void udevRuleMatchesTheTable();
};

void TstKvcapRecords::deviceInfoWireBytes()
{
    _KVCAP_DEVICE_INFO info{};
    info.productId = 0x0210;
    info.hardwareVersion = 'C';
    info.identifier = 0x2A;
    info.firmwareVersion = 0x0A0B0C0D;
    strcpy(info.familyName, "Fam");
    strcpy(info.productName, "Box");
    strcpy(info.serialNumber, "SN1");
    const QByteArray w = wire(info);
    QCOMPARE(w.size(), 224);
    QCOMPARE(w.mid(0, 14), bytes({0, 0, 0x10, 0x02, 'C', 0x2A, 0, 0, 0, 0, 0x0D, 0x0C, 0x0B, 0x0A}));
    QCOMPARE(w.mid(14, 4), bytes({'F', 'a', 'm', 0}));
    QCOMPARE(w.mid(78, 4), bytes({'B', 'o', 'x', 0}));
    QCOMPARE(w.mid(206, 4), bytes({'S', 'N', '1', 0}));
    QCOMPARE(w.mid(210), QByteArray(14, '\0'));
}

void TstKvcapRecords::notifyEnableWireBytes()
{
    _KVCAP_NOTIFY_ENABLE enable{};
    enable.enableMask = KVCAP_NOTIFY_MASK;
    QCOMPARE(wire(enable), bytes({0x00, 0x7F, 0xC0, 0x03, 0x00, 0xFF, 0x01, 0xFF, 0x00}));
    _KVCAP_NOTIFY_STATUS status{};
    status.changeBits = 0x0102030405060708ULL;
    QCOMPARE(wire(status), bytes({8, 7, 6, 5, 4, 3, 2, 1}));
}

void TstKvcapRecords::flashRecordsWireBytes()
{
    _KVCAP_FLASH_DATA page{};
    page.address = 0x00101234;
    page.length = 3;
    page.data[0] = 1;
    page.data[1] = 2;
    page.data[2] = 3;
    const QByteArray w = wire(page);
    QCOMPARE(w.size(), 262);
    QCOMPARE(w.left(9), bytes({0x34, 0x12, 0x10, 0x00, 0x03, 0x00, 1, 2, 3}));
    QCOMPARE(w.mid(9), QByteArray(253, '\0'));

    _KVCAP_FLASH_ERASE erase{0x00120000, 0x1000};
    QCOMPARE(wire(erase), bytes({0x00, 0x00, 0x12, 0x00, 0x00, 0x10, 0x00, 0x00}));
    _KVCAP_FLASH_ADDRESS address{0x003FFFC0};
    QCOMPARE(wire(address), bytes({0xC0, 0xFF, 0x3F, 0x00}));

    const QByteArray infoBytes = bytes({0, 0, 0x40, 0, 0, 0x10, 0, 0, 0, 1, 0, 0, 0, 0, 0x10, 0})
        + QByteArray(12, '\x5A');
    _KVCAP_FLASH_INFO info{};
    memcpy(&info, infoBytes.constData(), sizeof info);
    QCOMPARE(info.flashSize, 0x400000u);
    QCOMPARE(info.eraseUnit, 0x1000u);
    QCOMPARE(info.pageSize, 0x100u);
    QCOMPARE(info.headerBase, 0x100000u);
    QCOMPARE(wire(info), infoBytes);   // unread bytes survive a round trip
}

void TstKvcapRecords::inputStatusHdmiArm()
{
    _KVCAP_INPUT_STATUS status{};
    status.valid = 1;
    status.inputType = 1;
    status.hdmi.mode = 1;
    status.hdmi.hdcp = 1;
    status.hdmi.colorDepth = 10;
    status.hdmi.pixelEncoding = 3;
    status.hdmi.vic = 97;
    status.hdmi.structure3D = 8;
    status.hdmi.extData3D = 5;
    status.hdmi.timing.interlaced = 0;
    status.hdmi.timing.frameDuration = 166667;   // 0x28B0B
    status.hdmi.timing.hActive = 3840;
    status.hdmi.timing.field1VTotal = 0x1234;
    const QByteArray w = wire(status);
    QCOMPARE(w.size(), 61);
    QCOMPARE(w.left(17), bytes({1, 1, 0, 0, 0, 1, 1, 10, 3, 0, 0, 0, 97, 0, 0, 8, 5}));
    QCOMPARE(w.mid(17, 5), bytes({0, 0x0B, 0x8B, 0x02, 0}));
    QCOMPARE(w.mid(28, 2), bytes({0x00, 0x0F}));
    QCOMPARE(w.mid(50, 2), bytes({0x34, 0x12}));
}

void TstKvcapRecords::inputStatusAnalogArm()
{
    _KVCAP_INPUT_STATUS status{};
    status.valid = 1;
    status.inputType = 2;
    status.analog.syncInfo.syncType = 4;
    status.analog.syncInfo.interlaced = 1;
    status.analog.syncInfo.frameDuration = 200000;   // 0x30D40
    status.analog.syncInfo.totalLines = 1125;
    status.analog.triLevel = 1;
    status.analog.timing.timingType = 8192;
    status.analog.timing.hActive = 1920;
    status.analog.timing.vBackPorch = 15;
    status.analog.settings.aspectX = 16;
    status.analog.settings.clampPosition = 0x77;
    const QByteArray w = wire(status);
    QCOMPARE(w.mid(0, 5), bytes({1, 2, 0, 0, 0}));
    QCOMPARE(w.mid(5, 12), bytes({4, 0, 0, 1, 0x40, 0x0D, 0x03, 0, 0, 0, 0x65, 0x04}));
    QCOMPARE(w.at(17), char(1));
    QCOMPARE(w.mid(18, 4), bytes({0, 0x20, 0, 0}));
    QCOMPARE(w.mid(30, 2), bytes({0x80, 0x07}));
    QCOMPARE(w.mid(44, 2), bytes({15, 0}));
    QCOMPARE(w.mid(46, 2), bytes({16, 0}));
    QCOMPARE(w.at(60), char(0x77));

    _KVCAP_INPUT_STATUS cvbs{};
    cvbs.inputType = 16;
    cvbs.cvbs.tvStandard = 6;
    cvbs.cvbs.fieldRate = 1;
    QCOMPARE(wire(cvbs).mid(5, 5), bytes({6, 0, 0, 0, 1}));
}

void TstKvcapRecords::catalogueIsComplete()
{
    QCOMPARE(kReportCatalogueSize, 63);
    for (int id = 0xA1; id <= 0xA9; ++id) {
        QVERIFY(FindReport(uint8_t(id)));
        QCOMPARE(int(FindReport(uint8_t(id))->length), 31);
    }
    for (int id = 0xB0; id <= 0xB7; ++id) {
        QVERIFY(FindReport(uint8_t(id)));
        QCOMPARE(int(FindReport(uint8_t(id))->direction), int(KvReportGetSet));
        QCOMPARE(int(FindReport(uint8_t(id))->length), 56);
    }
    QVERIFY(!FindReport(0x00));
    QVERIFY(!FindReport(0x05));
    QVERIFY(!FindReport(0xAA));
    QVERIFY(!FindReport(0xB8));
    QCOMPARE(int(FindReport(0xF3)->direction), int(KvReportGetSet));
    QCOMPARE(int(FindReport(0xFE)->direction), int(KvReportSet));
    QCOMPARE(int(FindReport(0x98)->length), 256);
    for (const KvReportEntry& entry : g_arrReportCatalogue) {
        QVERIFY(entry.length >= 1 && entry.length <= 1023);
        QVERIFY(entry.direction != 0);
    }
}

void TstKvcapRecords::notifyMaskIsTheUnionOfTheDispatchedGroups()
{
    const quint64 groups[] = {0x4010ULL, 0x1FF00000000ULL, 0x70ULL, 0x2FULL, 0x00FF000000000000ULL,
                              0x18000ULL, 0x20000ULL};
    quint64 all = 0;
    for (quint64 g : groups)
        all |= g;
    QCOMPARE(all, quint64(KVCAP_NOTIFY_MASK));
}

void TstKvcapRecords::filterAcceptsExactlyTheTable()
{
    int accepted = 0;
    for (int pid = 0; pid <= 0xFFFF; ++pid) {
        for (uint16_t vid : {lvusb::kVendorMain, lvusb::kVendorPartner, uint16_t(0x1234)}) {
            bool inTable = false;
            for (const lvusb::UsbIdRange& r : lvusb::g_arrAcceptedRanges)
                inTable |= r.vendorId == vid && pid >= r.firstProductId && pid <= r.lastProductId;
            QCOMPARE(lvusb::IsAcceptedDevice(vid, uint16_t(pid)), inTable);
            accepted += inTable;
        }
    }
    QCOMPARE(accepted, 1 + 16 + 16 + 1);
    QVERIFY(lvusb::kVendorMain != lvusb::kVendorPartner);
}

void TstKvcapRecords::udevRuleMatchesTheTable()
{
    QFile file(QStringLiteral(LV_UDEV_RULE_FILE));
    QVERIFY2(file.open(QIODevice::ReadOnly | QIODevice::Text), qPrintable(file.fileName()));
    const QRegularExpression line(
        QStringLiteral("^SUBSYSTEM==\"usb\", ENV\\{DEVTYPE\\}==\"usb_device\", ATTR\\{idVendor\\}==\"([0-9a-f]{4})\", "
                       "ATTR\\{idProduct\\}==\"([0-9a-f]{4})\", TAG\\+=\"uaccess\"$"));
    QSet<quint32> inRule;
    while (!file.atEnd()) {
        const QString text = QString::fromUtf8(file.readLine()).trimmed();
        if (text.isEmpty() || text.startsWith('#'))
            continue;
        const QRegularExpressionMatch m = line.match(text);
        QVERIFY2(m.hasMatch(), qPrintable("unexpected rule line: " + text));
        const quint32 pair = m.captured(1).toUInt(nullptr, 16) << 16 | m.captured(2).toUInt(nullptr, 16);
        QVERIFY2(!inRule.contains(pair), qPrintable("duplicate: " + text));
        inRule.insert(pair);
    }
    QSet<quint32> inTable;
    for (const lvusb::UsbIdRange& r : lvusb::g_arrAcceptedRanges) {
        for (quint32 pid = r.firstProductId; pid <= r.lastProductId; ++pid)
            inTable.insert(quint32(r.vendorId) << 16 | pid);
    }
    QCOMPARE(inRule, inTable);
}

QTEST_APPLESS_MAIN(TstKvcapRecords)
#include "tst_kvcaprecords.moc"
