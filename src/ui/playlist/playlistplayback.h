#pragma once

#include "core/playlist/externalplayers.h"
#include "core/playlist/randomorder.h"

#include <functional>

struct AppContext;
class PlaylistModel;
class QWidget;

// Plays from the list: the double click (in the engine, looping on through
// looptemp.ram when the list is to loop, or in another player) and random
// order.
class PlaylistPlayback
{
public:
    // play stops what the engine plays and plays the source.
    using Play = std::function<void(const QString &source)>;

    PlaylistPlayback(AppContext &context, PlaylistModel &model, QWidget *window, Play play);

    // The other players found when the window loaded.
    void setInstalledPlayers(QList<ExternalPlayers::Player> players)
    {
        m_players = std::move(players);
    }
    void setRandomPick(RandomOrder::Pick pick) { m_pick = std::move(pick); }
    void setLoopList(bool loops) { m_loopList = loops; }

    // Plays the current item where chosenEntry (the other-player list's text) says.
    void playCurrent(const QString &chosenEntry);
    // Command9.
    void randomOrder();

    QString loopListPath() const;

private:
    void playInEngine(int row);
    void startExternal(const QString &entry, const QString &itemText);
    void reportUnsafeLoopList();

    AppContext &m_context;
    PlaylistModel &m_model;
    QWidget *m_window;
    Play m_play;
    bool m_loopList = true; // the player's loop box is set when it loads
    bool m_toldUnsafeLoopList = false;
    QList<ExternalPlayers::Player> m_players;
    RandomOrder::Pick m_pick = RandomOrder::clockSeeded();
};
