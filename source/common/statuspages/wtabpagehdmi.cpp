#include "statuspages/wtabpagehdmi.h"

#include <QLabel>
#include <QMutexLocker>
#include <QVBoxLayout>

#include "device/lumivandrexpresenter.h"
#include "toolkit/reportfragment.h"

WTabPageHdmi::WTabPageHdmi(QWidget* parent)
    : QWidget(parent)
{
    m_pStateLabel = new QLabel(this);
    m_pStateLabel->setStyleSheet(QStringLiteral("QLabel{color: #9DA1A6; background: transparent;}"));
    QVBoxLayout* layout = new QVBoxLayout(this);
    layout->addWidget(m_pStateLabel);
    layout->addStretch(1);
    layout->setContentsMargins(16, 16, 16, 16);

    g_presenter.AddNotify(this);
}

WTabPageHdmi::~WTabPageHdmi()
{
    g_presenter.DeleteNotify(this);
    ClearTabList();
}

void WTabPageHdmi::InitPage(unsigned int flags, bool partial)
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    m_pStateLabel->setText(g_presenter.GetCurrentDevice()
                               ? (m_bVideoSignal ? tr("Video signal present") : tr("No video signal"))
                               : QString());
    emit sigPageRefreshed(flags, partial);
}

QString WTabPageHdmi::GetExportInfo()
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    tagDEVICE_INSTANCE* instance = g_presenter.GetCurrentInstance();
    if (!instance || !instance->device)
        return QString();
    return reportfragment::BlockBegin(tr("HDMI")) + reportfragment::BlockEnd();
}

void WTabPageHdmi::OnVideoChanged(bool present)
{
    m_bVideoSignal = present;
}
