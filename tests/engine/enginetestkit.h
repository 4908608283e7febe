#pragma once

#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>

#include <memory>

class MpvEngine;

namespace EngineTestKit {

// A fresh engine whose settings live in folder; fails the test when null.
std::unique_ptr<MpvEngine> createEngine(const QString &folder);

// A port on 127.0.0.1 that nothing listens on.
quint16 closedPort();

} // namespace EngineTestKit

// A small server on 127.0.0.1: either answers every request with the body as
// an HTTP/1.0 response, or accepts connections and never says anything.
class LoopbackServer : public QObject
{
    Q_OBJECT
public:
    enum class Mode { Serve, Silent };
    LoopbackServer(Mode mode, const QByteArray &body = QByteArray(),
        const QByteArray &contentType = QByteArrayLiteral("audio/mpeg"));

    quint16 port() const { return m_server.serverPort(); }
    QString url(const QString &path) const;
    int connections() const { return m_connections; }

private:
    void accept();
    void answer(QTcpSocket *socket);

    Mode m_mode;
    QByteArray m_body;
    QByteArray m_contentType;
    QTcpServer m_server;
    QList<QPointer<QTcpSocket>> m_sockets;
    int m_connections = 0;
};
