#include "app/program.h"

#include "app/quitsignals.h"
#include "app/startup.h"
#include "core/program/launchlocations.h"
#include "ui/desktop/mprisservice.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QTimer>

#include <utility>

Program::Program(AppContext &context, EngineFactory engineFactory)
    : m_context(context)
    , m_windows(context, std::move(engineFactory))
{
    connect(&m_windows, &WindowSet::quitRequested, this, &Program::quit);
}

Program::~Program() = default;

bool Program::start(const QStringList &locations)
{
    // However the run ends (the close button, SIGTERM, SIGINT or SIGHUP), the
    // playlist window closes and saves the list. A signal that comes while
    // the windows wait for the engine is kept until the event loop runs: an
    // exit asked for before it starts would be forgotten.
    m_quitSignals = std::make_unique<QuitSignals>();
    connect(m_quitSignals.get(), &QuitSignals::received, this, [this] {
        if (!m_started)
            m_quitWhenStarted = true;
    });
    if (!Startup(m_context, m_windows).run())
        return false;
    if (m_quitWhenStarted)
        QTimer::singleShot(0, this, &Program::quit);
    // When the desktop session asks to end, the list is saved and the windows
    // stay, as the user may cancel.
    connect(qApp, &QCoreApplication::aboutToQuit, &m_windows, &WindowSet::unloadPlaylist);
#ifndef QT_NO_SESSIONMANAGER
    connect(qApp, &QGuiApplication::commitDataRequest, &m_windows,
        [this](QSessionManager &) { m_windows.savePlaylist(); });
#endif
    m_started = true;
    playLocations(locations);
    for (const QStringList &handedOver : std::exchange(m_waitingHandOffs, {}))
        takeHandOff(handedOver);
    return true;
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
}

void Program::playLocations(const QStringList &locations)
{
    if (m_started)
        m_windows.appendAndPlay(LaunchLocations::items(locations));
    else if (!locations.isEmpty())
        m_waitingHandOffs.append(locations);
}

void Program::takeHandOff(const QStringList &locations)
{
    if (!m_started) {
        m_waitingHandOffs.append(locations);
        return;
    }
    playLocations(locations);
    m_windows.raisePlayer();
}

void Program::quit()
{
    m_windows.unloadPlaylist();
    QCoreApplication::exit(0);
}
