#pragma once

#include "core/media/filelocation.h"

#include <QString>

// One entry of the playlist: the location that is saved, shown and played,
// and the icon shown beside it.
struct PlaylistItem
{
    enum class Icon : quint8 { File, Address };

    Icon icon = Icon::Address;
    QString text;

    // Icon chosen again from the text when xlist.cfg is read: only an exact,
    // lower-case "file://" prefix marks a local file.
    static Icon iconForSaved(const QString &text)
    {
        return FileLocation::isFile(text) ? Icon::File : Icon::Address;
    }

    // Icon for a line of an imported list file: the prefix in any case.
    static Icon iconForImported(const QString &text)
    {
        return FileLocation::isFile(text, Qt::CaseInsensitive) ? Icon::File : Icon::Address;
    }
};
