#pragma once

#include "engine/sourcelocation.h"

#include <QList>
#include <QString>

// The error texts the engine shows when an entry cannot be played, naming
// the entry (a pnm address also names the rtsp address that was tried).
class EntryError
{
public:
    enum class Kind {
        None,
        LoadingFailed,
        UnknownFormat,
        NothingToPlay,
        AudioOutput,
        TimedOut,
        Other
    };

    // index: the failing entry of entries, or -1 when it is not known.
    static QString text(Kind kind, const QList<SourceLocation> &entries, int index);
    static QString entryName(const QList<SourceLocation> &entries, int index);

private:
    static QString reason(Kind kind, bool remote);
};
