// Every text whole at the looks the ini allows (English and Chinese, 14 and 20 pixels,
// bold or not): the main window against the emulated device with all seven tabs, each
// page and inner tab, the update cell's states, and every message box and dialog the
// device reaches, opened as a user would and measured while shown. The measuring
// rules are checked first on widgets made cut and made whole.
//
// Each look prints its count and every cut text; the window with the most cuts is saved
// as <screenshots>/wholetexts_<look>_{window,dialog}.png with them outlined, and with
// LV_WHOLETEXTS_EVERY_SHOT set, every window measured.

#include "lvemulatortest.h"
#include "lvmainwindowrun.h"
#include "lvtextaudit.h"

#include <QFileDialog>
#include <QMenu>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryFile>
#include <QTranslator>

#include "device/reportaccess.h"
#include "formateditors/qcolorspacewidget.h"
#include "formateditors/qcustomfpsdialog.h"
#include "formateditors/qcustomresolutionswidget.h"
#include "formateditors/qcustomsizedialog.h"
#include "formateditors/qframeratewidget.h"
#include "formateditors/qimagesizewidget.h"
#include "formateditors/qresolutiondialog.h"
#include "settingspages/wtabpageadvanced.h"
#include "settingspages/wtabpagetiming.h"
#include "shell/htmlreport.h"
#include "shell/lumivandrexutility.h"
#include "shell/propertypage.h"
#include "shell/settingsbar.h"
#include "shell/titlebar.h"
#include "shell/wsetbtn.h"
#include "shell/wtabwidget.h"
#include "statuspages/wtabpagehdmi.h"
#include "statuspages/wtabpageinfo.h"
#include "timingeditors/qadjusttimingwidget.h"
#include "timingeditors/qcustomtimingdialog.h"
#include "timingeditors/qedidinputwidget.h"
#include "timingeditors/qtimingcellwidget.h"
#include "toolkit/cfocusmanager.h"
#include "toolkit/qtablewid.h"
#include "toolkit/qwrappermsgbox.h"
#include "toolkit/qwrapperstack.h"
#include "toolkit/qwrappertablewidget.h"
#include "toolkit/textfit.h"
#include "toolkit/wcombobox.h"
#include "update/appupgradedialog.h"
#include "update/firmwarefilecheck.h"
#include "update/updatemanager.h"

namespace {

// A widget made for the rule check, inside a shown 400 x 200 host.
struct RuleCase {
    const char* name;
    const char* rule;   // the rule that must report it; empty: whole
    std::function<QWidget*(QWidget*)> make;
};

QFont Font(int pixels, bool bold = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

template <typename W>
W* Sized(W* w, int width = -1, int height = -1)
{
    w->adjustSize();
    w->resize(width < 0 ? w->width() : width, height < 0 ? w->height() : height);
    return w;
}

QLabel* Label(QWidget* host, const QString& text, int pixels = 14, bool bold = false)
{
    auto* label = new QLabel(text, host);
    label->setFont(Font(pixels, bold));
    return label;
}

QLabel* Wrapped(QWidget* host, const QString& text, int heightDivisor)
{
    QLabel* label = Label(host, text);
    label->setWordWrap(true);
    return Sized(label, 120, label->heightForWidth(120) / heightDivisor);
}

QTabBar* Tabs(QWidget* host, const char* sheet)
{
    auto* tabs = new QTabBar(host);
    tabs->addTab(QStringLiteral("Advanced"));
    tabs->setStyleSheet(QString::fromLatin1(sheet));
    return Sized(tabs);
}

QTextEdit* TextView(QWidget* host, int lines)
{
    auto* view = new QTextEdit(host);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setPlainText(QStringLiteral("00 FF FF FF FF FF FF 00\n").repeated(lines));
    view->resize(300, 120);
    return view;
}

// Whether a text may be drawn below the chosen size: the small print keeps its own (slider
// scales 11 px, panel titles and slider values bold 12 px, byte dumps in 15 px Courier);
// at a large font, a text the fitter made smaller, and the title and tabs that fit theirs.
bool MayBeSmaller(const QWidget* w, int chosen, int given, const QWidget* titleBar)
{
    return given == 11 || (given == 12 && w->font().bold()) || (given == 15 && w->font().family().contains("Courier"))
           || (chosen > 14 && (given >= chosen || qobject_cast<const QTabBar*>(w) || titleBar->isAncestorOf(w)));
}

const QString kLong = QStringLiteral("This operation will use default settings after reconnecting the device.");

const std::vector<RuleCase>& RuleCases()
{
    static const std::vector<RuleCase> cases = {
        {"label whole", "", [](QWidget* h) { return Sized(Label(h, "Aspect ratio :")); }},
        {"label narrow", "width", [](QWidget* h) { return Sized(Label(h, "Aspect ratio :"), 60); }},
        {"label cut at its left", "width", [](QWidget* h) {
             QLabel* l = Sized(Label(h, "Color format :"), 50);
             l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
             return l;
         }},
        {"capitals at the descender's height", "", [](QWidget* h) {
             QLabel* l = Label(h, "HEADPHONES", 20, true);
             return Sized(l, -1, l->fontMetrics().height() - 8);
         }},
        {"descender cut", "clipped", [](QWidget* h) {
             QLabel* l = Label(h, "Headphones", 20, true);
             return Sized(l, -1, l->fontMetrics().height() - 8);
         }},
        {"wrapped whole", "", [](QWidget* h) { return Wrapped(h, kLong, 1); }},
        {"wrapped short", "height", [](QWidget* h) { return Wrapped(h, kLong, 2); }},
        {"rich whole", "", [](QWidget* h) { return Sized(Label(h, "<p style='line-height: 18px'><b>Bold</b> and not</p>")); }},
        {"rich narrow", "width", [](QWidget* h) { return Sized(Label(h, "<b>Bold</b> and not"), 60); }},
        {"rich wrapped short", "height", [](QWidget* h) { return Wrapped(h, "<p>" + kLong + "</p>", 2); }},
        {"rich line box taller than its glyphs", "", [](QWidget* h) {
             QLabel* l = Sized(Label(h, "<p>HEADPHONES</p>", 20, true));
             return Sized(l, -1, l->height() - 3);
         }},
        {"rich descender cut", "height", [](QWidget* h) {
             QLabel* l = Sized(Label(h, "<p>Headphones</p>", 20, true));
             return Sized(l, -1, l->fontMetrics().ascent() + 1);
         }},
        {"elided with tooltip", "", [](QWidget* h) {
             QLabel* l = Sized(Label(h, QStringLiteral("Capture dev\u2026")));
             l->setToolTip(QStringLiteral("Capture device"));
             return l;
         }},
        {"elided without tooltip", "elided", [](QWidget* h) { return Sized(Label(h, QStringLiteral("Capture dev\u2026"))); }},
        {"push button whole", "", [](QWidget* h) { return Sized(new QPushButton("Import...", h)); }},
        {"push button narrow", "width", [](QWidget* h) {
             auto* b = new QPushButton("Import...", h);
             return Sized(b, b->fontMetrics().horizontalAdvance(b->text()));
         }},
        {"check box whole", "", [](QWidget* h) { return Sized(new QCheckBox("Link with video", h)); }},
        {"check box narrow", "width", [](QWidget* h) { return Sized(new QCheckBox("Link with video", h), 60); }},
        {"line edit whole", "", [](QWidget* h) { return Sized(new QLineEdit("1920 Pix", h), 100); }},
        {"line edit narrow", "width", [](QWidget* h) { return Sized(new QLineEdit("1920 Pix", h), 40); }},
        {"combo box whole", "", [](QWidget* h) {
             auto* c = new QComboBox(h);
             c->addItem("Automatic");
             return Sized(c);
         }},
        {"combo box narrow", "width", [](QWidget* h) {
             auto* c = new QComboBox(h);
             c->addItem("Automatic");
             return Sized(c, 50);
         }},
        {"tab whole", "", [](QWidget* h) { return Tabs(h, ""); }},
        {"tab narrow", "width", [](QWidget* h) { return Tabs(h, "QTabBar::tab{width: 30px}"); }},
        {"text view whole", "", [](QWidget* h) { return TextView(h, 2); }},
        {"text view without its scroll bar", "height", [](QWidget* h) { return TextView(h, 20); }},
        {"label outside its parent", "outside parent", [](QWidget* h) {
             QLabel* l = Sized(Label(h, "Status image :"));
             l->move(400 - l->width() / 2, 10);
             return l;
         }},
    };
    return cases;
}

// One thing the device reaches that runs modally: `open` returns once it is closed;
// `steps` walks the first window through its states, measuring each with `measure`.
using Measure = std::function<void(QWidget*, const QString&)>;
struct Opening {
    const char* name;
    std::function<void()> open;
    std::function<void(QWidget*, const Measure&)> steps;
    bool acceptBoxes = false;   // answer the boxes with OK (else they are rejected)
};

} // namespace

class TstWholeTexts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void cleanupTestCase();
    void rulesMeasureWhatIsCut_data();
    void rulesMeasureWhatIsCut();
    void everyTextWhole_data();
    void everyTextWhole();
    void textShownAgainTakesItsGroupsSize();

private:
    void StartWindow(const QString& serial);
    void StopWindow();
    void Record(QWidget* root, const QString& where);
    void RecordPages();
    void RecordPage(QWidget* page, const QString& state = QString());
    void RecordModal(const Opening& opening);
    std::vector<Opening> Openings();

    LumivandrexUtility* m_window = nullptr;
    std::shared_ptr<lvemu::EmulatedDevice> m_device;
    std::shared_ptr<lvemu::EmulatedDevice> m_second;
    QString m_serial;
    QTemporaryFile m_notAnEdid;
    QString m_look;
    QMap<QString, QString> m_cuts;   // window, place and description -> where first seen and description
    QMap<QString, QString> m_shrunk;   // texts drawn smaller than they were given, likewise
    QMap<QWidget*, QString> m_mixed;   // groups whose texts were seen at more than one size
    QSet<QWidget*> m_groups;
    QSet<QString> m_belowChosen;       // texts drawn smaller than the chosen size
    QMap<QString, QString> m_tooSmall;   // those of them neither small print nor fitted, likewise
    QStringList m_unreached;
    int m_worst[2] = {};             // most cuts in one look: main window, other windows
};

void TstWholeTexts::initTestCase()
{
    QApplication::setQuitOnLastWindowClosed(false);
    QVERIFY(m_notAnEdid.open());
    m_notAnEdid.write("not an EDID");
    m_notAnEdid.flush();
}

void TstWholeTexts::cleanup()
{
    StopWindow();
    g_presenter.SetUIChanged(false, UI_CHANGE_IMMEDIATE);
    lvemu::EmulatedBus::instance().unplugAll();
}

void TstWholeTexts::cleanupTestCase()
{
    qApp->setStyleSheet(QString());
}

void TstWholeTexts::rulesMeasureWhatIsCut_data()
{
    QTest::addColumn<int>("index");
    for (size_t i = 0; i < RuleCases().size(); ++i)
        QTest::newRow(RuleCases()[i].name) << int(i);
}

// The counter cannot pass by measuring nothing: each rule reports a widget made cut,
// and leaves one made whole alone.
void TstWholeTexts::rulesMeasureWhatIsCut()
{
    QFETCH(int, index);
    const RuleCase& c = RuleCases()[size_t(index)];
    QWidget host;
    host.setFont(Font(14));
    host.resize(400, 200);
    QWidget* made = c.make(&host);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    QStringList rules;
    for (const lvtest::CutText& cut : lvtest::findCutTexts(&host)) {
        QCOMPARE(cut.widget.data(), made);
        rules << cut.rules;
        qInfo("%s", qPrintable(cut.description));
    }
    QCOMPARE(rules.isEmpty(), !*c.rule);
    QVERIFY2(!*c.rule || rules.contains(QLatin1String(c.rule)), qPrintable(rules.join(", ")));
}

void TstWholeTexts::everyTextWhole_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("chinese");
    for (bool chinese : {false, true})
        for (int size : {14, 20})
            for (bool bold : {false, true})
                QTest::addRow("%s %d%s", chinese ? "zh" : "en", size, bold ? " bold" : "") << size << bold << chinese;
}

void TstWholeTexts::everyTextWhole()
{
    QFETCH(int, size);
    QFETCH(bool, bold);
    QFETCH(bool, chinese);
    m_look = QString::fromLatin1(QTest::currentDataTag());
    QTranslator zh;
    QVERIFY(!chinese || (zh.load(QStringLiteral(":/Trans/trans_zh")) && QCoreApplication::installTranslator(&zh)));
    qApp->setStyleSheet(LoadStyleSheet(QStringLiteral(":/lumivandrexutility.qss")));
    ApplyStartupLook({size, bold, chinese});
    m_cuts.clear();
    m_shrunk.clear();
    m_mixed.clear();
    m_groups.clear();
    m_belowChosen.clear();
    m_tooSmall.clear();
    m_unreached.clear();
    m_worst[0] = m_worst[1] = 0;

    StartWindow(QStringLiteral("TXT%1%2%3").arg(size).arg(bold).arg(chinese));
    if (QTest::currentTestFailed())
        return;
    RecordPages();
    for (const Opening& opening : Openings())
        RecordModal(opening);
    StopWindow();
    QCoreApplication::removeTranslator(&zh);

    qInfo("%s: %d cut, %d below the chosen size, %d shrunk, %d groups of mixed sizes", qPrintable(m_look),
          m_cuts.size(), m_belowChosen.size(), m_shrunk.size(), m_mixed.size());
    for (const QString& line : m_cuts.values() + m_tooSmall.values() + m_shrunk.values() + m_mixed.values())
        qInfo("  %s", qPrintable(line));
    QVERIFY2(m_unreached.isEmpty(), qPrintable("not reached: " + m_unreached.join(", ")));
    QCOMPARE(m_cuts.size(), 0);
    QCOMPARE(m_tooSmall.size(), 0);
    // Texts that belong together share one size (table columns, form columns, tab rows
    // are found on every look); at the default size, bold too, nothing is made smaller.
    QVERIFY2(m_groups.size() >= 75, qPrintable(QString::number(m_groups.size())));
    QCOMPARE(m_mixed.size(), 0);
    QVERIFY(size != 14 || m_shrunk.isEmpty());
}

// A text hidden while its column shrank, then grew, takes the column's size when shown.
void TstWholeTexts::textShownAgainTakesItsGroupsSize()
{
    ApplyStartupLook({20, false, false});
    QWidget host;
    auto* column = new QGridLayout(&host);
    const QList<QLabel*> labels = {Label(&host, "Short", 20), Label(&host, "Short", 20)};
    for (QLabel* label : labels)   // sizes that showing the other does not change
        label->setFixedSize(100, 30), column->addWidget(label, column->count(), 0);
    host.show();
    for (const char* text : {"A text much too long for it", "Short"}) {
        labels[1]->hide();
        labels[0]->setText(QLatin1String(text));
        QTRY_COMPARE(QFontInfo(labels[0]->font()).pixelSize() < 20, text[0] == 'A');
        labels[1]->show();
        QTRY_COMPARE(QFontInfo(labels[1]->font()).pixelSize(), QFontInfo(labels[0]->font()).pixelSize());
    }
}

// What main() does around the event loop.
void TstWholeTexts::StartWindow(const QString& serial)
{
    m_serial = serial;
    m_device = lvemu::EmulatedBus::instance().plug(lvusb::kVendorMain, lvusb::kProductMainSingle, serial.toStdString());
    m_device->setFeatureFlags(0x7);
    m_window = lvtest::startMainWindow();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    QTRY_COMPARE(m_window->GetPropertyPage()->GetTabWidget()->count(), 7);
    QTest::qWait(100);   // the pages built after the first paint
}

void TstWholeTexts::StopWindow()
{
    lvtest::stopMainWindow(m_window);
}

// Measures a shown window; every cut text is kept once per look, and the window with
// the most cuts (main window, other windows) is saved with them outlined.
void TstWholeTexts::Record(QWidget* root, const QString& where)
{
    QCoreApplication::processEvents();
    const QList<lvtest::CutText> cuts = lvtest::findCutTexts(root);
    for (const lvtest::CutText& cut : cuts) {
        // Once per window and place: a page shows its bars again, a dialog rebuilds its rows.
        const QPoint at = cut.widget->mapTo(root, QPoint());
        const QString key = QStringLiteral("%1 %2,%3 ").arg(QLatin1String(root->metaObject()->className())).arg(at.x()).arg(at.y());
        if (!m_cuts.contains(key + cut.description))
            m_cuts.insert(key + cut.description, where + ": " + cut.description);
    }
    QMap<QWidget*, QMap<int, QStringList>> groups;   // group (its first widget) -> size -> texts
    for (const lvtest::DrawnText& drawn : lvtest::drawnTexts(root)) {
        const QString key = QStringLiteral("%1 \"%2\"").arg(QLatin1String(drawn.widget->metaObject()->className()), drawn.text);
        if (drawn.pixels < drawn.given && !m_shrunk.contains(key))
            m_shrunk.insert(key, QStringLiteral("%1: %2 drawn at %3 px, given %4").arg(where, key).arg(drawn.pixels).arg(drawn.given));
        const int chosen = QApplication::font().pixelSize();
        if (drawn.pixels < chosen)
            m_belowChosen.insert(key);
        if (drawn.pixels < chosen && !MayBeSmaller(drawn.widget, chosen, drawn.given, m_window->GetTitleBar()) && !m_tooSmall.contains(key))
            m_tooSmall.insert(key, QStringLiteral("%1: %2 drawn at %3 px, given %4").arg(where, key).arg(drawn.pixels).arg(drawn.given));
        const QList<QWidget*> group = TextGroupOf(drawn.widget);
        if (group.size() > 1)
            groups[group.first()][drawn.pixels] << drawn.text;
    }
    for (auto group = groups.cbegin(); group != groups.cend(); ++group) {
        QStringList sizes;
        for (auto size = group->cbegin(); size != group->cend(); ++size)
            sizes << QStringLiteral("%1 px: %2").arg(size.key()).arg(size->join(QStringLiteral(", ")));
        m_groups.insert(group.key());
        if (sizes.size() > 1 && !m_mixed.contains(group.key()))
            m_mixed.insert(group.key(), where + ": one group at " + sizes.join(QStringLiteral("; ")));
    }
    int& worst = m_worst[root == m_window ? 0 : 1];
    if (qEnvironmentVariableIsSet("LV_WHOLETEXTS_EVERY_SHOT")) {   // every window, for a person to look at
        QString name = QStringLiteral("wholetexts_%1_%2").arg(m_look, where);
        lvtest::saveCutScreenshot(root, cuts, name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]+")), "_"));
    }
    if (cuts.size() > worst) {
        worst = cuts.size();
        QString name = QStringLiteral("wholetexts_%1_%2").arg(m_look, root == m_window ? "window" : "dialog");
        lvtest::saveCutScreenshot(root, cuts, name.replace(' ', '_'));
    }
}

// Every page, every inner tab of its tab stacks, and the Info page's update cell in each state.
void TstWholeTexts::RecordPages()
{
    QTabWidget* tabs = m_window->GetPropertyPage()->GetTabWidget();
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        RecordPage(tabs->widget(i));
    }
    tabs->setCurrentIndex(0);
    QWrapperTableWidget* table = m_window->GetPropertyPage()->GetInfoPage()->GetInfoTable();
    const int state = table->GetOptType();
    for (int cell = OPT_UI_CHECK; cell <= OPT_UI_UPSUCCESS; ++cell) {
        table->SetUpgradeOptType(cell, QStringLiteral("2.5.17"), QString(), false);
        Record(m_window, QStringLiteral("WTabPageInfo / update cell %1").arg(cell));
    }
    table->SetUpgradeOptType(state, QString(), QString(), false);
}

// The shown page and each tab of its tab stacks.
void TstWholeTexts::RecordPage(QWidget* page, const QString& state)
{
    const QString name = QLatin1String(page->metaObject()->className()) + state;
    Record(m_window, name);
    const QList<QWrapperStack*> stacks = page->findChildren<QWrapperStack*>();
    for (int s = 0; s < stacks.size(); ++s) {
        for (int tab = 1; tab < stacks[s]->GetStackCount(); ++tab) {
            stacks[s]->GetStackTabBtn(tab)->click();
            Record(m_window, QStringLiteral("%1 / stack %2 tab %3").arg(name).arg(s).arg(tab));
        }
        stacks[s]->GetStackTabBtn(0)->click();
    }
}

// Runs the opening; every window it brings up is measured (its states with `steps`),
// then closed: a file dialog is answered with a file that is not an EDID.
void TstWholeTexts::RecordModal(const Opening& opening)
{
    int seen = 0;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        QWidget* shown = QApplication::activeModalWidget();
        if (!shown || !shown->isVisible() || shown->property("wholetexts_seen").toBool())
            return;
        shown->setProperty("wholetexts_seen", true);
        if (auto* files = qobject_cast<QFileDialog*>(shown)) {
            files->selectFile(m_notAnEdid.fileName());
            QMetaObject::invokeMethod(files, "accept");
            return;
        }
        const QString where = QLatin1String(opening.name) + (seen++ ? QStringLiteral(" / then") : QString());
        Record(shown, where);
        if (seen == 1 && opening.steps)
            opening.steps(shown, [&](QWidget* w, const QString& state) { Record(w, where + " / " + state); });
        auto* box = qobject_cast<QWrapperMsgBox*>(shown);
        if (box && opening.acceptBoxes)
            box->OnOKClicked();
        else if (auto* dialog = qobject_cast<QDialog*>(shown))
            dialog->reject();
    });
    poll.start(5);
    opening.open();
    QTRY_VERIFY_WITH_TIMEOUT(!QApplication::activeModalWidget(), 2000);
    if (!seen)
        m_unreached << QLatin1String(opening.name);
}

std::vector<Opening> TstWholeTexts::Openings()
{
    PropertyPage* pages = m_window->GetPropertyPage();
    WTabPageInfo* info = pages->GetInfoPage();
    WTabPageAdvanced* advanced = pages->GetAdvancedPage();
    WTabPageTiming* timing = pages->GetTimingPage();
    QEDIDInputWidget* edid = pages->GetHdmiPage()->GetCaptureView();
    const auto show = [pages](QWidget* page) { pages->GetTabWidget()->setCurrentWidget(page); };
    return {
        {"Reset to Defaults question", [this] { m_window->GetSettingsBar()->GetDefaultButton()->click(); }, {}},
        {"stop downloading question", [info] { info->onClickFirmwareOpt(OPT_UI_DOWNLOADING); }, {}, true},
        {"firmware release notes", [info] { info->onClickFirmwareInfo(); }, {}},
        {"firmware update dialog",
         [info] { info->onClickFirmwareOpt(OPT_UI_UPGRADE); },
         [info](QWidget* w, const Measure& measure) {
             auto* dialog = qobject_cast<WFirmwareUpgradeDlg*>(w);
             QVERIFY(dialog);
             for (int page = WFirmwareUpgradeDlg::PageProgress; page < WFirmwareUpgradeDlg::PageCount; ++page) {
                 dialog->SetFailureDetail(CUpdateManager::UpgradeRefusalText(KVF_OLDER_VERSION));
                 dialog->SetCurrentStack(page);
                 measure(w, QStringLiteral("page %1").arg(page));
             }
             info->onStatusChangedUpgrade(2, 30);   // erasing: the closing asks about the device
             dialog->SetCurrentStack(WFirmwareUpgradeDlg::PageFailed);
         },
         true},
        {"About box", [this] { m_window->OnShowAboutDialog(); }, {}},
        {"software update dialog", [this] { m_window->OnUpgradeDialog(); },
         [](QWidget* w, const Measure& measure) {
             auto* dialog = qobject_cast<AppUpgradeDialog*>(w);
             QVERIFY(dialog);
             emit g_updateManager.statusChangedCheckSoftware(0);
             measure(w, "connection failed");
             const auto atLookSize = [](const QList<QWidget*>& texts) {   // the look's weight, its size or the one given
                 for (QWidget* text : texts)
                     QVERIFY(QFontInfo(text->font()).bold() == QApplication::font().bold() && QFontInfo(text->font()).pixelSize()
                             >= qMax(QApplication::font().pixelSize(), text->property("lvFitBaseFont").value<QFont>().pixelSize()));
             };
             atLookSize(dialog->GetCheckWindow()->findChildren<QWidget*>());
             emit g_updateManager.statusChangedCheckSoftware(2);
             measure(w, "up to date");
             atLookSize(dialog->GetCheckWindow()->findChildren<QWidget*>());
             PackageInfo offer = {};
             qstrcpy(offer.version, "3.1.0.31000");
             qstrcpy(offer.changeLog, "3.1.0##Faster start##Fewer clicks");
             dialog->onCheckNeedUpdate(&offer);
             measure(w, "offer");
             emit g_updateManager.statusChangedDownloadSoftware(1, 50);
             measure(w, "downloading");
             emit g_updateManager.statusChangedDownloadSoftware(0, -1);
             measure(w, "download failed");
             atLookSize(dialog->GetDownloadWindow()->findChildren<QWidget*>(QStringLiteral("btn_dialog")));
         }},
        {"EDID timing dialog", [=] { show(pages->GetHdmiPage()); edid->OnEDIDTiming(); },
         [](QWidget* w, const Measure& measure) {
             auto* dialog = qobject_cast<QCustomTimingDialog*>(w);
             QVERIFY(dialog);
             // The value column, edited and computed alike, takes one size: 18 px at least at 20.
             const auto oneSize = [dialog] {
                 QStringList sizes;
                 for (int row = 0; row < QCustomTimingDialog::RowCount; ++row)
                     for (QWidget* text : dialog->GetCell(row)->findChildren<QWidget*>())
                         if (qobject_cast<QLabel*>(text) || qobject_cast<QLineEdit*>(text))
                             sizes << QString::number(QFontInfo(text->font()).pixelSize());
                 sizes.removeDuplicates();
                 QVERIFY2(sizes.size() == 1 && sizes[0].toInt() >= qMin(18, QApplication::font().pixelSize()),
                          qPrintable(sizes.join(QStringLiteral(" px, "))));
             };
             WComboBox* modes = dialog->GetModeCombo();
             oneSize();
             for (int mode = 1; mode < modes->count(); ++mode) {
                 modes->setCurrentIndex(mode);
                 measure(w, QStringLiteral("mode %1").arg(mode));
                 oneSize();
             }
         }},
        {"EDID import error", [=] { edid->OnEDIDImport(); }, {}},
        {"custom timing overwrite question", [this, timing] {
             auto list = m_device->record<_KVCAP_VIDEO_CUSTOM_TIMING_LIST>(uint8_t(ReportIdOf<_KVCAP_VIDEO_CUSTOM_TIMING_LIST>()));
             timing->GetAdjustTimingWidget()->SaveCustomTiming(&list.timings[0]);
         }, {}},
        {"custom resolution dialog, add", [=] {
             // The Timing page's editors work with an analogue signal: give the device one.
             _KVCAP_INPUT_STATUS vga{};
             vga.valid = 1;
             vga.inputType = KVCAP_VIDEO_INPUT_VGA;
             vga.analog.syncInfo = {1, {0, 0}, 0, 166667, 5, 1125};
             vga.analog.settings = {16, 9, 192, 41, 1920, 1080, 2200, 8};
             m_device->setRecord(uint8_t(ReportIdOf<_KVCAP_INPUT_STATUS>()), vga);
             timing->InitPage(0, false);
             show(timing);
             RecordPage(timing, " with a VGA signal");
             timing->GetCustomResolutionsWidget()->GetAddButton()->click();
         },
         [](QWidget* w, const Measure& measure) {
             auto* dialog = qobject_cast<QResolutionDialog*>(w);
             QVERIFY(dialog);
             dialog->GetWidthEdit()->setText(QStringLiteral("127"));
             dialog->OnOkBtnClicked();
             measure(w, "refused");
         }},
        {"custom resolution dialog, modify", [=] {
             timing->GetCustomResolutionsWidget()->OnCellClicked(0, 0);
             timing->GetCustomResolutionsWidget()->GetModifyButton()->click();
         }, {}},
        {"colour format warning", [=] {
             show(advanced);
             QColorSpaceWidget* colours = advanced->GetColorSpaceWidget();
             emit colours->GetLeftTable()->cellPressed(1, 0);
             colours->GetButton(QStringLiteral("btn_move_up"))->click();
         }, {}},
        {"custom frame rate dialog", [=] { advanced->GetFrameRateWidget()->GetCustomButton()->click(); },
         [](QWidget* w, const Measure& measure) {
             auto* dialog = qobject_cast<QCustomFpsDialog*>(w);
             QVERIFY(dialog);
             dialog->GetLineEdit()->setText(QStringLiteral("4.99"));
             measure(w, "refused");
         }},
        {"custom image size dialog", [=] { advanced->GetImageSizeWidget()->GetCustomButton()->click(); },
         [](QWidget* w, const Measure& measure) {
             auto* dialog = qobject_cast<QCustomSizeDialog*>(w);
             QVERIFY(dialog);
             dialog->GetWidthEdit()->setText(QStringLiteral("1"));
             measure(w, "refused");
         }},
        {"report not saved", [=] {
             HtmlReport::ExportReport(m_window, pages, [](QWidget*, const QString&, const QString&, const QString&) {
                 return QStringLiteral("/nonexistent/folder/report.htm");
             });
         }, {}},
        {"device switch question", [this] {
             // A second device, made current from the title bar's menu with changes pending.
             const QString serial = m_serial + QLatin1Char('B');
             m_second = lvemu::EmulatedBus::instance().plug(lvusb::kVendorMain, lvusb::kProductMainSingle,
                                                            serial.toStdString());
             m_second->setFeatureFlags(0x7);
             QMenu* menu = m_window->GetTitleBar()->GetDeviceMenu();
             const auto second = [menu, serial] {
                 for (QAction* action : menu->actions())
                     if (action->text().contains(serial))
                         return action;
                 return static_cast<QAction*>(nullptr);
             };
             QVERIFY(QTest::qWaitFor([&] { return second(); }, 8000));
             g_presenter.SetUIChanged(true, UI_CHANGE_REBOOT);
             m_window->GetTitleBar()->OnSelectMenuItem(second());
         }, {}},
        {"device lost box", [this] {
             // The current (second) device unplugged with changes pending; the first takes over.
             g_presenter.SetUIChanged(true, UI_CHANGE_RECONNECT);
             lvemu::EmulatedBus::instance().unplug(m_second);
             QVERIFY(QTest::qWaitFor([this] { return !m_window->GetTitleBar()->GetTitleText().contains(m_serial + 'B')
                                                      && m_window->GetPropertyPage()->GetTabWidget()->count() == 7; },
                                     8000));
         }, {}},
        {"close question", [this] {
             g_presenter.SetUIChanged(true, UI_CHANGE_REBOOT);
             m_window->close();
         }, {}},
    };
}

LV_EMULATED_QTEST_MAIN(TstWholeTexts)
#include "tst_wholetexts.moc"
