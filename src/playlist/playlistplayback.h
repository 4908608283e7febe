#pragma once

#include "playlist/externalplayers.h"
#include "playlist/randomorder.h"

struct AppContext;
class PlaylistModel;
class QWidget;
class WindowHub;

// Plays from the list: the double click (in the engine, looping on through
// looptemp.ram when the player's loop box is set, or in another player) and
// random order.
class PlaylistPlayback
{
public:
    PlaylistPlayback(AppContext &context, WindowHub &hub, PlaylistModel &model, QWidget *window);

    // The other players found when the window loaded.
    void setInstalledPlayers(QList<ExternalPlayers::Player> players)
    {
        m_players = std::move(players);
    }
    void setRandomPick(RandomOrder::Pick pick) { m_pick = std::move(pick); }

    // Plays the current item where chosenEntry (the other-player list's text) says.
    void playCurrent(const QString &chosenEntry);
    // Command9.
    void randomOrder();

    QString loopListPath() const;

private:
    void playInEngine(int row);
    void startExternal(const QString &entry, const QString &itemText);
    void playLoopList(const QString &source);

    AppContext &m_context;
    WindowHub &m_hub;
    PlaylistModel &m_model;
    QWidget *m_window;
    QList<ExternalPlayers::Player> m_players;
    RandomOrder::Pick m_pick = RandomOrder::clockSeeded();
};
