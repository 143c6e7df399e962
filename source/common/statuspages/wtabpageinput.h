#ifndef WTABPAGEINPUT_H
#define WTABPAGEINPUT_H

#include <QWidget>

#include "device/ilumivandrexnotify.h"
#include "device/kvcaprecords.h"
#include "toolkit/wpagebase.h"

class LumivandrexDevice;
class QComboBox;
class QWrapperCheckBox;
class QWrapperStack;
class QWrapperTableWidget;
class WComboBox;

// The input page: the device's video and audio input with automatic scanning and the
// audio link, and three views of the signal on the current input (video, audio and
// the input-specific status). Refreshes only read the device; the user's choices are
// written at once and marked pending.
class WTabPageInput : public QWidget, public WPageBase, public ILumivandrexNotify
{
    Q_OBJECT
public:
    explicit WTabPageInput(QWidget* parent = nullptr);
    ~WTabPageInput() override;

    void InitPage(unsigned int flags, bool partial) override;
    QString GetExportInfo() override;

    void OnInputStatusChanged(quint64 bits) override;
    void OnInputSourceChanged(quint64 bits) override;

    // Decode a source code into its type, the type's name and the index among the
    // inputs of that type. False for a code with bit 31 set: the out-parameters are
    // then left as they were.
    static bool GetVideoInputType(int code, _KVCAP_VIDEO_INPUT_TYPE& type, QString& name, int& index);
    static bool GetAudioInputType(int code, _KVCAP_AUDIO_INPUT_TYPE& type, QString& name, int& index);

    // Each refreshes one status view from the device.
    void InitVideoStatusTabPage();
    void InitAudioStatusTabPage();
    void InitSpecificStatusTabPage();

    // For tests and the screenshots.
    WComboBox* GetVideoCombo() const { return m_pVideoCombo; }
    WComboBox* GetAudioCombo() const { return m_pAudioCombo; }
    QWrapperCheckBox* GetAutoScanBox() const { return m_pAutoScanBox; }
    QWrapperCheckBox* GetLinkBox() const { return m_pLinkBox; }
    QWrapperStack* GetStack() const { return m_pStack; }
    QWrapperTableWidget* GetTable(int tab) const;

signals:
    void inputAudioChanged(bool sdi);
    void inputVideoChanged(bool hdmi);
    void inputStatusChanged(quint64 bits);
    void inputSourceChanged(quint64 bits);
    void sigPageRefreshed(unsigned int flags, bool partial);

private slots:
    void OnTabPageChanged(int index);
    void OnCheckBoxClicked();
    void OnComboBoxIndexChanged(int index);
    void OnInputStatusChanged2(quint64 bits);
    void OnInputSourceChanged2(quint64 bits);

private:
    void InitInputsColorPiece();
    void InputSourceChanged();
    void RefreshCurrentTab();
    void ShowVideoStatus(const _KVCAP_VIDEO_STATUS& status);
    void ShowSpecificStatus(LumivandrexDevice* device, const _KVCAP_VIDEO_STATUS& status);
    // Rebuild the combo's items from a source list (bounded by the record); each item
    // keeps its full source code as its data.
    void FillSources(WComboBox* combo, const _KVCAP_INPUT_SOURCE_LIST& list, bool video);
    // Select the item of `current`, or `fallback` when none has it; with `scanning` a
    // "Scanning" item (no code) heads the list and is selected. Returns the selected
    // item's type (video or audio type by the combo), 0 for none or scanning.
    quint32 SelectSource(WComboBox* combo, quint32 current, bool scanning, int fallback);
    void SetBoxes(bool autoScan, bool link, bool autoScanRead = true, bool linkRead = true);
    bool HasScanningItem(const QComboBox* combo) const;

    WComboBox* m_pVideoCombo = nullptr;
    WComboBox* m_pAudioCombo = nullptr;
    QWrapperCheckBox* m_pAutoScanBox = nullptr;
    QWrapperCheckBox* m_pLinkBox = nullptr;
    QWrapperStack* m_pStack = nullptr;
    QWrapperTableWidget* m_pVideoTable = nullptr;
    QWrapperTableWidget* m_pAudioTable = nullptr;
    QWrapperTableWidget* m_pSpecificTable = nullptr;
    // The source lists were read whole: a code from a short list is never written.
    bool m_bVideoListWhole = false;
    bool m_bAudioListWhole = false;
};

#endif // WTABPAGEINPUT_H
