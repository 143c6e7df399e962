#pragma once
// The "Custom GTF/CVT Resolutions" tab of the Timing page: the device's list of up to
// sixteen custom input resolutions, with Add, Modify and Delete. Every change is one
// read-modify-write of the device's list.

#include <QWidget>

#include <memory>

class QResolutionDialog;
class QTableWid;
class QWrapperStack;
class WPageBase;
class WPushButton;
namespace timinglist {
class Selection;
}

class QCustomResolutionsWidget : public QWidget
{
    Q_OBJECT
public:
    explicit QCustomResolutionsWidget(QWidget* parent = nullptr);
    ~QCustomResolutionsWidget() override;

    // Refreshes the table from the device; `reset` also drops the selection.
    void InitCustomResolutionsTab(bool reset);

    // One read-modify-write each; true when the list was written. Nothing is written
    // when the read fails or the index is not an entry of the list.
    bool AddCustomResolution(int width, int height);
    bool ModifyCustomResolution(int index, int width, int height);
    bool DeleteCustomResolution(int index);

    void AddToFocusList(WPageBase* page, QWrapperStack* stack);

    QTableWid* GetTable() const { return m_pTable; }
    WPushButton* GetAddButton() const { return m_pAddBtn; }
    WPushButton* GetModifyButton() const { return m_pModifyBtn; }
    WPushButton* GetDeleteButton() const { return m_pDeleteBtn; }
    int GetSelectedRow() const;

signals:
    // A dialog is about to run (tests answer it through this).
    void sigDialogOpened(QResolutionDialog* dialog);

public slots:
    void OnCellPressed(int row, int column);
    void OnCellClicked(int row, int column);
    void OnCellDoubleClicked(int row, int column);
    void OnButtonClicked();

private:
    // Runs and deletes `dialog`; true with the entered resolution when it was accepted.
    bool RunDialog(QResolutionDialog* dialog, int& width, int& height);

    QTableWid* m_pTable = nullptr;
    WPushButton* m_pAddBtn = nullptr;
    WPushButton* m_pModifyBtn = nullptr;
    WPushButton* m_pDeleteBtn = nullptr;
    std::unique_ptr<timinglist::Selection> m_selection;
};
