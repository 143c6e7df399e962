#pragma once

#include "wpushbutton.h"

#include <QLabel>
#include <QMovie>
#include <QPointer>
#include <QProgressBar>
#include <QStringList>
#include <QWidget>

class QPushButton;
class QTableWid;

// State of the firmware update cell (the value cell of row 3 of an Info table).
enum OPT_UI_TYPE {
    OPT_UI_NONE = 0,          // nothing to offer (no device, update service not ready)
    OPT_UI_CHECK = 1,         // idle; the user may check for a new version
    OPT_UI_CHECKING = 2,      // a check is running
    OPT_UI_NEWVER = 3,        // newer firmware available for download
    OPT_UI_LATEST = 4,        // the firmware is the latest
    OPT_UI_CHECKFAILED = 5,   // the update service could not be reached
    OPT_UI_DOWNLOADING = 6,   // download running
    OPT_UI_DOWNFAILED = 7,    // download failed
    OPT_UI_UPGRADE = 8,       // download complete, the update can start
    OPT_UI_UPFAILED = 9,      // the update failed
    OPT_UI_UPSUCCESS = 10,    // the update succeeded
};

// Two-column NAME / VALUE table of the status pages. Plain form: every value
// is a text. Update form (`plain` false): the value cell of row 3 is the
// firmware update cell (version, state message, progress, release-notes and
// option buttons), driven by SetUpgradeOptType / SetDownloadProcess.
//
// Texts handed in (names, values, versions) are shown as plain text, never as
// markup: they come from devices and from the update service.
class QWrapperTableWidget : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kUpdateRow = 3;

    QWrapperTableWidget(bool plain, int height, const QStringList& names, int margin, QWidget* parent);

    void SetRowCount(int rows);
    void SetNameList(const QStringList& names);
    void SetValueList(const QStringList& values);
    void SetScrollBarTop();
    // Style of a cell label; `firstColumn` drops the left line, `lastRow` the bottom one.
    void setLabelStyle2(QLabel* label, bool firstColumn, bool lastRow);

    // Firmware update cell (update form only; no effect otherwise).
    void SetUpgradeOptType(int type, const QString& version, const QString& detail, bool bTrue);
    void SetDownloadProcess(float percent);
    void setVerTextColor(const QColor& color);
    void setMsgTextColor(const QColor& color);
    void setUpdateImg(QPushButton* button, const QString& name);
    void setOptBtnImg(int kind, const QString& detail);

    int GetOptType() const { return m_nOptType; }
    int GetSelectedRow() const { return m_nSelectedRow; }
    int GetRowCount() const { return m_nRowCount; }
    bool IsPlain() const { return m_bPlain; }
    bool HasUpdateCell() const { return !m_pVerLabel.isNull(); }

    // Read access to the update cell's parts (null in the plain form or once
    // the row holding the cell is gone).
    QLabel* GetVersionLabel() const { return m_pVerLabel; }
    QLabel* GetMessageLabel() const { return m_pMsgLabel; }
    QLabel* GetAnimationLabel() const { return m_pAnimLabel; }
    QProgressBar* GetProgressBar() const { return m_pProgress; }
    QMovie* GetAnimation() const { return m_pMovie; }

    // Public so that the owning page can list them in its focus list.
    QTableWid* m_pTable;
    QPointer<WPushButton> m_pBtnInfo;   // release notes
    QPointer<WPushButton> m_pBtnOpt;    // option button (check, download, ...)

signals:
    void sigUpgradeOpt(int nType);
    void sigUpgradeInfo();

public slots:
    void OnOptBtnClicked();
    void OnCellPressed(int nRow, int nColumn);
    void OnCellClicked(int nRow, int nColumn);
    void OnCellDoubleClicked(int nRow, int nColumn);
    void OnHeaderViewClicked(int);

private:
    QWidget* CreateUpdateCell();
    void DropUpdateCell();
    bool IsUpdateCell(int row, int column) const;
    void SetValueText(QLabel* label, const QString& text);

    // Parts of the update cell, owned by the table's cell widget; QPointer so
    // that nothing dangles once the table drops that cell.
    QPointer<QLabel> m_pVerLabel;
    QPointer<QProgressBar> m_pProgress;
    QPointer<QLabel> m_pMsgLabel;
    QPointer<QLabel> m_pAnimLabel;
    QPointer<QMovie> m_pMovie;

    int m_nRowCount;
    const bool m_bPlain;
    int m_nSelectedRow = -1;
    int m_nOptType = OPT_UI_NONE;
};
