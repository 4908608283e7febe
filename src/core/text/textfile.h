#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Plain text files in the system encoding: reading splits lines at CR, CR LF
// or LF, and falls back to GB18030 for bytes that are not valid in the system
// encoding (lists written on Chinese Windows). Written lines end with CR LF.
namespace TextFile {

// Undecodable: read to the end, but some bytes fit neither the system
// encoding nor GB18030 (they read as U+FFFD); writing the text back would
// lose them.
enum class ReadStatus { Ok, NotFound, Unreadable, Undecodable };

struct ReadResult
{
    ReadStatus status = ReadStatus::Ok;
    QStringList lines; // whatever could be read, also on Unreadable
};

// Decodes with the system encoding, or GB18030 when the bytes are not valid in
// it. *lossless (when given) tells whether every byte was decoded.
QString decode(const QByteArray &bytes, bool *lossless = nullptr);
QByteArray encode(const QString &text);

// The name of the system encoding: the locale's character set, UTF-8 when the
// locale names none (the C locale).
QByteArray systemEncodingName();

// Splits at CR, CR LF and LF. A final line ending does not start another line;
// an empty text has no lines.
QStringList splitLines(const QString &text);

ReadResult readLines(const QString &path);

// Replaces the file atomically: on failure the previous file stays intact.
bool writeLines(const QString &path, const QStringList &lines, QString *error = nullptr);

} // namespace TextFile
