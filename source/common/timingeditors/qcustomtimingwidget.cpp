#include "timingeditors/qcustomtimingwidget.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QMutexLocker>
#include <QVBoxLayout>

#include "device/lumivandrexpresenter.h"
#include "device/reportaccess.h"
#include "timingeditors/timingdisplaytext.h"
#include "toolkit/textfit.h"
#include "toolkit/timinglisttable.h"

QCustomTimingWidget::QCustomTimingWidget(QWidget* parent)
    : QWidget(parent)
{
    m_pTable = new QTableWid(timinglist::kVisibleRows, 4, this);
    timinglist::SetupTable(m_pTable, {tr("    Mode"), tr("    Total scan"), tr("    Sync signal"), QString()},
                           {160, 100, 120});
    FitHeaderTitles();
    m_pDeleteBtn = new WPushButton(tr("Delete"), this);
    m_pDeleteBtn->setObjectName(QStringLiteral("btn_pane"));
    m_pDeleteBtn->setFixedSize(76, 24);
    m_selection.reset(new timinglist::Selection(m_pTable, {m_pDeleteBtn}));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_pDeleteBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pTable);
    layout->addStretch(1);
    layout->addLayout(buttons);
    layout->setSpacing(10);
    layout->setContentsMargins(10, 0, 10, 16);

    connect(m_pTable, &QTableWidget::cellPressed, this, &QCustomTimingWidget::OnCellPressed);
    connect(m_pTable, &QTableWidget::cellClicked, this, &QCustomTimingWidget::OnCellClicked);
    connect(m_pTable, &QTableWidget::cellDoubleClicked, this, &QCustomTimingWidget::OnCellDoubleClicked);
    connect(m_pTable, &QTableWid::sigKeyNextCell, this, &QCustomTimingWidget::OnCellClicked);
    connect(m_pDeleteBtn, &QPushButton::clicked, this, &QCustomTimingWidget::OnDeleteCustomTiming);
    m_selection->Reset();
}

QCustomTimingWidget::~QCustomTimingWidget() = default;

void QCustomTimingWidget::FitHeaderTitles()
{
    // The titles keep the headings' size unless one is wider than its fixed column; then
    // all take the largest font that holds every one. A style sheet size, since the
    // application's sheet styles the header and would override a plain font.
    QHeaderView* header = m_pTable->horizontalHeader();
    const int margins = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    QFont heading = m_pTable->font();
    heading.setPixelSize(timinglist::kHeadingPixels);
    const QFont fitted = FontFitting(heading, [&](const QFont& font) {
        const QFontMetricsF metrics(font);
        for (int column = 0; column + 1 < m_pTable->columnCount(); ++column) {
            const QString title = m_pTable->horizontalHeaderItem(column)->text();
            if (metrics.horizontalAdvance(title) + margins > m_pTable->columnWidth(column))
                return false;
        }
        return true;
    });
    header->setStyleSheet(QStringLiteral("QHeaderView{font-size:%1px;}").arg(fitted.pixelSize()));
}

int QCustomTimingWidget::GetSelectedRow() const
{
    return m_selection->Row();
}

void QCustomTimingWidget::AddToFocusList(WPageBase* page, QWrapperStack* stack)
{
    page->AddFocusControl(m_pTable, KEY_GROUP_NONE, stack, true);
    page->AddFocusControl(m_pDeleteBtn, KEY_GROUP_NONE, stack, true);
}

void QCustomTimingWidget::InitCustomTimingTab(bool resetSelection)
{
    timinglist::ClearTexts(m_pTable);
    {
        QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
        LumivandrexDevice* dev = g_presenter.GetCurrentDevice();
        _KVCAP_VIDEO_CUSTOM_TIMING_LIST list;
        if (dev && ReadReport(dev, list)) {
            for (int i = 0; i < KvListCount(list); ++i) {
                const _KVCAP_VIDEO_CUSTOM_TIMING& t = list.timings[i];
                // V active is shown per field, as the device stores it.
                timinglist::SetText(m_pTable, i, 0,
                                    TimingModeText(t.settings.hActive, t.settings.vActive, t.syncInfo.interlaced != 0,
                                                   t.syncInfo.frameDuration));
                timinglist::SetText(m_pTable, i, 1, QStringLiteral("%1x%2").arg(t.settings.hTotal).arg(t.syncInfo.totalLines));
                timinglist::SetText(m_pTable, i, 2, QStringLiteral("ES"));
            }
        }
    }
    if (resetSelection)
        m_selection->Reset();
}

void QCustomTimingWidget::OnCellPressed(int row, int column)
{
    m_selection->Pressed(row, column);
}

void QCustomTimingWidget::OnCellClicked(int row, int column)
{
    m_selection->Clicked(row, column);
}

void QCustomTimingWidget::OnCellDoubleClicked(int, int)
{
}

void QCustomTimingWidget::OnDeleteCustomTiming()
{
    const int row = m_selection->Row();
    bool deleted = false;
    {
        QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
        // Read again before writing: an entry saved meanwhile is kept, and an unread
        // list is never written over.
        deleted = ModifyReport<_KVCAP_VIDEO_CUSTOM_TIMING_LIST>(g_presenter.GetCurrentDevice(), [&](auto& list) {
            const int count = KvListCount(list);
            if (row < 0 || row >= count)
                return false;
            for (int i = row; i + 1 < count; ++i)
                list.timings[i] = list.timings[i + 1];
            list.count = uint8_t(count - 1);
            return true;
        });
        if (deleted)
            InitCustomTimingTab(false);
    }
    if (deleted)
        g_presenter.SetUIChanged(true, UI_CHANGE_IMMEDIATE);
    m_selection->AfterDelete();
}
