#pragma once

#include "core/text/regularfile.h"

#include <QString>

// How list expansion looks at local files. The disk by default; tests and
// fuzzing put a set of files in memory in its place. Safe to use from any
// thread.
class FileAccess
{
public:
    virtual ~FileAccess() = default;

    // A regular file (links followed).
    virtual bool isFile(const QString &path) const;
    virtual RegularFile::Contents read(const QString &path, qint64 maxBytes) const;
    // The same text for every name of one file (links resolved), so that a
    // list named again by another route is known.
    virtual QString identity(const QString &path) const;

    static const FileAccess &disk();
};
