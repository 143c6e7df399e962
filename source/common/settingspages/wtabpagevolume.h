#ifndef WTABPAGEVOLUME_H
#define WTABPAGEVOLUME_H

#include <QWidget>

#include "device/ilumivandrexnotify.h"
#include "toolkit/wpagebase.h"


// The audio volume page, shown when the device's feature report has bit 2.
// The per-node sliders come with the volume work; until then the page has no
// volume controls, so setDefaultValue() has nothing to set.
class WTabPageVolume : public QWidget, public WPageBase, public ILumivandrexNotify
{
    Q_OBJECT
public:
    explicit WTabPageVolume(QWidget* parent = nullptr);
    ~WTabPageVolume() override;

    void InitPage(unsigned int flags, bool partial) override;
    QString GetExportInfo() override;

    // Restores every volume control to the model's default (after "Reset to Defaults").
    void setDefaultValue();

    bool IsAudioInputPresent() const { return m_bAudioPresent; }

signals:
    void sigPageRefreshed(unsigned int flags, bool partial);

public slots:
    void OnAIOAudioChanged(bool present);

private:
    bool m_bAudioPresent = false;
};

#endif // WTABPAGEVOLUME_H
