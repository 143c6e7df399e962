#pragma once
// The dialog that asks for one custom input resolution (Add and Modify forms): checks
// the range and refuses a resolution the device's list already holds.

#include "toolkit/qcustomdialog.h"

class QLabel;
class QLineEdit;
class WPushButton;

class QResolutionDialog : public QCustomDialog
{
    Q_OBJECT
public:
    static constexpr int kMinimum = 128;
    static constexpr int kMaximum = 4096;

    explicit QResolutionDialog(QWidget* parent = nullptr);                // Add form
    QResolutionDialog(int width, int height, QWidget* parent = nullptr);  // Modify form

    // True when the device's list holds (width, height), and when there is no device
    // to ask (then nothing may be entered).
    bool IsResolutionExist(int width, int height);
    void GetResolution(int& width, int& height) const;

    QLineEdit* GetWidthEdit() const { return m_pWidthEdit; }
    QLineEdit* GetHeightEdit() const { return m_pHeightEdit; }
    QLabel* GetErrorLabel() const { return m_pErrorLabel; }
    WPushButton* GetOkButton() const { return m_pOkBtn; }

    void OnHandleUI() override;

public slots:
    void OnCloseDialog();
    void OnOkBtnClicked();
    void OnCancelBtnClicked();
    void OnTextChanged(QString strText);

private:
    void CreateMainWnd(bool modify);

    int m_nInitWidth = 0;
    int m_nInitHeight = 0;
    QLineEdit* m_pWidthEdit = nullptr;
    QLineEdit* m_pHeightEdit = nullptr;
    QLabel* m_pErrorLabel = nullptr;
    WPushButton* m_pOkBtn = nullptr;
    WPushButton* m_pCancelBtn = nullptr;
};
