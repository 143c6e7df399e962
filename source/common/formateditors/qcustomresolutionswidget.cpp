#include "formateditors/qcustomresolutionswidget.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QMutexLocker>
#include <QVBoxLayout>

#include "device/lumivandrexpresenter.h"
#include "device/reportaccess.h"
#include "formateditors/qresolutiondialog.h"
#include "toolkit/timinglisttable.h"

QCustomResolutionsWidget::QCustomResolutionsWidget(QWidget* parent)
    : QWidget(parent)
{
    m_pTable = new QTableWid(timinglist::kVisibleRows, 2, this);
    timinglist::SetupTable(m_pTable, {tr("    Resolutions"), QString()}, {200});

    m_pAddBtn = new WPushButton(tr("Add..."), this);
    m_pModifyBtn = new WPushButton(tr("Modify..."), this);
    m_pDeleteBtn = new WPushButton(tr("Delete"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (WPushButton* button : {m_pAddBtn, m_pModifyBtn, m_pDeleteBtn}) {
        button->setObjectName(QStringLiteral("btn_pane"));
        button->setFixedSize(76, 24);
        buttons->addWidget(button);
        connect(button, &QPushButton::clicked, this, &QCustomResolutionsWidget::OnButtonClicked);
    }
    buttons->setSpacing(12);
    buttons->setContentsMargins(0, 0, 0, 0);
    m_selection.reset(new timinglist::Selection(m_pTable, {m_pModifyBtn, m_pDeleteBtn}));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pTable);
    layout->addStretch(1);
    layout->addLayout(buttons);
    layout->setContentsMargins(10, 0, 10, 16);

    connect(m_pTable, &QTableWidget::cellPressed, this, &QCustomResolutionsWidget::OnCellPressed);
    connect(m_pTable, &QTableWidget::cellClicked, this, &QCustomResolutionsWidget::OnCellClicked);
    connect(m_pTable, &QTableWidget::cellDoubleClicked, this, &QCustomResolutionsWidget::OnCellDoubleClicked);
    connect(m_pTable, &QTableWid::sigKeyNextCell, this, &QCustomResolutionsWidget::OnCellClicked);
    m_selection->Reset();
}

QCustomResolutionsWidget::~QCustomResolutionsWidget() = default;

int QCustomResolutionsWidget::GetSelectedRow() const
{
    return m_selection->Row();
}

void QCustomResolutionsWidget::AddToFocusList(WPageBase* page, QWrapperStack* stack)
{
    page->AddFocusControl(m_pTable, KEY_GROUP_NONE, stack, true);
    page->AddFocusControl(m_pAddBtn, KEY_GROUP_FIRST, stack, true);
    page->AddFocusControl(m_pModifyBtn, KEY_GROUP_MIDDLE, stack, true);
    page->AddFocusControl(m_pDeleteBtn, KEY_GROUP_LAST, stack, true);
}

void QCustomResolutionsWidget::InitCustomResolutionsTab(bool reset)
{
    timinglist::ClearTexts(m_pTable);
    {
        QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
        LumivandrexDevice* dev = g_presenter.GetCurrentDevice();
        if (dev) {
            _KVCAP_CUSTOM_RESOLUTION_LIST list;
            ReadReport(dev, list);   // unread: an empty list
            const int count = KvListCount(list);
            const int rows = qMax(count, timinglist::kVisibleRows);
            timinglist::SetRowCount(m_pTable, rows);
            m_pTable->setFixedHeight(rows == timinglist::kVisibleRows ? 296 : 292);
            for (int i = 0; i < count; ++i)
                timinglist::SetText(m_pTable, i, 0,
                                    QStringLiteral("%1x%2").arg(list.entries[i].width).arg(list.entries[i].height));
        }
    }
    if (reset)
        m_selection->Reset();
}

bool QCustomResolutionsWidget::AddCustomResolution(int width, int height)
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    return ModifyReport<_KVCAP_CUSTOM_RESOLUTION_LIST>(g_presenter.GetCurrentDevice(), [&](auto& list) {
        int count = KvListCount(list);
        // A full list gives up its first entry.
        const int index = count < KVCAP_CUSTOM_RESOLUTIONS ? count++ : 0;
        list.entries[index] = {int16_t(width), int16_t(height)};
        list.count = uint8_t(count);
    });
}

bool QCustomResolutionsWidget::ModifyCustomResolution(int index, int width, int height)
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    return ModifyReport<_KVCAP_CUSTOM_RESOLUTION_LIST>(g_presenter.GetCurrentDevice(), [&](auto& list) {
        if (index < 0 || index >= KvListCount(list))
            return false;
        list.entries[index] = {int16_t(width), int16_t(height)};
        return true;
    });
}

bool QCustomResolutionsWidget::DeleteCustomResolution(int index)
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    return ModifyReport<_KVCAP_CUSTOM_RESOLUTION_LIST>(g_presenter.GetCurrentDevice(), [&](auto& list) {
        const int count = KvListCount(list);
        if (index < 0 || index >= count)
            return false;
        for (int i = index; i + 1 < count; ++i)
            list.entries[i] = list.entries[i + 1];
        list.count = uint8_t(count - 1);
        return true;
    });
}

void QCustomResolutionsWidget::OnCellPressed(int row, int column)
{
    m_selection->Pressed(row, column);
}

void QCustomResolutionsWidget::OnCellClicked(int row, int column)
{
    m_selection->Clicked(row, column);
}

void QCustomResolutionsWidget::OnCellDoubleClicked(int, int)
{
}

bool QCustomResolutionsWidget::RunDialog(QResolutionDialog* dialog, int& width, int& height)
{
    dialog->GetWidthEdit()->setFocus();
    emit sigDialogOpened(dialog);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    if (accepted)
        dialog->GetResolution(width, height);
    delete dialog;
    return accepted;
}

void QCustomResolutionsWidget::OnButtonClicked()
{
    int width = 0;
    int height = 0;
    if (sender() == m_pAddBtn) {
        if (RunDialog(new QResolutionDialog(this), width, height) && AddCustomResolution(width, height)) {
            InitCustomResolutionsTab(true);
            g_presenter.SetUIChanged(true, UI_CHANGE_IMMEDIATE);
        }
    } else if (sender() == m_pModifyBtn) {
        const int row = m_selection->Row();
        auto* label = qobject_cast<QLabel*>(m_pTable->cellWidget(row, 0));
        const QStringList parts = label ? label->text().split(QLatin1Char('x')) : QStringList();
        if (parts.size() < 2)
            return;
        if (RunDialog(new QResolutionDialog(parts[0].toInt(), parts[1].toInt(), this), width, height)
            && ModifyCustomResolution(row, width, height)) {
            InitCustomResolutionsTab(false);
            g_presenter.SetUIChanged(true, UI_CHANGE_IMMEDIATE);
            m_selection->Select(row);
        }
    } else if (sender() == m_pDeleteBtn) {
        if (DeleteCustomResolution(m_selection->Row())) {
            InitCustomResolutionsTab(false);
            g_presenter.SetUIChanged(true, UI_CHANGE_IMMEDIATE);
        }
        m_selection->AfterDelete();
    }
}
