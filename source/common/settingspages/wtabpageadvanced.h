#ifndef WTABPAGEADVANCED_H
#define WTABPAGEADVANCED_H

#include <QWidget>

#include "toolkit/wpagebase.h"


// The advanced page (capture format editors, device name, no-signal image).
// It is not a device listener: it refreshes only when the container asks.
class WTabPageAdvanced : public QWidget, public WPageBase
{
    Q_OBJECT
public:
    explicit WTabPageAdvanced(QWidget* parent = nullptr);
    ~WTabPageAdvanced() override;

    void InitPage(unsigned int flags, bool partial) override;
    QString GetExportInfo() override;

signals:
    void sigPageRefreshed(unsigned int flags, bool partial);
};

#endif // WTABPAGEADVANCED_H
