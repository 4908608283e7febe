#pragma once

#include "engine/ramlist.h"

#include <QFutureWatcher>
#include <QObject>

#include <atomic>
#include <functional>
#include <memory>

// Expands lists on a worker thread, so that no list, however long or deeply
// nested, holds up the window. Only the latest expansion is reported: a new
// start() or cancel() drops the one under way unheard (and tells it to stop).
class ListExpander : public QObject
{
    Q_OBJECT
public:
    // Runs on the worker; it should end soon once cancelled turns true.
    using Job = std::function<RamList::Expansion(const std::atomic_bool &cancelled)>;

    explicit ListExpander(QObject *parent = nullptr);
    ~ListExpander() override;

    void start(Job job);
    void cancel();
    bool busy() const { return m_watcher != nullptr; }

Q_SIGNALS:
    void expanded(const RamList::Expansion &expansion);

private:
    void finished();

    std::shared_ptr<std::atomic_bool> m_cancelled;
    std::unique_ptr<QFutureWatcher<RamList::Expansion>> m_watcher;
};
