#include "settingspages/wtabpagevideo.h"

#include <QMutexLocker>
#include <QVBoxLayout>

#include "device/lumivandrexpresenter.h"
#include "toolkit/reportfragment.h"

WTabPageVideo::WTabPageVideo(QWidget* parent)
    : QWidget(parent)
{
    QVBoxLayout* layout = new QVBoxLayout(this);
    layout->addStretch(1);
    layout->setContentsMargins(16, 16, 16, 16);

    g_presenter.AddNotify(this);
}

WTabPageVideo::~WTabPageVideo()
{
    g_presenter.DeleteNotify(this);
    ClearTabList();
}

void WTabPageVideo::InitPage(unsigned int flags, bool partial)
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    setEnabled(g_presenter.GetCurrentDevice() != nullptr);
    emit sigPageRefreshed(flags, partial);
}

QString WTabPageVideo::GetExportInfo()
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    tagDEVICE_INSTANCE* instance = g_presenter.GetCurrentInstance();
    if (!instance || !instance->device)
        return QString();
    return reportfragment::BlockBegin(tr("Video")) + reportfragment::BlockEnd();
}
