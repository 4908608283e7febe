#pragma once

#include "core/program/appfolder.h"
#include "core/program/appstate.h"
#include "core/web/servicehosts.h"

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
