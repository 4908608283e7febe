#include "support/fakeengine.h"
#include "support/ordinaryuser.h"
#include "support/privatebus.h"
#include "support/requiretool.h"
#include "ui/desktop/mprisservice.h"
#include "ui/desktop/singleinstance.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QFile>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QUrl>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QString kPath = u"/org/mpris/MediaPlayer2"_s;
const QString kRoot = u"org.mpris.MediaPlayer2"_s;
const QString kPlayer = u"org.mpris.MediaPlayer2.Player"_s;
const QString kProperties = u"org.freedesktop.DBus.Properties"_s;

// A bound Unix socket, listening or not, that nobody ever answers on.
int silentSocket(const QString &path, bool listening)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    if (::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0)
        return -1;
    if (listening)
        ::listen(fd, 8);
    return fd;
}

// Runs the blocking hand-off of a later start on a thread of its own while
// this thread goes on serving events.
SingleInstance::HandOff handOffFromThread(const QString &path, const QStringList &locations)
{
    auto result = SingleInstance::HandOff::NoInstance;
    std::unique_ptr<QThread> thread(
        QThread::create([&] { result = SingleInstance::handOff(path, locations); }));
    thread->start();
    (void)QTest::qWaitFor([&] { return thread->isFinished(); }, 20000);
    thread->wait();
    return result;
}

} // namespace

// The single-instance hand-off on real local sockets, and the MPRIS service
// on a private session bus, in front of a fake engine.
class DesktopServicesTest : public QObject
{
    Q_OBJECT

public Q_SLOTS:
    void propertiesChanged(const QString &, const QVariantMap &changed, const QStringList &)
    {
        for (auto it = changed.begin(); it != changed.end(); ++it)
            m_changes.append({ it.key(), it.value() });
    }

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init() { m_changes.clear(); }

    void laterStartHandsItsLocationsOver();
    void socketNobodyAnswersOnIsTakenOver();
    void garbageOnTheSocketChangesNothing();
    void socketOutlivesADescriptorShortage();
    void anotherUserIsRefused();

    void propertiesFollowTheEngine();
    void badCallsChangeNothing();
    void rootInterfaceRaisesQuitsAndOpens();

private:
    QDBusMessage call(
        const QString &interface, const QString &method, const QVariantList &args = {});
    QVariant property(const QString &interface, const QString &name);
    QDBusMessage setProperty(const QString &name, const QVariant &value);
    bool announced(const QString &name, const QVariant &value) const;

    std::unique_ptr<PrivateBus> m_bus;
    std::unique_ptr<FakeEngine> m_engine;
    std::unique_ptr<MprisService> m_service;
    QDBusConnection m_client { QString() };
    QList<std::pair<QString, QVariant>> m_changes;
};

void DesktopServicesTest::laterStartHandsItsLocationsOver()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"tunvia.socket"_s);
    SingleInstance first(path);
    QCOMPARE(first.claim({}, false), SingleInstance::Claim::Listening);
    QSignalSpy received(&first, &SingleInstance::locationsReceived);

    QStringList locations;
    for (int i = 0; i < 10000; ++i)
        locations << u"file:///音乐/第 %1 首.mp3"_s.arg(i);
    QCOMPARE(handOffFromThread(path, locations), SingleInstance::HandOff::Delivered);
    QTRY_COMPARE_WITH_TIMEOUT(received.size(), 1, 20000);
    QCOMPARE(received.at(0).at(0).toStringList(), locations);

    // A later start's claim finds the running instance and hands over,
    // rather than taking the socket.
    auto claim = SingleInstance::Claim::Unavailable;
    std::unique_ptr<QThread> later(QThread::create([&] {
        SingleInstance second(path);
        claim = second.claim({ u"http://h/b.mp3"_s }, false);
    }));
    later->start();
    QTRY_VERIFY_WITH_TIMEOUT(later->isFinished(), 20000);
    QCOMPARE(claim, SingleInstance::Claim::HandedOff);
    QTRY_COMPARE_WITH_TIMEOUT(received.size(), 2, 20000);
    QCOMPARE(received.at(1).at(0).toStringList(), QStringList { u"http://h/b.mp3"_s });
}

void DesktopServicesTest::socketNobodyAnswersOnIsTakenOver()
{
    QTemporaryDir dir;
    // Left behind by an instance that ended without closing its socket.
    const QString stale = dir.filePath(u"stale.socket"_s);
    const int staleFd = silentSocket(stale, false);
    QVERIFY(staleFd >= 0);
    ::close(staleFd);
    QCOMPARE(handOffFromThread(stale, {}), SingleInstance::HandOff::NoInstance);
    SingleInstance afterCrash(stale);
    QCOMPARE(afterCrash.claim({}, false), SingleInstance::Claim::Listening);
    QCOMPARE(handOffFromThread(stale, {}), SingleInstance::HandOff::Delivered);

    // An instance that hangs: connections queue up and nobody answers.
    const QString hung = dir.filePath(u"hung.socket"_s);
    const int hungFd = silentSocket(hung, true);
    QVERIFY(hungFd >= 0);
    QCOMPARE(handOffFromThread(hung, { u"a"_s }), SingleInstance::HandOff::NotAnswering);
    SingleInstance replacement(hung);
    QCOMPARE(replacement.claim({ u"a"_s }, true), SingleInstance::Claim::Listening);
    QSignalSpy received(&replacement, &SingleInstance::locationsReceived);
    QCOMPARE(handOffFromThread(hung, { u"b"_s }), SingleInstance::HandOff::Delivered);
    QTRY_COMPARE_WITH_TIMEOUT(received.size(), 1, 20000);
    ::close(hungFd);
}

void DesktopServicesTest::garbageOnTheSocketChangesNothing()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"tunvia.socket"_s);
    SingleInstance instance(path);
    QCOMPARE(instance.claim({}, false), SingleInstance::Claim::Listening);
    QSignalSpy received(&instance, &SingleInstance::locationsReceived);

    QLocalSocket intruder;
    intruder.connectToServer(path);
    QVERIFY(intruder.waitForConnected(10000));
    intruder.write("GET / HTTP/1.0\r\n\r\n");
    QTRY_COMPARE_WITH_TIMEOUT(intruder.state(), QLocalSocket::UnconnectedState, 20000);
    QCOMPARE(received.size(), 0);
    QCOMPARE(intruder.readAll(), QByteArray());

    QCOMPARE(handOffFromThread(path, { u"a"_s }), SingleInstance::HandOff::Delivered);
    QTRY_COMPARE_WITH_TIMEOUT(received.size(), 1, 20000);
}

// With every descriptor taken, accepting a connection fails and the server
// closes, removing its socket; it listens again, so a later start still hands
// over instead of running beside this one.
void DesktopServicesTest::socketOutlivesADescriptorShortage()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"tunvia.socket"_s);
    SingleInstance instance(path);
    QCOMPARE(instance.claim({}, false), SingleInstance::Claim::Listening);
    QSignalSpy received(&instance, &SingleInstance::locationsReceived);

    const int peer = ::socket(AF_UNIX, SOCK_STREAM, 0);
    rlimit limits {};
    QCOMPARE(::getrlimit(RLIMIT_NOFILE, &limits), 0);
    const rlimit lowered { std::min<rlim_t>(limits.rlim_cur, 512), limits.rlim_max };
    QCOMPARE(::setrlimit(RLIMIT_NOFILE, &lowered), 0);
    std::vector<int> taken;
    for (int fd = ::open("/dev/null", O_RDONLY); fd >= 0; fd = ::open("/dev/null", O_RDONLY))
        taken.push_back(fd);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    QCOMPARE(::connect(peer, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    // The failed accept drops the waiting connection with the old socket.
    const auto dropped = [peer] {
        char byte = 0;
        const ssize_t read = ::recv(peer, &byte, 1, MSG_DONTWAIT);
        return read == 0 || (read < 0 && errno != EAGAIN && errno != EWOULDBLOCK);
    };
    QTRY_VERIFY_WITH_TIMEOUT(dropped(), 20000);

    for (const int fd : taken)
        ::close(fd);
    ::close(peer);
    QCOMPARE(::setrlimit(RLIMIT_NOFILE, &limits), 0);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(path), 20000);
    QCOMPARE(handOffFromThread(path, { u"a"_s }), SingleInstance::HandOff::Delivered);
    QTRY_COMPARE_WITH_TIMEOUT(received.size(), 1, 20000);
}

// The MPRIS tests share one service on a private bus; without dbus-daemon
// they are skipped.
// Should the socket's folder be open to others, the instance still refuses
// what another user sends.
void DesktopServicesTest::anotherUserIsRefused()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"tunvia.socket"_s);
    SingleInstance instance(path);
    QCOMPARE(instance.claim({}, false), SingleInstance::Claim::Listening);
    QSignalSpy received(&instance, &SingleInstance::locationsReceived);
    OrdinaryUser::openToEveryone(dir.path());
    OrdinaryUser::openToEveryone(path);
    auto result = SingleInstance::HandOff::Delivered;
    {
        OrdinaryUser nobody;
        if (!nobody.active())
            QSKIP("needs to run as root to act as another user");
        result = handOffFromThread(path, { u"http://h/a.mp3"_s });
    }
    QCOMPARE(result, SingleInstance::HandOff::NotAnswering);
    QCOMPARE(received.size(), 0);
}

void DesktopServicesTest::initTestCase()
{
    if (!PrivateBus::available())
        return;
    m_bus = std::make_unique<PrivateBus>();
    QVERIFY(m_bus->start());
    m_engine = std::make_unique<FakeEngine>();
    const QDBusConnection server = QDBusConnection::connectToBus(m_bus->address(), u"server"_s);
    QVERIFY(server.isConnected());
    m_service = std::make_unique<MprisService>(m_engine.get(), server);
    QVERIFY(m_service->publish());
    QTRY_COMPARE_WITH_TIMEOUT(
        m_service->serviceName(), QLatin1String(MprisService::kServiceName), 20000);
    m_client = QDBusConnection::connectToBus(m_bus->address(), u"client"_s);
    QVERIFY(m_client.connect(QString(), kPath, kProperties, u"PropertiesChanged"_s, this,
        SLOT(propertiesChanged(QString, QVariantMap, QStringList))));
}

void DesktopServicesTest::propertiesFollowTheEngine()
{
    TUNVIA_REQUIRE_TOOLS(m_service, "dbus-daemon");
    m_engine->changeState(MediaEngine::Paused);
    QTRY_VERIFY_WITH_TIMEOUT(announced(u"PlaybackStatus"_s, u"Paused"_s), 20000);
    QCOMPARE(property(kPlayer, u"PlaybackStatus"_s).toString(), u"Paused"_s);
    m_engine->changeState(MediaEngine::Buffering); // asked to play: playing
    QTRY_VERIFY_WITH_TIMEOUT(announced(u"PlaybackStatus"_s, u"Playing"_s), 20000);
    m_engine->changeState(MediaEngine::Stopped);
    QTRY_VERIFY_WITH_TIMEOUT(announced(u"PlaybackStatus"_s, u"Stopped"_s), 20000);

    m_engine->changeEntry(u"第一首"_s, u"/音乐/a b.mp3"_s);
    QTRY_VERIFY_WITH_TIMEOUT(announced(u"Metadata"_s, QVariant()), 20000);
    auto metadata = [this] {
        return qdbus_cast<QVariantMap>(property(kPlayer, u"Metadata"_s).value<QDBusArgument>());
    };
    const QVariantMap first = metadata();
    QCOMPARE(first.value(u"xesam:title"_s).toString(), u"第一首"_s);
    const QString url = first.value(u"xesam:url"_s).toString();
    QVERIFY2(!url.contains(u' '), qPrintable(url));
    QCOMPARE(QUrl(url).toLocalFile(), u"/音乐/a b.mp3"_s);
    const auto track = [](const QVariantMap &map) {
        return map.value(u"mpris:trackid"_s).value<QDBusObjectPath>().path();
    };
    m_engine->changeEntry(u"新的标题"_s, u"/音乐/a b.mp3"_s); // a stream's next song
    QTRY_COMPARE_WITH_TIMEOUT(metadata().value(u"xesam:title"_s).toString(), u"新的标题"_s, 20000);
    QCOMPARE(track(metadata()), track(first));
    m_engine->changeEntry(QString(), u"http://h/live"_s);
    QTRY_VERIFY_WITH_TIMEOUT(track(metadata()) != track(first), 20000);

    QCOMPARE(setProperty(u"Volume"_s, 0.25).type(), QDBusMessage::ReplyMessage);
    QCOMPARE(m_engine->volume, qint16(25));
    QTRY_VERIFY_WITH_TIMEOUT(announced(u"Volume"_s, 25 / 99.0), 20000);
    setProperty(u"Volume"_s, 7.0);
    QCOMPARE(m_engine->volume, qint16(99));
    setProperty(u"Volume"_s, -1.0);
    QCOMPARE(m_engine->volume, qint16(0));
}

void DesktopServicesTest::badCallsChangeNothing()
{
    TUNVIA_REQUIRE_TOOLS(m_service, "dbus-daemon");
    m_engine->setVolumeLevel(40);
    m_engine->calls.clear();
    QSignalSpy opened(m_service.get(), &MprisService::openRequested);
    QCOMPARE(setProperty(u"Volume"_s, u"loud"_s).type(), QDBusMessage::ErrorMessage);
    setProperty(u"Volume"_s, std::nan(""));
    QCOMPARE(setProperty(u"PlaybackStatus"_s, u"Playing"_s).type(), QDBusMessage::ErrorMessage);
    QCOMPARE(call(kPlayer, u"OpenUri"_s, { 42 }).type(), QDBusMessage::ErrorMessage);
    QCOMPARE(call(kPlayer, u"OpenUri"_s, { u""_s }).type(), QDBusMessage::ErrorMessage);
    QCOMPARE(call(kPlayer, u"OpenUri"_s, { u"relative.mp3"_s }).type(), QDBusMessage::ErrorMessage);
    QCOMPARE(call(kPlayer, u"OpenUri"_s, { u"file:///nowhere/a.mp3"_s }).type(),
        QDBusMessage::ErrorMessage);
    QCOMPARE(call(kPlayer, u"Next"_s, { u"extra"_s }).type(), QDBusMessage::ErrorMessage);
    QCOMPARE(call(kPlayer, u"Eject"_s).type(), QDBusMessage::ErrorMessage);
    call(kPlayer, u"Seek"_s, { qlonglong(5000000) }); // cannot seek
    setProperty(u"Volume"_s, std::numeric_limits<double>::infinity());
    QSignalSpy looped(m_service.get(), &MprisService::loopListRequested);
    QSignalSpy stepped(m_service.get(), &MprisService::stepRequested);
    QCOMPARE(setProperty(u"LoopStatus"_s, u"Track"_s).type(), QDBusMessage::ReplyMessage);
    call(kPlayer, u"Next"_s); // neither the engine nor the list has a further item
    call(kPlayer, u"Previous"_s);
    // A seekable medium of 10 s at 2 s: a foreign track, a position past
    // its end or before its start, and a jump past its end with no next item.
    m_engine->seekable = true;
    m_engine->length = 10000000;
    m_engine->at = 2000000;
    m_engine->changeEntry(u"a"_s, u"/music/a.mp3"_s);
    const auto track
        = qdbus_cast<QVariantMap>(property(kPlayer, u"Metadata"_s).value<QDBusArgument>())
              .value(u"mpris:trackid"_s);
    const QVariant foreign
        = QVariant::fromValue(QDBusObjectPath(u"/net/tunvia/Tunvia/track/999"_s));
    call(kPlayer, u"SetPosition"_s, { foreign, qlonglong(1000000) });
    call(kPlayer, u"SetPosition"_s, { track, qlonglong(10000001) });
    call(kPlayer, u"SetPosition"_s, { track, qlonglong(-1) });
    call(kPlayer, u"Seek"_s, { std::numeric_limits<qlonglong>::max() });
    QCOMPARE(m_engine->calls, QStringList());
    // Before the start is the start.
    call(kPlayer, u"Seek"_s, { std::numeric_limits<qlonglong>::min() });
    QCOMPARE(m_engine->calls, QStringList { u"seek:0"_s });
    QCOMPARE(m_engine->volume, qint16(40));
    QCOMPARE(opened.size(), 0);
    QCOMPARE(looped.size(), 0);
    QCOMPARE(stepped.size(), 0);
}

void DesktopServicesTest::rootInterfaceRaisesQuitsAndOpens()
{
    TUNVIA_REQUIRE_TOOLS(m_service, "dbus-daemon");
    QCOMPARE(property(kRoot, u"Identity"_s).toString(), u"Tunvia"_s);
    QVERIFY(property(kRoot, u"CanQuit"_s).toBool());
    QSignalSpy raised(m_service.get(), &MprisService::raiseRequested);
    QSignalSpy quit(m_service.get(), &MprisService::quitRequested);
    QSignalSpy opened(m_service.get(), &MprisService::openRequested);
    call(kRoot, u"Raise"_s);
    call(kRoot, u"Quit"_s);
    QCOMPARE(raised.size(), 1);
    QCOMPARE(quit.size(), 1);

    QTemporaryDir dir;
    QFile song(dir.filePath(u"歌 1.mp3"_s));
    QVERIFY(song.open(QIODevice::WriteOnly));
    song.close();
    const QString uri = QUrl::fromLocalFile(song.fileName()).toString(QUrl::FullyEncoded);
    QCOMPARE(call(kPlayer, u"OpenUri"_s, { uri }).type(), QDBusMessage::ReplyMessage);
    QCOMPARE(opened.size(), 1);
    QCOMPARE(opened.at(0).at(0).toStringList(), QStringList { u"file://"_s + song.fileName() });
    // A folder is listed off this thread: the call returns before its files come.
    m_service->open(dir.path());
    QCOMPARE(opened.size(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(opened.size(), 2, 20000);
    QCOMPARE(opened.at(1).at(0).toStringList(), QStringList { u"file://"_s + song.fileName() });

    // A Tunvia of another folder already holds the name.
    MprisService other(m_engine.get(), QDBusConnection::connectToBus(m_bus->address(), u"other"_s));
    QVERIFY(other.publish());
    QTRY_VERIFY_WITH_TIMEOUT(
        other.serviceName().startsWith(QLatin1String(MprisService::kServiceName) + u".instance"_s),
        20000);
}

void DesktopServicesTest::cleanupTestCase()
{
    m_service.reset();
    m_engine.reset();
    QDBusConnection::disconnectFromBus(u"client"_s);
    QDBusConnection::disconnectFromBus(u"server"_s);
    QDBusConnection::disconnectFromBus(u"other"_s);
    m_bus.reset();
}

// Calls the service without blocking this thread, which serves it.
QDBusMessage DesktopServicesTest::call(
    const QString &interface, const QString &method, const QVariantList &args)
{
    QDBusMessage message = QDBusMessage::createMethodCall(
        QLatin1String(MprisService::kServiceName), kPath, interface, method);
    message.setArguments(args);
    QDBusPendingCall pending = m_client.asyncCall(message, 20000);
    (void)QTest::qWaitFor([&] { return pending.isFinished(); }, 25000);
    return pending.reply();
}

QVariant DesktopServicesTest::property(const QString &interface, const QString &name)
{
    const QDBusMessage reply = call(kProperties, u"Get"_s, { interface, name });
    return reply.arguments().value(0).value<QDBusVariant>().variant();
}

QDBusMessage DesktopServicesTest::setProperty(const QString &name, const QVariant &value)
{
    return call(kProperties, u"Set"_s, { kPlayer, name, QVariant::fromValue(QDBusVariant(value)) });
}

// Whether PropertiesChanged announced the property (with the value, unless
// the value given is null).
bool DesktopServicesTest::announced(const QString &name, const QVariant &value) const
{
    for (const auto &[property, announcedValue] : m_changes) {
        if (property != name)
            continue;
        if (value.isNull())
            return true;
        if (value.typeId() == QMetaType::Double
                ? std::abs(announcedValue.toDouble() - value.toDouble()) < 1e-9
                : announcedValue == value)
            return true;
    }
    return false;
}

QTEST_MAIN(DesktopServicesTest)
#include "tst_desktopservices.moc"
