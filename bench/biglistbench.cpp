// Measures every playlist operation on a list of 100,000 real, playable MP3
// files, end to end through the program's composition root and the libmpv
// engine (null audio output):
//
//   startup          Program::start() until the playlist window shows its
//                    rows and the event loop is idle (libmpv, fonts and styles
//                    are loaded once before, by a run that is not counted)
//   double_click     a double click on a row with "循环播放列表" set, until the
//                    engine plays the clicked file
//   random_preview   "随机播放" until the preview box is asked
//   random_play      "是" until the engine plays the first pick
//   delete_all       "删除所有" (answered OK) until the window is idle
//   import_m3u       import of a 100,000-line m3u into the emptied list until
//                    the rows are shown and the window is idle
//   export_ram       export of the list to a ram file until it is written and
//                    the window is idle
//   save_at_exit     closing the playlist (as the program's end does), which
//                    has xlist.cfg written in the background, until idle
//
// Each figure is the median of the runs, printed as "NAME: N ms" on stdout,
// followed by "NAME stall: N ms", the longest time the window's thread was
// blocked during the operation in any run. Standard error gets the spread
// and how long the engine took to hold the whole list.
//
// As the program does when nothing is to play, the saved list is read on a
// worker thread once the windows are built (ListPrefetch).
//
//   bench_biglist [--items N] [--runs N] [--links DIR]
//
// One short MP3 is made with ffmpeg and linked N times into a temporary
// folder, unless --links names a folder that holds such files already (its
// *.mp3 files in name order). Run on the offscreen platform or under Xvfb.
// Aim: 300 ms or less for each.
#include "app/enginefactory.h"
#include "app/program.h"
#include "benchtools.h"
#include "core/playlist/listprefetch.h"
#include "core/playlist/playlistmodel.h"
#include "core/text/listwriter.h"
#include "engine/mpvengine.h"
#include "ui/common/appcontext.h"
#include "ui/common/desktoplauncher.h"
#include "ui/common/hotspot.h"
#include "ui/common/prompts.h"
#include "ui/player/playerwindow.h"
#include "ui/playlist/playlistgrid.h"
#include "ui/playlist/playlistwindow.h"
#include "ui/skin/cjkfont.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <unistd.h>

namespace {

using namespace BenchTools;

QTextStream out(stdout);
QTextStream err(stderr);

QString textOption(const QString &name)
{
    const QStringList arguments = QCoreApplication::arguments();
    const qsizetype at = arguments.indexOf(name);
    return at > 0 && at + 1 < arguments.size() ? arguments.at(at + 1) : QString();
}

QTemporaryDir *workFolder = nullptr; // removed also when the bench gives up

[[noreturn]] void fail(const QString &why)
{
    err << "bench_biglist: " << why << Qt::endl;
    if (workFolder)
        workFolder->remove();
    std::exit(1);
}

// The media files: N names of one short MP3 (hard links where the file
// system allows, a fresh copy of the file every 60,000 of them: ext4 keeps
// at most 65,000 links to one file).
QStringList makeMedia(const QString &folder, int count)
{
    QDir().mkpath(folder);
    const QString first = folder + QStringLiteral("/tone.mp3");
    QString tone = first;
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"),
        { QStringLiteral("-hide_banner"), QStringLiteral("-loglevel"), QStringLiteral("error"),
            QStringLiteral("-y"), QStringLiteral("-f"), QStringLiteral("lavfi"),
            QStringLiteral("-i"), QStringLiteral("sine=frequency=440:duration=5"),
            QStringLiteral("-c:a"), QStringLiteral("libmp3lame"), first });
    if (!ffmpeg.waitForFinished(60000) || ffmpeg.exitCode() != 0)
        fail(QStringLiteral("ffmpeg could not make the tone"));
    QStringList paths;
    paths.reserve(count);
    for (int i = 0; i < count; ++i) {
        if (i > 0 && i % 60000 == 0) {
            tone = folder + QStringLiteral("/tone-%1.mp3").arg(i / 60000);
            QFile::copy(first, tone);
        }
        const QString path = folder + QStringLiteral(u"/曲目 %1.mp3").arg(i, 6, 10, QChar(u'0'));
        const QByteArray native = QFile::encodeName(path);
        if (::link(QFile::encodeName(tone).constData(), native.constData()) != 0
            && !QFile::link(tone, path))
            fail(QStringLiteral("cannot link ") + path);
        paths << path;
    }
    return paths;
}

QStringList existingMedia(const QString &folder, int count)
{
    const QDir dir(folder);
    QStringList paths;
    for (const QString &name :
        dir.entryList({ QStringLiteral("*.mp3") }, QDir::Files, QDir::Name)) {
        if (paths.size() == count)
            break;
        paths << dir.absoluteFilePath(name);
    }
    if (paths.size() < count)
        fail(QStringLiteral("%1 holds fewer than %2 MP3 files").arg(folder).arg(count));
    return paths;
}

void writeLines(
    const QString &path, const QByteArray &head, const QStringList &lines, const QString &prefix)
{
    QByteArray bytes = head;
    for (const QString &line : lines)
        bytes += (prefix + line).toUtf8() + "\r\n";
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        fail(QStringLiteral("cannot write ") + path);
}

// Runs the event loop until the condition holds; gives up after two minutes.
void until(const std::function<bool()> &condition, const QString &what)
{
    if (!BenchTools::until(condition))
        fail(QStringLiteral("gave up waiting for ") + what);
}

// Answers every question as a person going through the operations would,
// and notes when the random-order preview is asked and answered.
class BenchPrompts : public Prompts
{
public:
    QString listToOpen;
    QString listToSave;
    QElapsedTimer *clock = nullptr;
    double previewAskedMs = -1;
    QString previewFirstText;
    qint64 answeredNs = 0;
    // Called when the preview is asked: a real box would run the event loop
    // until answered, so the time before and after it are separate stalls.
    std::function<void()> onPreview;

    Answer message(
        QWidget *, const QString &text, const QString &title, Icon, Buttons buttons) override
    {
        if (title == QStringLiteral(u"您看这顺序怎样？")) {
            previewAskedMs = clock->nsecsElapsed() / 1e6;
            previewFirstText = text.section(u'\r', 0, 0);
            if (onPreview)
                onPreview();
            answeredNs = clock->nsecsElapsed();
            return Answer::Yes;
        }
        if (buttons != Buttons::OkCancel || title != QStringLiteral(u"清除所有"))
            err << "unexpected message: " << title << ": " << text.left(200) << Qt::endl;
        return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
    }
    QString input(QWidget *, const QString &, const QString &, const QString &) override
    {
        return {};
    }
    QString openFile(QWidget *, const QString &, const QString &) override { return listToOpen; }
    QString saveFile(QWidget *, const QString &, const QString &, const QString &) override
    {
        return listToSave;
    }
    QString directory(QWidget *, const QString &) override { return {}; }
};

QString localPath(const QString &itemText)
{
    return itemText.startsWith(QStringLiteral("file://")) ? itemText.mid(7) : itemText;
}

class Bench
{
public:
    Bench(const QStringList &media, const QString &appFolder)
        : m_media(media)
        , m_folder(appFolder)
    {
        m_m3u = QDir(appFolder).filePath(QStringLiteral("big.m3u"));
        writeLines(m_m3u, "#EXTM3U\r\n", media, {});
    }

    void warmUp() { runOnce(false); }
    void measure(int runs)
    {
        for (int run = 0; run < runs; ++run)
            runOnce(true);
    }
    void report();

private:
    void runOnce(bool keep);
    void record(bool keep, const QString &name, double ms, double stallMs);
    MpvEngine *engineOf(Program &program);
    void doubleClick(Program &program, bool keep);
    void randomOrder(Program &program, bool keep);
    void untilWholeList(MpvEngine *engine, const QString &name, bool keep);

    QStringList m_media;
    QString m_folder;
    QString m_m3u;
    BenchPrompts m_prompts;
    QMap<QString, QList<double>> m_samples;
    QMap<QString, double> m_worstStall;
    QElapsedTimer m_clock;
};

void Bench::record(bool keep, const QString &name, double ms, double stallMs)
{
    if (!keep)
        return;
    m_samples[name] << ms;
    m_worstStall[name] = std::max(m_worstStall.value(name), stallMs);
}

MpvEngine *Bench::engineOf(Program &program)
{
    auto *engine = qobject_cast<MpvEngine *>(program.windows().engine());
    if (!engine)
        fail(QStringLiteral("libmpv could not be started"));
    return engine;
}

void Bench::runOnce(bool keep)
{
    const int count = int(m_media.size());
    writeLines(QDir(m_folder).filePath(QStringLiteral("xlist.cfg")), {}, m_media,
        QStringLiteral("file://"));
    AppState state;
    DesktopLauncher launcher;
    const AppFolder folder(m_folder);
    ListPrefetch prefetch(
        folder.fileToRead(QStringLiteral("xlist.cfg")), ListPrefetch::Start::WhenAsked);
    ListWriter writer;
    AppContext context { state, m_prompts, launcher, folder,
        ServiceHosts::fromBuildAndEnvironment(), &prefetch, &writer };
    m_prompts.clock = &m_clock;
    auto program = std::make_unique<Program>(context, EngineFactory::forMpv(context.folder));

    {
        StallMeter stalls;
        m_clock.start();
        program->start();
        PlaylistWindow *window = program->windows().existingPlaylist();
        until([&] { return window->windowHandle() && window->windowHandle()->isExposed(); },
            QStringLiteral("the playlist window"));
        until([&] { return window->model()->itemCount() == count; },
            QStringLiteral("the saved list"));
        untilIdle();
        record(keep, QStringLiteral("startup"), m_clock.nsecsElapsed() / 1e6, stalls.worstMs());
        if (window->model()->itemCount() != count)
            fail(QStringLiteral("the list did not load whole"));
    }
    until([&] { return program->windows().engine() != nullptr; }, QStringLiteral("the engine"));
    doubleClick(*program, keep);
    randomOrder(*program, keep);

    PlaylistWindow *window = program->windows().existingPlaylist();
    {
        StallMeter stalls;
        m_clock.start();
        window->findChild<QPushButton *>(QStringLiteral("Command7"))->click();
        untilIdle();
        record(keep, QStringLiteral("delete_all"), m_clock.nsecsElapsed() / 1e6, stalls.worstMs());
        if (window->model()->itemCount() != 0)
            fail(QStringLiteral("delete all left items"));
    }
    {
        m_prompts.listToOpen = m_m3u;
        auto *import = window->findChild<HotSpot *>(QStringLiteral("Label3"));
        StallMeter stalls;
        m_clock.start();
        QTest::mouseClick(import, Qt::LeftButton);
        until([&] { return window->model()->itemCount() >= count; }, QStringLiteral("the import"));
        untilIdle();
        record(keep, QStringLiteral("import_m3u"), m_clock.nsecsElapsed() / 1e6, stalls.worstMs());
    }
    {
        const QString exported = QDir(m_folder).filePath(QStringLiteral("TUNVIA_01.ram"));
        QFile::remove(exported);
        m_prompts.listToSave = exported;
        auto *exportHotSpot = window->findChild<HotSpot *>(QStringLiteral("Label4"));
        // An export ends on the last row.
        window->model()->setCurrentCell(1, PlaylistModel::TextColumn);
        untilIdle();
        StallMeter stalls;
        m_clock.start();
        QTest::mouseClick(exportHotSpot, Qt::LeftButton);
        until([&] { return window->model()->currentRow() == count; }, QStringLiteral("the export"));
        untilIdle();
        record(keep, QStringLiteral("export_ram"), m_clock.nsecsElapsed() / 1e6, stalls.worstMs());
        if (QFileInfo(exported).size() < count)
            fail(QStringLiteral("the export was not written"));
    }
    {
        StallMeter stalls;
        m_clock.start();
        program->windows().unloadPlaylist();
        untilIdle();
        record(
            keep, QStringLiteral("save_at_exit"), m_clock.nsecsElapsed() / 1e6, stalls.worstMs());
        writer.finish(); // the program's end waits for it likewise
        QFile saved(QDir(m_folder).filePath(QStringLiteral("xlist.cfg")));
        if (!saved.open(QIODevice::ReadOnly) || saved.readAll().count('\n') != count)
            fail(QStringLiteral("xlist.cfg was not saved whole"));
    }
    program.reset();
    untilIdle();
}

void Bench::untilWholeList(MpvEngine *engine, const QString &name, bool keep)
{
    StallMeter stalls;
    until([&] { return engine->status().entries == int(m_media.size()); },
        QStringLiteral("the whole list in the engine"));
    record(keep, name, m_clock.nsecsElapsed() / 1e6, stalls.worstMs());
}

void Bench::doubleClick(Program &program, bool keep)
{
    MpvEngine *engine = engineOf(program);
    program.windows()
        .existingPlayer()
        ->findChild<QCheckBox *>(QStringLiteral("Check1"))
        ->setChecked(true);
    PlaylistWindow *window = program.windows().existingPlaylist();
    PlaylistGrid *grid = window->grid();
    const int row = int(m_media.size()) / 2 + 1;
    const QModelIndex index = grid->model()->index(row, PlaylistModel::TextColumn);
    grid->scrollTo(index);
    untilIdle();
    const QString expected = m_media.at(row - 1);

    StallMeter stalls;
    m_clock.start();
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
    until(
        [&] {
            return engine->playbackState() == MediaEngine::Playing
                && engine->currentLocation() == expected;
        },
        QStringLiteral("the double-clicked file to play"));
    record(keep, QStringLiteral("double_click"), m_clock.nsecsElapsed() / 1e6, stalls.worstMs());
    untilWholeList(engine, QStringLiteral("double_click_whole_list"), keep);
}

void Bench::randomOrder(Program &program, bool keep)
{
    MpvEngine *engine = engineOf(program);
    PlaylistWindow *window = program.windows().existingPlaylist();
    m_prompts.previewAskedMs = -1;
    StallMeter stalls;
    double previewStall = 0;
    m_prompts.onPreview = [&] {
        previewStall = stalls.worstMs();
        stalls.start();
    };
    m_clock.start();
    window->findChild<QPushButton *>(QStringLiteral("Command9"))->click();
    until([&] { return m_prompts.previewAskedMs >= 0; }, QStringLiteral("the preview"));
    const QString expected = localPath(m_prompts.previewFirstText);
    until(
        [&] {
            return engine->playbackState() == MediaEngine::Playing && engine->status().entry == 0
                && engine->currentLocation() == expected;
        },
        QStringLiteral("the first pick to play"));
    const double played = (m_clock.nsecsElapsed() - m_prompts.answeredNs) / 1e6;
    m_prompts.onPreview = nullptr;
    record(keep, QStringLiteral("random_preview"), m_prompts.previewAskedMs, previewStall);
    record(keep, QStringLiteral("random_play"), played, stalls.worstMs());
    untilWholeList(engine, QStringLiteral("random_whole_list"), keep);
}

void Bench::report()
{
    const QStringList order { QStringLiteral("startup"), QStringLiteral("double_click"),
        QStringLiteral("random_preview"), QStringLiteral("random_play"),
        QStringLiteral("delete_all"), QStringLiteral("import_m3u"), QStringLiteral("export_ram"),
        QStringLiteral("save_at_exit") };
    for (const QString &name : order)
        out << name << ": " << qRound(median(m_samples.value(name))) << " ms\n";
    for (const QString &name : order)
        out << name << " stall: " << qRound(m_worstStall.value(name)) << " ms\n";
    out.flush();
    for (auto it = m_samples.cbegin(); it != m_samples.cend(); ++it) {
        QList<double> sorted = it.value();
        std::sort(sorted.begin(), sorted.end());
        err << "  " << it.key() << ": median " << qRound(median(sorted)) << " ms, range "
            << qRound(sorted.first()) << "-" << qRound(sorted.last()) << " ms, longest stall "
            << qRound(m_worstStall.value(it.key())) << " ms\n";
    }
    err.flush();
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("TUNVIA_AUDIO_OUTPUT", "null");
    // The update check, due five seconds after start-up, fails at once.
    qputenv("TUNVIA_UPDATE_URL", "http://127.0.0.1:9/updatex.htm");
    QApplication app(argc, argv);
    installSongFont();
    const int items = option(QStringLiteral("--items"), 100000);
    const int runs = std::max(1, option(QStringLiteral("--runs"), 3));
    const QString links = textOption(QStringLiteral("--links"));

    QTemporaryDir work;
    if (!work.isValid())
        fail(QStringLiteral("no temporary folder"));
    workFolder = &work;
    QElapsedTimer preparing;
    preparing.start();
    const QStringList media = links.isEmpty()
        ? makeMedia(work.filePath(QStringLiteral("media")), items)
        : existingMedia(links, items);
    const QString appFolder = work.filePath(QStringLiteral("app"));
    QDir().mkpath(appFolder);
    err << "items: " << items << ", runs: " << runs << ", media ready after " << preparing.elapsed()
        << " ms" << Qt::endl;

    Bench bench(media, appFolder);
    bench.warmUp(); // libmpv, fonts and styles loaded once, not counted
    bench.measure(runs);
    bench.report();
    return 0;
}
