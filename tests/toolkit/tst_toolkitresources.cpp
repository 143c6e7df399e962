// The resource tree: every image the program names loads at its size, the
// application style sheet has its rules and resolves all its images, the busy
// animations play, and the style sheet picks the images the states call for.
// Also writes one screenshot per control kind for a person to look at.

#include <QLayout>  // lvtestsupport.h uses it

#include "lvtestsupport.h"
#include "toolkit/cfocusmanager.h"
#include "toolkit/cmenubutton.h"
#include "toolkit/csystembutton.h"
#include "toolkit/picturepreload.h"
#include "toolkit/qcustomslider.h"
#include "toolkit/qwrapperslider.h"
#include "toolkit/qwrapperspinbox.h"
#include "toolkit/stylesheetbuilder.h"
#include "toolkit/wcheckbox.h"
#include "toolkit/wcombobox.h"
#include "toolkit/wpagebase.h"
#include "toolkit/wpushbutton.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QMovie>
#include <QRegularExpression>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QtTest>

namespace {

using ImageList = QList<QPair<QString, QSize>>;

const QStringList kStandard{"", "_hover", "_pressed", "_focus_mouse", "_focus", "_focus_hover", "_focus_pressed", "_disabled"};

void family(ImageList& list, const QString& path, const QStringList& states, QSize size)
{
    for (const QString& s : states)
        list.append({path + s, size});
}

// Every image the code, the builders' sheets, the application style sheet and the
// screens of the later pages name, with the size the screens lay them out at.
ImageList expectedImages()
{
    ImageList list;
    family(list, ":/Widget/close", {"", "_hover", "_pressed", "_disabled"}, {24, 24});
    family(list, ":/Widget/min", {"", "_hover", "_pressed", "_disabled"}, {24, 24});
    family(list, ":/Widget/up_arrow", {"", "_hover", "_pressed", "_disabled"}, {16, 14});
    family(list, ":/Widget/down_arrow", {"", "_hover", "_pressed", "_disabled"}, {16, 14});
    family(list, ":/Widget/left_arrow", {""}, {14, 16});
    family(list, ":/Widget/right_arrow", {""}, {14, 16});
    family(list, ":/Widget/slider_handle", {"", "_hover", "_press", "_disable"}, {20, 20});
    family(list, ":/Widget/checkbox_unchecked", {"", "_hover", "_focus", "_disabled"}, {14, 14});
    family(list, ":/Widget/checkbox_checked", {"", "_hover", "_focus", "_disabled"}, {14, 14});
    for (const char* n : {"default_on", "default_off", "common_on", "common_off", "menu_checked", "menu_checked_hover"})
        list.append({QStringLiteral(":/Widget/") + n, {16, 16}});
    list.append({":/Widget/msg_warning", {40, 40}});
    family(list, ":/Widget/btn_drop", {"", "_hover", "_pressed", "_disabled"}, {20, 20});
    list.append({":/Widget/tab_focus", {80, 28}});
    list.append({":/Widget/logo", {132, 24}});
    list.append({":/Widget/logo2", {216, 60}});
    for (const char* n : {"check", "download", "cancel", "update", "retry", "help", "info"})
        family(list, QStringLiteral(":/Widget/update_") + n, {"", "_hover", "_press"}, {16, 16});
    list.append({":/Widget/update_failed", {88, 88}});
    list.append({":/Widget/update_success", {88, 88}});
    list.append({":/Widget/update_rightarrow", {10, 10}});
    list.append({":/Widget/update_uparrow", {20, 24}});
    for (const char* n : {"check_failed", "check_latest", "download_failed"})
        list.append({QStringLiteral(":/app_upgrade/") + n, {124, 124}});
    list.append({":/app_upgrade/warning", {20, 20}});
    list.append({":/app_upgrade/download", {40, 40}});
    list.append({":/LumivandrexUtility/lumivandrexutility_48", {48, 48}});
    family(list, ":/LineEdit/lineedit_dialog", {"", "_hover", "_pressed"}, {24, 24});
    for (const char* k : {"up", "down", "left", "right"}) {
        family(list, QStringLiteral(":/MoveButton/btn_move_") + k, kStandard, {80, 24});
        family(list, QStringLiteral(":/MoveButtonSmall/btn_move_") + k, kStandard, {40, 24});
    }
    family(list, ":/SettingsButton/btn_settings", kStandard, {120, 32});
    family(list, ":/DialogButton/btn_dialog", kStandard, {124, 32});
    family(list, ":/DialogButton/btn_upgrade", kStandard, {124, 32});
    family(list, ":/PaneButton/btn_pane", kStandard, {76, 24});
    QStringList mute = kStandard;
    mute.removeLast();
    family(list, ":/MuteButton/btn_mute", mute, {32, 32});
    family(list, ":/MuteButton/btn_mute_checked", mute, {32, 32});
    for (const char* t : {"first", "middle", "last"})
        family(list, QStringLiteral(":/TabButton/btn_tab_") + t,
               {"", "_hover", "_pressed", "_checked", "_checked_focus_mouse", "_checked_focus", "_disabled"}, {152, 32});
    family(list, ":/TabButton/btn_tab_only", {"", "_focus_mouse", "_focus", "_disabled"}, {152, 32});
    return list;
}

QString appStyleSheet()
{
    QFile file(QStringLiteral(":/lumivandrexutility.qss"));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

QStringList urlsIn(const QString& sheet)
{
    QStringList urls;
    QRegularExpression re(QStringLiteral("url\\(([^)]*)\\)"));
    auto it = re.globalMatch(sheet);
    while (it.hasNext())
        urls << it.next().captured(1);
    urls.removeDuplicates();
    return urls;
}

// A dark backdrop for screenshots, as the pages have.
QWidget* backdrop(const QString& colour = QStringLiteral("#2B2B2B"))
{
    auto* w = new QWidget;
    w->setObjectName(QStringLiteral("backdrop"));
    w->setStyleSheet(QStringLiteral("QWidget#backdrop{background: %1;}").arg(colour));
    w->setAttribute(Qt::WA_StyledBackground);
    return w;
}

QRgb pixelAt(QWidget* w, QPoint p)
{
    return w->grab().toImage().pixel(p);
}

} // namespace

class TestToolkitResources : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        const QString sheet = appStyleSheet();
        QVERIFY(!sheet.isEmpty());
        qApp->setStyleSheet(sheet);
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(14);
        qApp->setFont(font);
    }

    void everyImageLoadsAtItsSize()
    {
        const ImageList list = expectedImages();
        QVERIFY(list.size() > 200);
        for (const auto& entry : list) {
            const QImage image(entry.first);
            QVERIFY2(!image.isNull(), qPrintable(entry.first));
            QVERIFY2(image.size() == entry.second, qPrintable(entry.first));
        }
    }

    // A preloaded picture is, pixel and format, what QPixmap(path) gives; it is
    // handed out once, and every other load goes the usual way.
    void picturePreload()
    {
        const QString path = QStringLiteral(":/Device/capture_pro");
        const QString other = QStringLiteral(":/Device/no_device");
        PreloadPicture(path);
        PreloadPicture(other);   // one preload per run: ignored
        const QImage direct = QPixmap(path).toImage();
        QVERIFY(!direct.isNull());
        QCOMPARE(LoadPicture(path).toImage(), direct);
        QCOMPARE(LoadPicture(path).toImage(), direct);
        QCOMPARE(LoadPicture(other).toImage(), QPixmap(other).toImage());
        FinishPicturePreload();
    }

    void animationsPlay()
    {
        for (auto entry : {qMakePair(QStringLiteral(":/Widget/update_checking"), 20),
                           qMakePair(QStringLiteral(":/app_upgrade/checking"), 124)}) {
            QMovie movie(entry.first, "gif");
            QVERIFY2(movie.isValid(), qPrintable(entry.first));
            QVERIFY(movie.frameCount() > 1);
            QVERIFY(movie.jumpToFrame(0));
            QCOMPARE(movie.currentImage().size(), QSize(entry.second, entry.second));
            for (int i = 0; i < 3; ++i)
                QVERIFY(movie.jumpToNextFrame());
            // The frames differ: the dots turn.
            QMovie other(entry.first, "gif");
            other.jumpToFrame(0);
            QVERIFY(movie.currentImage() != other.currentImage());
        }
    }

    void appSheetRulesAndImages()
    {
        const QString sheet = appStyleSheet();
        QCOMPARE(sheet.count(QLatin1Char('{')), 191);
        QCOMPARE(sheet.count(QLatin1Char('}')), 191);
        for (QChar c : sheet)
            QVERIFY(c.unicode() < 128);
        const QStringList urls = urlsIn(sheet);
        QCOMPARE(urls.size(), 138);  // every image the sheet names, once
        for (const QString& url : urls) {
            QVERIFY2(!QImage(url).isNull(), qPrintable(url));
        }
        // A few rules exactly as the screens rely on them.
        QVERIFY(sheet.contains(QStringLiteral("QPushButton#btn_settings[mouse=false]:focus {\n"
                                              "    border: 4px transparent;\n"
                                              "    border-image: url(:/SettingsButton/btn_settings_focus) 4 4 4 4 round round;\n}")));
        QVERIFY(sheet.contains(QStringLiteral("QPushButton#btn_dialog[mouse=true]:focus, QPushButton#btn_dialog:default {")));
        QVERIFY(sheet.contains(QStringLiteral("QPushButton#btn_move_up_small:hover {\n"
                                              "    border-image: url(:/MoveButtonSmall/btn_move_up_hover);\n}")));
        QVERIFY(sheet.contains(QStringLiteral("QPushButton#btn_mute[mouse=false]:checked:focus {\n"
                                              "    border-image: url(:/MuteButton/btn_mute_checked_focus);\n}")));
        QVERIFY(!sheet.contains(QStringLiteral("QPushButton#btn_mute:disabled")));
        QVERIFY(sheet.contains(QStringLiteral("QPushButton#btn_tab_first:hover {\n"
                                              "    border-image: url(:/TabButton/btn_tab_first_hover);\n}")));
    }

    void builderSheetImages()
    {
        QStringList sheets{comboBoxStyleSheet(), spinBoxStyleSheet(), scrollBarStyleSheet(Qt::Vertical),
                           scrollBarStyleSheet(Qt::Horizontal), sliderStyleSheet(Qt::Vertical),
                           sliderStyleSheet(Qt::Horizontal), buttonImgStyleSheet(QStringLiteral("close")),
                           buttonImgStyleSheet(QStringLiteral("min"))};
        int count = 0;
        for (const QString& sheet : sheets) {
            for (const QString& url : urlsIn(sheet)) {
                QVERIFY2(!QImage(url).isNull(), qPrintable(url));
                ++count;
            }
        }
        QVERIFY(count >= 30);
    }

    void sheetPicksStateImages()
    {
        QWidget window;
        auto* layout = new QHBoxLayout(&window);
        auto* first = new WPushButton;
        first->setObjectName(QStringLiteral("btn_settings"));
        first->setFixedSize(120, 32);
        auto* second = new WPushButton;
        second->setObjectName(QStringLiteral("btn_settings"));
        second->setFixedSize(120, 32);
        auto* mute = new WPushButton;
        mute->setObjectName(QStringLiteral("btn_mute"));
        mute->setCheckable(true);
        mute->setChecked(true);
        mute->setFixedSize(32, 32);
        layout->addWidget(first);
        layout->addWidget(second);
        layout->addWidget(mute);
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));

        const QImage focusKeyboard(QStringLiteral(":/SettingsButton/btn_settings_focus"));
        const QImage focusMouse(QStringLiteral(":/SettingsButton/btn_settings_focus_mouse"));
        QVERIFY(focusKeyboard.pixel(60, 1) != focusMouse.pixel(60, 1));
        mute->setFocus();  // start with neither settings button focused
        // Focus by Tab (keyboard navigation active): the keyboard focus image.
        g_focusManager.SetActive(true);
        first->setFocus(Qt::TabFocusReason);
        QCOMPARE(first->property("mouse").toBool(), false);
        QCOMPARE(pixelAt(first, {60, 1}), focusKeyboard.pixel(60, 1));
        // Focus by a click: the mouse focus image.
        g_focusManager.SetActive(false);
        second->setFocus(Qt::MouseFocusReason);
        QCOMPARE(second->property("mouse").toBool(), true);
        QCOMPARE(pixelAt(second, {60, 1}), focusMouse.pixel(60, 1));
        // Disabled: the disabled image.
        second->setEnabled(false);
        QCOMPARE(pixelAt(second, {60, 1}), QImage(":/SettingsButton/btn_settings_disabled").pixel(60, 1));
        // A checked mute button with keyboard focus.
        g_focusManager.SetActive(true);
        first->setFocus(Qt::TabFocusReason);
        mute->setFocus(Qt::TabFocusReason);
        const QImage checkedFocus(QStringLiteral(":/MuteButton/btn_mute_checked_focus"));
        QCOMPARE(pixelAt(mute, {16, 1}), checkedFocus.pixel(16, 1));
        QCOMPARE(pixelAt(mute, {10, 16}), checkedFocus.pixel(10, 16));
        g_focusManager.SetActive(false);
    }

    void screenshots()
    {
        // Push buttons of every named kind, normal and disabled.
        QScopedPointer<QWidget> buttons(backdrop());
        auto* grid = new QVBoxLayout(buttons.data());
        const QList<QPair<QString, QSize>> kinds{{"btn_settings", {120, 32}}, {"btn_dialog", {124, 32}},
                                                 {"btn_upgrade", {124, 32}}, {"btn_pane", {160, 24}},
                                                 {"btn_menu", {160, 24}}};
        for (const auto& kind : kinds) {
            auto* row = new QHBoxLayout;
            for (bool enabled : {true, false}) {
                WPushButton* b = kind.first == QLatin1String("btn_menu") ? new CMenuButton(QStringLiteral("Preferred timings >"))
                                                                         : new WPushButton(kind.first);
                b->setObjectName(kind.first);
                b->setFixedSize(kind.second);
                b->setEnabled(enabled);
                row->addWidget(b);
            }
            grid->addLayout(row);
        }
        auto* moves = new QHBoxLayout;
        for (const char* n : {"btn_move_up", "btn_move_down", "btn_move_left", "btn_move_right"}) {
            WPushButton* b = CreateMoveButton(buttons.data(), QString::fromLatin1(n));
            b->setEnabled(true);
            moves->addWidget(b);
        }
        grid->addLayout(moves);
        auto* mutes = new QHBoxLayout;
        for (bool checked : {false, true}) {
            auto* b = new WPushButton;
            b->setObjectName(QStringLiteral("btn_mute"));
            b->setCheckable(true);
            b->setChecked(checked);
            b->setFixedSize(32, 32);
            mutes->addWidget(b);
        }
        for (const char* n : {"min", "close"}) {
            auto* b = new CSystemButton;
            b->setFixedSize(24, 24);
            setButtonImgStyle(b, QString::fromLatin1(n));
            mutes->addWidget(b);
        }
        mutes->addStretch();
        grid->addLayout(mutes);
        buttons->resize(300, 330);
        buttons->show();
        QVERIFY(lvtest::saveScreenshot(buttons.data(), QStringLiteral("toolkit_buttons")));

        // Tab stack with three pages.
        QScopedPointer<QWidget> tabs(backdrop());
        auto* tabsLayout = new QVBoxLayout(tabs.data());
        auto* stack = new QWrapperStack;
        for (const char* t : {"Color Format", "Frame Rate", "Resolution"}) {
            auto* page = new QLabel(QStringLiteral("Page: ") + QString::fromLatin1(t));
            page->setStyleSheet(QStringLiteral("color: #ececec; padding: 12px;"));
            stack->AddSubWidget(page, QString::fromLatin1(t), QLatin1String(t) == QLatin1String("Color Format"),
                                QLatin1String(t) == QLatin1String("Resolution"));
        }
        stack->SetMainWidget();
        stack->SetCurrentIndex(1);
        stack->GetStackTabBtn(2)->setEnabled(false);
        tabsLayout->addWidget(stack);
        tabs->resize(560, 160);
        tabs->show();
        QVERIFY(lvtest::saveScreenshot(tabs.data(), QStringLiteral("toolkit_tabstack")));

        // Combo boxes, normal and disabled, and a check box.
        QScopedPointer<QWidget> combos(backdrop());
        auto* comboLayout = new QVBoxLayout(combos.data());
        for (bool enabled : {true, false}) {
            auto* combo = new WComboBox;
            combo->addItems({QStringLiteral("HDMI 1"), QStringLiteral("SDI 2")});
            setComboBoxStyle(combo);
            combo->setFixedWidth(200);
            combo->setEnabled(enabled);
            comboLayout->addWidget(combo);
        }
        auto* box = new WCheckBox(QStringLiteral("Enable"));
        box->setChecked(true);
        box->setStyleSheet(QStringLiteral("QCheckBox{color: #ececec;} QCheckBox::indicator{width: 14px; height: 14px;"
                                          " image: url(:/Widget/checkbox_unchecked);}"
                                          " QCheckBox::indicator:checked{image: url(:/Widget/checkbox_checked);}"));
        comboLayout->addWidget(box);
        combos->resize(240, 120);
        combos->show();
        QVERIFY(lvtest::saveScreenshot(combos.data(), QStringLiteral("toolkit_combobox")));

        // Spin boxes.
        QScopedPointer<QWidget> spins(backdrop());
        auto* spinLayout = new QHBoxLayout(spins.data());
        for (bool enabled : {true, false}) {
            auto* spin = new QWrapperSpinBox;
            spin->setRange(0, 4096);
            spin->setValue(1920);
            setSpinBoxStyle(spin);
            spin->setFixedWidth(96);
            spin->setEnabled(enabled);
            spinLayout->addWidget(spin);
        }
        spins->resize(240, 50);
        spins->show();
        QVERIFY(lvtest::saveScreenshot(spins.data(), QStringLiteral("toolkit_spinbox")));

        // Labelled vertical sliders and a bare horizontal one.
        QScopedPointer<QWidget> sliders(backdrop());
        auto* sliderLayout = new QHBoxLayout(sliders.data());
        for (int v : {-1234, -4500}) {
            auto* s = new QWrapperSlider(-60, 0, Qt::Vertical);
            s->SetRange(-6000, 0);
            s->SetValue(v);
            s->setFixedSize(80, 220);
            sliderLayout->addWidget(s);
        }
        auto* bare = new QWrapperSlider(Qt::Horizontal);
        bare->SetRange(0, 100);
        bare->SetValue(40);
        bare->setFixedWidth(200);
        sliderLayout->addWidget(bare);
        sliders->resize(420, 240);
        sliders->show();
        QVERIFY(lvtest::saveScreenshot(sliders.data(), QStringLiteral("toolkit_slider")));

        // Scroll bars of both sheets.
        QScopedPointer<QWidget> bars(backdrop(QStringLiteral("#343434")));
        auto* barLayout = new QHBoxLayout(bars.data());
        auto* v = new QScrollBar(Qt::Vertical);
        setScrollBarStyle(v);
        auto* h = new QScrollBar(Qt::Horizontal);
        setScrollBarStyle2(h, Qt::Horizontal);
        auto* blue = new QScrollBar(Qt::Vertical);
        setTextEditScrollBarStyle(blue);
        for (QScrollBar* b : {v, h, blue}) {
            b->setRange(0, 100);
            b->setValue(30);
            barLayout->addWidget(b);
        }
        v->setFixedHeight(150);
        blue->setFixedHeight(150);
        h->setFixedWidth(150);
        bars->resize(220, 170);
        bars->show();
        QVERIFY(lvtest::saveScreenshot(bars.data(), QStringLiteral("toolkit_scrollbar")));
    }
};

QTEST_MAIN(TestToolkitResources)
#include "tst_toolkitresources.moc"
