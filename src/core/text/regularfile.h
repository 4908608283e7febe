#pragma once

#include <QByteArray>
#include <QString>

// Reads the whole of a file that outside hands may have named: only a regular
// file is read (a FIFO, a device or a folder is refused without blocking on
// it), and only up to a size limit, so a hostile name can neither hang the
// program nor exhaust its memory.
namespace RegularFile {

inline constexpr qint64 kMebibyte = 1024 * 1024;
inline constexpr qint64 kListLimit = 256 * kMebibyte; // xlist.cfg
inline constexpr qint64 kListFileLimit = 16 * kMebibyte; // RAM, m3u and pls files

enum class Status {
    Ok,
    NotFound, // nothing by that name (also a dangling link)
    NotRegular, // a folder, FIFO, socket or device
    TooLarge, // over the limit; nothing is returned
    Unreadable, // no permission, or an I/O error
};

struct Contents
{
    Status status = Status::Ok;
    QByteArray bytes; // the whole file when Ok, else empty
};

Contents read(const QString &path, qint64 maxBytes);

} // namespace RegularFile
