#include "engine/ramlist.h"

#include "core/text/textfile.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>

namespace {

const int maxNesting = 4;

QStringList lineEntries(const QStringList &lines)
{
    QStringList result;
    for (QString line : lines) {
        if (line.startsWith(QChar(0xFEFF)))
            line.remove(0, 1);
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(u'#') || trimmed == u"--stop--")
            continue;
        result << line;
    }
    return result;
}

QStringList plsEntries(const QStringList &lines)
{
    static const QRegularExpression file(
        QStringLiteral("^\\s*file(\\d+)\\s*=(.*)$"), QRegularExpression::CaseInsensitiveOption);
    QMap<int, QString> byNumber;
    for (const QString &line : lines) {
        const QRegularExpressionMatch match = file.match(line);
        const QString value = match.hasMatch() ? match.captured(2).trimmed() : QString();
        if (!value.isEmpty() && !byNumber.contains(match.captured(1).toInt()))
            byNumber.insert(match.captured(1).toInt(), value);
    }
    return byNumber.values();
}

// Something that is there but is no file (a folder) cannot be read; only
// what is absent is not found.
QString missingFileText(const QString &path)
{
    const QFileInfo info(QDir::cleanPath(path));
    if (info.isDir())
        return QStringLiteral("无法读取 %1: 这是一个文件夹").arg(info.fileName());
    if (info.exists())
        return QStringLiteral("无法读取文件 %1").arg(info.fileName());
    return QStringLiteral("找不到文件 %1").arg(info.fileName());
}

} // namespace

RamList::Format RamList::formatOf(const QString &path)
{
    return QFileInfo(path).suffix().compare(u"pls", Qt::CaseInsensitive) == 0 ? Format::Pls
                                                                              : Format::Lines;
}

QStringList RamList::entries(const QStringList &lines, Format format)
{
    return format == Format::Pls ? plsEntries(lines) : lineEntries(lines);
}

RamList::Expansion RamList::expand(const QString &path)
{
    Expansion result;
    QStringList open;
    expandInto(path, open, result);
    if (!result.entries.isEmpty())
        result.error.clear();
    else if (result.error.isEmpty())
        result.error = QStringLiteral("列表中没有可播放的条目");
    return result;
}

RamList::Expansion RamList::expandSource(const QString &source)
{
    const SourceLocation location = SourceLocation::resolve(source);
    if (location.kind == SourceLocation::Kind::List)
        return expand(location.location);
    Expansion result;
    if (location.isLocal() && !location.exists)
        result.error = missingFileText(location.location);
    else
        result.entries << location;
    return result;
}

void RamList::expandInto(const QString &path, QStringList &open, Expansion &result)
{
    const TextFile::ReadResult file = TextFile::readLines(path);
    // A list with a few undecodable bytes still plays the entries it can.
    if (file.status == TextFile::ReadStatus::NotFound
        || file.status == TextFile::ReadStatus::Unreadable) {
        if (result.error.isEmpty())
            result.error = file.status == TextFile::ReadStatus::NotFound
                ? QStringLiteral("找不到列表文件 %1").arg(QFileInfo(path).fileName())
                : QStringLiteral("无法读取列表文件 %1").arg(QFileInfo(path).fileName());
        return;
    }
    open << QFileInfo(path).absoluteFilePath();
    const QString folder = QFileInfo(path).absolutePath();
    for (const QString &text : entries(file.lines, formatOf(path))) {
        const SourceLocation entry = SourceLocation::resolve(text, folder);
        if (entry.isLocal() && !entry.exists)
            continue;
        if (entry.kind == SourceLocation::Kind::List) {
            const bool looped = open.contains(QFileInfo(entry.location).absoluteFilePath());
            if (!looped && open.size() < maxNesting)
                expandInto(entry.location, open, result);
            continue;
        }
        result.entries << entry;
    }
    open.removeLast();
}
