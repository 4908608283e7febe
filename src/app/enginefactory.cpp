#include "app/enginefactory.h"

#include "core/program/appfolder.h"
#include "engine/mpvengine.h"
#include "engine/mpvlibrary.h"

#include <QAccessible>
#include <QCoreApplication>

void loadMpvAhead()
{
    // While the dynamic loader maps libmpv's two hundred libraries no other
    // thread can start. Qt starts one for the accessibility bridge when the
    // first label gets its text: bring the bridge up first, or the windows
    // would wait for libmpv.
    QAccessible::isActive();
    MpvLibrary::startLoading();
}

std::unique_ptr<MediaEngine> createMpvEngine(const AppFolder &folder)
{
    // Start-up asks for the engine once both windows are up. libmpv opens on
    // a worker thread meanwhile, and the windows paint while it does; unless
    // something is to play at once, it starts loading only now, as it takes
    // a core of its own for about 90 ms and the windows come first.
    MpvLibrary::startLoading();
    while (!MpvLibrary::waitFor(std::chrono::milliseconds(2)))
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    return MpvEngine::create(folder);
}
