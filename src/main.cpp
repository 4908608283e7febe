#include "app/appcontext.h"
#include "app/cjkfont.h"
#include "app/desktoplauncher.h"
#include "app/qtprompts.h"
#include "app/quitsignals.h"
#include "app/startup.h"
#include "app/windowhub.h"
#include "engine/mpvengine.h"

#include <QApplication>
#include <QSessionManager>
#include <QStandardPaths>

#include <clocale>

// Docking and snapping need global window positions, which Wayland does not
// give clients: run through XWayland unless the user chose a platform.
static void preferXWayland()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")
        && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

int main(int argc, char *argv[])
{
    preferXWayland();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tunvia"));
    QApplication::setOrganizationName(QStringLiteral("tunvia"));
    std::setlocale(LC_NUMERIC, "C"); // libmpv needs it
    installSongFont();

    AppState state;
    QtPrompts prompts;
    DesktopLauncher launcher;
    AppContext context { state, prompts, launcher,
                         AppFolder::forProgram(QApplication::applicationDirPath(),
                             QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)),
                         ServiceHosts::fromBuildAndEnvironment() };
    WindowHub hub(context, [&context] { return MpvEngine::create(context.folder); });
    Startup startup(context, hub);
    if (!startup.run())
        return 1;
    // However the run ends (the close button, the end of the desktop session,
    // SIGTERM, SIGINT or SIGHUP), the playlist window closes and saves the list.
    QuitSignals quitSignals;
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &hub, &WindowHub::unloadPlaylist);
#ifndef QT_NO_SESSIONMANAGER
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &hub,
                     [&hub](QSessionManager &) { hub.unloadPlaylist(); });
#endif
    return QApplication::exec();
}
