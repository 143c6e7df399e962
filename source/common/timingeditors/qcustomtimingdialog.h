#pragma once
// "EDID Detailed Timing": edits the preferred (first detailed) timing of the capture
// device's EDID. It reads the EDID itself, lets the user produce the timing by CVT,
// CVT-RB, GTF or by hand, and on OK writes the descriptor and a new checksum into its
// own copy of the EDID, which the caller sends. It never writes to the device.

#include <QVariant>

#include "timingeditors/ediddata.h"
#include "toolkit/qcustomdialog.h"

class QLineEdit;
class QTimingCellWidget;
class QTimingsDetailList;
class QWarningWidget;
class WComboBox;
class WPushButton;

class QCustomTimingDialog : public QCustomDialog
{
    Q_OBJECT
public:
    enum Row : int {
        RowHActive, RowVActive, RowFrameRate, RowHTotal, RowHBlank, RowHFrontPorch, RowHSync, RowHBackPorch,
        RowVTotal, RowVBlank, RowVFrontPorch, RowVSync, RowVBackPorch, RowCount
    };

    explicit QCustomTimingDialog(QWidget* parent = nullptr);
    ~QCustomTimingDialog() override;

    void OnHandleUI() override;

    // False when the device gave no whole EDID (failed read or no EDID header): such
    // a copy must never go back to the device.
    bool IsEDIDRead() const { return m_bEDIDRead; }
    const uint8_t* GetEDID() const { return m_edid; }
    int GetTimingMode() const { return m_nMode; }
    double GetMaxPixelClock() const { return m_dMaxClock; }
    int GetMaxHActive() const { return m_nMaxHActive; }
    const DetailedTiming& GetDetailedTiming() const { return m_detailed; }
    QTimingCellWidget* GetCell(int row) const;
    WComboBox* GetModeCombo() const { return m_pModeCombo; }
    WPushButton* GetOkButton() const { return m_pOkBtn; }
    QWarningWidget* GetWarningWidget() const { return m_pWarning; }

public slots:
    void OnOKBtnClicked();
    void OnCancelBtnClicked();
    void OnTimingModeChanged(int mode);
    void OnTimingChanged(int row, QVariant value);
    void OnVideoSignalChanged(bool hdmi);

private:
    void ReadDevice();
    QWidget* BuildWindow();
    void InitCustomTimingDialog();
    int GrowField(QLineEdit* field);
    void GetTimingInfoFromList();
    void RefreshTimingList(bool all);
    QVariant RowValue(int row) const;
    bool CheckTimingValid() const;
    void SetPerferredTimingsToEDID();

    int m_nMode = edid::ModeCustom;
    int m_nMaxHActive = 4095;
    int m_nMaxVActive = 4095;
    double m_dMaxClock = 0;
    bool m_bEDIDRead = false;
    uint8_t m_edid[edid::kEdidSize] = {};
    StandardTiming m_standard;
    DetailedTiming m_detailed;
    WComboBox* m_pModeCombo = nullptr;
    QTimingsDetailList* m_pList = nullptr;
    QWarningWidget* m_pWarning = nullptr;
    WPushButton* m_pOkBtn = nullptr;
    WPushButton* m_pCancelBtn = nullptr;
};
