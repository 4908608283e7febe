// The whole program, started as usual, that then plays the file named on its
// command line: lets the benchmark harness measure playback with the real
// windows, timers and engine (Tunvia itself takes no command-line options).
#include "app/appcontext.h"
#include "app/cjkfont.h"
#include "app/desktoplauncher.h"
#include "app/qtprompts.h"
#include "app/startup.h"
#include "app/windowhub.h"
#include "engine/mediaengine.h"
#include "engine/mpvengine.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTextStream>
#include <QTimer>

#include <clocale>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    installSongFont();
    AppState state;
    QtPrompts prompts;
    DesktopLauncher launcher;
    AppContext context { state, prompts, launcher,
                         AppFolder::forProgram(QApplication::applicationDirPath(),
                             QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)),
                         ServiceHosts::fromBuildAndEnvironment() };
    WindowHub hub(context, [&context] { return MpvEngine::create(context.folder); });
    Startup startup(context, hub);
    if (!startup.run())
        return 1;
    if (argc > 1) {
        MediaEngine *engine = hub.engine();
        const QString file = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
        auto *clock = new QElapsedTimer;
        auto *poll = new QTimer(&app);
        QObject::connect(poll, &QTimer::timeout, [engine, clock, poll] {
            if (engine->GetPlaybackState() != MediaEngine::Playing)
                return;
            QTextStream(stderr) << "playing after " << clock->nsecsElapsed() / 1000 << " us\n";
            poll->stop();
        });
        clock->start();
        engine->ClipSource(QStringLiteral("file://") + file);
        engine->StartPlayback();
        poll->start(1);
    }
    return QApplication::exec();
}
