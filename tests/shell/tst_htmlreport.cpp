// The HTML report against the emulated device, read back by an independent HTML
// parser (html5lib, through python3): structure, ids and side-bar links, CR LF
// line ends, escaping of device texts, and the save flow's failure paths.

#include "lvemulatortest.h"
#include "shell1testsupport.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "shell/htmlreport.h"

using namespace shelltest;

namespace {

// Reads a report with html5lib and prints what the test checks as JSON.
const char* const kParser = R"PY(
import json, sys
import html5lib
parser = html5lib.HTMLParser(tree=html5lib.getTreeBuilder("etree"), namespaceHTMLElements=False)
with open(sys.argv[1], "rb") as f:
    doc = parser.parse(f, transport_encoding="utf-8")
def cls(e): return (e.get("class") or "").split()
def text(e): return "".join(e.itertext())
def kids(e, tag=None): return [c for c in list(e) if isinstance(c.tag, str) and (tag is None or c.tag == tag)]
body = doc.find("body")
out = {"errors": [str(x) for x in parser.errors], "bodyChildren": [[c.tag, c.get("class") or "", c.get("id") or ""] for c in kids(body)]}
layout = kids(body)[0]
header = layout.find("./div[@class='layout-header']/div[@class='header']")
out["date"] = text(header.find("./div[@class='header-right']/span[@class='date']"))
left = header.find("./div[@class='header-left']")
img = left.find("img")
out["logo"] = [img.get("class"), (img.get("src") or "")[:22]]
out["programName"] = text(left.find("span"))
main = layout.find("./div[@id='layout-main']/div[@id='main']")
mods = []
for mod in kids(main):
    h2 = mod.find("h2")
    rows = []
    for tr in mod.iter("tr"):
        th = tr.find("th"); td = tr.find("td")
        rows.append([text(th) if th is not None else None, text(td) if td is not None else None, (th.get("class") or "") if th is not None else ""])
    mods.append({"class": mod.get("class"), "id": h2.get("id"), "title": text(h2), "rows": rows,
                 "scripts": len(list(mod.iter("script"))), "elements": sorted({e.tag for e in mod.iter()})})
out["mods"] = mods
side = body.find("./div[@id='siderBar']")
out["nav"] = [{"href": li.find("a").get("href"), "text": text(li.find("a")).strip(), "a": li.find("a").get("class") or "",
               "li": li.get("class") or ""} for li in side.find("ul").findall("li")]
out["scripts"] = len(list(doc.iter("script")))
out["title"] = text(doc.find("head/title"))
out["charset"] = doc.find("head/meta").get("charset")
print(json.dumps(out))
)PY";

QJsonObject ParseReport(const QString& path, QString* error)
{
    QProcess python;
    const QString interpreter = QFile::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
    python.start(interpreter, {"-c", QString::fromLatin1(kParser), path});
    if (!python.waitForFinished(30000) || python.exitCode() != 0) {
        *error = QString::fromUtf8(python.readAllStandardError());
        return {};
    }
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

QString DocumentsPath(const QString& name)
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + '/' + name;
}

} // namespace

class TstHtmlReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void reportParsesWithEscapedDeviceTexts();
    void lineEndsAreCrLf();
    void defaultFileNameIsSafe_data();
    void defaultFileNameIsSafe();
    void nothingWrittenWhenDeviceChanges_data();
    void nothingWrittenWhenDeviceChanges();
    void writeFailureIsReported();
    void cancelAndNoDeviceWriteNothing();
    void typedNameGetsTheSuffix();

private:
    QTemporaryDir m_dir;
};

void TstHtmlReport::initTestCase()
{
    QVERIFY(m_dir.isValid());
    startPresenter();
}

void TstHtmlReport::cleanupTestCase()
{
    g_presenter.Exit();
}

void TstHtmlReport::init()
{
    g_presenter.SetUIChanged(false, UI_CHANGE_IMMEDIATE);
    g_presenter.SetUIChangeType(UI_CHANGE_IMMEDIATE);
}

void TstHtmlReport::reportParsesWithEscapedDeviceTexts()
{
    const std::string hostileName = "<script>alert(\"x\")</script> & <b>Cap</b>";
    const std::string hostileSerial = "../<i>S1</i>";
    auto device = std::make_shared<lvemu::EmulatedDevice>(lvusb::kVendorMain, lvusb::kProductMainSingle, "HR");
    device->setProductName(hostileName);
    device->setSerialNumber(hostileSerial);
    device->setFeatureFlags(0x3);   // HDMI and Timing, no Volume
    lvemu::EmulatedBus::instance().unplugAll();
    QVERIFY(waitForDeviceCount(0));
    lvemu::EmulatedBus::instance().plug(device);
    QVERIFY(waitForDeviceCount(1));
    Harness harness;
    harness.Start();

    QString offeredPath, offeredFilter, caption;
    const QString target = m_dir.filePath("report.htm");
    const auto result = HtmlReport::ExportReport(harness.window.get(), harness.pages,
        [&](QWidget*, const QString& cap, const QString& path, const QString& filter) {
            caption = cap;
            offeredPath = path;
            offeredFilter = filter;
            return target;
        });
    QCOMPARE(result, HtmlReport::EXPORT_WRITTEN);
    QCOMPARE(caption, QStringLiteral("Export"));
    QCOMPARE(offeredFilter, QStringLiteral("HTML Files(*.htm)"));
    QCOMPARE(offeredPath, DocumentsPath(HtmlReport::DefaultFileName(QString::fromStdString(hostileName),
                                                                     QString::fromStdString(hostileSerial)) + ".htm"));
    QCOMPARE(QFileInfo(offeredPath).absolutePath(), QFileInfo(DocumentsPath("x")).absolutePath());

    QString error;
    const QJsonObject report = ParseReport(target, &error);
    QVERIFY2(!report.isEmpty(), qPrintable("html5lib could not read the report: " + error));
    QCOMPARE(report["errors"].toArray().size(), 0);
    QCOMPARE(report["title"].toString(), QStringLiteral("Lumivandrex Utility"));
    QCOMPARE(report["charset"].toString(), QStringLiteral("UTF-8"));
    QCOMPARE(report["programName"].toString(), QStringLiteral("Lumivandrex Utility"));
    QCOMPARE(report["logo"].toArray().at(0).toString(), QStringLiteral("logo"));
    QCOMPARE(report["logo"].toArray().at(1).toString(), QStringLiteral("data:image/png;base64,"));
    QVERIFY(QRegularExpression("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d$").match(report["date"].toString()).hasMatch());

    // body: the layout division, then the side bar, then the one script.
    const QJsonArray bodyChildren = report["bodyChildren"].toArray();
    QCOMPARE(bodyChildren.size(), 3);
    QCOMPARE(bodyChildren.at(0).toArray().at(1).toString(), QStringLiteral("layout"));
    QCOMPARE(bodyChildren.at(1).toArray().at(2).toString(), QStringLiteral("siderBar"));
    QCOMPARE(bodyChildren.at(2).toArray().at(0).toString(), QStringLiteral("script"));
    QCOMPARE(report["scripts"].toInt(), 1);   // the device's "<script>" stayed text

    const QJsonArray mods = report["mods"].toArray();
    QStringList ids, titles;
    for (const QJsonValue& mod : mods) {
        const QJsonObject m = mod.toObject();
        QCOMPARE(m["class"].toString(), QStringLiteral("mod"));
        QCOMPARE(m["scripts"].toInt(), 0);
        QVERIFY2(!m["elements"].toVariant().toStringList().contains("b"), "markup from the device");
        ids << m["id"].toString();
        titles << m["title"].toString();
    }
    const QStringList expected{"Info", "Video", "Input", "HDMI", "Timing", "Advanced"};
    QCOMPARE(ids, expected);
    QCOMPARE(titles, expected);

    const QJsonArray nav = report["nav"].toArray();
    QCOMPARE(nav.size(), expected.size() + 1);
    for (int i = 0; i < expected.size(); ++i) {
        const QJsonObject entry = nav.at(i).toObject();
        QCOMPARE(entry["href"].toString(), "#" + ids.at(i));
        QCOMPARE(entry["text"].toString(), expected.at(i));
        QCOMPARE(entry["a"].toString(), i == 0 ? QStringLiteral("focus") : QString());
    }
    QCOMPARE(nav.last().toObject()["li"].toString(), QStringLiteral("top"));
    QCOMPARE(nav.last().toObject()["href"].toString(), QStringLiteral("#main"));
    QCOMPARE(nav.last().toObject()["text"].toString(), QStringLiteral("Top"));

    // The device texts arrive as the very same text, not as markup.
    QMap<QString, QString> info;
    for (const QJsonValue& row : mods.at(0).toObject()["rows"].toArray())
        info[row.toArray().at(0).toString()] = row.toArray().at(1).toString();
    QCOMPARE(info.value("Product name:"), QString::fromStdString(hostileName));
    QCOMPARE(info.value("Serial number:"), QString::fromStdString(hostileSerial));
    QCOMPARE(info.value("Firmware version:"), QStringLiteral("1.2.3"));
    QCOMPARE(info.value("USB speed:"), QStringLiteral("USB 3.0"));
}

void TstHtmlReport::lineEndsAreCrLf()
{
    plugFresh({"HR-0002"});
    Harness harness;
    harness.Start();
    const QString target = m_dir.filePath("lines.htm");
    QCOMPARE(HtmlReport::ExportReport(harness.window.get(), harness.pages,
                                      [&](QWidget*, const QString&, const QString&, const QString&) { return target; }),
             HtmlReport::EXPORT_WRITTEN);
    QFile file(target);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("<!DOCTYPE html>\r\n<html lang=\"en\">\r\n\t<head>\r\n"));
    QVERIFY(bytes.endsWith("\t</body>\r\n</html>\r\n"));
    for (int i = 0; i < bytes.size(); ++i) {
        if (bytes.at(i) == '\n')
            QVERIFY2(i > 0 && bytes.at(i - 1) == '\r', qPrintable(QString("bare LF at %1").arg(i)));
        if (bytes.at(i) == '\r')
            QVERIFY2(i + 1 < bytes.size() && bytes.at(i + 1) == '\n', qPrintable(QString("bare CR at %1").arg(i)));
    }
    QVERIFY(bytes.contains("\r\n<div class=\"mod\">\r\n<h2 id=\"Info\">Info</h2>\r\n<table>\r\n"));
    QVERIFY(bytes.contains("<li><a href=\"#Info\" class=\"focus\">Info</a></li>\r\n"));
    QVERIFY(bytes.contains("</table></div>\r\n</div>\r\n</div>\r\n</div>\r\n<div class=\"siderBar\" id=\"siderBar\">"));
}

void TstHtmlReport::defaultFileNameIsSafe_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("serial");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "Capture HDMI" << "A123" << "Capture HDMI (A123)";
    QTest::newRow("separators") << "a/b\\c" << "x:y" << "a_b_c (x_y)";
    QTest::newRow("parent folder") << "../../etc" << ".." << "_._etc (.)";
    QTest::newRow("leading dots") << "..hidden" << "1" << "hidden (1)";
    QTest::newRow("blank then dot") << " .profile" << "x" << "profile (x)";
    QTest::newRow("dots and blanks mixed") << ". . .rc" << "y" << "rc (y)";
    QTest::newRow("control characters") << QString("A\tB\x01") << "2" << "AB (2)";
}

void TstHtmlReport::defaultFileNameIsSafe()
{
    QFETCH(QString, model);
    QFETCH(QString, serial);
    QFETCH(QString, expected);
    const QString name = HtmlReport::DefaultFileName(model, serial);
    QCOMPARE(name, expected);
    QVERIFY(!name.contains('/'));
    QVERIFY(!name.contains(".."));
}

void TstHtmlReport::nothingWrittenWhenDeviceChanges_data()
{
    QTest::addColumn<bool>("secondDevice");
    QTest::newRow("device unplugged") << false;
    QTest::newRow("another device became current") << true;
}

void TstHtmlReport::nothingWrittenWhenDeviceChanges()
{
    QFETCH(bool, secondDevice);
    auto devices = secondDevice ? plugFresh({"HR-0011", "HR-0012"}) : plugFresh({"HR-0011"});
    Harness harness;
    harness.Start();
    BoxAnswerer answerer;
    answerer.Expect(BoxAnswerer::ClickOk);
    const QString target = m_dir.filePath(secondDevice ? "other.htm" : "gone.htm");
    bool settled = false;

    const auto result = HtmlReport::ExportReport(harness.window.get(), harness.pages,
        [&](QWidget*, const QString&, const QString&, const QString&) {
            lvemu::EmulatedBus::instance().unplug(devices[0]);
            // The title bar makes the remaining device current meanwhile.
            if (secondDevice)
                settled = QTest::qWaitFor([&] { return harness.title->GetTitleText().endsWith("(HR-0012)"); }, 8000);
            else
                settled = QTest::qWaitFor([] { return deviceCount() == 0; }, 8000);
            return target;
        });
    QVERIFY(settled);
    QCOMPARE(result, HtmlReport::EXPORT_DEVICE_CHANGED);
    QVERIFY(!QFile::exists(target));
    QTRY_COMPARE(answerer.SeenBoxes().size(), 1);
    QCOMPARE(answerer.SeenBoxes().first().text,
             QStringLiteral("The device was disconnected or changed. The report was not saved."));
    if (secondDevice)
        QCOMPARE(g_presenter.GetCurrentIndex(), 0);
}

void TstHtmlReport::writeFailureIsReported()
{
    plugFresh({"HR-0021"});
    Harness harness;
    harness.Start();
    BoxAnswerer answerer;
    answerer.Expect(BoxAnswerer::ClickOk);
    const QString target = m_dir.filePath("missing-folder/report.htm");
    QCOMPARE(HtmlReport::ExportReport(harness.window.get(), harness.pages,
                                      [&](QWidget*, const QString&, const QString&, const QString&) { return target; }),
             HtmlReport::EXPORT_WRITE_FAILED);
    QVERIFY(!QFile::exists(target));
    QTRY_COMPARE(answerer.SeenBoxes().size(), 1);
    QVERIFY(answerer.SeenBoxes().first().text.startsWith("Failed to save the report."));

    // An existing report is replaced whole.
    const QString existing = m_dir.filePath("existing.htm");
    QFile old(existing);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(200000, 'x'));
    old.close();
    QVERIFY(HtmlReport::WriteDocument(existing, "<!DOCTYPE html>\r\n"));
    QCOMPARE(QFileInfo(existing).size(), qint64(17));
}

void TstHtmlReport::cancelAndNoDeviceWriteNothing()
{
    plugFresh({"HR-0031"});
    Harness harness;
    harness.Start();
    BoxAnswerer answerer;
    int asked = 0;
    const auto cancel = [&](QWidget*, const QString&, const QString&, const QString&) {
        ++asked;
        return QString();
    };
    QCOMPARE(HtmlReport::ExportReport(harness.window.get(), harness.pages, cancel), HtmlReport::EXPORT_CANCELLED);
    QCOMPARE(asked, 1);

    lvemu::EmulatedBus::instance().unplugAll();
    QVERIFY(waitForDeviceCount(0));
    QTRY_COMPARE(harness.pages->GetTabWidget()->count(), 1);
    QCOMPARE(HtmlReport::ExportReport(harness.window.get(), harness.pages, cancel), HtmlReport::EXPORT_NO_DEVICE);
    QCOMPARE(asked, 1);   // no dialog without a device
    QVERIFY(answerer.SeenBoxes().isEmpty());
}

void TstHtmlReport::typedNameGetsTheSuffix()
{
    plugFresh({"HR-0041"});
    Harness harness;
    harness.Start();
    BoxAnswerer answerer;
    const QString typed = m_dir.filePath("myreport");
    QCOMPARE(HtmlReport::ExportReport(harness.window.get(), harness.pages,
                                      [&](QWidget*, const QString&, const QString&, const QString&) { return typed; }),
             HtmlReport::EXPORT_WRITTEN);
    QVERIFY(QFile::exists(typed + ".htm"));
    QVERIFY(!QFile::exists(typed));
}

LV_EMULATED_QTEST_MAIN(TstHtmlReport)
#include "tst_htmlreport.moc"
