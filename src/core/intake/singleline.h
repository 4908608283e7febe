#pragma once

#include <QString>

// xlist.cfg keeps one location per line, so a location with a line break in
// it would come back as two items: such locations are never added.
inline bool fitsOneLine(const QString &location)
{
    return !location.contains(u'\n') && !location.contains(u'\r');
}
