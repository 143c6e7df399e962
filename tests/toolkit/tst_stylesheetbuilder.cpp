// The generated style sheets, compared character for character with texts written
// out here from the rule tables (tab/space layouts and the listed deviations).

#include "toolkit/stylesheetbuilder.h"
#include "toolkit/wpushbutton.h"

#include <QComboBox>
#include <QLabel>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QtTest>

#define T3 "\t\t\t"
#define T2 "\t\t"
#define S12 "            "
#define S8 "        "

namespace {

QString words(QString text, const QList<QPair<QString, QString>>& map)
{
    for (const auto& w : map)
        text.replace(w.first, w.second);
    return text;
}

const QString kScrollTemplate = QStringLiteral(
    "QScrollBar:{o}{" T3 "background: #494949;{m}: 8px;" T3 "padding-{s1}: 0px;" T3 "padding-{s2}: 0px;" T3
    "padding-{s3}: 0px;" T3 "padding-{s4}: 0px;" T3 "border-radius: 4px;" T3 "border: 0px;" T2 "}"
    "QScrollBar::handle:{o}{" T3 "background: #5c5c5c;" T3 "border-radius: 4px;" T2 "}"
    "QScrollBar::handle:{o}:hover{" T3 "background: #6f6f6f;" T2 "}"
    "QScrollBar::handle:{o}:pressed{" T3 "background: #555555;" T2 "}"
    "QScrollBar::handle:{o}:disabled{" T3 "background: #7b7b7b;" T2 "}"
    "QScrollBar::sub-line:{o}{" T3 "{c}: 0px;" T3 "background: transparent;" T3 "border-radius: 0px;" T3
    "subcontrol-position: {s1};" T3 "subcontrol-origin: padding;" T2 "}"
    "QScrollBar::sub-page:{o}{" T3 "background: transparent;" T2 "}"
    "QScrollBar::add-line:{o}{" T2 "{c}: 0px;" T3 "background: transparent;" T3 "border-radius: 0px;" T3
    "subcontrol-position: {s2};" T3 "subcontrol-origin: padding;" T2 "}"
    "QScrollBar::add-page:{o}{" T3 "background: transparent;" T2 "}"
    "QScrollBar::{a1}-arrow:{o}{" T3 "width: 0px;" T3 "height: 0px;" T3 "image: url(:/Widget/{a1}_arrow);" T2 "}"
    "QScrollBar::{a2}-arrow:{o}{" T3 "width: 0px;" T3 "height: 0px;" T3 "image: url(:/Widget/{a2}_arrow);" T2 "}");

QString expectedScroll(bool horizontal)
{
    if (horizontal)
        return words(kScrollTemplate, {{"{o}", "horizontal"}, {"{m}", "height"}, {"{c}", "width"},
                                       {"{s1}", "left"}, {"{s2}", "right"}, {"{s3}", "top"},
                                       {"{s4}", "bottom"}, {"{a1}", "left"}, {"{a2}", "right"}});
    return words(kScrollTemplate, {{"{o}", "vertical"}, {"{m}", "width"}, {"{c}", "height"},
                                   {"{s1}", "top"}, {"{s2}", "bottom"}, {"{s3}", "left"},
                                   {"{s4}", "right"}, {"{a1}", "up"}, {"{a2}", "down"}});
}

const QString kSliderTemplate = QStringLiteral(
    "QSlider{" T3 "padding-left: 2px;" T3 "padding-right: 2px;" T3 "padding-top: 2px;" T3 "padding-bottom: 2px;" T2 "}"
    "QSlider::groove:{o}{" T3 "{g}: 4px;" T3 "background: rgb(48, 48, 48);" T2 "}"
    "QSlider:focus{" T3 "border: 1px dotted #ffffff;" T3 "border-image: none;" T2 "}"
    "QSlider::handle:{o}{" T3 "width: 20px;" T3 "height: 20px;" T3 "border-image: url(:/Widget/slider_handle);" T3
    "background: transparent;" T3 "margin-{e1}: -8px;" T3 "margin-{e2}: -8px;" T3 "margin-{f1}: -4px;" T3
    "margin-{f2}: -4px;" T2 "}"
    "QSlider::handle:{o}:hover{" T3 "border-image: url(:/Widget/slider_handle_hover);" T2 "}"
    "QSlider::handle:{o}:pressed{" T3 "border-image: url(:/Widget/slider_handle_press);" T2 "}"
    "QSlider::handle:{o}:disabled{" T3 "border-image: url(:/Widget/slider_handle_disable);" T2 "}"
    "QSlider::{p1}:{o}{" T3 "background: rgb(25, 25, 25);" T2 "}"
    "QSlider::{p1}:{o}:disabled{" T3 "background: rgb(25, 25, 25);" T2 "}"
    "QSlider::{p2}:{o}{" T3 "background: #1B9DFF;" T2 "}"
    "QSlider::{p2}:{o}:disabled{" T3 "background: rgb(92, 92, 92);" T2 "}");

QString expectedSlider(bool horizontal)
{
    if (horizontal)
        return words(kSliderTemplate, {{"{o}", "horizontal"}, {"{g}", "height"}, {"{e1}", "top"},
                                       {"{e2}", "bottom"}, {"{f1}", "left"}, {"{f2}", "right"},
                                       {"{p1}", "add-page"}, {"{p2}", "sub-page"}});
    return words(kSliderTemplate, {{"{o}", "vertical"}, {"{g}", "width"}, {"{e1}", "left"},
                                   {"{e2}", "right"}, {"{f1}", "top"}, {"{f2}", "bottom"},
                                   {"{p1}", "sub-page"}, {"{p2}", "add-page"}});
}

const QString kCombo = QStringLiteral(
    "QComboBox{" T3 "height: 24px;" T3 "padding-left: 4px;" T3 "padding-right: 20px;" T3 "color: #9da1a6;" T3
    "border-radius: 4px;" T3 "border:1px solid #505050;" T3 "background-color: #212121;" S8 "}"
    "QComboBox[enter=true]{" S12 "border:1px solid #1b9dff;" S12 "background: #2d2d2d;" S12 "border-radius: 4px;" S8 "}"
    "QComboBox[enter=false]:focus{" S12 "border-radius: 4px;" S12 "border:1px solid #1b9dff;" S12
    "background-color: #212121;" S8 "}"
    "QComboBox[enter=false]:!focus{" S12 "border-radius: 4px;" S12 "border:1px solid #505050;" S12
    "background-color: #212121;" S8 "}"
    "QComboBox:!focus:on{" S12 "border: 1px solid #1b9dff;" S12 "background: #212121;" S12
    "border-bottom-left-radius: 0px;" S12 "border-bottom-right-radius: 0px;" S8 "}"
    "QComboBox[enter=false]:disabled, QComboBox[enter=true]:disabled{" S12 "color: #565759;" S12
    "border: 1px solid rgb(52,52,52);" S12 "background-color: #282828;" S12 "border-radius: 4px;" S8 "}"
    "QComboBox:off{" T3 "border-radius: 4px;" T3 "border:1px solid #505050;" T3 "background-color: #212121;" T2 "}"
    "QComboBox::disabled{" T3 "color: #565759;" T3 "border: 1px solid rgb(52,52,52);" T3
    "background-color: #282828;" T3 "border-radius: 4px;" T2 "}"
    "QComboBox QAbstractItemView::item{" T3 "height: 28px;" T3 "outline: 0px;" T2 "}"
    "QListView{" T3 "outline: 0px;" T3 "padding-left: 0px;" T3 "border: 1px solid #1b9dff;" T3
    "border-bottom-left-radius: 2px;" T3 "border-bottom-right-radius: 2px;" T2 "}"
    "QListView::item{" T3 "color: #9da1a6;" T3 "background: #212121;" T2 "}"
    "QListView::item:selected{" T3 "color: white;" T3 "background: #236495;" T2 "}"
    "QListView::item:hover {" T3 "color: white;" T3 "background: #236495;" T2 "}"
    "QComboBox::down-arrow{" T3 "width: 16px;" T3 "height: 14px;" T3 "image: url(:/Widget/down_arrow);" T2 "}"
    "QComboBox::down-arrow::hover{" T3 "image: url(:/Widget/down_arrow_hover);" T2 "}"
    "QComboBox::down-arrow::pressed{" T3 "image: url(:/Widget/down_arrow_hover);" T2 "}"
    "QComboBox::down-arrow::disabled{" T3 "image: url(:/Widget/down_arrow_disabled);" T2 "}"
    "QComboBox::drop-down{" T3 "padding-right: 10px;" T3 "border: 0px;" T2 "}");

const QString kSpin = QStringLiteral(
    "QSpinBox{" T3 "height: 24px;" T3 "color: #9da1a6;" T3 "background-color: #212121;" T3
    "border:1px solid #505050;" T3 "border-radius: 4px;" S8 "}"
    "QSpinBox:hover{" S12 "background-color: #2d2d2d;" S12 "border:1px solid #1b9dff;" S8 "}"
    "QSpinBox:focus{" T3 "color: #9da1a6;" T3 "border:1px solid #1b9dff;" T2 "}"
    "QSpinBox:disabled{" T3 "color: #565759;" T3 "border: 1px solid rgb(52, 52, 52);" T3
    "background-color: #282828;" T2 "}"
    "QSpinBox::up-button{" T3 "border-left: 0px solid rgb(39, 39, 39);" T3 "border-bottom: 0px solid rgb(39, 39, 39);" T3
    "border-bottom-right-radius: 0px;" T3 "image: url(:/Widget/up_arrow);" T2 "}"
    "QSpinBox::up-button:hover{" T3 "image: url(:/Widget/up_arrow_hover);" T2 "}"
    "QSpinBox::up-button:pressed{" T3 "image: url(:/Widget/up_arrow_pressed);" T2 "}"
    "QSpinBox::up-button::disabled{" T3 "border: 0px;" T3 "image: url(:/Widget/up_arrow_disabled);" T2 "}"
    "QSpinBox::down-button{" T3 "border-left: 0px solid rgb(39, 39, 39);" T3 "border-bottom: 0px solid rgb(39, 39, 39);" T3
    "border-bottom-right-radius: 0px;" T3 "image: url(:/Widget/down_arrow);" T2 "}"
    "QSpinBox::down-button:hover{" T3 "image: url(:/Widget/down_arrow_hover);" T2 "}"
    "QSpinBox::down-button:pressed{" T3 "image: url(:/Widget/down_arrow_pressed);" T2 "}"
    "QSpinBox::down-button::disabled{" T3 "border: 0px;" T3 "image: url(:/Widget/down_arrow_disabled);" T2 "}");

const QString kTextEditScroll = QStringLiteral(
    "QScrollBar:vertical{" T3 "background: #494949;" T3 "width: 8px;" T3 "border: 0px;" T3 "border-radius:4px;" T3
    "margin: 0px;" T2 "}"
    "QScrollBar::handle:vertical{" T3 "min-height: 30px;" T3 "background: #1b9dff;" T3 "border-radius:4px;" T2 "}"
    "QScrollBar::handle:vertical:hover{" T3 "background: #46b8ff;" T2 "}"
    "QScrollBar::handle:vertical:pressed{" T3 "background: #1a8ee6;" T2 "}"
    "QScrollBar::sub-line:vertical{" T3 "height: 8px;" T3 "background: #494949;" T3 "border-radius:4px;" T3
    "subcontrol-position: top;" T3 "subcontrol-origin: margin;" T3 "border: 0px;" T2 "}"
    "QScrollBar::sub-page:vertical{" T3 "background: transparent;" T2 "}"
    "QScrollBar::add-line:vertical{" T3 "height: 8px;" T3 "background: #494949;" T3 "border-radius:4px;" T3
    "subcontrol-position: bottom;" T3 "subcontrol-origin: margin;" T3 "border: 0px;" T2 "}"
    "QScrollBar::add-page:vertical{" T3 "background: transparent;" T2 "}");

QString expectedButtonImg(const QString& n)
{
    return QStringLiteral("QPushButton, QPushButton[hover=false]{" S12 "border-image: url(:/Widget/") + n
        + QStringLiteral(");" S8 "}QPushButton[hover=true]{" S12 "border-image: url(:/Widget/") + n
        + QStringLiteral("_hover);" S8 "}QPushButton:pressed{" S12 "border-image: url(:/Widget/") + n
        + QStringLiteral("_pressed);" S8 "}QPushButton:disabled{" S12 "border: none;" S12
                         "border-image: url(:/Widget/")
        + n + QStringLiteral("_disabled);" S8 "}");
}

QString expectedCellLabel(int left, int bottom)
{
    return QStringLiteral("QLabel{" T3 "color: #a0a0a0;" T3 "background: transparent;" T3 "padding-left: 10px;" T3
                          "border-left: %1px solid #2a2a2a;" T3 "border-bottom: %2px solid #2a2a2a;" T3
                          "border-right: 0px;" T3 "border-top: 0px;" T3 "border-radius: 0px;" T3 "}")
        .arg(left)
        .arg(bottom);
}

} // namespace

class TestStyleSheetBuilder : public QObject {
    Q_OBJECT
private slots:
    void labelSheet()
    {
        QLabel label;
        setLabelStyle(&label, QColor("#A0A0A0"), QColor("#2B2B2B"), QColor(39, 39, 39));
        const QString expected = QStringLiteral(
            "QLabel{" T3 "color: #a0a0a0;" T3 "background: #2b2b2b;" T3 "border: 0 px solid #272727;" T3
            "border-radius: 0px;" T3 "padding-left: 0px;" T2 "}QLabel:disabled{" T3 "color: #838383;" T2 "}");
        QCOMPARE(label.styleSheet(), expected);
        QCOMPARE(label.styleSheet().size(), 161);
        // Alpha is never written.
        setLabelStyle(&label, QColor(236, 236, 236, 10), QColor(57, 57, 57), QColor(39, 39, 39));
        QVERIFY(label.styleSheet().startsWith(QStringLiteral("QLabel{" T3 "color: #ececec;" T3 "background: #393939;")));
        QCOMPARE(label.styleSheet().size(), 161);
    }

    void cellLabelSheet_data()
    {
        QTest::addColumn<bool>("lastRow");
        QTest::addColumn<bool>("firstColumn");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("bottom");
        QTest::newRow("corner") << true << true << 0 << 0;
        QTest::newRow("inner") << false << false << 1 << 1;
        QTest::newRow("last row") << true << false << 1 << 0;
        QTest::newRow("first column") << false << true << 0 << 1;
    }
    void cellLabelSheet()
    {
        QFETCH(bool, lastRow);
        QFETCH(bool, firstColumn);
        QFETCH(int, left);
        QFETCH(int, bottom);
        QLabel label;
        setCellLabelStyle(nullptr, &label, lastRow, firstColumn);
        QCOMPARE(label.styleSheet(), expectedCellLabel(left, bottom));
        QCOMPARE(label.styleSheet().size(), 210);
        setCellLabelStyle(nullptr, nullptr, true, true);  // a null label is ignored
    }

    void scrollBarSheets()
    {
        QScrollBar bar;
        setScrollBarStyle(&bar);
        QCOMPARE(bar.styleSheet(), expectedScroll(false));
        QCOMPARE(bar.styleSheet().size(), 1067);
        setScrollBarStyle2(&bar, Qt::Horizontal);
        QCOMPARE(bar.styleSheet(), expectedScroll(true));
        QCOMPARE(bar.styleSheet().size(), 1094);
        setScrollBarStyle2(&bar, Qt::Vertical);
        QCOMPARE(bar.styleSheet().size(), 1067);
        // Every value but Qt::Horizontal gives the vertical words.
        setScrollBarStyle2(&bar, static_cast<Qt::Orientation>(0));
        QCOMPARE(bar.styleSheet(), expectedScroll(false));
    }

    void textEditScrollBarSheet()
    {
        QScrollBar bar;
        setTextEditScrollBarStyle(&bar);
        QCOMPARE(bar.styleSheet(), kTextEditScroll);
        QCOMPARE(bar.styleSheet().size(), 779);
    }

    void comboBoxSheet()
    {
        QComboBox combo;
        setComboBoxStyle(&combo);
        QCOMPARE(combo.styleSheet(), kCombo);
        QCOMPARE(combo.styleSheet().size(), 2007);
    }

    void spinBoxSheet()
    {
        QSpinBox spin;
        setSpinBoxStyle(&spin);
        QCOMPARE(spin.styleSheet(), kSpin);
        QCOMPARE(spin.styleSheet().size(), 1229);
    }

    void sliderSheets()
    {
        QSlider slider;
        setSliderStyle(&slider, Qt::Horizontal);
        QCOMPARE(slider.styleSheet(), expectedSlider(true));
        QCOMPARE(slider.styleSheet().size(), 991);
        QVERIFY(slider.styleSheet().contains(QStringLiteral("QSlider::sub-page:horizontal{" T3 "background: #1B9DFF;")));
        setSliderStyle(&slider, Qt::Vertical);
        QCOMPARE(slider.styleSheet(), expectedSlider(false));
        QCOMPARE(slider.styleSheet().size(), 972);
        QVERIFY(slider.styleSheet().contains(QStringLiteral("QSlider::add-page:vertical{" T3 "background: #1B9DFF;")));
        setSliderStyle(&slider, static_cast<Qt::Orientation>(0));
        QCOMPARE(slider.styleSheet(), expectedSlider(false));
    }

    void buttonImgSheet()
    {
        QPushButton button;
        setButtonImgStyle(&button, QStringLiteral("close"));
        QCOMPARE(button.styleSheet(), expectedButtonImg(QStringLiteral("close")));
        QCOMPARE(button.styleSheet().size(), 371);
        setButtonImgStyle(&button, QStringLiteral("min"));
        QCOMPARE(button.styleSheet(), expectedButtonImg(QStringLiteral("min")));
        QCOMPARE(button.styleSheet().size(), 363);  // the last call's sheet only
    }

    void moveButton()
    {
        QWidget list;
        WPushButton* button = CreateMoveButton(&list, QStringLiteral("btn_move_up"));
        QVERIFY(button);
        QCOMPARE(button->parentWidget(), &list);
        QCOMPARE(button->objectName(), QStringLiteral("btn_move_up"));
        QCOMPARE(button->size(), QSize(80, 24));
        QCOMPARE(button->minimumSize(), QSize(80, 24));
        QCOMPARE(button->maximumSize(), QSize(80, 24));
        QVERIFY(!button->isEnabled());
        QVERIFY(button->text().isEmpty());
    }

    void moveButtonReachesListSlot();
};

// A list widget of the editors: dispatches its move buttons by sender.
class FakeListWidget : public QWidget {
    Q_OBJECT
public:
    QStringList clicked;
public slots:
    void OnButtonClicked() { clicked << sender()->objectName(); }
};

void TestStyleSheetBuilder::moveButtonReachesListSlot()
{
    FakeListWidget list;
    WPushButton* up = CreateMoveButton(&list, QStringLiteral("btn_move_up"));
    WPushButton* down = CreateMoveButton(&list, QStringLiteral("btn_move_down"));
    up->setEnabled(true);
    down->setEnabled(true);
    up->click();
    down->click();
    QCOMPARE(list.clicked, (QStringList{QStringLiteral("btn_move_up"), QStringLiteral("btn_move_down")}));
}

QTEST_MAIN(TestStyleSheetBuilder)
#include "tst_stylesheetbuilder.moc"
