#include "core/playlist/playlistmodel.h"

#include "core/playlist/listfile.h"
#include "core/program/texts.h"

#include <tuple>

namespace {

// An item never begins with U+FEFF: xlist.cfg would not give it back (see
// ListFile::lineText), and what is shown, saved and played must agree.
void dropLeadingMarks(QString &text)
{
    const qsizetype marks = text.size() - ListFile::lineText(text).size();
    if (marks > 0)
        text.remove(0, marks);
}

// What a screen reader says for a cell's picture.
QString spokenPicture(PlaylistModel::Picture picture)
{
    switch (picture) {
    case PlaylistModel::Picture::Title:
        return Texts::kPlaylist.toString();
    case PlaylistModel::Picture::File:
        return QStringLiteral("文件");
    case PlaylistModel::Picture::Address:
        return QStringLiteral("网址");
    case PlaylistModel::Picture::Header:
    case PlaylistModel::Picture::None:
        break;
    }
    return {};
}

} // namespace

PlaylistModel::PlaylistModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

int PlaylistModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : itemCount() + 1;
}

int PlaylistModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant PlaylistModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return cellText(index.row(), index.column());
    case Qt::AccessibleTextRole:
        if (index.column() == IconColumn || index.row() == 0)
            return spokenPicture(picture(index.row(), index.column()));
        return cellText(index.row(), index.column());
    case PictureRole:
        return int(picture(index.row(), index.column()));
    case Qt::TextAlignmentRole:
        if (index.row() == 0 && index.column() == TextColumn)
            return int(Qt::AlignCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

Qt::ItemFlags PlaylistModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

QString PlaylistModel::cellText(int row, int column) const
{
    if (row < 1 || row > itemCount() || column != TextColumn)
        return {};
    return m_items.at(row - 1).text;
}

QStringList PlaylistModel::texts() const
{
    return textsOf(m_items);
}

QStringList PlaylistModel::textsOf(const QList<PlaylistItem> &items)
{
    QStringList result;
    result.reserve(items.size());
    for (const PlaylistItem &item : items)
        result.append(item.text);
    return result;
}

PlaylistModel::Picture PlaylistModel::picture(int row, int column) const
{
    if (row == 0)
        return column == IconColumn ? Picture::Header : Picture::Title;
    if (column != IconColumn || row > itemCount())
        return Picture::None;
    return m_items.at(row - 1).icon == PlaylistItem::Icon::File ? Picture::File : Picture::Address;
}

qint64 PlaylistModel::savedBytes(const QString &text)
{
    qint64 bytes = 2;
    for (const QChar c : text)
        bytes += c.unicode() < 0x80 ? 1 : 4;
    return bytes;
}

std::pair<qsizetype, qint64> PlaylistModel::fitting(const QList<PlaylistItem> &items) const
{
    qint64 bytes = 0;
    const qsizetype room = kMaxItems - m_items.size();
    qsizetype count = 0;
    for (; count < qMin(room, items.size()); ++count) {
        const qint64 more = savedBytes(items.at(count).text);
        if (m_savedBytes + bytes + more > kMaxSavedBytes)
            break;
        bytes += more;
    }
    return { count, bytes };
}

PlaylistModel::Batch PlaylistModel::prepare(QList<PlaylistItem> items)
{
    Batch batch { std::move(items), 0 };
    for (PlaylistItem &item : batch.items) {
        dropLeadingMarks(item.text);
        batch.savedBytes += savedBytes(item.text);
    }
    return batch;
}

bool PlaylistModel::appendItem(PlaylistItem::Icon icon, const QString &text)
{
    return appendItems({ PlaylistItem { icon, text } }) == 0;
}

qsizetype PlaylistModel::appendItems(QList<PlaylistItem> items)
{
    return appendBatch(prepare(std::move(items)));
}

qsizetype PlaylistModel::appendBatch(Batch batch)
{
    QList<PlaylistItem> &items = batch.items;
    if (items.isEmpty())
        return 0;
    qsizetype accepted = items.size();
    qint64 bytes = batch.savedBytes;
    // Only a batch that does not fit whole is gone through item by item.
    if (m_items.size() + accepted > kMaxItems || m_savedBytes + bytes > kMaxSavedBytes)
        std::tie(accepted, bytes) = fitting(items);
    const qsizetype refused = items.size() - accepted;
    items.resize(accepted);
    if (!items.isEmpty()) {
        m_savedBytes += bytes;
        const int first = rowCount();
        beginInsertRows({}, first, first + int(items.size()) - 1);
        if (m_items.isEmpty())
            m_items = std::move(items);
        else
            m_items.append(std::move(items));
        endInsertRows();
        setCurrentCell(itemCount(), TextColumn);
    }
    if (refused > 0)
        Q_EMIT itemsRefused(refused);
    return refused;
}

bool PlaylistModel::removeItem(int row)
{
    if (row < 1 || row > itemCount())
        return false;
    beginRemoveRows({}, row, row);
    m_savedBytes -= savedBytes(m_items.at(row - 1).text);
    m_items.removeAt(row - 1);
    endRemoveRows();
    // The current cell keeps its row number (the next item moves into it)
    // unless a row above it went or it fell off the end. The view lost its
    // current index with the row, so tell it again in every case.
    if (row < m_currentRow)
        --m_currentRow;
    m_currentRow = qMin(m_currentRow, itemCount());
    Q_EMIT currentCellChanged(m_currentRow, m_currentColumn);
    return true;
}

void PlaylistModel::removeAllItems()
{
    if (!m_items.isEmpty()) {
        beginRemoveRows({}, 1, itemCount());
        m_items.clear();
        m_items.squeeze();
        m_savedBytes = 0;
        endRemoveRows();
    }
    m_currentRow = 0;
    Q_EMIT currentCellChanged(m_currentRow, m_currentColumn);
}

void PlaylistModel::setCurrentCell(int row, int column)
{
    if (row < 0 || row >= rowCount() || column < 0 || column > TextColumn)
        return;
    if (row == m_currentRow && column == m_currentColumn)
        return;
    m_currentRow = row;
    m_currentColumn = column;
    Q_EMIT currentCellChanged(row, column);
}
