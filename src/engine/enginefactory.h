#pragma once

#include <functional>
#include <memory>

class MediaEngine;

// Creates the engine; returns null when the engine cannot be created.
using EngineFactory = std::function<std::unique_ptr<MediaEngine>()>;
