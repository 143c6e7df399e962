#ifndef WTABPAGETIMING_H
#define WTABPAGETIMING_H

#include <QWidget>

#include "device/ilumivandrexnotify.h"
#include "toolkit/wpagebase.h"

class QAdjustTimingWidget;

// The timing page, shown when the device's feature report has bit 1. It hosts
// the timing adjustment tab; the automatic adjustment panel and the custom
// timing and resolution tabs come with the timing work.
class WTabPageTiming : public QWidget, public WPageBase, public ILumivandrexNotify
{
    Q_OBJECT
public:
    explicit WTabPageTiming(QWidget* parent = nullptr);
    ~WTabPageTiming() override;

    void InitPage(unsigned int flags, bool partial) override;
    QString GetExportInfo() override;

    // The main window hides this widget's menu on Escape.
    QAdjustTimingWidget* GetAdjustTimingWidget() const { return m_pAdjustTiming; }

signals:
    void signal_resetFocus();
    void sigPageRefreshed(unsigned int flags, bool partial);

private:
    QAdjustTimingWidget* m_pAdjustTiming = nullptr;
};

#endif // WTABPAGETIMING_H
