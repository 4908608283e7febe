#include "engine/listexpander.h"

#include <QtConcurrent/QtConcurrentRun>

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
    m_watcher = std::make_unique<QFutureWatcher<RamList::Expansion>>();
    connect(m_watcher.get(), &QFutureWatcherBase::finished, this, &ListExpander::finished);
    // The job owns what it reads: the flag outlives this object if need be.
    m_watcher->setFuture(QtConcurrent::run(
        [job = std::move(job), cancelled = m_cancelled] { return job(*cancelled); }));
}

void ListExpander::cancel()
{
    if (m_cancelled)
        m_cancelled->store(true);
    m_cancelled.reset();
    if (m_watcher) {
        m_watcher->disconnect(this);
        m_watcher.reset();
    }
}

void ListExpander::finished()
{
    const RamList::Expansion expansion = m_watcher->result();
    m_cancelled.reset();
    m_watcher.release()->deleteLater(); // its signal is still being delivered
    Q_EMIT expanded(expansion);
}
