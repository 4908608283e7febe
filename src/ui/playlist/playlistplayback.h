#pragma once

#include "core/playlist/externalplayers.h"
#include "core/playlist/playlistitem.h"
#include "core/playlist/randomorder.h"

#include <QFutureWatcher>
#include <QObject>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

struct AppContext;
class PlaylistModel;
class QWidget;

// Plays from the list: the double click (in the engine, looping on through
// looptemp.ram when the list is to loop, or in another player) and random
// order. Drawing the order and writing looptemp.ram run on a worker thread
// on a copy of the list; what follows (the preview box, playing) runs when
// they end, unless a later request or the window's closing came meanwhile.
class PlaylistPlayback : public QObject
{
public:
    // play stops what the engine plays and plays the source.
    using Play = std::function<void(const QString &source)>;

    PlaylistPlayback(AppContext &context, PlaylistModel &model, QWidget *window, Play play);
    ~PlaylistPlayback() override;

    // The other players found when the window loaded.
    void setInstalledPlayers(QList<ExternalPlayers::Player> players)
    {
        m_players = std::move(players);
    }
    void setRandomPick(RandomOrder::Pick pick) { m_pick = std::move(pick); }
    void setLoopList(bool loops) { m_loopList = loops; }

    // Plays the current item where chosenEntry (the other-player list's text) says.
    void playCurrent(const QString &chosenEntry);
    // Command9. While a draw runs, another press does nothing.
    void randomOrder();
    // Drops what a request under way would still do (the window closes).
    void cancel();

    QString loopListPath() const;

private:
    // Orders the writes of looptemp.ram: only the latest request writes it.
    struct LoopFile
    {
        std::mutex writing;
        std::atomic<quint64> latest = 0;
    };
    struct Drawn
    {
        RandomOrder::Draw draw;
        bool written = false;
    };

    void playInEngine(int row);
    void playLooping(quint64 request, const QString &text, bool written);
    void showDraw(quint64 request, const Drawn &drawn);
    void startExternal(const QString &entry, const QString &itemText);
    void reportUnsafeLoopList();
    quint64 nextRequest() { return ++m_loopFile->latest; }
    bool isLatest(quint64 request) const { return m_loopFile->latest == request; }
    // Writes looptemp.ram on the worker, unless a later request came.
    static bool writeLoopList(const std::shared_ptr<LoopFile> &file, quint64 request,
        const QString &path, const QStringList &lines);

    AppContext &m_context;
    PlaylistModel &m_model;
    QWidget *m_window;
    Play m_play;
    bool m_loopList = true; // the player's loop box is set when it loads
    bool m_toldUnsafeLoopList = false;
    bool m_drawing = false;
    bool m_listChanged = false; // since the draw under way took its copy
    std::shared_ptr<LoopFile> m_loopFile = std::make_shared<LoopFile>();
    QList<ExternalPlayers::Player> m_players;
    RandomOrder::Pick m_pick = RandomOrder::clockSeeded();
};
