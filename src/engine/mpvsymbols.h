#pragma once

// The libmpv functions the engine calls, resolved when the library is opened
// at run time. Included only by the engine's implementation files.
#include <mpv/client.h>
#include <mpv/render.h>

// Each libmpv function the engine uses, listed once.
#define TUNVIA_MPV_FUNCTIONS(X)                                                                    \
    X(mpv_create)                                                                                  \
    X(mpv_initialize)                                                                              \
    X(mpv_set_option_string)                                                                       \
    X(mpv_set_wakeup_callback)                                                                     \
    X(mpv_terminate_destroy)                                                                       \
    X(mpv_wait_event)                                                                              \
    X(mpv_command)                                                                                 \
    X(mpv_command_async)                                                                           \
    X(mpv_set_property_async)                                                                      \
    X(mpv_get_property_async)                                                                      \
    X(mpv_observe_property)                                                                        \
    X(mpv_render_context_create)                                                                   \
    X(mpv_render_context_free)                                                                     \
    X(mpv_render_context_render)                                                                   \
    X(mpv_render_context_set_update_callback)                                                      \
    X(mpv_render_context_update)

struct MpvSymbols
{
#define TUNVIA_MPV_MEMBER(name) decltype(&::name) name = nullptr;
    TUNVIA_MPV_FUNCTIONS(TUNVIA_MPV_MEMBER)
#undef TUNVIA_MPV_MEMBER
};
