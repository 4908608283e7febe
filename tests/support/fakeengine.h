#pragma once

#include "engine/mediaengine.h"

#include <QStringList>

// Records every engine call as text ("ClipSource:x", "StartPlayback", ...).
class FakeEngine : public MediaEngine
{
    Q_OBJECT
public:
    using MediaEngine::MediaEngine;

    QStringList calls;
    qint32 state = Stopped;
    qint16 volume = 50;
    bool looping = false;
    QString source;

    void ClipSource(const QString &value) override;
    void StartPlayback() override { calls << QStringLiteral("StartPlayback"); }
    void PausePlayback() override { calls << QStringLiteral("PausePlayback"); }
    void StopPlayback() override { calls << QStringLiteral("StopPlayback"); }
    void SkipToPreviousEntry() override { calls << QStringLiteral("SkipToPreviousEntry"); }
    void SkipToNextEntry() override { calls << QStringLiteral("SkipToNextEntry"); }
    qint32 GetPlaybackState() const override { return state; }
    qint16 GetVolumeLevel() const override { return volume; }
    void SetVolumeLevel(qint16 level) override;
    void SetListLooping(bool value) override;
    void ShowStatisticsView(bool show) override;
    void ShowPerformanceSettings() override { calls << QStringLiteral("ShowPerformanceSettings"); }
    QWidget *createDisplay(QWidget *parent) override;

    void raiseNotice() { Q_EMIT EngineNotice37(0, 0); }
};
