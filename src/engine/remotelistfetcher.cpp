#include "engine/remotelistfetcher.h"

#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>

namespace {

const int maxRedirects = 8;

} // namespace

RemoteListFetcher::RemoteListFetcher(QObject *parent)
    : QObject(parent)
{
    m_timeout.setSingleShot(true);
    connect(&m_timeout, &QTimer::timeout, this,
        [this] { fail(QStringLiteral("连接超时: ") + m_url.toString()); });
}

RemoteListFetcher::~RemoteListFetcher()
{
    cancel();
}

void RemoteListFetcher::fetch(const QUrl &url, int timeoutSeconds, const QString &proxy)
{
    cancel();
    if (!m_network)
        m_network = std::make_unique<QNetworkAccessManager>();
    useProxy(proxy);
    m_url = url;
    QNetworkRequest request(url);
    request.setAttribute(
        QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(maxRedirects);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Tunvia"));
    // Qt's guard against compression bombs stops one before it fills the
    // memory; from our own size limit on it applies to every list.
    request.setDecompressedSafetyCheckThreshold(maxBytes);
    m_reply = m_network->get(request);
    connect(m_reply, &QNetworkReply::readyRead, this, &RemoteListFetcher::readSome);
    connect(m_reply, &QNetworkReply::finished, this, &RemoteListFetcher::finish);
    m_timeout.start(timeoutSeconds * 1000);
}

void RemoteListFetcher::useProxy(const QString &proxy)
{
    const QUrl url(proxy);
    if (proxy.isEmpty() || !url.isValid())
        m_network->setProxy(QNetworkProxy(QNetworkProxy::DefaultProxy));
    else
        m_network->setProxy(QNetworkProxy(QNetworkProxy::HttpProxy, url.host(),
            quint16(url.port(80)), url.userName(), url.password()));
}

void RemoteListFetcher::cancel()
{
    m_timeout.stop();
    m_bytes.clear();
    if (!m_reply)
        return;
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
}

void RemoteListFetcher::readSome()
{
    const qint64 announced = m_reply->header(QNetworkRequest::ContentLengthHeader).toLongLong();
    m_bytes += m_reply->readAll();
    if (announced > maxBytes || m_bytes.size() > maxBytes)
        fail(QStringLiteral("列表文件太大: ") + m_url.toString());
}

void RemoteListFetcher::finish()
{
    if (m_reply->error() != QNetworkReply::NoError) {
        fail(failureText());
        return;
    }
    readSome();
    if (!m_reply)
        return;
    const QUrl finalUrl = m_reply->url();
    const QByteArray bytes = m_bytes;
    cancel();
    Q_EMIT fetched(finalUrl, bytes);
}

QString RemoteListFetcher::failureText() const
{
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 400)
        return QStringLiteral("无法下载列表 (HTTP %1): %2").arg(status).arg(m_url.toString());
    const QString address = m_url.toString();
    switch (m_reply->error()) {
    // The compressed body would unpack to more than the limit (or is damaged:
    // Qt tells the two apart only in a text meant for developers).
    case QNetworkReply::UnknownContentError:
        if (m_reply->hasRawHeader("Content-Encoding"))
            return QStringLiteral("列表文件太大或已损坏: ") + address;
        break;
    // Only http and https are fetched: an unknown protocol came from a redirect.
    case QNetworkReply::ProtocolUnknownError:
    case QNetworkReply::InsecureRedirectError:
        return QStringLiteral("不允许的重定向: ") + address;
    case QNetworkReply::TooManyRedirectsError:
        return QStringLiteral("重定向次数太多: ") + address;
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::RemoteHostClosedError:
    case QNetworkReply::HostNotFoundError:
    case QNetworkReply::TimeoutError:
    case QNetworkReply::SslHandshakeFailedError:
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::UnknownNetworkError:
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyConnectionClosedError:
    case QNetworkReply::ProxyNotFoundError:
    case QNetworkReply::ProxyTimeoutError:
        return QStringLiteral("无法连接: ") + address;
    default:
        break;
    }
    return QStringLiteral("无法下载列表: ") + address;
}

void RemoteListFetcher::fail(const QString &errorText)
{
    cancel();
    Q_EMIT failed(errorText);
}
