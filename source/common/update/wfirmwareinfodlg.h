#pragma once

#include "toolkit/qcustomdialog.h"

class QTextEdit;

// The release notes of an offered firmware. The change log is "###<version>##<item>##..."
// repeated; every version becomes a heading over a numbered list.
class WFirmwareInfoDlg : public QCustomDialog
{
    Q_OBJECT
public:
    WFirmwareInfoDlg(const QString& changeLog, QWidget* parent);
    ~WFirmwareInfoDlg() override;

    void OnHandleUI() override;

    // The HTML shown for a change log (device-supplied text is escaped).
    static QString ChangeLogHtml(const QString& changeLog);
    QTextEdit* GetTextEdit() const { return m_pTextEdit; }

private:
    QString m_strChangeLog;
    QTextEdit* m_pTextEdit = nullptr;
};
