#pragma once
// The rows of the Input page's three signal-status views, built from the records alone
// so that the page and its report section show the same values. Labels are kept as
// their untranslated table texts: the page shows them translated as they are, the
// report translates them with a colon ("Signal status:").

#include <QStringList>

#include "device/kvcaprecords.h"

struct StatusRows {
    QStringList labels;   // untranslated table rows
    QStringList values;   // final display texts

    QStringList PageLabels() const;
    // The translated report label of row i ("<label>:"); empty past the labels.
    QString ReportLabel(int i) const;
};

// Who the rows are for: the report skips the valid byte of report 0x10 and uses its
// own wording in a few places.
enum class StatusTarget { Page, Report };

StatusRows VideoStatusRows(const _KVCAP_VIDEO_STATUS& status, StatusTarget target);
StatusRows AudioStatusRows(const _KVCAP_AUDIO_STATUS& audio);
// Report 0x11 decides whether a signal is there; report 0x10 gives the rows of its type.
StatusRows SpecificStatusRows(const _KVCAP_VIDEO_STATUS& status, const _KVCAP_INPUT_STATUS& input,
                              StatusTarget target);

// Translated in the Input page's context.
QString InputPageTr(const char* text);
