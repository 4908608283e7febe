#include "ui/desktop/mprisservice.h"

#include "ui/desktop/mprisplayeradaptor.h"
#include "ui/desktop/mprisrootadaptor.h"

#include <QCoreApplication>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDir>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QUrl>
#include <QtConcurrent/QtConcurrentRun>

#include <cmath>
#include <optional>

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
    connect(engine, &MediaEngine::playbackStateChanged, this,
        [this] { announce(QStringLiteral("PlaybackStatus"), playbackStatus()); });
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
    const QString ownName
        = name + QStringLiteral(".instance") + QString::number(QCoreApplication::applicationPid());
    for (const QString &candidate : { name, ownName }) {
        if (m_bus.registerService(candidate)) {
            m_serviceName = candidate;
            return true;
        }
    }
    m_bus.unregisterObject(kObjectPath);
    return false;
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
    const QDBusObjectPath track(QStringLiteral("/net/tunvia/Tunvia/track/%1").arg(m_track));
    return { { QStringLiteral("mpris:trackid"), QVariant::fromValue(track) },
        { QStringLiteral("xesam:title"), title },
        { QStringLiteral("xesam:url"), urlOf(location) } };
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
}

void MprisService::announce(const QString &property, const QVariant &value)
{
    QDBusMessage signal = QDBusMessage::createSignal(kObjectPath,
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"));
    signal << QStringLiteral("org.mpris.MediaPlayer2.Player") << QVariantMap { { property, value } }
           << QStringList();
    m_bus.send(signal);
}
