#include "engine/remotelist.h"
#include "core/program/texts.h"

#include "core/media/locationscheme.h"
#include "core/text/textfile.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace {

bool isNetworkAddress(const QUrl &url)
{
    return url.isValid() && !url.host().isEmpty() && LocationScheme::isNetwork(url.scheme());
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
    const QString text = TextFile::decode(bytes);
    if (isHls(text)) {
        result.entries << SourceLocation::resolve(listUrl.toString(QUrl::FullyEncoded));
        return result;
    }
    bool more = false;
    const QStringList entries = RamList::entries(
        text, RamList::formatOf(listUrl.path()), 2 * RamList::kMaxEntries, &more);
    for (const QString &entry : entries) {
        const QString address = entryAddress(entry, listUrl);
        if (address.isEmpty())
            continue;
        if (result.entries.size() == RamList::kMaxEntries) {
            more = true;
            break;
        }
        result.entries << SourceLocation::resolve(address);
    }
    result.truncated = more;
    if (result.entries.isEmpty())
        result.error = Texts::kNoPlayableEntries.toString();
    return result;
}

bool RemoteList::isHls(QStringView text)
{
    return !TextFile::forEachLine(text, [](QStringView line) {
        return !line.trimmed().startsWith(QLatin1String("#EXT-X-"), Qt::CaseInsensitive);
    });
}

// The address an entry stands for, or empty when it may not be played: only
// an absolute URL with a host and a network scheme. Anything else ("http:/x"
// has a network scheme but no host) would reach the player core as a path.
QString RemoteList::entryAddress(const QString &text, const QUrl &listUrl)
{
    // One per thread: lists are read on worker threads.
    static thread_local const QRegularExpression scheme(
        QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]+)://"));
    static thread_local const QRegularExpression windowsPath(
        QStringLiteral("^(?:[A-Za-z]:|\\\\\\\\)"));
    const QString trimmed = text.trimmed();
    if (scheme.match(trimmed).hasMatch())
        return isNetworkAddress(QUrl(trimmed)) ? trimmed : QString();
    if (windowsPath.match(trimmed).hasMatch())
        return QString(); // a path on the list writer's own disk
    // Lists written on Windows separate folders with backslashes.
    const QUrl entry = listUrl.resolved(QUrl(QString(trimmed).replace(u'\\', u'/')));
    return isNetworkAddress(entry) ? entry.toString(QUrl::FullyEncoded) : QString();
}
