#pragma once

#include "core/playlist/playlistitem.h"
#include "core/text/textfile.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

#include <utility>

// The list behind the playlist grid. Row 0 is the header row and never an
// item; rows 1 .. rowCount() - 1 are the items in list order. Column 0 shows
// the item's icon, column 1 its text. The model also keeps the grid's current
// cell, the cursor every list operation works on.
class PlaylistModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { IconColumn = 0, TextColumn = 1 };
    // What a cell shows as its picture (PictureRole).
    enum class Picture { None, Header, Title, File, Address };
    static constexpr int PictureRole = Qt::UserRole + 1;
    // The list holds what xlist.cfg gives back: at most as many items as a
    // list file is read lines, and no more text than its size limit holds
    // (an ASCII character counted as one byte, any other UTF-16 unit as four,
    // more than any encoding takes, and two for the line end).
    static constexpr qsizetype kMaxItems = TextFile::kMaxLines;
    static constexpr qint64 kMaxSavedBytes = RegularFile::kListLimit;

    // Items made ready to append away from the window's thread: leading
    // marks dropped and what they take in xlist.cfg counted, so that
    // appending a long list costs the window little more than the insertion.
    struct Batch
    {
        QList<PlaylistItem> items;
        qint64 savedBytes = 0;
    };
    static Batch prepare(QList<PlaylistItem> items);

    explicit PlaylistModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    int itemCount() const { return int(m_items.size()); }
    // row is a grid row, 1 .. itemCount().
    const PlaylistItem &item(int row) const { return m_items.at(row - 1); }
    // The text of a grid cell; empty for the header row and the icon column.
    QString cellText(int row, int column) const;
    QStringList texts() const;
    // The items in list order; a copy shares them until either side changes,
    // so another thread can read it while the list goes on.
    const QList<PlaylistItem> &items() const { return m_items; }
    static QStringList textsOf(const QList<PlaylistItem> &items);
    Picture picture(int row, int column) const;

    // The append step: adds the item at the end and makes its text cell
    // current. False, and itemsRefused(), when the list is full.
    bool appendItem(PlaylistItem::Icon icon, const QString &text);
    // Appends many items at once, with one row insertion; the last one ends
    // current. Those past what the list can hold are refused: their number
    // is returned and told by itemsRefused().
    qsizetype appendItems(QList<PlaylistItem> items);
    qsizetype appendBatch(Batch batch);
    // Removes one item row; the header row is never removed.
    bool removeItem(int row);
    // Removes every item; the header row stays.
    void removeAllItems();

    int currentRow() const { return m_currentRow; }
    int currentColumn() const { return m_currentColumn; }
    void setCurrentCell(int row, int column);

Q_SIGNALS:
    void currentCellChanged(int row, int column);
    void itemsRefused(qsizetype count);

private:
    static qint64 savedBytes(const QString &text);
    // How many of items, from the first, still fit, and what they take.
    std::pair<qsizetype, qint64> fitting(const QList<PlaylistItem> &items) const;

    QList<PlaylistItem> m_items;
    qint64 m_savedBytes = 0; // the bound of what the items take in xlist.cfg
    int m_currentRow = 0;
    int m_currentColumn = TextColumn;
};
