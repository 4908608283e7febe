#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>

#include <memory>

// A libmpv player core made ready away from the window thread: its options
// set, initialized, and its software render context made. Starting takes
// about 10 ms of the core's own work. A client and a video renderer then
// take it over on the window thread; what is not taken ends with this object.
class MpvCore
{
public:
    using Options = QList<QPair<QByteArray, QByteArray>>;

    // On any thread, once libmpv is loaded and the numeric locale is "C".
    // Null when libmpv cannot be created or initialized.
    static std::unique_ptr<MpvCore> start(const Options &options);
    ~MpvCore();
    MpvCore(const MpvCore &) = delete;
    MpvCore &operator=(const MpvCore &) = delete;

    // The mpv_handle, for MpvClient.
    void *takeHandle();
    // The mpv_render_context, for VideoRenderer; null when software
    // rendering is unavailable.
    void *takeRenderContext();

private:
    MpvCore(void *handle, void *renderContext);

    void *m_handle = nullptr;
    void *m_renderContext = nullptr;
};
