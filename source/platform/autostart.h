#pragma once
// Start with the user's session on a freedesktop system: an XDG autostart entry,
// <configHome>/autostart/<entryId>.desktop, read by every compliant session manager.
//
// The entry counts as on while the file exists and neither "Hidden=true" nor
// "X-GNOME-Autostart-enabled=false" switches it off; that is what the session
// managers themselves test.

#include <QString>
#include <QStringList>

namespace lvplatform {

// <configHome>/autostart
QString autostartDirectory();

// <configHome>/autostart/<entryId>.desktop
QString autostartFilePath(const QString& entryId);

// One argument of an Exec line: quoted when it holds a reserved character, with
// '"', '`', '$' and '\' escaped inside the quotes and '%' doubled.
QString quoteExecArgument(const QString& argument);

// The value of an Exec key for program and arguments, before key-file escaping.
QString execLine(const QString& program, const QStringList& arguments);

// Escapes a value for a desktop file line (backslash, newline, tab, CR, leading blank).
QString escapeDesktopValue(const QString& value);

// Writes the entry atomically (creating the folder); false with a warning when the
// folder or file cannot be written, or when program/arguments hold control characters
// that an Exec line cannot carry.
bool writeAutostartEntry(const QString& entryId, const QString& displayName,
                         const QString& program, const QStringList& arguments);

// Deletes the entry; true when no entry is left afterwards.
bool removeAutostartEntry(const QString& entryId);

// True while the entry exists and is not switched off (see above).
bool isAutostartEntryActive(const QString& entryId);

} // namespace lvplatform
