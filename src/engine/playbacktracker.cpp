#include "engine/playbacktracker.h"

#include "core/media/mediaengine.h"

#include <cmath>

void PlaybackTracker::loadRequested()
{
    m_loading = true;
    m_sawStart = false;
    m_halted = false;
    m_pause = false;
    m_error.clear();
}

void PlaybackTracker::stopRequested()
{
    m_loading = false;
    m_halted = true;
    m_error.clear();
}

void PlaybackTracker::pauseRequested(bool paused)
{
    m_pause = paused;
    if (!paused)
        m_halted = false;
}

void PlaybackTracker::fileStarted()
{
    m_sawStart = true;
    m_elapsed = -1;
    m_duration = -1;
}

void PlaybackTracker::fileLoaded()
{
    m_loading = false;
    m_error.clear();
}

void PlaybackTracker::fileFailed(const QString &errorText)
{
    m_error = errorText;
}

void PlaybackTracker::idle()
{
    // The core also reports idle once at start-up; only an idle that follows
    // the start of a requested file ends the opening.
    if (m_loading && !m_sawStart)
        return;
    m_loading = false;
    m_idleActive = true;
}

void PlaybackTracker::fail(const QString &errorText)
{
    m_loading = false;
    m_halted = true;
    m_error = errorText;
    m_title.clear();
    m_elapsed = -1;
    m_duration = -1;
}

void PlaybackTracker::setFlag(const QString &name, bool value)
{
    if (name == u"pause")
        m_pause = value;
    else if (name == u"core-idle")
        m_coreIdle = value;
    else if (name == u"idle-active") {
        m_idleActive = value;
        if (value)
            idle();
    } else if (name == u"paused-for-cache")
        m_pausedForCache = value;
    else if (name == u"demuxer-via-network")
        m_viaNetwork = value;
    else if (name == u"vo-configured")
        m_video = value;
}

void PlaybackTracker::propertyChanged(const QString &name, const QVariant &value)
{
    const bool valid = value.isValid();
    if (value.typeId() == QMetaType::Bool)
        setFlag(name, value.toBool());
    else if (name == u"cache-buffering-state")
        m_buffering = valid ? value.toInt() : 0;
    else if (name == u"media-title")
        m_title = value.toString();
    else if (name == u"time-pos")
        m_elapsed = valid ? value.toLongLong() : -1;
    else if (name == u"duration")
        m_duration = valid ? value.toDouble() : -1;
    else if (name == u"file-size")
        m_sizeKnown = valid && value.toLongLong() > 0;
    else if (name == u"playlist-pos") {
        m_entry = valid ? value.toInt() : -1;
        if (m_entry >= 0)
            m_lastEntry = m_entry;
    } else if (name == u"playlist-count")
        m_entries = value.toInt();
}

bool PlaybackTracker::hasMedia() const
{
    return !m_halted && (m_loading || !m_idleActive);
}

MediaEngine::PlaybackState PlaybackTracker::state() const
{
    if (m_halted)
        return MediaEngine::Stopped;
    if (m_loading)
        return m_pause ? MediaEngine::Paused : MediaEngine::Contacting;
    if (m_idleActive)
        return MediaEngine::Stopped;
    if (m_pause)
        return MediaEngine::Paused;
    if (m_pausedForCache)
        return MediaEngine::Buffering;
    return m_coreIdle ? MediaEngine::Contacting : MediaEngine::Playing;
}

PlaybackStatus PlaybackTracker::status() const
{
    PlaybackStatus status;
    status.state = state();
    status.bufferPercent = m_buffering;
    status.title = m_title;
    status.errorText = m_error;
    status.elapsed = m_elapsed;
    // A live stream's duration grows with what has been cached: no total.
    const bool live = m_viaNetwork && !m_sizeKnown;
    status.duration = (live || m_duration <= 0) ? -1 : std::llround(m_duration);
    status.hasVideo = m_video;
    status.entry = m_entry;
    status.entries = m_entries;
    status.listTruncated = m_listTruncated;
    return status;
}
