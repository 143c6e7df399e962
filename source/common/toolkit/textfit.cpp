#include "toolkit/textfit.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <QTextDocument>
#include <QtMath>

#include <algorithm>
#include <limits>

namespace {
const char kBaseFont[] = "lvFitBaseFont";   // the font the widget was given, for those who look
const char kFitsAlone[] = "lvFitAlone";
const char kColumnsAsOne[] = "lvFitColumnsAsOne";
const int kLeading = 2;

QSize plainTextSize(const QFont& font, const QString& text, int flags = 0)
{
    return QFontMetrics(font).size(flags, text);
}

// A line of `font` in the room the style leaves for it (centred there); it may reach
// into the font's leading, a pixel above and below, where the widget has the pixels.
// The line is the font's own: glyphs of a fallback font (Chinese) come with a taller
// line than their glyphs need. `height` is the widget's.
bool lineFits(int height, const QFont& font, const QRect& room)
{
    const int margin = qMin(room.top(), height - 1 - room.bottom());
    return QFontMetrics(font).height() <= room.height() + qBound(0, 2 * margin, kLeading);
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
        if (!label->text().contains(QLatin1Char('\n')))
            return needed.width() <= room.width() && lineFits(label->height(), font, room);
    }
    return needed.width() <= room.width() && needed.height() <= room.height();
}

// Where Qt paints a button's text: inside a push button's frame (a style sheet's border
// and padding) and beside its icon, beside a check box's or radio button's indicator.
QRect buttonTextRoom(const QAbstractButton* button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    option.icon = button->icon();
    option.iconSize = button->iconSize();
    QStyle::SubElement contents = QStyle::SE_PushButtonContents;
    if (qobject_cast<const QCheckBox*>(button)) {
        contents = QStyle::SE_CheckBoxContents;
    } else if (qobject_cast<const QRadioButton*>(button)) {
        contents = QStyle::SE_RadioButtonContents;
    } else if (const auto* push = qobject_cast<const QPushButton*>(button)) {
        if (push->isFlat())
            option.features |= QStyleOptionButton::Flat;
        if (push->isDefault())
            option.features |= QStyleOptionButton::DefaultButton;
        if (push->autoDefault())
            option.features |= QStyleOptionButton::AutoDefaultButton;
    } else {
        return button->rect().adjusted(3, 3, -3, -3);   // a tool button's frame
    }
    QRect room = button->style()->subElementRect(contents, &option, button);
    if (!button->icon().isNull() && contents == QStyle::SE_PushButtonContents)
        room.setLeft(room.left() + button->iconSize().width() + 4);
    return room;
}

bool buttonFits(const QAbstractButton* button, const QFont& font)
{
    if (button->text().isEmpty())
        return true;
    // Across by the glyphs' advances, as the line is centred on them, unrounded: a
    // fraction of a pixel past the room clips the last glyph. "&&" shows one "&".
    const QString shown = QString(button->text()).replace(QLatin1String("&&"), QChar(1)).remove(QLatin1Char('&'));
    const QRect room = buttonTextRoom(button);
    return QFontMetricsF(font).horizontalAdvance(shown) <= room.width()
           && lineFits(button->height(), font, room);
}

// A line edit scrolls a long text, so only its height is fitted: its own, or one it could
// be given.
bool lineEditFits(const QLineEdit* edit, const QFont& font, int height)
{
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.rect.setHeight(height);
    option.lineWidth = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit) : 0;
    const QRect room =
        edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit).marginsRemoved(edit->textMargins());
    return lineFits(height, font, room.adjusted(0, 1, 0, -1));   // QLineEdit keeps a pixel above and below
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
    return plainTextSize(font, combo->currentText()).width() <= room.width() - 2 && lineFits(combo->height(), font, room);
}

bool isFitted(const QObject* object)
{
    return qobject_cast<const QLabel*>(object) || qobject_cast<const QAbstractButton*>(object)
           || qobject_cast<const QLineEdit*>(object) || qobject_cast<const QComboBox*>(object);
}

bool fitsAlone(const QObject* object)
{
    return object->property(kFitsAlone).toBool();
}

// Captions share a size with the captions of their column, editors with its editors.
bool isCaption(const QObject* object)
{
    return (qobject_cast<const QLabel*>(object) || qobject_cast<const QAbstractButton*>(object)) && !fitsAlone(object);
}

bool isEditor(const QObject* object)
{
    return (qobject_cast<const QLineEdit*>(object) || qobject_cast<const QComboBox*>(object)) && !fitsAlone(object);
}

// A push button or check box with a text, not a tab of a row of tabs.
bool isRowButton(const QWidget* widget)
{
    const auto* button = qobject_cast<const QAbstractButton*>(widget);
    return button && !(button->isCheckable() && button->autoExclusive()) && !button->text().isEmpty()
           && !fitsAlone(widget) && !widget->isHidden();
}

using Collect = void (*)(QWidget* cell, QList<QWidget*>& texts);

// The layout below `top` that holds `widget` itself.
QLayout* layoutHolding(QLayout* top, const QWidget* widget)
{
    for (int i = 0; top && i < top->count(); ++i) {
        if (top->itemAt(i)->widget() == widget)
            return top;
        if (QLayout* found = layoutHolding(top->itemAt(i)->layout(), widget))
            return found;
    }
    return nullptr;
}

// The captions of one cell: the cell's widget or those right inside it.
void addCaptions(QWidget* cell, QList<QWidget*>& captions)
{
    if (!cell || cell->isHidden())
        return;
    if (isCaption(cell)) {
        captions << cell;
        return;
    }
    for (QWidget* child : cell->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (isCaption(child) && !child->isHidden())
            captions << child;
}

// The editors of one cell: the cell's widget, those right inside it, a spin box's line.
void addEditors(QWidget* cell, QList<QWidget*>& editors)
{
    if (!cell || cell->isHidden())
        return;
    const auto textOf = [](QWidget* w) -> QWidget* {   // a spin box's text is its line edit
        return qobject_cast<QAbstractSpinBox*>(w) ? w->findChild<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly) : w;
    };
    QList<QWidget*> found = {textOf(cell)};
    if (!qobject_cast<QAbstractSpinBox*>(cell))
        for (QWidget* child : cell->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            found << textOf(child);
    for (QWidget* editor : found)
        if (editor && isEditor(editor) && !editor->isHidden())
            editors << editor;
}

// The buttons of one place of a row: the place's button, or those of a widget made of
// buttons only (a check box beside the flat button that is its text).
void addRowButtons(QWidget* place, QList<QWidget*>& buttons)
{
    if (!place || place->isHidden())
        return;
    if (isRowButton(place)) {
        buttons << place;
        return;
    }
    const QList<QWidget*> parts = place->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    if (std::all_of(parts.cbegin(), parts.cend(), [](QWidget* part) { return qobject_cast<QAbstractButton*>(part); }))
        for (QWidget* part : parts)
            if (isRowButton(part))
                buttons << part;
}

void addTexts(QWidget* cell, QList<QWidget*>& texts)
{
    addCaptions(cell, texts);
    addEditors(cell, texts);
}

// The texts `collect` finds in the column `cell` stands in (of a table's cell widgets,
// of a grid or a form), or, for buttons, in its row or column of a box layout. Empty when
// it is in none.
QList<QWidget*> lineOf(QWidget* cell, Collect collect)
{
    QList<QWidget*> captions;
    QWidget* parent = cell->parentWidget();
    if (const auto* view = qobject_cast<const QAbstractItemView*>(parent ? parent->parentWidget() : nullptr)) {
        if (view->viewport() != parent || !view->model())
            return captions;
        if (view->property(kColumnsAsOne).toBool())
            collect = addTexts;
        const QModelIndex at = view->indexAt(cell->geometry().center());
        for (int row = 0; at.isValid() && row < view->model()->rowCount(at.parent()); ++row)
            collect(view->indexWidget(view->model()->index(row, at.column(), at.parent())), captions);
        return captions;
    }
    QLayout* layout = parent ? layoutHolding(parent->layout(), cell) : nullptr;
    if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
        int row, column, rowSpan, columnSpan;
        grid->getItemPosition(grid->indexOf(cell), &row, &column, &rowSpan, &columnSpan);
        for (int i = 0; columnSpan == 1 && i < grid->count(); ++i) {
            int itemColumn, itemSpan;
            grid->getItemPosition(i, &row, &itemColumn, &rowSpan, &itemSpan);
            if (itemColumn == column && itemSpan == 1)
                collect(grid->itemAt(i)->widget(), captions);
        }
    } else if (auto* form = qobject_cast<QFormLayout*>(layout)) {
        int row;
        QFormLayout::ItemRole role;
        form->getItemPosition(form->indexOf(cell), &row, &role);
        for (int r = 0; role != QFormLayout::SpanningRole && r < form->rowCount(); ++r)
            if (QLayoutItem* item = form->itemAt(r, role))
                collect(item->widget(), captions);
    } else if (qobject_cast<QBoxLayout*>(layout) && collect == addCaptions) {
        for (int i = 0; i < layout->count(); ++i)
            addRowButtons(layout->itemAt(i)->widget(), captions);
        if (captions.size() < 2)   // a lone button of a row is no group
            captions.clear();
    }
    return captions;
}
} // namespace

void FitTextAlone(QWidget* widget, bool alone)
{
    widget->setProperty(kFitsAlone, alone);
}

void FitColumnsAsOne(QAbstractItemView* view)
{
    view->setProperty(kColumnsAsOne, true);
}

int LineEditHeightFitting(const QLineEdit* edit, const QFont& font)
{
    int height = edit->height();
    const int most = height + QFontMetrics(font).height();
    while (height < most && !lineEditFits(edit, font, height))
        ++height;
    return height;
}

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
        const QFontMetricsF metrics(candidate);
        return std::all_of(texts.cbegin(), texts.cend(),
                           [&](const QString& text) { return metrics.horizontalAdvance(text) <= width; });
    });
}

QList<QWidget*> TextGroupOf(QWidget* widget)
{
    QList<QWidget*> group;
    if (fitsAlone(widget))
        return {widget};
    auto* button = qobject_cast<QAbstractButton*>(widget);
    QLayout* row = widget->parentWidget() ? layoutHolding(widget->parentWidget()->layout(), widget) : nullptr;
    if (button && button->isCheckable() && button->autoExclusive() && qobject_cast<QBoxLayout*>(row)) {
        for (int i = 0; i < row->count(); ++i) {
            auto* tab = qobject_cast<QAbstractButton*>(row->itemAt(i)->widget());
            if (tab && tab->isCheckable() && tab->autoExclusive() && !tab->isHidden())
                group << tab;
        }
    } else if (isCaption(widget) || isEditor(widget)) {
        // The line of the widget itself or of the one it lies in: a flat button that is a
        // check box's text, a spin box's line edit, each in a cell widget.
        const Collect collect = isCaption(widget) ? addCaptions : addEditors;
        QWidget* cell = widget;
        for (int depth = 0; depth < 3 && !group.contains(widget) && cell && !cell->isWindow(); ++depth) {
            group = lineOf(cell, collect);
            cell = cell->parentWidget();
        }
    }
    if (!group.contains(widget))
        group = {widget};
    return group;
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
        return lineEditFits(edit, font, edit->height());
    if (const auto* combo = qobject_cast<const QComboBox*>(widget))
        return comboFits(combo, font);
    return true;
}

// The text whose change calls for a new fit; none for a line edit, whose text scrolls.
QString CTextFitter::FittedText(const QWidget* widget)
{
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (const auto* combo = qobject_cast<const QComboBox*>(widget))
        return combo->currentText();
    return QString();
}

bool CTextFitter::eventFilter(QObject* watched, QEvent* event)
{
    // Only the cheap test for the events of every object: the type of the event.
    switch (event->type()) {
    case QEvent::Paint: {
        const auto fit = m_fits.constFind(static_cast<QWidget*>(watched));
        if (fit != m_fits.cend()
            && (fit->size != static_cast<QWidget*>(watched)->size() || fit->text != FittedText(static_cast<QWidget*>(watched))))
            FitGroup(static_cast<QWidget*>(watched));
        break;
    }
    case QEvent::ShowToParent: {
        // Shown again: its group may have been fitted anew while it was hidden.
        const auto fit = m_fits.find(static_cast<QWidget*>(watched));
        if (fit != m_fits.end())
            fit->size = QSize();
        break;
    }
    case QEvent::Polish:
        if (isFitted(watched) && !m_fits.contains(static_cast<QWidget*>(watched))) {
            auto* widget = static_cast<QWidget*>(watched);
            m_fits.insert(widget, {widget->font(), widget->font(), QString(), QSize()});
            widget->setProperty(kBaseFont, widget->font());
            connect(widget, &QObject::destroyed, this, [this, widget] { m_fits.remove(widget); });
        }
        break;
    case QEvent::FontChange:
    case QEvent::StyleChange: {
        // A font the program set itself is the new starting point. A style sheet that
        // polishes the widget again may hand it back the font fitted here: not that one.
        const auto fit = m_fits.find(static_cast<QWidget*>(watched));
        if (m_bChangingFont || fit == m_fits.end())
            break;
        const QFont font = static_cast<QWidget*>(watched)->font();
        if (event->type() == QEvent::FontChange && font != fit->fitted) {
            fit->base = fit->fitted = font;
            watched->setProperty(kBaseFont, font);
        }
        fit->size = QSize();   // fitted anew before the next paint
        break;
    }
    default:
        break;
    }
    return false;
}

// Each text of the group is fitted from the font it was given, and the group takes the
// smallest size any of them needed; a text given a smaller font than that keeps its own.
void CTextFitter::FitGroup(QWidget* widget)
{
    QList<QWidget*> group = TextGroupOf(widget);
    group.erase(std::remove_if(group.begin(), group.end(), [this](QWidget* w) { return !m_fits.contains(w); }),
                group.end());
    int size = std::numeric_limits<int>::max();
    for (QWidget* member : group) {
        const QFont& base = m_fits[member].base;
        if (!TextFits(member, base))
            size = qMin(size, FontFitting(base, [member](const QFont& f) { return TextFits(member, f); }).pixelSize());
    }
    for (QWidget* member : group) {
        Fit& fit = m_fits[member];
        QFont wanted = fit.base;
        if (QFontInfo(wanted).pixelSize() > size)
            wanted.setPixelSize(size);
        fit.text = FittedText(member);
        fit.size = member->size();
        fit.fitted = wanted;
        if (wanted != member->font()) {
            m_bChangingFont = true;
            member->setFont(wanted);
            m_bChangingFont = false;
        }
    }
}
