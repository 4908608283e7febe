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
    // Where the file is written.
    QString file(const QString &name) const;
    // Where the file is read: as file(), except that in the per-user folder a
    // file not there yet is read from the read-only program folder when it
    // has one (a list kept there before).
    QString fileToRead(const QString &name) const;

private:
    QString m_path;
    QString m_programFolder; // set when the per-user folder stands in for it
};
