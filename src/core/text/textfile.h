#pragma once

#include "core/text/regularfile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

// Plain text files in the system encoding. Reading splits lines at CR, CR LF
// or LF and decodes what other programs wrote too (see decode()). Written
// lines end with CR LF.
namespace TextFile {

// More lines than any list of the program holds: past this a file is not
// read to its end, which keeps the memory a short-lined file takes in bounds.
inline constexpr qsizetype kMaxLines = 1'000'000;

// TooLarge: over the size limit (no lines), or over the line limit (the lines
// up to it). Unreadable covers folders, FIFOs and devices too.
enum class ReadStatus { Ok, NotFound, Unreadable, TooLarge };

struct Limits
{
    qint64 maxBytes = RegularFile::kListLimit;
    qsizetype maxLines = kMaxLines;
};

struct ReadResult
{
    ReadStatus status = ReadStatus::Ok;
    QStringList lines; // whatever could be read, also when not Ok
};

// A UTF-8 byte-order mark says UTF-8 before anything else; otherwise the
// system encoding. A text not valid in it as a whole is decoded line by line:
// each line in the system encoding when it is valid there, or GB18030 (lists
// written on Chinese Windows), or as a last resort Windows-1252, in which
// every byte is a character, so no text is ever lost to decoding. A
// byte-order mark is not part of the text.
QString decode(const QByteArray &bytes);

// The system encoding; characters it cannot hold become "?".
QByteArray encode(const QString &text);

// What a text file holds: the system encoding when every character fits in
// it, else UTF-8 behind a byte-order mark (which decode() honours).
QByteArray encodeForFile(const QString &text);

// The name of the system encoding: the locale's character set, UTF-8 when the
// locale names none (the C locale).
QByteArray systemEncodingName();

// Calls visit(QStringView line) for each line, split at CR, CR LF and LF, as
// long as it returns true; returns false when visit stopped it. A final line
// ending does not start another line; an empty text has no lines.
template<typename Visit> bool forEachLine(QStringView text, Visit &&visit)
{
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        if (!visit(text.sliced(start, i - start)))
            return false;
        if (c == u'\r' && i + 1 < size && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    return start >= size || visit(text.sliced(start));
}

QStringList splitLines(const QString &text);

ReadResult readLines(const QString &path, const Limits &limits = {});

// Replaces the file atomically (see SafeSave): on failure, or when a link in
// the file's place may not be written through, the previous file stays.
bool writeLines(const QString &path, const QStringList &lines, QString *error = nullptr);

} // namespace TextFile
