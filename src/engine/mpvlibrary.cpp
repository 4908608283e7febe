#include "engine/mpvlibrary.h"

#include "engine/mpvsymbols.h"

#include <QThreadPool>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <future>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

#include <dlfcn.h>

namespace MpvLibrary {
namespace {

// Plain dlopen rather than QLibrary: QLibrary holds a lock of Qt's that the
// user-interface thread needs for its own plugins while this runs.
void *openLibrary()
{
    for (const char *name : { "libmpv.so.2", "libmpv.so.1", "libmpv.so" }) {
        if (void *library = dlopen(name, RTLD_LAZY | RTLD_LOCAL))
            return library;
    }
    return nullptr;
}

template<typename Function> bool resolve(void *library, Function &function, const char *name)
{
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

const MpvSymbols *load()
{
    void *library = openLibrary();
    if (!library)
        return nullptr;
    static MpvSymbols symbols; // the library stays open for the whole run
    MpvSymbols &s = symbols;
    bool complete = true;
#define TUNVIA_MPV_RESOLVE(name) complete = complete && resolve(library, s.name, #name);
    TUNVIA_MPV_FUNCTIONS(TUNVIA_MPV_RESOLVE)
#undef TUNVIA_MPV_RESOLVE
    return complete ? &symbols : nullptr;
}

// What symbols() answers once the worker has finished, also to the worker
// itself while it notifies (its future is not ready until it returns).
std::atomic<const MpvSymbols *> loaded { nullptr };
std::atomic_bool finished { false };
// Who waits to hear the worker has finished: taken by the worker under the
// lock once `finished` is set, so a caller that found it unset is heard.
std::mutex waitingLock;
std::vector<std::function<void()>> waiting;

// Declared after what the worker uses: at exit, the last future of
// std::async waits for the worker before those are destroyed.
std::once_flag started;
std::shared_future<const MpvSymbols *> loading;

const MpvSymbols *loadAndNotify()
{
    const MpvSymbols *symbols = load();
    loaded = symbols;
    finished = true;
    std::vector<std::function<void()>> toNotify;
    {
        const std::lock_guard<std::mutex> guard(waitingLock);
        toNotify.swap(waiting);
    }
    for (const std::function<void()> &notify : toNotify)
        notify();
    return symbols;
}

// No thread can start while the dynamic loader maps libmpv's two hundred
// libraries: pthread_create waits for the loader's lock, for the better part
// of a tenth of a second. The window thread hands work to Qt's thread pool
// (the raster engine splits a large blend over it, as in a window's first
// paint, and the list's workers run there), so the pool's threads are
// started first. Each task holds its thread until all have one, which makes
// the pool start every thread it may use; they then idle until they expire.
void startPoolThreads()
{
    struct Gate
    {
        std::mutex lock;
        std::condition_variable allStarted;
        int missing = 0;
    };
    QThreadPool *pool = QThreadPool::globalInstance();
    // Eight are more than a window's paint splits its blend into.
    const int threads = std::min(pool->maxThreadCount(), 8);
    auto gate = std::make_shared<Gate>();
    gate->missing = threads;
    for (int task = threads; task > 0; --task) {
        pool->start([gate] {
            std::unique_lock hold(gate->lock);
            if (--gate->missing == 0)
                gate->allStarted.notify_all();
            // Bounded, should other work keep some of the pool's threads.
            gate->allStarted.wait_for(
                hold, std::chrono::milliseconds(100), [&] { return gate->missing <= 0; });
        });
    }
}

} // namespace

void startLoading()
{
    std::call_once(started, [] {
        startPoolThreads();
        loading = std::async(std::launch::async, loadAndNotify).share();
    });
}

void whenLoaded(std::function<void()> notify)
{
    startLoading();
    {
        const std::lock_guard<std::mutex> guard(waitingLock);
        if (!finished) {
            waiting.push_back(std::move(notify));
            return;
        }
    }
    // Loaded already: on a pooled thread, which the application object
    // waits for when it goes.
    QThreadPool::globalInstance()->start(std::move(notify));
}

const MpvSymbols *symbols()
{
    if (finished)
        return loaded;
    startLoading();
    return loading.get();
}

} // namespace MpvLibrary
