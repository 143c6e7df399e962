#pragma once
// The two EDID views of the HDMI page: the EDID the capture device presents to the
// source (dump plus "Timing...", "Default", "Import..." and "Export...") and, read-only,
// the EDID of the sink on the loop-through output. Neither keeps an EDID of its own:
// every display, report and export reads the device anew.

#include <QWidget>

class QTextEdit;
class WPushButton;

class QEDIDInputWidget : public QWidget
{
    Q_OBJECT
public:
    explicit QEDIDInputWidget(QWidget* parent = nullptr);
    ~QEDIDInputWidget() override;

    void InitEDIDInputWidget();
    void SetEDIDText();
    QString ExportInfo();

    // The work behind "Import..." and "Export..." once a file is chosen; false on any
    // failure (then nothing was sent, or no file was written).
    bool ImportEDIDFile(const QString& path);
    bool ExportEDIDFile(const QString& path);

    QString GetText() const;
    WPushButton* GetTimingButton() const { return m_pTimingBtn; }
    WPushButton* GetDefaultButton() const { return m_pDefaultBtn; }
    WPushButton* GetImportButton() const { return m_pImportBtn; }
    WPushButton* GetExportButton() const { return m_pExportBtn; }

signals:
    void videoSignalChanged(bool hdmi);

public slots:
    void OnEDIDTiming();
    void OnEDIDDefault();
    void OnEDIDImport();
    void OnEDIDExport();

private:
    QTextEdit* m_pTextEdit;
    WPushButton* m_pTimingBtn;
    WPushButton* m_pDefaultBtn;
    WPushButton* m_pImportBtn;
    WPushButton* m_pExportBtn;
};

class QEDIDLoopThroughWidget : public QWidget
{
    Q_OBJECT
public:
    explicit QEDIDLoopThroughWidget(QWidget* parent = nullptr);
    ~QEDIDLoopThroughWidget() override;

    void InitEDIDLoopThroughWidget();
    QString ExportInfo();
    bool ExportEDIDFile(const QString& path);

    QString GetText() const;
    WPushButton* GetExportButton() const { return m_pExportBtn; }

public slots:
    void OnEDIDExport();

private:
    QTextEdit* m_pTextEdit;
    WPushButton* m_pExportBtn;
};
