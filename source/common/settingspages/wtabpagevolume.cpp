#include "settingspages/wtabpagevolume.h"

#include <QMutexLocker>
#include <QVBoxLayout>

#include "device/lumivandrexpresenter.h"
#include "toolkit/reportfragment.h"

namespace {
constexpr unsigned char kDeviceInfoReport = 0x01;
constexpr unsigned char kFeatureReport = 0xFF;
} // namespace

WTabPageVolume::WTabPageVolume(QWidget* parent)
    : QWidget(parent)
{
    QVBoxLayout* layout = new QVBoxLayout(this);
    layout->addStretch(1);
    layout->setContentsMargins(16, 16, 16, 16);

    g_presenter.AddNotify(this);
}

WTabPageVolume::~WTabPageVolume()
{
    g_presenter.DeleteNotify(this);
    ClearTabList();
}

void WTabPageVolume::InitPage(unsigned int flags, bool partial)
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    if (LumivandrexDevice* device = g_presenter.GetCurrentDevice()) {
        _KVCAP_FEATURE_FLAGS features{};
        HidGetReport(device, kFeatureReport, reinterpret_cast<unsigned char*>(&features), int(sizeof(features)));
        // Without the volume feature the page stays visible to the container but inert.
        setEnabled((features.features & KVCAP_FEATURE_VOLUME) != 0);
    }
    emit sigPageRefreshed(flags, partial);
}

QString WTabPageVolume::GetExportInfo()
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    tagDEVICE_INSTANCE* instance = g_presenter.GetCurrentInstance();
    if (!instance || !instance->device)
        return QString();
    return reportfragment::BlockBegin(tr("Volume")) + reportfragment::BlockEnd();
}

void WTabPageVolume::setDefaultValue()
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    LumivandrexDevice* device = g_presenter.GetCurrentDevice();
    if (!device)
        return;
    // The model code picks the row of default volumes. The page has no volume
    // controls yet, so there is nothing to set from it.
    _KVCAP_DEVICE_INFO info{};
    HidGetReport(device, kDeviceInfoReport, reinterpret_cast<unsigned char*>(&info), int(sizeof(info)));
}

void WTabPageVolume::OnAIOAudioChanged(bool present)
{
    m_bAudioPresent = present;
}
