#include "engine/mpvcore.h"

#include "engine/mpvlibrary.h"
#include "engine/mpvsymbols.h"

#include <utility>

namespace {

// Valid once start() found the library.
const MpvSymbols &mpv()
{
    return *MpvLibrary::symbols();
}

mpv_handle *handleOf(void *handle)
{
    return static_cast<mpv_handle *>(handle);
}

} // namespace

std::unique_ptr<MpvCore> MpvCore::start(const Options &options)
{
    if (!MpvLibrary::symbols())
        return nullptr;
    mpv_handle *handle = mpv().mpv_create();
    if (!handle)
        return nullptr;
    // An option this build of libmpv does not know is left out rather than
    // leaving the program without an engine.
    for (const auto &[name, value] : options)
        mpv().mpv_set_option_string(handle, name.constData(), value.constData());
    if (mpv().mpv_initialize(handle) < 0) {
        mpv().mpv_terminate_destroy(handle);
        return nullptr;
    }
    // The render context must exist before any video starts.
    char apiType[] = MPV_RENDER_API_TYPE_SW;
    mpv_render_param params[]
        = { { MPV_RENDER_PARAM_API_TYPE, apiType }, { MPV_RENDER_PARAM_INVALID, nullptr } };
    mpv_render_context *context = nullptr;
    if (mpv().mpv_render_context_create(&context, handle, params) < 0)
        context = nullptr;
    return std::unique_ptr<MpvCore>(new MpvCore(handle, context));
}

MpvCore::MpvCore(void *handle, void *renderContext)
    : m_handle(handle)
    , m_renderContext(renderContext)
{
}

MpvCore::~MpvCore()
{
    // The render context belongs to the core: it goes first.
    if (m_renderContext)
        mpv().mpv_render_context_free(static_cast<mpv_render_context *>(m_renderContext));
    if (m_handle)
        mpv().mpv_terminate_destroy(handleOf(m_handle));
}

void *MpvCore::takeHandle()
{
    return std::exchange(m_handle, nullptr);
}

void *MpvCore::takeRenderContext()
{
    return std::exchange(m_renderContext, nullptr);
}
