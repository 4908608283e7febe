#include "core/playlist/externalplayers.h"

#include "core/media/filelocation.h"
#include "core/text/spaces.h"

#include <QFileInfo>
#include <QUrl>

QList<ExternalPlayers::Player> ExternalPlayers::platformTable()
{
#ifdef Q_OS_WIN
    return {
        { QStringLiteral("RealPlay"),
            QStringLiteral("C:/Program Files/Real/RealPlayer/realplay.exe") },
        { QStringLiteral("WinAmp"), QStringLiteral("C:/Program Files/Winamp/winamp.exe") },
        { QStringLiteral("MediaPlay"),
            QStringLiteral("C:/Program Files/Windows Media Player/mplayer2.exe") },
    };
#else
    // Linux counterparts: RealPlayer's own Linux build; Audacious, the
    // Winamp-style player; VLC, the general desktop media player.
    return {
        { QStringLiteral("RealPlay"), QStringLiteral("/usr/bin/realplay") },
        { QStringLiteral("WinAmp"), QStringLiteral("/usr/bin/audacious") },
        { QStringLiteral("MediaPlay"), QStringLiteral("/usr/bin/vlc") },
    };
#endif
}

QList<ExternalPlayers::Player> ExternalPlayers::installed(const QList<Player> &table)
{
    QList<Player> result;
    for (const Player &player : table) {
        const QFileInfo info(player.program);
        if (info.isFile() && !info.isHidden())
            result.append(player);
    }
    return result;
}

// The path of a "file://" location as the engine reads it too.
static QString filePath(const QString &location)
{
    const QString raw = FileLocation::pathOf(location);
    if (QFileInfo::exists(raw))
        return raw;
    const QString decoded = QUrl::fromPercentEncoding(raw.toUtf8());
    return QFileInfo::exists(decoded) ? decoded : raw;
}

QString ExternalPlayers::location(const QString &itemText)
{
    const QString trimmed = trimSpaces(itemText);
    QString location
        = FileLocation::isFile(trimmed, Qt::CaseInsensitive) ? filePath(trimmed) : trimmed;
    if (location.startsWith(u'-'))
        location.prepend(QLatin1String("./"));
    return location;
}
