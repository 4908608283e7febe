// Measures how long the engine holds up the window's thread when it is given
// hostile or huge lists: the longest stretch the event loop is blocked from
// starting the list until it plays or fails (and a second after), with the
// time that took and how many entries reached the player core.
//
//   bench_lists
//
// Needs libmpv and ffmpeg (for one short tone); run on the offscreen platform
// or under Xvfb. Aim: no stall over 100 ms, whatever the list.
#include "core/program/appfolder.h"
#include "engine/mpvengine.h"
#include "engine/ramlist.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

namespace {

QTextStream out(stdout);

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

// The lists, each in dir: name and what it holds.
QList<QPair<QString, QByteArray>> makeLists(const QTemporaryDir &dir)
{
    QList<QPair<QString, QByteArray>> lists;
    // Four lists naming each other forty times each.
    const QList<QByteArray> names { "ba.ram", "bb.ram", "bc.ram", "bd.ram" };
    for (int i = 0; i < names.size(); ++i) {
        QByteArray text = "tone.mp3\n";
        for (int k = 0; k < 40; ++k)
            text += names.at((i + 1 + k % 3) % 4) + '\n';
        writeFile(dir.filePath(QString::fromLatin1(names.at(i))), text);
    }
    lists.append({ QStringLiteral("ba.ram"), {} });
    lists.append({ QStringLiteral("long.ram"),
        QByteArray("tone.mp3\r\n").repeated(RamList::kMaxEntries + 50000) });
    lists.append({ QStringLiteral("returns.ram"),
        QByteArray(16 * 1024 * 1024 - 16, '\r') + "tone.mp3\r\n" });
    lists.append({ QStringLiteral("missing.ram"), QByteArray("gone.mp3\n").repeated(1800000) });
    for (const auto &[name, bytes] : std::as_const(lists)) {
        if (!bytes.isEmpty())
            writeFile(dir.filePath(name), bytes);
    }
    return lists;
}

void measure(MpvEngine &engine, const QString &list)
{
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 worst = 0;
    qint64 settled = -1;
    QTimer tick;
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        worst = qMax(worst, now - last);
        last = now;
        const PlaybackStatus status = engine.status();
        const bool done = status.state == MediaEngine::Playing || !status.errorText.isEmpty();
        if (done && settled < 0)
            settled = now;
    });
    QEventLoop loop;
    QTimer end;
    end.setSingleShot(true);
    QObject::connect(&end, &QTimer::timeout, &loop, &QEventLoop::quit);
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (settled >= 0 && !end.isActive())
            end.start(1000);
    });
    clock.start();
    tick.start();
    watch.start(50);
    engine.setSource(list);
    engine.startPlayback();
    worst = qMax(worst, clock.elapsed());
    last = clock.elapsed();
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    loop.exec();
    const PlaybackStatus status = engine.status();
    out << QFileInfo(list).fileName() << ": longest stall " << worst << " ms, settled after "
        << settled << " ms, " << status.entries << " entries, "
        << (status.errorText.isEmpty() ? status.entryText() : status.errorText) << Qt::endl;
    engine.stopPlayback();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"),
        { QStringLiteral("-hide_banner"), QStringLiteral("-loglevel"), QStringLiteral("error"),
            QStringLiteral("-y"), QStringLiteral("-f"), QStringLiteral("lavfi"),
            QStringLiteral("-i"), QStringLiteral("sine=frequency=440:duration=3"),
            dir.filePath(QStringLiteral("tone.mp3")) });
    if (!ffmpeg.waitForFinished(60000) || ffmpeg.exitCode() != 0) {
        out << "ffmpeg could not make the test tone" << Qt::endl;
        return 1;
    }
    qputenv("TUNVIA_AUDIO_OUTPUT", "null");
    std::unique_ptr<MediaEngine> created = MpvEngine::create(AppFolder(dir.path()));
    auto *engine = static_cast<MpvEngine *>(created.get());
    if (!engine) {
        out << "libmpv could not be started" << Qt::endl;
        return 1;
    }
    for (const auto &[name, bytes] : makeLists(dir))
        measure(*engine, dir.filePath(name));
    return 0;
}
