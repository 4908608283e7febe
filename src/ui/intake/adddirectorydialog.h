#pragma once

#include "core/intake/directorylisting.h"
#include "core/intake/volumes.h"
#include "core/playlist/playlistitem.h"

#include <QDialog>
#include <QFutureWatcher>
#include <QList>

class DirectoryList;
class Prompts;
class QComboBox;
class QPushButton;

// "增加目录": the user picks a directory, and "确定" hands every plain file in
// it to the playlist. Modeless; it opens at the process's current directory
// and closing it (by any means) deletes it and changes nothing.
class AddDirectoryDialog : public QDialog
{
    Q_OBJECT
public:
    // Where the drive list comes from; it is asked on a worker thread.
    using VolumeSource = QList<Volume> (*)();

    explicit AddDirectoryDialog(
        Prompts &prompts, QWidget *parent = nullptr, VolumeSource volumes = &Volumes::mounted);

    QComboBox *driveList() const { return m_drives; }
    DirectoryList *directoryList() const { return m_directories; }

Q_SIGNALS:
    // The files of the open directory, in name order.
    void itemsChosen(const QList<PlaylistItem> &items);

private:
    void buildControls();
    void fillDrives(VolumeSource volumes);
    void takeVolumes();
    void openStartDirectory();
    void openNextStart();
    void showDriveOf();
    void changeDrive(int index);
    void confirm();
    void finishListing();
    void tell(const QString &text);

    Prompts &m_prompts;
    QComboBox *m_drives = nullptr; // Drive1
    DirectoryList *m_directories = nullptr; // Dir1
    QPushButton *m_confirm = nullptr; // Command1
    QPushButton *m_cancel = nullptr; // Command2
    QList<Volume> m_volumes;
    QStringList m_startPlaces; // the current directory, then fallbacks
    QFutureWatcher<QList<Volume>> m_volumeWatcher;
    QFutureWatcher<DirectoryListing::FileListing> m_listing;
};
