#pragma once

#include "app/appfolder.h"
#include "app/appstate.h"
#include "app/servicehosts.h"

class Launcher;
class Prompts;

// The collaborators every window receives through its constructor.
struct AppContext
{
    AppState &state;
    Prompts &prompts;
    Launcher &launcher;
    AppFolder folder;
    ServiceHosts hosts;
};
