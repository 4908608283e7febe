#pragma once

#include "core/playlist/playlistmodel.h"

#include <QPixmap>
#include <QStyledItemDelegate>

// Paints the playlist grid's cells the way the skin wants them: the icon
// column and the header's title strip on the button face, item texts on the
// window background, the selected text cell in light grey.
class PlaylistDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void setPicture(PlaylistModel::Picture picture, const QPixmap &pixmap);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
        const QModelIndex &index) const override;

private:
    void paintPicture(QPainter *painter, const QRect &cell, PlaylistModel::Picture picture,
        Qt::Alignment alignment) const;
    void paintText(
        QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const;

    QPixmap m_pictures[5];
};
