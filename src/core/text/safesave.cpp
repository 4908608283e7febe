#include "core/text/safesave.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
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

// A new file beside target that nobody else can have prepared: created with
// O_EXCL and never through a link. The umask applies to a new list; an
// existing list keeps its permissions.
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
    QByteArray temporary;
    const int fd = createTemporary(target.path, &temporary);
    if (fd < 0) {
        if (error)
            *error = errorText(errno);
        return false;
    }
    bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
    int code = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        code = errno;
    }
    // rename() replaces whatever has the name now, a link included; it never
    // writes through one.
    if (ok && ::rename(temporary.constData(), nativeName(target.path).constData()) != 0) {
        ok = false;
        code = errno;
    }
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
