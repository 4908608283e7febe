#include "core/text/safesave.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QSaveFile>
#endif

namespace SafeSave {

#ifdef Q_OS_UNIX

namespace {

const int kMaxLinks = 40; // as the kernel's own limit on a chain of links

QByteArray nativeName(const QString &path)
{
    return QFile::encodeName(path);
}

// Owned by the user (or root) and not writable by group or others: nobody
// else can put or replace a link in it.
bool keptFromOthers(const QString &folder)
{
    struct stat info;
    if (::stat(nativeName(folder).constData(), &info) != 0)
        return false;
    const bool owner = info.st_uid == ::geteuid() || info.st_uid == 0;
    return owner && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

QString linkTarget(const QString &link)
{
    char buffer[PATH_MAX];
    const ssize_t size = ::readlink(nativeName(link).constData(), buffer, sizeof buffer);
    if (size <= 0 || size == ssize_t(sizeof buffer))
        return QString();
    const QString target = QFile::decodeName(QByteArray(buffer, size));
    return QDir::isAbsolutePath(target) ? target : QFileInfo(link).absolutePath() + u'/' + target;
}

QString errorText(int code)
{
    return QString::fromLocal8Bit(::strerror(code));
}

bool writeAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return false;
        done += wrote;
    }
    return true;
}

bool isTemporaryName(const QString &name, const QString &targetName)
{
    const QString prefix = u'.' + targetName + u'.';
    if (name.size() != prefix.size() + 12 || !name.startsWith(prefix) || !name.endsWith(u".tmp"))
        return false;
    const QStringView digits = QStringView(name).sliced(prefix.size(), 8);
    return std::all_of(digits.begin(), digits.end(),
        [](QChar c) { return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f'); });
}

// Temporary files of earlier saves of target that a kill left behind. A save
// holds a lock on its temporary file while it writes, so one that can be
// locked is no save's any more. Only the user's own regular files are taken.
void removeLeftTemporaries(const QString &target)
{
    const QFileInfo info(target);
    const QString pattern = QStringLiteral(".%1.*.tmp").arg(info.fileName());
    const QStringList names
        = QDir(info.absolutePath())
              .entryList({ pattern }, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        if (!isTemporaryName(name, info.fileName()))
            continue;
        const QByteArray path = nativeName(info.absolutePath() + u'/' + name);
        const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat file;
        if (::fstat(fd, &file) == 0 && S_ISREG(file.st_mode) && file.st_uid == ::geteuid()
            && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.constData());
        ::close(fd);
    }
}

// A new file beside target that nobody else can have prepared: created with
// O_EXCL and never through a link, and locked while the save writes it. The
// umask applies to a new list; an existing list keeps its permissions.
int createTemporary(const QString &target, QByteArray *name)
{
    struct stat old;
    const bool exists = ::stat(nativeName(target).constData(), &old) == 0 && S_ISREG(old.st_mode);
    const QFileInfo info(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        *name = nativeName(info.absolutePath() + QStringLiteral("/.") + info.fileName()
            + QStringLiteral(".%1.tmp").arg(
                QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
        const int fd = ::open(name->constData(),
            O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, exists ? 0600 : 0666);
        if (fd < 0 && errno == EEXIST)
            continue;
        struct stat created;
        if (fd >= 0
            && (::flock(fd, LOCK_EX) != 0 || ::fstat(fd, &created) != 0 || created.st_nlink == 0)) {
            ::close(fd); // another save took it for a left one before it was locked
            continue;
        }
        if (fd >= 0 && exists)
            (void)::fchmod(fd, old.st_mode & 07777);
        return fd;
    }
    errno = EEXIST;
    return -1;
}

} // namespace

Target resolve(const QString &path)
{
    Target target { true, path };
    bool viaLink = false;
    for (int hop = 0; hop <= kMaxLinks; ++hop) {
        struct stat info;
        if (::lstat(nativeName(target.path).constData(), &info) != 0) {
            target.allowed = !viaLink; // a link to nothing belongs to nobody
            return target;
        }
        if (!S_ISLNK(info.st_mode)) {
            target.allowed = !viaLink || info.st_uid == ::geteuid();
            return target;
        }
        viaLink = true;
        if (info.st_uid != ::geteuid() || !keptFromOthers(QFileInfo(target.path).absolutePath())) {
            target.allowed = false;
            return target;
        }
        target.path = linkTarget(target.path);
        if (target.path.isEmpty())
            break;
    }
    target.allowed = false; // a loop, or a chain too long to follow
    return target;
}

bool replace(const QString &path, const QByteArray &bytes, QString *error)
{
    const Target target = resolve(path);
    if (!target.allowed) {
        if (error)
            *error = QStringLiteral("not saved through a link that others could have placed");
        return false;
    }
    removeLeftTemporaries(target.path);
    QByteArray temporary;
    const int fd = createTemporary(target.path, &temporary);
    if (fd < 0) {
        if (error)
            *error = errorText(errno);
        return false;
    }
    bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
    int code = errno;
    // rename() replaces whatever has the name now, a link included; it never
    // writes through one. The file is still locked: no other save takes it
    // for one left behind.
    if (ok && ::rename(temporary.constData(), nativeName(target.path).constData()) != 0) {
        ok = false;
        code = errno;
    }
    ::close(fd);
    if (!ok) {
        ::unlink(temporary.constData());
        if (error)
            *error = errorText(code);
    }
    return ok;
}

#else

Target resolve(const QString &path)
{
    return { true, path };
}

bool replace(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    // QSaveFile::commit() does not notice a failed flush (disk full), so flush first.
    const bool ok = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()
        && file.flush() && file.commit();
    if (!ok && error)
        *error = file.errorString();
    return ok;
}

#endif

} // namespace SafeSave
