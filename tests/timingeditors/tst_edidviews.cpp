// The EDID views, EDID files and the detailed timing dialog against the emulated device:
// exact bytes sent, nothing sent after a failed read, the round trip through a file and
// edid-decode, and screenshots of the dialog.

#include "lvemulatortest.h"

#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>

#include "hdmitestsupport.h"
#include "timingeditors/edidfile.h"
#include "timingeditors/qcustomtimingdialog.h"
#include "timingeditors/qedidinputwidget.h"
#include "timingeditors/qtimingcellwidget.h"
#include "toolkit/wcombobox.h"
#include "toolkit/wpushbutton.h"
#include "lvtestsupport.h"

using namespace hdmitest;

namespace {

const uint8_t kEdidId = 0x98;

lvemu::Bytes Edid(const DevicePtr& device, int index = KvEdidCapture)
{
    return device->liveReport(idOf<_KVCAP_EDID_DATA>(index));
}

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

// The stock EDID with the preferred descriptor replaced by `t` (checksum fixed).
lvemu::Bytes WithTiming(lvemu::Bytes bytes, const DetailedTiming& t, bool interlaced)
{
    edid::EncodePreferredTiming(bytes.data(), t, false);
    bytes[71] = uint8_t(interlaced ? bytes[71] | 0x80 : bytes[71] & 0x7F);
    edid::FixBaseChecksum(bytes.data());
    return bytes;
}

} // namespace

class TstEdidViews : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { startPresenter(); }
    void cleanupTestCase() { g_presenter.Exit(); }

    void viewsAndReportRows()
    {
        DevicePtr device = plugDevice("EDV-01");
        QEDIDInputWidget capture;
        QEDIDLoopThroughWidget loop;
        capture.InitEDIDInputWidget();
        loop.InitEDIDLoopThroughWidget();
        QCOMPARE(capture.GetText(), edid::TextDump(Edid(device).data()).remove(QLatin1Char('\r')));
        QCOMPARE(loop.GetText(), edid::TextDump(Edid(device, KvEdidLoopThrough).data()).remove(QLatin1Char('\r')));
        QVERIFY(loop.GetExportButton()->isEnabled());
        const QString rows = capture.ExportInfo();
        QVERIFY(rows.contains(QStringLiteral("<tr><th>Keep last:</th><td>Enable</td></tr>\r\n")));
        QVERIFY(rows.contains(QStringLiteral("<tr><th>Limited pixel clock:</th><td>Disable</td></tr>")));
        QVERIFY(rows.contains(QStringLiteral("00:   00 FF FF FF FF FF FF 00 ")));

        // EDIDs and options that could not be read are unknown, not zero bytes or "Disable".
        for (uint8_t id : {0x98, 0x99, 0x9A})
            device->stallReport(id);
        capture.InitEDIDInputWidget(), loop.InitEDIDLoopThroughWidget();
        QVERIFY(capture.GetText().isEmpty() && loop.GetText().isEmpty() && !loop.GetExportButton()->isEnabled());
        QCOMPARE((capture.ExportInfo() + loop.ExportInfo()).count(QRegularExpression("</th><td[^>]*></td>")), 6);
        device->clearFaults();

        device->setRecord(idOf<_KVCAP_LOOP_THROUGH_EDID_VALID>(), _KVCAP_LOOP_THROUGH_EDID_VALID{0});
        loop.InitEDIDLoopThroughWidget();
        QCOMPARE(loop.GetText(), QStringLiteral("N/A"));
        QVERIFY(!loop.GetExportButton()->isEnabled());
        QCOMPARE(loop.ExportInfo(), QStringLiteral("<tr><th>Loop through device EDID:</th><td>N/A</td></tr>\r\n"));
        // Other models have no EDID assist: every option row reads "Disable".
        plugDevice("EDV-02", 256);
        QCOMPARE(capture.ExportInfo().count(QStringLiteral("<td>Disable</td>")), 4);
    }

    void importFile_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("base block only") << 128 << true;
        QTest::newRow("200 bytes") << 200 << true;
        QTest::newRow("whole") << 256 << true;
        QTest::newRow("300 bytes") << 300 << true;
        QTest::newRow("empty") << 0 << false;
        QTest::newRow("short") << 100 << false;
        QTest::newRow("missing") << -1 << false;
    }
    void importFile()
    {
        QFETCH(int, size);
        QFETCH(bool, accepted);
        DevicePtr device = plugDevice("EDV-10");
        QTemporaryDir dir;
        QByteArray bytes(qMax(size, 0), '\0');
        for (int i = 0; i < bytes.size(); ++i)
            bytes[i] = char(i * 3 + 1);
        const QString path = size < 0 ? dir.filePath("none.bin") : WriteFile(dir, "in.bin", bytes);
        QEDIDInputWidget capture;
        QCOMPARE(capture.ImportEDIDFile(path), accepted);
        const QList<lvemu::Bytes> sent = writes(device, kEdidId);
        QCOMPARE(sent.size(), accepted ? 1 : 0);
        if (!accepted)
            return;
        // Always the whole 256-byte report: the file first, 0xFF after it.
        lvemu::Bytes expected(256, 0xFF);
        std::copy(bytes.begin(), bytes.begin() + qMin(size, 256), expected.begin());
        QCOMPARE(sent.first(), expected);
        QVERIFY(capture.GetText().startsWith(QStringLiteral("00:  01 04 07")));
    }

    // Import a file, edit the preferred timing to CVT, export: checksums right and
    // edid-decode reads the exported file without a checksum complaint.
    void roundTripThroughDialogAndFile()
    {
        DevicePtr device = plugDevice("EDV-20");
        QTemporaryDir dir;
        const lvemu::Bytes stock = WithTiming(Edid(device), DetailedTiming{148.5, 1920, 280, 88, 44, 1080, 45, 4, 5}, true);
        QEDIDInputWidget capture;
        QVERIFY(capture.ImportEDIDFile(WriteFile(dir, "in.bin", QByteArray(reinterpret_cast<const char*>(stock.data()), 256))));
        device->clearTransfers();

        ModalAnswerer answer([](QWidget* modal) {
            auto* dialog = qobject_cast<QCustomTimingDialog*>(modal);
            QVERIFY(dialog);
            QCOMPARE(dialog->GetTimingMode(), int(edid::ModeCustom));
            QVERIFY(dialog->IsEDIDRead());
            dialog->GetModeCombo()->setCurrentIndex(edid::ModeCVT);
            QVERIFY(lvtest::saveScreenshot(dialog, QStringLiteral("hdmi_timing_dialog_cvt")));
            QVERIFY(dialog->GetOkButton()->isEnabled());
            QTest::mouseClick(dialog->GetOkButton(), Qt::LeftButton);
        });
        capture.OnEDIDTiming();
        const QList<lvemu::Bytes> sent = writes(device, kEdidId);
        QCOMPARE(sent.size(), 1);
        const lvemu::Bytes& out = sent.first();
        DetailedTiming cvt;
        edid::CalcDetailedTiming(edid::ModeCVT, StandardTiming{1920, 1080, 60.0}, cvt);
        lvemu::Bytes expected = WithTiming(stock, cvt, false);
        QCOMPARE(out, expected);                          // bytes 54..65, 71 bit 7 and 127 only
        QVERIFY(edid::BaseChecksumOk(out.data()));
        QCOMPARE(out[54] | out[55] << 8, 17300);          // 173.00 MHz
        QCustomTimingDialog reopened;                     // runs at 59.96 Hz, reopens as written
        QCOMPARE(reopened.GetCell(QCustomTimingDialog::RowFrameRate)->GetShownText(), QStringLiteral("60.00"));
        QCOMPARE(reopened.GetTimingMode(), int(edid::ModeCVT));

        const QString exported = dir.filePath("out.bin");
        QVERIFY(capture.ExportEDIDFile(exported));
        QFile file(exported);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray(reinterpret_cast<const char*>(out.data()), 256));
        QProcess decode;
        decode.start(QStringLiteral("edid-decode"), {exported});
        QVERIFY(decode.waitForFinished(20000));
        const QString report = QString::fromLatin1(decode.readAllStandardOutput() + decode.readAllStandardError());
        // Both blocks' checksums decoded and accepted, no failure listed.
        QVERIFY2(report.count(QStringLiteral("Checksum: 0x")) == 2 && !report.contains(QStringLiteral("should be"))
                     && !report.contains(QStringLiteral("Failures")) && report.contains(QStringLiteral("1920x1080")),
                 qPrintable(report));
        QCOMPARE(decode.exitCode(), 0);
    }

    void dialogOpening_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<bool>("zeroDescriptor");
        QTest::addColumn<double>("ceiling");
        QTest::addColumn<bool>("okEnabled");
        QTest::newRow("516, CEA 1080p60") << 516 << false << 297.0 << true;
        QTest::newRow("521") << 521 << false << 600.0 << true;
        QTest::newRow("other model") << 256 << false << 165.0 << true;
        QTest::newRow("display descriptor") << 516 << true << 297.0 << false;
    }
    void dialogOpening()
    {
        QFETCH(int, model);
        QFETCH(bool, zeroDescriptor);
        QFETCH(double, ceiling);
        QFETCH(bool, okEnabled);
        DevicePtr device = plugDevice("EDV-30", uint16_t(model));
        if (zeroDescriptor) {
            lvemu::Bytes bytes = Edid(device);
            std::fill(bytes.begin() + 54, bytes.begin() + 72, 0);
            device->setReport(kEdidId, bytes);
        }
        QCustomTimingDialog dialog;
        QCOMPARE(dialog.GetMaxPixelClock(), ceiling);
        QCOMPARE(dialog.GetTimingMode(), int(edid::ModeCustom));
        QCOMPARE(dialog.GetOkButton()->isEnabled(), okEnabled);
        const QString rate = dialog.GetCell(QCustomTimingDialog::RowFrameRate)->GetShownText();
        QCOMPARE(rate, zeroDescriptor ? QStringLiteral("0.00") : QStringLiteral("60.00"));
        if (zeroDescriptor)
            return;
        // 2200 x 1125 at 70 Hz is 173.25 MHz: above 165, within 297.
        auto* rateEdit = qobject_cast<QLineEdit*>(dialog.GetCell(QCustomTimingDialog::RowFrameRate)->GetEditor());
        rateEdit->selectAll();
        QTest::keyClicks(rateEdit, QStringLiteral("70"));
        QCOMPARE(dialog.GetDetailedTiming().pixelClock, 173.25);
        QCOMPARE(dialog.GetOkButton()->isEnabled(), ceiling >= 173.25);
        QCOMPARE(dialog.GetWarningWidget()->IsWarningShown(), ceiling < 173.25);
        QVERIFY(dialog.GetWarningWidget()->GetText().contains(QStringLiteral("173.25 MHz")));
        if (model == 516)
            QVERIFY(lvtest::saveScreenshot(&dialog, QStringLiteral("hdmi_timing_dialog_custom")));
    }

    // A timing whose clock field would be 0 (a display descriptor) is never written.
    void zeroClockRefused()
    {
        DevicePtr device = plugDevice("EDV-45");
        device->setReport(kEdidId, WithTiming(Edid(device), DetailedTiming{0.25, 64, 0, 0, 0, 64, 0, 0, 0}, false));
        QCustomTimingDialog dialog;
        for (const auto& [mode, rate] : {std::pair<int, QString>{edid::ModeCustom, "1"}, {edid::ModeCVT, "24"},
                                         {edid::ModeCVTRB, "13"}}) {
            dialog.GetModeCombo()->setCurrentIndex(mode);
            for (const QString& typed : {rate, QStringLiteral("200")}) {
                auto* edit = qobject_cast<QLineEdit*>(dialog.GetCell(QCustomTimingDialog::RowFrameRate)->GetEditor());
                edit->selectAll();
                QTest::keyClicks(edit, typed);
                QCOMPARE(dialog.GetOkButton()->isEnabled(), typed != rate);
                QCOMPARE(dialog.GetWarningWidget()->IsWarningShown(), typed == rate);
            }
        }
    }

    // An untouched OK writes the clock back as read (148.5 MHz stays 14850).
    void untouchedOkKeepsClock()
    {
        DevicePtr device = plugDevice("EDV-40");
        QCustomTimingDialog dialog;
        const lvemu::Bytes before = Edid(device);
        dialog.OnOKBtnClicked();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(lvemu::Bytes(dialog.GetEDID(), dialog.GetEDID() + 256), before);
    }

    // No whole EDID read: a message, and nothing is sent; leaving HDMI or Cancel send nothing.
    void nothingSentWithoutWholeEdid_data()
    {
        QTest::addColumn<int>("fault");
        QTest::newRow("read fails") << 0;
        QTest::newRow("no header") << 1;
        QTest::newRow("input leaves HDMI") << 2;
        QTest::newRow("cancel") << 3;
        QTest::newRow("short answer") << 4;
    }
    void nothingSentWithoutWholeEdid()
    {
        QFETCH(int, fault);
        DevicePtr device = plugDevice("EDV-50");
        if (fault == 0)
            device->stallReport(kEdidId);
        if (fault == 4)
            device->setShortReply(kEdidId, 1 + 200);
        if (fault == 1) {
            lvemu::Bytes bytes = Edid(device);
            bytes[1] = 0;
            device->setReport(kEdidId, bytes);
        }
        QEDIDInputWidget capture;
        ModalAnswerer answer([&capture, fault](QWidget* modal) {
            if (fault == 2)
                emit capture.videoSignalChanged(false);
            else
                closeModal(modal);
        });
        capture.OnEDIDTiming();
        QCOMPARE(writes(device, kEdidId).size(), 0);
        QCOMPARE(answer.texts, fault < 2 || fault == 4 ? QStringList{QStringLiteral("Read EDID failed!")} : QStringList());
    }

    // A name typed without a suffix is exported as "<name>.bin", which the import's
    // "*.bin" filter shows.
    void exportedNameGetsTheSuffix()
    {
        DevicePtr device = plugDevice("EDV-61");
        QEDIDInputWidget capture;
        QTemporaryDir dir;
        ModalAnswerer answer([&dir](QWidget* modal) {
            modal->findChild<QLineEdit*>("fileNameEdit")->setText(dir.filePath("mine"));
            QMetaObject::invokeMethod(modal, "accept", Qt::QueuedConnection);
        });
        QTest::mouseClick(capture.GetExportButton(), Qt::LeftButton);
        QCOMPARE(QFileInfo(dir.filePath("mine.bin")).size(), qint64(256));
        QVERIFY(!QFile::exists(dir.filePath("mine")));
    }

    void defaultAndExportFailures()
    {
        DevicePtr device = plugDevice("EDV-60");
        const lvemu::Bytes factory = Edid(device);
        QEDIDInputWidget capture;
        QTemporaryDir dir;
        QVERIFY(capture.ImportEDIDFile(WriteFile(dir, "in.bin", QByteArray(256, '\x11'))));
        capture.OnEDIDDefault();
        QCOMPARE(writes(device, kEdidId).last(), lvemu::Bytes(256, 0));
        QCOMPARE(capture.GetText(), edid::TextDump(factory.data()).remove(QLatin1Char('\r')));

        const QString path = dir.filePath("fail.bin");
        device->stallReport(kEdidId);
        QVERIFY(!capture.ExportEDIDFile(path));
        QVERIFY(!QFile::exists(path));               // read checked before the file is touched
        device->stallReport(kEdidId, false);
        QVERIFY(!capture.ExportEDIDFile(dir.filePath("no/such/dir/x.bin")));
        QCOMPARE(edidfile::DefaultFileName(QStringLiteral("A/B\x01:C"), QStringLiteral("..\\7")),
                 QStringLiteral("A_B__C (.._7).bin"));
    }
};

LV_EMULATED_QTEST_MAIN(TstEdidViews)
#include "tst_edidviews.moc"
