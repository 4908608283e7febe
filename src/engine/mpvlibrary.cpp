#include "engine/mpvlibrary.h"

#include "engine/mpvsymbols.h"

#include <chrono>
#include <future>
#include <mutex>

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

template<typename Function>
bool resolve(void *library, Function &function, const char *name)
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
    const bool complete = resolve(library, s.mpv_create, "mpv_create")
        && resolve(library, s.mpv_initialize, "mpv_initialize")
        && resolve(library, s.mpv_set_option_string, "mpv_set_option_string")
        && resolve(library, s.mpv_set_wakeup_callback, "mpv_set_wakeup_callback")
        && resolve(library, s.mpv_terminate_destroy, "mpv_terminate_destroy")
        && resolve(library, s.mpv_wait_event, "mpv_wait_event")
        && resolve(library, s.mpv_command, "mpv_command")
        && resolve(library, s.mpv_command_async, "mpv_command_async")
        && resolve(library, s.mpv_set_property_async, "mpv_set_property_async")
        && resolve(library, s.mpv_get_property_async, "mpv_get_property_async")
        && resolve(library, s.mpv_observe_property, "mpv_observe_property")
        && resolve(library, s.mpv_render_context_create, "mpv_render_context_create")
        && resolve(library, s.mpv_render_context_free, "mpv_render_context_free")
        && resolve(library, s.mpv_render_context_render, "mpv_render_context_render")
        && resolve(library, s.mpv_render_context_set_update_callback,
                   "mpv_render_context_set_update_callback")
        && resolve(library, s.mpv_render_context_update, "mpv_render_context_update");
    return complete ? &symbols : nullptr;
}

std::once_flag started;
std::shared_future<const MpvSymbols *> loading;

} // namespace

void startLoading()
{
    std::call_once(started, [] { loading = std::async(std::launch::async, load).share(); });
}

bool waitFor(std::chrono::milliseconds timeout)
{
    startLoading();
    return loading.wait_for(timeout) == std::future_status::ready;
}

const MpvSymbols *symbols()
{
    startLoading();
    return loading.get();
}

} // namespace MpvLibrary
