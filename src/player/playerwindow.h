#pragma once

#include "menu/commandmenu.h"

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
class QProgressBar;
class QSlider;
class QTimer;
class WindowFrame;
class WindowHub;

// The main window: a borderless, shaped skin that hosts the media engine and
// carries the transport hot spots, the volume slider, the activity bar, the
// option boxes and the song-search row. Controls carry their skin names as
// object names (Label5, Check1, Slider1, ...).
class PlayerWindow : public QWidget
{
    Q_OBJECT
public:
    // The window comes up without an engine, so it can show while the engine
    // starts; until attachEngine() the transport does nothing.
    PlayerWindow(AppContext &context, WindowHub &hub);
    ~PlayerWindow() override;

    void attachEngine(std::unique_ptr<MediaEngine> engine);
    MediaEngine *engine() const { return m_engine.get(); }

    // "循环播放列表": the engine's clip list is to loop.
    bool isLoopListChecked() const;

    // Hidden buttons the command menu presses.
    QAbstractButton *command2() const { return m_command2; }
    QAbstractButton *command3() const { return m_command3; }

    // Frame: snap to the screen edges and re-dock; full and compact height.
    void dingwei();
    void formmax();
    void formmin();
    void toggleHeight();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void buildTransport();
    void buildMonitor();
    void buildOptions();
    void buildSearchRow();
    void buildTextButtons();
    void buildFrameControls();

    void stepActivityBar();
    void delayedStart();
    void applySliderVolume(int position);
    void syncSliderFromEngine();
    void closeProgram();
    void popupMenu(CommandMenu::Menu menu);

    AppContext &m_context;
    WindowHub &m_hub;
    std::unique_ptr<MediaEngine> m_engine;
    PlayerCommands *m_commands = nullptr;
    WindowFrame *m_frame = nullptr;
    QProgressBar *m_activityBar = nullptr;
    QSlider *m_volumeSlider = nullptr;
    QCheckBox *m_onTopBox = nullptr;     // Check2
    QCheckBox *m_dropWindowBox = nullptr; // Check3
    QCheckBox *m_loopBox = nullptr;       // Check1
    QLineEdit *m_searchText = nullptr;    // Text1
    QComboBox *m_category = nullptr;      // Combo1
    QAbstractButton *m_command2 = nullptr;
    QAbstractButton *m_command3 = nullptr;
    QTimer *m_activityTimer = nullptr;    // Timer1
    QTimer *m_startTimer = nullptr;       // Timer2
    bool m_syncingSlider = false;
};
