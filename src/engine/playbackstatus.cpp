#include "engine/playbackstatus.h"

QString PlaybackStatus::stateText() const
{
    switch (state) {
    case MediaEngine::Contacting:
        return QStringLiteral("正在连接");
    case MediaEngine::Buffering:
        return QStringLiteral("缓冲 %1%").arg(bufferPercent);
    case MediaEngine::Playing:
        return QStringLiteral("正在播放");
    case MediaEngine::Paused:
        return QStringLiteral("已暂停");
    case MediaEngine::Stopped:
        break;
    }
    return errorText.isEmpty() ? QStringLiteral("已停止") : QStringLiteral("错误: ") + errorText;
}

QString PlaybackStatus::timeText() const
{
    if (state == MediaEngine::Stopped || elapsed < 0)
        return QString();
    if (duration <= 0)
        return clock(elapsed);
    return clock(elapsed) + QLatin1String(" / ") + clock(duration);
}

QString PlaybackStatus::entryText() const
{
    if (entries < 2 || entry < 0)
        return QString();
    const QString position = QStringLiteral("第 %1/%2 首").arg(entry + 1).arg(entries);
    if (!listTruncated)
        return position;
    return position + QStringLiteral("（列表过长，其余的未载入）");
}

QString PlaybackStatus::clock(qint64 seconds)
{
    seconds = qMax<qint64>(0, seconds);
    const qint64 hours = seconds / 3600;
    const QString minutesSeconds = QStringLiteral("%1:%2")
                                       .arg((seconds / 60) % 60, 2, 10, QLatin1Char('0'))
                                       .arg(seconds % 60, 2, 10, QLatin1Char('0'));
    return hours > 0 ? QStringLiteral("%1:").arg(hours) + minutesSeconds : minutesSeconds;
}
