// Measures the intake onto a long list: "确定" of the add-directory dialog on
// a directory of 10,000 files, and a drop of 10,000 files on the drop window,
// each onto a playlist of 100,000 items. For each: the time from the click
// (or the drop) until the new rows are shown and the event loop is idle
// again, and the longest time the event loop was blocked meanwhile.
//
//   bench_intake [--items N] [--files N] [--runs N]
//
// Run on the offscreen platform or under Xvfb; aim: 200 ms or less each.
#include "app/windowset.h"
#include "benchtools.h"
#include "core/media/mediaengine.h"
#include "core/playlist/playlistmodel.h"
#include "ui/common/appcontext.h"
#include "ui/common/desktoplauncher.h"
#include "ui/common/qtprompts.h"
#include "ui/intake/adddirectorydialog.h"
#include "ui/intake/directorylist.h"
#include "ui/intake/dropwindow.h"
#include "ui/player/playerwindow.h"
#include "ui/playlist/playlistwindow.h"
#include "ui/skin/cjkfont.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include <algorithm>
#include <functional>

namespace {

using namespace BenchTools;

QTextStream out(stdout);

void writeList(const QString &path, int items)
{
    QByteArray bytes;
    for (int i = 0; i < items; ++i)
        bytes += "file:///home/listener/Music/Artist " + QByteArray::number(i % 97) + "/track "
            + QByteArray::number(i) + ".mp3\r\n";
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

template<typename T> T *topLevel(const QString &name)
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == name && widget->isVisible())
            return qobject_cast<T *>(widget);
    }
    return nullptr;
}

struct Sample
{
    double shownMs;
    double stallMs;
};

// Times `act` until the list holds `expected` items, shown, and idle.
Sample measure(const PlaylistModel &model, int expected, const std::function<void()> &act)
{
    StallMeter stalls;
    QElapsedTimer timer;
    stalls.start();
    timer.start();
    act();
    until([&] { return model.itemCount() >= expected; });
    untilIdle();
    return { timer.nsecsElapsed() / 1e6, stalls.stopMs() };
}

void report(const char *what, QList<Sample> samples)
{
    const auto medianOf = [&samples](double Sample::*field) {
        QList<double> values;
        for (const Sample &sample : samples)
            values.append(sample.*field);
        std::sort(values.begin(), values.end());
        return values.at(values.size() / 2);
    };
    out << what << ": shown and idle " << medianOf(&Sample::shownMs) << " ms, longest block "
        << medianOf(&Sample::stallMs) << " ms (medians of " << samples.size() << ")\n";
    out.flush();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    installSongFont();
    const int items = option(QStringLiteral("--items"), 100000);
    const int files = option(QStringLiteral("--files"), 10000);
    const int runs = option(QStringLiteral("--runs"), 5);

    QTemporaryDir folder;
    const QString directory = folder.filePath(QStringLiteral("many"));
    QDir().mkpath(directory);
    QList<QUrl> dropped;
    for (int i = 0; i < files; ++i) {
        const QString path
            = directory + QStringLiteral("/track %1.mp3").arg(i, 5, 10, QLatin1Char('0'));
        QFile(path).open(QIODevice::WriteOnly);
        dropped.append(QUrl::fromLocalFile(path));
    }
    AppState state;
    QtPrompts prompts;
    DesktopLauncher launcher;
    AppContext context { state, prompts, launcher, AppFolder(folder.path()),
        ServiceHosts::fromBuildAndEnvironment() };
    WindowSet windows(
        context, std::make_unique<EngineFactory>([] { return std::unique_ptr<MediaEngine>(); }));
    PlayerWindow *player = windows.createPlayerWindow();
    player->findChild<QTimer *>(QStringLiteral("Timer2"))->stop(); // no delayed start step
    // The user sets "显示拖放口", and the drop window shows.
    auto *dropBox = player->findChild<QCheckBox *>(QStringLiteral("Check3"));
    dropBox->setChecked(false);
    dropBox->click();
    DropWindow *drop = topLevel<DropWindow>(QStringLiteral("tuofang"));
    if (!drop)
        qFatal("the drop window did not show");
    QDir::setCurrent(directory);
    out << "list: " << items << " items; directory and drop: " << files << " files\n";

    QList<Sample> dialogSamples, dropSamples;
    for (int run = 0; run <= runs; ++run) { // run 0 warms up
        for (const bool byDialog : { true, false }) {
            writeList(context.folder.file(QStringLiteral("xlist.cfg")), items);
            PlaylistWindow *list = windows.playlist();
            until([list] { return list->windowHandle() && list->windowHandle()->isExposed(); });
            untilIdle();
            const PlaylistModel &model = *list->model();
            Sample sample;
            if (byDialog) {
                windows.showAddDirectory();
                auto *dialog = topLevel<AddDirectoryDialog>(QStringLiteral("opdir"));
                until(
                    [dialog, &directory] { return dialog->directoryList()->path() == directory; });
                untilIdle();
                auto *confirm = dialog->findChild<QPushButton *>(QStringLiteral("Command1"));
                sample = measure(model, items + files, [confirm] { confirm->click(); });
            } else {
                QMimeData data;
                data.setUrls(dropped);
                sample = measure(model, items + files, [&] {
                    const QPoint at(20, 18);
                    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
                    QApplication::sendEvent(drop, &enter);
                    QDropEvent event(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, {});
                    QApplication::sendEvent(drop, &event);
                });
            }
            if (run > 0)
                (byDialog ? dialogSamples : dropSamples).append(sample);
            windows.unloadPlaylist();
            untilIdle();
        }
    }
    report("add directory, 确定", dialogSamples);
    report("drop of files", dropSamples);
    return 0;
}
