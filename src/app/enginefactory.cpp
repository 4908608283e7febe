#include "app/enginefactory.h"

#include "core/program/appfolder.h"
#include "engine/mpvengine.h"
#include "engine/mpvlibrary.h"

#include <clocale>
#include <optional>

#include <QAccessible>
#include <QMetaObject>

#include <utility>

EngineFactory::EngineFactory(Make make, Prepare prepare, QObject *parent)
    : QObject(parent)
    , m_make(std::move(make))
    , m_prepare(std::move(prepare))
{
}

EngineFactory::~EngineFactory()
{
    if (m_receiver) {
        const std::lock_guard<std::mutex> guard(m_receiver->lock);
        m_receiver->factory = nullptr;
    }
}

std::unique_ptr<EngineFactory> EngineFactory::forMpv(const AppFolder &folder)
{
    // Start-up asks for the engine once both windows are up. Unless something
    // is to play at once, libmpv starts loading only then, as it takes a core
    // of its own for about 90 ms and the windows come first. The player core
    // then starts on the loader's thread; the window thread only wraps it.
    std::setlocale(LC_NUMERIC, "C"); // libmpv refuses to start under another numeric locale
    auto prepared = std::make_shared<std::optional<MpvEngine::Prepared>>();
    return std::make_unique<EngineFactory>(
        [folder, prepared]() -> std::unique_ptr<MediaEngine> {
            if (!prepared->has_value())
                return nullptr;
            return MpvEngine::create(folder, std::move(**prepared));
        },
        [folder, prepared](std::function<void()> done) {
            MpvLibrary::whenLoaded([folder, prepared, done = std::move(done)] {
                *prepared = MpvEngine::prepare(folder);
                done();
            });
        });
}

void EngineFactory::request()
{
    if (m_requested)
        return;
    m_requested = true;
    if (!m_prepare) {
        make();
        return;
    }
    // The preparation calls back on its own thread, and the engine is made
    // on ours. A factory destroyed meanwhile (a quit while libmpv loads) is
    // no longer called: its destructor clears the receiver under the lock.
    m_receiver = std::make_shared<Receiver>();
    m_receiver->factory = this;
    m_prepare([receiver = m_receiver] {
        const std::lock_guard<std::mutex> guard(receiver->lock);
        if (receiver->factory)
            QMetaObject::invokeMethod(
                receiver->factory, &EngineFactory::make, Qt::QueuedConnection);
    });
}

std::unique_ptr<MediaEngine> EngineFactory::takeEngine()
{
    return std::move(m_engine);
}

void EngineFactory::make()
{
    m_engine = m_make ? m_make() : nullptr;
    if (m_engine)
        Q_EMIT ready();
    else
        Q_EMIT failed();
}

void loadMpvAhead()
{
    // While the dynamic loader maps libmpv's two hundred libraries no other
    // thread can start. Qt starts one for the accessibility bridge when the
    // first label gets its text: bring the bridge up first, or the windows
    // would wait for libmpv. (The loader starts the thread pool's threads.)
    QAccessible::isActive();
    MpvLibrary::startLoading();
}
