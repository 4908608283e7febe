#pragma once

#include <QString>
#include <QStringList>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

// Writes files of lines (TextFile::writeLines) on a thread of its own, one
// after another in the order asked, so that saving a long list never holds
// the window's thread. The thread starts with the first write.
class ListWriter
{
public:
    ListWriter() = default;
    // Finishes every write asked for before it returns.
    ~ListWriter();

    ListWriter(const ListWriter &) = delete;
    ListWriter &operator=(const ListWriter &) = delete;

    // Writes `lines` to `path` after the writes asked for before. A write of
    // the same file that has not begun yet is dropped: this one replaces it.
    void write(QString path, QStringList lines);

    // Returns once every write asked for so far has ended; before a file
    // written here is read back, or when the program must not end without it.
    void finish();

private:
    struct Job
    {
        QString path;
        QStringList lines;
    };

    void run();

    std::mutex m_guard;
    std::condition_variable m_changed;
    std::deque<Job> m_jobs;
    bool m_writing = false;
    bool m_stopping = false;
    std::thread m_thread;
};
