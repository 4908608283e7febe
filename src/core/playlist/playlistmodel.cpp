#include "core/playlist/playlistmodel.h"

#include "core/playlist/listfile.h"
#include "core/program/texts.h"

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
    QStringList result;
    result.reserve(m_items.size());
    for (const PlaylistItem &item : m_items)
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

qsizetype PlaylistModel::fitting(const QList<PlaylistItem> &items) const
{
    qint64 bytes = m_savedBytes;
    const qsizetype room = kMaxItems - m_items.size();
    qsizetype count = 0;
    for (; count < qMin(room, items.size()); ++count) {
        bytes += savedBytes(items.at(count).text);
        if (bytes > kMaxSavedBytes)
            break;
    }
    return count;
}

bool PlaylistModel::appendItem(PlaylistItem::Icon icon, const QString &text)
{
    return appendItems({ PlaylistItem { icon, text } }) == 0;
}

qsizetype PlaylistModel::appendItems(QList<PlaylistItem> items)
{
    if (items.isEmpty())
        return 0;
    for (PlaylistItem &item : items)
        dropLeadingMarks(item.text);
    const qsizetype refused = items.size() - fitting(items);
    items.resize(items.size() - refused);
    if (!items.isEmpty()) {
        for (const PlaylistItem &item : std::as_const(items))
            m_savedBytes += savedBytes(item.text);
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
