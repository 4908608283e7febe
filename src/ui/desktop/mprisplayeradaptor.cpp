#include "ui/desktop/mprisplayeradaptor.h"

#include "core/media/mediaengine.h"
#include "ui/desktop/mprisservice.h"

MprisPlayerAdaptor::MprisPlayerAdaptor(MprisService *service)
    : QDBusAbstractAdaptor(service)
    , m_service(service)
{
}

QString MprisPlayerAdaptor::playbackStatus() const
{
    return m_service->playbackStatus();
}

QVariantMap MprisPlayerAdaptor::metadata() const
{
    return m_service->metadata();
}

double MprisPlayerAdaptor::volume() const
{
    return m_service->volume();
}

void MprisPlayerAdaptor::setVolume(double volume)
{
    m_service->setVolume(volume);
}

void MprisPlayerAdaptor::Play()
{
    if (MediaEngine *engine = m_service->engine())
        engine->startPlayback();
}

void MprisPlayerAdaptor::Pause()
{
    if (MediaEngine *engine = m_service->engine())
        engine->pausePlayback();
}

void MprisPlayerAdaptor::PlayPause()
{
    if (m_service->playbackStatus() == u"Playing")
        Pause();
    else
        Play();
}

void MprisPlayerAdaptor::Stop()
{
    if (MediaEngine *engine = m_service->engine())
        engine->stopPlayback();
}

void MprisPlayerAdaptor::Next()
{
    if (MediaEngine *engine = m_service->engine())
        engine->skipToNextEntry();
}

void MprisPlayerAdaptor::Previous()
{
    if (MediaEngine *engine = m_service->engine())
        engine->skipToPreviousEntry();
}

// CanSeek is false: the engine has no seek operation.
void MprisPlayerAdaptor::Seek(qlonglong)
{
}

void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath &, qlonglong)
{
}

void MprisPlayerAdaptor::OpenUri(const QString &uri)
{
    m_service->open(uri);
}
