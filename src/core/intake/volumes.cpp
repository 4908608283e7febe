#include "core/intake/volumes.h"

#include <QDir>
#include <QStorageInfo>

#include <algorithm>

namespace Volumes {

namespace {

bool isBelow(const QString &path, const QString &root)
{
    if (root == u"/")
        return path.startsWith(u'/');
    return path == root || path.startsWith(root + u'/');
}

// Images and kernel file systems that may turn up under the user's mount points.
bool isSystemType(const QByteArray &type)
{
    static const QList<QByteArray> kinds { "squashfs", "proc", "sysfs", "devtmpfs", "devpts",
        "tmpfs", "cgroup", "cgroup2", "autofs", "overlay", "fuse.snapfuse", "fuse.portal" };
    return kinds.contains(type);
}

} // namespace

bool isUserMount(const QString &root, const QByteArray &type)
{
    if (root == u"/")
        return true;
    if (isSystemType(type))
        return false;
    static const QStringList places { QStringLiteral("/media"), QStringLiteral("/mnt"),
        QStringLiteral("/run/media") };
    return std::any_of(places.cbegin(), places.cend(),
        [&root](const QString &place) { return root.startsWith(place + u'/'); });
}

QString displayName(const QString &root, const QString &label)
{
    QString name = label;
    if (name.isEmpty())
        name = root.section(u'/', -1, -1, QString::SectionSkipEmpty);
    return name.isEmpty() ? root : name + QStringLiteral(" (") + root + u')';
}

QList<Volume> mounted()
{
    QList<Volume> volumes { { QStringLiteral("/"), QStringLiteral("根目录 (/)") } };
    const QString home = QDir::cleanPath(QDir::homePath());
    if (home != u"/")
        volumes.append({ home, QStringLiteral("主目录 (") + home + u')' });
    QList<Volume> disks;
    for (const QStorageInfo &storage : QStorageInfo::mountedVolumes()) {
        const QString root = QDir::cleanPath(storage.rootPath());
        if (root == u"/" || !isUserMount(root, storage.fileSystemType()))
            continue;
        const bool known = std::any_of(disks.cbegin(), disks.cend(),
            [&root](const Volume &volume) { return volume.root == root; });
        if (!known)
            disks.append({ root, displayName(root, storage.name()) });
    }
    std::sort(disks.begin(), disks.end(),
        [](const Volume &a, const Volume &b) { return a.root < b.root; });
    return volumes + disks;
}

qsizetype holding(const QList<Volume> &volumes, const QString &path)
{
    qsizetype best = -1;
    for (qsizetype i = 0; i < volumes.size(); ++i) {
        const QString &root = volumes.at(i).root;
        if (isBelow(path, root) && (best < 0 || root.size() > volumes.at(best).root.size()))
            best = i;
    }
    return best;
}

} // namespace Volumes
