#pragma once
// Editor of the device's capture colour formats (report 0x18): which formats the device
// offers the host, in priority order (three at most). The left list holds the applied
// formats, the right one the other formats the device supports; four buttons apply,
// remove and move the selected entry. Placing RGB, NV12 or I420 first brings a warning.
//
// Adding is gated on the formats the device stores, also those no list shows (codes
// this program does not know), so a full device list never loses an entry; the down
// button and the shown rows count the same entries.

#include <QString>
#include <QVector>
#include <QWidget>

#include <cstdint>

struct _KVCAP_DEVICE_CAPS;
class QLabel;
class QTableWid;
class QTimer;
class WPushButton;

struct tagCOLOR_SPACE_SET {
    bool bToggled = false;   // applied
    QString name;            // format name, one of the offered table
};

// The formats in offering order: "YUY2", "UYVY", "RGB 24", "RGB 32" always, "NV12" and
// "I420" when the device's capabilities say so.
extern const uint32_t g_arrColorSpaceCode[6];

// FourCC of a format name; the "unknown" code for any other name.
uint32_t GetColorSpaceFourCC(const QString& name);
// True when `code` is among the first `offered` formats (the ones the lists show).
bool IsColorSpaceOffered(uint32_t code, int offered);

class QColorSpaceWidget : public QWidget
{
    Q_OBJECT
public:
    explicit QColorSpaceWidget(QWidget* parent = nullptr);
    ~QColorSpaceWidget() override;

    // Refreshes the lists from the device. `first` or `second` also forget the
    // selections and run the deferred first-format warning; `third` refreshes the
    // right list too. `caps` (report 0x03) is read when not given. When either report
    // cannot be read, both lists are empty and the editor is disabled until a refresh
    // reads them.
    void InitColorSpaceWidget(bool first, bool second, bool third, const _KVCAP_DEVICE_CAPS* caps = nullptr);
    // Read-modify-writes of report 0x18; true when the report was written.
    bool SetColorSpaceToggled(const QString& name, bool on);
    bool SetColorSpaceSorted(const QString& name, bool up);

    QTableWid* GetLeftTable() const { return m_pLeftTable; }
    QTableWid* GetRightTable() const { return m_pRightTable; }
    WPushButton* GetButton(const QString& objectName) const;
    int GetLeftSelection() const { return m_nLeftSel; }
    int GetRightSelection() const { return m_nRightSel; }
    int GetShownCount() const { return m_nShown; }
    int GetStoredCount() const { return m_nStored; }

public slots:
    void OnButtonClicked();
    void OnCellClicked(int row, int column);
    void OnCellDoubleClicked(int row, int column);
    void OnCellPressed(int row, int column);
    void OnCellActived(int row, int column);
    void OnAfterTimer();

private:
    enum Change { ChangeNone, ChangeApply, ChangeRemove, ChangeUp, ChangeDown };

    static QTableWid* CreateColorSpaceTable(QColorSpaceWidget* owner);
    void ShowUnknown();
    QString RowText(QTableWid* table, int row) const;
    void UpdateButtons();
    // One user change: write, refresh, mark changed, then (outside the lock) the warning.
    void RunChange(Change change, bool fromDoubleClick);
    // The immediate check after a change, or the deferred one after a refresh.
    void CheckFirstFormat(bool immediate, bool fromDoubleClick = false);
    void ShowWarning(const QString& first);

    QVector<tagCOLOR_SPACE_SET> m_list;
    int m_nOffered = 4;
    int m_nStored = 0;      // entries the device stores (clamped)
    int m_nShown = 0;       // applied rows shown
    int m_nRightRows = 0;
    int m_nLeftSel = -1;
    int m_nRightSel = -1;
    QString m_firstColorFormat;
    bool m_bWarningShown = false;
    QTimer* m_pTimer = nullptr;
    QTableWid* m_pLeftTable = nullptr;
    QTableWid* m_pRightTable = nullptr;
    WPushButton* m_pBtnUp = nullptr;
    WPushButton* m_pBtnDown = nullptr;
    WPushButton* m_pBtnLeft = nullptr;
    WPushButton* m_pBtnRight = nullptr;
    QLabel* m_pHint = nullptr;
};
