#pragma once

#include <QByteArray>
#include <QString>

// Replaces a file atomically: the bytes go to a new file beside it, which is
// then renamed over the old one, so a failed save (disk full, a crash)
// leaves the previous file intact. Temporary files that earlier saves left
// behind when the program was killed are removed by the next save.
//
// A symbolic link in the file's place is followed only when it cannot have
// been planted by someone else: every link on the way belongs to the user
// running the program and lies in a folder no other user may write to, and
// the file it leads to exists and belongs to the user too. Otherwise the
// save is refused, so a link in a shared folder can never turn a save into
// an overwrite of some other file.
namespace SafeSave {

// Where a save of path would write, and whether it may.
struct Target
{
    bool allowed = true;
    QString path;
};

Target resolve(const QString &path);

inline bool mayReplace(const QString &path)
{
    return resolve(path).allowed;
}

bool replace(const QString &path, const QByteArray &bytes, QString *error = nullptr);

} // namespace SafeSave
