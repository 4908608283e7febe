#include "engine/engineviews.h"

#include "engine/enginedisplay.h"
#include "engine/enginesettingsdialog.h"
#include "engine/statisticswindow.h"
#include "engine/videorenderer.h"

EngineViews::EngineViews(VideoRenderer *renderer, QObject *parent)
    : QObject(parent)
    , m_renderer(renderer)
{
}

EngineViews::~EngineViews() = default;

EngineDisplay *EngineViews::createDisplay(QWidget *parent, const PlaybackStatus &status)
{
    auto *display = new EngineDisplay(parent);
    display->showStatus(status);
    if (m_renderer)
        connect(m_renderer, &VideoRenderer::frameReady, display, &EngineDisplay::showFrame);
    connect(display, &EngineDisplay::videoSizeChanged, this, &EngineViews::updateVideoSize);
    connect(
        display, &QObject::destroyed, this, &EngineViews::updateVideoSize, Qt::QueuedConnection);
    m_displays << display;
    return display;
}

void EngineViews::showStatus(const PlaybackStatus &status)
{
    for (const QPointer<EngineDisplay> &display : std::as_const(m_displays)) {
        if (display)
            display->showStatus(status);
    }
}

// Video is drawn once, at the size of the largest display that shows it.
void EngineViews::updateVideoSize()
{
    m_displays.removeAll(nullptr);
    QSize largest;
    for (const QPointer<EngineDisplay> &display : std::as_const(m_displays)) {
        const QSize size = display->videoSize();
        if (size.width() * size.height() > largest.width() * largest.height())
            largest = size;
    }
    if (m_renderer)
        m_renderer->setTargetSize(largest);
}

void EngineViews::showStatistics(bool show)
{
    if (!show) {
        if (m_statistics)
            m_statistics->hide();
        return;
    }
    if (!m_statistics) {
        m_statistics = std::make_unique<StatisticsWindow>();
        connect(m_statistics.get(), &StatisticsWindow::refreshRequested, this,
            &EngineViews::statisticsWanted);
    }
    m_statistics->show();
    m_statistics->raise();
    m_statistics->activateWindow();
}

void EngineViews::showStatisticsRows(const StatisticsText::Rows &rows)
{
    if (m_statistics && m_statistics->isVisible())
        m_statistics->showRows(rows);
}

void EngineViews::showSettings(const EngineSettings &settings)
{
    if (!m_settings) {
        m_settings = std::make_unique<EngineSettingsDialog>();
        connect(m_settings.get(), &EngineSettingsDialog::settingsAccepted, this,
            &EngineViews::settingsAccepted);
    }
    m_settings->load(settings);
    m_settings->show();
    m_settings->raise();
    m_settings->activateWindow();
}
