// The whole program, started as usual, that then plays the file named on its
// command line: lets the benchmark harness measure playback with the real
// windows, timers and engine (Tunvia itself takes no command-line options).
#include "app/program.h"
#include "app/programcontext.h"
#include "core/media/filelocation.h"
#include "core/media/mediaengine.h"
#include "ui/player/playerwindow.h"
#include "ui/skin/cjkfont.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTextStream>
#include <QTimer>

#include <clocale>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tunvia"));
    QApplication::setOrganizationName(QStringLiteral("tunvia"));
    std::setlocale(LC_NUMERIC, "C");
    installSongFont();
    ProgramContext run;
    Program program(run.context, EngineFactory::forMpv(run.context.folder));
    program.start();
    if (argc > 1) {
        WindowSet &windows = program.windows();
        const QString file = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
        auto *clock = new QElapsedTimer;
        auto *poll = new QTimer(&app);
        QObject::connect(poll, &QTimer::timeout, [&windows, clock, poll] {
            MediaEngine *engine = windows.engine();
            if (!engine || engine->playbackState() != MediaEngine::Playing)
                return;
            QTextStream(stderr) << "playing after " << clock->nsecsElapsed() / 1000 << " us\n";
            poll->stop();
        });
        clock->start();
        windows.player()->stopAndPlay(FileLocation::fromPath(file));
        poll->start(1);
    }
    return QApplication::exec();
}
