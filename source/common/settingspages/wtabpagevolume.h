#ifndef WTABPAGEVOLUME_H
#define WTABPAGEVOLUME_H

#include <QWidget>

#include <array>

#include "device/ilumivandrexnotify.h"
#include "device/kvcaprecords.h"
#include "toolkit/wpagebase.h"

class LumivandrexDevice;
class QLabel;
class QPushButton;
class QWrapperSlider;
class WPushButton;

// The audio volume page, shown when the device's feature report has bit 2: one vertical
// slider and one mute button per audio node, grouped into PLAYBACK and RECORD. Every
// change is written to the device at once (and mirrored on the host's own endpoint of
// the node on newer firmware).
class WTabPageVolume : public QWidget, public WPageBase, public ILumivandrexNotify
{
    Q_OBJECT
public:
    explicit WTabPageVolume(QWidget* parent = nullptr);
    ~WTabPageVolume() override;

    // `flags` is a node bit set; 0xFFFFFFFF rebuilds the page from the device.
    void InitPage(unsigned int flags, bool keep) override;
    QString GetExportInfo() override;

    // Drops every node control without reading the device: for a device without the
    // volume feature, so that nothing of the previous device's stays behind.
    void ClearControls();

    // Restores every volume control to the model's default (after "Reset to Defaults"),
    // only on a device with the volume feature and within the ranges it reports.
    void setDefaultValue();

    // True while the audio input is SDI (the embedded node is then named "SDI").
    bool IsAudioInputPresent() const { return m_bSdiAudio; }

    // The controls of a node, null when the page has none (for tests and the focus list).
    QWrapperSlider* GetSlider(_KVCAP_USB_AUDIO_NODE node) const;
    QPushButton* GetMuteButton(_KVCAP_USB_AUDIO_NODE node) const;

    void OnAudioVolumeChanged(quint64 bits) override;

    // The report text of one block: the level of the unmuted channels.
    static QString GetVolumeString(_KVCAP_USB_AUDIO_NODE node, const _KVCAP_AUDIO_VOLUME& block);

signals:
    void sigPageRefreshed(unsigned int flags, bool partial);
    void audioVolumeChanged(quint64 bits);

public slots:
    void OnAudioVolumeChanged2(quint64 ullStatusBits);
    void OnAIOAudioChanged(bool sdi);
    void OnVolumeValueChanged(int nValue);
    void OnButtonClicked();
    void OnSliderPressed();
    void OnSliderMoved(int nValue);
    void OnSliderReleased();

private:
    struct NodeState {
        QWrapperSlider* slider = nullptr;
        WPushButton* button = nullptr;
        QLabel* label = nullptr;
        int value = 0;          // remembered level, 0.01 dB; carries the level across a mute
        bool muted = false;     // muted at the last refresh
        int held = 0;           // level the device last took or showed, 0.01 dB
        bool live = false;      // the slider holds a level of the node (read, or set by the user)
        bool unread = false;    // its last read failed: hidden, as a node not read at load
        QWidget* group = nullptr;   // its PLAYBACK or RECORD group
        int scaleMin = 0;       // the scale's range in whole dB, as built
        int scaleMax = 0;
    };
    // What one refresh has already read, so a rebuild reads each report once.
    struct RefreshCache {
        bool haveMask = false;
        uint32_t mask = 0;
        unsigned int haveBlocks = 0;            // bit n: blocks[n] was read in this refresh
        _KVCAP_AUDIO_VOLUME blocks[KVCAP_AUDIO_NODE_COUNT] = {};
    };

    void createVolumeTabPage(LumivandrexDevice* device, RefreshCache& cache);
    QWidget* createGroup(const QString& title, const std::initializer_list<_KVCAP_USB_AUDIO_NODE>& order,
                         const RefreshCache& cache, int* controls);
    QLayout* createNodeControl(_KVCAP_USB_AUDIO_NODE node, const _KVCAP_AUDIO_VOLUME& block);
    void initVolumeSlider(LumivandrexDevice* device, _KVCAP_USB_AUDIO_NODE node, bool keep,
                          const RefreshCache* cache);
    static void getVolumeValue(int& min, int& max, const _KVCAP_AUDIO_VOLUME* block);
    void ShowDevice(LumivandrexDevice* device, int node, int level, bool muted);
    int NodeOf(QObject* control) const;
    QString NodeLabel(_KVCAP_USB_AUDIO_NODE node) const;
    void ShowNode(_KVCAP_USB_AUDIO_NODE node, bool read);

    std::array<NodeState, KVCAP_AUDIO_NODE_COUNT> m_nodes;
    QWidget* m_pContent = nullptr;
    bool m_bPressed = false;
    uint32_t m_unreadAtBuild = 0;   // nodes the last build could not read: a notification builds again
    bool m_bSdiAudio = false;
};

#endif // WTABPAGEVOLUME_H
