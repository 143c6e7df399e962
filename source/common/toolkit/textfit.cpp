#include "toolkit/textfit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <QTextDocument>
#include <QtMath>

#include <algorithm>

namespace {
const char kBaseFont[] = "lvFitBaseFont";     // the font the widget was given
const char kFittedFont[] = "lvFitFont";       // the smaller font it was given here
const int kLeading = 2;

QSize plainTextSize(const QFont& font, const QString& text, int flags = 0)
{
    return QFontMetrics(font).size(flags, text);
}

bool labelFits(const QLabel* label, const QFont& font)
{
    if (label->text().isEmpty())
        return true;
    int indent = label->indent();
    if (indent < 0)
        indent = label->frameWidth() > 0 ? QFontMetrics(font).horizontalAdvance(QLatin1Char('x')) / 2 : 0;
    const bool horizontal = label->alignment() & (Qt::AlignLeft | Qt::AlignRight);
    const bool vertical = label->alignment() & (Qt::AlignTop | Qt::AlignBottom);
    const QRect room = label->contentsRect().adjusted(label->margin() + (horizontal ? indent : 0),
                                                      label->margin() + (vertical ? indent : 0),
                                                      -label->margin(), -label->margin());
    const bool rich = label->textFormat() == Qt::RichText
                      || (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text()));
    QSize needed;
    if (rich) {
        QTextDocument document;
        document.setDefaultFont(font);
        document.setDocumentMargin(0);
        document.setHtml(label->text());
        if (label->wordWrap())
            document.setTextWidth(room.width());
        needed = QSize(qCeil(label->wordWrap() ? document.size().width() : document.idealWidth()),
                       qCeil(document.size().height()));
    } else if (label->wordWrap()) {
        needed = QFontMetrics(font).boundingRect(QRect(0, 0, room.width(), 1 << 20),
                                                 Qt::TextWordWrap, label->text()).size();
    } else {
        needed = plainTextSize(font, label->text());
    }
    return needed.width() <= room.width() && needed.height() <= room.height();
}

// A line of `font` in the room the style leaves for it (centred there); it may reach
// into the font's leading, a pixel above and below, where the widget has the pixels.
bool lineFits(const QWidget* widget, const QFont& font, const QRect& room)
{
    const int margin = qMin(room.top(), widget->height() - 1 - room.bottom());
    return QFontMetrics(font).height() <= room.height() + qBound(0, 2 * margin, kLeading);
}

bool buttonFits(const QAbstractButton* button, const QFont& font)
{
    if (button->text().isEmpty())
        return true;
    QStyleOptionButton option;
    option.initFrom(button);
    option.icon = button->icon();
    option.iconSize = button->iconSize();
    QStyle::ContentsType type = QStyle::CT_PushButton;
    QStyle::SubElement contents = QStyle::SE_PushButtonContents;
    if (qobject_cast<const QCheckBox*>(button)) {
        type = QStyle::CT_CheckBox;
        contents = QStyle::SE_CheckBoxContents;
    } else if (qobject_cast<const QRadioButton*>(button)) {
        type = QStyle::CT_RadioButton;
        contents = QStyle::SE_RadioButtonContents;
    }
    // Across: what the style adds to the text (indicator and spacing, padding,
    // borders), measured with an empty text so that no minimum width of the style
    // counts. Up and down: the contents' room, inside a style sheet's border and padding.
    if (type != QStyle::CT_PushButton)
        option.text = QStringLiteral(" ");   // the label spacing counts only beside a text
    const QSize frame = button->style()->sizeFromContents(type, &option, QSize(0, 0), button);
    option.text = button->text();
    const QRect room = button->style()->subElementRect(contents, &option, button);
    return plainTextSize(font, button->text(), Qt::TextShowMnemonic).width() <= button->width() - frame.width()
           && lineFits(button, font, room);
}

// A line edit scrolls a long text, so only its height is fitted.
bool lineEditFits(const QLineEdit* edit, const QFont& font)
{
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit) : 0;
    const QRect room =
        edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit).marginsRemoved(edit->textMargins());
    return lineFits(edit, font, room.adjusted(0, 1, 0, -1));   // QLineEdit keeps a pixel above and below
}

bool comboFits(const QComboBox* combo, const QFont& font)
{
    if (combo->isEditable() || combo->currentText().isEmpty())
        return true;
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = false;
    option.frame = combo->hasFrame();
    const QRect room =
        combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
    return plainTextSize(font, combo->currentText()).width() <= room.width() - 2 && lineFits(combo, font, room);
}
} // namespace

QFont FontFitting(QFont font, const std::function<bool(const QFont&)>& fits)
{
    if (font.pixelSize() <= 0)
        font.setPixelSize(QFontInfo(font).pixelSize());
    while (font.pixelSize() > 1 && !fits(font))
        font.setPixelSize(font.pixelSize() - 1);
    return font;
}

QFont FontFittingWidth(QFont font, const QStringList& texts, int width)
{
    return FontFitting(std::move(font), [&](const QFont& candidate) {
        const QFontMetrics metrics(candidate);
        return std::all_of(texts.cbegin(), texts.cend(),
                           [&](const QString& text) { return metrics.horizontalAdvance(text) <= width; });
    });
}

CTextFitter::CTextFitter(QObject* parent)
    : QObject(parent)
{
}

void CTextFitter::Install()
{
    static CTextFitter* fitter = nullptr;
    if (!fitter) {
        fitter = new CTextFitter(qApp);
        qApp->installEventFilter(fitter);
    }
}

bool CTextFitter::TextFits(const QWidget* widget, const QFont& font)
{
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return labelFits(label, font);
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return buttonFits(button, font);
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
        return lineEditFits(edit, font);
    if (const auto* combo = qobject_cast<const QComboBox*>(widget))
        return comboFits(combo, font);
    return true;
}

bool CTextFitter::eventFilter(QObject* watched, QEvent* event)
{
    // Only the cheap test for the events of every object: the type of the event.
    switch (event->type()) {
    case QEvent::Paint:
        if (watched->property(kBaseFont).isValid())
            fit(static_cast<QWidget*>(watched));
        break;
    case QEvent::Polish:
        if (qobject_cast<QLabel*>(watched) || qobject_cast<QAbstractButton*>(watched)
            || qobject_cast<QLineEdit*>(watched) || qobject_cast<QComboBox*>(watched))
            watched->setProperty(kBaseFont, static_cast<QWidget*>(watched)->font());
        break;
    case QEvent::FontChange:
        // A font the program set itself is the new starting point. A style sheet that
        // polishes the widget again may hand it back the font fitted here: not that one.
        if (!m_bChangingFont && watched->property(kBaseFont).isValid()
            && static_cast<QWidget*>(watched)->font() != watched->property(kFittedFont).value<QFont>())
            watched->setProperty(kBaseFont, static_cast<QWidget*>(watched)->font());
        break;
    default:
        break;
    }
    return false;
}

void CTextFitter::fit(QWidget* widget)
{
    const QFont base = widget->property(kBaseFont).value<QFont>();
    const QFont wanted =
        TextFits(widget, base) ? base : FontFitting(base, [widget](const QFont& f) { return TextFits(widget, f); });
    if (wanted != widget->font()) {
        m_bChangingFont = true;
        widget->setFont(wanted);
        m_bChangingFont = false;
        widget->setProperty(kFittedFont, wanted);
    }
}
