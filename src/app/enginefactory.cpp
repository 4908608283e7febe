#include "app/enginefactory.h"

#include "core/program/appfolder.h"
#include "engine/mpvengine.h"
#include "engine/mpvlibrary.h"

#include <QCoreApplication>

std::unique_ptr<MediaEngine> createMpvEngine(const AppFolder &folder)
{
    // Start-up asks for the engine once both windows are up. libmpv opens on
    // a worker thread meanwhile, and the windows paint while it does; opened
    // earlier, it would hold the dynamic loader's lock while Qt builds the
    // windows and slow them down instead.
    MpvLibrary::startLoading();
    while (!MpvLibrary::waitFor(std::chrono::milliseconds(2)))
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return MpvEngine::create(folder);
}
