#pragma once
// Fitting texts of a large font (the ini allows up to 20 pixels) into controls of a
// fixed size.

#include <QFont>
#include <QObject>
#include <QStringList>

#include <functional>

class QWidget;

// The font, made smaller one pixel at a time until `fits` accepts it (never below
// 1 pixel).
QFont FontFitting(QFont font, const std::function<bool(const QFont&)>& fits);

// The font, made smaller until every text is at most `width` pixels wide.
QFont FontFittingWidth(QFont font, const QStringList& texts, int width);

// Keeps the texts of labels, buttons, line edits and drop-down lists whole where their
// box is smaller than their text at the chosen font (a fixed size, a geometry set by
// hand, a layout that cannot give more). Before such a widget paints, its font becomes
// the font it was given, made smaller until its text fits the room the style leaves
// inside the box, and back to that font once the text fits it again. A word-wrapped
// label keeps its font while the wrapped text fits its height; a line edit, which
// scrolls its text, only while its line fits the height.
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
    explicit CTextFitter(QObject* parent);
    // Whether the text of `widget` fits the room its style leaves at `font`.
    static bool TextFits(const QWidget* widget, const QFont& font);
    void fit(QWidget* widget);
    bool m_bChangingFont = false;   // GUI thread
};
