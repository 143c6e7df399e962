#include "statuspages/wtabpageinfo.h"

#include <QLabel>
#include <QMutexLocker>
#include <QVBoxLayout>

#include "device/devicetext.h"
#include "device/lumivandrexpresenter.h"
#include "platform/windowhelpers.h"
#include "toolkit/reportfragment.h"
#include "toolkit/cfocusmanager.h"
#include "toolkit/qtablewid.h"
#include "toolkit/qwrappertablewidget.h"
#include "toolkit/wpushbutton.h"
#include "update/updatemanager.h"

namespace {
constexpr unsigned char kUsbInfoReport = 0x02;
constexpr unsigned char kDeviceCapsReport = 0x03;
constexpr int kUsbInfoLength = 10;
constexpr int kRowCount = 10;
const QString kNotAvailable = QStringLiteral("N/A");
} // namespace

WTabPageInfo::WTabPageInfo(QWidget* parent)
    : QWidget(parent)
{
    m_pPicture = new QLabel(this);
    m_pPicture->setFocusPolicy(Qt::NoFocus);
    m_pPicture->setFixedSize(536, 180);
    m_pPicture->setAlignment(Qt::AlignCenter);
    m_pPicture->setStyleSheet(QStringLiteral("QLabel{background: #2B2B2B; border: 1px solid #1E1E1E; border-radius: 4px;}"));

    m_pInfoTable = new QWrapperTableWidget(false, 32 * kRowCount + 40, RowNames(), 0, this);
    m_pInfoTable->SetUpgradeOptType(1, QString(), QString(), false);

    QVBoxLayout* layout = new QVBoxLayout(this);
    layout->addWidget(m_pPicture);
    layout->addWidget(m_pInfoTable);
    layout->addStretch(1);
    layout->setSpacing(16);
    layout->setContentsMargins(16, 16, 16, 16);

    AddFocusControl(m_pInfoTable->m_pTable);
    if (m_pInfoTable->m_pBtnInfo)
        AddFocusControl(m_pInfoTable->m_pBtnInfo.data());
    if (m_pInfoTable->m_pBtnOpt)
        AddFocusControl(m_pInfoTable->m_pBtnOpt.data());

    g_presenter.AddNotify(this);
    connect(this, &WTabPageInfo::inputStatusChanged, this, &WTabPageInfo::OnInputStatusChanged2);

    InitPage(0, true);
}

WTabPageInfo::~WTabPageInfo()
{
    // Pages live as long as the main window; tests build and drop them.
    g_presenter.DeleteNotify(this);
    ClearTabList();
}

QStringList WTabPageInfo::RowNames()
{
    return {tr("Family name"),         tr("Product name"),        tr("Serial number"), tr("Firmware version"),
            tr("Hardware version"),    tr("Video signal format"), tr("Audio signal format"), tr("USB speed"),
            tr("Max input dimension"), tr("Max capture dimension")};
}

QStringList WTabPageInfo::ReportLabels()
{
    return {tr("Family name:"),         tr("Product name:"),        tr("Serial number:"), tr("Firmware version:"),
            tr("Hardware version:"),    tr("Video signal format:"), tr("Audio signal format:"), tr("USB speed:"),
            tr("Max input dimension:"), tr("Max capture dimension:")};
}

QString WTabPageInfo::FormatFirmwareVersion(quint32 version)
{
    return QStringLiteral("%1.%2.%3").arg(version >> 24).arg((version >> 16) & 0xFF).arg(version & 0xFFFF);
}

QStringList WTabPageInfo::ReadValues()
{
    tagDEVICE_INSTANCE* instance = g_presenter.GetCurrentInstance();
    LumivandrexDevice* device = instance ? instance->device : nullptr;
    if (!device)
        return QStringList();

    const _KVCAP_DEVICE_INFO info = instance->deviceInfo;
    unsigned char usb[kUsbInfoLength] = {};
    _KVCAP_DEVICE_CAPS caps{};
    HidGetReport(device, kUsbInfoReport, usb, kUsbInfoLength);
    HidGetReport(device, kDeviceCapsReport, reinterpret_cast<unsigned char*>(&caps), int(sizeof(caps)));

    QStringList values;
    values << DeviceText(info.familyName) << DeviceText(info.productName) << DeviceText(info.serialNumber)
           << FormatFirmwareVersion(info.firmwareVersion)
           << (info.hardwareVersion ? QString(QChar::fromLatin1(info.hardwareVersion)) : QString())
           // The signal format rows are filled once the input status records are read here.
           << QString() << QString()
           << QStringLiteral("USB %1.0").arg(usb[0])
           << tr("%1x%2 Pixels").arg(caps.maxInputWidth).arg(caps.maxInputHeight)
           << tr("%1x%2 Pixels").arg(caps.maxCaptureWidth).arg(caps.maxCaptureHeight);
    return values;
}

void WTabPageInfo::InitPage(unsigned int flags, bool resetCell)
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    const QStringList values = ReadValues();
    if (values.isEmpty()) {
        if (g_updateManager.m_bInitialized) {
            g_updateManager.StopCheck(CUpdateManager::UPDATE_FIRMWARE);
            g_updateManager.StopDownload();
        }
        m_pInfoTable->SetUpgradeOptType(0, QString(), QString(), false);
        m_values.clear();
        for (int i = 0; i < kRowCount; ++i)
            m_values << kNotAvailable;
        m_pInfoTable->SetValueList(m_values);
        emit sigPageRefreshed(flags, resetCell);
        return;
    }
    m_values = values;
    m_strFirmwareVersion = values.value(3);
    m_pInfoTable->SetValueList(m_values);
    if (resetCell) {
        tagDEVICE_INSTANCE* instance = g_presenter.GetCurrentInstance();
        const int state = g_updateManager.m_bInitialized ? 1 + 9 * (instance && instance->replugPending ? 1 : 0) : 0;
        m_pInfoTable->SetUpgradeOptType(state, QString(), QString(), false);
    }
    emit sigPageRefreshed(flags, resetCell);
}

QString WTabPageInfo::GetExportInfo()
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    const QStringList values = ReadValues();
    if (values.isEmpty())
        return QString();
    const QStringList labels = ReportLabels();
    QString block = reportfragment::BlockBegin(tr("Info"));
    for (int i = 0; i < labels.size() && i < values.size(); ++i) {
        if (i == 5 || i == 6)
            continue;   // not read yet: no row rather than an empty claim
        block += reportfragment::Row(labels.at(i), values.at(i));
    }
    block += reportfragment::BlockEnd();
    return block;
}

void WTabPageInfo::OnInputStatusChanged(quint64 mask)
{
    emit inputStatusChanged(mask);
}

void WTabPageInfo::OnInputStatusChanged2(quint64 mask)
{
    Q_UNUSED(mask)
    InitPage(0, false);
}

void WTabPageInfo::OnMinimum()
{
    emit sigUpgradeStatus(3);
    if (QWidget* mainWindow = g_focusManager.GetMainFocusWid())
        showMacWindowMinized(mainWindow->winId());
}

void WTabPageInfo::OnResetActiveWindow()
{
}
