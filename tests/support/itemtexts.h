#pragma once

#include "core/playlist/playlistitem.h"

#include <QStringList>

// The texts of playlist items, in their order.
inline QStringList itemTexts(const QList<PlaylistItem> &items)
{
    QStringList result;
    for (const PlaylistItem &item : items)
        result.append(item.text);
    return result;
}
