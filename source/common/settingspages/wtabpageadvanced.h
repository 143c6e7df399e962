#ifndef WTABPAGEADVANCED_H
#define WTABPAGEADVANCED_H

#include <QWidget>

#include "toolkit/wpagebase.h"

class QColorSpaceWidget;
class QFrameRateWidget;
class QImageSizeWidget;
class WComboBox;

// The advanced page: the capture colour formats, frame rates and image sizes the device
// offers (three list editors on a tab stack), the name it announces and the picture it
// sends without a signal. Changes take effect after the device reconnects. It is not a
// device listener: it refreshes only when the container asks.
class WTabPageAdvanced : public QWidget, public WPageBase
{
    Q_OBJECT
public:
    explicit WTabPageAdvanced(QWidget* parent = nullptr);
    ~WTabPageAdvanced() override;

    void InitPage(unsigned int flags, bool keep) override;
    QString GetExportInfo() override;
    // The three editors without the combo boxes.
    void InitFormatSetsColorPiece(bool keep);

    QWrapperStack* GetStack() const { return m_pStack; }
    QColorSpaceWidget* GetColorSpaceWidget() const { return m_pColorSpace; }
    QFrameRateWidget* GetFrameRateWidget() const { return m_pFrameRate; }
    QImageSizeWidget* GetImageSizeWidget() const { return m_pImageSize; }
    WComboBox* GetNameCombo() const { return m_pNameCombo; }
    WComboBox* GetImageCombo() const { return m_pImageCombo; }

signals:
    void sigPageRefreshed(unsigned int flags, bool partial);

public slots:
    void OnTabPageChanged(int index);
    void OnComboBoxIndexChanged(int index);

private:
    void InitNameAndImgColorPiece();
    void BuildFocusList();
    WComboBox* CreateCombo(const QStringList& items);

    QWrapperStack* m_pStack = nullptr;
    QColorSpaceWidget* m_pColorSpace = nullptr;
    QFrameRateWidget* m_pFrameRate = nullptr;
    QImageSizeWidget* m_pImageSize = nullptr;
    WComboBox* m_pNameCombo = nullptr;
    WComboBox* m_pImageCombo = nullptr;
};

#endif // WTABPAGEADVANCED_H
