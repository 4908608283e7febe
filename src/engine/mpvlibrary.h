#pragma once

#include <functional>

struct MpvSymbols;

// libmpv is opened at run time rather than linked: linked, its few hundred
// dependent libraries cost every start about 90 ms of symbol binding before
// main() runs. Opened on a worker thread, that time overlaps with building
// the windows.
namespace MpvLibrary {

// Starts opening libmpv on a worker thread; later calls do nothing.
void startLoading();

// Calls `notify` once the worker has finished, whether or not libmpv could
// be opened (starting it if needed): on the worker's thread, or on a thread
// of Qt's global pool when it has finished already; never on the caller's.
// Waiting for symbols() there returns at once.
void whenLoaded(std::function<void()> notify);

// Waits for the worker (starting it if needed). Null when libmpv is missing
// or lacks a function the engine needs.
const MpvSymbols *symbols();

} // namespace MpvLibrary
