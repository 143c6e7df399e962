// Start-up and the first plug against the emulated device, the main window built as
// main() builds it: each page reads each report it shows once, as one reload does.

#include "lvemulatortest.h"

#include "shell/lumivandrexutility.h"
#include "shell/propertypage.h"
#include "shell/wtabwidget.h"
#include "toolkit/cfocusmanager.h"

#include <QApplication>
#include <QtTest>

namespace {

using DevicePtr = std::shared_ptr<lvemu::EmulatedDevice>;
using Counts = QMap<int, int>;   // report id -> GETs

// Every GET in the log but the 400 ms poll's report 0x08.
Counts Reads(const DevicePtr& device)
{
    Counts counts;
    for (const lvemu::TransferRecord& t : device->transfers())
        if (t.direction == lvemu::TransferRecord::Get && t.id != 0x08)
            ++counts[t.id];
    return counts;
}

// One reload, page by page, from what each page shows of the stock device (HDMI
// input locked, a loop-through output, all three optional pages).
Counts OneReload(const DevicePtr& device)
{
    const std::vector<std::vector<int>> pages = {
        {0xFF},                                                  // the tab set
        {0x02, 0x03, 0x11, 0x12},                                // Info
        {0x03, 0x11, 0x13, 0x14, 0x15, 0x16, 0x17},              // Video
        {0xFF, 0x04},                                            // Volume, and each node below
        {0x09, 0x0A, 0x0B, 0x0D, 0x0E, 0x0F, 0x10, 0x11, 0x12},  // Input
        {0x01, 0x9A, 0x03, 0x98, 0x99, 0x9B, 0x11, 0xA0},        // HDMI, and each info frame below
        {0x10, 0x90, 0x91, 0x92, 0x96, 0x97},                    // Timing
        {0x03, 0x18, 0x19, 0x1A, 0xFC, 0xFD},                    // Advanced
    };
    Counts counts;
    for (const auto& page : pages)
        for (int id : page)
            ++counts[id];
    const quint32 nodes = device->record<_KVCAP_AUDIO_NODE_MASK>(0x04).mask;
    const quint32 frames = device->record<_KVCAP_INFOFRAME_VALID_MASK>(0xA0).mask;
    for (int bit = 0; bit < 9; ++bit) {
        if (nodes & (1u << bit))
            ++counts[0xB0 + bit];
        if (frames & (1u << bit))
            ++counts[0xA1 + bit];
    }
    return counts;
}

// Clears the log once the presenter has built the instance of a plugged device:
// what follows is the window's work. Made before the window, so it runs first.
struct ClearOnArrival : ILumivandrexNotify {
    explicit ClearOnArrival(DevicePtr d) : device(std::move(d)) { g_presenter.AddNotify(this); }
    ~ClearOnArrival() { g_presenter.DeleteNotify(this); }
    void OnCurrentDeviceLost(bool) override { device->clearTransfers(); }
    DevicePtr device;
};

} // namespace

class TstShellStartupReads : public QObject
{
    Q_OBJECT

    LumivandrexUtility* m_window = nullptr;

    // As main() does: the presenter, then the window.
    void StartWindow()
    {
        g_presenter.Init();
        m_window = new LumivandrexUtility(nullptr);
        g_presenter.SetNotifyTimerCtrl(m_window);
        g_focusManager.SetMainFocusWid(m_window);
        m_window->show();
    }
    // Until every page is filled, then a while longer: nothing more may come.
    void ExpectOneReload(const DevicePtr& device)
    {
        const Counts expected = OneReload(device);
        QTRY_COMPARE_WITH_TIMEOUT(Reads(device), expected, 5000);
        QTest::qWait(300);
        QCOMPARE(Reads(device), expected);
    }

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void cleanup()
    {
        g_presenter.Exit();
        g_focusManager.SetMainFocusWid(nullptr);
        delete m_window;
        lvemu::EmulatedBus::instance().unplugAll();
    }

    void startUpReadsLikeOneReload()
    {
        auto device = lvemu::EmulatedBus::instance().plug();
        StartWindow();
        device->clearTransfers();   // the presenter's own reads; the window's come from the event loop
        ExpectOneReload(device);
        QCOMPARE(m_window->GetPropertyPage()->GetTabWidget()->count(), 7);

        device->clearTransfers();
        m_window->GetPropertyPage()->ReloadTabWidget(true);
        QCOMPARE(Reads(device), OneReload(device));
    }

    void firstPlugReadsLikeOneReload()
    {
        auto device = lvemu::EmulatedBus::instance().plug();
        lvemu::EmulatedBus::instance().unplug(device);
        ClearOnArrival clear(device);
        StartWindow();
        QTRY_COMPARE(m_window->GetPropertyPage()->GetTabWidget()->count(), 1);
        lvemu::EmulatedBus::instance().plug(device);
        ExpectOneReload(device);
    }
};

LV_EMULATED_QTEST_MAIN(TstShellStartupReads)
#include "tst_shellstartupreads.moc"
