#include "app/program.h"

#include "app/quitsignals.h"
#include "app/startup.h"
#include "core/program/launchlocations.h"
#include "ui/desktop/mprisservice.h"
#include "ui/player/playerwindow.h"

#include <QGuiApplication>
#include <QSessionManager>

#include <utility>

Program::Program(AppContext &context, std::unique_ptr<EngineFactory> engineFactory)
    : m_context(context)
    , m_windows(context, std::move(engineFactory))
{
    connect(&m_windows, &WindowSet::quitRequested, this, &Program::quit);
}

Program::~Program() = default;

void Program::start(const QStringList &locations, PeerCommand command)
{
    // However the run ends (the close button, SIGTERM, SIGINT or SIGHUP), the
    // playlist window closes and saves the list, also while the engine starts.
    // A signal that comes before the event loop runs waits in its pipe.
    m_quitSignals = std::make_unique<QuitSignals>();
    m_saveAtExit
        = connect(qApp, &QCoreApplication::aboutToQuit, &m_windows, &WindowSet::unloadPlaylist);
    connect(&m_windows, &WindowSet::engineStarted, this, &Program::finishStart);
    connect(&m_windows, &WindowSet::engineFailed, this, &Program::endWithFailure);
    Startup(m_context, m_windows).run();
    if (command == PeerCommand::Open)
        playLocations(locations);
    else
        takeCommand(command, locations);
}

void Program::finishStart()
{
    Startup::finish(m_context);
    // When the desktop session asks to end, the list is saved and the windows
    // stay, as the user may cancel.
#ifndef QT_NO_SESSIONMANAGER
    connect(qApp, &QGuiApplication::commitDataRequest, &m_windows,
        [this](QSessionManager &) { m_windows.savePlaylist(); });
#endif
    publishOnDesktop();
    m_engineStarted = true;
    for (const PeerCommand command : std::exchange(m_waitingCommands, {}))
        runTransport(command);
}

void Program::endWithFailure()
{
    disconnect(m_saveAtExit);
    Startup(m_context, m_windows).fail();
    QCoreApplication::exit(1);
}

void Program::publishOnDesktop()
{
    m_mpris = MprisService::publishOnSessionBus(m_windows.engine());
    if (!m_mpris)
        return;
    connect(m_mpris.get(), &MprisService::raiseRequested, &m_windows, &WindowSet::raisePlayer);
    // Queued: the caller gets its answer before the program ends.
    connect(
        m_mpris.get(), &MprisService::quitRequested, this, &Program::quit, Qt::QueuedConnection);
    connect(m_mpris.get(), &MprisService::openRequested, this, &Program::playLocations);
    connect(m_mpris.get(), &MprisService::stepRequested, &m_windows, &WindowSet::step);
    connect(m_mpris.get(), &MprisService::loopListRequested, &m_windows, &WindowSet::setLoopList);
    connect(&m_windows, &WindowSet::loopListChanged, m_mpris.get(), &MprisService::setLoopsList);
    connect(&m_windows, &WindowSet::listNeighboursChanged, m_mpris.get(),
        &MprisService::setListNeighbours);
    m_mpris->setLoopsList(m_windows.player()->loopsList());
    m_windows.announceListNeighbours();
}

void Program::playLocations(const QStringList &locations)
{
    m_windows.appendAndPlay(LaunchLocations::items(locations));
}

void Program::takeHandOff(const QStringList &locations)
{
    playLocations(locations);
    m_windows.raisePlayer();
}

void Program::takeCommand(PeerCommand command, const QStringList &locations)
{
    if (command == PeerCommand::Open)
        takeHandOff(locations);
    else if (command == PeerCommand::Enqueue)
        m_windows.enqueue(LaunchLocations::items(locations));
    else if (m_engineStarted)
        runTransport(command);
    else
        m_waitingCommands << command;
}

void Program::runTransport(PeerCommand command)
{
    switch (command) {
    case PeerCommand::Play:
        return m_windows.play();
    case PeerCommand::Pause:
        return m_windows.pause();
    case PeerCommand::PlayPause:
        return m_windows.playOrPause();
    case PeerCommand::Stop:
        return m_windows.stop();
    case PeerCommand::Next:
        return m_windows.step(1);
    case PeerCommand::Previous:
        return m_windows.step(-1);
    case PeerCommand::Open:
    case PeerCommand::Enqueue:
        break;
    }
}

void Program::quit()
{
    m_windows.unloadPlaylist();
    QCoreApplication::exit(0);
}
