#pragma once
// The "Custom..." dialog of the image-size editor: a width (multiple of 16) and an even
// height, each from 64 to the device's capture maximum (report 0x03), that the list does
// not hold yet. Nothing goes to the device.

#include "toolkit/qcustomdialog.h"

#include <QVector>

#include "formateditors/qimagesizewidget.h"

class QLabel;
class QLineEdit;
class WPushButton;

class QCustomSizeDialog : public QCustomDialog
{
    Q_OBJECT
public:
    QCustomSizeDialog(QVector<tagIMAGE_SIZE_SET> list, QWidget* parent);

    bool IsImageSizeExist(int width, int height) const;
    void GetImageSize(int& width, int& height) const;
    int GetMaxWidth() const { return m_nMaxWidth; }
    int GetMaxHeight() const { return m_nMaxHeight; }

    void OnHandleUI() override;

    QLineEdit* GetWidthEdit() const { return m_pWidthEdit; }
    QLineEdit* GetHeightEdit() const { return m_pHeightEdit; }
    QLabel* GetPromptLabel() const { return m_pPrompt; }
    QLabel* GetErrorLabel() const { return m_pError; }

public slots:
    void OnTextChanged(QString text);
    void OnOkBtnClicked();
    void OnCancelBtnClicked();

private:
    QWidget* CreateMainWnd();

    QVector<tagIMAGE_SIZE_SET> m_list;
    int m_nMaxWidth = 2048;    // without a device
    int m_nMaxHeight = 2048;
    QLineEdit* m_pWidthEdit = nullptr;
    QLineEdit* m_pHeightEdit = nullptr;
    QLabel* m_pPrompt = nullptr;
    QLabel* m_pError = nullptr;
    WPushButton* m_pOk = nullptr;
    WPushButton* m_pCancel = nullptr;
};
