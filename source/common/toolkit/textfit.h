#pragma once
// Fitting texts of a large font (the ini allows up to 20 pixels) into controls of a
// fixed size.

#include <QFont>
#include <QHash>
#include <QObject>
#include <QSize>
#include <QStringList>

#include <functional>

class QAbstractItemView;
class QLineEdit;
class QWidget;

// The font, made smaller one pixel at a time until `fits` accepts it (never below
// 1 pixel).
QFont FontFitting(QFont font, const std::function<bool(const QFont&)>& fits);

// The font, made smaller until every text is at most `width` pixels wide.
QFont FontFittingWidth(QFont font, const QStringList& texts, int width);

// The widgets whose texts take one size with `widget`'s, itself among them: the captions
// (labels and buttons) of one column of a table's cell widgets, a grid or a form, and
// apart from them its editors (line edits, spin boxes, drop-down lists), each the
// column's widget or right inside it (both together in a table fitted FitColumnsAsOne);
// the buttons of one row or column of a box layout (a check box's text beside its box
// too); the checkable, mutually exclusive buttons of one row (a row of tabs). Hidden ones
// are left out.
QList<QWidget*> TextGroupOf(QWidget* widget);

// The captions and editors of each column of `view`'s cell widgets take one size together,
// not each kind its own: a column of values, some edited and some computed, side by side.
void FitColumnsAsOne(QAbstractItemView* view);

// The height `edit` needs to show a line of `font` whole at the room its style leaves: its
// own where that is enough.
int LineEditHeightFitting(const QLineEdit* edit, const QFont& font);

// `widget`'s text is fitted on its own, in no group, while `alone`: a message shown in a
// column's cell beside or in place of its value.
void FitTextAlone(QWidget* widget, bool alone = true);

// Keeps the texts of labels, buttons, line edits and drop-down lists whole where their
// box is smaller than their text at the chosen font (a fixed size, a geometry set by
// hand, a layout that cannot give more). Such a widget's font becomes the font it was
// given, made smaller until its text fits the room the style leaves inside the box,
// and back to that font once the text fits it again. A word-wrapped label keeps its
// font while the wrapped text fits its height; a line edit, which scrolls its text,
// only while its line fits the height.
//
// Texts that belong together (TextGroupOf) take one size, the largest every one of them
// fits.
//
// The fit is made when a text, a size, a font or a style changed, found out before the
// widget paints; a paint without a change costs a lookup and two comparisons.
//
// Installed once on the application (ApplyStartupLook); it looks at widgets as they
// are polished, so every window and page built afterwards follows it.
class CTextFitter : public QObject
{
    Q_OBJECT
public:
    static void Install();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Fit {
        QFont base;     // the font the widget was given
        QFont fitted;   // the font it has from here
        QString text;   // what the fit was made for
        QSize size;
    };

    explicit CTextFitter(QObject* parent);
    // Whether the text of `widget` fits the room its style leaves at `font`.
    static bool TextFits(const QWidget* widget, const QFont& font);
    static QString FittedText(const QWidget* widget);
    void FitGroup(QWidget* widget);

    QHash<const QWidget*, Fit> m_fits;   // GUI thread
    bool m_bChangingFont = false;        // GUI thread
};
