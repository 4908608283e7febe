#pragma once

#include <QTableView>

class PlaylistDelegate;
class PlaylistModel;

// The list grid MSFlexGrid1: two columns over the playlist model, uniform
// fixed-height rows, no headers. It follows the model's current cell both
// ways, keeps the tool tip on the selected text, and reports double clicks.
class PlaylistGrid : public QTableView
{
    Q_OBJECT
public:
    PlaylistGrid(PlaylistModel *model, QWidget *parent);

    PlaylistDelegate *pictures() const { return m_delegate; }

    static QString toolTipFor(const QString &currentText);

Q_SIGNALS:
    // A double click anywhere on the grid; the item is the current row.
    void gridDoubleClicked();

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    void setUpLook();
    void followModel(int row, int column);

    PlaylistModel *m_model;
    PlaylistDelegate *m_delegate;
};
