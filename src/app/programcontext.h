#pragma once

#include "core/playlist/listprefetch.h"
#include "core/program/appstate.h"
#include "core/text/listwriter.h"
#include "ui/common/appcontext.h"
#include "ui/common/desktoplauncher.h"
#include "ui/common/qtprompts.h"

// The real collaborators of a run: shared state, Qt dialogs, the desktop
// launcher, the application folder and the service hosts. Create it after
// the QApplication.
struct ProgramContext
{
    explicit ProgramContext(ListPrefetch *prefetchedList = nullptr);

    // The program's folder, or the per-user data folder when it is not
    // writable. Needs only a QCoreApplication.
    static AppFolder applicationFolder();

    // First, so that it is the last to go: the program does not end before
    // the list saved when its windows closed is written.
    ListWriter listWriter;
    AppState state;
    QtPrompts prompts;
    DesktopLauncher launcher;
    AppContext context;
};
