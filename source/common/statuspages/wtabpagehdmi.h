#ifndef WTABPAGEHDMI_H
#define WTABPAGEHDMI_H

#include <QWidget>

#include "device/ilumivandrexnotify.h"
#include "toolkit/wpagebase.h"

class QLabel;

// The HDMI page (EDID views, EDID options, info frames). Shown only when the
// device's feature report announces it. The EDID and info-frame panels come
// with the HDMI work; the page already follows the input page's video state.
class WTabPageHdmi : public QWidget, public WPageBase, public ILumivandrexNotify
{
    Q_OBJECT
public:
    explicit WTabPageHdmi(QWidget* parent = nullptr);
    ~WTabPageHdmi() override;

    void InitPage(unsigned int flags, bool partial) override;
    QString GetExportInfo() override;

    bool HasVideoSignal() const { return m_bVideoSignal; }

signals:
    void videoSignalChanged(bool present);
    void signal_resetFocus();
    void sigPageRefreshed(unsigned int flags, bool partial);

public slots:
    void OnVideoChanged(bool present);

private:
    QLabel* m_pStateLabel = nullptr;
    bool m_bVideoSignal = false;
};

#endif // WTABPAGEHDMI_H
