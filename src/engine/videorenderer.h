#pragma once

#include <QImage>
#include <QMutex>
#include <QObject>
#include <QSize>
#include <QThread>

#include <atomic>
#include <memory>

// Draws the core's video frames into memory images on a thread of its own,
// through the software render API, and hands each finished frame to the
// user-interface thread. While no display wants video (hidden or tiny),
// frames are taken from the core without being drawn.
class VideoRenderer : public QObject
{
    Q_OBJECT
public:
    // Takes over a software render context made by MpvCore (an
    // mpv_render_context); null without one.
    static std::unique_ptr<VideoRenderer> adopt(void *renderContext);
    ~VideoRenderer() override;

    // In device pixels; an empty size means nobody shows video.
    void setTargetSize(const QSize &size);

Q_SIGNALS:
    void frameReady(const QImage &frame);

private:
    explicit VideoRenderer(void *context);
    static void frameWaiting(void *renderer);
    void renderFrame(); // on the render thread
    QImage drawFrame(const QSize &size);
    void skipFrame();

    void *m_context = nullptr;
    QThread m_thread;
    QObject m_threadAnchor; // lives on the render thread; queued calls go through it
    std::atomic_bool m_renderQueued { false };
    QMutex m_sizeLock;
    QSize m_targetSize;
};
