#include "timingeditors/qtimingcellwidget.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRegExpValidator>
#include <QScrollBar>
#include <QSpinBox>

#include "timingeditors/ediddata.h"
#include "timingeditors/timingmath.h"
#include "toolkit/stylesheetbuilder.h"

namespace {
const QString kLabelSheet = QStringLiteral("QLabel{color:#A0A0A0; background:transparent;}");
}

QTimingCellWidget::QTimingCellWidget(int kind, QWidget* parent)
    : QWidget(parent), m_nKind(kind)
{
    QHBoxLayout* layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 6, 12, 6);
    layout->setSpacing(0);
    layout->addSpacing(24);
    QWidget* editor = nullptr;
    if (kind == KindSpin) {
        m_pSpinBox = new QSpinBox(this);
        m_pSpinBox->setFixedSize(76, 24);
        setSpinBoxStyle(m_pSpinBox);
        editor = m_pSpinBox;
    } else if (kind == KindEdit) {
        m_pLineEdit = new QLineEdit(this);
        m_pLineEdit->setObjectName(QStringLiteral("lineedit_dialog"));
        m_pLineEdit->setFixedSize(76, 24);
        m_pLineEdit->setValidator(new QRegExpValidator(
            QRegExp(QStringLiteral("([1-9][0-9]{0,2})|([1-9][0-9]{0,2}\\.[0-9]{0,2})")), m_pLineEdit));
        editor = m_pLineEdit;
    } else {
        m_pValueLabel = new QLabel(this);
        m_pValueLabel->setFixedWidth(76);
        m_pValueLabel->setStyleSheet(kLabelSheet);
    }
    if (editor) {
        editor->installEventFilter(this);
        layout->addWidget(editor);
    } else {
        layout->addWidget(m_pValueLabel);
    }
    layout->addSpacing(16);
    m_pUnitLabel = new QLabel(this);
    m_pUnitLabel->setFixedWidth(52);
    m_pUnitLabel->setStyleSheet(kLabelSheet);
    layout->addWidget(m_pUnitLabel);
    layout->addStretch(1);
}

QTimingCellWidget::~QTimingCellWidget() = default;

QWidget* QTimingCellWidget::GetEditor() const
{
    if (m_pSpinBox)
        return m_pSpinBox;
    return m_pLineEdit;
}

QString QTimingCellWidget::GetShownText() const
{
    if (m_pSpinBox)
        return m_pSpinBox->text();
    if (m_pLineEdit)
        return m_pLineEdit->text();
    return m_pValueLabel->text();
}

bool QTimingCellWidget::InRange(double value) const
{
    const int v = timingmath::Truncate(value);
    return m_nMin <= v && v <= m_nMax;
}

void QTimingCellWidget::SetCellData(const QVariant& value, const QString& unit, int min, int max)
{
    m_nMin = min;
    m_nMax = max;
    const QString tip = tr("Range: %1 ~ %2").arg(min).arg(max);
    if (m_pSpinBox) {
        m_pSpinBox->setToolTip(tip);
        m_pSpinBox->setRange(min, max);
        connect(m_pSpinBox, QOverload<int>::of(&QSpinBox::valueChanged), this,
                &QTimingCellWidget::onSpinValueChanged, Qt::UniqueConnection);
    } else if (m_pLineEdit) {
        m_pLineEdit->setToolTip(tip);
        connect(m_pLineEdit, &QLineEdit::textEdited, this, &QTimingCellWidget::onEditTextChanged,
                Qt::UniqueConnection);
    }
    SetValue(value);
    m_pUnitLabel->setText(unit);
}

void QTimingCellWidget::SetValue(const QVariant& value)
{
    m_value = value;
    m_bValid = InRange(value.toDouble());
    const int shown = timingmath::Truncate(value.toDouble());
    if (m_pSpinBox) {
        // Setting the box is not a user edit: no valueChanged, no focus grab.
        const QSignalBlocker blocker(m_pSpinBox);
        m_pSpinBox->setValue(shown);
    } else if (m_pLineEdit) {
        m_strLastText = QString::number(value.toDouble(), 'f', 2);
        m_pLineEdit->setText(m_strLastText);
    } else {
        m_pValueLabel->setText(QString::number(shown));
    }
}

void QTimingCellWidget::onSpinValueChanged(int value)
{
    m_value = value;
    m_bValid = InRange(value);
    emit valueChanged(m_value);
    m_pSpinBox->setFocus();
}

void QTimingCellWidget::onEditTextChanged(const QString& text)
{
    const double f = text.toDouble();
    if (f > m_nMax) {
        m_pLineEdit->setText(m_strLastText);
        return;
    }
    m_value = f;
    if (f < m_nMin) {
        m_bValid = false;
    } else {
        m_bValid = true;
        m_strLastText = text;
    }
    emit valueChanged(m_value);
}

bool QTimingCellWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == GetEditor()) {
        if (event->type() == QEvent::FocusIn) {
            emit itemFocused();
        } else if (event->type() == QEvent::KeyRelease && m_pSpinBox) {
            const QString text = m_pSpinBox->cleanText();
            const int v = text.isEmpty() ? 0 : text.toInt();
            m_bValid = !text.isEmpty() && InRange(v);
            emit valueChanged(v);
        } else if (event->type() == QEvent::FocusOut) {
            // Leaving the editor puts back the last value it accepted; whether that
            // value is usable is still decided by the range, not assumed.
            if (m_pLineEdit) {
                m_value = m_strLastText.toDouble();
                m_pLineEdit->setText(m_strLastText);
            }
            m_bValid = InRange(m_value.toDouble());
            emit valueChanged(m_value);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void QTimingCellWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setPen(QColor(0x2A, 0x2A, 0x2A));
    painter.drawLine(0, 0, 0, height() - 1);
    painter.drawLine(0, height() - 1, width() - 1, height() - 1);
    painter.end();
    QWidget::paintEvent(event);
}

QTimingsDetailList::QTimingsDetailList(QWidget* parent)
    : QTableWidget(8, 2, parent)
{
    setObjectName(QStringLiteral("tablewidget_pane"));
    setFixedHeight(290);
    // "Horizontal sync pulse width" whole at 14 pixels bold after the name cells' padding
    // and indent, a few pixels clear of the line; the value column stretches over the rest.
    setColumnWidth(0, 204);
    setFocusPolicy(Qt::NoFocus);
    setTabKeyNavigation(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setShowGrid(false);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verticalScrollBar()->setContextMenuPolicy(Qt::NoContextMenu);
    setScrollBarStyle(verticalScrollBar());
    setStyleSheet(QStringLiteral("QTableWidget#tablewidget_pane{background:#343434; border:2px solid #1E1E1E;"
                                 " border-radius:4px;}"
                                 "QTableWidget#tablewidget_pane::item:selected{background:#343434;}"));
}

QTimingsDetailList::~QTimingsDetailList() = default;

QWarningWidget::QWarningWidget(double maxClock, QWidget* parent)
    : QWidget(parent), m_dMax(maxClock)
{
    m_pIconLabel = new QLabel(this);
    m_pIconLabel->setFixedSize(13, 13);
    m_pIconLabel->setPixmap(QPixmap(QStringLiteral(":/Widget/msg_warning")).scaled(13, 13, Qt::KeepAspectRatio,
                                                                                   Qt::SmoothTransformation));
    m_pTextLabel = new QLabel(this);
    m_pTextLabel->setStyleSheet(QStringLiteral("QLabel{color:#A0A0A0; background:transparent;}"));
    QHBoxLayout* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_pIconLabel);
    layout->addSpacing(8);
    layout->addWidget(m_pTextLabel, 1);
    m_pIconLabel->setVisible(false);
}

QWarningWidget::~QWarningWidget() = default;

bool QWarningWidget::SetPixelClock(double current)
{
    m_dCurrent = current;
    m_pTextLabel->setText(tr("Current Pixel Clock: %1 MHz (%2 MHz at most).")
                              .arg(QString::number(current, 'f', 2), QString::number(m_dMax, 'g')));
    // A clock that rounds to a 0 field is as unusable as one above the ceiling.
    const bool valid = edid::IsPixelClockValid(current, m_dMax);
    m_pIconLabel->setVisible(!valid);
    return valid;
}

QString QWarningWidget::GetText() const
{
    return m_pTextLabel->text();
}

bool QWarningWidget::IsWarningShown() const
{
    return !m_pIconLabel->isHidden();
}
