#include "core/text/textfile.h"

#include "core/text/safesave.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <langinfo.h>
#endif

namespace TextFile {

namespace {

const QByteArray kUtf8Mark = QByteArrayLiteral("\xEF\xBB\xBF");

QStringDecoder systemDecoder()
{
#ifdef Q_OS_UNIX
    return QStringDecoder(systemEncodingName().constData(), QStringDecoder::Flag::Stateless);
#else
    return QStringDecoder(QStringDecoder::System, QStringDecoder::Flag::Stateless);
#endif
}

QStringEncoder systemEncoder()
{
#ifdef Q_OS_UNIX
    return QStringEncoder(systemEncodingName().constData(), QStringEncoder::Flag::Stateless);
#else
    return QStringEncoder(QStringEncoder::System, QStringEncoder::Flag::Stateless);
#endif
}

// The text when the bytes are valid in the decoder's encoding.
// A new decoder each time: not every converter clears its error state.
bool decodeWith(QStringDecoder &&decoder, QByteArrayView bytes, QString *text)
{
    if (!decoder.isValid())
        return false;
    *text = decoder(bytes);
    return !decoder.hasError();
}

// A file the system encoding cannot read as a whole, decoded line by line:
// a line valid in the system encoding stays as it is, the others fall back,
// so one stray byte cannot change the other lines (nor are they written back
// changed). In a file whose lines are mostly legacy, the few that only happen
// to be valid in the system encoding (short GBK names often are valid UTF-8)
// are legacy too. CR and LF are never part of a multi-byte character in these
// encodings, so the lines split alike in all of them.
QString decodeLineByLine(QByteArrayView bytes)
{
    QList<QByteArrayView> lines;
    qsizetype start = 0;
    qsizetype systemLines = 0;
    qsizetype otherLines = 0;
    QString decoded;
    for (qsizetype i = 0; i <= bytes.size(); ++i) {
        if (i < bytes.size() && bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        const QByteArrayView line = bytes.sliced(start, i - start);
        lines << line;
        start = i + 1;
        if (std::all_of(line.begin(), line.end(), [](char c) { return uchar(c) < 0x80; }))
            continue;
        if (decodeWith(systemDecoder(), line, &decoded))
            ++systemLines;
        else
            ++otherLines;
    }
    const bool legacyFile = otherLines > systemLines;
    const auto gb18030 = [] { return QStringDecoder("GB18030", QStringDecoder::Flag::Stateless); };
    QStringDecoder windows1252("windows-1252", QStringDecoder::Flag::Stateless);
    if (legacyFile && decodeWith(gb18030(), bytes, &decoded))
        return decoded; // lists written on Chinese Windows
    QString text;
    text.reserve(bytes.size());
    for (const QByteArrayView line : std::as_const(lines)) {
        if ((legacyFile || !decodeWith(systemDecoder(), line, &decoded))
            && !decodeWith(gb18030(), line, &decoded))
            decoded = windows1252.isValid() ? windows1252(line) : QString::fromLatin1(line);
        text += decoded;
        const qsizetype end = line.data() - bytes.data() + line.size();
        if (end < bytes.size())
            text += QLatin1Char(bytes[end]); // the line's end, as it was
    }
    return text;
}

QString withoutMark(QString text)
{
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

ReadStatus statusOf(RegularFile::Status status)
{
    switch (status) {
    case RegularFile::Status::Ok:
        return ReadStatus::Ok;
    case RegularFile::Status::NotFound:
        return ReadStatus::NotFound;
    case RegularFile::Status::TooLarge:
        return ReadStatus::TooLarge;
    case RegularFile::Status::NotRegular:
    case RegularFile::Status::Unreadable:
        break;
    }
    return ReadStatus::Unreadable;
}

} // namespace

QByteArray systemEncodingName()
{
#ifdef Q_OS_UNIX
    // Qt's "System" converter is UTF-8 on every Unix locale; ask the locale.
    const QByteArray codeset(nl_langinfo(CODESET));
    if (!codeset.isEmpty() && codeset != "ANSI_X3.4-1968" && codeset != "ASCII"
        && QStringDecoder(codeset.constData()).isValid())
        return codeset;
    return QByteArrayLiteral("UTF-8");
#else
    return QByteArrayLiteral("System");
#endif
}

QString decode(const QByteArray &bytes)
{
    QString text;
    QByteArrayView rest = bytes;
    if (bytes.startsWith(kUtf8Mark)) {
        rest = rest.sliced(kUtf8Mark.size());
        if (decodeWith(
                QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless), rest, &text))
            return withoutMark(std::move(text));
    }
    if (decodeWith(systemDecoder(), rest, &text))
        return withoutMark(std::move(text));
    return withoutMark(decodeLineByLine(rest));
}

QByteArray encode(const QString &text)
{
    QStringEncoder system = systemEncoder();
    return system(text);
}

QByteArray encodeForFile(const QString &text)
{
    QStringEncoder system = systemEncoder();
    QByteArray bytes = system(text);
    if (!system.hasError())
        return bytes;
    return kUtf8Mark + text.toUtf8();
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    forEachLine(text, [&lines](QStringView line) {
        lines.append(line.toString());
        return true;
    });
    return lines;
}

ReadResult readLines(const QString &path, const Limits &limits)
{
    ReadResult result;
    QString text;
    {
        const RegularFile::Contents file = RegularFile::read(path, limits.maxBytes);
        result.status = statusOf(file.status);
        if (result.status != ReadStatus::Ok)
            return result;
        text = decode(file.bytes);
    }
    const bool whole = forEachLine(text, [&](QStringView line) {
        if (result.lines.size() >= limits.maxLines)
            return false;
        result.lines.append(line.toString());
        return true;
    });
    if (!whole)
        result.status = ReadStatus::TooLarge;
    return result;
}

bool writeLines(const QString &path, const QStringList &lines, QString *error)
{
    QString text;
    qsizetype size = 0;
    for (const QString &line : lines)
        size += line.size() + 2;
    text.reserve(size);
    for (const QString &line : lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    return SafeSave::replace(path, encodeForFile(text), error);
}

} // namespace TextFile
