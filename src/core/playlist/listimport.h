#pragma once

#include <QString>
#include <QStringList>

// What an imported list file means beyond its lines: pls files name their
// entries in FileN keys, and entries relative to the list file's folder (as
// most players write them beside the music) are taken from that folder.
namespace ListImport {

enum class Format { Lines, Pls };

// By the file's extension, in any case.
Format formatOf(const QString &path);

// True for an m3u8 file, which is UTF-8 whatever the system encoding.
bool isUtf8(const QString &path);

// The values of the FileN keys of a pls file, in the order of N (the first
// of equal numbers first); every other line is left out.
QStringList plsEntries(const QStringList &lines);

// An entry with a URL scheme or an absolute path stays as it is; a relative
// one becomes "file://" + the list's folder + "/" + the entry. Empty stays empty.
QString resolved(const QString &entry, const QString &listFolder);

} // namespace ListImport
