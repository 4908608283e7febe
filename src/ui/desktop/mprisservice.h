#pragma once

#include "core/media/mediaengine.h"
#include "core/program/launchlocations.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QFuture>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QVariantMap>

#include <deque>
#include <memory>

// Tunvia on the desktop's media controls: the MPRIS 2 interfaces
// (org.mpris.MediaPlayer2 and org.mpris.MediaPlayer2.Player) at
// /org/mpris/MediaPlayer2 on the session bus, so that media keys, the sound
// menu and tools such as playerctl reach the engine. Commands go to the same
// engine operations as the player window's transport hot spots; state, title
// and volume changes are announced with PropertiesChanged.
// The D-Bus context of a call (for error replies) is the object's, not the
// adaptor's.
class MprisService : public QObject, protected QDBusContext
{
    Q_OBJECT
public:
    // The name of the desktop entry and of the installed icon.
    static constexpr char kDesktopId[] = "net.tunvia.Tunvia";
    static constexpr char kServiceName[] = "org.mpris.MediaPlayer2.tunvia";

    // Publishes on the session bus; null when there is none (nothing is
    // started to provide one) or it refuses.
    static std::unique_ptr<MprisService> publishOnSessionBus(MediaEngine *engine);

    MprisService(MediaEngine *engine, const QDBusConnection &bus, QObject *parent = nullptr);
    ~MprisService() override;

    // Registers the object and asks for kServiceName, or kServiceName +
    // ".instance<pid>" while another Tunvia (of another folder) holds it.
    // The bus answers later: serviceName() is empty until it has.
    bool publish();
    QString serviceName() const { return m_serviceName; }

    // For the adaptors.
    MediaEngine *engine() const { return m_engine; }
    QString playbackStatus() const;
    QVariantMap metadata() const;
    qint64 position() const;
    bool canSeek() const;
    // step 1: next, -1: previous; in the engine's list or the playlist.
    bool canGo(int step) const;
    void go(int step);
    // Relative to the position: before the start is the start, past the end
    // is the next item. Absolute: only for the current track and within it.
    void seekBy(qint64 offset);
    void setPosition(const QDBusObjectPath &track, qint64 position);
    bool loopsList() const { return m_loopsList; }
    void requestLoopList(bool loops);
    double volume() const;
    void setVolume(double volume);
    // OpenUri: asks for the location to be played; an address that names
    // nothing to play gets an error reply. A folder is listed off the window
    // thread; locations are asked for in the order they came.
    void open(const QString &uri);

public Q_SLOTS:
    // Whether the playlist has an item before and after the current one.
    void setListNeighbours(bool previous, bool next);
    // The state of "循环播放列表".
    void setLoopsList(bool loops);

Q_SIGNALS:
    void raiseRequested();
    void quitRequested();
    // Item texts to append to the playlist and play.
    void openRequested(const QStringList &locations);
    // Next (1) or previous (-1): in the engine's list while it has a further
    // entry, else in the playlist.
    void stepRequested(int step);
    void loopListRequested(bool loops);
    void seeked(qint64 position);

private:
    struct Opening
    {
        QFuture<LaunchLocations::Resolved> resolved;
        QDBusMessage call; // to answer once resolved; none for a direct call
    };

    void openResolved();
    void entryChanged();
    void announce(const QString &property, const QVariant &value);
    // Announces the abilities that changed since they were last announced.
    void announceAbilities();
    void announceAll(const QVariantMap &properties);
    QDBusObjectPath trackPath() const;

    QDBusConnection m_bus;
    QPointer<MediaEngine> m_engine;
    QString m_serviceName;
    void requestName(const QStringList &candidates);
    QString m_trackLocation;
    quint64 m_track = 0;
    std::deque<Opening> m_openings;
    bool m_listPrevious = false;
    bool m_listNext = false;
    bool m_loopsList = false;
    QVariantMap m_abilities; // as last announced
};
