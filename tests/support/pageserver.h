#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTcpServer>

class QTcpSocket;

// An HTTP server on 127.0.0.1 that serves one page to every request, in the
// way the test asks for: the page, a 404, a page streamed without a length,
// or no answer at all; or it holds the requests until the test releases them;
// or a small deflated body that unpacks to 64 MB of zeros.
class PageServer : public QObject
{
    Q_OBJECT
public:
    enum class Reply { Page, NotFound, Silent, StreamWithoutLength, Held, CompressedBomb };

    Reply reply = Reply::Page;
    QByteArray body;
    int requests = 0; // requests received in full

    bool listen();
    quint16 port() const { return m_server.serverPort(); }
    // The address of the update page on this server.
    QString address() const;
    // Answers the held requests with `body`.
    void release();

private:
    void accept();
    void respond(QTcpSocket *socket);

    QTcpServer m_server;
    QList<QTcpSocket *> m_held;
};
