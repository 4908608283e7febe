#include "core/text/regularfile.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace RegularFile {

#ifdef Q_OS_UNIX

namespace {

// Reads to the end, but never more than maxBytes + 1 bytes: a file that grows
// while it is read is still caught by the limit.
Contents readAll(int fd, qint64 size, qint64 maxBytes)
{
    Contents result;
    QByteArray bytes;
    bytes.resize(qMin(size, maxBytes) + 1);
    qint64 total = 0;
    while (total < bytes.size()) {
        const ssize_t got = ::read(fd, bytes.data() + total, size_t(bytes.size() - total));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            result.status = Status::Unreadable;
            return result;
        }
        if (got == 0)
            break;
        total += got;
        if (total == bytes.size() && total <= maxBytes)
            bytes.resize(qMin(bytes.size() * 2, maxBytes + 1));
    }
    if (total > maxBytes) {
        result.status = Status::TooLarge;
        return result;
    }
    bytes.truncate(total);
    result.bytes = std::move(bytes);
    return result;
}

} // namespace

Contents read(const QString &path, qint64 maxBytes)
{
    Contents result;
    // O_NONBLOCK: opening a FIFO without a writer would otherwise wait for ever.
    const int fd
        = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        result.status = (errno == ENOENT || errno == ENOTDIR) ? Status::NotFound
            : errno == EISDIR                                 ? Status::NotRegular
                                                              : Status::Unreadable;
        return result;
    }
    struct stat info;
    if (::fstat(fd, &info) != 0)
        result.status = Status::Unreadable;
    else if (!S_ISREG(info.st_mode))
        result.status = Status::NotRegular;
    else if (info.st_size > maxBytes)
        result.status = Status::TooLarge;
    else
        result = readAll(fd, info.st_size, maxBytes);
    ::close(fd);
    return result;
}

#else

Contents read(const QString &path, qint64 maxBytes)
{
    Contents result;
    const QFileInfo info(path);
    if (!info.exists()) {
        result.status = Status::NotFound;
        return result;
    }
    QFile file(path);
    if (!info.isFile())
        result.status = Status::NotRegular;
    else if (info.size() > maxBytes)
        result.status = Status::TooLarge;
    else if (!file.open(QIODevice::ReadOnly))
        result.status = Status::Unreadable;
    else {
        result.bytes = file.read(maxBytes + 1);
        if (file.error() != QFileDevice::NoError)
            result.status = Status::Unreadable;
        else if (result.bytes.size() > maxBytes)
            result.status = Status::TooLarge;
        if (result.status != Status::Ok)
            result.bytes.clear();
    }
    return result;
}

#endif

} // namespace RegularFile
