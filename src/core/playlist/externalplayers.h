#pragma once

#include <QList>
#include <QString>

// The other players a playlist item can be handed to instead of the engine.
// Each entry name has a fixed program path per platform; an entry is offered
// only when its program is there when the playlist window loads.
class ExternalPlayers
{
public:
    struct Player
    {
        QString name; // the entry of the other-player list
        QString program; // full path of the program
    };

    // The fixed table of this platform, in list order.
    static QList<Player> platformTable();

    // The players of the table whose program exists as a plain, non-hidden file.
    static QList<Player> installed(const QList<Player> &table);

    // The location for an external player: the item text without surrounding
    // spaces and without a leading "file://" in any case. The path after
    // "file://" is taken as it is; when no such file exists but its
    // percent-decoded form does (lists of other players), that one. A
    // location that begins with "-" is passed as "./" + location, so that no
    // item can reach the player as one of its options.
    static QString location(const QString &itemText);
};
