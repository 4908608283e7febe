#include "core/text/listwriter.h"

#include "core/text/textfile.h"

#include <QDebug>

ListWriter::~ListWriter()
{
    {
        const std::lock_guard lock(m_guard);
        m_stopping = true;
    }
    m_changed.notify_all();
    if (m_thread.joinable())
        m_thread.join(); // run() ends only once nothing is left to write
}

void ListWriter::write(QString path, QStringList lines)
{
    {
        const std::lock_guard lock(m_guard);
        std::erase_if(m_jobs, [&path](const Job &job) { return job.path == path; });
        m_jobs.push_back({ std::move(path), std::move(lines) });
        if (!m_thread.joinable())
            m_thread = std::thread(&ListWriter::run, this);
    }
    m_changed.notify_all();
}

void ListWriter::finish()
{
    std::unique_lock lock(m_guard);
    m_changed.wait(lock, [this] { return m_jobs.empty() && !m_writing; });
}

void ListWriter::run()
{
    std::unique_lock lock(m_guard);
    for (;;) {
        m_changed.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
        if (m_jobs.empty())
            return;
        Job job = std::move(m_jobs.front());
        m_jobs.pop_front();
        m_writing = true;
        lock.unlock();
        QString error;
        if (!TextFile::writeLines(job.path, job.lines, &error))
            qWarning().noquote() << "could not save" << job.path << error;
        job = {}; // the lines are let go here, not on the waiting thread
        lock.lock();
        m_writing = false;
        m_changed.notify_all();
    }
}
