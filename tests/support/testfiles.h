#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

// Small file and process helpers the tests share.
namespace TestFiles {

// The file's bytes, or "<unreadable>".
inline QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

inline void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

// The lines as UTF-8, each ended with CR LF, as the program writes lists.
inline QString writeLines(const QString &path, const QStringList &lines)
{
    writeBytes(path, lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n");
    return path;
}

// True once the process handles the signal itself (its handler is installed).
inline bool catchesSignal(qint64 pid, int signalNumber)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (signalNumber - 1)) & 1;
    }
    return false;
}

} // namespace TestFiles
