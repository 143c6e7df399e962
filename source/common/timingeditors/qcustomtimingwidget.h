#pragma once
// The "Custom Timings" tab of the Timing page: the custom timings stored in the device
// (saved by the adjust tab), and deletion of one of them.

#include <QWidget>

#include <memory>

class QTableWid;
class QWrapperStack;
class WPageBase;
class WPushButton;
namespace timinglist {
class Selection;
}

class QCustomTimingWidget : public QWidget
{
    Q_OBJECT
public:
    explicit QCustomTimingWidget(QWidget* parent = nullptr);
    ~QCustomTimingWidget() override;

    // Refills the table from the device; `resetSelection` also drops the selection.
    void InitCustomTimingTab(bool resetSelection);

    void AddToFocusList(WPageBase* page, QWrapperStack* stack);

    QTableWid* GetTable() const { return m_pTable; }
    WPushButton* GetDeleteButton() const { return m_pDeleteBtn; }
    int GetSelectedRow() const;

public slots:
    void OnCellPressed(int row, int column);
    void OnCellClicked(int row, int column);
    void OnCellDoubleClicked(int row, int column);
    void OnDeleteCustomTiming();

private:
    void FitHeaderTitles();

    QTableWid* m_pTable = nullptr;
    WPushButton* m_pDeleteBtn = nullptr;
    std::unique_ptr<timinglist::Selection> m_selection;
};
