#include "engine/fileaccess.h"

#include <QDir>
#include <QFileInfo>

bool FileAccess::isFile(const QString &path) const
{
    return QFileInfo(path).isFile();
}

RegularFile::Contents FileAccess::read(const QString &path, qint64 maxBytes) const
{
    return RegularFile::read(path, maxBytes);
}

QString FileAccess::identity(const QString &path) const
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

const FileAccess &FileAccess::disk()
{
    // Never destroyed: an expansion may still run on a worker at exit.
    static const FileAccess *files = new FileAccess;
    return *files;
}
