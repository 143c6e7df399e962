#include "qwrappertablewidget.h"

#include "qcelllabel.h"
#include "qtablewid.h"
#include "stylesheetbuilder.h"

#include "logging/lvlogger.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QStyle>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {
const int kRowHeight = 32;
const int kNameColumnWidth = 180;
const int kHeaderHeight = 36;
const int kHeaderFontPixels = 14;
// A value up to this width is shown whole; a wider one is elided to kElideWidth.
const int kValueFitWidth = 300;
const int kElideWidth = 260;
const char* const kCaptionColor = "#A0A0A0";
const char* const kSeparatorColor = "#2A2A2A";

QString initialCellSheet()
{
    const QString sep = QColor(kSeparatorColor).name();
    return QStringLiteral("QLabel{\t\t\t\t\tcolor: ") + QColor(kCaptionColor).name()
        + QStringLiteral(";\t\t\t\t\tbackground: transparent;\t\t\t\t\tpadding-left: 10px;"
                         "\t\t\t\t\tborder-left: ")
        + QString::number(0) + QStringLiteral("px solid ") + sep
        + QStringLiteral(";\t\t\t\t\tborder-bottom: 0px solid ") + sep
        + QStringLiteral(";\t\t\t\t\tborder-right: 0px;\t\t\t\t\tborder-top: 0px;"
                         "\t\t\t\t\tborder-radius: 0px;\t\t\t\t\t}"
                         "QToolTip{\t\t\t\t\tbackground: white;\t\t\t\t\tborder: 1px solid white;\t\t\t\t\t}");
}

// Tooltips are interpreted as rich text when they look like it; a device or
// file name must show literally.
QString plainToolTip(const QString& text)
{
    return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text, Qt::WhiteSpaceNoWrap) : text;
}
}

QWrapperTableWidget::QWrapperTableWidget(bool plain, int height, const QStringList& names, int margin,
                                         QWidget* parent)
    : QWidget(parent)
    , m_pTable(new QTableWid(names.size(), 2, this))
    , m_nRowCount(names.size())
    , m_bPlain(plain)
{
    m_pTable->setFixedHeight(height);
    m_pTable->setColumnWidth(0, kNameColumnWidth);
    m_pTable->setFocusPolicy(Qt::StrongFocus);
    m_pTable->setTabKeyNavigation(false);
    m_pTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pTable->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pTable->setShowGrid(false);

    m_pTable->setHorizontalHeaderLabels({tr("    NAME"), tr("    VALUE")});
    QHeaderView* header = m_pTable->horizontalHeader();
    header->setStretchLastSection(true);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setFixedHeight(kHeaderHeight);
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setHighlightSections(false);
    m_pTable->verticalHeader()->hide();

    m_pTable->verticalScrollBar()->setContextMenuPolicy(Qt::NoContextMenu);
    m_pTable->horizontalScrollBar()->setContextMenuPolicy(Qt::NoContextMenu);
    m_pTable->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    const QString sheet = initialCellSheet();
    for (int r = 0; r < m_nRowCount; ++r) {
        m_pTable->setRowHeight(r, kRowHeight);
        for (int c = 0; c < 2; ++c) {
            if (IsUpdateCell(r, c)) {
                m_pTable->setCellWidget(r, c, CreateUpdateCell());
                continue;
            }
            // Made in the viewport, where the table keeps its cell widgets: a widget
            // moved into another parent is styled anew.
            auto* label = new QCellLabel(c == 0 ? names.at(r) : QStringLiteral("hi"), m_pTable->viewport(), c == 1);
            label->setStyleSheet(sheet);
            m_pTable->setCellWidget(r, c, label);
        }
    }

    m_pTable->setObjectName(QStringLiteral("tablewidget_pane"));
    header->setObjectName(QStringLiteral("headerview_table"));
    // Both were styled as they were made, before they had the names the application
    // style sheet knows them by; a table made in its final parent is not styled again.
    for (QWidget* named : {static_cast<QWidget*>(m_pTable), static_cast<QWidget*>(header)}) {
        named->style()->unpolish(named);
        named->style()->polish(named);
    }

    for (int c = 0; c < m_pTable->columnCount(); ++c) {
        if (QTableWidgetItem* item = m_pTable->horizontalHeaderItem(c)) {
            QFont font = item->font();
            font.setPixelSize(kHeaderFontPixels);
            item->setFont(font);
        }
    }

    setScrollBarStyle(m_pTable->verticalScrollBar());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->addWidget(m_pTable);
    layout->addStretch(1);

    connect(m_pTable, &QTableWidget::cellPressed, this, &QWrapperTableWidget::OnCellPressed);
    connect(m_pTable, &QTableWidget::cellClicked, this, &QWrapperTableWidget::OnCellClicked);
    connect(m_pTable, &QTableWid::sigKeyNextCell, this, &QWrapperTableWidget::OnCellClicked);
    connect(m_pTable, &QTableWidget::cellDoubleClicked, this, &QWrapperTableWidget::OnCellDoubleClicked);
    connect(header, &QHeaderView::sectionClicked, this, &QWrapperTableWidget::OnHeaderViewClicked);
}

bool QWrapperTableWidget::IsUpdateCell(int row, int column) const
{
    return !m_bPlain && row == kUpdateRow && column == 1;
}

void QWrapperTableWidget::SetRowCount(int rows)
{
    if (rows < 0 || m_pTable->rowCount() == rows)
        return;
    if (rows <= kUpdateRow)
        DropUpdateCell();   // the cell's row goes away with the rows below
    m_nRowCount = rows;
    m_pTable->setRowCount(rows);

    for (int i = 0; i < rows; ++i) {
        const bool lastRow = (i == rows - 1);
        for (int c = 0; c < 2; ++c) {
            if (!m_pTable->cellWidget(i, c)) {
                auto* label = new QLabel(this);
                label->setTextFormat(Qt::PlainText);
                label->setIndent(QCellLabel::kTextIndent);   // in line with the first rows
                setLabelStyle2(label, c == 0, true);
                m_pTable->setCellWidget(i, c, label);
                if (i > 0)
                    setLabelStyle2(qobject_cast<QLabel*>(m_pTable->cellWidget(i - 1, c)), c == 0, false);
            }
            if (lastRow)
                setLabelStyle2(qobject_cast<QLabel*>(m_pTable->cellWidget(i, c)), c == 0, true);
        }
        m_pTable->setRowHeight(i, kRowHeight);
    }
}

void QWrapperTableWidget::DropUpdateCell()
{
    if (m_pMovie)
        m_pMovie->stop();
    // The table deletes the cell widget later; forget its parts now so that no
    // operation reaches a cell that is no longer shown.
    m_pVerLabel = nullptr;
    m_pProgress = nullptr;
    m_pMsgLabel = nullptr;
    m_pAnimLabel = nullptr;
    m_pMovie = nullptr;
    m_pBtnInfo = nullptr;
    m_pBtnOpt = nullptr;
}

void QWrapperTableWidget::SetNameList(const QStringList& names)
{
    for (int i = 0; i < m_nRowCount; ++i) {
        if (auto* label = qobject_cast<QLabel*>(m_pTable->cellWidget(i, 0)))
            label->setText(names.value(i));
    }
}

void QWrapperTableWidget::SetValueText(QLabel* label, const QString& text)
{
    const QFontMetrics metrics(label->font());
    if (metrics.horizontalAdvance(text) <= kValueFitWidth) {
        label->setText(text);
        label->setToolTip(QString());   // an old elided value's tooltip would now be wrong
        return;
    }
    label->setText(metrics.elidedText(text, Qt::ElideRight, kElideWidth));
    label->setToolTip(plainToolTip(text));
}

void QWrapperTableWidget::SetValueList(const QStringList& values)
{
    for (int i = 0; i < m_nRowCount; ++i) {
        if (i == kUpdateRow && m_pVerLabel) {
            m_pVerLabel->setText(values.value(kUpdateRow));
            continue;
        }
        if (auto* label = qobject_cast<QLabel*>(m_pTable->cellWidget(i, 1)))
            SetValueText(label, values.value(i));
    }
    m_pTable->clearSelection();
    m_nSelectedRow = -1;
}

void QWrapperTableWidget::SetScrollBarTop()
{
    m_pTable->verticalScrollBar()->setValue(0);
}

void QWrapperTableWidget::setLabelStyle2(QLabel* label, bool firstColumn, bool lastRow)
{
    if (!label)
        return;
    const QString sep = QColor(kSeparatorColor).name();
    label->setStyleSheet(QStringLiteral("QLabel{\t\tcolor: ") + QColor(kCaptionColor).name()
                         + QStringLiteral(";\t\tbackground: transparent;\t\tpadding-left: 10px;\t\tborder-left: ")
                         + QString::number(firstColumn ? 0 : 1) + QStringLiteral("px solid ") + sep
                         + QStringLiteral(";\t\tborder-bottom: ") + QString::number(lastRow ? 0 : 1)
                         + QStringLiteral("px solid ") + sep
                         + QStringLiteral(";\t\tborder-right: 0px;\t\tborder-top: 0px;\t\tborder-radius: 0px;\t\t}"));
}

void QWrapperTableWidget::OnCellPressed(int nRow, int nColumn)
{
    if (IsUpdateCell(nRow, nColumn) && m_pVerLabel) {
        // The standard press handling has already selected row 3; put the
        // selection back where it was, the update cell is no selectable value.
        if (m_nSelectedRow >= 0)
            m_pTable->selectRow(m_nSelectedRow);
        else
            m_pTable->clearSelection();
        return;
    }
    if (m_pTable->CellShowsContent(nRow, nColumn)) {
        m_nSelectedRow = nRow;
        return;
    }
    // An empty row: put the selection back on the last row that showed something.
    if (m_nSelectedRow < 0)
        m_nSelectedRow = 0;
    m_pTable->selectRow(m_nSelectedRow);
    m_pTable->selectColumn(0);
    if (!m_pTable->CellShowsContent(0, 0)) {
        m_pTable->clearSelection();
        m_nSelectedRow = -1;
    }
}

void QWrapperTableWidget::OnCellClicked(int, int) {}

void QWrapperTableWidget::OnCellDoubleClicked(int, int) {}

void QWrapperTableWidget::OnHeaderViewClicked(int)
{
    m_pTable->selectRow(0);
    m_pTable->selectColumn(0);
    m_pTable->clearSelection();
}

// Kept in this file (not with the rest of the update cell) so that the log
// record names the table's own source file.
void QWrapperTableWidget::OnOptBtnClicked()
{
    LV_LOG_INFO(QStringLiteral("user clicked the retry connecting to upgrade server button. m_nOptType=")
                + QString::number(m_nOptType) + QStringLiteral(", now button tool tip=")
                + (m_pBtnOpt ? m_pBtnOpt->toolTip() : QString()));
    emit sigUpgradeOpt(m_nOptType);
}
