#ifndef WTABPAGEINFO_H
#define WTABPAGEINFO_H

#include <QPointer>
#include <QWidget>

#include "device/ilumivandrexnotify.h"
#include "toolkit/wpagebase.h"
#include "update/updatemanager.h"
#include "update/wfirmwareupgradedlg.h"

class QLabel;
class QWrapperTableWidget;
class WFirmwareUpgradeDlg;
struct tagDEVICE_INSTANCE;

// The first tab and the only one without a device: the device's picture and identity,
// the signal it receives, and the firmware update cell (check, release notes,
// download, flashing in the upgrade dialog).
class WTabPageInfo : public QWidget, public WPageBase, public ILumivandrexNotify
{
    Q_OBJECT
public:
    // The instance's replug-pending byte after a flashing run: non-zero stops the
    // regular check until the device is replugged; the value keeps the outcome so the
    // cell never calls a failed run a success.
    enum : quint8 { ReplugAfterSuccess = 1, ReplugAfterFailure = 2 };

    explicit WTabPageInfo(QWidget* parent = nullptr);
    ~WTabPageInfo() override;

    void InitPage(unsigned int flags, bool resetCell) override;
    QString GetExportInfo() override;

    void OnInputStatusChanged(quint64 mask) override;

    // "%1.%2.%3": major (bits 31-24), minor (23-16), build (15-0).
    static QString FormatFirmwareVersion(quint32 version);
    // The picture resource of a model code (empty for a model without one).
    static QString PictureFor(quint16 modelCode);
    // The picture resource the page shows first for the device it will be
    // filled with (none: the no-device picture); empty for a model without one.
    static QString FirstPicturePath(const tagDEVICE_INSTANCE* instance);

    // The values the table shows, in row order ("N/A" everywhere without a device).
    QStringList GetValues() const { return m_values; }
    QString GetFirmwareFilePath() const { return m_strFirmwarePath; }
    QString GetReleaseNotes() const { return m_strReleaseNotes; }
    QString GetPictureName() const { return m_strPicture; }
    WFirmwareUpgradeDlg* GetUpgradeDialog() const { return m_pUpgradeDlg; }
    QWrapperTableWidget* GetInfoTable() const { return m_pInfoTable; }

signals:
    void sigUpgradeStatus(int status);
    void inputStatusChanged(quint64 mask);
    // Emitted at the end of every InitPage with its arguments.
    void sigPageRefreshed(unsigned int flags, bool reset);

public slots:
    void OnMinimum();
    void OnDevLost();
    void OnResetActiveWindow();
    void OnInputStatusChanged2(quint64 mask);

    void onClickFirmwareInfo();
    void onClickFirmwareOpt(int nType);
    void onStatusChangedCheckFirmware(int nCheckStatus);
    void onStatusChangedDownload(int nDownloadStatus, int nPercent);
    void onStatusChangedUpgrade(int nUpgradeStatus, int nPercent);
    void onUpdate();

private:
    static QStringList RowNames();
    // The identity of a device for the downloaded file: model and serial number.
    static QString DeviceKey(const tagDEVICE_INSTANCE* instance);
    static QStringList ReportLabels();
    // Reads the device (presenter lock held by the caller) and returns the ten values,
    // or nothing without a device.
    QStringList ReadValues(const tagDEVICE_INSTANCE* instance);
    void ShowPicture(const QString& name);
    void SetCell(int state, const QString& version = QString());
    void StartFirmwareDownload();
    void RunFirmwareUpgradeDialog();
    void EndUpgradeRun(bool succeeded);
    void RefuseUpgrade(const QString& reason);
    // The downloaded file goes on a reset of the cell or when the device changes, but
    // never while it is being written, waits to be flashed, or is being flashed.
    void KeepOrDiscardFirmwareFile(const QString& deviceKey, bool resetCell);
    void DiscardFirmwareFile();

    QLabel* m_pPicture = nullptr;
    QWrapperTableWidget* m_pInfoTable = nullptr;
    QPointer<WFirmwareUpgradeDlg> m_pUpgradeDlg;   // open only during RunFirmwareUpgradeDialog
    QString m_strFirmwareVersion;   // kept from the last refresh with a device
    QString m_strReleaseNotes;
    QString m_strFirmwarePath;      // empty until a download starts
    QString m_strDownloadDevice;    // the device the downloaded file is for
    PackageInfo m_offeredPackage = {};
    QString m_strPicture;
    QStringList m_values;
    bool m_bDevicePresent = false;  // the last refresh found a device
    int m_nCellResets = 0;          // the cell was put back (reset, device loss): older answers are stale
    // A flash of the open dialog wrote to the device and has not succeeded since:
    // the device may be damaged. Refused or missing files never set it.
    bool m_bDeviceWritten = false;
};

#endif // WTABPAGEINFO_H
