#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QStringList>
#include <QTcpServer>

class QTcpSocket;

// A one-file HTTP server on 127.0.0.1. It logs the paths it was asked for and
// those whose whole body the client has taken. The send buffer is kept small,
// so a body larger than the socket buffers only completes while the client
// keeps reading.
class MediaServer : public QObject
{
    Q_OBJECT
public:
    MediaServer(const QString &path, QByteArray body, QObject *parent = nullptr);

    bool listen() { return m_server.listen(QHostAddress::LocalHost); }
    quint16 port() const { return m_server.serverPort(); }

    QStringList requested;
    QStringList completed;

private:
    void accept();
    void readRequest(QTcpSocket *socket);
    void respond(QTcpSocket *socket, const QString &path);

    QTcpServer m_server;
    QString m_path;
    QByteArray m_body;
};
