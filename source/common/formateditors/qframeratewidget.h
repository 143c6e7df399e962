#pragma once
// Editor of the device's capture frame rates (report 0x1A): up to eight rates, one the
// default. Built-in rates plus custom ones typed in QCustomFpsDialog; a device rate the
// list does not hold comes back as a custom entry when it lies between 5 and 120 fps.

#include "formateditors/qtwolisteditor.h"

#include <QtGlobal>

struct tagFRAME_RATE_SET {
    quint8 bToggled;    // in the device's list
    quint8 bDefault;    // the device's default
    quint8 bBuiltIn;    // a built-in rate (cannot be removed from the memory list)
    quint8 pad;
    quint32 dwFrameDuration;   // 100 ns units
};
static_assert(sizeof(tagFRAME_RATE_SET) == 8, "");

// Built-in durations: 60, 59.94, 50, 30, 29.97, 25 and 15 fps; the eighth slot is 0.
extern const quint32 g_dwVideoFrameDuration[8];

// Display order: the fastest rate (shortest duration) first.
bool SortFrameRate(const tagFRAME_RATE_SET& a, const tagFRAME_RATE_SET& b);

// "60.00" for a duration, "N/A" for 0.
QString FrameRateText(quint32 duration);

class QFrameRateWidget : public QTwoListEditorOf<tagFRAME_RATE_SET>
{
    Q_OBJECT
public:
    explicit QFrameRateWidget(QWidget* parent = nullptr);

    // Refills the tables from the device; scrollToEnd or resetSelection forget the selections.
    void InitFrameRateWidget(bool scrollToEnd, bool resetSelection);
    // Read-modify-write of report 0x1A; true when it was written.
    bool SetFrameRateToggled(unsigned int duration, bool on);
    // Makes the device slot holding `duration` the default; true when it was written.
    bool SetDefaultFrameRate(unsigned int duration);

protected:
    QString EntryText(int entry) const override;
    void Refresh(bool scrollToEnd, bool resetSelection) override;
    bool WriteToggle(int entry, bool on) override;
    bool WriteDefault(int entry) override;
    int InsertCustom() override;
};
