#pragma once

// The libmpv functions the engine calls, resolved when the library is opened
// at run time. Included only by the engine's implementation files.
#include <mpv/client.h>
#include <mpv/render.h>

struct MpvSymbols
{
    decltype(&::mpv_create) mpv_create = nullptr;
    decltype(&::mpv_initialize) mpv_initialize = nullptr;
    decltype(&::mpv_set_option_string) mpv_set_option_string = nullptr;
    decltype(&::mpv_set_wakeup_callback) mpv_set_wakeup_callback = nullptr;
    decltype(&::mpv_terminate_destroy) mpv_terminate_destroy = nullptr;
    decltype(&::mpv_wait_event) mpv_wait_event = nullptr;
    decltype(&::mpv_command) mpv_command = nullptr;
    decltype(&::mpv_command_async) mpv_command_async = nullptr;
    decltype(&::mpv_set_property_async) mpv_set_property_async = nullptr;
    decltype(&::mpv_get_property_async) mpv_get_property_async = nullptr;
    decltype(&::mpv_observe_property) mpv_observe_property = nullptr;
    decltype(&::mpv_render_context_create) mpv_render_context_create = nullptr;
    decltype(&::mpv_render_context_free) mpv_render_context_free = nullptr;
    decltype(&::mpv_render_context_render) mpv_render_context_render = nullptr;
    decltype(&::mpv_render_context_set_update_callback) mpv_render_context_set_update_callback = nullptr;
    decltype(&::mpv_render_context_update) mpv_render_context_update = nullptr;
};
