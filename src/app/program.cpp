#include "app/program.h"

#include "app/quitsignals.h"
#include "app/startup.h"
#include "engine/mpvengine.h"
#include "engine/mpvlibrary.h"

#include <QApplication>
#include <QSessionManager>
#include <QStandardPaths>

Program::Program()
    : m_context { m_state, m_prompts, m_launcher,
                  AppFolder::forProgram(QApplication::applicationDirPath(),
                      QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)),
                  ServiceHosts::fromBuildAndEnvironment() }
    , m_hub(m_context, [this] { return createEngine(); })
{
}

std::unique_ptr<MediaEngine> Program::createEngine()
{
    // Start-up asks for the engine once both windows are up. libmpv opens on
    // a worker thread meanwhile, and the windows paint while it does; opened
    // earlier, it would hold the dynamic loader's lock while Qt builds the
    // windows and slow them down instead.
    MpvLibrary::startLoading();
    while (!MpvLibrary::waitFor(std::chrono::milliseconds(2)))
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return MpvEngine::create(m_context.folder);
}

Program::~Program() = default;

bool Program::start()
{
    if (!Startup(m_context, m_hub).run())
        return false;
    // However the run ends (the close button, SIGTERM, SIGINT or SIGHUP), the
    // playlist window closes and saves the list. When the desktop session asks
    // to end, the list is saved and the windows stay, as the user may cancel.
    m_quitSignals = std::make_unique<QuitSignals>();
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, &m_hub, &WindowHub::unloadPlaylist);
#ifndef QT_NO_SESSIONMANAGER
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, &m_hub,
                     [this](QSessionManager &) { m_hub.savePlaylist(); });
#endif
    return true;
}
