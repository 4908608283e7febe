#pragma once

#include "core/program/peercommand.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

class QLocalServer;
class QLocalSocket;

// One running Tunvia per application folder. The first start listens on a
// local socket in the user's private runtime folder, named after a hash of
// the application folder; a later start hands its locations over that socket
// and ends. The socket works with or without a session bus and before the
// later start connects to the display, so the hand-off takes milliseconds.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    enum class HandOff { Delivered, NoInstance, NotAnswering };
    enum class Claim { Listening, HandedOff, Unavailable };

    // How long a later start waits for the running instance to answer.
    static constexpr int kHandOffTimeoutMs = 2000;

    // The socket of an application folder; empty when the user has no
    // private runtime folder.
    static QString socketPath(const QString &appFolder);

    // Sends the locations to the instance listening at path and waits for
    // its answer. Needs a QCoreApplication only, no display.
    static HandOff handOff(const QString &path, const QStringList &locations,
        int timeoutMs = kHandOffTimeoutMs, PeerCommand command = PeerCommand::Open);

    explicit SingleInstance(const QString &path, QObject *parent = nullptr);
    ~SingleInstance() override;

    // Becomes the running instance, listening at the path. When another
    // instance listens there and answers, the locations go to it instead
    // (HandedOff). A socket nobody answers on is taken over: one left by an
    // instance that ended, or one whose instance did not answer a hand-off
    // just now (stopAsking). Unavailable: the program runs alone.
    Claim claim(
        const QStringList &locations, bool stopAsking, PeerCommand command = PeerCommand::Open);

Q_SIGNALS:
    // A later start handed these locations over (none: only come forward).
    void locationsReceived(const QStringList &locations);
    // A later start asked for another command than opening.
    void commandReceived(PeerCommand command, const QStringList &locations);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool listen();
    void keepListening();
    void acceptConnections();
    void receive(QLocalSocket *peer, QByteArray &buffer);

    QString m_path;
    QLocalServer *m_server;
    bool m_listening = false; // this is the running instance
    QTimer m_relisten; // listening again failed: tries once more later
    QList<QPointer<QLocalSocket>> m_peers; // oldest first
};
