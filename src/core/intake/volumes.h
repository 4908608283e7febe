#pragma once

#include <QList>
#include <QString>

// One entry of the add-directory dialog's drive list.
struct Volume
{
    QString root; // the directory the volume opens at
    QString name; // what the list shows
};

// The mounted volumes a user would pick from: the root file system, the home
// folder, and what is mounted under /media, /mnt and /run/media (removable
// media, other disks). Kernel file systems, snap images and the like are not.
namespace Volumes {

QList<Volume> mounted();

// Whether a mount at `root` of file system type `type` is one a user would
// pick (the root file system, or a disk under /media, /mnt or /run/media).
bool isUserMount(const QString &root, const QByteArray &type);

// The list's text for a volume: its label, or the last part of its root,
// followed by the root in brackets.
QString displayName(const QString &root, const QString &label);

// The index of the volume that holds `path` (the longest root that is a
// prefix of it), or -1.
qsizetype holding(const QList<Volume> &volumes, const QString &path);

} // namespace Volumes
