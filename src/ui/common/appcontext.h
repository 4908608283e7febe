#pragma once

#include "core/program/appfolder.h"
#include "core/program/appstate.h"
#include "core/web/servicehosts.h"

class Launcher;
class ListPrefetch;
class ListWriter;
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
    // Saves the list off the window's thread; null: saves write at once.
    ListWriter *listWriter = nullptr;
};
