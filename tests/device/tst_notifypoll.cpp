// The 400 ms notification poll: report 8 read from the current device and its change
// word dispatched group by group, against the emulated device.

#include "lvemulatortest.h"

#include <thread>

#include "device/lumivandrexpresenter.h"
#include "tst_lumivandrexpresenter_support.h"

using namespace prestest;
using lvemu::EmulatedBus;
using lvemu::TransferRecord;

namespace {

int reads(const std::shared_ptr<lvemu::EmulatedDevice> &dev, uint8_t id)
{
    int n = 0;
    for (const TransferRecord &t : dev->transfers())
        n += (t.id == id && t.direction == TransferRecord::Get) ? 1 : 0;
    return n;
}

// The calls one listener named `n` must receive for a word, per group in order.
// Written out by hand, independently of the presenter's own table.
QStringList expectedCalls(quint64 w, const QStringList &names)
{
    const QString word = hex(w);
    QStringList out;
    auto each = [&](const QStringList &calls) {
        for (const QString &n : names) {
            for (const QString &c : calls)
                out << n + ":" + c;
        }
    };
    if (w & 0x4010)
        each({"Timing(" + word + ")"});
    if (w & 0x1FF00000000ULL)
        each({"Input(" + word + ")", "Hdmi(0xffff)"});
    if (w & 0x70)
        each({"Input(" + word + ")", "Hdmi(0xffff)"});
    if (w & 0x2F)
        each({"Source(" + word + ")", "Hdmi(0xffff)"});
    if (w & 0x00FF000000000000ULL)
        each({"Volume(" + word + ")"});
    if (w & 0x18000)
        each({"Loop(" + word + ")"});
    if (w & 0x20000)
        each({"Format()"});
    return out;
}

} // namespace

class TstNotifyPoll : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void dispatchesGroupsInOrder_data();
    void dispatchesGroupsInOrder();
    void documentedWords();
    void failedReadDispatchesNothing();
    void noDeviceNoTraffic();
    void silentWhileUpgrading();
    void skipsTickWhileLockIsHeld();
    void listenerWorkMayTakeTheLock();

private:
    LumivandrexPresenter *m_presenter = nullptr;
    FakeTimerCtrl m_timer;
    std::shared_ptr<lvemu::EmulatedDevice> m_dev;
    Recorder m_a{"A"};
    Recorder m_b{"B"};
    QStringList m_log;
    QMutex m_logMutex;
};

void TstNotifyPoll::init()
{
    EmulatedBus::instance().unplugAll();
    m_dev = EmulatedBus::instance().plug();
    m_presenter = new LumivandrexPresenter;
    m_presenter->SetTimingForTest(50, 200);
    m_presenter->SetNotifyTimerCtrl(&m_timer);
    QVERIFY(m_presenter->Init());
    m_presenter->SetCurrentIndex(0, true);
    QCOMPARE(m_timer.callback, static_cast<INotifyTimerCallback *>(m_presenter));
    m_log.clear();
    m_a.clear();
    m_b.clear();
    m_a.setSharedLog(&m_log, &m_logMutex);
    m_b.setSharedLog(&m_log, &m_logMutex);
    m_presenter->AddNotify(&m_a);
    m_presenter->AddNotify(&m_b);
    m_dev->clearTransfers();
}

void TstNotifyPoll::cleanup()
{
    m_presenter->Exit();
    delete m_presenter;
    m_presenter = nullptr;
    EmulatedBus::instance().unplugAll();
    m_dev.reset();
}

void TstNotifyPoll::dispatchesGroupsInOrder_data()
{
    QTest::addColumn<quint64>("word");
    QTest::newRow("timing bit 4") << quint64(0x10);
    QTest::newRow("sampling phase bit 14") << quint64(0x4000);
    QTest::newRow("input status bit 32") << quint64(0x100000000ULL);
    QTest::newRow("input status bit 40") << quint64(0x10000000000ULL);
    QTest::newRow("video/audio status bit 6") << quint64(0x40);
    QTest::newRow("bit 5: groups 3 and 4") << quint64(0x20);
    QTest::newRow("source bit 0") << quint64(0x1);
    QTest::newRow("source bit 3") << quint64(0x8);
    QTest::newRow("volume node 0") << quint64(0x0001000000000000ULL);
    QTest::newRow("volume node 7") << quint64(0x0080000000000000ULL);
    QTest::newRow("loop-through bit 15") << quint64(0x8000);
    QTest::newRow("loop-through bit 16") << quint64(0x10000);
    QTest::newRow("connection format") << quint64(0x20000);
    QTest::newRow("whole mask") << quint64(0x00FF01FF0003C07FULL);
    QTest::newRow("outside the mask") << quint64(0xFF00FE00FFFC3F80ULL);
    QTest::newRow("mixed in and out") << quint64(0x8000000000000004ULL);
}

void TstNotifyPoll::dispatchesGroupsInOrder()
{
    QFETCH(quint64, word);
    m_dev->setNotifyBits(word);
    m_presenter->OnTimeout();
    QCOMPARE(m_log, expectedCalls(word, {"A", "B"}));
    QCOMPARE(reads(m_dev, 0x08), 1);
    QCOMPARE(m_dev->transferCount(), 1);   // one 8-byte read per tick, nothing else
    // The device cleared its latch on that read: the next tick dispatches nothing.
    m_log.clear();
    m_presenter->OnTimeout();
    QVERIFY(m_log.isEmpty());
}

void TstNotifyPoll::documentedWords()
{
    m_dev->setNotifyBits(0x10);
    m_presenter->OnTimeout();
    QCOMPARE(m_log, (QStringList{"A:Timing(0x10)", "B:Timing(0x10)", "A:Input(0x10)", "A:Hdmi(0xffff)",
                                 "B:Input(0x10)", "B:Hdmi(0xffff)"}));
    m_log.clear();
    m_dev->setNotifyBits(0x20);
    m_presenter->OnTimeout();
    QCOMPARE(m_log, (QStringList{"A:Input(0x20)", "A:Hdmi(0xffff)", "B:Input(0x20)", "B:Hdmi(0xffff)",
                                 "A:Source(0x20)", "A:Hdmi(0xffff)", "B:Source(0x20)", "B:Hdmi(0xffff)"}));
    m_log.clear();
    m_dev->setNotifyBits(0x20000);
    m_presenter->OnTimeout();
    QCOMPARE(m_log, (QStringList{"A:Format()", "B:Format()"}));
}

void TstNotifyPoll::failedReadDispatchesNothing()
{
    m_dev->setNotifyBits(0x10);
    m_dev->stallReport(0x08);
    m_presenter->OnTimeout();
    QVERIFY(m_log.isEmpty());
    m_dev->stallReport(0x08, false);
    m_presenter->OnTimeout();   // the next tick tries again
    QCOMPARE(m_log.size(), 6);
}

void TstNotifyPoll::noDeviceNoTraffic()
{
    m_presenter->SetCurrentIndex(-1, false);
    m_dev->setNotifyBits(0x10);
    m_presenter->OnTimeout();
    QVERIFY(m_log.isEmpty());
    QCOMPARE(m_dev->transferCount(), 0);
}

void TstNotifyPoll::silentWhileUpgrading()
{
    // A flash that stays busy after the first erase keeps Upgrade (and the lock)
    // busy until the bounded busy wait gives up.
    m_dev->setBusyPolls(1000000);
    m_presenter->SetTimingForTest(50, 400);
    FirmwareImage image;
    image.add("Main.App", lvemu::kFlashMainSection, 0x100);
    tagDEVICE_INSTANCE copy;
    {
        QMutexLocker locker(&m_presenter->GetLock()->m_mutex);
        copy = *m_presenter->GetCurrentInstance();
    }
    int status = 0, percent = 0;
    std::thread flashing([&] {
        m_presenter->Upgrade(copy, &image.header, image.sections(), &status, &percent, true);
    });
    QVERIFY(waitUntil([&] { return m_presenter->IsFirmwareUpgrading(); }, 2000));
    m_dev->setNotifyBits(0x10);
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 5; ++i)
        m_presenter->OnTimeout();
    QVERIFY2(timer.elapsed() < 200, "the poll waited for the flashing");
    flashing.join();
    QVERIFY(m_log.isEmpty());
    QCOMPARE(reads(m_dev, 0x08), 0);
    QCOMPARE(loadStatus(&status), 3);
    m_presenter->OnTimeout();   // afterwards the latched bits arrive
    QCOMPARE(m_log.size(), 6);
}

void TstNotifyPoll::skipsTickWhileLockIsHeld()
{
    m_dev->setNotifyBits(0x10);
    std::atomic<bool> holding{false}, release{false};
    std::thread holder([&] {
        QMutexLocker locker(&m_presenter->GetLock()->m_mutex);
        holding = true;
        while (!release)
            QThread::msleep(1);
    });
    QVERIFY(waitUntil([&] { return holding.load(); }, 2000));
    QElapsedTimer timer;
    timer.start();
    m_presenter->OnTimeout();
    const qint64 waited = timer.elapsed();
    release = true;
    holder.join();
    QVERIFY2(waited < 150, qPrintable(QString("tick blocked %1 ms").arg(waited)));
    QVERIFY(m_log.isEmpty());
    QCOMPARE(reads(m_dev, 0x08), 0);   // skipped before reading: the latch is kept
    m_presenter->OnTimeout();
    QCOMPARE(m_log.size(), 6);
}

void TstNotifyPoll::listenerWorkMayTakeTheLock()
{
    // A page re-reading the device from inside its slot takes the presenter lock:
    // the poll must not hold it while calling listeners.
    struct Reader : ILumivandrexNotify
    {
        LumivandrexPresenter *presenter;
        bool readOk = false;
        void OnTimingStatusChanged(quint64) override
        {
            std::thread other([this] {
                QMutexLocker locker(&presenter->GetLock()->m_mutex);
                unsigned char info[224] = {};
                readOk = HidGetReport(presenter->GetCurrentDevice(), 0x01, info, sizeof(info));
            });
            other.join();   // would deadlock if the poll still held the lock
        }
    } reader;
    reader.presenter = m_presenter;
    m_presenter->AddNotify(&reader);
    m_dev->setNotifyBits(0x4000);
    m_presenter->OnTimeout();
    QVERIFY(reader.readOk);
    m_presenter->DeleteNotify(&reader);
}

LV_EMULATED_QTEST_MAIN(TstNotifyPoll)
#include "tst_notifypoll.moc"
