#pragma once

#include "app/enginefactory.h"
#include "app/windowset.h"
#include "core/program/peercommand.h"

#include <QObject>
#include <QStringList>

#include <memory>

struct AppContext;
class MprisService;
class QuitSignals;

// The composition root: the windows and the engine, wired together, and the
// program's start and end. Create it after the QApplication.
class Program : public QObject
{
    Q_OBJECT
public:
    Program(AppContext &context, std::unique_ptr<EngineFactory> engineFactory);
    ~Program() override;

    // Shows both windows and asks for the engine, then appends the locations
    // (playlist item texts, from the command line) and plays the first; it
    // plays once the engine has started. When the engine cannot be made the
    // event loop ends with status 1 after the failure message, and nothing is
    // saved.
    // With another command than Open, the locations are enqueued or the
    // transport command runs once the engine has started.
    void start(const QStringList &locations = {}, PeerCommand command = PeerCommand::Open);

    WindowSet &windows() { return m_windows; }

public Q_SLOTS:
    // Saves the list (the playlist window closes) and ends the event loop.
    void quit();
    // Item texts to append, the first of them played.
    void playLocations(const QStringList &locations);
    // What a later start handed over: its locations are played and the
    // player window comes forward.
    void takeHandOff(const QStringList &locations);
    // Another command a later start handed over. Transport commands take no
    // locations: any sent along are ignored.
    void takeCommand(PeerCommand command, const QStringList &locations);

private:
    void finishStart();
    void endWithFailure();
    // The desktop's media controls (MPRIS) on the session bus, if there is one.
    void publishOnDesktop();

    void runTransport(PeerCommand command);

    AppContext &m_context;
    bool m_engineStarted = false;
    QList<PeerCommand> m_waitingCommands; // until the engine has started
    WindowSet m_windows;
    std::unique_ptr<QuitSignals> m_quitSignals;
    QMetaObject::Connection m_saveAtExit;
    std::unique_ptr<MprisService> m_mpris;
};
