#include "shell/htmlreport.h"

#include <QBuffer>
#include <QImage>
#include <QMutexLocker>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextCodec>

#include <atomic>

#include "device/devicetext.h"
#include "device/lumivandrexpresenter.h"
#include "logging/lvlogger.h"
#include "shell/propertypage.h"
#include "toolkit/qwrappermsgbox.h"
#include "toolkit/reportfragment.h"
#include "toolkit/savefilename.h"

namespace {
const QString kCrLf = QStringLiteral("\r\n");

// Style rules of the head, one per line; an empty entry is an empty line.
const char* const kStyleRules[] = {
    "* {box-sizing:border-box}",
    "html,body {height:100%; overflow-y:hidden; overflow-x:auto}",
    "body {scrollbar-face-color: #3f3f3f; scrollbar-highlight-color: #3f3f3f; scrollbar-shadow-color: #3f3f3f; "
    "scrollbar-3dlight-color: #3f3f3f; scrollbar-arrow-color: #3f3f3f; scrollbar-track-color: #2c2c2c; "
    "scrollbar-darkshadow-color: #3f3f3f}",
    "body,dd,dl,dt,h1,h2,h3,h4,h5,h6,hr,li,ol,p,pre,td,th,ul,span {margin:0; padding:0}",
    "body {font-size:14px; font-family: \"Microsoft YaHei\",\"Noto Sans CJK SC\",sans-serif; color:#dadada; "
    "background:#212121}",
    "ul li {list-style:none}",
    "a {text-decoration:none}",
    "a:active,a:hover {outline: 0}",
    ".layout {position: relative; height: 100%}",
    ".layout-header {position:absolute; top:0; left:0; right:0; height:68px; width:100%; background:#3a3a3a}",
    ".header {max-width:1116px; margin:0 auto; padding-right:8px; font-size:18px; color:#9da1a6; line-height:68px}",
    ".header-left {margin-left:-6px}",
    ".header-right {float:right}",
    ".header .logo {margin-right:5px; font-size: 22px; color:#01befe; font-weight: bolder}",
    "",
    ".layout-main {position:absolute; top:68px; right:0; left:0; bottom:0; width:100%; overflow-y:auto}",
    ".main {position:relative; width:1116px; margin:0 auto; padding:22px 80px; background: #2c2c2c}",
    ".main .mod {margin-bottom:28px; padding-bottom:22px; border-bottom: 1px solid #3f3f3f}",
    "",
    ".main h2 {margin-bottom:8px; line-height:1; font-size: 18px; color:#10a2d1; font-weight: normal}",
    ".main table {border:0}",
    ".main table tr td,.main table tr th {padding:5px 0}",
    ".main table tr th {width:400px; font-weight: normal; color:#777777; text-align: left}",
    ".main table tr .sub-title {color: #3a86a7}",
    ".siderBar {position:fixed; width:92px}",
    ".siderBar li {height:34px; margin-bottom:1px; background: #353535; line-height:34px; font-size:16px; "
    "color:#8d8d8d; text-align: center}",
    ".siderBar li a {display:block; border-left:5px solid #353535; color:#8d8d8d}",
    "",
    ".siderBar a.focus {color:#fff; border-left:5px solid #10a2d1; background: #10a2d1}",
    ".siderBar .top {height:39px; position:relative; line-height:1; background:#272727}",
    ".siderBar .top a {height:39px; border-left:5px solid #272727}",
    ".siderBar a:hover {color:#fff; border-left:5px solid #10a2d1}",
    "",
    ".caret {display: inline-block; position:relative; width: 0; height: 0; margin-left: 2px; vertical-align: middle; "
    "border-bottom: 7px dashed #8d8d8d; border-bottom: 7px solid #8d8d8d; border-right: 7px solid transparent; "
    "border-left: 7px solid transparent}",
    ".caret-in {display: inline-block; width: 0; height: 0; position:absolute; top:3px; left: -4px; "
    "vertical-align: middle; border-bottom: 4px dashed #353535; border-bottom: 4px solid #353535; "
    "border-right: 4px solid transparent; border-left: 4px solid transparent}",
    "::-webkit-scrollbar {width: 15px}",
    "::-webkit-scrollbar-track {background-color: #2c2c2c}",
    "::-webkit-scrollbar-thumb {background-color: #3f3f3f; -webkit-border-radius: 10px; border-radius: 10px}",
    "::-webkit-scrollbar-button {background-color: #3f3f3f}",
    "::-webkit-scrollbar-corner {background-color: #3f3f3f}",
    "",
    "@media (max-width: 996px) { .header-left { margin-left:10px } }",
};

// The script after the body: places the side bar beside the main column,
// highlights the clicked entry and follows the heading being read.
const char* const kScript[] = {
    "var EventUtil = {",
    "\taddEvent: function (element, type, handler) {",
    "\t\tif (element.addEventListener) {",
    "\t\t\telement.addEventListener(type, handler, false);",
    "\t\t} else if (element.attachEvent) {",
    "\t\t\telement.attachEvent(\"on\" + type, handler);",
    "\t\t} else {",
    "\t\t\telement[\"on\" + type] = handler;",
    "\t\t}",
    "\t}",
    "};",
    "var navDoms = document.getElementById(\"nav\").getElementsByTagName(\"li\");",
    "function setSiderBar() {",
    "\tvar siderBar = document.getElementById(\"siderBar\");",
    "\tvar main = document.getElementById(\"main\");",
    "\tvar left = main.offsetLeft + 1116 + 20;",
    "\tvar top = document.body.clientHeight / 2 - siderBar.offsetHeight / 2 - 68;",
    "\tif (left + 92 < document.body.clientWidth) {",
    "\t\tsiderBar.style.right = \"\";",
    "\t\tsiderBar.style.left = left + \"px\";",
    "\t} else {",
    "\t\tsiderBar.style.left = \"\";",
    "\t\tsiderBar.style.right = \"30px\";",
    "\t}",
    "\tif (top < 75) {",
    "\t\ttop = 75;",
    "\t}",
    "\tsiderBar.style.top = top + \"px\";",
    "}",
    "window.onload = function () { setSiderBar(); };",
    "window.onresize = function () { setSiderBar(); };",
    "function clearFocus() {",
    "\tfor (var i = 0; i < navDoms.length; i++) {",
    "\t\tnavDoms[i].getElementsByTagName(\"a\")[0].className = \"\";",
    "\t}",
    "}",
    "for (var i = 0; i < navDoms.length; i++) {",
    "\tEventUtil.addEvent(navDoms[i], \"click\", function () {",
    "\t\tclearFocus();",
    "\t\tif (this.className != \"top\") {",
    "\t\t\tthis.getElementsByTagName(\"a\")[0].className = \"focus\";",
    "\t\t} else {",
    "\t\t\tnavDoms[0].getElementsByTagName(\"a\")[0].className = \"focus\";",
    "\t\t}",
    "\t});",
    "}",
    "var layoutMain = document.getElementsByClassName(\"layout-main\")[0];",
    "EventUtil.addEvent(layoutMain, \"scroll\", function () {",
    "\tvar headings = document.getElementsByTagName(\"h2\");",
    "\tfor (var i = 0; i < headings.length; i++) {",
    "\t\tvar offset = headings[i].offsetTop - layoutMain.scrollTop;",
    "\t\tif (offset >= 0 && offset < 100) {",
    "\t\t\tfor (var j = 0; j < navDoms.length; j++) {",
    "\t\t\t\tvar link = navDoms[j].getElementsByTagName(\"a\")[0];",
    "\t\t\t\tvar href = link.getAttribute(\"href\");",
    "\t\t\t\tvar target = href.substring(href.indexOf(\"#\"));",
    "\t\t\t\tif (target.indexOf(\".\") >= 0) {",
    "\t\t\t\t\ttarget = target.substring(0, target.indexOf(\".\"));",
    "\t\t\t\t}",
    "\t\t\t\tlink.className = target == \"#\" + headings[i].id ? \"focus\" : \"\";",
    "\t\t\t}",
    "\t\t}",
    "\t}",
    "});",
};

QString Tabs(int n)
{
    return QString(n, QLatin1Char('\t'));
}

QString LogoBase64()
{
    QImage logo(QStringLiteral(":/Widget/logo"));
    if (logo.isNull()) {
        logo = QImage(24, 24, QImage::Format_ARGB32);
        logo.fill(QColor(QStringLiteral("#01befe")));
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    logo.save(&buffer, "PNG");
    return QString::fromLatin1(png.toBase64());
}

// Notices that the current device went away while the save dialog is open.
// Registered only for the dialog's lifetime; called on the enumeration thread.
class DeviceLossWatch : public ILumivandrexNotify
{
public:
    DeviceLossWatch() { g_presenter.AddNotify(this); }
    ~DeviceLossWatch() { g_presenter.DeleteNotify(this); }
    DeviceLossWatch(const DeviceLossWatch&) = delete;
    DeviceLossWatch& operator=(const DeviceLossWatch&) = delete;

    void OnCurrentDeviceLost(bool) override { m_lost.store(true); }
    bool Lost() const { return m_lost.load(); }

private:
    std::atomic<bool> m_lost{false};
};

void TellUser(QWidget* parent, const QString& text)
{
    QWrapperMsgBox::Ask(MSG_TYPE_WARNING, text, HtmlReport::tr("OK"), QString(), 420, 240, parent);
}
} // namespace

QString HtmlReport::Escape(const QString& text)
{
    return reportfragment::Escape(text);
}

QString HtmlReport::AnchorId(const QString& title)
{
    return reportfragment::AnchorId(title);
}

QString HtmlReport::DefaultFileName(const QString& model, const QString& serial)
{
    QString name = QStringLiteral("%1 (%2)").arg(model, serial);
    // The texts come from the device: keep the file in the folder the dialog
    // starts in and keep the name usable on every file system.
    QString safe;
    safe.reserve(name.size());
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':'))
            safe += QLatin1Char('_');
        else if (c.category() != QChar::Other_Control && c.category() != QChar::Other_Format)
            safe += c;
    }
    while (safe.contains(QLatin1String("..")))
        safe.replace(QLatin1String(".."), QLatin1String("."));
    // Blanks and dots together: " .profile" must not become the hidden ".profile".
    int lead = 0;
    while (lead < safe.size() && (safe.at(lead).isSpace() || safe.at(lead) == QLatin1Char('.')))
        ++lead;
    safe = safe.mid(lead).trimmed();
    return safe.isEmpty() ? QStringLiteral("Report") : safe;
}

QString HtmlReport::BuildDocument(const QString& body, const QDateTime& when)
{
    QString doc;
    doc.reserve(body.size() + 16384);
    doc += QStringLiteral("<!DOCTYPE html>") + kCrLf;
    doc += QStringLiteral("<html lang=\"en\">") + kCrLf;
    doc += Tabs(1) + QStringLiteral("<head>") + kCrLf;
    doc += Tabs(2) + QStringLiteral("<meta charset=\"UTF-8\">") + kCrLf;
    doc += Tabs(2) + QStringLiteral("<meta name=\"viewport\" content=\"width=device-width, initial-scale=1.0\">") + kCrLf;
    doc += Tabs(2) + QStringLiteral("<meta http-equiv=\"X-UA-Compatible\" content=\"ie=edge\">") + kCrLf;
    doc += Tabs(2) + QStringLiteral("<title>Lumivandrex Utility</title>") + kCrLf;
    doc += Tabs(2) + QStringLiteral("<style>") + kCrLf;
    for (const char* rule : kStyleRules)
        doc += Tabs(3) + QString::fromLatin1(rule) + kCrLf;
    doc += Tabs(2) + QStringLiteral("</style>") + kCrLf;
    doc += Tabs(1) + QStringLiteral("</head>") + kCrLf;

    doc += Tabs(1) + QStringLiteral("<body>") + kCrLf;
    doc += Tabs(2) + QStringLiteral("<div class=\"layout\">") + kCrLf;
    doc += Tabs(3) + QStringLiteral("<div class=\"layout-header\">") + kCrLf;
    doc += Tabs(4) + QStringLiteral("<div class=\"header\">") + kCrLf;
    doc += Tabs(5) + QStringLiteral("<div class=\"header-right\"><span class=\"date\">%1</span></div>")
                         .arg(Escape(when.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")))) + kCrLf;
    doc += QString(20, QLatin1Char(' '))
        + QStringLiteral("<div class=\"header-left\"><img src=\"data:image/png;base64,%1\" class=\"logo\"><span>%2</span></div>")
              .arg(LogoBase64(), QStringLiteral("Lumivandrex Utility"))
        + kCrLf;
    doc += Tabs(4) + QStringLiteral("</div>") + kCrLf;
    doc += Tabs(3) + QStringLiteral("</div>") + kCrLf;

    doc += Tabs(3) + QStringLiteral("<div class=\"layout-main\" id=\"layout-main\">") + kCrLf;
    doc += Tabs(4) + QStringLiteral("<div class=\"main\" id=\"main\">") + kCrLf;

    doc += body;

    doc += Tabs(2) + QStringLiteral("<script>") + kCrLf;
    for (const char* line : kScript)
        doc += Tabs(3) + QString::fromLatin1(line) + kCrLf;
    doc += Tabs(2) + QStringLiteral("</script>") + kCrLf;
    doc += Tabs(1) + QStringLiteral("</body>") + kCrLf;
    doc += QStringLiteral("</html>") + kCrLf;
    return doc;
}

bool HtmlReport::WriteDocument(const QString& path, const QString& document, QString* error)
{
    // QSaveFile: a failed write never leaves a half-written report in place of
    // an older one.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    const QByteArray bytes = document.toUtf8();
    if (file.write(bytes) != bytes.size()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

HtmlReport::ExportResult HtmlReport::ExportReport(QWidget* parent, PropertyPage* pages, const FileChooser& chooser)
{
    if (!pages)
        return EXPORT_NO_DEVICE;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);

    tagUSBDEVICE_DATA askedUsb;   // holds its own libusb reference while the dialog is open
    LumivandrexDevice* askedDevice = nullptr;
    QString model;
    QString serial;
    {
        QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
        tagDEVICE_INSTANCE* instance = g_presenter.GetCurrentInstance();
        if (!instance || !instance->device)
            return EXPORT_NO_DEVICE;
        askedUsb = instance->usbData;
        askedDevice = instance->device;
        model = DeviceText(instance->deviceInfo.productName);
        serial = DeviceText(instance->deviceInfo.serialNumber);
    }
    const QString defaultPath = documents + QLatin1Char('/') + DefaultFileName(model, serial) + QStringLiteral(".htm");

    QString path;
    DeviceLossWatch watch;
    const QString caption = tr("Export");
    const QString filter = QStringLiteral("HTML Files(*.htm)");
    path = chooser ? chooser(parent, caption, defaultPath, filter) : AskSaveFileName(parent, caption, defaultPath, filter);
    if (path.isEmpty())
        return EXPORT_CANCELLED;
    // The dialog's filter hides files without the suffix: "myreport" would seem lost.
    path = WithFilterSuffix(path, filter);

    QString body;
    bool sameDevice = false;
    {
        // The dialog ran its own event loop: the device may have gone, or the
        // title bar may have made another one current. The report must describe
        // the device the user asked about, or nothing is written.
        QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
        tagDEVICE_INSTANCE* instance = g_presenter.GetCurrentInstance();
        sameDevice = !watch.Lost() && instance && instance->device == askedDevice
            && instance->usbData.device == askedUsb.device;
        if (sameDevice)
            body = pages->ExportInfo();
    }
    if (!sameDevice || body.isEmpty()) {
        LV_LOG_INFO(QStringLiteral("report not written: the device changed while the file was chosen"));
        TellUser(parent, tr("The device was disconnected or changed. The report was not saved."));
        return EXPORT_DEVICE_CHANGED;
    }

    const QString document = BuildDocument(body, QDateTime::currentDateTime());
    QString error;
    if (!WriteDocument(path, document, &error)) {
        LV_LOG_ERROR(QStringLiteral("report not written to %1: %2").arg(path, error));
        TellUser(parent, tr("Failed to save the report. Please check the file name and the folder."));
        return EXPORT_WRITE_FAILED;
    }
    LV_LOG_INFO(QStringLiteral("report written to %1").arg(path));
    return EXPORT_WRITTEN;
}
