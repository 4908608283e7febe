#include "core/update/profilereader.h"

#include "core/text/textfile.h"

#include <QStringDecoder>

#include <optional>

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QStringView trimBlanks(QStringView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.mid(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

// The name between "[" and "]" when the line is a section header. A header
// without its "]" still starts a section: its name runs to the line's end.
std::optional<QStringView> headerName(QStringView line)
{
    line = trimBlanks(line);
    if (!line.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = line.indexOf(u']');
    return trimBlanks(close < 0 ? line.mid(1) : line.mid(1, close - 1));
}

QStringView unquote(QStringView value)
{
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'')
        && value.back() == value.front())
        return value.mid(1, value.size() - 2);
    return value;
}

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

ProfileReader::ProfileReader(QStringList lines)
    : m_lines(std::move(lines))
{
}

QString ProfileReader::decode(const QByteArray &bytes)
{
    // A byte-order mark names the encoding, whatever the system encoding is:
    // Notepad saves "Unicode" profiles as UTF-16 behind one, and Windows
    // reads them so.
    const std::optional<QStringConverter::Encoding> marked
        = QStringConverter::encodingForData(bytes);
    if (marked && *marked != QStringConverter::Utf32LE && *marked != QStringConverter::Utf32BE) {
        QStringDecoder decoder(*marked, QStringConverter::Flag::Default);
        return decoder.decode(bytes);
    }
    return TextFile::decode(bytes);
}

ProfileReader ProfileReader::fromBytes(const QByteArray &bytes)
{
    return fromText(decode(bytes));
}

ProfileReader ProfileReader::fromText(const QString &text)
{
    const bool marked = text.startsWith(QChar(0xFEFF));
    return ProfileReader(TextFile::splitLines(marked ? text.mid(1) : text));
}

qsizetype ProfileReader::sectionStart(const QString &section) const
{
    const QStringView wanted = trimBlanks(section);
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const std::optional<QStringView> name = headerName(m_lines.at(i));
        if (name && sameName(*name, wanted))
            return i + 1;
    }
    return -1;
}

QString ProfileReader::value(
    const QString &section, const QString &key, const QString &fallback) const
{
    qsizetype i = sectionStart(section);
    if (i < 0)
        return fallback;
    const QStringView wanted = trimBlanks(key);
    for (; i < m_lines.size(); ++i) {
        const QStringView line = m_lines.at(i);
        if (headerName(line))
            break; // only the first section of that name counts
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0 || !sameName(trimBlanks(line.left(equals)), wanted))
            continue;
        return unquote(trimBlanks(line.mid(equals + 1))).left(kMaxValueLength).toString();
    }
    return fallback;
}
