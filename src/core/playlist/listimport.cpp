#include "core/playlist/listimport.h"

#include "core/media/filelocation.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace ListImport {

Format formatOf(const QString &path)
{
    return QFileInfo(path).suffix().compare(u"pls", Qt::CaseInsensitive) == 0 ? Format::Pls
                                                                              : Format::Lines;
}

bool isUtf8(const QString &path)
{
    return QFileInfo(path).suffix().compare(u"m3u8", Qt::CaseInsensitive) == 0;
}

QStringList plsEntries(const QStringList &lines)
{
    static const QRegularExpression fileKey(
        QStringLiteral(R"(^\s*file(\d{1,9})\s*=(.*)$)"), QRegularExpression::CaseInsensitiveOption);
    QList<std::pair<int, QString>> entries;
    for (const QString &line : lines) {
        const QRegularExpressionMatch match = fileKey.match(line);
        if (match.hasMatch())
            entries.append({ match.captured(1).toInt(), match.captured(2).trimmed() });
    }
    std::stable_sort(entries.begin(), entries.end(),
        [](const auto &a, const auto &b) { return a.first < b.first; });
    QStringList values;
    values.reserve(entries.size());
    for (const auto &entry : std::as_const(entries))
        values.append(entry.second);
    return values;
}

static bool hasScheme(const QString &entry)
{
    // "C:\..." and "C:/..." are drive paths, not a one-letter scheme.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return scheme.match(entry).hasMatch();
}

static bool isAbsolutePath(const QString &entry)
{
    const bool drive = entry.size() >= 3 && entry.at(0).isLetter() && entry.at(1) == u':'
        && (entry.at(2) == u'\\' || entry.at(2) == u'/');
    return entry.startsWith(u'/') || entry.startsWith(u'\\') || drive;
}

QString resolved(const QString &entry, const QString &listFolder)
{
    if (entry.trimmed().isEmpty() || hasScheme(entry) || isAbsolutePath(entry))
        return entry;
    return FileLocation::fromPath(QDir::cleanPath(listFolder + u'/' + entry));
}

} // namespace ListImport
