#pragma once

#include <QString>
#include <QStringList>

// The folder that holds the program's files (xlist.cfg, looptemp.ram, ...).
// A copy run from its own folder (a build tree, an unpacked folder) keeps them
// there; when that folder is not writable the per-user data folder is used
// instead, so lists are never lost to a read-only copy. An installed program
// (run from one of the install folders) keeps them in the per-user data folder
// only, whoever runs it: its folder is shared by every user of the machine.
class AppFolder
{
public:
    explicit AppFolder(const QString &path);

    // The program folder, or the per-user data folder when the program is
    // installed or its folder is not writable.
    static AppFolder forProgram(const QString &programFolder, const QString &userDataFolder,
        const QStringList &installFolders = installedProgramFolders());
    // Where an installed program runs from: the folder it was built to be
    // installed in, /usr/bin and /usr/local/bin.
    static QStringList installedProgramFolders();

    QString path() const { return m_path; }
    // False when the folder could not be written to (nor created): nothing
    // saved there will last.
    bool isWritable() const { return m_writable; }
    // Where the file is written.
    QString file(const QString &name) const;
    // Where the file is read: as file(), except that in the per-user folder a
    // file not there yet is read from a read-only program folder that is not
    // installed (a list kept there before).
    QString fileToRead(const QString &name) const;

private:
    QString m_path;
    QString m_programFolder; // set when the per-user folder stands in for a read-only copy
    bool m_writable = true;
};
