#pragma once

#include "app/appcontext.h"
#include "app/desktoplauncher.h"
#include "app/qtprompts.h"
#include "app/windowhub.h"

#include <memory>

class MediaEngine;
class QuitSignals;

// The running program: shared state, Qt dialogs, the desktop launcher, the
// windows and the libmpv engine, wired together. Create it after the
// QApplication.
class Program
{
public:
    Program();
    ~Program();

    // Runs the start sequence; returns false after the failure message, and
    // the caller then ends the process without saving anything.
    bool start();

    WindowHub &hub() { return m_hub; }

private:
    std::unique_ptr<MediaEngine> createEngine();

    AppState m_state;
    QtPrompts m_prompts;
    DesktopLauncher m_launcher;
    AppContext m_context;
    WindowHub m_hub;
    std::unique_ptr<QuitSignals> m_quitSignals;
};
