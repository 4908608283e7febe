#pragma once

#include "engine/sourcelocation.h"

#include <QList>
#include <QStringList>

// The lists the engine plays entry by entry: RAM lists (.ram, .rmm, the
// generated loop list), m3u and pls. The player core cannot read them (it
// does not know .ram, plays "#" comment lines as entries and does not decode
// GBK), so they are expanded here into plain locations.
class RamList
{
public:
    enum class Format { Lines, Pls };

    struct Expansion
    {
        QList<SourceLocation> entries; // playable entries in list order
        QString error; // why nothing could be played; empty when entries exist
    };

    static Format formatOf(const QString &path);

    // The entry texts of a list: blank lines and "#" comments skipped; for
    // pls the FileN= values in the order of N.
    static QStringList entries(const QStringList &lines, Format format);

    // Reads the list file (system encoding, GB18030 fallback), resolves each
    // entry against the list's folder and expands nested local lists. Local
    // files that do not exist are left out.
    static Expansion expand(const QString &path);

    // What a clip source plays: the expanded list for a list file, else the
    // source itself; a local file that does not exist gives an error.
    static Expansion expandSource(const QString &source);

private:
    // open: the lists being expanded, outermost first; a list never includes itself.
    static void expandInto(const QString &path, QStringList &open, Expansion &result);
};
