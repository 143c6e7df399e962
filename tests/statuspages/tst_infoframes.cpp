// Info frames decoded from hand-built packets of every kind: names, header texts, the
// checksum rule, the payload dump, and a length field that names more than the packet holds.

#include <QtTest>
#include <cstring>

#include "statuspages/qinfoframewidget.h"

namespace {

// A whole packet: checksum chosen so bytes 0..3+n add up to 0.
_HDMI_INFOFRAME_PACKET Packet(uint8_t type, uint8_t version, std::vector<uint8_t> payload, bool whole = true)
{
    _HDMI_INFOFRAME_PACKET p{};
    p.type = type;
    p.version = version;
    p.length = uint8_t(payload.size());
    std::copy(payload.begin(), payload.end(), p.payload);
    unsigned sum = type + version + p.length;
    for (uint8_t b : payload)
        sum += b;
    p.checksum = uint8_t(256 - sum % 256 + (whole ? 0 : 1));
    return p;
}

} // namespace

class TstInfoFrames : public QObject
{
    Q_OBJECT
private slots:
    void eachKind_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QByteArray>("packet");
        QTest::addColumn<QStringList>("texts");
        auto row = [](int index, const _HDMI_INFOFRAME_PACKET& p, const QStringList& texts) {
            QTest::newRow(qPrintable(GetInfoFrameName(index)))
                << index << QByteArray(reinterpret_cast<const char*>(&p), sizeof p) << texts;
        };
        // AVI: 13 bytes -> a full line and a short one with its trailing blank.
        row(0, Packet(0x82, 2, {0x12, 0xA8, 0, 0x10, 0, 0, 0, 0, 0, 0, 0, 0, 0x01}),
            {"0x82", "0x02", "13 Bytes", "0xa4 (OK)",
             "  Data  00 :   12 A8 00 10 00 00 00 00\r\n  Data  08 :   00 00 00 00 01 \r\n"});
        row(1, Packet(0x84, 1, {0x01, 0, 0, 0, 0, 0, 0, 0, 0, 0}),
            {"0x84", "0x01", "10 Bytes", "0x70 (OK)", "  Data  00 :   01 00 00 00 00 00 00 00\r\n  Data  08 :   00 00 \r\n"});
        // SPD with a checksum off by one: shown, but not called whole.
        row(2, Packet(0x83, 1, {'L', 'V', 0, 0, 0, 0, 0, 0, 'P'}, false),
            {"0x83", "0x01", "9 Bytes", "0x82", "  Data  00 :   4C 56 00 00 00 00 00 00\r\n  Data  08 :   50 \r\n"});
        row(3, Packet(0x85, 1, {0, 0, 0, 0, 0, 0, 0, 0}),
            {"0x85", "0x01", "8 Bytes", "0x72 (OK)", "  Data  00 :   00 00 00 00 00 00 00 00\r\n"});
        row(4, Packet(0x81, 1, {0x03, 0x0C, 0x00, 0x00, 0x00}),
            {"0x81", "0x01", "5 Bytes", "0x6a (OK)", "  Data  00 :   03 0C 00 00 00 \r\n"});
        row(5, Packet(0x04, 0x02, {0x01}), {"0x04", "0x02", "1 Bytes", "0xf8 (OK)", "  Data  00 :   01 \r\n"});
        row(6, Packet(0x05, 0x80, {0x31, 0x32}), {"0x05", "0x80", "2 Bytes", "0x16 (OK)", "  Data  00 :   31 32 \r\n"});
        row(7, Packet(0x06, 0x00, {}), {"0x06", "0x00", "0 Bytes", "0xfa (OK)", ""});
        // Gamut: length byte 0xE0 carries no payload length; checksum over bytes 0..3 only.
        _HDMI_INFOFRAME_PACKET gamut = Packet(0x0A, 0x81, {});
        gamut.length = 0xE0;
        gamut.checksum = uint8_t(256 - (0x0A + 0x81 + 0xE0) % 256);
        gamut.payload[0] = 0x55;
        row(8, gamut, {"0x0a", "0x81", "0 Bytes", "0x95 (OK)", ""});
    }
    void eachKind()
    {
        QFETCH(int, index);
        QFETCH(QByteArray, packet);
        QFETCH(QStringList, texts);
        _HDMI_INFOFRAME_PACKET p;
        std::memcpy(&p, packet.constData(), sizeof p);
        QCOMPARE(QInfoFrameWidget::PacketTexts(p), texts);
        QCOMPARE(GetInfoFrameString(p, true), QString(texts[4]).replace(QStringLiteral("\r\n"), QStringLiteral("<br>")));
        QInfoFrameWidget view;
        view.SetInfoFrameValid(true, texts);
        QCOMPARE(view.GetText(), QStringLiteral("  Type     :   %1\n  Version  :   %2\n  Length   :   %3\n  Checksum :   %4\n%5")
                                     .arg(texts[0], texts[1], texts[2], texts[3], QString(texts[4]).remove(QLatin1Char('\r')))
                                     .chopped(1));   // no empty line after the last
        view.SetInfoFrameValid(false, texts);
        QCOMPARE(view.GetText(), QStringLiteral("  N/A"));
        QVERIFY(!GetInfoFrameName(index).isEmpty());
    }

    void namesOutsideRangeAreEmpty()
    {
        QCOMPARE(GetInfoFrameName(9), QString());
        QCOMPARE(GetInfoFrameName(-1), QString());
        _HDMI_INFOFRAME_PACKET zero{};
        QVERIFY(InfoFrameChecksumOk(zero));
    }

    // A length of 31 names four bytes beyond the packet: the dump stops at 27 and the
    // packet is never whole, whatever its checksum byte says.
    void lengthBeyondPacketIsClamped()
    {
        _HDMI_INFOFRAME_PACKET p{};
        p.length = 0x1F;
        for (int i = 0; i < KVCAP_INFOFRAME_PAYLOAD; ++i)
            p.payload[i] = uint8_t(i + 1);
        unsigned sum = p.length;
        for (uint8_t b : p.payload)
            sum += b;
        p.checksum = uint8_t(256 - sum % 256);   // would hold over the 31 bytes
        QVERIFY(!InfoFrameChecksumOk(p));
        QCOMPARE(InfoFramePayloadLength(p), 27);
        const QString dump = GetInfoFrameString(p, false);
        QCOMPARE(dump.count(QStringLiteral("\r\n")), 4);
        QVERIFY(dump.endsWith(QStringLiteral("  Data  18 :   19 1A 1B \r\n")));
        QCOMPARE(QInfoFrameWidget::PacketTexts(p)[2], QStringLiteral("31 Bytes"));
        QVERIFY(!QInfoFrameWidget::PacketTexts(p)[3].contains(QStringLiteral("OK")));
    }
};

QTEST_MAIN(TstInfoFrames)
#include "tst_infoframes.moc"
