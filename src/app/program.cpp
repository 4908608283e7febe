#include "app/program.h"

#include "app/quitsignals.h"
#include "app/startup.h"

#include <QGuiApplication>
#include <QSessionManager>

Program::Program(AppContext &context, EngineFactory engineFactory)
    : m_context(context)
    , m_windows(context, std::move(engineFactory))
{
    connect(&m_windows, &WindowSet::quitRequested, this, &Program::quit);
}

Program::~Program() = default;

bool Program::start()
{
    if (!Startup(m_context, m_windows).run())
        return false;
    // However the run ends (the close button, SIGTERM, SIGINT or SIGHUP), the
    // playlist window closes and saves the list. When the desktop session asks
    // to end, the list is saved and the windows stay, as the user may cancel.
    m_quitSignals = std::make_unique<QuitSignals>();
    connect(qApp, &QCoreApplication::aboutToQuit, &m_windows, &WindowSet::unloadPlaylist);
#ifndef QT_NO_SESSIONMANAGER
    connect(qApp, &QGuiApplication::commitDataRequest, &m_windows,
        [this](QSessionManager &) { m_windows.savePlaylist(); });
#endif
    return true;
}

void Program::quit()
{
    m_windows.unloadPlaylist();
    QCoreApplication::exit(0);
}
