#pragma once

#include "core/playlist/externalplayers.h"
#include "core/playlist/playlistitem.h"
#include "core/playlist/playlistlayout.h"
#include "core/playlist/randomorder.h"
#include "ui/menu/popupmenu.h"
#include "ui/playlist/otherplayersbox.h"

#include <QFutureWatcher>
#include <QWidget>

#include <memory>

struct AppContext;
class HotSpot;
class PlaylistCommands;
class PlaylistGrid;
class PlaylistModel;
class PlaylistPlayback;
class PlaylistStore;
class QPushButton;
class WindowFrame;

// The playlist window: the list grid, the other-player list, the list
// commands and the frame's hot spots. Loading the window reads xlist.cfg;
// closing it writes the list back and destroys the window. Items to play in
// the engine and menus to pop up it asks for through its signals.
class PlaylistWindow : public QWidget
{
    Q_OBJECT
public:
    explicit PlaylistWindow(AppContext &context);
    ~PlaylistWindow() override;

    // The player window, which this one docks against.
    void setDockPartner(QWidget *partner);

    PlaylistModel *model() const { return m_model; }
    PlaylistGrid *grid() const { return m_grid; }
    QComboBox *otherPlayers() const { return m_otherPlayers; }

    // The append step every adder uses: the item goes to the end and is selected.
    void appendItem(PlaylistItem::Icon icon, const QString &text);
    // Returns the grid row the first of them went to (after the saved list).
    int appendItems(QList<PlaylistItem> items);

    // Offers the players of the table that are installed (the platform's by default).
    void useExternalPlayers(const QList<ExternalPlayers::Player> &table);
    // The source of random picks (tests pass fixed ones).
    void setRandomPick(RandomOrder::Pick pick);

    // True when xlist.cfg could not be read: the window then never writes it.
    bool loadFailed();
    // Saves the list and stays open (the desktop session may yet go on).
    void saveKeepingOpen();

public Q_SLOTS:
    // Frame: snap and re-dock, full and compact height.
    void snapAndDock();
    void restoreHeight();
    void rollUp();

    // Whether a double click plays the whole list from the item on, in a loop
    // (the player's "循环播放列表").
    void setLoopList(bool loops);

    void addUrl(); // Command5
    void addFile(); // Command6
    void deleteAll(); // Command7
    void deleteOne(); // Command8
    void randomOrder(); // Command9
    void importList(); // Label3
    void exportList(); // Label4
    void playCurrent(); // double click on the grid

Q_SIGNALS:
    // Stop what plays and play this source in the engine.
    void playRequested(const QString &source);
    void menuRequested(PopupMenu menu, QWidget *owner);

protected:
    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void buildGrid();
    void showGridPictures();
    void buildOtherPlayers();
    void buildCommandButtons();
    void buildToolbar();
    void buildFrameControls();
    QPushButton *commandButton(const PlaylistLayout::Row &row);
    HotSpot *addHotSpot(const PlaylistLayout::Row &row);
    void run(PlaylistLayout::Command command);
    void loadList();
    void settleLoad();
    void settle();
    void reportIncompleteList(bool tooManyItems);
    void reportFullList(qsizetype refused);
    void reportUnsafeLink();
    void reportUnsavableFolder();
    void saveList();

    AppContext &m_context;
    PlaylistModel *m_model;
    std::unique_ptr<PlaylistStore> m_store;
    std::unique_ptr<PlaylistCommands> m_commands;
    std::unique_ptr<PlaylistPlayback> m_playback;
    PlaylistGrid *m_grid = nullptr;
    OtherPlayersBox *m_otherPlayers = nullptr; // Combo1
    bool m_saved = false;
    bool m_loaded = false;
    // Set while the saved list is still being read: the rows come once it is.
    QFutureWatcher<void> *m_loadWatcher = nullptr;

    // Frame hot spots (Image1, Image11, Image6, Image7, Image2).
    WindowFrame *m_frame = nullptr;
};
