#pragma once

#include "core/media/mediaengine.h"

#include <QObject>

#include <functional>
#include <memory>
#include <mutex>

class AppFolder;

// Makes the media engine without holding up the window thread: ready()
// follows on the window thread once the engine can be taken, or failed()
// when it cannot be made. With a preparation step, request() returns at once
// and the engine is made once the step is done; without one, it is made at
// once.
class EngineFactory : public QObject
{
    Q_OBJECT
public:
    // Makes the engine on the window thread; null when it cannot be made.
    using Make = std::function<std::unique_ptr<MediaEngine>()>;
    // Does the slow part of making the engine away from the window thread
    // (loading libraries, starting the player core), then calls its
    // argument, on any thread.
    using Prepare = std::function<void(std::function<void()>)>;

    explicit EngineFactory(Make make, Prepare prepare = {}, QObject *parent = nullptr);
    ~EngineFactory() override;

    // The libmpv engine, its settings in the application folder; libmpv
    // opens, and the player core starts, on a worker thread.
    static std::unique_ptr<EngineFactory> forMpv(const AppFolder &folder);

    // Starts making the engine; a second request while one is under way, or
    // after the engine is made, does nothing.
    void request();
    std::unique_ptr<MediaEngine> takeEngine();

Q_SIGNALS:
    void ready();
    void failed();

private:
    void make();

    struct Receiver
    {
        std::mutex lock;
        EngineFactory *factory = nullptr;
    };

    Make m_make;
    Prepare m_prepare;
    std::shared_ptr<Receiver> m_receiver;
    std::unique_ptr<MediaEngine> m_engine;
    bool m_requested = false;
};

// Starts loading libmpv on a worker thread now rather than once the windows
// are up: for a start that plays something at once. Needs the application
// object.
void loadMpvAhead();
