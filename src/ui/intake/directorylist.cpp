#include "ui/intake/directorylist.h"

#include "core/intake/directorylisting.h"
#include "ui/skin/skinstyle.h"

#include <QDir>
#include <QHeaderView>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QStyle>
#include <QtConcurrent/QtConcurrentRun>

namespace {

bool isWithin(const QString &path, const QString &top)
{
    return top == u"/" ? path.startsWith(u'/') : path == top || path.startsWith(top + u'/');
}

QString joined(const QString &directory, const QString &name)
{
    return directory.endsWith(u'/') ? directory + name : directory + u'/' + name;
}

} // namespace

DirectoryList::DirectoryList(QWidget *parent)
    : QTreeView(parent)
    , m_model(new QStandardItemModel(this))
{
    setModel(m_model);
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setUniformRowHeights(true);
    setIndentation(12);
    // Deep folders run past the right edge: the column is as wide as its
    // widest row (set once a directory is shown), and the list scrolls sideways.
    header()->setStretchLastSection(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    // Folders open by a double click, not by expanding: no branch arrows.
    setStyleSheet(SkinStyle::directoryList());
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Enter and the double click (or the single click of desktops set that way).
    connect(this, &QAbstractItemView::activated, this, &DirectoryList::openIndex);
    connect(&m_watcher, &QFutureWatcherBase::finished, this, &DirectoryList::finishOpening);
}

void DirectoryList::open(const QString &top, const QString &path)
{
    m_pendingPath = QDir::cleanPath(path);
    m_pendingTop = QDir::cleanPath(top);
    if (!isWithin(m_pendingPath, m_pendingTop))
        m_pendingTop = QStringLiteral("/");
    // A new future replaces the one watched; its result is never delivered.
    m_watcher.setFuture(QtConcurrent::run(&DirectoryListing::subdirectories, m_pendingPath));
}

void DirectoryList::openIndex(const QModelIndex &index)
{
    const QString path = index.data(PathRole).toString();
    if (!path.isEmpty() && path != m_path)
        open(m_top, path);
}

void DirectoryList::finishOpening()
{
    const std::optional<QStringList> subdirectories = m_watcher.result();
    if (!subdirectories) {
        Q_EMIT openFailed(m_pendingPath);
        return;
    }
    m_top = m_pendingTop;
    m_path = m_pendingPath;
    showDirectory(*subdirectories);
    Q_EMIT opened(m_path);
}

QStandardItem *DirectoryList::folderItem(const QString &name, const QString &path, bool open)
{
    if (m_closedIcon.isNull()) {
        m_openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
        m_closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    }
    auto *item = new QStandardItem(open ? m_openIcon : m_closedIcon, name);
    item->setData(path, PathRole);
    item->setToolTip(QDir::toNativeSeparators(path));
    return item;
}

void DirectoryList::showDirectory(const QStringList &subdirectories)
{
    m_model->clear();
    // The top shows its whole path; each folder below it its own name.
    QStandardItem *openItem = folderItem(m_top, m_top, true);
    m_model->appendRow(openItem);
    QString walked = m_top;
    const QStringList below = m_path.mid(m_top.size()).split(u'/', Qt::SkipEmptyParts);
    for (const QString &name : below) {
        walked = joined(walked, name);
        QStandardItem *child = folderItem(name, walked, true);
        openItem->appendRow(child);
        openItem = child;
    }
    QFont font = this->font();
    font.setBold(true);
    openItem->setFont(font);
    QList<QStandardItem *> rows;
    rows.reserve(subdirectories.size());
    for (const QString &name : subdirectories)
        rows.append(folderItem(name, joined(m_path, name), false));
    openItem->appendRows(rows);
    expandAll();
    resizeColumnToContents(0);
    setCurrentIndex(openItem->index());
    scrollTo(openItem->index(), QAbstractItemView::PositionAtCenter);
    // Sideways, the open folder's name comes into view, not the column's middle.
    updateGeometries();
    const int left = visualRect(openItem->index()).left() + horizontalOffset();
    horizontalScrollBar()->setValue(left - indentation());
}
