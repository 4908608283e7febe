#pragma once

#include "engine/ramlist.h"

#include <QFutureWatcher>
#include <QObject>

#include <atomic>
#include <functional>
#include <memory>

// Expands lists on a worker thread, so that no list, however long or deeply
// nested, holds up the window. A job may hand over entries while it runs
// (entriesFound, in list order), so that playing need not wait for the end
// of a long list. Only the latest job is heard: a new start() or cancel()
// drops the one under way unheard (and tells it to stop).
class ListExpander : public QObject
{
    Q_OBJECT
public:
    // Runs on the worker; it should end soon once cancelled turns true. It
    // may pass entries to found as it goes; the expansion it returns holds
    // every entry all the same.
    using Job = std::function<RamList::Expansion(
        const std::atomic_bool &cancelled, const RamList::EntrySink &found)>;

    explicit ListExpander(QObject *parent = nullptr);
    ~ListExpander() override;

    void start(Job job);
    void cancel();
    bool busy() const { return m_watcher != nullptr; }

Q_SIGNALS:
    // The next entries of the list under way.
    void entriesFound(const QList<SourceLocation> &entries);
    // The whole list.
    void expanded(const RamList::Expansion &expansion);

private:
    // What a job reports: entries found so far, then the whole expansion.
    struct Report
    {
        RamList::Expansion expansion;
        bool whole = false;
    };

    void reportsReady(int begin, int end);
    void finished();

    std::shared_ptr<std::atomic_bool> m_cancelled;
    std::unique_ptr<QFutureWatcher<Report>> m_watcher;
    RamList::Expansion m_whole;
    bool m_delivering = false;
};
