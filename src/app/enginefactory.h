#pragma once

#include "core/media/mediaengine.h"

#include <functional>
#include <memory>

class AppFolder;

// Creates the engine; returns null when the engine cannot be created.
using EngineFactory = std::function<std::unique_ptr<MediaEngine>()>;

// Starts loading libmpv on a worker thread now rather than once the windows
// are up: for a start that plays something at once. Needs the application
// object.
void loadMpvAhead();

// The libmpv engine, its settings in the application folder. Waits for libmpv
// to load on a worker thread while the windows go on painting.
std::unique_ptr<MediaEngine> createMpvEngine(const AppFolder &folder);
