#include "engine/enginesettings.h"

#include <QSettings>
#include <QUrl>

namespace {

const QString timeoutKey = QStringLiteral("network/timeout");
const QString bufferKey = QStringLiteral("network/buffer_mb");
const QString transportKey = QStringLiteral("network/rtsp_transport");
const QString proxyKey = QStringLiteral("network/http_proxy");

QString transportName(EngineSettings::RtspTransport transport)
{
    switch (transport) {
    case EngineSettings::RtspTransport::Tcp:
        return QStringLiteral("tcp");
    case EngineSettings::RtspTransport::Udp:
        return QStringLiteral("udp");
    case EngineSettings::RtspTransport::Auto:
        break;
    }
    return QStringLiteral("auto");
}

EngineSettings::RtspTransport transportFromName(const QString &name)
{
    if (name.compare(u"tcp", Qt::CaseInsensitive) == 0)
        return EngineSettings::RtspTransport::Tcp;
    if (name.compare(u"udp", Qt::CaseInsensitive) == 0)
        return EngineSettings::RtspTransport::Udp;
    return EngineSettings::RtspTransport::Auto;
}

int readNumber(const QSettings &file, const QString &key, int fallback, int low, int high)
{
    bool ok = false;
    const int value = file.value(key).toString().toInt(&ok);
    return ok ? qBound(low, value, high) : fallback;
}

} // namespace

EngineSettings EngineSettings::load(const QString &path)
{
    const QSettings file(path, QSettings::IniFormat);
    EngineSettings settings;
    settings.networkTimeout
        = readNumber(file, timeoutKey, settings.networkTimeout, minTimeout, maxTimeout);
    settings.bufferMegabytes
        = readNumber(file, bufferKey, settings.bufferMegabytes, minBuffer, maxBuffer);
    settings.rtspTransport = transportFromName(file.value(transportKey).toString());
    const QString proxy = file.value(proxyKey).toString().trimmed();
    settings.httpProxy = isValidProxy(proxy) ? proxy : QString();
    return settings;
}

bool EngineSettings::save(const QString &path) const
{
    QSettings file(path, QSettings::IniFormat);
    file.setValue(timeoutKey, networkTimeout);
    file.setValue(bufferKey, bufferMegabytes);
    file.setValue(transportKey, transportName(rtspTransport));
    file.setValue(proxyKey, httpProxy);
    file.sync();
    return file.status() == QSettings::NoError;
}

bool EngineSettings::isValidProxy(const QString &proxy)
{
    if (proxy.isEmpty())
        return true;
    const QUrl url(proxy, QUrl::StrictMode);
    return url.isValid() && url.scheme() == u"http" && !url.host().isEmpty();
}

EngineSettings::Options EngineSettings::coreOptions() const
{
    const QByteArray seconds = QByteArray::number(networkTimeout);
    const QByteArray transport = rtspTransport == RtspTransport::Auto
        ? QByteArrayLiteral("lavf")
        : transportName(rtspTransport).toLatin1();
    return {
        { "network-timeout", seconds },
        // RTSP ignores network-timeout; FFmpeg's own socket time-out (in
        // microseconds) ends a server that accepts but never answers.
        { "demuxer-lavf-o", "timeout=" + seconds + "000000" },
        { "demuxer-max-bytes", QByteArray::number(bufferMegabytes) + "MiB" },
        { "rtsp-transport", transport },
        { "http-proxy", httpProxy.toUtf8() },
    };
}
