#pragma once
// Controls shared by the custom frame-rate and custom size dialogs.

#include <QColor>
#include <QString>

class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QWidget;
class WPushButton;

// A dialog label: `text` in `colour` on the dialogs' body colour.
QLabel* MakeDialogLabel(const QString& text, const QColor& colour, QWidget* parent);
// The red error line, empty at first.
QLabel* MakeDialogErrorLabel(QWidget* parent);
// A line edit of the dialogs ("lineedit_dialog") that accepts what `pattern` matches.
QLineEdit* MakeDialogLineEdit(const QString& pattern, QWidget* parent);
// The field grid (spacing 8, margins 20, 0, 20, 0, column 2 stretching), left-aligned in
// the returned row.
QHBoxLayout* MakeDialogGrid(QGridLayout** grid);
// One grid row: the field name, " : " and `value` (over `span` columns); returns the name.
QLabel* AddDialogField(QGridLayout* grid, int row, const QString& name, QWidget* value, int span, QWidget* parent);
// The 124 x 32 OK and Cancel buttons in a row of stretch, OK, stretch, Cancel, stretch.
QHBoxLayout* MakeDialogButtons(const QString& okText, const QString& cancelText, WPushButton** ok,
                               WPushButton** cancel, QWidget* parent);
