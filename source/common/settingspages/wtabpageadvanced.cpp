#include "settingspages/wtabpageadvanced.h"

#include <QMutexLocker>
#include <QVBoxLayout>

#include "device/lumivandrexpresenter.h"
#include "toolkit/reportfragment.h"

WTabPageAdvanced::WTabPageAdvanced(QWidget* parent)
    : QWidget(parent)
{
    QVBoxLayout* layout = new QVBoxLayout(this);
    layout->addStretch(1);
    layout->setContentsMargins(16, 16, 16, 16);
}

WTabPageAdvanced::~WTabPageAdvanced()
{
    ClearTabList();
}

void WTabPageAdvanced::InitPage(unsigned int flags, bool partial)
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    setEnabled(g_presenter.GetCurrentDevice() != nullptr);
    emit sigPageRefreshed(flags, partial);
}

QString WTabPageAdvanced::GetExportInfo()
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    tagDEVICE_INSTANCE* instance = g_presenter.GetCurrentInstance();
    if (!instance || !instance->device)
        return QString();
    return reportfragment::BlockBegin(tr("Advanced")) + reportfragment::BlockEnd();
}
