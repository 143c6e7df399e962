#include "settingspages/wtabpagevolume.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMutexLocker>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

#include "device/lumivandrexpresenter.h"
#include "device/reportaccess.h"
#include "platform/hostaudiovolume.h"
#include "settingspages/audiovolume.h"
#include "toolkit/qcustomslider.h"
#include "toolkit/qwrapperslider.h"
#include "toolkit/reportfragment.h"
#include "toolkit/wpushbutton.h"

namespace {

constexpr unsigned int kRebuild = 0xFFFFFFFF;
constexpr int kSliderWidth = 72;

// Refresh order of a node set; the line out follows separately.
constexpr _KVCAP_USB_AUDIO_NODE kRefreshOrder[] = {
    KVCAP_AUDIO_NODE_MIC, KVCAP_AUDIO_NODE_HEADPHONE, KVCAP_AUDIO_NODE_EMBEDDED_IN, KVCAP_AUDIO_NODE_EMBEDDED_OUT,
    KVCAP_AUDIO_NODE_COMPUTER_CAPTURE, KVCAP_AUDIO_NODE_COMPUTER_PLAYBACK, KVCAP_AUDIO_NODE_LINE_IN,
};
const std::initializer_list<_KVCAP_USB_AUDIO_NODE> kPlaybackOrder = {
    KVCAP_AUDIO_NODE_HEADPHONE, KVCAP_AUDIO_NODE_EMBEDDED_OUT, KVCAP_AUDIO_NODE_COMPUTER_PLAYBACK,
    KVCAP_AUDIO_NODE_LINE_OUT};
const std::initializer_list<_KVCAP_USB_AUDIO_NODE> kRecordOrder = {
    KVCAP_AUDIO_NODE_MIC, KVCAP_AUDIO_NODE_LINE_IN, KVCAP_AUDIO_NODE_EMBEDDED_IN, KVCAP_AUDIO_NODE_COMPUTER_CAPTURE};

const char* const kPageLabels[KVCAP_AUDIO_NODE_COUNT] = {
    QT_TRANSLATE_NOOP("WTabPageVolume", "Mic"),      QT_TRANSLATE_NOOP("WTabPageVolume", "Headphones"),
    QT_TRANSLATE_NOOP("WTabPageVolume", "Line In"),  QT_TRANSLATE_NOOP("WTabPageVolume", "Line Out"),
    nullptr,                                         nullptr,
    QT_TRANSLATE_NOOP("WTabPageVolume", "Computer"), QT_TRANSLATE_NOOP("WTabPageVolume", "Computer"),
};
const char* const kReportLabels[KVCAP_AUDIO_NODE_COUNT] = {
    QT_TRANSLATE_NOOP("WTabPageVolume", "Microphone:"), QT_TRANSLATE_NOOP("WTabPageVolume", "Headphone:"),
    QT_TRANSLATE_NOOP("WTabPageVolume", "Line in:"),    QT_TRANSLATE_NOOP("WTabPageVolume", "Line out:"),
    nullptr,                                            "HDMI:",
    QT_TRANSLATE_NOOP("WTabPageVolume", "Computer:"),   QT_TRANSLATE_NOOP("WTabPageVolume", "Computer:"),
};

bool Has(uint32_t bits, unsigned int node)
{
    return (bits >> node) & 1u;
}

QWidget* GroupTitle(const QString& text)
{
    auto* title = new QWidget;
    title->setFixedHeight(32);
    auto* label = new QLabel(text, title);
    label->setFixedSize(120, 20);
    label->setStyleSheet(QStringLiteral("QLabel{font: bold 12px; color: #ECECEC; background: transparent;}"));
    auto* line = new QFrame(title);
    line->setFixedHeight(1);
    line->setStyleSheet(QStringLiteral("QFrame{background: #5A5A5A; border: none;}"));
    auto* column = new QVBoxLayout(title);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    column->addWidget(label);
    column->addWidget(line);
    column->addStretch(1);
    return title;
}

} // namespace

WTabPageVolume::WTabPageVolume(QWidget* parent)
    : QWidget(parent)
{
    setStyleSheet(QStringLiteral("QWidget{outline: none;}"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // No node controls until the container's reload reads which nodes the device has.
    RefreshCache none;
    createVolumeTabPage(nullptr, none);
    g_presenter.AddNotify(this);
    // Queued: the poll calls OnAudioVolumeChanged off the GUI thread.
    connect(this, &WTabPageVolume::audioVolumeChanged, this, &WTabPageVolume::OnAudioVolumeChanged2,
            Qt::QueuedConnection);
}

WTabPageVolume::~WTabPageVolume()
{
    g_presenter.DeleteNotify(this);
    ClearTabList();
}

QWrapperSlider* WTabPageVolume::GetSlider(_KVCAP_USB_AUDIO_NODE node) const
{
    return node < KVCAP_AUDIO_NODE_COUNT ? m_nodes[node].slider : nullptr;
}

QPushButton* WTabPageVolume::GetMuteButton(_KVCAP_USB_AUDIO_NODE node) const
{
    return node < KVCAP_AUDIO_NODE_COUNT ? m_nodes[node].button : nullptr;
}

QString WTabPageVolume::NodeLabel(_KVCAP_USB_AUDIO_NODE node) const
{
    if (node == KVCAP_AUDIO_NODE_EMBEDDED_IN)
        return m_bSdiAudio ? QStringLiteral("SDI") : QStringLiteral("HDMI");
    if (node == KVCAP_AUDIO_NODE_EMBEDDED_OUT)
        return QStringLiteral("HDMI");
    return tr(kPageLabels[node]);
}

void WTabPageVolume::InitPage(unsigned int flags, bool keep)
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    LumivandrexDevice* device = g_presenter.GetCurrentDevice();
    _KVCAP_FEATURE_FLAGS features;
    const bool volume = ReadReport(device, features) && (features.features & KVCAP_FEATURE_VOLUME);
    const bool controls = std::any_of(m_nodes.cbegin(), m_nodes.cend(), [](const NodeState& n) { return n.slider; });
    RefreshCache cache;
    // A device without the feature gets no controls: none of another device's may stay
    // behind with its ranges and levels, to be written to this one. A node the last build
    // could not read gets its controls from a new build once it is refreshed.
    const bool rebuild = flags == kRebuild || (device && !volume && controls)
                         || (device && volume && (flags & m_unreadAtBuild));
    if (rebuild)
        createVolumeTabPage(volume ? device : nullptr, cache);
    const unsigned int nodes = rebuild ? kRebuild : flags;
    if (device) {
        setEnabled(volume);
        if (volume) {
            if (!cache.haveMask) {
                _KVCAP_AUDIO_NODE_MASK mask;
                ReadReport(device, mask);
                cache.mask = mask.mask;
            }
            for (_KVCAP_USB_AUDIO_NODE node : kRefreshOrder) {
                if (Has(nodes, node))
                    initVolumeSlider(device, node, keep, &cache);
            }
            if (Has(nodes, KVCAP_AUDIO_NODE_LINE_OUT) || Has(cache.mask, KVCAP_AUDIO_NODE_LINE_OUT))
                initVolumeSlider(device, KVCAP_AUDIO_NODE_LINE_OUT, keep, &cache);
        }
    }
    emit sigPageRefreshed(flags, keep);
}

void WTabPageVolume::ClearControls()
{
    if (std::none_of(m_nodes.cbegin(), m_nodes.cend(), [](const NodeState& n) { return n.slider; }))
        return;
    RefreshCache cache;
    createVolumeTabPage(nullptr, cache);
}

void WTabPageVolume::createVolumeTabPage(LumivandrexDevice* device, RefreshCache& cache)
{
    _KVCAP_AUDIO_NODE_MASK mask;
    // Without the mask no node is known: any node's notification tries again.
    m_unreadAtBuild = (ReadReport(device, mask) || !device) ? 0 : 0xFF;
    cache.haveMask = true;
    cache.mask = mask.mask;
    bool same = device && m_pContent;
    for (const auto& order : {kPlaybackOrder, kRecordOrder}) {
        for (_KVCAP_USB_AUDIO_NODE node : order) {
            const NodeState& n = m_nodes[node];
            const _KVCAP_AUDIO_VOLUME& block = cache.blocks[node];
            if (Has(cache.mask, node) && !ReadReport(device, cache.blocks[node], int(node)))
                m_unreadAtBuild |= 1u << node;
            cache.haveBlocks |= 1u << node;
            int min = 0, max = 0;
            getVolumeValue(min, max, &block);
            same = same && (block.channels != 0) == (n.slider != nullptr)
                   && (!n.slider || (n.scaleMin == min && n.scaleMax == max));
        }
    }
    // The same nodes on the same scales: the controls stay, and the focus on them.
    if (same)
        return;
    ClearTabList();
    delete m_pContent;   // with every node control, so no release can end a press held now
    m_bPressed = false;
    m_nodes.fill(NodeState());
    m_pContent = new QWidget(this);
    layout()->addWidget(m_pContent);

    auto* groups = new QHBoxLayout(m_pContent);
    groups->setContentsMargins(16, 16, 16, 16);
    int controls = 0;
    if (cache.mask & KVCAP_AUDIO_PLAYBACK_NODES) {
        if (QWidget* group = createGroup(tr("PLAYBACK"), kPlaybackOrder, cache, &controls))
            groups->addWidget(group, controls);
    }
    if (cache.mask & KVCAP_AUDIO_RECORD_NODES) {
        if (QWidget* group = createGroup(tr("RECORD"), kRecordOrder, cache, &controls))
            groups->addWidget(group, controls);
    }
    if (groups->isEmpty())
        groups->addStretch(1);

    for (const auto& order : {kPlaybackOrder, kRecordOrder}) {
        for (_KVCAP_USB_AUDIO_NODE node : order) {
            if (m_nodes[node].slider) {
                AddFocusControl(m_nodes[node].slider->GetCustomSlider());
                AddFocusControl(m_nodes[node].button);
            }
        }
    }
}

QWidget* WTabPageVolume::createGroup(const QString& title, const std::initializer_list<_KVCAP_USB_AUDIO_NODE>& order,
                                     const RefreshCache& cache, int* controls)
{
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    *controls = 0;
    for (_KVCAP_USB_AUDIO_NODE node : order) {
        const _KVCAP_AUDIO_VOLUME& block = cache.blocks[node];
        if (block.channels == 0)   // not in the mask, not read, or not detected
            continue;
        row->addLayout(createNodeControl(node, block));
        row->addStretch(1);
        ++*controls;
    }
    if (*controls == 0) {
        delete row;
        return nullptr;
    }
    auto* group = new QWidget(m_pContent);
    for (_KVCAP_USB_AUDIO_NODE node : order)
        m_nodes[node].group = m_nodes[node].slider ? group : nullptr;
    auto* column = new QVBoxLayout(group);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(GroupTitle(title));
    column->addLayout(row, 1);
    return group;
}

QLayout* WTabPageVolume::createNodeControl(_KVCAP_USB_AUDIO_NODE node, const _KVCAP_AUDIO_VOLUME& block)
{
    NodeState& n = m_nodes[node];
    n.label = new QLabel(NodeLabel(node));
    n.label->setFixedHeight(16);
    n.label->setAlignment(Qt::AlignCenter);
    n.label->setStyleSheet(QStringLiteral("QLabel{color: #A0A0A0; background: transparent;}"));

    getVolumeValue(n.scaleMin, n.scaleMax, &block);
    n.slider = new QWrapperSlider(n.scaleMin, n.scaleMax, Qt::Vertical);
    n.slider->setFixedWidth(kSliderWidth);
    connect(n.slider, &QWrapperSlider::valueChanged, this, &WTabPageVolume::OnVolumeValueChanged);
    connect(n.slider, &QWrapperSlider::sliderPressed, this, &WTabPageVolume::OnSliderPressed);
    connect(n.slider, &QWrapperSlider::sliderMoved, this, &WTabPageVolume::OnSliderMoved);
    connect(n.slider, &QWrapperSlider::sliderReleased, this, &WTabPageVolume::OnSliderReleased);

    n.button = new WPushButton;
    n.button->setObjectName(QStringLiteral("btn_mute"));
    // No icon: the style sheet's images carry the glyph for each state, and an icon
    // (always the unmuted one) drawn over them hides whether the node is muted.
    n.button->setFixedSize(32, 32);
    n.button->setCheckable(true);
    n.button->setChecked(false);
    connect(n.button, &QPushButton::clicked, this, &WTabPageVolume::OnButtonClicked);

    auto* column = new QVBoxLayout;
    column->setSpacing(16);
    column->addWidget(n.label, 0, Qt::AlignHCenter);
    column->addWidget(n.slider, 1, Qt::AlignHCenter);
    column->addWidget(n.button, 0, Qt::AlignHCenter);
    return column;
}

void WTabPageVolume::getVolumeValue(int& min, int& max, const _KVCAP_AUDIO_VOLUME* block)
{
    min = 0;
    max = 100;
    if (block && block->channels != 0) {
        min = block->minVolume / 100;
        max = block->maxVolume / 100;
    }
}

void WTabPageVolume::initVolumeSlider(LumivandrexDevice* device, _KVCAP_USB_AUDIO_NODE node, bool keep,
                                      const RefreshCache* cache)
{
    NodeState& n = m_nodes[node];
    if (!n.slider || !n.button)   // the node has no control on this page
        return;
    const QSignalBlocker blocker(n.slider);
    _KVCAP_AUDIO_VOLUME block;
    bool read = true;
    if (cache && Has(cache->haveBlocks, node))
        block = cache->blocks[node];
    else
        read = ReadReport(device, block, int(node));
    // Not read: neither a level nor a mute is known. The slider keeps the level it held
    // (read before, or the user's), which a later read may keep as a refresh does.
    ShowNode(node, read);
    if (!read)
        return;
    if (block.channels == 0) {
        n.slider->SetRange(0, 1);
        n.slider->SetValue(0);
        n.slider->setEnabled(false);
        n.button->setEnabled(false);
        n.live = false;   // that 0 is no level of the node's
        return;
    }
    n.slider->SetRange(block.minVolume, block.maxVolume);
    n.slider->SetPageStep(qMax<int>(1, block.volumeStep));
    bool muted = false;
    const int average = AudioVolumeAverage(node, block, &muted);
    const int current = n.slider->GetValue();
    // The slider's level is kept only where it is one the node had.
    keep = keep && n.live;
    int value = average;
    if (muted && keep && average != n.slider->GetMinValue())
        value = current;
    else if (!muted && keep && n.muted && current != n.slider->GetMinValue())
        value = current;
    n.value = n.held = value;
    n.muted = muted;
    n.live = true;
    n.slider->SetValue(value);
    n.slider->setEnabled(!muted);
    n.button->setEnabled(true);
    n.button->setChecked(muted);
}

// A node whose read failed is hidden as at load (its group too when it is the last one
// shown), so that it shows no level or mute it did not read and takes no change.
void WTabPageVolume::ShowNode(_KVCAP_USB_AUDIO_NODE node, bool read)
{
    NodeState& n = m_nodes[node];
    n.unread = !read;
    n.label->setVisible(read);
    n.slider->setVisible(read);
    n.button->setVisible(read);
    if (!read) {
        n.slider->setEnabled(false);
        n.button->setEnabled(false);
    }
    n.group->setVisible(std::any_of(m_nodes.cbegin(), m_nodes.cend(), [&](const NodeState& other) {
        return other.group == n.group && !other.unread;
    }));
}

int WTabPageVolume::NodeOf(QObject* control) const
{
    for (int node = 0; node < int(m_nodes.size()); ++node) {
        if (control && (control == m_nodes[node].slider || control == m_nodes[node].button))
            return node;
    }
    return -1;
}

// After a change the device did not take, the node's controls show the block read again
// (as a refresh shows it), or what they showed before when the device does not answer.
void WTabPageVolume::ShowDevice(LumivandrexDevice* device, int node, int level, bool muted)
{
    RefreshCache cache;
    if (ReadReport(device, cache.blocks[node], node)) {
        cache.haveBlocks = 1u << node;
        initVolumeSlider(device, _KVCAP_USB_AUDIO_NODE(node), false, &cache);
        return;
    }
    NodeState& n = m_nodes[node];
    const QSignalBlocker blocker(n.slider);
    n.slider->SetValue(level);
    n.slider->setEnabled(!muted);
    n.button->setChecked(muted);
}

void WTabPageVolume::OnVolumeValueChanged(int nValue)
{
    const int node = NodeOf(sender());
    if (node < 0)
        return;
    NodeState& n = m_nodes[node];
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    LumivandrexDevice* device = g_presenter.GetCurrentDevice();
    // Only a whole block is written back: a short one would put zeros over what it lacks.
    _KVCAP_AUDIO_VOLUME block;
    bool written = false;
    if (ReadWholeReport(device, block, node) && block.channels != 0) {
        for (int i = 0; i < AudioChannelCount(block); ++i)
            block.volume[i] = int16_t(nValue);
        written = SetAudioVolume(device, _KVCAP_USB_AUDIO_NODE(node), block);
    }
    if (!written) {
        ShowDevice(device, node, n.held, n.button->isChecked());
        return;
    }
    n.held = nValue;

    QString shown = QStringLiteral("N/A");
    if (ReadReport(device, block, node) && block.channels != 0) {
        int32_t sum = 0;
        for (int i = 0; i < AudioChannelCount(block); ++i)
            sum += block.volume[i];
        shown = QString::number(double(sum) / AudioChannelCount(block) / 100.0, 'f', 2);
    }
    n.slider->SetDisplayValue(shown);
}

void WTabPageVolume::OnButtonClicked()
{
    const int node = NodeOf(sender());
    if (node < 0)
        return;
    NodeState& n = m_nodes[node];
    const bool mute = n.button->isChecked();
    // Muting remembers the slider's level; unmuting brings the remembered one back.
    const int level = mute ? n.slider->GetValue() : n.value;
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    LumivandrexDevice* device = g_presenter.GetCurrentDevice();
    _KVCAP_AUDIO_VOLUME block;
    bool written = false;
    if (ReadWholeReport(device, block, node) && block.channels != 0) {
        for (int i = 0; i < AudioChannelCount(block); ++i) {
            block.mute[i] = mute ? 1 : 0;
            if (!mute)
                block.volume[i] = int16_t(level);
        }
        written = SetAudioVolume(device, _KVCAP_USB_AUDIO_NODE(node), block);
    }
    if (!written) {
        ShowDevice(device, node, n.slider->GetValue(), !mute);
        return;
    }
    n.value = n.held = level;
    const QSignalBlocker blocker(n.slider);   // written above with the mute, not twice
    n.slider->SetValue(level);
    n.slider->setEnabled(!mute);
}

void WTabPageVolume::setDefaultValue()
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    LumivandrexDevice* device = g_presenter.GetCurrentDevice();
    if (!device)
        return;
    // The page is not reloaded for a device without the feature, so it may still hold
    // another device's controls: rebuild it from this one before anything is written.
    InitPage(kRebuild, false);
    _KVCAP_FEATURE_FLAGS features;
    _KVCAP_DEVICE_INFO info;   // its model code picks the levels
    if (!ReadWholeReport(device, features) || !(features.features & KVCAP_FEATURE_VOLUME)
        || !ReadWholeReport(device, info))
        return;
    HostAudioChange host;   // one change for the user: one host budget for every node
    for (unsigned int node = 0; node < KVCAP_AUDIO_NODE_COUNT; ++node) {
        NodeState& n = m_nodes[node];
        RefreshCache cache;
        _KVCAP_AUDIO_VOLUME& block = cache.blocks[node];
        if (!n.slider || !ReadWholeReport(device, block, int(node)) || block.channels == 0)
            continue;
        const int level = qBound<int>(block.minVolume, int(DefaultAudioVolume(info.productId, node)), block.maxVolume);
        for (int i = 0; i < AudioChannelCount(block); ++i) {
            block.mute[i] = 0;
            block.volume[i] = int16_t(level);
        }
        cache.haveBlocks = 1u << node;
        if (SetAudioVolume(device, _KVCAP_USB_AUDIO_NODE(node), block, &host))
            initVolumeSlider(device, _KVCAP_USB_AUDIO_NODE(node), false, &cache);
        else
            ShowDevice(device, int(node), n.held, n.muted);
    }
}

void WTabPageVolume::OnAudioVolumeChanged(quint64 bits)
{
    emit audioVolumeChanged(bits);
}

void WTabPageVolume::OnAudioVolumeChanged2(quint64 ullStatusBits)
{
    if (m_bPressed)
        return;   // the user's drag wins; the release shows the device again
    InitPage(unsigned((ullStatusBits >> 48) & 0xFF), true);
    update();
}

void WTabPageVolume::OnSliderPressed()
{
    m_bPressed = true;
}

void WTabPageVolume::OnSliderMoved(int)
{
}

void WTabPageVolume::OnSliderReleased()
{
    m_bPressed = false;
    update();
}

void WTabPageVolume::OnAIOAudioChanged(bool sdi)
{
    m_bSdiAudio = sdi;
    if (QLabel* label = m_nodes[KVCAP_AUDIO_NODE_EMBEDDED_IN].label)
        label->setText(NodeLabel(KVCAP_AUDIO_NODE_EMBEDDED_IN));
}

QString WTabPageVolume::GetVolumeString(_KVCAP_USB_AUDIO_NODE node, const _KVCAP_AUDIO_VOLUME& block)
{
    if (block.channels == 0)
        return tr("Not detected");
    int32_t sum = 0;
    int unmuted = 0;
    for (int i = 0; i < AudioChannelCount(block); ++i) {
        if (block.mute[i] == 0) {
            sum += block.volume[i];
            ++unmuted;
        }
    }
    if (unmuted == 0)
        return tr("Muted");
    const int32_t value = (node == KVCAP_AUDIO_NODE_LINE_IN && sum == 2900) ? 3000 : sum;
    return QString::asprintf("%.2f dB", double(value) / (unmuted * 100.0));
}

QString WTabPageVolume::GetExportInfo()
{
    QMutexLocker locker(&g_presenter.GetLock()->m_mutex);
    tagDEVICE_INSTANCE* instance = g_presenter.GetCurrentInstance();
    if (!instance || !instance->device)
        return QString();
    LumivandrexDevice* device = instance->device;
    _KVCAP_AUDIO_NODE_MASK mask;
    ReadReport(device, mask);

    QString html = reportfragment::BlockBegin(tr("Volume"));
    auto rows = [&](const QString& subTitle, const std::initializer_list<_KVCAP_USB_AUDIO_NODE>& order) {
        html += reportfragment::SubTitleRow(subTitle);
        for (_KVCAP_USB_AUDIO_NODE node : order) {
            if (!Has(mask.mask, node))
                continue;
            // A node not read is unknown: empty, not the "Not detected" of a zeroed block.
            _KVCAP_AUDIO_VOLUME block;
            const bool read = ReadReport(device, block, int(node));
            QString label;
            if (node == KVCAP_AUDIO_NODE_EMBEDDED_IN) {
                const QLabel* shown = m_nodes[node].label;
                label = shown && !shown->text().isEmpty() ? shown->text() + QLatin1Char(':')
                                                          : QStringLiteral("HDMI / SDI:");
            } else {
                label = node == KVCAP_AUDIO_NODE_EMBEDDED_OUT ? QString::fromLatin1(kReportLabels[node])
                                                              : tr(kReportLabels[node]);
            }
            html += reportfragment::Row(label, read ? GetVolumeString(node, block) : QString());
        }
    };
    if (mask.mask & KVCAP_AUDIO_PLAYBACK_NODES)
        rows(tr("Volume - PLAYBACK"), kPlaybackOrder);
    if (mask.mask & KVCAP_AUDIO_RECORD_NODES)
        rows(tr("Volume - RECORD"), kRecordOrder);
    return html + reportfragment::BlockEnd();
}
