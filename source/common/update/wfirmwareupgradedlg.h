#pragma once

#include "toolkit/qcustomdialog.h"

class QLabel;
class QStackedLayout;
class WProgressBar;
class WProgressCir;
class WPushButton;

// Confirms a firmware upgrade, shows its erase, write and verify progress and ends on
// success or one of three failure pages. The Info page drives it.
class WFirmwareUpgradeDlg : public QCustomDialog
{
    Q_OBJECT
public:
    enum Page { PageConfirm = 0, PageProgress, PageSuccess, PageFailed, PageFileMissing, PageDeviceLost, PageCount };

    WFirmwareUpgradeDlg(const QString& currentVersion, const QString& newVersion, QWidget* parent);
    ~WFirmwareUpgradeDlg() override;

    void SetCurrentStack(int page);
    int GetCurrentStack() const;
    // 0 the ring's centre text, 1..3 the erase, write and verify captions.
    void SetText(int index, const QString& text, const QColor& colour);
    // 0 the ring in degrees, 1..3 the erase, write and verify bars (0 to 100).
    void SetValue(int index, int value);
    void SetImgVisible(bool visible);
    // A line under "Update failed" saying why (empty: none).
    void SetFailureDetail(const QString& detail);
    QString GetFailureText() const;

    void OnHandleUI() override;

    WProgressCir* GetProgressCir() const { return m_pProgressCir; }
    WProgressBar* GetProgressBar(int index) const;   // 1..3
    WPushButton* GetPageButton(int page) const;      // the page's default button, or null

signals:
    void sigUpdate();
    void sigRetry();
    void sigDevLost();

public slots:
    void OnOKClicked();
    void OnHelpClicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* createWarningStrip();
    QLayout* createVersionGrid(const QString& currentVersion, const QString& newVersion);
    QWidget* createTextPage(const QString& text, const QList<WPushButton*>& buttons);
    WPushButton* createButton(const QString& text, const QString& objectName);

    QLabel* m_pCurrentVersion = nullptr;
    QLabel* m_pNewVersion = nullptr;
    QStackedLayout* m_pImageStack = nullptr;
    QStackedLayout* m_pPageStack = nullptr;
    WProgressCir* m_pProgressCir = nullptr;
    QLabel* m_pFailedImage = nullptr;
    QLabel* m_pSuccessImage = nullptr;
    WPushButton* m_pBtnUpdate = nullptr;
    WPushButton* m_pBtnOK = nullptr;
    WPushButton* m_pBtnRetry = nullptr;
    WPushButton* m_pBtnHelp = nullptr;
    WPushButton* m_pBtnDeviceHelp = nullptr;
    WProgressBar* m_pBars[3] = {};
    QLabel* m_pFailedText = nullptr;
};
