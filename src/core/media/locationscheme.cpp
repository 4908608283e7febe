#include "core/media/locationscheme.h"

#include <array>

namespace LocationScheme {

namespace {

bool isSchemeCharacter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')
        || c == u'+' || c == u'.' || c == u'-';
}

} // namespace

QString of(QStringView location)
{
    const qsizetype end = location.indexOf(QLatin1String("://"));
    if (end < 1 || !location.front().isLetter() || location.front().unicode() > 0x7f)
        return QString();
    const QStringView scheme = location.first(end);
    for (const QChar c : scheme) {
        if (!isSchemeCharacter(c))
            return QString();
    }
    return scheme.toString().toLower();
}

bool isNetwork(QStringView scheme)
{
    static constexpr std::array<QLatin1StringView, 11> kNetwork { QLatin1StringView("http"),
        QLatin1StringView("https"), QLatin1StringView("rtsp"), QLatin1StringView("rtsps"),
        QLatin1StringView("rtmp"), QLatin1StringView("rtmps"), QLatin1StringView("mms"),
        QLatin1StringView("mmsh"), QLatin1StringView("mmst"), QLatin1StringView("pnm"),
        QLatin1StringView("ftp") };
    for (const QLatin1StringView known : kNetwork) {
        if (scheme.compare(known, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool mayPlay(QStringView location)
{
    // Spaces around a location are not part of it (an address is trimmed).
    const QString scheme = of(location.trimmed());
    return scheme.isEmpty() || scheme == u"file" || isNetwork(scheme);
}

} // namespace LocationScheme
