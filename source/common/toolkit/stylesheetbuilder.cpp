#include "toolkit/stylesheetbuilder.h"

#include "toolkit/wpushbutton.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QStringList>

namespace {

// Two white-space layouts occur in the sheets: "tab" (three tabs before each
// declaration, two before the closing brace) and "space" (twelve and eight blanks).
// Some sheets deviate in single places; the optional indents cover those.
const QString kTab3 = QStringLiteral("\t\t\t");
const QString kTab2 = QStringLiteral("\t\t");
const QString kSpace12 = QString(12, QLatin1Char(' '));
const QString kSpace8 = QString(8, QLatin1Char(' '));

enum class Layout { Tab, Space };

QString rule(const QString& selector, const QStringList& declarations, Layout layout,
             const QString* firstIndent = nullptr, const QString* closeIndent = nullptr)
{
    const QString& indent = layout == Layout::Tab ? kTab3 : kSpace12;
    const QString& close = layout == Layout::Tab ? kTab2 : kSpace8;
    QString text = selector + QLatin1Char('{');
    for (int i = 0; i < declarations.size(); ++i)
        text += ((i == 0 && firstIndent) ? *firstIndent : indent) + declarations.at(i)
                + QLatin1Char(';');
    text += (closeIndent ? *closeIndent : close) + QLatin1Char('}');
    return text;
}

QString px(int value)
{
    return QString::number(value) + QStringLiteral("px");
}

QString name(const QColor& colour)
{
    return colour.name();
}

} // namespace

QString labelStyleSheet(const QColor& text, const QColor& background, const QColor& border)
{
    return rule(QStringLiteral("QLabel"),
                {QStringLiteral("color: ") + name(text),
                 QStringLiteral("background: ") + name(background),
                 QStringLiteral("border: ") + QString::number(0) + QStringLiteral(" px solid ")
                     + name(border),
                 QStringLiteral("border-radius: ") + px(0),
                 QStringLiteral("padding-left: ") + px(0)},
                Layout::Tab)
        + rule(QStringLiteral("QLabel:disabled"),
               {QStringLiteral("color: ") + name(QColor(131, 131, 131))}, Layout::Tab);
}

void setLabelStyle(QLabel* label, const QColor& text, const QColor& background, const QColor& border)
{
    label->setStyleSheet(labelStyleSheet(text, background, border));
}

QString cellLabelStyleSheet(bool lastRow, bool firstColumn)
{
    const QString line = QStringLiteral("px solid ") + name(QColor(QStringLiteral("#2A2A2A")));
    return rule(QStringLiteral("QLabel"),
                {QStringLiteral("color: ") + name(QColor(QStringLiteral("#A0A0A0"))),
                 QStringLiteral("background: transparent"),
                 QStringLiteral("padding-left: ") + px(10),
                 QStringLiteral("border-left: ") + QString::number(firstColumn ? 0 : 1) + line,
                 QStringLiteral("border-bottom: ") + QString::number(lastRow ? 0 : 1) + line,
                 QStringLiteral("border-right: ") + px(0),
                 QStringLiteral("border-top: ") + px(0),
                 QStringLiteral("border-radius: ") + px(0)},
                Layout::Tab, nullptr, &kTab3);
}

QFont menuFont()
{
    QFont font = QApplication::font();
    font.setWeight(QFont::Bold);
    return font;
}

void setCellLabelStyle(QWidget*, QLabel* label, bool lastRow, bool firstColumn)
{
    if (!label)
        return;
    label->setStyleSheet(cellLabelStyleSheet(lastRow, firstColumn));
}

QString scrollBarStyleSheet(Qt::Orientation orientation)
{
    const bool horizontal = orientation == Qt::Horizontal;
    const QString o = horizontal ? QStringLiteral("horizontal") : QStringLiteral("vertical");
    const QString m = horizontal ? QStringLiteral("height") : QStringLiteral("width");
    const QString c = horizontal ? QStringLiteral("width") : QStringLiteral("height");
    const QStringList s = horizontal
        ? QStringList{QStringLiteral("left"), QStringLiteral("right"), QStringLiteral("top"),
                      QStringLiteral("bottom")}
        : QStringList{QStringLiteral("top"), QStringLiteral("bottom"), QStringLiteral("left"),
                      QStringLiteral("right")};
    const QString a1 = horizontal ? QStringLiteral("left") : QStringLiteral("up");
    const QString a2 = horizontal ? QStringLiteral("right") : QStringLiteral("down");

    const QString bar = QStringLiteral("QScrollBar:") + o;
    const QString part = QStringLiteral("QScrollBar::");
    auto line = [&](const QString& position) {
        return QStringList{c + QStringLiteral(": ") + px(0), QStringLiteral("background: transparent"),
                           QStringLiteral("border-radius: ") + px(0),
                           QStringLiteral("subcontrol-position: ") + position,
                           QStringLiteral("subcontrol-origin: padding")};
    };
    auto arrow = [&](const QString& a) {
        return rule(part + a + QStringLiteral("-arrow:") + o,
                    {QStringLiteral("width: ") + px(0), QStringLiteral("height: ") + px(0),
                     QStringLiteral("image: url(:/Widget/") + a + QStringLiteral("_arrow)")},
                    Layout::Tab);
    };

    QString sheet;
    // Nothing separates the background declaration from the thickness declaration.
    sheet += rule(bar,
                  {QStringLiteral("background: ") + name(QColor(73, 73, 73)) + QStringLiteral(";")
                       + m + QStringLiteral(": ") + px(8),
                   QStringLiteral("padding-") + s[0] + QStringLiteral(": ") + px(0),
                   QStringLiteral("padding-") + s[1] + QStringLiteral(": ") + px(0),
                   QStringLiteral("padding-") + s[2] + QStringLiteral(": ") + px(0),
                   QStringLiteral("padding-") + s[3] + QStringLiteral(": ") + px(0),
                   QStringLiteral("border-radius: ") + px(4), QStringLiteral("border: ") + px(0)},
                  Layout::Tab);
    sheet += rule(part + QStringLiteral("handle:") + o,
                  {QStringLiteral("background: ") + name(QColor(92, 92, 92)),
                   QStringLiteral("border-radius: ") + px(4)},
                  Layout::Tab);
    sheet += rule(part + QStringLiteral("handle:") + o + QStringLiteral(":hover"),
                  {QStringLiteral("background: ") + name(QColor(QStringLiteral("#6f6f6f")))},
                  Layout::Tab);
    sheet += rule(part + QStringLiteral("handle:") + o + QStringLiteral(":pressed"),
                  {QStringLiteral("background: ") + name(QColor(QStringLiteral("#555555")))},
                  Layout::Tab);
    sheet += rule(part + QStringLiteral("handle:") + o + QStringLiteral(":disabled"),
                  {QStringLiteral("background: ") + name(QColor(123, 123, 123))}, Layout::Tab);
    sheet += rule(part + QStringLiteral("sub-line:") + o, line(s[0]),
                  Layout::Tab);
    sheet += rule(part + QStringLiteral("sub-page:") + o,
                  {QStringLiteral("background: transparent")}, Layout::Tab);
    sheet += rule(part + QStringLiteral("add-line:") + o, line(s[1]),
                  Layout::Tab, &kTab2);
    sheet += rule(part + QStringLiteral("add-page:") + o,
                  {QStringLiteral("background: transparent")}, Layout::Tab);
    sheet += arrow(a1);
    sheet += arrow(a2);
    return sheet;
}

void setScrollBarStyle2(QScrollBar* bar, Qt::Orientation orientation)
{
    bar->setStyleSheet(scrollBarStyleSheet(orientation));
}

void setScrollBarStyle(QScrollBar* bar)
{
    setScrollBarStyle2(bar, Qt::Vertical);
}

QString textEditScrollBarStyleSheet()
{
    const QString bar = name(QColor(73, 73, 73));
    const QString radius = QStringLiteral("border-radius:") + px(4);
    auto line = [&](const QString& position) {
        return QStringList{QStringLiteral("height: ") + px(8), QStringLiteral("background: ") + bar,
                           radius, QStringLiteral("subcontrol-position: ") + position,
                           QStringLiteral("subcontrol-origin: margin"),
                           QStringLiteral("border: ") + px(0)};
    };
    return rule(QStringLiteral("QScrollBar:vertical"),
                {QStringLiteral("background: ") + bar, QStringLiteral("width: ") + px(8),
                 QStringLiteral("border: ") + px(0), radius, QStringLiteral("margin: ") + px(0)},
                Layout::Tab)
        + rule(QStringLiteral("QScrollBar::handle:vertical"),
               {QStringLiteral("min-height: ") + px(30),
                QStringLiteral("background: ") + name(QColor(27, 157, 255)), radius},
               Layout::Tab)
        + rule(QStringLiteral("QScrollBar::handle:vertical:hover"),
               {QStringLiteral("background: ") + name(QColor(70, 184, 255))}, Layout::Tab)
        + rule(QStringLiteral("QScrollBar::handle:vertical:pressed"),
               {QStringLiteral("background: ") + name(QColor(26, 142, 230))}, Layout::Tab)
        + rule(QStringLiteral("QScrollBar::sub-line:vertical"), line(QStringLiteral("top")),
               Layout::Tab)
        + rule(QStringLiteral("QScrollBar::sub-page:vertical"),
               {QStringLiteral("background: transparent")}, Layout::Tab)
        + rule(QStringLiteral("QScrollBar::add-line:vertical"), line(QStringLiteral("bottom")),
               Layout::Tab)
        + rule(QStringLiteral("QScrollBar::add-page:vertical"),
               {QStringLiteral("background: transparent")}, Layout::Tab);
}

void setTextEditScrollBarStyle(QScrollBar* bar)
{
    bar->setStyleSheet(textEditScrollBarStyleSheet());
}

namespace {
// Colours shared by the combo-box and spin-box sheets.
const QColor kFieldText(QStringLiteral("#9DA1A6"));
const QColor kFieldBorder(80, 80, 80);
const QColor kFieldBackground(33, 33, 33);
const QColor kFieldBlue(27, 157, 255);
const QColor kFieldHover(45, 45, 45);
const QColor kFieldDisabledText(QStringLiteral("#565759"));
const QColor kFieldDisabledBackground(40, 40, 40);
} // namespace

QString comboBoxStyleSheet()
{
    const QString border = QStringLiteral("border:1px solid ");
    const QString radius = QStringLiteral("border-radius: ") + px(4);
    const QStringList greyBox{radius, border + name(kFieldBorder),
                              QStringLiteral("background-color: ") + name(kFieldBackground)};
    const QStringList disabled{QStringLiteral("color: ") + name(kFieldDisabledText),
                               QStringLiteral("border: 1px solid rgb(52,52,52)"),
                               QStringLiteral("background-color: ") + name(kFieldDisabledBackground),
                               radius};
    const QString item = QStringLiteral("color: white");
    const QString itemBack = QStringLiteral("background: ") + name(QColor(QStringLiteral("#236495")));

    QString sheet;
    sheet += rule(QStringLiteral("QComboBox"),
                  {QStringLiteral("height: ") + px(24), QStringLiteral("padding-left: ") + px(4),
                   QStringLiteral("padding-right: ") + px(20),
                   QStringLiteral("color: ") + name(kFieldText), radius,
                   border + name(kFieldBorder),
                   QStringLiteral("background-color: ") + name(kFieldBackground)},
                  Layout::Tab, nullptr, &kSpace8);
    sheet += rule(QStringLiteral("QComboBox[enter=true]"),
                  {border + name(kFieldBlue), QStringLiteral("background: ") + name(kFieldHover),
                   radius},
                  Layout::Space);
    sheet += rule(QStringLiteral("QComboBox[enter=false]:focus"),
                  {radius, border + name(kFieldBlue),
                   QStringLiteral("background-color: ") + name(kFieldBackground)},
                  Layout::Space);
    sheet += rule(QStringLiteral("QComboBox[enter=false]:!focus"), greyBox, Layout::Space);
    sheet += rule(QStringLiteral("QComboBox:!focus:on"),
                  {QStringLiteral("border: 1px solid ") + name(kFieldBlue),
                   QStringLiteral("background: ") + name(kFieldBackground),
                   QStringLiteral("border-bottom-left-radius: ") + px(0),
                   QStringLiteral("border-bottom-right-radius: ") + px(0)},
                  Layout::Space);
    sheet += rule(QStringLiteral("QComboBox[enter=false]:disabled, QComboBox[enter=true]:disabled"),
                  disabled, Layout::Space);
    sheet += rule(QStringLiteral("QComboBox:off"), greyBox, Layout::Tab);
    sheet += rule(QStringLiteral("QComboBox::disabled"), disabled, Layout::Tab);
    sheet += rule(QStringLiteral("QComboBox QAbstractItemView::item"),
                  {QStringLiteral("height: ") + px(28), QStringLiteral("outline: ") + px(0)},
                  Layout::Tab);
    sheet += rule(QStringLiteral("QListView"),
                  {QStringLiteral("outline: ") + px(0), QStringLiteral("padding-left: ") + px(0),
                   QStringLiteral("border: 1px solid ") + name(kFieldBlue),
                   QStringLiteral("border-bottom-left-radius: ") + px(2),
                   QStringLiteral("border-bottom-right-radius: ") + px(2)},
                  Layout::Tab);
    sheet += rule(QStringLiteral("QListView::item"),
                  {QStringLiteral("color: ") + name(kFieldText),
                   QStringLiteral("background: ") + name(kFieldBackground)},
                  Layout::Tab);
    sheet += rule(QStringLiteral("QListView::item:selected"), {item, itemBack}, Layout::Tab);
    sheet += rule(QStringLiteral("QListView::item:hover "), {item, itemBack}, Layout::Tab);
    sheet += rule(QStringLiteral("QComboBox::down-arrow"),
                  {QStringLiteral("width: ") + px(16), QStringLiteral("height: ") + px(14),
                   QStringLiteral("image: url(:/Widget/down_arrow)")},
                  Layout::Tab);
    sheet += rule(QStringLiteral("QComboBox::down-arrow::hover"),
                  {QStringLiteral("image: url(:/Widget/down_arrow_hover)")}, Layout::Tab);
    sheet += rule(QStringLiteral("QComboBox::down-arrow::pressed"),
                  {QStringLiteral("image: url(:/Widget/down_arrow_hover)")}, Layout::Tab);
    sheet += rule(QStringLiteral("QComboBox::down-arrow::disabled"),
                  {QStringLiteral("image: url(:/Widget/down_arrow_disabled)")}, Layout::Tab);
    sheet += rule(QStringLiteral("QComboBox::drop-down"),
                  {QStringLiteral("padding-right: ") + px(10), QStringLiteral("border: ") + px(0)},
                  Layout::Tab);
    return sheet;
}

void setComboBoxStyle(QComboBox* combo)
{
    combo->setStyleSheet(comboBoxStyleSheet());
}

QString spinBoxStyleSheet()
{
    const QString border = QStringLiteral("border:1px solid ");
    auto button = [](const QString& b) {
        const QString edge = QStringLiteral("0px solid rgb(39, 39, 39)");
        QString sheet;
        sheet += rule(QStringLiteral("QSpinBox::") + b + QStringLiteral("-button"),
                      {QStringLiteral("border-left: ") + edge, QStringLiteral("border-bottom: ") + edge,
                       QStringLiteral("border-bottom-right-radius: ") + px(0),
                       QStringLiteral("image: url(:/Widget/") + b + QStringLiteral("_arrow)")},
                      Layout::Tab);
        sheet += rule(QStringLiteral("QSpinBox::") + b + QStringLiteral("-button:hover"),
                      {QStringLiteral("image: url(:/Widget/") + b + QStringLiteral("_arrow_hover)")},
                      Layout::Tab);
        sheet += rule(QStringLiteral("QSpinBox::") + b + QStringLiteral("-button:pressed"),
                      {QStringLiteral("image: url(:/Widget/") + b + QStringLiteral("_arrow_pressed)")},
                      Layout::Tab);
        sheet += rule(QStringLiteral("QSpinBox::") + b + QStringLiteral("-button::disabled"),
                      {QStringLiteral("border: ") + px(0),
                       QStringLiteral("image: url(:/Widget/") + b + QStringLiteral("_arrow_disabled)")},
                      Layout::Tab);
        return sheet;
    };
    return rule(QStringLiteral("QSpinBox"),
                {QStringLiteral("height: ") + px(24), QStringLiteral("color: ") + name(kFieldText),
                 QStringLiteral("background-color: ") + name(kFieldBackground),
                 border + name(kFieldBorder), QStringLiteral("border-radius: ") + px(4)},
                Layout::Tab, nullptr, &kSpace8)
        + rule(QStringLiteral("QSpinBox:hover"),
               {QStringLiteral("background-color: ") + name(kFieldHover), border + name(kFieldBlue)},
               Layout::Space)
        + rule(QStringLiteral("QSpinBox:focus"),
               {QStringLiteral("color: ") + name(kFieldText), border + name(kFieldBlue)}, Layout::Tab)
        + rule(QStringLiteral("QSpinBox:disabled"),
               {QStringLiteral("color: ") + name(kFieldDisabledText),
                QStringLiteral("border: 1px solid rgb(52, 52, 52)"),
                QStringLiteral("background-color: ") + name(kFieldDisabledBackground)},
               Layout::Tab)
        + button(QStringLiteral("up")) + button(QStringLiteral("down"));
}

void setSpinBoxStyle(QSpinBox* spin)
{
    spin->setStyleSheet(spinBoxStyleSheet());
}

QString sliderStyleSheet(Qt::Orientation orientation)
{
    const bool horizontal = orientation == Qt::Horizontal;
    const QString o = horizontal ? QStringLiteral("horizontal") : QStringLiteral("vertical");
    const QString g = horizontal ? QStringLiteral("height") : QStringLiteral("width");
    const QString e1 = horizontal ? QStringLiteral("top") : QStringLiteral("left");
    const QString e2 = horizontal ? QStringLiteral("bottom") : QStringLiteral("right");
    const QString f1 = horizontal ? QStringLiteral("left") : QStringLiteral("top");
    const QString f2 = horizontal ? QStringLiteral("right") : QStringLiteral("bottom");
    const QString p1 = horizontal ? QStringLiteral("add-page") : QStringLiteral("sub-page");
    const QString p2 = horizontal ? QStringLiteral("sub-page") : QStringLiteral("add-page");
    const QString handle = QStringLiteral("QSlider::handle:") + o;
    auto image = [](const QString& suffix) {
        return QStringLiteral("border-image: url(:/Widget/slider_handle") + suffix + QStringLiteral(")");
    };

    QString sheet;
    sheet += rule(QStringLiteral("QSlider"),
                  {QStringLiteral("padding-left: ") + px(2), QStringLiteral("padding-right: ") + px(2),
                   QStringLiteral("padding-top: ") + px(2), QStringLiteral("padding-bottom: ") + px(2)},
                  Layout::Tab);
    sheet += rule(QStringLiteral("QSlider::groove:") + o,
                  {g + QStringLiteral(": ") + px(4), QStringLiteral("background: rgb(48, 48, 48)")},
                  Layout::Tab);
    sheet += rule(QStringLiteral("QSlider:focus"),
                  {QStringLiteral("border: 1px dotted ") + name(QColor(255, 255, 255)),
                   QStringLiteral("border-image: none")},
                  Layout::Tab);
    sheet += rule(handle,
                  {QStringLiteral("width: ") + px(20), QStringLiteral("height: ") + px(20),
                   image(QString()), QStringLiteral("background: transparent"),
                   QStringLiteral("margin-") + e1 + QStringLiteral(": ") + px(-8),
                   QStringLiteral("margin-") + e2 + QStringLiteral(": ") + px(-8),
                   QStringLiteral("margin-") + f1 + QStringLiteral(": ") + px(-4),
                   QStringLiteral("margin-") + f2 + QStringLiteral(": ") + px(-4)},
                  Layout::Tab);
    sheet += rule(handle + QStringLiteral(":hover"), {image(QStringLiteral("_hover"))}, Layout::Tab);
    sheet += rule(handle + QStringLiteral(":pressed"), {image(QStringLiteral("_press"))}, Layout::Tab);
    sheet += rule(handle + QStringLiteral(":disabled"), {image(QStringLiteral("_disable"))},
                  Layout::Tab);
    sheet += rule(QStringLiteral("QSlider::") + p1 + QLatin1Char(':') + o,
                  {QStringLiteral("background: rgb(25, 25, 25)")}, Layout::Tab);
    sheet += rule(QStringLiteral("QSlider::") + p1 + QLatin1Char(':') + o + QStringLiteral(":disabled"),
                  {QStringLiteral("background: rgb(25, 25, 25)")}, Layout::Tab);
    sheet += rule(QStringLiteral("QSlider::") + p2 + QLatin1Char(':') + o,
                  {QStringLiteral("background: #1B9DFF")}, Layout::Tab);
    sheet += rule(QStringLiteral("QSlider::") + p2 + QLatin1Char(':') + o + QStringLiteral(":disabled"),
                  {QStringLiteral("background: rgb(92, 92, 92)")}, Layout::Tab);
    return sheet;
}

void setSliderStyle(QSlider* slider, Qt::Orientation orientation)
{
    slider->setStyleSheet(sliderStyleSheet(orientation));
}

QString buttonImgStyleSheet(const QString& imageName)
{
    const QString url = QStringLiteral("border-image: url(:/Widget/") + imageName;
    return rule(QStringLiteral("QPushButton, QPushButton[hover=false]"), {url + QStringLiteral(")")},
                Layout::Space)
        + rule(QStringLiteral("QPushButton[hover=true]"), {url + QStringLiteral("_hover)")},
               Layout::Space)
        + rule(QStringLiteral("QPushButton:pressed"), {url + QStringLiteral("_pressed)")},
               Layout::Space)
        + rule(QStringLiteral("QPushButton:disabled"),
               {QStringLiteral("border: none"), url + QStringLiteral("_disabled)")}, Layout::Space);
}

void setButtonImgStyle(QPushButton* button, const QString& imageName)
{
    button->setStyleSheet(buttonImgStyleSheet(imageName));
}

WPushButton* CreateMoveButton(QWidget* listWidget, QString objectName)
{
    auto* button = new WPushButton(listWidget);
    button->setObjectName(objectName);
    button->setFixedSize(80, 24);
    button->setEnabled(false);
    // The list widget dispatches on the sender's object name.
    QObject::connect(button, SIGNAL(clicked()), listWidget, SLOT(OnButtonClicked()));
    return button;
}
