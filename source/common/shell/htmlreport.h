#ifndef HTMLREPORT_H
#define HTMLREPORT_H

#include <QDateTime>
#include <QCoreApplication>
#include <QString>
#include <functional>

class PropertyPage;
class QWidget;

// The HTML report: the document frame around the tab container's body and the
// whole "Save Report..." flow.
//
// The main window's OnExportBtnClicked() only calls
//     HtmlReport::ExportReport(this, m_pPropertyPage);
// which asks for the file, checks that the device is still the one the report
// was started for, writes the file with QSaveFile and tells the user when the
// write failed.
class HtmlReport
{
    Q_DECLARE_TR_FUNCTIONS(HtmlReport)

public:
    enum ExportResult {
        EXPORT_NO_DEVICE,       // no current device: nothing shown, nothing written
        EXPORT_CANCELLED,       // the user cancelled the file dialog
        EXPORT_DEVICE_CHANGED,  // device lost or another one current while the dialog was open
        EXPORT_WRITE_FAILED,    // the file could not be written (the user was told)
        EXPORT_WRITTEN,
    };

    // Chooses the file (parent, caption, default path, filter); empty = cancelled.
    // Tests replace the save dialog (AskSaveFileName) with their own chooser.
    using FileChooser = std::function<QString(QWidget*, const QString&, const QString&, const QString&)>;

    // The whole flow; GUI thread. `chooser` defaults to AskSaveFileName.
    static ExportResult ExportReport(QWidget* parent, PropertyPage* pages,
                                     const FileChooser& chooser = FileChooser());

    // The complete document around `body` (PropertyPage::ExportInfo()).
    static QString BuildDocument(const QString& body, const QDateTime& when);
    // Writes the text as UTF-8 through QSaveFile; false (and the reason) on failure.
    static bool WriteDocument(const QString& path, const QString& document, QString* error = nullptr);
    // "%1 (%2)" from model name and serial number, made safe as a file name:
    // no directory separators, no "..", no control characters.
    static QString DefaultFileName(const QString& model, const QString& serial);

    // Escapes a text for element content and double-quoted attributes.
    static QString Escape(const QString& text);
    // The h2 id of a page block and the side-bar link target for a (translated)
    // tab title; the pages build their ids with the same rule.
    static QString AnchorId(const QString& title);
};

#endif // HTMLREPORT_H
