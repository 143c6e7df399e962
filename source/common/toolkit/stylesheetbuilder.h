#pragma once
// Shared style-sheet builders of the dark look. Each builds one sheet from its
// arguments and applies it to the widget with setStyleSheet (replacing any sheet it
// had). Images come from ":/Widget/".

#include <QColor>
#include <QFont>
#include <QString>
#include <Qt>

class QComboBox;
class QLabel;
class QPushButton;
class QScrollBar;
class QSlider;
class QSpinBox;
class QWidget;
class WPushButton;

void setLabelStyle(QLabel* label, const QColor& text, const QColor& background, const QColor& border);
// `owner` hosts the table; the sheet does not depend on it. Null label: nothing.
void setCellLabelStyle(QWidget* owner, QLabel* label, bool lastRow, bool firstColumn);
void setScrollBarStyle(QScrollBar* bar);  // the vertical sheet of setScrollBarStyle2
void setScrollBarStyle2(QScrollBar* bar, Qt::Orientation orientation);
void setTextEditScrollBarStyle(QScrollBar* bar);
void setComboBoxStyle(QComboBox* combo);
void setSpinBoxStyle(QSpinBox* spin);
void setSliderStyle(QSlider* slider, Qt::Orientation orientation);
void setButtonImgStyle(QPushButton* button, const QString& imageName);
// The dark menus' font: bold, at the size the user chose (the application font's).
// A pop-up does not inherit its parent's font, so each menu is given it.
QFont menuFont();

// The sheet texts themselves (what the setters above apply).
QString labelStyleSheet(const QColor& text, const QColor& background, const QColor& border);
QString cellLabelStyleSheet(bool lastRow, bool firstColumn);
QString scrollBarStyleSheet(Qt::Orientation orientation);
QString textEditScrollBarStyleSheet();
QString comboBoxStyleSheet();
QString spinBoxStyleSheet();
QString sliderStyleSheet(Qt::Orientation orientation);
QString buttonImgStyleSheet(const QString& imageName);

// A move button of the list editors ("btn_move_up", ...): a WPushButton child of
// `listWidget`, fixed 80 x 24, disabled, no text, clicked() connected to the list
// widget's slot OnButtonClicked().
WPushButton* CreateMoveButton(QWidget* listWidget, QString objectName);
