#pragma once

struct AppContext;
class WindowSet;

// The start sequence: player window, playlist window against the player's
// right edge, both shown, then the engine is asked for; lock mode 1 once it
// has started. When the engine cannot be made the windows go and the one
// failure message shows instead.
class Startup
{
public:
    Startup(AppContext &context, WindowSet &hub);

    void run();
    // Once the engine has started.
    static void finish(AppContext &context);
    // When it cannot be made: hides the windows and shows the message.
    void fail();

private:
    AppContext &m_context;
    WindowSet &m_hub;
};
