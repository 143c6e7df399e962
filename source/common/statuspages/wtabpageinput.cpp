#include "statuspages/wtabpageinput.h"

#include <QGridLayout>
#include <QLabel>
#include <QListView>
#include <QMutexLocker>
#include <QVBoxLayout>

#include "device/inputstatustext.h"
#include "device/lumivandrexpresenter.h"
#include "device/reportaccess.h"
#include "statuspages/inputstatusviews.h"
#include "toolkit/pagewrite.h"
#include "toolkit/qcolorpiecewidget.h"
#include "toolkit/qwrappercheckbox.h"
#include "toolkit/qtablewid.h"
#include "toolkit/qwrappertablewidget.h"
#include "toolkit/stylesheetbuilder.h"
#include "toolkit/wcheckbox.h"
#include "toolkit/wcombobox.h"

namespace {

constexpr quint64 kSpecificStatusBit = 0x10;
constexpr quint64 kVideoStatusBit = 0x20;
constexpr quint64 kAudioStatusBit = 0x40;
constexpr quint64 kSourceBits = 0x0F;
constexpr int kSpecificMinRows = 9;

const char kScanning[] = QT_TRANSLATE_NOOP("WTabPageInput", "Scanning");

// The type of a code by the highest set bit of code >> 8, capped at the last type.
// Codes with bit 31 set are not source codes.
template <typename Type>
bool DecodeSource(int code, uint32_t lastType, QString (*nameOf)(unsigned int), Type& type, QString& name,
                  int& index)
{
    if (code < 0)
        return false;
    uint32_t t = uint32_t(code) >> 8;
    uint32_t bit = 0;
    if (t != 0) {
        bit = 1;
        while ((t >>= 1) != 0 && bit < lastType)
            bit <<= 1;
    }
    type = Type(bit);
    name = nameOf(bit << 8);
    const int rest = code - int(bit << 8);
    index = (rest >= 0 && rest <= 255) ? rest : 0;
    return true;
}

QLabel* MakeInputLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setFixedHeight(24);
    // The combo boxes and check boxes beside it keep their widths: where a large font
    // leaves the row too narrow, this label gives up width and its text takes a smaller
    // font, rather than the row running past the panel.
    label->setMinimumWidth(1);
    setLabelStyle(label, QColor("#A0A0A0"), QColor("#2B2B2B"), QColor(39, 39, 39));
    return label;
}

WComboBox* MakeSourceCombo(QWidget* parent)
{
    auto* combo = new WComboBox(parent);
    combo->setView(new QListView(combo));
    combo->setFocusPolicy(Qt::StrongFocus);
    combo->setFixedSize(180, 24);
    setComboBoxStyle(combo);
    combo->addItem(InputPageTr("HDMI input 0"));
    return combo;
}

QWrapperCheckBox* MakeBox(const QString& text, QWidget* parent)
{
    auto* box = new QWrapperCheckBox(text, false, QColor("#A0A0A0"), QColor("#2B2B2B"), 0, parent);
    box->setFixedWidth(160);
    return box;
}

QStringList TableLabels(const char (*rows)[32], int count)
{
    QStringList out;
    for (int i = 0; i < count; ++i)
        out << InputStatusTr(rows[i]);
    return out;
}

void ShowRows(QWrapperTableWidget* table, const StatusRows& rows)
{
    table->SetNameList(rows.PageLabels());
    table->SetValueList(rows.values);
}

// A status that could not be read is unknown: the rows stay, their values go (they may
// be another device's).
void ShowUnknownRows(QWrapperTableWidget* table)
{
    table->SetValueList(QVector<QString>(table->GetRowCount()).toList());
}

} // namespace

bool WTabPageInput::GetVideoInputType(int code, _KVCAP_VIDEO_INPUT_TYPE& type, QString& name, int& index)
{
    return DecodeSource(code, KVCAP_VIDEO_INPUT_YC, &GetVideoInputString, type, name, index);
}

bool WTabPageInput::GetAudioInputType(int code, _KVCAP_AUDIO_INPUT_TYPE& type, QString& name, int& index)
{
    return DecodeSource(code, KVCAP_AUDIO_INPUT_MIC, &GetAudioInputString, type, name, index);
}

WTabPageInput::WTabPageInput(QWidget* parent)
    : QWidget(parent)
{
    QLabel* videoLabel = MakeInputLabel(tr("Video input : "), this);
    m_pVideoCombo = MakeSourceCombo(this);
    m_pAutoScanBox = MakeBox(tr("Auto scan"), this);
    QLabel* audioLabel = MakeInputLabel(tr("Audio input : "), this);
    m_pAudioCombo = MakeSourceCombo(this);
    m_pLinkBox = MakeBox(tr("Link with video"), this);

    auto* grid = new QGridLayout;
    auto* gap = new QLabel(this);
    gap->setFixedWidth(10);
    grid->addWidget(videoLabel, 0, 0);
    grid->addWidget(m_pVideoCombo, 0, 1);
    grid->addWidget(gap, 0, 2);
    grid->addWidget(m_pAutoScanBox, 0, 3);
    grid->addWidget(audioLabel, 1, 0);
    grid->addWidget(m_pAudioCombo, 1, 1);
    grid->addWidget(m_pLinkBox, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setHorizontalSpacing(20);
    grid->setVerticalSpacing(8);
    // The labels start under the panel's title: room for them at 14 pixels bold.
    grid->setContentsMargins(24, 16, 8, 16);

    m_pVideoTable = new QWrapperTableWidget(true, 8 * 32 + 40, TableLabels(g_wszVideoSignalStatus, 8), 0, this);
    m_pAudioTable = new QWrapperTableWidget(true, 6 * 32 + 40, TableLabels(g_wszAudioSignalStatus, 6), 0, this);
    QStringList hdmiLabels;
    for (const char* row : g_wszHDMISpecificStatus)
        hdmiLabels << InputStatusTr(row);
    m_pSpecificTable = new QWrapperTableWidget(true, 328, hdmiLabels, 0, this);
    m_pStack = new QWrapperStack(this);
    m_pStack->setFixedHeight(400);
    m_pStack->AddSubWidget(m_pVideoTable, tr("Video Signal Status"), true, false);
    m_pStack->AddSubWidget(m_pAudioTable, tr("Audio Signal Status"), false, false);
    m_pStack->AddSubWidget(m_pSpecificTable, tr("Input Specific Status"), false, true);
    m_pStack->SetMainWidget();

    auto* piece = new QColorPieceWidget(tr("VIDEO & AUDIO INPUTS"), grid, this);
    piece->setFixedHeight(124);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(piece);
    layout->addSpacing(16);
    layout->addWidget(m_pStack);
    layout->addStretch(1);
    layout->setSpacing(0);
    layout->setContentsMargins(16, 16, 16, 16);

    connect(m_pStack, &QWrapperStack::sigIndexChanged, this, &WTabPageInput::OnTabPageChanged);
    connect(m_pVideoCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &WTabPageInput::OnComboBoxIndexChanged);
    connect(m_pAudioCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &WTabPageInput::OnComboBoxIndexChanged);
    connect(m_pAutoScanBox, &QWrapperCheckBox::clicked, this, &WTabPageInput::OnCheckBoxClicked);
    connect(m_pLinkBox, &QWrapperCheckBox::clicked, this, &WTabPageInput::OnCheckBoxClicked);

    AddFocusControl(m_pVideoCombo);
    AddFocusControl(m_pAutoScanBox->GetCheckBox());
    AddFocusControl(m_pAudioCombo);
    AddFocusControl(m_pLinkBox->GetCheckBox());
    for (int i = 0; i < m_pStack->GetStackCount(); ++i) {
        AddStackTabButton(m_pStack, i);
        AddFocusControl(GetTable(i)->m_pTable, KEY_GROUP_NONE, m_pStack, true);
    }

    g_presenter.AddNotify(this);
    connect(this, &WTabPageInput::inputStatusChanged, this, &WTabPageInput::OnInputStatusChanged2);
    connect(this, &WTabPageInput::inputSourceChanged, this, &WTabPageInput::OnInputSourceChanged2);
    // The device is read by the container's reload, not here.
}

WTabPageInput::~WTabPageInput()
{
    g_presenter.DeleteNotify(this);
    ClearTabList();
}

QWrapperTableWidget* WTabPageInput::GetTable(int tab) const
{
    switch (tab) {
    case 0: return m_pVideoTable;
    case 1: return m_pAudioTable;
    case 2: return m_pSpecificTable;
    default: return nullptr;
    }
}

void WTabPageInput::InitPage(unsigned int flags, bool partial)
{
    {
        QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
        LumivandrexDevice* device = g_presenter.GetCurrentDevice();
        InitInputsColorPiece();
        // One read of the video status serves both views that need it.
        _KVCAP_VIDEO_STATUS status;
        if (ReadReport(device, status)) {
            ShowVideoStatus(status);
            ShowSpecificStatus(device, status);
        } else {
            ShowUnknownRows(m_pVideoTable);
            ShowUnknownRows(m_pSpecificTable);
        }
        InitAudioStatusTabPage();
        m_pSpecificTable->SetScrollBarTop();
        ShowFirstOrKeptInnerTab(m_pStack);
    }
    emit sigPageRefreshed(flags, partial);
}

void WTabPageInput::OnInputStatusChanged(quint64 bits)
{
    emit inputStatusChanged(bits);
}

void WTabPageInput::OnInputSourceChanged(quint64 bits)
{
    emit inputSourceChanged(bits);
}

void WTabPageInput::OnInputStatusChanged2(quint64 bits)
{
    if (bits & kSpecificStatusBit)
        InitSpecificStatusTabPage();
    if (bits & kVideoStatusBit)
        InitVideoStatusTabPage();
    if (bits & kAudioStatusBit)
        InitAudioStatusTabPage();
}

void WTabPageInput::OnInputSourceChanged2(quint64 bits)
{
    if (bits & kSourceBits)
        InputSourceChanged();
}

void WTabPageInput::OnTabPageChanged(int index)
{
    switch (index) {
    case 0: InitVideoStatusTabPage(); break;
    case 1: InitAudioStatusTabPage(); break;
    case 2: InitSpecificStatusTabPage(); break;
    default: break;
    }
}

void WTabPageInput::RefreshCurrentTab()
{
    OnTabPageChanged(m_pStack->GetCurrentIndex());
}

// ---- status views ------------------------------------------------------------------

void WTabPageInput::ShowVideoStatus(const _KVCAP_VIDEO_STATUS& status)
{
    ShowRows(m_pVideoTable, VideoStatusRows(status, StatusTarget::Page));
}

void WTabPageInput::ShowSpecificStatus(LumivandrexDevice* device, const _KVCAP_VIDEO_STATUS& status)
{
    _KVCAP_INPUT_STATUS input{};
    if (status.state == KVCAP_VIDEO_STATE_LOCKED && !ReadReport(device, input))
        return ShowUnknownRows(m_pSpecificTable);
    const StatusRows rows = SpecificStatusRows(status, input, StatusTarget::Page);
    m_pSpecificTable->SetRowCount(qMax(int(rows.labels.size()), kSpecificMinRows));
    ShowRows(m_pSpecificTable, rows);
}

void WTabPageInput::InitVideoStatusTabPage()
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    _KVCAP_VIDEO_STATUS status;
    if (ReadReport(g_presenter.GetCurrentDevice(), status))
        ShowVideoStatus(status);
    else
        ShowUnknownRows(m_pVideoTable);
}

void WTabPageInput::InitAudioStatusTabPage()
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    _KVCAP_AUDIO_STATUS audio;
    if (ReadReport(g_presenter.GetCurrentDevice(), audio))
        ShowRows(m_pAudioTable, AudioStatusRows(audio));
    else
        ShowUnknownRows(m_pAudioTable);
}

void WTabPageInput::InitSpecificStatusTabPage()
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    LumivandrexDevice* device = g_presenter.GetCurrentDevice();
    _KVCAP_VIDEO_STATUS status;
    if (ReadReport(device, status))
        ShowSpecificStatus(device, status);
    else
        ShowUnknownRows(m_pSpecificTable);
}

// ---- input sources ------------------------------------------------------------------

bool WTabPageInput::HasScanningItem(const QComboBox* combo) const
{
    return combo->count() > 0 && !combo->itemData(0).isValid()
           && combo->itemText(0).contains(InputPageTr(kScanning));
}

void WTabPageInput::FillSources(WComboBox* combo, const _KVCAP_INPUT_SOURCE_LIST& list, bool video)
{
    combo->clear();
    const int count = KvListCount(list.count, KVCAP_MAX_INPUT_SOURCES);
    for (int i = 0; i < count; ++i) {
        const int code = int(list.codes[i]);
        QString name;
        int index = 0;
        uint32_t type = 0;
        const bool known = video ? GetVideoInputType(code, type, name, index)
                                 : GetAudioInputType(code, type, name, index);
        if (known)
            combo->addItem(tr("%1 input %2").arg(name).arg(index), QVariant(uint(list.codes[i])));
    }
}

quint32 WTabPageInput::SelectSource(WComboBox* combo, quint32 current, bool scanning, int fallback)
{
    if (scanning) {
        if (!HasScanningItem(combo))
            combo->insertItem(0, InputPageTr(kScanning));
        ShowDeviceValue(combo, 0);
        return 0;
    }
    if (HasScanningItem(combo))
        combo->removeItem(0);
    const int found = combo->findData(QVariant(uint(current)));
    ShowDeviceValue(combo, found >= 0 ? found : qMin(fallback, combo->count() - 1));
    const QVariant data = combo->currentData();
    if (!data.isValid())
        return 0;
    QString name;
    int index = 0;
    uint32_t type = 0;
    if (combo == m_pVideoCombo)
        GetVideoInputType(int(data.toUInt()), type, name, index);
    else
        GetAudioInputType(int(data.toUInt()), type, name, index);
    return type;
}

namespace {

// A switch and the source list it governs: the list takes a choice only while its switch
// is known to be off. A switch that could not be read shows as unknown, not as off.
void ShowSwitch(QWrapperCheckBox* box, QComboBox* sources, bool read, bool on)
{
    if (read) {
        ShowDeviceValue(box, on);
        box->setEnabled(true);
    } else {
        ShowUnknownValue(box);
    }
    sources->setEnabled(read && !on);
}

} // namespace

void WTabPageInput::SetBoxes(bool autoScan, bool link, bool autoScanRead, bool linkRead)
{
    ShowSwitch(m_pAutoScanBox, m_pVideoCombo, autoScanRead, autoScan);
    ShowSwitch(m_pLinkBox, m_pAudioCombo, linkRead, link);
}

void WTabPageInput::InitInputsColorPiece()
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    LumivandrexDevice* device = g_presenter.GetCurrentDevice();
    if (!device)
        return;
    // A list or source that could not be read shows empty.
    _KVCAP_INPUT_SOURCE_LIST videoList, audioList;
    _KVCAP_VIDEO_INPUT_SOURCE video;
    _KVCAP_AUDIO_INPUT_SOURCE audio;
    _KVCAP_VIDEO_AUTO_SCAN autoScan;
    _KVCAP_VIDEO_SCANNING scanning{};
    _KVCAP_AUDIO_LINK_VIDEO link;
    int videoReceived = 0, audioReceived = 0;
    ReadReportReceived(device, videoList, &videoReceived, KvVideoSourceList);
    ReadReport(device, video);
    ReadReportReceived(device, audioList, &audioReceived, KvAudioSourceList);
    ReadReport(device, audio);
    const bool autoScanRead = ReadReport(device, autoScan);
    const bool linkRead = ReadReport(device, link);
    if (autoScan.enabled)
        ReadReport(device, scanning);

    m_bVideoListWhole = videoReceived >= int(sizeof videoList);
    m_bAudioListWhole = audioReceived >= int(sizeof audioList);

    // Refilling and reselecting must not reach the write handler.
    const QSignalBlocker blockVideo(m_pVideoCombo);
    const QSignalBlocker blockAudio(m_pAudioCombo);
    FillSources(m_pVideoCombo, videoList, true);
    const quint32 videoType = SelectSource(m_pVideoCombo, video.code, scanning.scanning, -1);
    emit inputVideoChanged(videoType == KVCAP_VIDEO_INPUT_HDMI);
    FillSources(m_pAudioCombo, audioList, false);
    const quint32 audioType = SelectSource(m_pAudioCombo, audio.code, scanning.scanning && link.linked, -1);
    emit inputAudioChanged(audioType == KVCAP_AUDIO_INPUT_SDI);
    SetBoxes(autoScan.enabled, link.linked, autoScanRead, linkRead);
}

void WTabPageInput::InputSourceChanged()
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    LumivandrexDevice* device = g_presenter.GetCurrentDevice();
    _KVCAP_AUDIO_LINK_VIDEO link;
    _KVCAP_VIDEO_AUTO_SCAN autoScan;
    _KVCAP_VIDEO_SCANNING scanning{};
    if (!ReadReport(device, link) || !ReadReport(device, autoScan)
        || (autoScan.enabled && !ReadReport(device, scanning)))
        return;
    SetBoxes(autoScan.enabled, link.linked);

    const QSignalBlocker blockVideo(m_pVideoCombo);
    const QSignalBlocker blockAudio(m_pAudioCombo);
    _KVCAP_VIDEO_INPUT_SOURCE video{};
    if (!scanning.scanning)
        ReadReport(device, video);
    emit inputVideoChanged(SelectSource(m_pVideoCombo, video.code, scanning.scanning, 0) == KVCAP_VIDEO_INPUT_HDMI);
    const bool audioScanning = scanning.scanning && link.linked;
    _KVCAP_AUDIO_INPUT_SOURCE audio{};
    if (!audioScanning)
        ReadReport(device, audio);
    emit inputAudioChanged(SelectSource(m_pAudioCombo, audio.code, audioScanning, 0) == KVCAP_AUDIO_INPUT_SDI);

    RefreshCurrentTab();
}

// ---- user choices --------------------------------------------------------------------

void WTabPageInput::OnCheckBoxClicked()
{
    auto* box = qobject_cast<QWrapperCheckBox*>(sender());
    if (box != m_pAutoScanBox && box != m_pLinkBox)
        return;
    WriteControlChange(box, [&](LumivandrexDevice* device) {
        const uint8_t on = box->IsChecked() ? 1 : 0;
        if (!(box == m_pAutoScanBox ? WriteReport(device, _KVCAP_VIDEO_AUTO_SCAN{on})
                                    : WriteReport(device, _KVCAP_AUDIO_LINK_VIDEO{on})))
            return false;
        InputSourceChanged();   // the device may have switched the input with it
        return true;
    });
}

void WTabPageInput::OnComboBoxIndexChanged(int index)
{
    auto* combo = qobject_cast<QComboBox*>(sender());
    if ((combo != m_pVideoCombo && combo != m_pAudioCombo) || index < 0 || index >= combo->count())
        return;
    const QVariant data = combo->itemData(index);
    if (!data.isValid())
        return;   // the "Scanning" item names no input
    const uint32_t code = data.toUInt();
    const bool whole = combo == m_pVideoCombo ? m_bVideoListWhole : m_bAudioListWhole;
    WriteControlChange(combo, [&](LumivandrexDevice* device) {
        if (!whole)
            return false;   // the code may be one of the zeros of a short answer
        return combo == m_pVideoCombo ? WriteReport(device, _KVCAP_VIDEO_INPUT_SOURCE{code})
                                      : WriteReport(device, _KVCAP_AUDIO_INPUT_SOURCE{code});
    });
}
