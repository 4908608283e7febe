#pragma once

#include <QByteArray>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>

#include <memory>

class QNetworkAccessManager;

// Downloads a list from an http or https address without waiting for the
// network: redirects are followed, the whole download is bounded in time
// and size, and a new fetch or cancel() drops the one under way unheard.
class RemoteListFetcher : public QObject
{
    Q_OBJECT
public:
    static constexpr qint64 maxBytes = 1024 * 1024;

    explicit RemoteListFetcher(QObject *parent = nullptr);
    ~RemoteListFetcher() override;

    // proxy: an http proxy URL, or empty for a direct connection.
    void fetch(const QUrl &url, int timeoutSeconds, const QString &proxy);
    void cancel();
    bool busy() const { return m_reply != nullptr; }

Q_SIGNALS:
    // finalUrl: the list's address after redirects.
    void fetched(const QUrl &finalUrl, const QByteArray &bytes);
    void failed(const QString &errorText);

private:
    void useProxy(const QString &proxy);
    void readSome();
    void finish();
    void fail(const QString &errorText);
    QString failureText() const;

    std::unique_ptr<QNetworkAccessManager> m_network; // made on first use
    QPointer<QNetworkReply> m_reply;
    QByteArray m_bytes;
    QUrl m_url;
    QTimer m_timeout;
};
