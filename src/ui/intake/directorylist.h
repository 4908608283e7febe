#pragma once

#include <QFutureWatcher>
#include <QIcon>
#include <QStringList>
#include <QTreeView>

#include <optional>

class QStandardItem;
class QStandardItemModel;

// The add-directory dialog's directory list: the open directory with the
// folders above it up to the volume's top, and its subdirectories below it.
// A double click (or Enter) on a folder opens it. Folders are read on a
// worker thread, so a large or slow directory never freezes the window; the
// list changes once the new directory has been read, and a directory that
// cannot be read leaves it as it was.
class DirectoryList : public QTreeView
{
    Q_OBJECT
public:
    // Each row holds the full path of its folder in this role.
    static constexpr int PathRole = Qt::UserRole + 1;

    explicit DirectoryList(QWidget *parent = nullptr);

    // The open directory (not a merely highlighted one); empty until the
    // first directory has been read.
    QString path() const { return m_path; }
    QString top() const { return m_top; }

    // Opens `path`, showing the folders from the volume top `top` down to it;
    // a path outside `top` is shown from the root directory. The latest
    // request wins.
    void open(const QString &top, const QString &path);
    bool isOpening() const { return m_watcher.isRunning(); }

Q_SIGNALS:
    void opened(const QString &path);
    void openFailed(const QString &path);

private:
    void openIndex(const QModelIndex &index);
    void finishOpening();
    void showDirectory(const QStringList &subdirectories);
    QStandardItem *folderItem(const QString &name, const QString &path, bool open);

    QStandardItemModel *m_model;
    QIcon m_openIcon;
    QIcon m_closedIcon;
    QFutureWatcher<std::optional<QStringList>> m_watcher;
    QString m_top;
    QString m_path;
    QString m_pendingTop;
    QString m_pendingPath;
};
