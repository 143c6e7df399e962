#include "formateditors/qimagesizewidget.h"

#include <QLineEdit>
#include <QMutexLocker>

#include <algorithm>

#include "device/lumivandrexpresenter.h"
#include "device/reportaccess.h"
#include "formateditors/formatlists.h"
#include "formateditors/qcustomsizedialog.h"

const _KVSIZE g_arrImageSize[24] = {
    {2048, 1080}, {1920, 1200}, {1920, 1080}, {1680, 1050}, {1600, 1200}, {1440, 900}, {1368, 768},
    {1280, 1024}, {1280, 960},  {1280, 800},  {1280, 720},  {1024, 768},  {1024, 576}, {960, 540},
    {856, 480},   {800, 600},   {768, 576},   {720, 576},   {720, 480},   {640, 480},  {640, 360},
    {0, 0},       {0, 0},       {0, 0},
};

namespace {
constexpr int kBuiltInSizes = 21;
constexpr int kMinSide = 64;

// Large sizes a device may list: once seen they are kept like built-in ones.
bool IsStickySize(int cx, int cy)
{
    return (cx == 2560 && cy == 1440) || (cx == 3840 && cy == 2160) || (cx == 4096 && cy == 2160);
}

// A device size the list does not hold is shown only when it is a sensible capture size.
bool IsAdoptable(qint16 cx, qint16 cy, quint16 maxWidth, quint16 maxHeight)
{
    return cx >= kMinSide && quint16(cx) <= maxWidth && cx % 4 == 0 && cy >= kMinSide && quint16(cy) <= maxHeight
        && cy % 2 == 0;
}
}

bool SortImageSize(const tagIMAGE_SIZE_SET& a, const tagIMAGE_SIZE_SET& b)
{
    return quint16(a.cx) > quint16(b.cx) || (a.cx == b.cx && quint16(a.cy) > quint16(b.cy));
}

QImageSizeWidget::QImageSizeWidget(QWidget* parent)
    : QTwoListEditorOf<tagIMAGE_SIZE_SET>(KVCAP_FRAME_SIZE_MAX, true, parent)
{
    for (int i = 0; i < kBuiltInSizes; ++i)
        m_list.append({0, 0, 1, 0, g_arrImageSize[i].cx, g_arrImageSize[i].cy});
}

bool QImageSizeWidget::IsHidden(int entry) const
{
    return quint16(m_list[entry].cx) > m_nMaxWidth || quint16(m_list[entry].cy) > m_nMaxHeight;
}

QString QImageSizeWidget::EntryText(int entry) const
{
    return QStringLiteral("%1 x %2").arg(m_list[entry].cx).arg(m_list[entry].cy);
}

void QImageSizeWidget::InitImageSizeWidget(bool scrollToEnd, bool resetSelection, const _KVCAP_DEVICE_CAPS* caps)
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    int count = GetStoredCount();
    if (LumivandrexDevice* device = g_presenter.GetCurrentDevice()) {
        _KVCAP_DEVICE_CAPS readCaps;
        if (!caps && ReadReport(device, readCaps))
            caps = &readCaps;
        // The sizes offered depend on the device's maxima: both reads or nothing.
        _KVCAP_FRAME_SIZE_LIST list;
        if (!caps || !ReadReport(device, list))
            return ShowUnknown();
        m_nMaxWidth = caps->maxCaptureWidth;
        m_nMaxHeight = caps->maxCaptureHeight;
        count = formatlists::Count(list);
        const int defaultIndex = formatlists::DefaultIndex(list);
        ResetFlags();
        for (int k = 0; k < count; ++k) {
            const _KVSIZE s = list.sizes[k];
            auto it = std::find_if(m_list.begin(), m_list.end(),
                                   [s](const tagIMAGE_SIZE_SET& e) { return e.cx == s.cx && e.cy == s.cy; });
            if (it == m_list.end()) {
                if (!IsAdoptable(s.cx, s.cy, m_nMaxWidth, m_nMaxHeight))
                    continue;
                m_list.append({0, 0, 0, 0, s.cx, s.cy});
                it = m_list.end() - 1;
            }
            it->bToggled = 1;
            it->bDefault |= k == defaultIndex;
            it->bBuiltIn |= IsStickySize(s.cx, s.cy);
        }
    }
    std::sort(m_list.begin(), m_list.end(), SortImageSize);
    FillTables(count, scrollToEnd, resetSelection);
}

void QImageSizeWidget::Refresh(bool scrollToEnd, bool resetSelection)
{
    InitImageSizeWidget(scrollToEnd, resetSelection);
}

bool QImageSizeWidget::SetImageSizeToggled(int cx, int cy, bool on)
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    const _KVSIZE size{qint16(cx), qint16(cy)};
    return ModifyReport<_KVCAP_FRAME_SIZE_LIST>(
        g_presenter.GetCurrentDevice(), [&](_KVCAP_FRAME_SIZE_LIST& r) { return formatlists::ToggleEntry(r, size, on); });
}

bool QImageSizeWidget::SetDefaultImageSize(int cx, int cy)
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    const _KVSIZE size{qint16(cx), qint16(cy)};
    return ModifyReport<_KVCAP_FRAME_SIZE_LIST>(
        g_presenter.GetCurrentDevice(), [&](_KVCAP_FRAME_SIZE_LIST& r) { return formatlists::SetDefaultValue(r, size); });
}

bool QImageSizeWidget::WriteToggle(int entry, bool on)
{
    return SetImageSizeToggled(m_list[entry].cx, m_list[entry].cy, on);
}

bool QImageSizeWidget::WriteDefault(int entry)
{
    return SetDefaultImageSize(m_list[entry].cx, m_list[entry].cy);
}

int QImageSizeWidget::InsertCustom()
{
    QCustomSizeDialog dialog(m_list, this);
    dialog.GetWidthEdit()->setFocus(Qt::OtherFocusReason);
    if (dialog.exec() != QDialog::Accepted)
        return -1;
    int width = 0, height = 0;
    dialog.GetImageSize(width, height);
    const auto same = [=](const tagIMAGE_SIZE_SET& e) {
        return quint16(e.cx) == quint16(width) && quint16(e.cy) == quint16(height);
    };
    if (std::any_of(m_list.cbegin(), m_list.cend(), same))
        return -1;
    m_list.append({0, 0, 0, 0, qint16(width), qint16(height)});
    InitImageSizeWidget(false, false);   // sorts the list
    const auto added = std::find_if(m_list.cbegin(), m_list.cend(), same);
    return added == m_list.cend() ? -1 : int(added - m_list.cbegin());
}
