#ifndef WTABPAGEVIDEO_H
#define WTABPAGEVIDEO_H

#include <QSize>
#include <QVector>
#include <QWidget>

#include "device/ilumivandrexnotify.h"
#include "device/kvcaprecords.h"
#include "toolkit/wpagebase.h"

class LumivandrexDevice;
class QGridLayout;
class QLabel;
class QSpinBox;
class QWrapperCheckBox;
class QWrapperSpinBox;
class WComboBox;

// The video processing page: overrides of what the device takes from the input signal
// (INPUT: reports 0x13 to 0x15) and the shaping of the captured picture (CAPTURE:
// report 0x17), with the capture format in use (report 0x16). Beside each overridable
// setting a check box: checked, its editor's value is written; unchecked, the field is
// written as automatic and the editor shows what the device uses on its own. Every
// change is written at once and marked pending.
class WTabPageVideo : public QWidget, public WPageBase, public ILumivandrexNotify
{
    Q_OBJECT
public:
    explicit WTabPageVideo(QWidget* parent = nullptr);
    ~WTabPageVideo() override;

    void InitPage(unsigned int flags, bool partial) override;
    QString GetExportInfo() override;

    void OnInputSourceChanged(quint64 bits) override;
    void OnConnectionFormatChanged() override;

    // "1920x1080, 60.00 fps, YUY2", or "Not connected".
    static QString getOutputString(const _KVCAP_VIDEO_CONNECTION_FORMAT& format);

    // What the device uses on its own, for the editors of unchecked rows.
    struct DeviceView {
        _KVCAP_VIDEO_STATUS status{};
        _KVCAP_VIDEO_CONNECTION_FORMAT connection{};
        _KVCAP_DEVICE_CAPS caps{};
        bool capsRead = false;
        bool statusRead = false;      // status and connection: false shows the rows that
        bool connectionRead = false;  // follow them as unknown
        bool Locked() const { return status.state == KVCAP_VIDEO_STATE_LOCKED; }
        bool Connected() const { return connection.connected != 0; }
        // The largest input is known (a maximum of 0 is none).
        bool InputMaxRead() const { return capsRead && caps.maxInputWidth && caps.maxInputHeight; }
        QSize InputInUse() const { return Locked() ? QSize(status.width, status.height) : QSize(); }
    };

signals:
    void inputSourceChanged(quint64 bits);
    void connectionFormatChanged();
    void sigPageRefreshed(unsigned int flags, bool partial);

private slots:
    void OnCheckBoxClicked();
    void OnSpinBoxValueChanged(int value);
    void OnSpinMousePress();
    void OnSpinMouseRelease();
    void OnComboBoxIndexChanged(int index);
    void OnInputSourceChanged2(quint64 bits);
    void OnConnectionFormatChanged2();

private:
    // The rows with an override check box.
    enum Row { InAspect, InColor, InQuant, CapAspect, Crop, CapColor, CapQuant, CapSat, RowCount };

    QWrapperCheckBox* createCheckBox(const QString& text, bool effect, const QString& name);
    QWrapperSpinBox* createVideoSpinBox(int min, int max, int value, const QString& name);
    WComboBox* createVideoComboBox(const QStringList& items, int index, const QString& name);
    QLabel* createLabel(const QString& text, Qt::Alignment alignment);
    QLabel* createVideoLabel(const QString& text);
    void addAspectRow(QGridLayout* grid, int line, Row row, QWrapperSpinBox* (&spins)[2], const QString& name);
    QWidget* buildInputPanel();
    QWidget* buildCapturePanel();
    void buildFocusList();

    void reloadPanels();
    void initInputColorPiece(LumivandrexDevice* device, const DeviceView& view);
    void initOutputColorPiece(LumivandrexDevice* device, const DeviceView& view);
    // The status, connection and capability reports, each with whether it was read.
    static DeviceView readView(LumivandrexDevice* device);
    // The row's editors show what the device uses when the row is not overridden.
    void showAutomatic(Row row, const DeviceView& view);
    // What the device uses on its own for the row is known: the records it follows were read.
    static bool automaticKnown(Row row, const DeviceView& view);
    // An unchecked row: what the device uses, or unknown when that could not be read.
    // `held`: the editors hold the override the device had until now; where what it uses is
    // unknown, they keep it (hidden) for the box to write back when checked again.
    void showFollowed(Row row, const DeviceView& view, bool held = false);
    // The row's override as read (`read` false: unknown); the editors of an override are
    // set by the caller.
    void showRow(Row row, bool read, bool overridden, const DeviceView& view);
    // The row's value (0 when not overridden) into report 0x17.
    void applyToProcess(Row row, _KVCAP_VIDEO_PROCESS_SETTINGS& settings) const;
    bool writeRow(LumivandrexDevice* device, Row row);
    void enableRow(Row row, bool on);
    // A row whose value could not be read shows nothing and takes no change.
    void showUnknown(Row row);
    int rowOf(const QWrapperCheckBox* box) const;
    // A row's editors: spin boxes (X/Y pairs, X at even places) or a combo box.
    QVector<QWrapperSpinBox*> spinsOf(Row row) const;
    WComboBox* comboOf(Row row) const;
    // A row's spin box ranges: up to the device's maxima where read, else up to what the
    // device is known to take, `inUse` (the size it uses) here, raised by showSpin.
    void setRanges(Row row, int min, uint16_t maxX, uint16_t maxY, bool capsRead, const QSize& inUse);
    // Shows a value of the device in a row's spin box; where the maximum was not read,
    // the value is known to be taken and widens the range of its axis.
    void showSpin(Row row, int index, int value);
    int comboCode(Row row) const;

    QWrapperCheckBox* m_pBox[RowCount] = {};
    QWrapperSpinBox* m_pInAspect[2] = {};     // X, Y
    QWrapperSpinBox* m_pCapAspect[2] = {};
    QWrapperSpinBox* m_pCrop[4] = {};         // left, top, right, bottom
    WComboBox* m_pInColor = nullptr;
    WComboBox* m_pInQuant = nullptr;
    WComboBox* m_pCapColor = nullptr;
    WComboBox* m_pCapQuant = nullptr;
    WComboBox* m_pCapSat = nullptr;
    WComboBox* m_pDeinterlace = nullptr;
    WComboBox* m_pARConversion = nullptr;
    QWrapperCheckBox* m_pFlip = nullptr;
    QWrapperCheckBox* m_pMirror = nullptr;
    QLabel* m_pCaptureFormat = nullptr;

    bool m_bOverrideRead[RowCount] = {};   // the row's check box shows what the device holds
    int m_nMaxRead[RowCount][2] = {};      // the device's maxima of a row's X and Y; 0: not read
    bool m_bHeld = false;    // a spin box is held with the mouse
    bool m_bStale = false;   // a notification came while it was held
};

#endif // WTABPAGEVIDEO_H
