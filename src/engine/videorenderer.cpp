#include "engine/videorenderer.h"

#include "engine/mpvlibrary.h"
#include "engine/mpvsymbols.h"

#include <cstdlib>

namespace {

// Valid once the engine exists: its core started only with the library.
const MpvSymbols &mpv()
{
    return *MpvLibrary::symbols();
}

const int minimumSide = 16;
const size_t alignment = 64;

mpv_render_context *contextOf(void *context)
{
    return static_cast<mpv_render_context *>(context);
}

void freeAligned(void *buffer)
{
    std::free(buffer);
}

} // namespace

std::unique_ptr<VideoRenderer> VideoRenderer::adopt(void *renderContext)
{
    if (!renderContext)
        return nullptr;
    return std::unique_ptr<VideoRenderer>(new VideoRenderer(renderContext));
}

VideoRenderer::VideoRenderer(void *context)
    : m_context(context)
{
    m_thread.setObjectName(QStringLiteral("video renderer"));
    m_threadAnchor.moveToThread(&m_thread);
    m_thread.start();
    mpv().mpv_render_context_set_update_callback(
        contextOf(m_context), &VideoRenderer::frameWaiting, this);
}

VideoRenderer::~VideoRenderer()
{
    mpv().mpv_render_context_set_update_callback(contextOf(m_context), nullptr, nullptr);
    m_thread.quit();
    m_thread.wait();
    mpv().mpv_render_context_free(contextOf(m_context));
}

void VideoRenderer::setTargetSize(const QSize &size)
{
    QMutexLocker lock(&m_sizeLock);
    m_targetSize = size;
}

// Runs on a thread of the core: only queues the work to the render thread.
void VideoRenderer::frameWaiting(void *renderer)
{
    auto *self = static_cast<VideoRenderer *>(renderer);
    if (!self->m_renderQueued.exchange(true))
        QMetaObject::invokeMethod(
            &self->m_threadAnchor, [self] { self->renderFrame(); }, Qt::QueuedConnection);
}

void VideoRenderer::renderFrame()
{
    m_renderQueued = false;
    if (!(mpv().mpv_render_context_update(contextOf(m_context)) & MPV_RENDER_UPDATE_FRAME))
        return;
    QSize size;
    {
        QMutexLocker lock(&m_sizeLock);
        size = m_targetSize;
    }
    if (size.width() < minimumSide || size.height() < minimumSide) {
        skipFrame();
        return;
    }
    const QImage frame = drawFrame(size);
    if (!frame.isNull())
        Q_EMIT frameReady(frame);
}

void VideoRenderer::skipFrame()
{
    int skip = 1;
    mpv_render_param params[]
        = { { MPV_RENDER_PARAM_SKIP_RENDERING, &skip }, { MPV_RENDER_PARAM_INVALID, nullptr } };
    mpv().mpv_render_context_render(contextOf(m_context), params);
}

QImage VideoRenderer::drawFrame(const QSize &size)
{
    int dimensions[2] = { size.width(), size.height() };
    size_t stride = (size_t(size.width()) * 4 + alignment - 1) / alignment * alignment;
    void *pixels = std::aligned_alloc(alignment, stride * size_t(size.height()));
    if (!pixels)
        return QImage();
    char format[] = "rgb0";
    int block = 0;
    mpv_render_param params[] = { { MPV_RENDER_PARAM_SW_SIZE, dimensions },
        { MPV_RENDER_PARAM_SW_FORMAT, format }, { MPV_RENDER_PARAM_SW_STRIDE, &stride },
        { MPV_RENDER_PARAM_SW_POINTER, pixels }, { MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &block },
        { MPV_RENDER_PARAM_INVALID, nullptr } };
    if (mpv().mpv_render_context_render(contextOf(m_context), params) < 0) {
        std::free(pixels);
        return QImage();
    }
    return QImage(static_cast<uchar *>(pixels), size.width(), size.height(), qsizetype(stride),
        QImage::Format_RGBX8888, &freeAligned, pixels);
}
