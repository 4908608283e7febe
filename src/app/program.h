#pragma once

#include "app/enginefactory.h"
#include "app/windowset.h"

#include <QObject>
#include <QStringList>

#include <memory>

struct AppContext;
class MprisService;
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
    // the caller then ends the process without saving anything. Then the
    // locations (playlist item texts, from the command line) are appended
    // and the first is played.
    bool start(const QStringList &locations = {});

    // The desktop's media controls (MPRIS) on the session bus, if there is one.
    void publishOnDesktop();

    WindowSet &windows() { return m_windows; }

public Q_SLOTS:
    // Saves the list (the playlist window closes) and ends the event loop.
    void quit();
    // Item texts to append, the first of them played; before start() has
    // finished they wait for it.
    void playLocations(const QStringList &locations);
    // What a later start handed over: its locations are played and the
    // player window comes forward.
    void takeHandOff(const QStringList &locations);

private:
    AppContext &m_context;
    WindowSet m_windows;
    std::unique_ptr<QuitSignals> m_quitSignals;
    bool m_started = false;
    bool m_quitWhenStarted = false; // a quit signal came during the start sequence
    QList<QStringList> m_waitingHandOffs;
    std::unique_ptr<MprisService> m_mpris;
};
