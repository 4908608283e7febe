#pragma once

#include <QString>

// The folder that holds the program's files (xlist.cfg, looptemp.ram, ...).
// It is the program's own folder; when that is not writable the per-user data
// folder is used instead, so lists are never lost to a read-only install.
class AppFolder
{
public:
    explicit AppFolder(const QString &path);

    // The program folder, or the per-user data folder when it is not writable.
    static AppFolder forProgram(const QString &programFolder, const QString &userDataFolder);

    QString path() const { return m_path; }
    QString file(const QString &name) const;

private:
    QString m_path;
};
