#pragma once

#include "engine/enginesettings.h"
#include "engine/playbackstatus.h"
#include "engine/statisticstext.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QSize>

#include <memory>

class EngineDisplay;
class EngineSettingsDialog;
class StatisticsWindow;
class VideoRenderer;
class QWidget;

// The engine's windows: its display areas, the statistics window and the
// settings window, each settings and statistics window made once on first use.
class EngineViews : public QObject
{
    Q_OBJECT
public:
    // renderer may be null (no video); it must outlive this object's displays' use of it.
    explicit EngineViews(VideoRenderer *renderer, QObject *parent = nullptr);
    ~EngineViews() override;

    EngineDisplay *createDisplay(QWidget *parent, const PlaybackStatus &status);
    void showStatus(const PlaybackStatus &status);

    void showStatistics(bool show);
    void showStatisticsRows(const StatisticsText::Rows &rows);
    StatisticsWindow *statisticsWindow() const { return m_statistics.get(); }

    void showSettings(const EngineSettings &settings);
    EngineSettingsDialog *settingsDialog() const { return m_settings.get(); }

Q_SIGNALS:
    void statisticsWanted();
    void settingsAccepted(const EngineSettings &settings);

private:
    void updateVideoSize();

    VideoRenderer *m_renderer;
    QList<QPointer<EngineDisplay>> m_displays;
    std::unique_ptr<StatisticsWindow> m_statistics;
    std::unique_ptr<EngineSettingsDialog> m_settings;
};
