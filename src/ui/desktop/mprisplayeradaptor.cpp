#include "ui/desktop/mprisplayeradaptor.h"

#include "core/media/mediaengine.h"
#include "ui/desktop/mprisservice.h"

MprisPlayerAdaptor::MprisPlayerAdaptor(MprisService *service)
    : QDBusAbstractAdaptor(service)
    , m_service(service)
{
    connect(service, &MprisService::seeked, this, &MprisPlayerAdaptor::Seeked);
}

QString MprisPlayerAdaptor::loopStatus() const
{
    return m_service->loopsList() ? QStringLiteral("Playlist") : QStringLiteral("None");
}

// "Track" is not offered: the engine repeats only whole lists.
void MprisPlayerAdaptor::setLoopStatus(const QString &status)
{
    if (status == u"Playlist" || status == u"None")
        m_service->requestLoopList(status == u"Playlist");
}

qlonglong MprisPlayerAdaptor::position() const
{
    return m_service->position();
}

bool MprisPlayerAdaptor::canGoNext() const
{
    return m_service->canGo(1);
}

bool MprisPlayerAdaptor::canGoPrevious() const
{
    return m_service->canGo(-1);
}

bool MprisPlayerAdaptor::canSeek() const
{
    return m_service->canSeek();
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
    m_service->go(1);
}

void MprisPlayerAdaptor::Previous()
{
    m_service->go(-1);
}

void MprisPlayerAdaptor::Seek(qlonglong offset)
{
    m_service->seekBy(offset);
}

void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath &track, qlonglong position)
{
    m_service->setPosition(track, position);
}

void MprisPlayerAdaptor::OpenUri(const QString &uri)
{
    m_service->open(uri);
}
