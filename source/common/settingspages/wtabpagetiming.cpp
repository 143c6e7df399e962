#include "settingspages/wtabpagetiming.h"

#include <QMutexLocker>
#include <QVBoxLayout>

#include "device/lumivandrexpresenter.h"
#include "toolkit/reportfragment.h"
#include "timingeditors/qadjusttimingwidget.h"

WTabPageTiming::WTabPageTiming(QWidget* parent)
    : QWidget(parent)
{
    m_pAdjustTiming = new QAdjustTimingWidget(this);
    QVBoxLayout* layout = new QVBoxLayout(this);
    layout->addWidget(m_pAdjustTiming);
    layout->addStretch(1);
    layout->setContentsMargins(16, 16, 16, 16);

    g_presenter.AddNotify(this);
}

WTabPageTiming::~WTabPageTiming()
{
    g_presenter.DeleteNotify(this);
    ClearTabList();
}

void WTabPageTiming::InitPage(unsigned int flags, bool partial)
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    m_pAdjustTiming->InitAdjustTimingTab(partial);
    setEnabled(g_presenter.GetCurrentDevice() != nullptr);
    emit sigPageRefreshed(flags, partial);
}

QString WTabPageTiming::GetExportInfo()
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    tagDEVICE_INSTANCE* instance = g_presenter.GetCurrentInstance();
    if (!instance || !instance->device)
        return QString();
    return reportfragment::BlockBegin(tr("Timing")) + reportfragment::BlockEnd();
}
