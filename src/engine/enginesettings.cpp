#include "engine/enginesettings.h"

#include "core/text/regularfile.h"
#include "core/text/safesave.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
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

// QSettings reads and writes only named files: it works on a private copy,
// so that the real file is read and written by the rules above.
class PrivateCopy
{
public:
    PrivateCopy()
        : m_path(m_dir.filePath(QStringLiteral("engine.ini")))
    {
    }
    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_path; }

    bool write(const QByteArray &bytes) const
    {
        QFile file(m_path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }
    QByteArray read() const
    {
        QFile file(m_path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
};

const qint64 kMaxFileBytes = 64 * 1024;

} // namespace

EngineSettings EngineSettings::load(const QString &path)
{
    const RegularFile::Contents file = RegularFile::read(path, kMaxFileBytes);
    return file.status == RegularFile::Status::Ok ? fromIni(file.bytes) : EngineSettings();
}

EngineSettings EngineSettings::fromIni(const QByteArray &bytes)
{
    const PrivateCopy copy;
    if (!copy.isValid() || !copy.write(bytes))
        return EngineSettings();
    const QSettings file(copy.path(), QSettings::IniFormat);
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
    const PrivateCopy copy;
    if (!copy.isValid())
        return false;
    {
        QSettings file(copy.path(), QSettings::IniFormat);
        file.setValue(timeoutKey, networkTimeout);
        file.setValue(bufferKey, bufferMegabytes);
        file.setValue(transportKey, transportName(rtspTransport));
        file.setValue(proxyKey, httpProxy);
        file.sync();
        if (file.status() != QSettings::NoError)
            return false;
    }
    return SafeSave::replace(path, copy.read());
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
