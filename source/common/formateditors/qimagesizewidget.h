#pragma once
// Editor of the device's capture image sizes (report 0x19): up to 24 sizes, one the
// default, shown largest first. Sizes beyond the device's capture maxima (report 0x03)
// are never offered for adding; applied ones show whatever their size.

#include "formateditors/qtwolisteditor.h"

#include <QtGlobal>

#include "device/kvcaprecords.h"

struct tagIMAGE_SIZE_SET {
    quint8 bToggled;
    quint8 bDefault;
    quint8 bBuiltIn;
    quint8 pad;
    qint16 cx;
    qint16 cy;
};
static_assert(sizeof(tagIMAGE_SIZE_SET) == 8, "");

// Built-in sizes (21 used, the last three slots zero).
extern const _KVSIZE g_arrImageSize[24];

// Display order: largest width first, then largest height (unsigned compares).
bool SortImageSize(const tagIMAGE_SIZE_SET& a, const tagIMAGE_SIZE_SET& b);

class QImageSizeWidget : public QTwoListEditorOf<tagIMAGE_SIZE_SET>
{
    Q_OBJECT
public:
    explicit QImageSizeWidget(QWidget* parent = nullptr);

    // Refills the tables from the device; `caps` (report 0x03) is read when not given.
    void InitImageSizeWidget(bool scrollToEnd, bool resetSelection, const _KVCAP_DEVICE_CAPS* caps = nullptr);
    bool SetImageSizeToggled(int cx, int cy, bool on);
    // Makes the device slot holding cx x cy the default; true when it was written.
    bool SetDefaultImageSize(int cx, int cy);

    // Capture maxima of the last refresh.
    int GetMaxWidth() const { return m_nMaxWidth; }
    int GetMaxHeight() const { return m_nMaxHeight; }

protected:
    bool IsHidden(int entry) const override;
    QString EntryText(int entry) const override;
    void Refresh(bool scrollToEnd, bool resetSelection) override;
    bool WriteToggle(int entry, bool on) override;
    bool WriteDefault(int entry) override;
    int InsertCustom() override;

private:
    quint16 m_nMaxWidth = 0;
    quint16 m_nMaxHeight = 0;
};
