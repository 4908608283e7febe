#include "engine/sourcelocation.h"

#include "core/media/filelocation.h"
#include "core/media/locationscheme.h"
#include "engine/fileaccess.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

// Candidate spellings of a local path, most literal first.
static QStringList pathCandidates(const QString &path, bool fromFileUrl)
{
    QStringList candidates { path };
    if (fromFileUrl)
        candidates << QUrl::fromPercentEncoding(path.toUtf8());
    if (path.contains(u'\\'))
        candidates << QString(path).replace(u'\\', u'/');
    if (path.trimmed() != path)
        candidates << path.trimmed();
    candidates.removeDuplicates();
    return candidates;
}

// Relative paths never reach the core as they are: "-" would be its input.
static QString absoluteIn(const QString &folder, const QString &path)
{
    if (path.isEmpty() || !QDir::isRelativePath(path))
        return path;
    return QDir::cleanPath((folder.isEmpty() ? QDir::current() : QDir(folder)).filePath(path));
}

static SourceLocation localSource(const QString &original, const QString &path, bool fromFileUrl,
    const QString &folder, const FileAccess &files)
{
    SourceLocation result;
    result.original = original;
    result.location = absoluteIn(folder, path);
    // The path as written nearly always names the file: the other spellings
    // are made only when it does not (lists hold a hundred thousand entries).
    result.exists = !result.location.isEmpty() && files.isFile(result.location);
    const QStringList others = result.exists ? QStringList() : pathCandidates(path, fromFileUrl);
    for (qsizetype i = 1; i < others.size(); ++i) {
        const QString absolute = absoluteIn(folder, others.at(i));
        if (!absolute.isEmpty() && files.isFile(absolute)) {
            result.location = absolute;
            result.exists = true;
            break;
        }
    }
    result.kind = SourceLocation::isListPath(result.location) ? SourceLocation::Kind::List
                                                              : SourceLocation::Kind::LocalFile;
    return result;
}

SourceLocation SourceLocation::resolve(const QString &source, const QString &folder)
{
    return resolve(source, folder, FileAccess::disk());
}

SourceLocation SourceLocation::resolve(
    const QString &source, const QString &folder, const FileAccess &files)
{
    if (FileLocation::isFile(source, Qt::CaseInsensitive))
        return localSource(source, FileLocation::pathOf(source), true, folder, files);
    const QString trimmed = source.trimmed();
    const QString scheme = LocationScheme::of(trimmed);
    if (scheme.isEmpty())
        return localSource(source, source, false, folder, files);
    if (scheme == u"file")
        return localSource(source, FileLocation::pathOf(trimmed), true, folder, files);
    if (!LocationScheme::isNetwork(scheme)) {
        // "fdclose://4" is a file only where such a file exists.
        SourceLocation result = localSource(source, source, false, folder, files);
        if (!result.exists) {
            result.kind = Kind::Refused;
            result.location = trimmed;
        }
        return result;
    }
    SourceLocation result;
    result.kind = Kind::Url;
    result.original = source;
    result.fromPnm = scheme == u"pnm";
    result.location = result.fromPnm ? pnmAsRtsp(trimmed) : trimmed;
    return result;
}

bool SourceLocation::isListPath(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == u"ram" || suffix == u"rmm" || suffix == u"m3u" || suffix == u"m3u8"
        || suffix == u"pls";
}

QString SourceLocation::refusal() const
{
    return QStringLiteral("不支持的地址类型: %1").arg(original.trimmed());
}

QString SourceLocation::pnmAsRtsp(const QString &address)
{
    if (LocationScheme::of(address) != u"pnm")
        return address;
    const QString rest = address.mid(6);
    const qsizetype slash = rest.indexOf(u'/');
    QString authority = slash < 0 ? rest : rest.left(slash);
    const QString path = slash < 0 ? QString() : rest.mid(slash);
    const qsizetype bracket = authority.lastIndexOf(u']');
    const qsizetype colon = authority.lastIndexOf(u':');
    if (colon < 0 || colon < bracket)
        authority += QLatin1String(":554");
    return QStringLiteral("rtsp://") + authority + path;
}
