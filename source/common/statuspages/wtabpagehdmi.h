#ifndef WTABPAGEHDMI_H
#define WTABPAGEHDMI_H

#include <QPair>
#include <QVector>
#include <QWidget>

#include "device/ilumivandrexnotify.h"
#include "device/kvcaprecords.h"
#include "toolkit/wpagebase.h"

class LumivandrexDevice;
class QEDIDInputWidget;
class QEDIDLoopThroughWidget;
class QInfoFrameWidget;
class QWrapperCheckBox;

// The HDMI page: the EDID-assist options (report 0x9A), the capture and loop-through
// EDID views and the nine info frames the device received. Shown only when the
// device's feature report announces it; disabled while the video input is not HDMI.
class WTabPageHdmi : public QWidget, public WPageBase, public ILumivandrexNotify
{
    Q_OBJECT
public:
    explicit WTabPageHdmi(QWidget* parent = nullptr);
    ~WTabPageHdmi() override;

    void InitPage(unsigned int flags, bool partial) override;
    QString GetExportInfo() override;

    void OnHDMIInfoStatusChanged(quint64 mask) override;
    void OnLoopThroughChanged(quint64 word) override;

    void InitEDIDColorPiece();
    void InitInfoFrameColorPiece();
    void InitInfoFrameTabPage(int index);

    bool HasVideoSignal() const { return m_bVideoSignal; }
    QWrapperCheckBox* GetOptionBox(int bit) const;   // 0 master, 1 keep last, 2 add audio, 3 pixel clock
    QEDIDInputWidget* GetCaptureView() const { return m_pEDIDInput; }
    QEDIDLoopThroughWidget* GetLoopThroughView() const { return m_pEDIDLoopThrough; }
    QWrapperStack* GetEDIDStack() const { return m_pEDIDStack; }
    QWrapperStack* GetInfoFrameStack() const { return m_pInfoFrameStack; }
    QInfoFrameWidget* GetInfoFrameView(int index) const;

signals:
    void videoSignalChanged(bool present);
    void signal_resetFocus();
    void sigPageRefreshed(unsigned int flags, bool partial);
    void hdmiInfoStatusChanged(quint64 mask);
    void loopThroughChanged(quint64 word);

public slots:
    void OnVideoChanged(bool present);
    void OnCheckBoxClicked();
    void OnTabPageChanged(int index);
    void OnHDMIInfoStatusChanged2(quint64 mask);
    void OnLoopThroughChanged2(quint64 word);

private:
    // `known`: the model and, for a model with EDID assist, its options were read.
    void SetOptionBoxes(quint16 model, uint8_t options, bool known);
    void RebuildFocusList(bool loopThrough);
    // Views first..first+count-1 from packets read now; one status and mask read for all.
    void LoadInfoFrames(int first, int count);
    // The info frames that can be read: the mask of 0xA0 while the video is locked, else 0.
    quint32 ReadableInfoFrames(LumivandrexDevice* device);

    QWrapperCheckBox* m_pMasterBox = nullptr;
    QWrapperCheckBox* m_pKeepLastBox = nullptr;
    QWrapperCheckBox* m_pAddAudioBox = nullptr;
    QWrapperCheckBox* m_pPixelClockBox = nullptr;
    QEDIDInputWidget* m_pEDIDInput = nullptr;
    QEDIDLoopThroughWidget* m_pEDIDLoopThrough = nullptr;
    QWrapperStack* m_pEDIDStack = nullptr;
    QWrapperStack* m_pInfoFrameStack = nullptr;
    QInfoFrameWidget* m_pInfoFrames[KVCAP_INFOFRAME_COUNT] = {};
    bool m_bVideoSignal = true;   // the page starts enabled, as for an HDMI input
    // The boxes as they were before a failed read cleared them: a model whose boxes are
    // left as they are gets them back once it is read again. Empty while nothing is unread.
    QVector<QPair<bool, bool>> m_optionBoxesBeforeUnread;   // (checked, enabled) per box
};

#endif // WTABPAGEHDMI_H
