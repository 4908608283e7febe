#pragma once

#include <QObject>
#include <QString>

class QWidget;

// The media engine as the rest of the program sees it. The operation names are
// the engine's own vocabulary; every call returns at once and never waits for
// the network. State is read from a cache the engine keeps up to date.
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

    using QObject::QObject;
    ~MediaEngine() override = default;

    virtual void ClipSource(const QString &source) = 0;     // 102: the next StartPlayback plays it
    virtual void StartPlayback() = 0;                        // 257
    virtual void PausePlayback() = 0;                        // 258
    virtual void StopPlayback() = 0;                         // 202
    virtual void SkipToPreviousEntry() = 0;                  // 204
    virtual void SkipToNextEntry() = 0;                      // 203
    virtual qint32 GetPlaybackState() const = 0;             // 260: 3 = playing
    virtual qint16 GetVolumeLevel() const = 0;               // 226: 0 to 99
    virtual void SetVolumeLevel(qint16 level) = 0;           // 227
    virtual void SetListLooping(bool looping) = 0;           // 231
    virtual void ShowStatisticsView(bool show) = 0;          // 283
    virtual void ShowPerformanceSettings() = 0;              // 210

    // The engine's display area: video when the clip has some, otherwise a
    // status panel. The caller places and owns the widget.
    virtual QWidget *createDisplay(QWidget *parent) = 0;

Q_SIGNALS:
    // Raised each time a new source opens; both arguments are unused by callers.
    void EngineNotice37(int first, int second);
};
