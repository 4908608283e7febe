// Measures the playlist with a large xlist.cfg: reading and writing the file,
// the time from opening the playlist window until the list is on screen and
// the event loop is idle again, closing (which saves), and the memory added.
//
//   bench_playlist [--items N] [--grab picture.png]
//
// Run on the offscreen platform or under Xvfb; aims: shown in 300 ms or less,
// saved in 100 ms or less, under 40 MB added.
#include "app/windowset.h"
#include "benchtools.h"
#include "core/media/mediaengine.h"
#include "core/playlist/playlistmodel.h"
#include "core/playlist/playliststore.h"
#include "ui/common/appcontext.h"
#include "ui/common/desktoplauncher.h"
#include "ui/common/qtprompts.h"
#include "ui/playlist/playlistgrid.h"
#include "ui/playlist/playlistwindow.h"
#include "ui/skin/cjkfont.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <QWindow>

#include <algorithm>

namespace {

using namespace BenchTools;

QTextStream out(stdout);

// Resident memory of this process in kB (VmRSS or VmHWM).
qint64 memoryKb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

void writeList(const QString &path, int items)
{
    QByteArray bytes;
    for (int i = 0; i < items; ++i) {
        bytes += i % 3 ? "file:///home/listener/Music/Artist " + QByteArray::number(i % 97)
                + "/Album/track " + QByteArray::number(i) + ".mp3\r\n"
                       : "http://radio.example.com/stream/" + QByteArray::number(i) + ".rm\r\n";
    }
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

void measureFiles(const QString &path)
{
    QList<double> loads, saves;
    for (int round = 0; round < 5; ++round) {
        PlaylistModel model;
        PlaylistStore store(path);
        QElapsedTimer timer;
        timer.start();
        store.load(model);
        loads << timer.nsecsElapsed() / 1e6;
        timer.restart();
        store.save(model);
        saves << timer.nsecsElapsed() / 1e6;
    }
    out << "store load (median of 5):   " << median(loads) << " ms\n";
    out << "store save (median of 5):   " << median(saves) << " ms\n";
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    installSongFont();
    const QStringList arguments = QCoreApplication::arguments();
    const qsizetype itemsAt = arguments.indexOf(QStringLiteral("--items"));
    const int items = itemsAt > 0 && itemsAt + 1 < arguments.size()
        ? arguments.at(itemsAt + 1).toInt()
        : 100000;
    const qsizetype grabAt = arguments.indexOf(QStringLiteral("--grab"));

    QTemporaryDir folder;
    AppState state;
    QtPrompts prompts;
    DesktopLauncher launcher;
    AppContext context { state, prompts, launcher, AppFolder(folder.path()),
        ServiceHosts::fromBuildAndEnvironment() };
    WindowSet hub(
        context, std::make_unique<EngineFactory>([] { return std::unique_ptr<MediaEngine>(); }));
    const QString list = context.folder.file(QStringLiteral("xlist.cfg"));

    // Warm up fonts, styles and the skin with an empty list first.
    hub.playlist()->show();
    untilIdle();
    hub.unloadPlaylist();
    untilIdle();

    writeList(list, items);
    out << "items: " << items << ", xlist.cfg: " << QFile(list).size() / 1024 << " KiB\n";
    const qint64 before = memoryKb("VmRSS:");

    QElapsedTimer timer;
    timer.start();
    PlaylistWindow *window = hub.playlist();
    const double loaded = timer.nsecsElapsed() / 1e6;
    window->show();
    // Until the window system shows the window (at once offscreen), then idle.
    while (!window->windowHandle()->isExposed() && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    untilIdle();
    const double shown = timer.nsecsElapsed() / 1e6;
    const qint64 after = memoryKb("VmRSS:");
    out << "window loaded the list:     " << loaded << " ms\n";
    out << "shown and idle:             " << shown << " ms\n";
    out << "memory added (RSS):         " << (after - before) / 1024.0 << " MB\n";

    if (grabAt > 0 && grabAt + 1 < arguments.size())
        window->grab().save(arguments.at(grabAt + 1));

    timer.restart();
    hub.unloadPlaylist();
    out << "close (saves the list):     " << timer.nsecsElapsed() / 1e6 << " ms\n";
    untilIdle();
    measureFiles(list);
    out << "peak RSS of the process:    " << memoryKb("VmHWM:") / 1024.0 << " MB\n";
    out.flush();
    return 0;
}
