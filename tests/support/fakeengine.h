#pragma once

#include "core/media/mediaengine.h"

#include <QStringList>

// Records every engine call as text ("setSource:x", "startPlayback", ...).
class FakeEngine : public MediaEngine
{
    Q_OBJECT
public:
    using MediaEngine::MediaEngine;

    QStringList calls;
    PlaybackState state = Stopped;
    qint16 volume = 50;
    bool looping = false;
    QString source;

    void setSource(const QString &value) override;
    void startPlayback() override { calls << QStringLiteral("startPlayback"); }
    void pausePlayback() override { calls << QStringLiteral("pausePlayback"); }
    void stopPlayback() override { calls << QStringLiteral("stopPlayback"); }
    void skipToPreviousEntry() override { calls << QStringLiteral("skipToPreviousEntry"); }
    void skipToNextEntry() override { calls << QStringLiteral("skipToNextEntry"); }
    PlaybackState playbackState() const override { return state; }
    qint16 volumeLevel() const override { return volume; }
    void setVolumeLevel(qint16 level) override;
    void setListLooping(bool value) override;
    void showStatisticsView(bool show) override;
    void showPerformanceSettings() override { calls << QStringLiteral("showPerformanceSettings"); }
    QWidget *createDisplay(QWidget *parent) override;

    void raiseNotice() { Q_EMIT sourceOpened(); }

    // What plays, as the engine reports it (see changeState and changeEntry).
    QString title;
    QString location;
    QString currentTitle() const override { return title; }
    QString currentLocation() const override { return location; }
    void changeState(PlaybackState value);
    void changeEntry(const QString &newTitle, const QString &newLocation);

    // Position and length in microseconds; seeking records "seek:N".
    qint64 at = 0;
    qint64 length = -1;
    bool seekable = false;
    bool nextEntry = false;
    bool previousEntry = false;
    qint64 position() const override { return at; }
    qint64 duration() const override { return length; }
    bool canSeek() const override { return seekable; }
    void seek(qint64 to) override;
    bool hasNextEntry() const override { return nextEntry; }
    bool hasPreviousEntry() const override { return previousEntry; }
};
