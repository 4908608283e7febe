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

    // The engine's display area: video when the clip has some, otherwise a
    // status panel. The caller places and owns the widget.
    virtual QWidget *createDisplay(QWidget *parent) = 0;

Q_SIGNALS:
    // A new source has opened.
    void sourceOpened();
    void playbackStateChanged(MediaEngine::PlaybackState state);
    // The volume changed (0 to 99), whoever changed it.
    void volumeChanged(qint16 level);
    // currentTitle() or currentLocation() changed.
    void currentEntryChanged();
};
