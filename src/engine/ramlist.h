#pragma once

#include "engine/sourcelocation.h"

#include <QList>
#include <QStringList>

#include <atomic>
#include <functional>

class FileAccess;

// The lists the engine plays entry by entry: RAM lists (.ram, .rmm, the
// generated loop list), m3u and pls. The player core cannot read them (it
// does not know .ram, plays "#" comment lines as entries and does not decode
// GBK), so they are expanded here into plain locations.
//
// Whatever the lists hold, an expansion stays bounded: each list file is read
// once per expansion (however often it is named), at most kMaxNesting deep,
// each at most RegularFile::kListFileLimit bytes, and at most kMaxEntries
// entries are kept (the rest are dropped and the expansion says so).
class RamList
{
public:
    enum class Format { Lines, Pls };

    static constexpr qsizetype kMaxEntries = 100'000;
    static constexpr int kMaxNesting = 4;

    // Takes entries of an expansion while it runs, in list order: the first
    // few at once, so that playing can start, then the rest in larger steps.
    // Called on the expanding thread.
    using EntrySink = std::function<void(const QList<SourceLocation> &entries)>;

    struct Expansion
    {
        QList<SourceLocation> entries; // playable entries in list order
        QString error; // why nothing could be played; empty when entries exist
        bool truncated = false; // entries were dropped to keep within the bounds
    };

    static Format formatOf(const QString &path);

    // The entry texts of a list: blank lines and "#" comments skipped; for
    // pls the FileN= values in the order of N.
    static QStringList entries(const QStringList &lines, Format format);
    // The same from the list's whole text, at most maxEntries of them; *more
    // tells whether the text holds more.
    static QStringList entries(
        QStringView text, Format format, qsizetype maxEntries, bool *more = nullptr);

    // Reads the list file (see TextFile::decode), resolves each entry against
    // the list's folder and expands nested local lists. Local files that do
    // not exist and locations of schemes the engine refuses are left out;
    // when that leaves nothing of a list of one entry, the error names it. When cancelled becomes
    // true the expansion ends early with what it has. found, when given, takes the entries as they
    // are found; the expansion returned holds them all the same.
    static Expansion expand(const QString &path);
    static Expansion expand(const QString &path, const FileAccess &files,
        const std::atomic_bool *cancelled = nullptr, const EntrySink &found = {});

    // What a clip source plays: the expanded list for a list file, else the
    // source itself; a local file that does not exist or a refused scheme
    // gives an error.
    static Expansion expandSource(const QString &source);
};
