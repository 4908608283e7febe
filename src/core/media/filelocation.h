#pragma once

#include <QString>

// Local files are named in lists and to the engine as "file://" followed by
// the path exactly as it is: nothing is percent-encoded.
namespace FileLocation {

inline QLatin1String prefix()
{
    return QLatin1String("file://");
}

inline QString fromPath(const QString &path)
{
    return prefix() + path;
}

inline bool isFile(const QString &location, Qt::CaseSensitivity cs = Qt::CaseSensitive)
{
    return location.startsWith(prefix(), cs);
}

// The path of a "file://" location (the prefix in any case).
inline QString pathOf(const QString &location)
{
    return location.mid(prefix().size());
}

} // namespace FileLocation
