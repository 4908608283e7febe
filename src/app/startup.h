#pragma once

struct AppContext;
class WindowSet;

// The start sequence: version, player window (and engine), playlist window
// against the player's right edge, both shown, lock mode 1. When the engine
// cannot be created it shows the one failure message instead.
class Startup
{
public:
    Startup(AppContext &context, WindowSet &hub);

    // Returns false after showing the failure message; the caller then ends
    // the process without saving anything.
    bool run();

private:
    void showFailure();

    AppContext &m_context;
    WindowSet &m_hub;
};
