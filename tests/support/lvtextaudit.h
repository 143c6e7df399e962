#pragma once
// Finds the texts of a shown window that do not fit the widget showing them, measured
// the way Qt lays them out and paints them: by the widget's own font metrics and the
// rectangle its style gives the text, rich text as a document, and a text widget that
// lies outside its parent (or its window) as cut as well.
//
//   QList<lvtest::CutText> cuts = lvtest::findCutTexts(window);   // window shown, laid out
//   for (const lvtest::CutText& cut : cuts) qInfo("%s", qPrintable(cut.description));
//   lvtest::saveCutScreenshot(window, cuts, "name");   // <screenshots>/name.png, cuts outlined
//
// A text ending in an ellipsis whose widget has a tooltip counts as whole. Pixmap and
// movie labels, empty texts, hidden and zero-sized widgets are left out.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextEdit>
#include <QtMath>

#include "lvtestsupport.h"

namespace lvtest {

struct CutText {
    QPointer<QWidget> widget;
    QString text;          // what the widget shows
    QStringList rules;     // width, height, clipped, elided, outside parent, past window
    QString description;   // class#name "text": needs WxH, has WxH [rules]
};

namespace textaudit {

// Vertical room for a font's leading: a text block may be this much taller than its rect.
constexpr int kLeadingSlack = 2;
// The painter places a line at fractions of a pixel: its glyphs may reach this much
// past their computed rows (an antialiased edge, not a cut glyph).
constexpr int kInkSlack = 1;

// What a widget paints as text (mnemonic markers removed), empty when it shows none.
inline QString shownText(const QWidget* w)
{
    if (const auto* label = qobject_cast<const QLabel*>(w)) {
        if (!label->pixmap(Qt::ReturnByValue).isNull() || label->movie())
            return QString();
        return label->text();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(w))
        return QString(button->text()).replace(QLatin1String("&&"), QChar(1)).remove(QLatin1Char('&')).replace(QChar(1), QLatin1Char('&'));
    if (const auto* edit = qobject_cast<const QLineEdit*>(w))
        return edit->displayText();
    if (const auto* combo = qobject_cast<const QComboBox*>(w))
        return combo->isEditable() ? QString() : combo->currentText();
    if (const auto* tabs = qobject_cast<const QTabBar*>(w)) {
        QStringList titles;
        for (int i = 0; i < tabs->count(); ++i)
            titles << tabs->tabText(i);
        return titles.join(QLatin1Char('|'));
    }
    if (const auto* edit = qobject_cast<const QTextEdit*>(w))
        return edit->toPlainText();
    return QString();
}

inline bool isScrolledViewport(const QWidget* w)
{
    const auto* area = w ? qobject_cast<const QAbstractScrollArea*>(w->parentWidget()) : nullptr;
    return area && area->viewport() == w;
}

inline bool underScrolledViewport(const QWidget* w)
{
    for (; w && !w->isWindow(); w = w->parentWidget())
        if (isScrolledViewport(w->parentWidget()))
            return true;
    return false;
}

// The part of `w` (its coordinates) not clipped by its ancestors up to the window; the
// walk ends below a scroll area's viewport, since what that hides can be scrolled to.
inline QRect visibleRect(const QWidget* w)
{
    QRect clip = w->rect();
    QPoint offset;   // w's origin in the ancestor's coordinates
    for (const QWidget* child = w; !child->isWindow() && !isScrolledViewport(child->parentWidget());
         child = child->parentWidget()) {
        offset += child->pos();
        clip &= child->parentWidget()->rect().translated(-offset);
    }
    return clip;
}

// The glyphs of one line of `fm` laid out at `lineTop` (left edge, line top): the part
// above and below the line that is painted (descenders, accents), in widget coordinates.
inline QRect inkOf(const QFontMetrics& fm, const QString& line, QPoint lineTop)
{
    return fm.tightBoundingRect(line).translated(lineTop + QPoint(0, fm.ascent()));
}

struct Measure {
    QSize needed;
    QSize available;
    QStringList rules;
};

// A text block of `needed` size laid out in `room` with `alignment`, lines of `fm`: too
// wide, too tall, or glyphs beyond what the widget shows.
inline void checkBlock(Measure& m, const QWidget* w, const QFontMetrics& fm, const QStringList& lines,
                       QSize needed, const QRect& room, Qt::Alignment alignment, const QRect& clip = QRect())
{
    m.needed = needed;
    m.available = room.size();
    if (needed.width() > room.width())
        m.rules << QStringLiteral("width");
    // One line: its glyphs decide (below); a block of lines must fit its room.
    if (lines.size() != 1 && needed.height() > room.height() + kLeadingSlack)
        m.rules << QStringLiteral("height");
    const QRect block = QStyle::alignedRect(Qt::LeftToRight, alignment, needed, room);
    const QRect shown = clip.isNull() ? visibleRect(w) : visibleRect(w) & clip;
    for (int i = 0; i < lines.size(); ++i) {
        const QRect ink = inkOf(fm, lines[i], QPoint(block.left(), block.top() + i * fm.lineSpacing()));
        if (!lines[i].trimmed().isEmpty()
            && (ink.top() < shown.top() - kInkSlack || ink.bottom() > shown.bottom() + kInkSlack)) {
            m.rules << QStringLiteral("clipped");
            break;
        }
    }
}

// A rich text laid out as QLabel lays it out: its size, and how far down its glyphs
// reach (the last line's, in its block's font); a line box may end below its glyphs.
inline QSize documentSize(const QString& html, const QFont& font, int textWidth, int* inkBottom)
{
    QTextDocument doc;
    doc.setDefaultFont(font);
    doc.setDocumentMargin(0);
    doc.setHtml(html);
    doc.setTextWidth(textWidth);
    qreal bottom = 0;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const qreal top = doc.documentLayout()->blockBoundingRect(block).top();
        const QFontMetricsF fm(block.charFormat().font().resolve(font));
        for (int i = 0; i < block.layout()->lineCount(); ++i) {
            const QTextLine line = block.layout()->lineAt(i);
            const QString text = block.text().mid(line.textStart(), line.textLength());
            if (!text.trimmed().isEmpty())
                bottom = qMax(bottom, top + line.y() + line.ascent() + fm.tightBoundingRect(text).bottom());
        }
    }
    *inkBottom = qCeil(bottom);
    return QSize(qCeil(doc.idealWidth()), qCeil(doc.size().height()));
}

inline Measure measureLabel(const QLabel* label, const QString& text)
{
    Measure m;
    if (text.endsWith(QChar(0x2026))) {
        m.needed = m.available = label->size();
        if (label->toolTip().isEmpty())
            m.rules << QStringLiteral("elided");
        return m;
    }
    const QFontMetrics fm = label->fontMetrics();
    QRect room = label->contentsRect().adjusted(label->margin(), label->margin(), -label->margin(), -label->margin());
    const int indent = label->indent() >= 0 ? label->indent() : (label->frameWidth() > 0 ? fm.horizontalAdvance('x') / 2 : 0);
    if (label->alignment() & Qt::AlignLeft)
        room.setLeft(room.left() + indent);
    else if (label->alignment() & Qt::AlignRight)
        room.setRight(room.right() - indent);
    const bool rich = label->textFormat() == Qt::RichText
        || (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text));
    if (!rich && !label->wordWrap()) {
        const QRect block = fm.boundingRect(room, int(label->alignment()), text);
        checkBlock(m, label, fm, text.split(QLatin1Char('\n')), block.size(), room, label->alignment());
        return m;
    }
    if (!rich) {   // wrapped as the painter wraps it, centred as its alignment says
        const QRect block = fm.boundingRect(room, int(label->alignment()) | Qt::TextWordWrap, text);
        checkBlock(m, label, fm, QStringList(), block.size(), room, label->alignment());
        const QRect shown = visibleRect(label);
        if (!m.rules.contains(QStringLiteral("height"))
            && (block.top() < shown.top() - kLeadingSlack || block.bottom() > shown.bottom() + kLeadingSlack))
            m.rules << QStringLiteral("clipped");
        return m;
    }
    // A document starts at the top of its room when taller than it: its glyphs must end
    // within the room and within what the label shows.
    int inkBottom = 0;
    m.needed = documentSize(text, label->font(), label->wordWrap() ? room.width() : -1, &inkBottom);
    m.available = room.size();
    if (m.needed.width() > room.width())
        m.rules << QStringLiteral("width");
    const int top = room.top() + qMax(0, label->alignment() & Qt::AlignVCenter ? (room.height() - m.needed.height()) / 2
                                         : label->alignment() & Qt::AlignBottom ? room.height() - m.needed.height() : 0);
    if (top + inkBottom > room.bottom() + 1 + kInkSlack)
        m.rules << QStringLiteral("height");
    else if (top + inkBottom > visibleRect(label).bottom() + 1 + kInkSlack)
        m.rules << QStringLiteral("clipped");
    return m;
}

// The room around a button's text, apart from the style's content rectangle (the fitter's
// measure): what the style adds to a text for the size hint, off the button's size.
inline QRect buttonTextRoom(const QAbstractButton* button)
{
    QStyleOptionButton opt;
    opt.initFrom(button);
    opt.text = button->text();
    opt.icon = button->icon();
    opt.iconSize = button->iconSize();
    QStyle::ContentsType type = QStyle::CT_PushButton;
    if (qobject_cast<const QCheckBox*>(button))
        type = QStyle::CT_CheckBox;
    else if (qobject_cast<const QRadioButton*>(button))
        type = QStyle::CT_RadioButton;
    else if (const auto* push = qobject_cast<const QPushButton*>(button)) {
        if (push->isFlat())
            opt.features |= QStyleOptionButton::Flat;
        if (push->isDefault())
            opt.features |= QStyleOptionButton::DefaultButton;
        if (push->autoDefault())
            opt.features |= QStyleOptionButton::AutoDefaultButton;
    } else {
        return button->rect().adjusted(3, 3, -3, -3);   // tool buttons: the frame
    }
    const QSize text(1000, 100), extra = button->style()->sizeFromContents(type, &opt, text, button) - text;
    const int left = type == QStyle::CT_PushButton ? extra.width() / 2 : extra.width();   // centred, or after a box
    QRect room = button->rect().adjusted(left, extra.height() / 2, left - extra.width(), extra.height() / 2 - extra.height());
    if (!button->icon().isNull() && qobject_cast<const QPushButton*>(button))
        room.setLeft(room.left() + button->iconSize().width() + 4);
    return room;
}

inline Measure measureButton(const QAbstractButton* button, const QString& text)
{
    Measure m;
    const QFontMetrics fm = button->fontMetrics();
    const QSize needed(qCeil(QFontMetricsF(fm).horizontalAdvance(text)), fm.height());   // unrounded: a fraction clips
    const QRect room = buttonTextRoom(button);
    // A style sheet's push button paints its text inside its border and padding.
    const bool sheet = qobject_cast<const QPushButton*>(button) && button->style()->inherits("QStyleSheetStyle");
    checkBlock(m, button, fm, QStringList{text}, needed, room, Qt::AlignHCenter | Qt::AlignVCenter,
               sheet ? room : QRect());
    return m;
}

inline Measure measureLineEdit(const QLineEdit* edit, const QString& text)
{
    QStyleOptionFrame opt;
    opt.initFrom(edit);
    opt.rect = edit->contentsRect();
    opt.lineWidth = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, edit) : 0;
    opt.state |= QStyle::State_Sunken;
    // QLineEdit's own margins around its line: 2 pixels at the sides, 1 above and below.
    const QRect room = edit->style()->subElementRect(QStyle::SE_LineEditContents, &opt, edit)
                           .marginsRemoved(edit->textMargins()).adjusted(2, 1, -2, -1);
    Measure m;
    const QFontMetrics fm = edit->fontMetrics();
    checkBlock(m, edit, fm, QStringList{text}, QSize(qCeil(QFontMetricsF(fm).horizontalAdvance(text)), fm.height()), room,
               Qt::AlignLeft | Qt::AlignVCenter);
    return m;
}

inline Measure measureCombo(const QComboBox* combo, const QString& text)
{
    QStyleOptionComboBox opt;
    opt.initFrom(combo);
    opt.editable = false;
    opt.frame = combo->hasFrame();
    opt.currentText = text;
    opt.currentIcon = combo->itemIcon(combo->currentIndex());
    opt.iconSize = combo->iconSize();
    opt.subControls = QStyle::SC_All;
    QRect room = combo->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, combo);
    if (!opt.currentIcon.isNull())
        room.setLeft(room.left() + opt.iconSize.width() + 4);
    room.adjust(1, 0, -1, 0);   // as the style draws the label
    Measure m;
    const QFontMetrics fm = combo->fontMetrics();
    checkBlock(m, combo, fm, QStringList{text}, QSize(qCeil(QFontMetricsF(fm).horizontalAdvance(text)), fm.height()), room,
               Qt::AlignLeft | Qt::AlignVCenter);
    return m;
}

// Tabs: every title within its tab, 4 pixels free on either side.
inline void measureTabs(const QTabBar* tabs, QList<QPair<QString, Measure>>& out)
{
    const QFontMetrics fm = tabs->fontMetrics();
    for (int i = 0; i < tabs->count(); ++i) {
        Measure m;
        m.available = tabs->tabRect(i).adjusted(4, 0, -4, 0).size();
        m.needed = QSize(fm.horizontalAdvance(tabs->tabText(i)), fm.height());
        if (m.needed.width() > m.available.width())
            m.rules << QStringLiteral("width");
        if (m.needed.height() > m.available.height())
            m.rules << QStringLiteral("height");
        out << qMakePair(tabs->tabText(i), m);
    }
}

// A text view is whole when its document fits the viewport or a scroll bar reaches the rest.
inline Measure measureTextEdit(const QTextEdit* edit)
{
    Measure m;
    const QTextDocument* doc = edit->document();
    m.needed = QSize(qCeil(doc->idealWidth()), qCeil(doc->size().height()));
    m.available = edit->viewport()->size();
    if (m.needed.width() > m.available.width() && !edit->horizontalScrollBar()->isVisible())
        m.rules << QStringLiteral("width");
    if (m.needed.height() > m.available.height() + kLeadingSlack && !edit->verticalScrollBar()->isVisible())
        m.rules << QStringLiteral("height");
    return m;
}

// Item and header texts of a view that shows them itself (not through cell widgets).
inline void measureItems(const QAbstractItemView* view, QList<QPair<QString, Measure>>& out)
{
    const QAbstractItemModel* model = view->model();
    if (!model)
        return;
    const QFontMetrics fm = view->fontMetrics();
    const int margin = 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
    if (const auto* header = qobject_cast<const QHeaderView*>(view)) {
        const int headerMargin = 2 * view->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, view);
        for (int i = 0; i < header->count(); ++i) {
            const QString text = model->headerData(i, header->orientation()).toString();
            if (text.isEmpty() || header->isSectionHidden(i) || header->sectionSize(i) <= 0)
                continue;
            Measure m;
            m.needed = QSize(fm.horizontalAdvance(text) + headerMargin, fm.height());
            m.available = header->orientation() == Qt::Horizontal ? QSize(header->sectionSize(i), header->height())
                                                                   : QSize(header->width(), header->sectionSize(i));
            if (m.needed.width() > m.available.width())
                m.rules << QStringLiteral("width");
            out << qMakePair(text, m);
        }
        return;
    }
    for (int row = 0; row < model->rowCount(view->rootIndex()); ++row) {
        for (int column = 0; column < model->columnCount(view->rootIndex()); ++column) {
            const QModelIndex index = model->index(row, column, view->rootIndex());
            const QString text = index.data(Qt::DisplayRole).toString();
            const QRect rect = view->visualRect(index);
            if (text.isEmpty() || rect.isEmpty() || !index.data(Qt::ToolTipRole).toString().isEmpty())
                continue;
            Measure m;
            m.needed = QSize(fm.horizontalAdvance(text) + margin, fm.height());
            m.available = rect.size();
            if (m.needed.width() > m.available.width())
                m.rules << QStringLiteral("width");
            out << qMakePair(text, m);
        }
    }
}

inline bool showsText(const QWidget* w)
{
    if (!shownText(w).isEmpty())
        return true;
    for (const QWidget* child : w->findChildren<QWidget*>())
        if (child->isVisible() && !child->isWindow() && !shownText(child).isEmpty())
            return true;
    return false;
}

inline QString describe(const QWidget* w, const QString& text, const Measure& m)
{
    const QRect g = w->geometry();
    const QString where = m.rules.contains(QStringLiteral("outside parent")) || m.rules.contains(QStringLiteral("past window"))
        ? QStringLiteral(" at %1,%2 %3x%4 in %5x%6").arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height())
              .arg(w->parentWidget()->width()).arg(w->parentWidget()->height())
        : QString();
    QString shown = text;
    shown.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    if (shown.size() > 90)
        shown = shown.left(87) + QStringLiteral("...");
    return QStringLiteral("%1#%2 \"%3\": needs %4x%5, has %6x%7 [%8]")
        .arg(QLatin1String(w->metaObject()->className()), w->objectName(), shown)
        .arg(m.needed.width()).arg(m.needed.height()).arg(m.available.width()).arg(m.available.height())
        .arg(m.rules.join(QStringLiteral(", "))) + where;
}

} // namespace textaudit

// Every visible text of `root` (a page, a dialog, a message box; shown and laid out)
// that does not fit the widget showing it.
inline QList<CutText> findCutTexts(QWidget* root)
{
    using namespace textaudit;
    QList<CutText> cuts;
    const auto add = [&](QWidget* w, const QString& text, const Measure& m) {
        if (!m.rules.isEmpty())
            cuts.append({w, text, m.rules, describe(w, text, m)});
    };
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!w->isVisible() || w->isWindow() || w->width() <= 0 || w->height() <= 0)
            continue;
        // A text scrolled out of sight is measured when it comes into view.
        const QString text = w->visibleRegion().isEmpty() ? QString() : shownText(w);
        Measure m;
        if (!text.isEmpty()) {
            if (const auto* label = qobject_cast<const QLabel*>(w))
                m = measureLabel(label, text);
            else if (const auto* button = qobject_cast<const QAbstractButton*>(w))
                m = measureButton(button, text);
            else if (const auto* edit = qobject_cast<const QLineEdit*>(w))
                m = measureLineEdit(edit, text);
            else if (const auto* combo = qobject_cast<const QComboBox*>(w))
                m = measureCombo(combo, text);
            else if (const auto* view = qobject_cast<const QTextEdit*>(w))
                m = measureTextEdit(view);
        }
        // Views with texts of their own: one measure per tab or item.
        QList<QPair<QString, Measure>> parts;
        if (const auto* tabs = qobject_cast<const QTabBar*>(w))
            measureTabs(tabs, parts);
        else if (const auto* view = qobject_cast<const QAbstractItemView*>(w))
            measureItems(view, parts);
        for (const auto& part : parts)
            add(w, part.first, part.second);
        // Geometry: a widget with text in it lies outside its parent or its window
        // (cell widgets in a scrolled viewport excepted).
        QWidget* parent = w->parentWidget();
        if (!isScrolledViewport(parent) && !parent->rect().contains(w->geometry()) && showsText(w))
            m.rules << QStringLiteral("outside parent");
        else if (!underScrolledViewport(w) && !text.isEmpty()
                 && !root->rect().contains(QRect(w->mapTo(root, QPoint()), w->size())))
            m.rules << QStringLiteral("past window");
        add(w, text.isEmpty() ? QStringLiteral("(box)") : text, m);
    }
    return cuts;
}

// A text as drawn: its pixel size and the size it was given (before any fitting to its box).
struct DrawnText {
    QPointer<QWidget> widget;
    QString text;
    int pixels = 0;
    int given = 0;
};

// Every shown text of `root` with its drawn and given pixel sizes. The given size is the
// one the text fitter started from where it fitted the widget.
inline QList<DrawnText> drawnTexts(QWidget* root)
{
    QList<DrawnText> texts;
    for (QWidget* w : root->findChildren<QWidget*>()) {
        const QString text = textaudit::shownText(w);
        if (text.isEmpty() || !w->isVisible() || w->visibleRegion().isEmpty() || qobject_cast<QTextEdit*>(w))
            continue;
        const QVariant given = w->property("lvFitBaseFont");
        texts.append({w, text, QFontInfo(w->font()).pixelSize(),
                      QFontInfo(given.isValid() ? given.value<QFont>() : w->font()).pixelSize()});
    }
    return texts;
}

// Saves `root` as <screenshots>/<name>.png with every cut widget outlined in red.
inline bool saveCutScreenshot(QWidget* root, const QList<CutText>& cuts, const QString& name)
{
    QPixmap shot = root->grab();
    if (shot.isNull())
        return false;
    QPainter painter(&shot);
    painter.setPen(QPen(Qt::red, 2));
    painter.setBrush(Qt::NoBrush);
    for (const CutText& cut : cuts) {
        const QRect shown = cut.widget ? cut.widget->visibleRegion().boundingRect() : QRect();   // not scrolled away
        if (!shown.isEmpty())
            painter.drawRect(shown.translated(cut.widget->mapTo(root, QPoint())).adjusted(1, 1, -1, -1));
    }
    painter.end();
    return shot.save(screenshotDir() + QLatin1Char('/') + name + QStringLiteral(".png"));
}

} // namespace lvtest
