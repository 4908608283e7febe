#pragma once

#include "core/playlist/playlistitem.h"

#include <QList>
#include <QStringList>

// The plain line format shared by xlist.cfg and the m3u, ram and pls list
// files: one item text per line, lines starting with "#" are comments.
namespace ListFile {

using IconRule = PlaylistItem::Icon (*)(const QString &text);

// The one rule every reader of lines follows: U+FEFF (a byte-order mark
// left by some editors) at the start of a line is not part of the item.
inline QStringView lineText(QStringView line)
{
    while (line.startsWith(QChar(0xFEFF)))
        line = line.sliced(1);
    return line;
}

inline bool isComment(QStringView line)
{
    return lineText(line).startsWith(u'#');
}

// Every line that is not a comment becomes an item, empty lines included,
// with the text unchanged.
QList<PlaylistItem> itemsFromLines(const QStringList &lines, IconRule iconRule);

struct ImportResult
{
    bool complete = false; // the whole file was read
    QList<PlaylistItem> items; // what could be read, also when incomplete
};

// Reads a list file for import (icon by a "file://" prefix in any case).
// Only regular files up to RegularFile::kListFileLimit are read.
ImportResult import(const QString &path);

// Writes the texts, one a line with CR LF, replacing the file atomically.
bool write(const QString &path, const QStringList &texts);

// As write(), for a file the user chose: where the folder refuses the
// atomic replacement (no new file may be made there) but the file itself may
// be written, it is rewritten in place.
bool writeChosen(const QString &path, const QStringList &texts);

} // namespace ListFile
