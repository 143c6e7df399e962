#pragma once
// The two-table editor of a capture list of the device (frame rates, image sizes):
// the left table holds the entries the device offers (the applied list), the right one
// the entries the user can add (built-in ones and the custom ones typed in a dialog).
// Moving an entry is one read-modify-write of the device's report, done by the
// subclass; this class keeps the tables, the selections, the buttons and the 200 ms
// double-click debounce.
//
// Adding is gated on the entries the device stores, not on the rows shown: a device
// list that is full keeps every entry, also those the editor does not show.

#include <QVector>
#include <QWidget>

class QLabel;
class QTableWid;
class QTimer;
class WPushButton;

class QTwoListEditor : public QWidget
{
    Q_OBJECT
public:
    QTwoListEditor(int capacity, bool scrollBothToEnd, QWidget* parent);

    QTableWid* GetLeftTable() const { return m_pLeftTable; }
    QTableWid* GetRightTable() const { return m_pRightTable; }
    WPushButton* GetApplyButton() const { return m_pBtnLeft; }
    WPushButton* GetRemoveButton() const { return m_pBtnRight; }
    WPushButton* GetCustomButton() const { return m_pBtnCustom; }
    int GetLeftSelection() const { return m_nLeftSel; }
    int GetRightSelection() const { return m_nRightSel; }
    // Entries the device stored at the last refresh (clamped to the capacity).
    int GetStoredCount() const { return m_nStored; }

public slots:
    void OnButtonClicked();
    void OnCellPressed(int row, int column);
    void OnCellClicked(int row, int column);
    void OnCellDoubleClicked(int row, int column);
    void OnCellActived(int row, int column);
    void OnAfterTimer();
    void OnDefaultValueChanged();
    void OnInsertCustomValue();
    void OnRemoveCustomValue();

protected:
    // The memory list, in display order.
    virtual int EntryCount() const = 0;
    virtual bool IsToggled(int entry) const = 0;
    virtual bool IsDefault(int entry) const = 0;
    virtual bool IsBuiltIn(int entry) const = 0;
    virtual bool IsHidden(int entry) const;   // never offered for adding
    virtual QString EntryText(int entry) const = 0;
    virtual void RemoveEntry(int entry) = 0;
    // Device side, each under the presenter lock; true when the report was written.
    virtual void Refresh(bool scrollToEnd, bool resetSelection) = 0;
    virtual bool WriteToggle(int entry, bool on) = 0;
    virtual bool WriteDefault(int entry) = 0;
    // Runs the custom-value dialog, adds its value to the memory list and refreshes;
    // the added value's entry, -1 when nothing was added.
    virtual int InsertCustom() = 0;

    // Rebuilds both tables from the memory list; `stored` is the device's entry count.
    void FillTables(int stored, bool scrollToEnd, bool resetSelection);
    // The device's list could not be read: both tables empty (an empty left table would
    // offer every entry as free to add) and the editor disabled until FillTables.
    void ShowUnknown();

private:
    int LeftEntry(int row) const;
    int RightEntry(int row) const;
    int RightRowOf(int entry) const;   // -1: not in the right table
    bool CanApply() const;
    bool CanRemove() const { return m_nLeftRows >= 2; }
    void UpdateButtons();
    void SelectRow(QTableWid* table, int row);
    // Moves the selected entry to the other side (apply: right to left).
    void Move(bool apply);
    // After a change: the device's list when it was written, else the tables as they were.
    void ShowAfterWrite(bool written);
    void FocusOnWhenRightEmpty();
    void FillTable(QTableWid* table, bool left, const QVector<int>& entries);

    const int m_nCapacity;
    const bool m_bScrollBothToEnd;
    QTableWid* m_pLeftTable = nullptr;
    QTableWid* m_pRightTable = nullptr;
    WPushButton* m_pBtnLeft = nullptr;
    WPushButton* m_pBtnRight = nullptr;
    WPushButton* m_pBtnCustom = nullptr;
    QLabel* m_pHint = nullptr;
    int m_nLeftSel = -1;
    int m_nRightSel = -1;
    int m_nLeftRows = 0;
    int m_nRightRows = 0;
    int m_nStored = 0;
    QTimer* m_pTimer = nullptr;
};

// The memory list of one entry type; entries carry bToggled, bDefault and bBuiltIn.
template <typename Entry>
class QTwoListEditorOf : public QTwoListEditor
{
public:
    using QTwoListEditor::QTwoListEditor;
    const QVector<Entry>& GetList() const { return m_list; }

protected:
    int EntryCount() const override { return m_list.size(); }
    bool IsToggled(int entry) const override { return m_list[entry].bToggled; }
    bool IsDefault(int entry) const override { return m_list[entry].bDefault; }
    bool IsBuiltIn(int entry) const override { return m_list[entry].bBuiltIn; }
    void RemoveEntry(int entry) override { m_list.remove(entry); }

    void ResetFlags()
    {
        for (Entry& e : m_list)
            e.bToggled = e.bDefault = 0;
    }

    QVector<Entry> m_list;
};
