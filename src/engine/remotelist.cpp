#include "engine/remotelist.h"

#include "core/text/textfile.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace {

bool isNetworkScheme(const QString &scheme)
{
    static const QStringList schemes { QStringLiteral("http"), QStringLiteral("https"),
        QStringLiteral("rtsp"), QStringLiteral("rtsps"), QStringLiteral("rtmp"),
        QStringLiteral("rtmps"), QStringLiteral("mms"), QStringLiteral("mmsh"),
        QStringLiteral("mmst"), QStringLiteral("pnm"), QStringLiteral("ftp") };
    return schemes.contains(scheme.toLower());
}

} // namespace

bool RemoteList::isRemoteList(const QString &source)
{
    const QUrl url(source.trimmed());
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != u"http" && scheme != u"https"))
        return false;
    const QString suffix = QFileInfo(url.path()).suffix().toLower();
    return suffix == u"ram" || suffix == u"rmm" || suffix == u"m3u" || suffix == u"pls";
}

RamList::Expansion RemoteList::expand(const QByteArray &bytes, const QUrl &listUrl)
{
    RamList::Expansion result;
    const QStringList lines = TextFile::splitLines(TextFile::decode(bytes));
    if (isHls(lines)) {
        result.entries << SourceLocation::resolve(listUrl.toString(QUrl::FullyEncoded));
        return result;
    }
    for (const QString &text : RamList::entries(lines, RamList::formatOf(listUrl.path()))) {
        const QString address = entryAddress(text, listUrl);
        if (!address.isEmpty())
            result.entries << SourceLocation::resolve(address);
    }
    if (result.entries.isEmpty())
        result.error = QStringLiteral("列表中没有可播放的条目");
    return result;
}

bool RemoteList::isHls(const QStringList &lines)
{
    for (const QString &line : lines) {
        if (line.trimmed().startsWith(QLatin1String("#EXT-X-"), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

// The address an entry stands for, or empty when it may not be played.
QString RemoteList::entryAddress(const QString &text, const QUrl &listUrl)
{
    static const QRegularExpression scheme(QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]+)://"));
    static const QRegularExpression windowsPath(QStringLiteral("^(?:[A-Za-z]:|\\\\\\\\)"));
    const QString trimmed = text.trimmed();
    const QRegularExpressionMatch match = scheme.match(trimmed);
    if (match.hasMatch())
        return isNetworkScheme(match.captured(1)) ? trimmed : QString();
    if (windowsPath.match(trimmed).hasMatch())
        return QString(); // a path on the list writer's own disk
    // Lists written on Windows separate folders with backslashes.
    const QUrl entry = listUrl.resolved(QUrl(QString(trimmed).replace(u'\\', u'/')));
    return isNetworkScheme(entry.scheme()) ? entry.toString(QUrl::FullyEncoded) : QString();
}
