#ifndef WTABPAGEINFO_H
#define WTABPAGEINFO_H

#include <QWidget>

#include "device/ilumivandrexnotify.h"
#include "toolkit/wpagebase.h"

class QLabel;
class QWrapperTableWidget;

// The first tab and the only one without a device: the device's identity as a
// name/value table. (The firmware update cell's behaviour comes with the update
// work; the table already carries the cell.)
class WTabPageInfo : public QWidget, public WPageBase, public ILumivandrexNotify
{
    Q_OBJECT
public:
    explicit WTabPageInfo(QWidget* parent = nullptr);
    ~WTabPageInfo() override;

    void InitPage(unsigned int flags, bool resetCell) override;
    QString GetExportInfo() override;

    void OnInputStatusChanged(quint64 mask) override;

    // "%1.%2.%3": major (bits 31-24), minor (23-16), build (15-0).
    static QString FormatFirmwareVersion(quint32 version);
    // The values the table shows, in row order ("N/A" everywhere without a device).
    QStringList GetValues() const { return m_values; }

signals:
    void sigUpgradeStatus(int status);
    void inputStatusChanged(quint64 mask);
    // Emitted at the end of every InitPage with its arguments.
    void sigPageRefreshed(unsigned int flags, bool reset);

public slots:
    void OnMinimum();
    void OnResetActiveWindow();
    void OnInputStatusChanged2(quint64 mask);

private:
    static QStringList RowNames();
    static QStringList ReportLabels();
    // Reads the device (presenter lock held by the caller) and returns the ten values.
    QStringList ReadValues();

    QLabel* m_pPicture = nullptr;
    QWrapperTableWidget* m_pInfoTable = nullptr;
    QString m_strFirmwareVersion;   // kept from the last refresh with a device
    QStringList m_values;
};

#endif // WTABPAGEINFO_H
