#include "engine/mpvengine.h"

#include "engine/enginedisplay.h"
#include "engine/engineviews.h"
#include "engine/fileaccess.h"
#include "engine/listexpander.h"
#include "engine/mpvclient.h"
#include "engine/mpvcore.h"
#include "engine/remotelist.h"
#include "engine/remotelistfetcher.h"
#include "engine/statisticsfeed.h"
#include "engine/videorenderer.h"

#include <clocale>
#include <utility>

namespace {

const int watchdogMarginMs = 5000;
// While the first entry of a list opens, only this many of the next ones go
// to the player core (in case it fails); the rest wait until it has opened,
// so that a long list does not hold up the start of its first entry.
const qsizetype kAheadWhileOpening = 64;
// Letting go of 100,000 entries at once holds the thread about 10 ms. A long
// list is let go this many at a time, between events, once the list that
// replaced it is read and in the core: beside that reading, which allocates
// as fast as it can, each part took 2-6 ms. (On a pool thread, the frees
// took a core from this one instead.)
const qsizetype kReleasedAtATime = 1024;
const int kReleaseDelayMs = 100;

MpvCore::Options startOptions(const EngineSettings &settings)
{
    // clang-format off
    MpvCore::Options options {
        { "idle", "yes" }, { "keep-open", "no" }, { "config", "no" }, { "terminal", "no" },
        { "input-default-bindings", "no" }, { "input-vo-keyboard", "no" }, { "ytdl", "no" },
        { "load-scripts", "no" }, { "osc", "no" }, { "load-osd-console", "no" },
        { "load-stats-overlay", "no" }, { "load-auto-profiles", "no" },
        { "resume-playback", "no" }, { "vo", "libmpv" }, { "audio-display", "no" },
        { "osd-level", "0" }, { "user-agent", "Tunvia" },
        // A large PulseAudio buffer wakes the player far less often while playing.
        { "pulse-buffer", "500" },
        // Nothing is looked for beside the file: subtitles (the program offers
        // none) and cover pictures (not shown: audio-display=no). In a folder of
        // 100,000 songs each look takes 40-80 ms at the start of every entry.
        { "sub-auto", "no" }, { "cover-art-auto", "no" },
    };
    // clang-format on
    options += settings.coreOptions();
    const QByteArray audioOutput = qgetenv("TUNVIA_AUDIO_OUTPUT");
    if (!audioOutput.isEmpty())
        options.append({ "ao", audioOutput });
    return options;
}

} // namespace

MpvEngine::Prepared MpvEngine::prepare(const AppFolder &folder)
{
    Prepared prepared;
    prepared.settings = EngineSettings::load(folder.fileToRead(QStringLiteral("engine.ini")));
    prepared.core = MpvCore::start(startOptions(prepared.settings));
    return prepared;
}

std::unique_ptr<MediaEngine> MpvEngine::create(const AppFolder &folder, Prepared prepared)
{
    if (!prepared.core)
        return nullptr;
    auto client = MpvClient::adopt(prepared.core->takeHandle());
    auto renderer = VideoRenderer::adopt(prepared.core->takeRenderContext());
    return std::unique_ptr<MediaEngine>(
        new MpvEngine(folder, prepared.settings, std::move(client), std::move(renderer)));
}

std::unique_ptr<MediaEngine> MpvEngine::create(const AppFolder &folder)
{
    std::setlocale(LC_NUMERIC, "C"); // libmpv refuses to start under another numeric locale
    return create(folder, prepare(folder));
}

MpvEngine::MpvEngine(const AppFolder &folder, const EngineSettings &settings,
    std::unique_ptr<MpvClient> client, std::unique_ptr<VideoRenderer> renderer)
    : m_folder(folder)
    , m_settings(settings)
    , m_client(std::move(client))
    , m_renderer(std::move(renderer))
{
    if (!m_renderer)
        m_client->setProperty("vid", QStringLiteral("no"));
    m_views = std::make_unique<EngineViews>(m_renderer.get());
    connect(this, &MpvEngine::statusChanged, m_views.get(), &EngineViews::showStatus);
    m_statisticsFeed = std::make_unique<StatisticsFeed>(*m_client);
    connect(m_views.get(), &EngineViews::statisticsWanted, this,
        [this] { m_statisticsFeed->request(m_source, m_tracker.status().stateText()); });
    connect(m_statisticsFeed.get(), &StatisticsFeed::rowsReady, m_views.get(),
        &EngineViews::showStatisticsRows);
    connect(m_views.get(), &EngineViews::settingsAccepted, this, &MpvEngine::applySettings);
    m_fetcher = std::make_unique<RemoteListFetcher>();
    connect(m_fetcher.get(), &RemoteListFetcher::fetched, this, &MpvEngine::listFetched);
    connect(m_fetcher.get(), &RemoteListFetcher::failed, this, &MpvEngine::failOpening);
    m_expander = std::make_unique<ListExpander>();
    connect(m_expander.get(), &ListExpander::entriesFound, this, &MpvEngine::listEntriesFound);
    connect(m_expander.get(), &ListExpander::expanded, this, &MpvEngine::listExpanded);
    m_watchdog.setSingleShot(true);
    connect(&m_watchdog, &QTimer::timeout, this, &MpvEngine::openingTimedOut);
    connectClient();
    observeProperties();
}

MpvEngine::~MpvEngine()
{
    m_fetcher.reset();
    m_expander.reset();
    m_client->commandAndWait({ QStringLiteral("stop") });
    m_statisticsFeed.reset();
    m_views.reset();
    m_renderer.reset(); // before the core: the render context belongs to it
    m_client.reset();
}

void MpvEngine::connectClient()
{
    MpvClient *client = m_client.get();
    connect(client, &MpvClient::fileStarted, this, &MpvEngine::fileStarted);
    connect(client, &MpvClient::fileLoaded, this, &MpvEngine::fileLoaded);
    connect(client, &MpvClient::fileEnded, this,
        [this](MpvClient::EndReason reason, EntryError::Kind failure) {
            if (reason == MpvClient::EndReason::Error)
                entryFailed(failure);
        });
    connect(client, &MpvClient::idle, this, &MpvEngine::coreIdle);
    connect(client, &MpvClient::playbackRestarted, this, &MpvEngine::seekDone);
    connect(client, &MpvClient::commandFailed, this, &MpvEngine::commandFailed);
    connect(client, &MpvClient::commandsAnswered, this, &MpvEngine::appendEntries);
    connect(client, &MpvClient::propertyChanged, this, &MpvEngine::propertyChanged);
}

void MpvEngine::observeProperties()
{
    for (const char *flag : { "pause", "core-idle", "idle-active", "paused-for-cache",
             "demuxer-via-network", "vo-configured", "seekable" })
        m_client->observe(flag, QMetaType::Bool);
    // Whole seconds, so the time is reported once a second, not every frame.
    for (const char *number :
        { "time-pos", "cache-buffering-state", "file-size", "playlist-pos", "playlist-count" })
        m_client->observe(number, QMetaType::LongLong);
    m_client->observe("duration", QMetaType::Double);
    m_client->observe("volume", QMetaType::Double);
    for (const char *text : { "media-title", "metadata/by-key/artist", "metadata/by-key/album" })
        m_client->observe(text, QMetaType::QString);
}

void MpvEngine::setSource(const QString &source)
{
    m_source = source;
    m_sourcePending = true;
}

// A source set since the last start is always opened afresh, also when it
// is what plays already; otherwise playing resumes.
void MpvEngine::startPlayback()
{
    if (m_sourcePending) {
        m_sourcePending = false;
        openSource();
    } else {
        resume();
    }
}

void MpvEngine::openSource()
{
    m_fetcher->cancel();
    m_expander->cancel();
    if (m_source.trimmed().isEmpty())
        return;
    if (RemoteList::isRemoteList(m_source)) {
        fetchList();
        return;
    }
    const SourceLocation location = SourceLocation::resolve(m_source);
    if (location.kind == SourceLocation::Kind::List)
        expandInBackground(location.location);
    else
        openEntries(RamList::expandSource(m_source));
}

// What played stops while the list is read; the state says contacting. The
// first entries play as soon as they are found, the rest follow.
void MpvEngine::expandInBackground(const QString &listPath)
{
    m_watchdog.stop(); // the expansion ends by itself
    m_client->command({ QStringLiteral("stop") });
    replaceEntries({});
    m_tracker.loadRequested();
    statusTouched();
    m_expander->start(
        [listPath](const std::atomic_bool &cancelled, const RamList::EntrySink &found) {
            return RamList::expand(listPath, FileAccess::disk(), &cancelled, found);
        });
}

void MpvEngine::listEntriesFound(const QList<SourceLocation> &entries)
{
    if (!m_entries.isEmpty()) {
        m_entries += entries;
        appendEntries();
        return;
    }
    const bool paused = m_tracker.paused(); // paused while contacting: open it paused
    m_tracker.setListTruncated(false);
    load(entries, false);
    if (paused)
        setPaused(true);
}

void MpvEngine::listExpanded(const RamList::Expansion &expansion)
{
    if (!m_entries.isEmpty()) { // its first entries play already
        replaceEntries(expansion.entries);
        m_listComplete = true;
        m_tracker.setListTruncated(expansion.truncated);
        appendEntries();
        statusTouched();
        return;
    }
    const bool paused = m_tracker.paused();
    openEntries(expansion);
    if (paused && !m_entries.isEmpty())
        setPaused(true);
}

void MpvEngine::openEntries(const RamList::Expansion &source)
{
    m_tracker.setListTruncated(source.truncated);
    if (source.entries.isEmpty())
        failOpening(source.error);
    else
        load(source.entries, true);
}

void MpvEngine::failOpening(const QString &errorText)
{
    m_watchdog.stop();
    m_client->command({ QStringLiteral("stop") });
    replaceEntries({});
    m_holdingBack = false;
    m_tracker.fail(errorText);
    statusTouched();
}

// What played stops while the list is downloaded; the state says contacting.
void MpvEngine::fetchList()
{
    m_watchdog.stop(); // the download keeps its own time
    m_client->command({ QStringLiteral("stop") });
    replaceEntries({});
    m_tracker.loadRequested();
    statusTouched();
    m_fetcher->fetch(QUrl(m_source.trimmed()), m_settings.networkTimeout, m_settings.httpProxy);
}

void MpvEngine::listFetched(const QUrl &url, const QByteArray &bytes)
{
    m_expander->start([url, bytes](const std::atomic_bool &, const RamList::EntrySink &) {
        return RemoteList::expand(bytes, url);
    });
}

void MpvEngine::load(const QList<SourceLocation> &entries, bool complete)
{
    replaceEntries(entries);
    m_listComplete = complete;
    m_resumeIndex = 0;
    setPaused(false);
    openCommand(
        { QStringLiteral("loadfile"), entries.first().location, QStringLiteral("replace") }, 0);
    m_entriesSent = 1;
    m_holdingBack = true;
    appendEntries();
    m_tracker.loadRequested();
    watchOpening();
    statusTouched();
}

// The first entry has opened, or the opening has ended otherwise: the rest
// of the list may follow.
void MpvEngine::stopHoldingBack()
{
    if (!m_holdingBack)
        return;
    m_holdingBack = false;
    appendEntries();
}

// The rest of a list follows the first entry as the core answers, a few
// dozen commands at a time: never more than it can hold, and never long on
// this thread (with 256 at a time, sending them and taking their answers
// held it 15-18 ms at once while 100,000 entries went in; with 64, 9-13 ms,
// and the whole list is in the core about 0.7 s after its first entry
// instead of 0.5 s).
void MpvEngine::appendEntries()
{
    const int maxPending = 64;
    const qsizetype allowed
        = m_holdingBack ? qMin(m_entries.size(), kAheadWhileOpening + 1) : m_entries.size();
    while (m_entriesSent < allowed && m_client->pendingCommands() < maxPending) {
        m_client->command({ QStringLiteral("loadfile"), m_entries.at(m_entriesSent).location,
            QStringLiteral("append") });
        ++m_entriesSent;
    }
}

void MpvEngine::replaceEntries(QList<SourceLocation> entries)
{
    QList<SourceLocation> old = std::exchange(m_entries, std::move(entries));
    if (old.size() <= kReleasedAtATime || !old.isDetached())
        return;
    m_released.append(std::move(old));
    if (m_released.size() == 1)
        QTimer::singleShot(kReleaseDelayMs, this, &MpvEngine::releaseSome);
}

void MpvEngine::releaseSome()
{
    if (m_expander->busy() || m_entriesSent < m_entries.size()) {
        QTimer::singleShot(kReleaseDelayMs, this, &MpvEngine::releaseSome);
        return;
    }
    QList<SourceLocation> &oldest = m_released.first();
    oldest.resize(qMax<qsizetype>(0, oldest.size() - kReleasedAtATime));
    if (oldest.isEmpty())
        m_released.removeFirst();
    if (!m_released.isEmpty())
        QTimer::singleShot(0, this, &MpvEngine::releaseSome);
}

void MpvEngine::playEntry(int index)
{
    setPaused(false);
    openCommand({ QStringLiteral("playlist-play-index"), QString::number(index) }, index);
    m_tracker.loadRequested();
    watchOpening();
    statusTouched();
}

// Only the latest opening command is tagged: a failure of one that a later
// opening replaced does not matter any more.
void MpvEngine::openCommand(const QStringList &arguments, int index)
{
    m_openIndex = index;
    m_client->command(arguments, ++m_openTag);
}

void MpvEngine::commandFailed(quint64 tag, EntryError::Kind failure)
{
    if (tag != m_openTag || !m_tracker.opening())
        return;
    m_watchdog.stop();
    // A refused loadfile leaves the previous source playing.
    m_client->command({ QStringLiteral("stop") });
    m_tracker.fail(EntryError::text(failure, m_entries, m_openIndex));
    statusTouched();
    stopHoldingBack();
}

void MpvEngine::resume()
{
    if (m_tracker.hasMedia())
        setPaused(false);
    else if (m_entries.isEmpty() || !m_listComplete)
        openSource(); // nothing opened yet, the last source failed, or its list was cut short
    else if (m_tracker.entries() == m_entries.size() && m_resumeIndex < m_entries.size())
        playEntry(m_resumeIndex); // the core kept the list when it stopped
    else
        load(m_entries, true);
}

void MpvEngine::setPaused(bool paused)
{
    m_client->setProperty("pause", paused);
    m_tracker.pauseRequested(paused);
    statusTouched();
}

void MpvEngine::pausePlayback()
{
    if (m_tracker.hasMedia())
        setPaused(true);
}

void MpvEngine::stopPlayback()
{
    m_fetcher->cancel();
    m_expander->cancel();
    if (m_tracker.entry() >= 0)
        m_resumeIndex = m_tracker.entry();
    m_watchdog.stop();
    // A plain stop would empty the core's list; keep it for the next start.
    m_client->command({ QStringLiteral("stop"), QStringLiteral("keep-playlist") });
    m_tracker.stopRequested();
    statusTouched();
    stopHoldingBack();
}

void MpvEngine::skipToPreviousEntry()
{
    skip(-1);
}

void MpvEngine::skipToNextEntry()
{
    skip(1);
}

void MpvEngine::skip(int step)
{
    // While a list is read, skipping waits for its first entries.
    if (m_fetcher->busy() || (m_expander->busy() && m_entries.isEmpty()))
        return;
    if (m_tracker.hasMedia()) {
        m_client->command(
            { step > 0 ? QStringLiteral("playlist-next") : QStringLiteral("playlist-prev") });
        return;
    }
    // The core's count lags behind a list just dropped (a failed source).
    const int count = qMin(int(m_entries.size()), m_tracker.entries());
    if (count < 2)
        return;
    int index = m_resumeIndex + step;
    if (m_looping)
        index = (index + count) % count;
    if (index >= 0 && index < count) {
        m_resumeIndex = index;
        playEntry(index);
    }
}

MediaEngine::PlaybackState MpvEngine::playbackState() const
{
    return m_tracker.state();
}

qint16 MpvEngine::volumeLevel() const
{
    return qBound(qint16(0), m_volume, qint16(99));
}

void MpvEngine::setVolumeLevel(qint16 level)
{
    const qint16 previous = std::exchange(m_volume, qBound(qint16(0), level, qint16(99)));
    m_client->setProperty("volume", double(m_volume));
    if (m_volume != previous)
        Q_EMIT volumeChanged(m_volume);
}

void MpvEngine::setListLooping(bool looping)
{
    m_looping = looping;
    m_client->setProperty("loop-playlist", looping ? QStringLiteral("inf") : QStringLiteral("no"));
}

void MpvEngine::fileStarted()
{
    m_tracker.fileStarted();
    m_medium.fileStarted();
    m_seeking = false;
    m_describedChanged = true;
    if (!m_tracker.halted())
        watchOpening();
    statusTouched();
}

void MpvEngine::fileLoaded()
{
    m_watchdog.stop();
    m_tracker.fileLoaded();
    statusTouched();
    Q_EMIT sourceOpened();
    stopHoldingBack();
}

void MpvEngine::entryFailed(EntryError::Kind failure)
{
    // The entry's index as last reported; exact for a single source.
    const int index = m_entries.size() == 1 ? 0 : m_tracker.lastEntry();
    m_tracker.fileFailed(EntryError::text(failure, m_entries, index));
    statusTouched();
    stopHoldingBack(); // the core goes on with the next entries: give it the rest
}

void MpvEngine::coreIdle()
{
    m_tracker.idle();
    if (!m_tracker.opening())
        m_watchdog.stop();
    if (!m_tracker.halted())
        m_resumeIndex = 0; // the list has played out; the next start plays it again
    statusTouched();
    if (!m_tracker.opening())
        stopHoldingBack();
}

void MpvEngine::propertyChanged(const QString &name, const QVariant &value)
{
    if (name == u"volume") {
        const qint16 previous = m_volume;
        if (value.isValid())
            m_volume = qint16(qBound(0, qRound(value.toDouble()), 99));
        if (m_volume != previous)
            Q_EMIT volumeChanged(m_volume);
        return;
    }
    if (name == u"idle-active" && value.toBool()) {
        coreIdle();
        return;
    }
    if (m_medium.take(name, value, &m_describedChanged) && name.startsWith(u"metadata/"))
        return statusTouched();
    m_tracker.propertyChanged(name, value);
    statusTouched();
}

// A last guard behind the core's own network time-outs: an opening that
// outlasts the time-out ends in an error instead of "contacting" for ever.
void MpvEngine::watchOpening()
{
    m_watchdog.start((m_settings.networkTimeout * 1000) + watchdogMarginMs);
}

void MpvEngine::openingTimedOut()
{
    if (!m_tracker.opening() && m_tracker.state() != MediaEngine::Contacting)
        return;
    const int index = m_tracker.entry() >= 0 ? m_tracker.entry() : 0;
    m_resumeIndex = index;
    m_client->command({ QStringLiteral("stop"), QStringLiteral("keep-playlist") });
    m_tracker.fail(EntryError::text(EntryError::Kind::TimedOut, m_entries, index));
    statusTouched();
    stopHoldingBack();
}

void MpvEngine::statusTouched()
{
    if (m_publishQueued)
        return;
    m_publishQueued = true;
    QMetaObject::invokeMethod(this, &MpvEngine::publishStatus, Qt::QueuedConnection);
}

void MpvEngine::publishStatus()
{
    m_publishQueued = false;
    const PlaybackStatus status = m_tracker.status();
    const QString location = currentLocation();
    const bool described = std::exchange(m_describedChanged, false);
    if (status == m_published && location == m_publishedLocation && !described)
        return;
    const PlaybackStatus previous = std::exchange(m_published, status);
    const bool entryChanged = described || location != m_publishedLocation;
    m_publishedLocation = location;
    Q_EMIT statusChanged(status);
    if (status.state != previous.state)
        Q_EMIT playbackStateChanged(status.state);
    if (entryChanged)
        Q_EMIT currentEntryChanged();
}

QString MpvEngine::currentTitle() const
{
    return m_medium.title();
}

QString MpvEngine::currentArtist() const
{
    return m_medium.artist();
}

QString MpvEngine::currentAlbum() const
{
    return m_medium.album();
}

// While stopped the current entry is the one the next start plays again.
int MpvEngine::currentEntry() const
{
    const int entry = m_tracker.entry() >= 0 ? m_tracker.entry() : m_resumeIndex;
    return entry < m_entries.size() ? entry : -1;
}

QString MpvEngine::currentLocation() const
{
    const int entry = currentEntry();
    return entry >= 0 ? m_entries.at(entry).location : QString();
}

qint64 MpvEngine::position() const
{
    if (!m_tracker.hasMedia())
        return 0;
    return m_medium.position(m_tracker.state() == MediaEngine::Playing && !m_seeking);
}

qint64 MpvEngine::duration() const
{
    return m_tracker.live() ? -1 : m_medium.duration();
}

bool MpvEngine::canSeek() const
{
    return m_tracker.hasMedia() && !m_tracker.opening() && m_medium.seekable();
}

// Positions past the end are the end; the caller checks the bounds it needs.
void MpvEngine::seek(qint64 position)
{
    if (!canSeek())
        return;
    const qint64 length = duration();
    const qint64 target = qMax<qint64>(0, length >= 0 ? qMin(position, length) : position);
    m_client->command({ QStringLiteral("seek"), QString::number(double(target) / 1e6, 'f', 6),
        QStringLiteral("absolute+exact") });
    m_medium.jumpedTo(target);
    m_seeking = true;
}

void MpvEngine::seekDone()
{
    if (!std::exchange(m_seeking, false))
        return;
    Q_EMIT seeked(m_medium.position(false));
}

// With looping on, a list of two or more entries always has a next one.
bool MpvEngine::hasNextEntry() const
{
    const int count = qMin(int(m_entries.size()), m_tracker.entries());
    const int entry = currentEntry();
    return count > 1 && entry >= 0 && (m_looping || entry + 1 < count);
}

bool MpvEngine::hasPreviousEntry() const
{
    const int count = qMin(int(m_entries.size()), m_tracker.entries());
    const int entry = currentEntry();
    return count > 1 && entry >= 0 && (m_looping || entry > 0);
}

QWidget *MpvEngine::createDisplay(QWidget *parent)
{
    return m_views->createDisplay(parent, m_tracker.status());
}

void MpvEngine::showStatisticsView(bool show)
{
    m_views->showStatistics(show);
}

StatisticsWindow *MpvEngine::statisticsWindow() const
{
    return m_views->statisticsWindow();
}

void MpvEngine::showPerformanceSettings()
{
    m_views->showSettings(m_settings);
}

EngineSettingsDialog *MpvEngine::settingsDialog() const
{
    return m_views->settingsDialog();
}

void MpvEngine::applySettings(const EngineSettings &settings)
{
    m_settings = settings;
    for (const auto &[name, value] : settings.coreOptions())
        m_client->setProperty(name.constData(), QString::fromUtf8(value));
    settings.save(settingsPath());
}

QString MpvEngine::settingsPath() const
{
    return m_folder.file(QStringLiteral("engine.ini"));
}
