// The whole program, started as usual, that then plays the file named on its
// command line: lets the benchmark harness measure playback with the real
// windows, timers and engine (Tunvia itself takes no command-line options).
#include "app/program.h"
#include "app/programcontext.h"
#include "core/media/filelocation.h"
#include "core/media/mediaengine.h"
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
    const AppContext &context = run.context;
    Program program(run.context, [&context] { return createMpvEngine(context.folder); });
    if (!program.start())
        return 1;
    if (argc > 1) {
        MediaEngine *engine = program.windows().engine();
        const QString file = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
        auto *clock = new QElapsedTimer;
        auto *poll = new QTimer(&app);
        QObject::connect(poll, &QTimer::timeout, [engine, clock, poll] {
            if (engine->playbackState() != MediaEngine::Playing)
                return;
            QTextStream(stderr) << "playing after " << clock->nsecsElapsed() / 1000 << " us\n";
            poll->stop();
        });
        clock->start();
        engine->setSource(FileLocation::fromPath(file));
        engine->startPlayback();
        poll->start(1);
    }
    return QApplication::exec();
}
