#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Reads values from a profile (INI) file the way Windows' profile functions
// do, which the files our peers write rely on: section and key names match
// without regard to case, spaces and tabs around names and values are
// ignored, one pair of matching quotes around a value is removed, the first
// matching section and the first matching key in it win, lines end at CR, LF
// or CR LF, a byte-order mark (UTF-8 or UTF-16) at the start names the
// encoding, values are cut at 254 characters and lines without "=" are no
// keys.
class ProfileReader
{
public:
    static constexpr qsizetype kMaxValueLength = 254;

    // The bytes are decoded like every text file of the program: in the
    // system encoding, or GB18030 when they are not valid in it. A file that
    // starts with a byte-order mark is in the encoding the mark names.
    static QString decode(const QByteArray &bytes);
    static ProfileReader fromBytes(const QByteArray &bytes);
    static ProfileReader fromText(const QString &text);

    // The value of the key in the section, or `fallback` when either is
    // missing.
    QString value(const QString &section, const QString &key, const QString &fallback = {}) const;

private:
    explicit ProfileReader(QStringList lines);

    // The index of the first line after the header of the first section
    // named `section`, or -1.
    qsizetype sectionStart(const QString &section) const;

    QStringList m_lines;
};
