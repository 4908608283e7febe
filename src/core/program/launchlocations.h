#pragma once

#include "core/playlist/playlistitem.h"

#include <QList>
#include <QString>
#include <QStringList>

// The locations a start or another program names, as playlist item texts.
// A local path becomes "file://" + its absolute path, a file:// URL
// "file://" + the path it names (percent-decoding only when the text itself
// names no file), and a directory the files in it, as the add-directory
// dialog adds them; a network address (see LocationScheme) stays as given.
// Empty locations, locations with a line break (xlist.cfg keeps one per line)
// or a NUL, other schemes ("fd://3", unless a file of that name exists in
// the working folder) and local files that do not exist are left out with a
// complaint.
namespace LaunchLocations {

struct Resolved
{
    QStringList texts;
    QStringList complaints; // one line of text per location left out
};

// Relative paths are taken from workingDirectory; with an empty one they are
// refused (a D-Bus caller names absolute locations).
Resolved resolve(const QStringList &locations, const QString &workingDirectory);

// Item texts received from another process, as playlist items: texts that
// would not survive xlist.cfg, and schemes the engine refuses, are dropped;
// the icon follows the saved-list rule.
QList<PlaylistItem> items(const QStringList &texts);

} // namespace LaunchLocations
