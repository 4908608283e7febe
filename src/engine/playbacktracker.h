#pragma once

#include "engine/playbackstatus.h"

#include <QString>
#include <QVariant>

// Keeps the playback state from what the engine asked for and what the
// player core reported (observed properties and file events), so the state
// can be read at any moment without asking the core.
class PlaybackTracker
{
public:
    // Requests the engine made.
    void loadRequested(); // a source or list entry is being opened
    void stopRequested();
    void pauseRequested(bool paused);

    // Reports from the player core.
    void fileStarted();
    void fileLoaded();
    void fileFailed(const QString &errorText);
    void idle();
    void propertyChanged(const QString &name, const QVariant &value);

    // A failure found by the engine itself (missing file, time-out).
    void fail(const QString &errorText);
    // Whether the list now opened had to be cut short.
    void setListTruncated(bool truncated) { m_listTruncated = truncated; }

    MediaEngine::PlaybackState state() const;
    PlaybackStatus status() const;
    bool opening() const { return m_loading; }
    bool hasMedia() const; // a file is open, opening or paused
    bool paused() const { return m_pause; }
    int entry() const { return m_entry; }
    int lastEntry() const { return m_lastEntry; }
    int entries() const { return m_entries; }
    bool halted() const { return m_halted; }
    // A stream whose duration only grows with what was cached.
    bool live() const { return m_viaNetwork && !m_sizeKnown; }

private:
    void setFlag(const QString &name, bool value);

    bool m_loading = false;
    bool m_sawStart = false;
    bool m_halted = false;
    bool m_pause = false;
    bool m_coreIdle = true;
    bool m_idleActive = true;
    bool m_pausedForCache = false;
    bool m_viaNetwork = false;
    bool m_sizeKnown = false;
    bool m_video = false;
    bool m_listTruncated = false;
    int m_buffering = 0;
    int m_entry = -1;
    int m_lastEntry = -1;
    int m_entries = 0;
    qint64 m_elapsed = -1;
    double m_duration = -1;
    QString m_title;
    QString m_error;
};
