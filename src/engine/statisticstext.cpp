#include "engine/statisticstext.h"

namespace {

const QString missing = QStringLiteral("-");

QString text(const QVariantMap &values, const char *name)
{
    const QVariant value = values.value(QLatin1String(name));
    return value.isValid() && !value.toString().isEmpty() ? value.toString() : missing;
}

bool has(const QVariantMap &values, const char *name)
{
    const QVariant value = values.value(QLatin1String(name));
    return value.isValid() && !value.toString().isEmpty();
}

QString codec(const QVariantMap &values, const char *name, const char *description)
{
    if (!has(values, name))
        return missing;
    if (!has(values, description))
        return text(values, name);
    return text(values, name) + QLatin1String(" (") + text(values, description) + u')';
}

} // namespace

QStringList StatisticsText::propertyNames()
{
    return { QStringLiteral("path"), QStringLiteral("file-format"),
        QStringLiteral("audio-codec-name"), QStringLiteral("audio-codec"),
        QStringLiteral("video-codec"), QStringLiteral("audio-bitrate"),
        QStringLiteral("video-bitrate"), QStringLiteral("audio-params/samplerate"),
        QStringLiteral("audio-params/channel-count"), QStringLiteral("demuxer-via-network"),
        QStringLiteral("stream-pos"), QStringLiteral("file-size"), QStringLiteral("cache-speed"),
        QStringLiteral("demuxer-cache-duration"), QStringLiteral("cache-buffering-state"),
        QStringLiteral("paused-for-cache"), QStringLiteral("frame-drop-count"),
        QStringLiteral("decoder-frame-drop-count") };
}

StatisticsText::Rows StatisticsText::rows(
    const QVariantMap &values, const QString &source, const QString &stateText)
{
    Rows rows;
    rows << qMakePair(QStringLiteral("状态"), stateText);
    rows << qMakePair(QStringLiteral("来源"), source.isEmpty() ? missing : source);
    if (has(values, "path") && values.value(QStringLiteral("path")).toString() != source)
        rows << qMakePair(QStringLiteral("当前条目"), text(values, "path"));
    addFormatRows(rows, values);
    if (values.value(QStringLiteral("demuxer-via-network")).toBool())
        addNetworkRows(rows, values);
    return rows;
}

void StatisticsText::addFormatRows(Rows &rows, const QVariantMap &values)
{
    rows << qMakePair(QStringLiteral("格式"), text(values, "file-format"));
    rows << qMakePair(QStringLiteral("音频编码"), codec(values, "audio-codec-name", "audio-codec"));
    const bool video = has(values, "video-codec");
    if (video)
        rows << qMakePair(QStringLiteral("视频编码"), text(values, "video-codec"));
    double bits = values.value(QStringLiteral("audio-bitrate")).toDouble();
    if (video)
        bits += values.value(QStringLiteral("video-bitrate")).toDouble();
    rows << qMakePair(QStringLiteral("码率"), bitrate(bits));
    QString audio = missing;
    if (has(values, "audio-params/samplerate"))
        audio = QStringLiteral("%1 Hz, %2 声道")
                    .arg(values.value(QStringLiteral("audio-params/samplerate")).toLongLong())
                    .arg(values.value(QStringLiteral("audio-params/channel-count")).toLongLong());
    rows << qMakePair(QStringLiteral("采样率/声道"), audio);
    if (video) {
        const qint64 dropped = values.value(QStringLiteral("frame-drop-count")).toLongLong()
            + values.value(QStringLiteral("decoder-frame-drop-count")).toLongLong();
        rows << qMakePair(QStringLiteral("丢帧"), QString::number(dropped));
    }
}

void StatisticsText::addNetworkRows(Rows &rows, const QVariantMap &values)
{
    QString received = missing;
    if (has(values, "stream-pos")) {
        received = bytes(values.value(QStringLiteral("stream-pos")).toLongLong());
        if (values.value(QStringLiteral("file-size")).toLongLong() > 0)
            received += QLatin1String(" / ")
                + bytes(values.value(QStringLiteral("file-size")).toLongLong());
    }
    rows << qMakePair(QStringLiteral("已接收"), received);
    const QVariant speed = values.value(QStringLiteral("cache-speed"));
    rows << qMakePair(QStringLiteral("网络速度"),
        speed.isValid() ? bytes(speed.toLongLong()) + QLatin1String("/s") : missing);
    QString buffer = missing;
    if (values.value(QStringLiteral("paused-for-cache")).toBool())
        buffer = QStringLiteral("正在缓冲 %1%")
                     .arg(values.value(QStringLiteral("cache-buffering-state")).toInt());
    else if (has(values, "demuxer-cache-duration"))
        buffer = QStringLiteral("已缓冲 %1 秒")
                     .arg(values.value(QStringLiteral("demuxer-cache-duration")).toDouble(), 0, 'f',
                         1);
    rows << qMakePair(QStringLiteral("缓冲"), buffer);
}

QString StatisticsText::bytes(qint64 count)
{
    if (count < 1024)
        return QStringLiteral("%1 B").arg(count);
    if (count < 1024 * 1024)
        return QStringLiteral("%1 KB").arg(count / 1024.0, 0, 'f', 1);
    return QStringLiteral("%1 MB").arg(count / (1024.0 * 1024.0), 0, 'f', 1);
}

QString StatisticsText::bitrate(double bitsPerSecond)
{
    if (bitsPerSecond <= 0)
        return missing;
    return QStringLiteral("%1 kbps").arg(qRound(bitsPerSecond / 1000.0));
}
