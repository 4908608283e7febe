#include "ui/playlist/playlistgrid.h"

#include "core/geometry/twips.h"
#include "core/playlist/playlistlayout.h"
#include "core/playlist/playlistmodel.h"
#include "ui/playlist/playlistdelegate.h"
#include "ui/skin/cjkfont.h"
#include "ui/skin/skinstyle.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QTextDocument>
#include <QToolTip>

PlaylistGrid::PlaylistGrid(PlaylistModel *model, QWidget *parent)
    : QTableView(parent)
    , m_model(model)
    , m_delegate(new PlaylistDelegate(this))
{
    setModel(model);
    setItemDelegate(m_delegate);
    setUpLook();
    setToolTip(QStringLiteral("双击将开始播放"));
    setMouseTracking(true);
    connect(model, &PlaylistModel::currentCellChanged, this, &PlaylistGrid::followModel);
    followModel(model->currentRow(), model->currentColumn());
}

QString PlaylistGrid::toolTipFor(const QString &currentText)
{
    // A tip of a megabyte would freeze the window while it is laid out.
    constexpr qsizetype longest = 1000;
    const QString shown
        = currentText.size() > longest ? currentText.left(longest) + u'…' : currentText;
    return QStringLiteral("当前选定:") + shown + QStringLiteral("|双击将开始播放");
}

void PlaylistGrid::setUpLook()
{
    setFont(songFont());
    setStyleSheet(SkinStyle::playlistGrid());
    horizontalHeader()->hide();
    verticalHeader()->hide();
    // Uniform fixed rows keep the view fast with a hundred thousand items.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(16);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->resizeSection(0, twipsToPixels(PlaylistLayout::kIconColumnTwips));
    horizontalHeader()->resizeSection(1, twipsToPixels(PlaylistLayout::kTextColumnTwips));
    // The text column, and the title strip in its header row, reach the grid's edge.
    horizontalHeader()->setStretchLastSection(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setTabKeyNavigation(false);
}

void PlaylistGrid::followModel(int row, int column)
{
    const QModelIndex index = m_model->index(row, column);
    if (index.isValid() && currentIndex() != index)
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
}

void PlaylistGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    if (current.isValid() && current.column() == PlaylistModel::IconColumn) {
        // The icon column is fixed: a click or key there selects the row's text.
        selectionModel()->setCurrentIndex(m_model->index(current.row(), PlaylistModel::TextColumn),
            QItemSelectionModel::ClearAndSelect);
        return;
    }
    QTableView::currentChanged(current, previous);
    if (current.isValid())
        m_model->setCurrentCell(current.row(), current.column());
}

void PlaylistGrid::mouseMoveEvent(QMouseEvent *event)
{
    setToolTip(toolTipFor(m_model->cellText(m_model->currentRow(), m_model->currentColumn())));
    QTableView::mouseMoveEvent(event);
}

void PlaylistGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        Q_EMIT gridDoubleClicked();
}

bool PlaylistGrid::viewportEvent(QEvent *event)
{
    // The grid has one tool tip for every cell: the grid's own.
    if (event->type() == QEvent::ToolTip) {
        // Item texts are shown as they are, never read as markup.
        QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(),
            Qt::convertFromPlainText(toolTip(), Qt::WhiteSpaceNoWrap), viewport());
        return true;
    }
    return QTableView::viewportEvent(event);
}
