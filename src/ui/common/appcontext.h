#pragma once

#include "core/program/appfolder.h"
#include "core/program/appstate.h"
#include "core/web/servicehosts.h"

class Launcher;
class ListPrefetch;
class Prompts;

// The collaborators every window receives through its constructor.
struct AppContext
{
    AppState &state;
    Prompts &prompts;
    Launcher &launcher;
    AppFolder folder;
    ServiceHosts hosts;
    // The saved list, read while the program started; null when not.
    ListPrefetch *prefetchedList = nullptr;
};
