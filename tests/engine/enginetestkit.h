#pragma once

#include <QByteArray>
#include <QHash>
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
// Once paths are given with serve() or redirect(), only those are answered
// and any other path gets 404.
class LoopbackServer : public QObject
{
    Q_OBJECT
public:
    enum class Mode { Serve, Silent };
    LoopbackServer(Mode mode, const QByteArray &body = QByteArray(),
        const QByteArray &contentType = QByteArrayLiteral("audio/mpeg"));

    void serve(const QByteArray &path, const QByteArray &body,
        const QByteArray &contentType = QByteArrayLiteral("audio/mpeg"));
    void redirect(const QByteArray &path, const QByteArray &location);
    void setAnswerDelay(int milliseconds) { m_delayMs = milliseconds; }

    quint16 port() const { return m_server.serverPort(); }
    QString url(const QString &path) const;
    int connections() const { return m_connections; }
    QList<QByteArray> requestedPaths() const { return m_paths; }

private:
    struct Answer
    {
        QByteArray head;
        QByteArray body;
    };
    void accept();
    void answer(QTcpSocket *socket);
    void respond(QTcpSocket *socket, const QByteArray &path);
    Answer answerFor(const QByteArray &path) const;

    Mode m_mode;
    QByteArray m_body;
    QByteArray m_contentType;
    QTcpServer m_server;
    QList<QPointer<QTcpSocket>> m_sockets;
    QHash<QByteArray, Answer> m_answers;
    QList<QByteArray> m_paths;
    int m_connections = 0;
    int m_delayMs = 0;
};
