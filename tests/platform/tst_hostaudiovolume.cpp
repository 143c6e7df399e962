// The host endpoint volume against a real (private) PulseAudio daemon: the endpoint of
// the device's node changes, nothing else does; and a missing server fails at once.

#include <QElapsedTimer>
#include <QtTest>

#include "platform/hostaudiovolume.h"
#include "pulsetestdaemon.h"

namespace {

constexpr int kNorm = 65536;

// Endpoints of device SER123 as a USB capture device presents them, plus decoys.
const QStringList kModules = {
    "load-module module-null-sink sink_name=usb_SER123_out sink_properties=device.description=SER123 channels=2",
    "load-module module-null-sink sink_name=decoy_out sink_properties=device.description=SER123 channels=2",
    "load-module module-null-sink sink_name=usb_SER123_aux sink_properties=device.description=SER123-aux channels=2",
    "load-module module-null-source source_name=usb_SER123_mic description=\"SER123 Mic\" channels=1",
    "load-module module-null-source source_name=usb_SER123_line description=\"SER123 Analog\" channels=2",
    "load-module module-null-source source_name=usb_SER999_mic description=\"SER999 Mic\" channels=1",
};

} // namespace

class TstHostAudioVolume : public QObject
{
    Q_OBJECT
private slots:
    void decibelTable_data();
    void decibelTable();
    void noServerFailsFast();
    void setsOnlyTheNodesEndpoint();

private:
    PulseTestDaemon m_daemon;
};

void TstHostAudioVolume::decibelTable_data()
{
    QTest::addColumn<uint>("node");
    QTest::addColumn<float>("dB");
    QTest::addColumn<bool>("mapped");
    QTest::addColumn<float>("scalar");
    QTest::newRow("headphone at a row") << 1u << -12.0f << true << 0.50f;
    QTest::newRow("headphone between rows") << 1u << -12.1f << true << 0.50f;
    QTest::newRow("headphone above the top") << 1u << 6.5f << true << 1.00f;
    QTest::newRow("mic under row 0") << 0u << -20.0f << true << 0.00f;
    QTest::newRow("mic row 2") << 0u << -3.75f << true << 0.02f;
    QTest::newRow("line in row 99") << 2u << 14.5f << true << 0.99f;
    QTest::newRow("line out has no table") << 3u << 0.0f << false << 0.0f;
    QTest::newRow("no such node") << 8u << 0.0f << false << 0.0f;
}

void TstHostAudioVolume::decibelTable()
{
    QFETCH(uint, node);
    QFETCH(float, dB);
    QFETCH(bool, mapped);
    QFETCH(float, scalar);
    float got = -1.0f;
    QCOMPARE(HostAudioScalarForDecibel(node, dB, &got), mapped);
    if (mapped)
        QCOMPARE(got, scalar);
}

void TstHostAudioVolume::noServerFailsFast()
{
    QTemporaryDir empty;
    qputenv("PULSE_SERVER", ("unix:" + empty.path() + "/none").toUtf8());
    QElapsedTimer clock;
    clock.start();
    const uint32_t status = SetKVCaptureSoundVolumeDecibel("SER123", 1, 0, -12.0f);
    QVERIFY(status != 0 && status != kHostAudioNoEndpoint);
    QCOMPARE(FindAudioDeviceByName("SER123", 1), 0u);
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
}

void TstHostAudioVolume::setsOnlyTheNodesEndpoint()
{
    QVERIFY(m_daemon.Start(kModules, 3));
    const QList<int> full = {kNorm, kNorm};
    // Unequal channels, to see the balance kept.
    QVERIFY(m_daemon.Pactl({"set-sink-volume", "usb_SER123_out", "100%", "50%"}));

    QVERIFY(FindAudioDeviceByName("SER123", 1) != 0);
    QCOMPARE(FindAudioDeviceByName("SER123", 3), 0u);     // no line-out endpoint
    QCOMPARE(FindAudioDeviceByName("", 1), 0u);           // an empty serial matches nothing

    // Headphone at -12 dB: position 0.50 on the loudest channel, the other keeps its share.
    QCOMPARE(SetKVCaptureSoundVolumeDecibel("SER123", 1, 0, -12.0f), 0u);
    QCOMPARE(m_daemon.Volumes("sinks", "usb_SER123_out"), QList<int>({kNorm / 2, kNorm / 4}));
    QCOMPARE(m_daemon.Volumes("sinks", "decoy_out"), full);
    QCOMPARE(m_daemon.Volumes("sinks", "usb_SER123_aux"), full);
    QCOMPARE(m_daemon.Volumes("sources", "usb_SER123_out.monitor"), full);
    QVERIFY(!m_daemon.Muted("sinks", "usb_SER123_out"));

    // Microphone muted: position 0 and the mute set, whatever the level.
    QCOMPARE(SetKVCaptureSoundVolumeDecibel("SER123", 0, 1, 40.0f), 0u);
    QCOMPARE(m_daemon.Volumes("sources", "usb_SER123_mic"), QList<int>({0}));
    QVERIFY(m_daemon.Muted("sources", "usb_SER123_mic"));
    QCOMPARE(m_daemon.Volumes("sources", "usb_SER999_mic"), QList<int>({kNorm}));
    QVERIFY(!m_daemon.Muted("sources", "usb_SER999_mic"));

    // Line in under its second name; unmuting restores a level.
    QCOMPARE(SetKVCaptureSoundVolumeDecibel("SER123", 2, 0, 14.5f), 0u);
    const int row99 = qRound(0.99 * kNorm);
    QCOMPARE(m_daemon.Volumes("sources", "usb_SER123_line"), QList<int>({row99, row99}));
    QCOMPARE(SetKVCaptureSoundVolumeDecibel("SER123", 0, 0, -3.75f), 0u);
    QVERIFY(!m_daemon.Muted("sources", "usb_SER123_mic"));
    QCOMPARE(m_daemon.Volumes("sources", "usb_SER123_mic"), QList<int>({qRound(0.02 * kNorm)}));

    // The embedded input is a source named like the device: neither a sink of that name
    // nor a sink's monitor given that name is taken.
    QVERIFY(m_daemon.Cli("update-source-proplist usb_SER123_out.monitor device.description=SER123"));
    QTRY_COMPARE(m_daemon.Find("sources", "usb_SER123_out.monitor").value("description").toString(), QString("SER123"));
    QCOMPARE(SetKVCaptureSoundVolumeDecibel("SER123", 4, 1, 0.0f), kHostAudioNoEndpoint);
    QCOMPARE(m_daemon.Volumes("sources", "usb_SER123_out.monitor"), full);
    QVERIFY(!m_daemon.Muted("sources", "usb_SER123_out.monitor"));

    // Nodes without a table and unknown devices change nothing.
    QCOMPARE(SetKVCaptureSoundVolumeDecibel("SER123", 7, 1, 0.0f), kHostAudioNoEndpoint);
    QCOMPARE(SetKVCaptureSoundVolumeDecibel("SER777", 1, 1, 0.0f), kHostAudioNoEndpoint);
    QVERIFY(!m_daemon.Muted("sinks", "usb_SER123_out"));

    float scalar = 0;
    bool muted = true;
    QCOMPARE(GetKVCaptureSoundVolume("SER123", 1, &scalar, &muted), 0u);
    QCOMPARE(scalar, 0.5f);
    QVERIFY(!muted);
    m_daemon.Stop();
}

QTEST_GUILESS_MAIN(TstHostAudioVolume)
#include "tst_hostaudiovolume.moc"
