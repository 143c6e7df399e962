// The Volume page against the emulated device: what each control writes (exact bytes of
// 0xB0 + node), mute, per-model defaults, the fault paths, the report section, and the
// host endpoint following the device on newer firmware (private PulseAudio daemon).

#include <atomic>
#include <csignal>
#include <thread>

#include "lvemulatortest.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>

#include <cstring>

#include "lvpagetestsupport.h"
#include "pulsetestdaemon.h"
#include "settingspages/wtabpagevolume.h"
#include "toolkit/qcustomslider.h"
#include "toolkit/qwrapperslider.h"
#include "lvtestsupport.h"

using lvtest::Bytes;
using lvtest::DevicePtr;
using lvtest::TransferRecord;

namespace {

// A block with `channels` channels at distinct levels (set by `level`), channel 0 muted when asked.
_KVCAP_AUDIO_VOLUME Block(int level, int channels, bool oneMuted = false)
{
    _KVCAP_AUDIO_VOLUME b{uint8_t(channels), 0x5A, -8000, 6000, 25, {uint8_t(oneMuted ? 1 : 0)}, {}};
    for (int i = 0; i < 16; ++i)
        b.volume[i] = int16_t(-100 * level - 10 * i);
    return b;
}

// Every node present; node n's block is Block(n + shift, ...).
void AllNodes(const DevicePtr& dev, int channels, int shift = 0, bool oneMuted = false)
{
    dev->setRecord(ReportIdOf<_KVCAP_AUDIO_NODE_MASK>(), _KVCAP_AUDIO_NODE_MASK{0xFF});
    for (int n = 0; n < 8; ++n)
        dev->setRecord(uint8_t(0xB0 + n), Block(n + shift, channels, oneMuted));
}

Bytes Wire(int node, const _KVCAP_AUDIO_VOLUME& b)
{
    return lvtest::wireOf(b, node);
}

std::vector<Bytes> Sets(const DevicePtr& dev)
{
    std::vector<Bytes> out;
    for (const TransferRecord& t : lvtest::transfersOf(dev, TransferRecord::Set))
        out.push_back(t.bytes);
    return out;
}

QMap<int, int> Reads(const DevicePtr& dev)
{
    return QMap<int, int>(lvtest::getCounts(dev));
}

} // namespace

class TstVolumePage : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();
    void stockPage();
    void sliderWritesBlock_data();
    void sliderWritesBlock();
    void muteAndUnmute();
    void defaultsPerModel_data();
    void defaultsPerModel();
    void faultsWriteNothing();
    void defaultsOnlyWithTheFeature();
    void hostFollowsNewFirmware();

private:
    DevicePtr m_dev;
};

void TstVolumePage::initTestCase()
{
    lvtest::applyProgramLook(false);
    lvtest::startPresenter();   // false while nothing is plugged
}

void TstVolumePage::init()
{
    m_dev = lvtest::plugCurrent("VOL-0001");
    QVERIFY(m_dev);
}

void TstVolumePage::cleanupTestCase()
{
    g_presenter.Exit();
    lvemu::EmulatedBus::instance().unplugAll();
}

void TstVolumePage::stockPage()
{
    QWidget pane;   // the tab pane's colour, as in the main window
    pane.setAutoFillBackground(true);
    pane.setPalette(QPalette(QColor(0x34, 0x34, 0x34)));
    WTabPageVolume page;
    page.InitPage(0xFFFFFFFF, false);
    page.setParent(&pane);
    pane.resize(560, 560);
    page.resize(pane.size());
    QVERIFY(!page.GetSlider(KVCAP_AUDIO_NODE_MIC));
    QCOMPARE(page.GetSlider(KVCAP_AUDIO_NODE_HEADPHONE)->GetValue(), -1200);
    QCOMPARE(page.GetSlider(KVCAP_AUDIO_NODE_HEADPHONE)->GetMinValue(), -5700);
    QCOMPARE(page.GetSlider(KVCAP_AUDIO_NODE_EMBEDDED_IN)->GetValue(), 0);
    pane.show();
    QVERIFY(lvtest::saveScreenshot(&pane, "volume_page"));

    // A full reload reads each report once and writes nothing; the same nodes keep their controls.
    m_dev->clearTransfers();
    QWrapperSlider* const kept = page.GetSlider(KVCAP_AUDIO_NODE_HEADPHONE);
    page.InitPage(0xFFFFFFFF, false);
    QCOMPARE(Reads(m_dev), (QMap<int, int>{{0x04, 1}, {0xB1, 1}, {0xB4, 1}, {0xFF, 1}}));
    QVERIFY(Sets(m_dev).empty() && page.GetSlider(KVCAP_AUDIO_NODE_HEADPHONE) == kept);

    page.OnAIOAudioChanged(true);
    const QString html = page.GetExportInfo();
    QVERIFY(html.contains("<tr><th class=\"sub-title\">Volume - PLAYBACK</th></tr><tr><th>Headphone:</th>"
                          "<td>-12.00 dB</td></tr>\r\n"));
    QVERIFY(html.contains("<tr><th>SDI:</th><td>0.00 dB</td></tr>\r\n"));
    QVERIFY(!html.contains("Microphone:"));
    m_dev->setRecord(0x04, _KVCAP_AUDIO_NODE_MASK{0x13});   // a microphone it lacks; the embedded node not read
    m_dev->stallReport(0xB4);
    QVERIFY(page.GetExportInfo().contains("<th>Microphone:</th><td>Not detected</td></tr>\r\n<tr><th>SDI:</th><td></td>"));
    page.InitPage(0xFFFFFFFF, false);   // a node not read at load is built once it is refreshed
    QVERIFY(!page.GetSlider(KVCAP_AUDIO_NODE_EMBEDDED_IN));
    m_dev->clearFaults();
    page.OnAudioVolumeChanged2(quint64(0x10) << 48);
    QVERIFY(page.GetSlider(KVCAP_AUDIO_NODE_EMBEDDED_IN));

    // The report's own rules: muted channels left out, a stereo line in at 29 dB.
    _KVCAP_AUDIO_VOLUME b = Block(2, 2, true);
    QCOMPARE(WTabPageVolume::GetVolumeString(KVCAP_AUDIO_NODE_HEADPHONE, b), QString("-2.10 dB"));
    b.mute[1] = 1;
    QCOMPARE(WTabPageVolume::GetVolumeString(KVCAP_AUDIO_NODE_HEADPHONE, b), QString("Muted"));
    b = Block(2, 0);
    QCOMPARE(WTabPageVolume::GetVolumeString(KVCAP_AUDIO_NODE_LINE_IN, b), QString("Not detected"));
}

void TstVolumePage::sliderWritesBlock_data()
{
    QTest::addColumn<int>("node");
    QTest::addColumn<int>("channels");
    for (int node = 0; node < 8; ++node)
        QTest::addRow("node %d stereo", node) << node << 2;
    QTest::newRow("mono mic") << 0 << 1;
    QTest::newRow("16 channels") << 5 << 16;
    QTest::newRow("count past the slots") << 6 << 200;
}

void TstVolumePage::sliderWritesBlock()
{
    QFETCH(int, node);
    QFETCH(int, channels);
    AllNodes(m_dev, channels);
    WTabPageVolume page;
    page.InitPage(0xFFFFFFFF, false);
    QWrapperSlider* slider = page.GetSlider(_KVCAP_USB_AUDIO_NODE(node));
    QVERIFY(slider);
    m_dev->clearTransfers();
    slider->SetValue(-2550);

    _KVCAP_AUDIO_VOLUME expected = Block(node, channels);
    for (int i = 0; i < qMin(channels, 16); ++i)
        expected.volume[i] = -2550;
    const std::vector<Bytes> sets = Sets(m_dev);
    QCOMPARE(int(sets.size()), 1);
    QCOMPARE(sets[0], Wire(node, expected));
    QCOMPARE(slider->GetValueLabel()->text(), QString("-25.50"));
}

void TstVolumePage::muteAndUnmute()
{
    WTabPageVolume page;
    page.InitPage(0xFFFFFFFF, false);
    QWrapperSlider* slider = page.GetSlider(KVCAP_AUDIO_NODE_HEADPHONE);
    QPushButton* mute = page.GetMuteButton(KVCAP_AUDIO_NODE_HEADPHONE);
    slider->SetValue(-3000);
    m_dev->clearTransfers();

    QTest::mouseClick(mute, Qt::LeftButton);
    _KVCAP_AUDIO_VOLUME expected = m_dev->record<_KVCAP_AUDIO_VOLUME>(0xB1);
    QCOMPARE(expected.volume[0], int16_t(-3000));
    expected.mute[0] = expected.mute[1] = 1;
    QCOMPARE(Sets(m_dev), std::vector<Bytes>{Wire(1, expected)});
    QVERIFY(!slider->isEnabled());

    // A refresh of the muted node keeps the button checked and the level.
    page.OnAudioVolumeChanged2(quint64(0x02) << 48);
    QVERIFY(mute->isChecked());
    QCOMPARE(slider->GetValue(), -3000);

    m_dev->clearTransfers();
    QTest::mouseClick(mute, Qt::LeftButton);
    expected.mute[0] = expected.mute[1] = 0;
    QCOMPARE(Sets(m_dev), std::vector<Bytes>{Wire(1, expected)});   // one write, level kept
    QVERIFY(slider->isEnabled());
}

void TstVolumePage::defaultsPerModel_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QList<int>>("levels");
    QTest::newRow("516") << 516 << QList<int>{3750, -2000, 0, 0, 0, -1000, 0, -1000};
    QTest::newRow("521") << 521 << QList<int>{3750, -2000, 0, 0, 0, -1000, 0, -1000};
    QTest::newRow("other") << 777 << QList<int>{0, 0, 0, 0, 0, 0, 0, 0};
}

void TstVolumePage::defaultsPerModel()
{
    QFETCH(int, model);
    QFETCH(QList<int>, levels);
    AllNodes(m_dev, 2, 1, true);   // off the defaults, muted
    _KVCAP_DEVICE_INFO info = m_dev->deviceInfo();
    info.productId = uint16_t(model);
    m_dev->setDeviceInfo(info);
    WTabPageVolume page;
    page.InitPage(0xFFFFFFFF, false);
    page.setDefaultValue();
    for (int n = 0; n < 8; ++n) {
        const auto b = m_dev->record<_KVCAP_AUDIO_VOLUME>(uint8_t(0xB0 + n));
        QCOMPARE(QList<int>({b.volume[0], b.volume[1], b.mute[0], b.mute[1]}),
                 QList<int>({levels[n], levels[n], 0, 0}));
    }
}

void TstVolumePage::faultsWriteNothing()
{
    WTabPageVolume page;
    page.InitPage(0xFFFFFFFF, false);
    QWrapperSlider* slider = page.GetSlider(KVCAP_AUDIO_NODE_HEADPHONE);
    QPushButton* mute = page.GetMuteButton(KVCAP_AUDIO_NODE_HEADPHONE);
    // A refresh that cannot read a node hides it, one that reads no channels disables it; read again
    // its level and mute are the device's, none made up meanwhile, and unmuting writes that level.
    QTest::mouseClick(mute, Qt::LeftButton);
    for (bool stalled : {true, false}) {
        stalled ? m_dev->stallReport(0xB1) : m_dev->setShortReply(0xB1, 0);
        page.OnAudioVolumeChanged2(quint64(0x02) << 48);
        QVERIFY(slider->isHidden() == stalled && !mute->isEnabled());
        m_dev->clearFaults();
        page.OnAudioVolumeChanged2(quint64(0x02) << 48);
        QVERIFY(!slider->isHidden() && mute->isChecked() && slider->GetValueLabel()->text() == "-12.00");
    }
    QTest::mouseClick(mute, Qt::LeftButton);
    QCOMPARE(m_dev->record<_KVCAP_AUDIO_VOLUME>(0xB1).volume[1], int16_t(-1200));
    m_dev->clearTransfers();

    // A block not read whole is never written back: the controls show what the device holds
    // (from the short answer, or as they were), without writing it, nothing marked pending.
    for (int reply : {29, 0}) {
        reply ? m_dev->setShortReply(0xB1, reply) : m_dev->stallReport(0xB1);
        QTest::keyClick(slider->GetCustomSlider(), Qt::Key_PageDown);
        QCOMPARE(slider->GetValue(), -1200);
        QCOMPARE(slider->GetValueLabel()->text(), QString("-12.00"));
        QTest::mouseClick(mute, Qt::LeftButton);
        QVERIFY(!mute->isChecked() && slider->isEnabled() && !g_presenter.IsUIChanged());
    }
    m_dev->clearFaults();

    // A node without controls is not refreshed.
    page.InitPage(0x01, true);
    QCOMPARE(Reads(m_dev).value(0xB0), 0);

    // Without the volume feature: no controls, nothing written.
    m_dev->setFeatureFlags(0x3);
    page.InitPage(0x12, true);
    QVERIFY(!page.isEnabled() && !page.GetSlider(KVCAP_AUDIO_NODE_HEADPHONE));
    QVERIFY(Sets(m_dev).empty());
}

void TstVolumePage::defaultsOnlyWithTheFeature()
{
    WTabPageVolume page;   // built for the stock device, which has the feature
    // Then model 516 (headphone default -20 dB, muted at -5 dB in a narrower range), first
    // without the feature (the page is not reloaded for it), then with it.
    for (uint32_t features : {0x3u, 0x7u}) {
        m_dev = lvtest::plugCurrent("VOL-" + std::to_string(features), [&](lvemu::EmulatedDevice& d) {
            _KVCAP_DEVICE_INFO info = d.deviceInfo();
            info.productId = 516;
            d.setDeviceInfo(info);
            d.setFeatureFlags(features);
            d.setRecord(0xB1, _KVCAP_AUDIO_VOLUME{2, 0, -1000, 0, 50, {1, 1}, {-500, -500}});
        });
        m_dev->setShortReply(0x01, 3);   // a model code not read whole writes no defaults either
        m_dev->clearTransfers();
        page.setDefaultValue();
        QVERIFY(Sets(m_dev).empty());
        QCOMPARE(page.GetSlider(KVCAP_AUDIO_NODE_HEADPHONE) != nullptr, features == 0x7u);
    }
    m_dev->clearFaults();
    page.setDefaultValue();
    const auto b = m_dev->record<_KVCAP_AUDIO_VOLUME>(0xB1);
    QCOMPARE(QList<int>({b.volume[0], b.volume[1], b.mute[0], b.mute[1]}), QList<int>({-1000, -1000, 0, 0}));
}

void TstVolumePage::hostFollowsNewFirmware()
{
    // A serial that fills its field without a NUL: the host search uses its first 15 characters.
    const std::string serial = "SER123456789ABCDE";
    PulseTestDaemon daemon;
    QVERIFY(daemon.Start({"load-module module-null-sink sink_name=usb_SER123456789ABCDEF_out "
                          "sink_properties=device.description=SER123456789ABC channels=2",
                          "load-module module-null-sink sink_name=usb_SER123456789ABCDEF_x "
                          "sink_properties=device.description=SER1234"}, 2));
    m_dev = lvtest::plugCurrent(serial);
    QVERIFY(m_dev);
    _KVCAP_DEVICE_INFO info = m_dev->deviceInfo();
    std::memcpy(info.serialNumber, "SER123456789ABCDEF", sizeof info.serialNumber);
    info.firmwareVersion = 0x02061C0B;
    m_dev->setDeviceInfo(info);
    WTabPageVolume page;
    page.InitPage(0xFFFFFFFF, false);
    QWrapperSlider* slider = page.GetSlider(KVCAP_AUDIO_NODE_HEADPHONE);

    slider->SetValue(-1200);   // last firmware without host following
    QCOMPARE(daemon.Volumes("sinks", "usb_SER123456789ABCDEF_out"), QList<int>({65536, 65536}));
    info.firmwareVersion = 0x02061C0C;
    m_dev->setDeviceInfo(info);
    slider->SetValue(-1225);   // -12.25 dB: the first row at or above it is -12.0 dB, 0.50
    QCOMPARE(daemon.Volumes("sinks", "usb_SER123456789ABCDEF_out"), QList<int>({32768, 32768}));
    QTest::mouseClick(page.GetMuteButton(KVCAP_AUDIO_NODE_HEADPHONE), Qt::LeftButton);
    QVERIFY(daemon.Muted("sinks", "usb_SER123456789ABCDEF_out"));
    m_dev->setShortReply(0x01, 214);   // a serial cut short could name another endpoint: none is set
    QTest::mouseClick(page.GetMuteButton(KVCAP_AUDIO_NODE_HEADPHONE), Qt::LeftButton);
    QCOMPARE(daemon.Volumes("sinks", "usb_SER123456789ABCDEF_x"), QList<int>({65536, 65536}));

    // A slow server (stopped but for 1 ms in 150) and a hung one (stopped) cost one budget per
    // change, however many channels (16) and nodes (Reset to Defaults) it sets.
    m_dev->clearFaults();
    AllNodes(m_dev, 16);
    page.InitPage(0xFFFFFFFF, false);
    QElapsedTimer clock;
    const auto costs = [&](int level) {
        clock.start();
        page.GetSlider(KVCAP_AUDIO_NODE_HEADPHONE)->SetValue(level);
        const qint64 change = clock.restart();
        page.setDefaultValue();
        return change < 800 && clock.elapsed() < 1000;
    };
    const pid_t pid = pid_t(daemon.Pid());
    std::atomic<bool> slow{true};
    ::kill(pid, SIGSTOP);
    std::thread stutter([&] {
        while (slow) {
            std::this_thread::sleep_for(std::chrono::milliseconds(150));
            ::kill(pid, SIGCONT);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            ::kill(pid, SIGSTOP);
        }
    });
    const bool slowCosts = costs(-2400);
    slow = false;
    stutter.join();   // and the server hangs
    const bool hungCosts = costs(-2500);
    ::kill(pid, SIGCONT);
    QVERIFY(slowCosts && hungCosts);
    QCOMPARE(m_dev->record<_KVCAP_AUDIO_VOLUME>(0xB1).volume[15], int16_t(0));   // the device took the defaults
    daemon.Stop();
}

LV_EMULATED_QTEST_MAIN(TstVolumePage)
#include "tst_volumepage.moc"
