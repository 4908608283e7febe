#pragma once

#include <chrono>

struct MpvSymbols;

// libmpv is opened at run time rather than linked: linked, its few hundred
// dependent libraries cost every start about 90 ms of symbol binding before
// main() runs. Opened on a worker thread, that time overlaps with building
// the windows.
namespace MpvLibrary {

// Starts opening libmpv on a worker thread; later calls do nothing.
void startLoading();

// Waits up to `timeout` for the worker; true once it has finished, whether
// or not libmpv could be opened.
bool waitFor(std::chrono::milliseconds timeout);

// Waits for the worker (starting it if needed). Null when libmpv is missing
// or lacks a function the engine needs.
const MpvSymbols *symbols();

} // namespace MpvLibrary
