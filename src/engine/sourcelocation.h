#pragma once

#include <QString>

class FileAccess;

// Where the engine finds one source: a caller's clip source or one line of a
// list. Accepted forms are "file://" followed by a raw local path (not
// URL-encoded), a bare local path, and URLs. pnm has no protocol handler in
// the player core, so a pnm address becomes rtsp on the same host and path
// (port 554 unless the address names one). Only the schemes LocationScheme
// allows reach the core; any other "scheme://" text is Refused, unless it
// names a file that exists relative to the folder.
struct SourceLocation
{
    enum class Kind { LocalFile, List, Url, Refused };

    Kind kind = Kind::LocalFile;
    QString original; // as given
    QString location; // what the player core opens
    bool exists = true; // local files only: whether the file was found
    bool fromPnm = false;

    // Relative local paths are resolved against folder when it is not empty;
    // files says which local files exist (the disk when not given).
    static SourceLocation resolve(const QString &source, const QString &folder = QString());
    static SourceLocation resolve(
        const QString &source, const QString &folder, const FileAccess &files);

    // ram, rmm, m3u, m3u8 and pls files are lists the engine expands itself.
    static bool isListPath(const QString &path);

    // "pnm://host[:port]/path" as "rtsp://host:port/path"; other text unchanged.
    static QString pnmAsRtsp(const QString &address);

    bool isLocal() const { return kind == Kind::LocalFile || kind == Kind::List; }
    // What the core may be asked to open: a local file or list that exists, or an address.
    bool mayOpen() const { return kind == Kind::Url || (isLocal() && exists); }

    // Why a Refused location is not played.
    QString refusal() const;
};
