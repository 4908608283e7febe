#pragma once

#include "core/media/mediaengine.h"
#include "core/program/appfolder.h"
#include "engine/currentmedium.h"
#include "engine/enginesettings.h"
#include "engine/entryerror.h"
#include "engine/mpvcore.h"
#include "engine/playbacktracker.h"
#include "engine/ramlist.h"
#include "engine/sourcelocation.h"

#include <QList>
#include <QTimer>
#include <QUrl>

#include <memory>

class EngineSettingsDialog;
class EngineViews;
class ListExpander;
class MpvClient;

class RemoteListFetcher;
class StatisticsFeed;
class StatisticsWindow;
class VideoRenderer;

// The media engine on libmpv. Every call returns at once: commands go to
// the player core asynchronously, and the state is read from a cache kept up
// to date by the core's events. Lists (RAM, m3u, pls) are expanded here, on
// a worker thread, and a long list starts playing with its first entries
// while the rest are read; lists at http and https addresses are downloaded
// first.
//
// The environment variable TUNVIA_AUDIO_OUTPUT, when set, chooses the audio
// output by its libmpv name (tests set "null" to play without a sound device).
class MpvEngine : public MediaEngine
{
    Q_OBJECT
public:
    // What the engine is made of that may be made away from the window
    // thread: its settings and its started core (null when libmpv cannot be
    // created or initialized).
    struct Prepared
    {
        EngineSettings settings;
        std::unique_ptr<MpvCore> core;
    };
    // On any thread, once libmpv is loaded and the numeric locale is "C".
    static Prepared prepare(const AppFolder &folder);
    // On the window thread. Null when the core could not be started.
    static std::unique_ptr<MediaEngine> create(const AppFolder &folder, Prepared prepared);
    // Both steps on the window thread.
    static std::unique_ptr<MediaEngine> create(const AppFolder &folder);
    ~MpvEngine() override;

    void setSource(const QString &source) override;
    void startPlayback() override;
    void pausePlayback() override;
    void stopPlayback() override;
    void skipToPreviousEntry() override;
    void skipToNextEntry() override;
    PlaybackState playbackState() const override;
    qint16 volumeLevel() const override;
    void setVolumeLevel(qint16 level) override;
    void setListLooping(bool looping) override;
    void showStatisticsView(bool show) override;
    void showPerformanceSettings() override;
    QWidget *createDisplay(QWidget *parent) override;
    QString currentTitle() const override;
    QString currentLocation() const override;
    QString currentArtist() const override;
    QString currentAlbum() const override;
    qint64 position() const override;
    qint64 duration() const override;
    bool canSeek() const override;
    void seek(qint64 position) override;
    bool hasNextEntry() const override;
    bool hasPreviousEntry() const override;

    PlaybackStatus status() const { return m_tracker.status(); }
    EngineSettings settings() const { return m_settings; }
    // Applies the settings to the next load and saves them in engine.ini.
    void applySettings(const EngineSettings &settings);
    QString settingsPath() const;
    StatisticsWindow *statisticsWindow() const;
    EngineSettingsDialog *settingsDialog() const;

Q_SIGNALS:
    void statusChanged(const PlaybackStatus &status);

private:
    MpvEngine(const AppFolder &folder, const EngineSettings &settings,
        std::unique_ptr<MpvClient> client, std::unique_ptr<VideoRenderer> renderer);
    void connectClient();
    void observeProperties();
    void openSource();
    void expandInBackground(const QString &listPath);
    void listEntriesFound(const QList<SourceLocation> &entries);
    void listExpanded(const RamList::Expansion &expansion);
    void openEntries(const RamList::Expansion &source);
    void failOpening(const QString &errorText);
    void fetchList();
    void listFetched(const QUrl &url, const QByteArray &bytes);
    // complete: entries is the whole list, not the first part of one still read.
    void load(const QList<SourceLocation> &entries, bool complete);
    void appendEntries();
    // Puts entries in the place of the list the core holds.
    void replaceEntries(QList<SourceLocation> entries);
    void releaseSome();
    void stopHoldingBack();
    void playEntry(int index);
    void openCommand(const QStringList &arguments, int index);
    void commandFailed(quint64 tag, EntryError::Kind failure);
    void resume();
    void setPaused(bool paused);
    void skip(int step);

    void fileStarted();
    void fileLoaded();
    void entryFailed(EntryError::Kind failure);
    void coreIdle();
    void propertyChanged(const QString &name, const QVariant &value);
    void openingTimedOut();
    void seekDone();
    // The entry that plays, or that the next start plays again; -1 for none.
    int currentEntry() const;
    void watchOpening();

    void statusTouched();
    void publishStatus();

    AppFolder m_folder;
    EngineSettings m_settings;
    std::unique_ptr<MpvClient> m_client;
    std::unique_ptr<VideoRenderer> m_renderer;
    std::unique_ptr<EngineViews> m_views;
    std::unique_ptr<StatisticsFeed> m_statisticsFeed;
    std::unique_ptr<RemoteListFetcher> m_fetcher;
    std::unique_ptr<ListExpander> m_expander;
    PlaybackTracker m_tracker;
    CurrentMedium m_medium;
    bool m_describedChanged = false; // the medium's description changed since last published
    bool m_seeking = false; // a seek was asked for; seeked() follows when playing goes on
    PlaybackStatus m_published;
    QString m_publishedLocation;
    bool m_publishQueued = false;

    QString m_source;
    bool m_sourcePending = false;
    QList<SourceLocation> m_entries; // the list the core holds
    QList<QList<SourceLocation>> m_released; // lists let go of a part at a time
    bool m_listComplete = true; // false while (or after) a list was read only in part
    qsizetype m_entriesSent = 0; // how many of them the core was given so far
    bool m_holdingBack = false; // most of the list waits until its first entry opened
    int m_resumeIndex = 0;
    quint64 m_openTag = 0; // tags the latest loadfile or playlist-play-index
    int m_openIndex = 0; // the entry that command opens
    bool m_looping = false;
    qint16 m_volume = 99;
    QTimer m_watchdog;
};
