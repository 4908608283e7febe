#pragma once

#include "app/enginefactory.h"
#include "app/windowset.h"

#include <QObject>

#include <memory>

struct AppContext;
class QuitSignals;

// The composition root: the windows and the engine, wired together, and the
// program's start and end. Create it after the QApplication.
class Program : public QObject
{
    Q_OBJECT
public:
    Program(AppContext &context, EngineFactory engineFactory);
    ~Program() override;

    // Runs the start sequence; returns false after the failure message, and
    // the caller then ends the process without saving anything.
    bool start();

    WindowSet &windows() { return m_windows; }

public Q_SLOTS:
    // Saves the list (the playlist window closes) and ends the event loop.
    void quit();

private:
    AppContext &m_context;
    WindowSet m_windows;
    std::unique_ptr<QuitSignals> m_quitSignals;
};
