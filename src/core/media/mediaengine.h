#pragma once

#include <QObject>
#include <QString>

class QWidget;

// The media engine as the rest of the program sees it. Every call returns at
// once and never waits for the network; state is read from a cache the engine
// keeps up to date.
class MediaEngine : public QObject
{
    Q_OBJECT
public:
    enum PlaybackState : qint32 {
        Stopped = 0,
        Contacting = 1,
        Buffering = 2,
        Playing = 3,
        Paused = 4,
    };
    Q_ENUM(PlaybackState)

    using QObject::QObject;
    ~MediaEngine() override = default;

    // The source the next startPlayback() plays: "file://" + a local path,
    // a network address or a list file.
    virtual void setSource(const QString &source) = 0;
    virtual void startPlayback() = 0;
    virtual void pausePlayback() = 0;
    virtual void stopPlayback() = 0;
    virtual void skipToPreviousEntry() = 0;
    virtual void skipToNextEntry() = 0;
    virtual PlaybackState playbackState() const = 0;
    // 0 to 99.
    virtual qint16 volumeLevel() const = 0;
    virtual void setVolumeLevel(qint16 level) = 0;
    // Whether the entries of the current list play again from the first.
    virtual void setListLooping(bool looping) = 0;
    virtual void showStatisticsView(bool show) = 0;
    virtual void showPerformanceSettings() = 0;
    // What plays, or was opened last: its title (the stream's or the file's
    // own, else its name) and its location (a local path or a network
    // address). Empty when nothing is open.
    virtual QString currentTitle() const { return {}; }
    virtual QString currentLocation() const { return {}; }
    // The artist and album the medium names, if any.
    virtual QString currentArtist() const { return {}; }
    virtual QString currentAlbum() const { return {}; }

    // The playing position and the medium's duration in microseconds; the
    // duration is -1 when unknown or live.
    virtual qint64 position() const { return 0; }
    virtual qint64 duration() const { return -1; }
    virtual bool canSeek() const { return false; }
    // Jumps to a position (microseconds from the start) of what plays;
    // seeked() follows once the jump is made.
    virtual void seek(qint64 position) { Q_UNUSED(position); }
    // Whether the engine's own list has an entry after (before) the current one.
    virtual bool hasNextEntry() const { return false; }
    virtual bool hasPreviousEntry() const { return false; }

    // The engine's display area: video when the clip has some, otherwise a
    // status panel. The caller places and owns the widget.
    virtual QWidget *createDisplay(QWidget *parent) = 0;

Q_SIGNALS:
    // A new source has opened.
    void sourceOpened();
    void playbackStateChanged(MediaEngine::PlaybackState state);
    // The volume changed (0 to 99), whoever changed it.
    void volumeChanged(qint16 level);
    // currentTitle(), currentLocation(), the artist, the album, the
    // duration or canSeek() changed.
    void currentEntryChanged();
    // The position jumped (a seek was made), to this position in microseconds.
    void seeked(qint64 position);
};
