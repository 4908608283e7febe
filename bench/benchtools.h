#pragma once

// What the benchmark programs share: their options, waiting for the event
// loop or a condition, the longest stall of the window's thread, and medians.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QStringList>
#include <QTimer>

#include <algorithm>
#include <functional>

namespace BenchTools {

// The number after `name` on the command line, or the fallback.
inline int option(const QString &name, int fallback)
{
    const QStringList arguments = QCoreApplication::arguments();
    const qsizetype at = arguments.indexOf(name);
    return at > 0 && at + 1 < arguments.size() ? arguments.at(at + 1).toInt() : fallback;
}

// Runs the event loop until every pending event, paints included, is handled.
inline void untilIdle()
{
    QEventLoop loop;
    QTimer::singleShot(0, &loop, &QEventLoop::quit);
    loop.exec();
    QCoreApplication::sendPostedEvents();
}

// Runs the event loop until the condition holds (checked every millisecond)
// or `timeoutMs` pass; whether it holds.
inline bool until(const std::function<bool()> &condition, int timeoutMs = 120000)
{
    if (condition())
        return true;
    QEventLoop loop;
    QTimer poll;
    poll.setTimerType(Qt::PreciseTimer);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (condition())
            loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    poll.start(1);
    loop.exec();
    return condition();
}

inline double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

// The longest stretch in which a 1 ms timer could not run: the event loop
// was busy, the window frozen. Measures from its construction or start().
class StallMeter
{
public:
    StallMeter()
    {
        m_ticks.setTimerType(Qt::PreciseTimer);
        m_ticks.setInterval(1);
        QObject::connect(&m_ticks, &QTimer::timeout, [this] { tick(); });
        start();
    }
    void start()
    {
        m_worst = 0;
        m_last = 0;
        m_clock.start();
        m_ticks.start();
    }
    double worstMs()
    {
        tick();
        return m_worst / 1e6;
    }
    double stopMs()
    {
        const double worst = worstMs();
        m_ticks.stop();
        return worst;
    }

private:
    void tick()
    {
        const qint64 now = m_clock.nsecsElapsed();
        m_worst = std::max(m_worst, now - m_last);
        m_last = now;
    }
    QTimer m_ticks;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_worst = 0;
};

} // namespace BenchTools
