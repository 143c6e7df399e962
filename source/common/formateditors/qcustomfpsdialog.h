#pragma once
// The "Custom..." dialog of the frame-rate editor: the user types a rate between 5 and
// 120 fps (two decimals at most) that the list does not hold yet; OK hands back its
// frame duration. Nothing goes to the device.

#include "toolkit/qcustomdialog.h"

#include <QVector>

#include "formateditors/qframeratewidget.h"

class QLabel;
class QLineEdit;
class WPushButton;

class QCustomFpsDialog : public QCustomDialog
{
    Q_OBJECT
public:
    static constexpr double kMinFps = 5;
    static constexpr double kMaxFps = 120;

    QCustomFpsDialog(QVector<tagFRAME_RATE_SET> list, QWidget* parent);

    // True when a listed duration d has |fps - 1e7 / d| < 0.005.
    bool IsFPSExist(double fps) const;
    // 1e7 / the typed rate, rounded half up.
    unsigned int GetFrameDuration() const;

    void OnHandleUI() override;

    QLineEdit* GetLineEdit() const { return m_pLineEdit; }
    QLabel* GetDurationLabel() const { return m_pDuration; }
    QLabel* GetErrorLabel() const { return m_pError; }
    WPushButton* GetOkButton() const { return m_pOk; }

public slots:
    void OnTextChanged(QString text);
    void OnOkBtnClicked();
    void OnCancelBtnClicked();

private:
    QWidget* CreateMainWnd();
    double FirstProposal() const;
    // The error text for rate `fps`; empty when it may be added.
    QString ErrorFor(double fps) const;

    QVector<tagFRAME_RATE_SET> m_list;
    QLineEdit* m_pLineEdit = nullptr;
    QLabel* m_pDuration = nullptr;
    QLabel* m_pError = nullptr;
    WPushButton* m_pOk = nullptr;
    WPushButton* m_pCancel = nullptr;
};
