#include "formateditors/qframeratewidget.h"

#include <QLineEdit>
#include <QMutexLocker>

#include <algorithm>

#include "device/inputstatustext.h"
#include "device/lumivandrexpresenter.h"
#include "device/reportaccess.h"
#include "formateditors/formatlists.h"
#include "formateditors/qcustomfpsdialog.h"

const quint32 g_dwVideoFrameDuration[8] = {166667, 166834, 200000, 333333, 333667, 400000, 666667, 0};

namespace {
constexpr int kBuiltInRates = 7;
// A device rate outside 120..5 fps that the memory list does not hold stays invisible.
constexpr quint32 kShortestAdopted = 83333;
constexpr quint32 kLongestAdopted = 2000000;
}

bool SortFrameRate(const tagFRAME_RATE_SET& a, const tagFRAME_RATE_SET& b)
{
    return a.dwFrameDuration < b.dwFrameDuration;
}

QString FrameRateText(quint32 duration)
{
    return RateText(10000000.0, duration, 2);
}

QFrameRateWidget::QFrameRateWidget(QWidget* parent)
    : QTwoListEditorOf<tagFRAME_RATE_SET>(KVCAP_FRAME_INTERVAL_MAX, false, parent)
{
    for (int i = 0; i < kBuiltInRates; ++i)
        m_list.append({0, 0, 1, 0, g_dwVideoFrameDuration[i]});
}

QString QFrameRateWidget::EntryText(int entry) const
{
    return FrameRateText(m_list[entry].dwFrameDuration);
}

void QFrameRateWidget::InitFrameRateWidget(bool scrollToEnd, bool resetSelection)
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    // Without a device the tables keep the device side they last showed.
    int count = GetStoredCount();
    if (LumivandrexDevice* device = g_presenter.GetCurrentDevice()) {
        _KVCAP_FRAME_INTERVAL_LIST list;
        if (!ReadReport(device, list))
            return ShowUnknown();
        count = formatlists::Count(list);
        const int defaultIndex = formatlists::DefaultIndex(list);
        ResetFlags();
        for (int k = 0; k < count; ++k) {
            const quint32 d = list.durations[k];
            auto it = std::find_if(m_list.begin(), m_list.end(),
                                   [d](const tagFRAME_RATE_SET& e) { return e.dwFrameDuration == d; });
            if (it == m_list.end()) {
                if (d < kShortestAdopted || d > kLongestAdopted)
                    continue;
                m_list.append({0, 0, 0, 0, d});
                it = m_list.end() - 1;
            }
            it->bToggled = 1;
            it->bDefault |= k == defaultIndex;
        }
    }
    std::sort(m_list.begin(), m_list.end(), SortFrameRate);
    FillTables(count, scrollToEnd, resetSelection);
}

void QFrameRateWidget::Refresh(bool scrollToEnd, bool resetSelection)
{
    InitFrameRateWidget(scrollToEnd, resetSelection);
}

bool QFrameRateWidget::SetFrameRateToggled(unsigned int duration, bool on)
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    return ModifyReport<_KVCAP_FRAME_INTERVAL_LIST>(
        g_presenter.GetCurrentDevice(), [&](_KVCAP_FRAME_INTERVAL_LIST& r) { return formatlists::ToggleEntry(r, duration, on); });
}

bool QFrameRateWidget::SetDefaultFrameRate(unsigned int duration)
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    return ModifyReport<_KVCAP_FRAME_INTERVAL_LIST>(
        g_presenter.GetCurrentDevice(), [&](_KVCAP_FRAME_INTERVAL_LIST& r) { return formatlists::SetDefaultValue(r, duration); });
}

bool QFrameRateWidget::WriteToggle(int entry, bool on)
{
    return SetFrameRateToggled(m_list[entry].dwFrameDuration, on);
}

bool QFrameRateWidget::WriteDefault(int entry)
{
    return SetDefaultFrameRate(m_list[entry].dwFrameDuration);
}

int QFrameRateWidget::InsertCustom()
{
    QCustomFpsDialog dialog(m_list, this);
    dialog.GetLineEdit()->setFocus(Qt::OtherFocusReason);
    if (dialog.exec() != QDialog::Accepted)
        return -1;
    const quint32 duration = dialog.GetFrameDuration();
    const auto same = [duration](const tagFRAME_RATE_SET& e) { return e.dwFrameDuration == duration; };
    if (std::any_of(m_list.cbegin(), m_list.cend(), same))
        return -1;
    m_list.append({0, 0, 0, 0, duration});
    InitFrameRateWidget(false, false);   // sorts the list
    const auto added = std::find_if(m_list.cbegin(), m_list.cend(), same);
    return added == m_list.cend() ? -1 : int(added - m_list.cbegin());
}
