#pragma once

#include "core/player/playerlayout.h"
#include "ui/menu/popupmenu.h"

#include <QWidget>

#include <memory>

struct AppContext;
class CaptionDrag;
class HotSpot;
class MediaEngine;
class PlayerCommands;
class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLineEdit;
class ActivityBar;
class QSlider;
class QTimer;
class WindowFrame;

// The main window: a borderless, shaped skin that hosts the media engine and
// carries the transport hot spots, the volume slider, the activity bar, the
// option boxes and the song-search row. Controls carry their skin names as
// object names (Label5, Check1, Slider1, ...). What lies outside the window
// (menus, the playlist, the About window, the end of the program) it asks
// for through its signals.
class PlayerWindow : public QWidget
{
    Q_OBJECT
public:
    // The window comes up without an engine, so it can show while the engine
    // starts; until attachEngine() the transport does nothing, and the last
    // source asked to play waits for the engine.
    explicit PlayerWindow(AppContext &context);
    ~PlayerWindow() override;

    void attachEngine(std::unique_ptr<MediaEngine> engine);
    MediaEngine *engine() const { return m_engine.get(); }

    // "循环播放列表": the engine's clip list is to loop.
    bool loopsList() const;

    // The playlist window, which docks against this one.
    void setDockPartner(QWidget *partner);

public Q_SLOTS:
    // Ask for a media file or a network address and play it at once.
    void openFile();
    void openAddress();
    // Stops what plays, then plays the source.
    void stopAndPlay(const QString &source);

    // Frame: snap to the screen edges and re-dock; full and compact height.
    void snapAndDock();
    void restoreHeight();
    void rollUp();
    void toggleHeight();
    // Sets "循环播放列表" as a click on it would.
    void setLoopsList(bool loops);

Q_SIGNALS:
    void playlistRequested();
    void menuRequested(PopupMenu menu, QWidget *owner);
    void aboutRequested(AboutTab tab);
    // The close hot spot, or the window manager closing the window.
    void quitRequested();
    void loopListToggled(bool loops);
    // "显示拖放口" changed by the user.
    void dropWindowToggled(bool shown);
    // Five seconds after the window loaded: the volume is synced and the
    // program may now start what it put off.
    void delayedStartReached();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void buildTransport();
    void buildLabels();
    void buildMonitor();
    void buildOptions();
    void buildSearchRow();
    void buildTextButtons();
    void buildFrameControls();

    HotSpot *addHotSpot(const PlayerLayout::Row &row);
    void run(PlayerLayout::Command command);
    void callEngine(void (MediaEngine::*call)());
    void openMixer();
    void stepActivityBar();
    void delayedStart();
    void applySliderVolume(int position);
    void syncSliderFromEngine();
    void closeProgram();
    void requestMenu(PopupMenu menu);

    AppContext &m_context;
    std::unique_ptr<MediaEngine> m_engine;
    QString m_sourceWhenAttached;
    PlayerCommands *m_commands = nullptr;
    WindowFrame *m_frame = nullptr;
    ActivityBar *m_activityBar = nullptr;
    QSlider *m_volumeSlider = nullptr;
    QCheckBox *m_onTopBox = nullptr; // Check2
    QCheckBox *m_dropWindowBox = nullptr; // Check3
    QCheckBox *m_loopBox = nullptr; // Check1
    QLineEdit *m_searchText = nullptr; // Text1
    QComboBox *m_category = nullptr; // Combo1
    QTimer *m_activityTimer = nullptr; // Timer1
    QTimer *m_startTimer = nullptr; // Timer2
    bool m_syncingSlider = false;
};
