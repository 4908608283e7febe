#include "engine/entryerror.h"

#include <QFileInfo>

QString EntryError::text(Kind kind, const QList<SourceLocation> &entries, int index)
{
    const bool known = index >= 0 && index < entries.size();
    const QString name = entryName(entries, index);
    const QString why = reason(kind, known && !entries.at(index).isLocal());
    return name.isEmpty() ? why : why + QLatin1String(": ") + name;
}

QString EntryError::entryName(const QList<SourceLocation> &entries, int index)
{
    if (index < 0 || index >= entries.size())
        return QString();
    const SourceLocation &entry = entries.at(index);
    if (entry.fromPnm)
        return QStringLiteral("%1 (pnm 地址已改用 %2 尝试)")
            .arg(entry.original.trimmed(), entry.location);
    return entry.isLocal() ? QFileInfo(entry.location).fileName() : entry.location;
}

QString EntryError::reason(Kind kind, bool remote)
{
    switch (kind) {
    case Kind::LoadingFailed:
        return remote ? QStringLiteral("无法连接") : QStringLiteral("无法打开文件");
    case Kind::UnknownFormat:
        return QStringLiteral("无法识别的格式");
    case Kind::NothingToPlay:
        return QStringLiteral("没有可播放的声音或图像");
    case Kind::AudioOutput:
        return QStringLiteral("无法打开声音设备");
    case Kind::TimedOut:
        return QStringLiteral("连接超时");
    default:
        return QStringLiteral("播放失败");
    }
}
