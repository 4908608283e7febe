#include "engine/listexpander.h"

#include <QPromise>
#include <QtConcurrent/QtConcurrentRun>

#include <utility>

ListExpander::ListExpander(QObject *parent)
    : QObject(parent)
{
}

ListExpander::~ListExpander()
{
    cancel();
}

void ListExpander::start(Job job)
{
    cancel();
    m_cancelled = std::make_shared<std::atomic_bool>(false);
    m_watcher = std::make_unique<QFutureWatcher<Report>>();
    connect(
        m_watcher.get(), &QFutureWatcherBase::resultsReadyAt, this, &ListExpander::reportsReady);
    connect(m_watcher.get(), &QFutureWatcherBase::finished, this, &ListExpander::finished);
    // The job owns what it reads: the flag outlives this object if need be.
    // Reports travel through the future, which the watcher reads on this
    // object's thread; a watcher dropped by cancel() hears nothing more.
    m_watcher->setFuture(QtConcurrent::run(
        [job = std::move(job), cancelled = m_cancelled](QPromise<Report> &promise) {
            const RamList::EntrySink found = [&promise](const QList<SourceLocation> &entries) {
                promise.addResult(Report { RamList::Expansion { entries, {}, false }, false });
            };
            promise.addResult(Report { job(*cancelled, found), true });
        }));
}

void ListExpander::cancel()
{
    if (m_cancelled)
        m_cancelled->store(true);
    m_cancelled.reset();
    m_whole = {};
    if (!m_watcher)
        return;
    m_watcher->disconnect(this);
    if (m_delivering)
        m_watcher.release()->deleteLater(); // it is delivering the reports
    else
        m_watcher.reset();
}

void ListExpander::reportsReady(int begin, int end)
{
    // A listener may cancel this job or start another one.
    const QFutureWatcher<Report> *watcher = m_watcher.get();
    const bool delivering = std::exchange(m_delivering, true);
    for (int index = begin; index < end && m_watcher.get() == watcher; ++index) {
        const Report report = watcher->resultAt(index);
        if (report.whole)
            m_whole = report.expansion;
        else
            Q_EMIT entriesFound(report.expansion.entries);
    }
    m_delivering = delivering;
}

void ListExpander::finished()
{
    const RamList::Expansion expansion = std::exchange(m_whole, {});
    m_cancelled.reset();
    m_watcher.release()->deleteLater(); // its signal is still being delivered
    Q_EMIT expanded(expansion);
}
