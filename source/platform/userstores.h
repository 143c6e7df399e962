#pragma once
// Where the program keeps its per-user files on a freedesktop system.
//
// Every per-user store is a QSettings ini file below the XDG configuration folder.
// The path is computed each time from the environment (instead of relying on
// QSettings' own user scope, which caches its base folder for the life of the
// process), so a changed XDG_CONFIG_HOME takes effect at once.

#include <QSettings>
#include <QString>

#include <memory>

namespace lvplatform {

// $XDG_CONFIG_HOME when it is set to an absolute path, otherwise $HOME/.config.
// Relative values are ignored, as the XDG base directory rules require.
QString configHome();

// <configHome>/<organization>/<application>.ini
QString userStoreFilePath(const QString& organization, const QString& application);

// An ini-format store (UTF-8) on userStoreFilePath(organization, application).
std::unique_ptr<QSettings> openUserStore(const QString& organization, const QString& application);

} // namespace lvplatform
