#include "ui/desktop/mprisservice.h"

#include "ui/desktop/mprisplayeradaptor.h"
#include "ui/desktop/mprisrootadaptor.h"

#include <QCoreApplication>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDir>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QUrl>
#include <QtConcurrent/QtConcurrentRun>

#include <cmath>
#include <limits>
#include <optional>
#include <utility>

namespace {

const QString kObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");

// The session bus the environment names, or the user's bus socket. Never
// one that libdbus would start on its own (autolaunch).
std::optional<QDBusConnection> sessionBus()
{
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return QDBusConnection::sessionBus();
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString socket = runtime + QStringLiteral("/bus");
    if (runtime.isEmpty() || !QFileInfo::exists(socket))
        return std::nullopt;
    return QDBusConnection::connectToBus(
        QStringLiteral("unix:path=") + socket, QStringLiteral("tunvia-session"));
}

QString urlOf(const QString &location)
{
    if (QDir::isAbsolutePath(location))
        return QUrl::fromLocalFile(location).toString(QUrl::FullyEncoded);
    return location;
}

} // namespace

std::unique_ptr<MprisService> MprisService::publishOnSessionBus(MediaEngine *engine)
{
    const std::optional<QDBusConnection> bus = sessionBus();
    if (!engine || !bus || !bus->isConnected())
        return nullptr;
    auto service = std::make_unique<MprisService>(engine, *bus);
    return service->publish() ? std::move(service) : nullptr;
}

MprisService::MprisService(MediaEngine *engine, const QDBusConnection &bus, QObject *parent)
    : QObject(parent)
    , m_bus(bus)
    , m_engine(engine)
{
    new MprisRootAdaptor(this);
    new MprisPlayerAdaptor(this);
    connect(engine, &MediaEngine::playbackStateChanged, this, [this] {
        announce(QStringLiteral("PlaybackStatus"), playbackStatus());
        announceAbilities();
    });
    connect(engine, &MediaEngine::seeked, this, &MprisService::seeked);
    connect(engine, &MediaEngine::volumeChanged, this,
        [this] { announce(QStringLiteral("Volume"), volume()); });
    connect(engine, &MediaEngine::currentEntryChanged, this, &MprisService::entryChanged);
    m_trackLocation = engine->currentLocation();
}

MprisService::~MprisService()
{
    if (!m_serviceName.isEmpty())
        m_bus.unregisterService(m_serviceName);
    m_bus.unregisterObject(kObjectPath);
}

bool MprisService::publish()
{
    if (!m_bus.registerObject(kObjectPath, this, QDBusConnection::ExportAdaptors))
        return false;
    const QString name = QLatin1String(kServiceName);
    requestName({ name,
        name + QStringLiteral(".instance") + QString::number(QCoreApplication::applicationPid()) });
    return true;
}

// Asked without waiting for the answer (a round trip to the bus held the
// window's thread some 13 ms at start-up); on refusal the next name is asked.
void MprisService::requestName(const QStringList &candidates)
{
    if (candidates.isEmpty()) {
        m_bus.unregisterObject(kObjectPath);
        return;
    }
    const quint32 doNotQueue = 4; // DBUS_NAME_FLAG_DO_NOT_QUEUE
    QDBusMessage request = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"),
        QStringLiteral("/org/freedesktop/DBus"), QStringLiteral("org.freedesktop.DBus"),
        QStringLiteral("RequestName"));
    request << candidates.first() << doNotQueue;
    auto *answer = new QDBusPendingCallWatcher(m_bus.asyncCall(request), this);
    connect(answer, &QDBusPendingCallWatcher::finished, this, [this, candidates, answer] {
        answer->deleteLater();
        const QDBusPendingReply<quint32> reply = *answer;
        const quint32 primaryOwner = 1;
        const quint32 alreadyOwner = 4;
        if (reply.isValid() && (reply.value() == primaryOwner || reply.value() == alreadyOwner))
            m_serviceName = candidates.first();
        else
            requestName(candidates.mid(1));
    });
}

// Opening and buffering count as playing: the user asked for it to play.
QString MprisService::playbackStatus() const
{
    switch (m_engine ? m_engine->playbackState() : MediaEngine::Stopped) {
    case MediaEngine::Stopped:
        return QStringLiteral("Stopped");
    case MediaEngine::Paused:
        return QStringLiteral("Paused");
    default:
        return QStringLiteral("Playing");
    }
}

QVariantMap MprisService::metadata() const
{
    const QString location = m_engine ? m_engine->currentLocation() : QString();
    if (location.isEmpty()) {
        return { { QStringLiteral("mpris:trackid"),
            QVariant::fromValue(
                QDBusObjectPath(QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack"))) } };
    }
    QString title = m_engine->currentTitle();
    if (title.isEmpty())
        title = QFileInfo(QUrl(urlOf(location)).path()).fileName();
    QVariantMap data { { QStringLiteral("mpris:trackid"), QVariant::fromValue(trackPath()) },
        { QStringLiteral("xesam:title"), title },
        { QStringLiteral("xesam:url"), urlOf(location) } };
    if (const qint64 length = m_engine->duration(); length > 0)
        data.insert(QStringLiteral("mpris:length"), qlonglong(length));
    if (const QString artist = m_engine->currentArtist(); !artist.isEmpty())
        data.insert(QStringLiteral("xesam:artist"), QStringList { artist });
    if (const QString album = m_engine->currentAlbum(); !album.isEmpty())
        data.insert(QStringLiteral("xesam:album"), album);
    return data;
}

QDBusObjectPath MprisService::trackPath() const
{
    return QDBusObjectPath(QStringLiteral("/net/tunvia/Tunvia/track/%1").arg(m_track));
}

qint64 MprisService::position() const
{
    return m_engine ? m_engine->position() : 0;
}

bool MprisService::canSeek() const
{
    return m_engine && m_engine->canSeek();
}

bool MprisService::canGo(int step) const
{
    const bool inEngine
        = m_engine && (step > 0 ? m_engine->hasNextEntry() : m_engine->hasPreviousEntry());
    return inEngine || (step > 0 ? m_listNext : m_listPrevious);
}

void MprisService::go(int step)
{
    if (canGo(step))
        Q_EMIT stepRequested(step > 0 ? 1 : -1);
}

void MprisService::seekBy(qint64 offset)
{
    if (!canSeek())
        return;
    const qint64 from = m_engine->position();
    qint64 to = 0;
    if (qAddOverflow(from, offset, &to))
        to = offset > 0 ? std::numeric_limits<qint64>::max() : 0;
    const qint64 length = m_engine->duration();
    if (length > 0 && to > length)
        go(1);
    else
        m_engine->seek(qMax<qint64>(0, to));
}

void MprisService::setPosition(const QDBusObjectPath &track, qint64 position)
{
    const qint64 length = m_engine ? m_engine->duration() : -1;
    if (!canSeek() || track != trackPath() || position < 0 || (length > 0 && position > length))
        return;
    m_engine->seek(position);
}

void MprisService::setListNeighbours(bool previous, bool next)
{
    m_listPrevious = previous;
    m_listNext = next;
    announceAbilities();
}

void MprisService::setLoopsList(bool loops)
{
    if (std::exchange(m_loopsList, loops) != loops)
        announce(QStringLiteral("LoopStatus"),
            loops ? QStringLiteral("Playlist") : QStringLiteral("None"));
}

void MprisService::requestLoopList(bool loops)
{
    if (loops != m_loopsList)
        Q_EMIT loopListRequested(loops);
}

void MprisService::announceAbilities()
{
    const QVariantMap now { { QStringLiteral("CanSeek"), canSeek() },
        { QStringLiteral("CanGoNext"), canGo(1) }, { QStringLiteral("CanGoPrevious"), canGo(-1) } };
    QVariantMap changed;
    for (auto it = now.cbegin(); it != now.cend(); ++it) {
        if (m_abilities.value(it.key()) != it.value())
            changed.insert(it.key(), it.value());
    }
    m_abilities = now;
    if (!changed.isEmpty())
        announceAll(changed);
}

double MprisService::volume() const
{
    return m_engine ? m_engine->volumeLevel() / 99.0 : 0.0;
}

void MprisService::setVolume(double volume)
{
    if (!m_engine || !std::isfinite(volume))
        return;
    m_engine->setVolumeLevel(qint16(qRound(qBound(0.0, volume, 1.0) * 99)));
}

void MprisService::open(const QString &uri)
{
    Opening opening;
    if (calledFromDBus()) {
        setDelayedReply(true);
        opening.call = message();
    }
    // Resolving lists a folder's files, as the add-directory dialog does.
    opening.resolved = QtConcurrent::run(&LaunchLocations::resolve, QStringList { uri }, QString());
    auto *watcher = new QFutureWatcher<LaunchLocations::Resolved>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, &MprisService::openResolved);
    connect(watcher, &QFutureWatcherBase::finished, watcher, &QObject::deleteLater);
    watcher->setFuture(opening.resolved);
    m_openings.push_back(std::move(opening));
}

void MprisService::openResolved()
{
    while (!m_openings.empty() && m_openings.front().resolved.isFinished()) {
        const Opening opening = std::move(m_openings.front());
        m_openings.pop_front();
        const LaunchLocations::Resolved resolved = opening.resolved.result();
        if (!resolved.texts.isEmpty())
            Q_EMIT openRequested(resolved.texts);
        if (opening.call.type() != QDBusMessage::MethodCallMessage)
            continue;
        m_bus.send(resolved.texts.isEmpty() ? opening.call.createErrorReply(
                       QDBusError::InvalidArgs, resolved.complaints.join(u' '))
                                            : opening.call.createReply());
    }
}

// Every new location is a new track; a new title of the same location (a
// stream's song) only changes the metadata.
void MprisService::entryChanged()
{
    const QString location = m_engine ? m_engine->currentLocation() : QString();
    if (location != m_trackLocation) {
        m_trackLocation = location;
        ++m_track;
    }
    announce(QStringLiteral("Metadata"), metadata());
    announceAbilities();
}

void MprisService::announce(const QString &property, const QVariant &value)
{
    announceAll({ { property, value } });
}

void MprisService::announceAll(const QVariantMap &properties)
{
    QDBusMessage signal = QDBusMessage::createSignal(kObjectPath,
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"));
    signal << QStringLiteral("org.mpris.MediaPlayer2.Player") << properties << QStringList();
    m_bus.send(signal);
}
