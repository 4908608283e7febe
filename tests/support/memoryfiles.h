#pragma once

#include "engine/fileaccess.h"

#include <QDir>
#include <QHash>

#include <atomic>

// A file system in memory for list expansion, so tests and fuzzing can give
// the engine any set of lists without touching the disk. Paths are absolute;
// every file is a regular file.
class MemoryFiles : public FileAccess
{
public:
    void add(const QString &path, const QByteArray &bytes)
    {
        m_files.insert(QDir::cleanPath(path), bytes);
    }

    bool isFile(const QString &path) const override
    {
        return m_files.contains(QDir::cleanPath(path));
    }

    RegularFile::Contents read(const QString &path, qint64 maxBytes) const override
    {
        ++m_reads;
        const auto file = m_files.constFind(QDir::cleanPath(path));
        if (file == m_files.constEnd())
            return { RegularFile::Status::NotFound, {} };
        if (file->size() > maxBytes)
            return { RegularFile::Status::TooLarge, {} };
        return { RegularFile::Status::Ok, *file };
    }

    QString identity(const QString &path) const override { return QDir::cleanPath(path); }

    int reads() const { return m_reads; }

private:
    QHash<QString, QByteArray> m_files;
    mutable std::atomic_int m_reads { 0 };
};
