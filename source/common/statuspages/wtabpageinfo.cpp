#include "statuspages/wtabpageinfo.h"

#include <QFile>
#include <QLabel>
#include <QMutexLocker>
#include <QVBoxLayout>

#include "device/devicetext.h"
#include "device/inputstatustext.h"
#include "device/lumivandrexpresenter.h"
#include "device/reportaccess.h"
#include "device/usbids.h"
#include "toolkit/picturepreload.h"
#include "toolkit/qtablewid.h"
#include "toolkit/qwrappertablewidget.h"
#include "toolkit/reportfragment.h"
#include "toolkit/wpushbutton.h"
#include "update/wfirmwareupgradedlg.h"

namespace {

constexpr int kRowCount = 10;
constexpr int kFirmwareRow = 3;
const QString kNotAvailable = QStringLiteral("N/A");
const QString kNoDevicePicture = QStringLiteral("no_device");

struct ModelPicture {
    quint16 first;
    quint16 last;
    const char* picture;
};

// Model codes are the products' USB product ids.
const ModelPicture kModelPictures[] = {
    {lvusb::kProductMainSingle, lvusb::kProductMainSingle, "capture_hdmi"},
    {lvusb::kProductRangeAFirst, lvusb::kProductRangeALast, "capture_pro"},
    {lvusb::kProductRangeBFirst, lvusb::kProductRangeBLast, "capture_sdi"},
    {lvusb::kProductPartner, lvusb::kProductPartner, "capture_hdmi"},
};

QString VideoSignalText(const _KVCAP_VIDEO_STATUS& video)
{
    switch (video.state) {
    case 0: return WTabPageInfo::tr("Not present");
    case 1: return WTabPageInfo::tr("Unsupported Signal");
    case 2: return WTabPageInfo::tr("Locking Signal");
    case KVCAP_VIDEO_STATE_LOCKED: {
        const QString scan = video.segmented ? QStringLiteral("sF") : video.interlaced ? QStringLiteral("i") : QStringLiteral("p");
        const QString rate = SignalRateText(video.interlaced, video.segmented, video.frameDuration);
        const QString size = QStringLiteral("%1 x %2%3").arg(video.width).arg(video.height).arg(scan);
        return video.frameDuration ? QStringLiteral("%1, %2 Hz").arg(size, rate) : QStringLiteral("%1, %2").arg(size, rate);
    }
    default: return QString();
    }
}

QString AudioSignalText(const _KVCAP_AUDIO_STATUS& audio)
{
    if (audio.channelPairs == 0)
        return WTabPageInfo::tr("Not present");
    return WTabPageInfo::tr("%1 Hz, %2 bits%3")
        .arg(audio.sampleRate)
        .arg(audio.bitsPerSample)
        .arg(audio.lpcm ? QStringLiteral(", LPCM") : QString());
}

} // namespace

QString WTabPageInfo::DeviceKey(const tagDEVICE_INSTANCE* instance)
{
    return QStringLiteral("%1/%2").arg(instance->deviceInfo.productId).arg(DeviceText(instance->deviceInfo.serialNumber));
}

WTabPageInfo::WTabPageInfo(QWidget* parent)
    : QWidget(parent)
{
    m_pPicture = new QLabel(this);
    m_pPicture->setFocusPolicy(Qt::NoFocus);
    m_pPicture->setFixedSize(536, 180);
    m_pPicture->setAlignment(Qt::AlignCenter);
    m_pPicture->setStyleSheet(QStringLiteral("QLabel{background: #2B2B2B; border: 1px solid #1E1E1E; border-radius: 4px;}"));

    m_pInfoTable = new QWrapperTableWidget(false, 32 * kRowCount + 40, RowNames(), 0, this);
    m_pInfoTable->SetUpgradeOptType(OPT_UI_CHECK, QString(), QString(), false);
    connect(m_pInfoTable, &QWrapperTableWidget::sigUpgradeInfo, this, &WTabPageInfo::onClickFirmwareInfo);
    connect(m_pInfoTable, &QWrapperTableWidget::sigUpgradeOpt, this, &WTabPageInfo::onClickFirmwareOpt);

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
    connect(&g_updateManager, &CUpdateManager::statusChangedCheckFirmware, this,
            &WTabPageInfo::onStatusChangedCheckFirmware);
    connect(&g_updateManager, &CUpdateManager::statusChangedDownloadFirmware, this,
            &WTabPageInfo::onStatusChangedDownload);

    // Built without reading the device: the container's reload fills the page.
    m_values = QVector<QString>(kRowCount, kNotAvailable).toList();
    m_pInfoTable->SetValueList(m_values);
}

WTabPageInfo::~WTabPageInfo()
{
    // Pages live as long as the main window; tests build and drop them.
    g_presenter.DeleteNotify(this);
    ClearTabList();
    DiscardFirmwareFile();
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

QString WTabPageInfo::PictureFor(quint16 modelCode)
{
    for (const ModelPicture& entry : kModelPictures) {
        if (modelCode >= entry.first && modelCode <= entry.last)
            return QString::fromLatin1(entry.picture);
    }
    return QString();
}

QString WTabPageInfo::FirstPicturePath(const tagDEVICE_INSTANCE* instance)
{
    const QString name = instance ? PictureFor(instance->deviceInfo.productId) : kNoDevicePicture;
    return name.isEmpty() ? QString() : QStringLiteral(":/Device/") + name;
}

void WTabPageInfo::ShowPicture(const QString& name)
{
    if (name.isEmpty() || name == m_strPicture)
        return;
    m_strPicture = name;
    m_pPicture->setPixmap(LoadPicture(QStringLiteral(":/Device/") + name));
}

QStringList WTabPageInfo::ReadValues(const tagDEVICE_INSTANCE* instance)
{
    LumivandrexDevice* device = instance ? instance->device : nullptr;
    if (!device)
        return QStringList();

    // The identity was read when the device was found; the rest is read now, and what
    // could not be read is unknown (empty), never the zeros of a record left unread.
    const _KVCAP_DEVICE_INFO& info = instance->deviceInfo;
    _KVCAP_USB_INFO usb;
    _KVCAP_DEVICE_CAPS caps;
    _KVCAP_VIDEO_STATUS video;
    _KVCAP_AUDIO_STATUS audio;
    const bool usbRead = ReadReport(device, usb);
    const bool capsRead = ReadReport(device, caps);
    const bool videoRead = ReadReport(device, video);
    const bool audioRead = ReadReport(device, audio);
    auto known = [](bool read, const QString& text) { return read ? text : QString(); };

    QStringList values;
    values << DeviceText(info.familyName) << DeviceText(info.productName) << DeviceText(info.serialNumber)
           << FormatFirmwareVersion(info.firmwareVersion) << DeviceText(&info.hardwareVersion, 1)
           << known(videoRead, VideoSignalText(video)) << known(audioRead, AudioSignalText(audio))
           << known(usbRead, QStringLiteral("USB %1.0").arg(usb.usbSpeed))
           << known(capsRead, tr("%1x%2 Pixels").arg(caps.maxInputWidth).arg(caps.maxInputHeight))
           << known(capsRead, tr("%1x%2 Pixels").arg(caps.maxCaptureWidth).arg(caps.maxCaptureHeight));
    return values;
}

void WTabPageInfo::InitPage(unsigned int flags, bool resetCell)
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    tagDEVICE_INSTANCE* instance = g_presenter.GetCurrentInstance();
    const QStringList values = ReadValues(instance);
    if (values.isEmpty()) {
        // Nothing to offer until a device is there: no check, not even the regular one,
        // may bring an offer back (a new device restarts it).
        m_bDevicePresent = false;
        ++m_nCellResets;
        if (g_updateManager.m_bInitialized) {
            g_updateManager.StopCheck(CUpdateManager::UPDATE_FIRMWARE);
            g_updateManager.StopRegularCheck(CUpdateManager::UPDATE_FIRMWARE);
            g_updateManager.StopDownload(CUpdateManager::UPDATE_FIRMWARE);
        }
        if (!m_pUpgradeDlg)
            DiscardFirmwareFile();
        ShowPicture(kNoDevicePicture);
        SetCell(OPT_UI_NONE);
        m_values.clear();
        for (int i = 0; i < kRowCount; ++i)
            m_values << kNotAvailable;
        m_pInfoTable->SetValueList(m_values);
        emit sigPageRefreshed(flags, resetCell);
        return;
    }
    ShowPicture(PictureFor(instance->deviceInfo.productId));
    m_values = values;
    m_strFirmwareVersion = values.value(kFirmwareRow);
    const int state = m_pInfoTable->GetOptType();
    // The outcome of a flash is written where the version stands; only a reset
    // of the cell takes it away, never a refresh.
    QStringList shown = values;
    QLabel* cellText = m_pInfoTable->GetVersionLabel();
    if (cellText && !resetCell && (state == OPT_UI_UPFAILED || state == OPT_UI_UPSUCCESS))
        shown[kFirmwareRow] = cellText->text();
    m_pInfoTable->SetValueList(shown);

    const QString deviceKey = DeviceKey(instance);
    m_bDevicePresent = true;
    // A download someone else stopped (a device switch) is no download to keep showing.
    const bool downloading = state == OPT_UI_DOWNLOADING && g_updateManager.HasDownload(CUpdateManager::UPDATE_FIRMWARE);
    const bool sameDownload = deviceKey == m_strDownloadDevice && (downloading || state == OPT_UI_UPGRADE);
    KeepOrDiscardFirmwareFile(deviceKey, resetCell);
    // A reset leaves a download in progress or waiting to be flashed on the same device alone.
    if (resetCell && !sameDownload) {
        int resting = OPT_UI_NONE;
        if (g_updateManager.m_bInitialized) {
            switch (instance->replugPending) {
            case 0: resting = OPT_UI_CHECK; break;
            case ReplugAfterFailure: resting = OPT_UI_UPFAILED; break;
            default: resting = OPT_UI_UPSUCCESS; break;
            }
        }
        SetCell(resting);
        ++m_nCellResets;
    }
    emit sigPageRefreshed(flags, resetCell);
}

void WTabPageInfo::KeepOrDiscardFirmwareFile(const QString& deviceKey, bool resetCell)
{
    if (m_strFirmwarePath.isEmpty() || m_pUpgradeDlg)
        return;
    if (!m_strDownloadDevice.isEmpty() && deviceKey != m_strDownloadDevice) {
        if (g_updateManager.m_bInitialized)
            g_updateManager.StopDownload(CUpdateManager::UPDATE_FIRMWARE);
        DiscardFirmwareFile();
        return;
    }
    const int state = m_pInfoTable->GetOptType();
    if (resetCell && state != OPT_UI_DOWNLOADING && state != OPT_UI_UPGRADE)
        DiscardFirmwareFile();
}

void WTabPageInfo::DiscardFirmwareFile()
{
    if (!m_strFirmwarePath.isEmpty() && QFile::exists(m_strFirmwarePath))
        QFile::remove(m_strFirmwarePath);
    m_strDownloadDevice.clear();
}

QString WTabPageInfo::GetExportInfo()
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    const QStringList values = ReadValues(g_presenter.GetCurrentInstance());
    if (values.isEmpty())
        return QString();
    const QStringList labels = ReportLabels();
    QString block = reportfragment::BlockBegin(tr("Info"));
    for (int i = 0; i < labels.size() && i < values.size(); ++i)
        block += reportfragment::Row(labels.at(i), values.at(i));
    block += reportfragment::BlockEnd();
    return block;
}

void WTabPageInfo::OnInputStatusChanged(quint64 mask)
{
    emit inputStatusChanged(mask);
}

void WTabPageInfo::OnInputStatusChanged2(quint64)
{
    InitPage(0, false);
}

void WTabPageInfo::OnResetActiveWindow()
{
}
