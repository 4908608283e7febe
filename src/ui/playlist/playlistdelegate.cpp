#include "ui/playlist/playlistdelegate.h"

#include "ui/skin/skinstyle.h"

#include <QApplication>
#include <QPainter>

using Picture = PlaylistModel::Picture;

// Longer texts are cut before drawing: laying out a line of a megabyte for a
// cell a few hundred pixels wide would stall the window.
static constexpr qsizetype kLongestDrawnText = 400;

void PlaylistDelegate::setPicture(Picture picture, const QPixmap &pixmap)
{
    m_pictures[int(picture)] = pixmap;
}

void PlaylistDelegate::paint(
    QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const auto picture = Picture(index.data(PlaylistModel::PictureRole).toInt());
    const QPalette &system = QApplication::palette();
    painter->save();
    painter->setClipRect(option.rect); // a picture wider than its cell is cut at the cell's edges
    if (index.column() == PlaylistModel::IconColumn) {
        painter->fillRect(option.rect, system.color(QPalette::Button));
        paintPicture(painter, option.rect, picture, Qt::AlignCenter);
    } else if (picture == Picture::Title) {
        painter->fillRect(option.rect, system.color(QPalette::Button));
        paintPicture(painter, option.rect, picture, Qt::AlignCenter);
    } else {
        paintText(painter, option, index);
    }
    painter->restore();
}

void PlaylistDelegate::paintPicture(
    QPainter *painter, const QRect &cell, Picture picture, Qt::Alignment alignment) const
{
    const QPixmap &pixmap = m_pictures[int(picture)];
    if (pixmap.isNull())
        return;
    const QSize size = pixmap.deviceIndependentSize().toSize();
    painter->drawPixmap(QStyle::alignedRect(Qt::LeftToRight, alignment, size, cell), pixmap);
}

void PlaylistDelegate::paintText(
    QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const QPalette &system = QApplication::palette();
    painter->fillRect(
        option.rect, selected ? SkinStyle::kGridSelection : system.color(QPalette::Base));
    QString text = index.data(Qt::DisplayRole).toString();
    if (text.size() > kLongestDrawnText)
        text.truncate(kLongestDrawnText);
    painter->setPen(system.color(QPalette::Text));
    painter->setFont(option.font);
    painter->setClipRect(option.rect);
    painter->drawText(option.rect.adjusted(2, 0, -2, 0),
        Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    if (option.state.testFlag(QStyle::State_HasFocus)) {
        painter->setPen(QPen(system.color(QPalette::Text), 1, Qt::DotLine));
        painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
    }
}
