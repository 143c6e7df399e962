#pragma once
// Asking for the name of a file to save. A filter of one suffix ("Bin Files(*.bin)")
// is also the file's suffix: a name typed without one gets it, as users expect,
// since the same filter would hide the file in the next open dialog.

#include <QString>

class QWidget;

// The suffix of a filter with exactly one pattern "*.suffix" ("bin"), else empty.
QString FilterSuffix(const QString& filter);

// `path` with "." + the filter's one suffix added when its file name has no suffix.
QString WithFilterSuffix(const QString& path, const QString& filter);

// Runs the save dialog; empty when cancelled, otherwise the chosen path with the
// filter's suffix added when it was typed without one.
QString AskSaveFileName(QWidget* parent, const QString& caption, const QString& path, const QString& filter);
