#include "app/enginefactory.h"
#include "app/program.h"
#include "app/programcontext.h"
#include "core/playlist/listprefetch.h"
#include "core/program/commandline.h"
#include "core/program/launchlocations.h"
#include "core/text/textfile.h"
#include "ui/desktop/mprisservice.h"
#include "ui/desktop/singleinstance.h"
#include "ui/skin/cjkfont.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <clocale>
#include <cstdio>
#include <optional>

namespace {

// Docking and snapping need global window positions, which Wayland does not
// give clients: run through XWayland unless the user chose a platform.
void preferXWayland()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")
        && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

// A repaint into a backing store the X server reads through shared memory
// first waits for the server (a round trip), lest it draw over pixels the
// server has not yet taken. The player repaints a few small areas several
// times a second (the activity bar, the time): the socket carries those more
// cheaply, and without the wait. A user's own choice stands, and the
// programs this one starts get the environment it was given.
class RepaintsWithoutWaitingForX
{
public:
    RepaintsWithoutWaitingForX()
        : m_set(!qEnvironmentVariableIsSet(kName))
    {
        if (m_set)
            qputenv(kName, "1");
    }
    // Once the display connection is made, which is when Qt reads it.
    void forgetVariable() const
    {
        if (m_set)
            qunsetenv(kName);
    }

private:
    static constexpr const char *kName = "QT_XCB_NO_MITSHM";
    bool m_set;
};

// Qt's own texts (OK, Cancel, file dialog labels, the help's headings) in
// Chinese too.
void installChineseQtTexts(QTranslator &texts)
{
    if (texts.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
            QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&texts);
}

void print(std::FILE *stream, const QString &text)
{
    // In the locale's encoding: Qt's local 8-bit is UTF-8 on every Unix locale.
    std::fputs(TextFile::encode(text).constData(), stream);
}

// What the start brings along, and how a first attempt to hand it over went.
struct Launch
{
    QStringList locations;
    PeerCommand command = PeerCommand::Open;
    QString socket;
    QString listFile;
    SingleInstance::HandOff handOff = SingleInstance::HandOff::NoInstance;
};

// Before any connection to the display: the command line, and the hand-off
// to an instance that already runs for this folder. Returns the exit status
// when this start ends here.
std::optional<int> prepare(int &argc, char **argv, Launch &launch)
{
    QCoreApplication probe(argc, argv);
    QTranslator texts;
    installChineseQtTexts(texts);
    const CommandLine command = CommandLine::parse(QCoreApplication::arguments());
    if (command.action != CommandLine::Action::Run) {
        print(command.action == CommandLine::Action::Refuse ? stderr : stdout, command.text);
        return command.exitCode();
    }
    const LaunchLocations::Resolved resolved
        = LaunchLocations::resolve(command.locations, QDir::currentPath());
    for (const QString &complaint : resolved.complaints)
        print(stderr, QStringLiteral("tunvia: ") + complaint + u'\n');
    launch.locations = resolved.texts;
    launch.command = command.command;
    const AppFolder folder = ProgramContext::applicationFolder();
    launch.socket = SingleInstance::socketPath(folder.path());
    launch.listFile = folder.fileToRead(QStringLiteral("xlist.cfg"));
    launch.handOff = SingleInstance::handOff(
        launch.socket, launch.locations, SingleInstance::kHandOffTimeoutMs, launch.command);
    if (launch.handOff == SingleInstance::HandOff::Delivered)
        return 0;
    return std::nullopt;
}

} // namespace

int main(int argc, char *argv[])
{
    preferXWayland();
    QCoreApplication::setApplicationName(QStringLiteral("tunvia"));
    QCoreApplication::setOrganizationName(QStringLiteral("tunvia"));
    Launch launch;
    if (const std::optional<int> status = prepare(argc, argv, launch))
        return *status;
    // A long list takes a while to read. What is to play goes after it, so
    // then it is read while Qt starts; otherwise once the windows are built,
    // and its rows follow when it ends. The font configuration is read while
    // Qt starts.
    const bool listNeededFirst = !launch.locations.isEmpty();
    ListPrefetch prefetchedList(launch.listFile,
        listNeededFirst ? ListPrefetch::Start::AtOnce : ListPrefetch::Start::WhenAsked);
    startReadingFontConfiguration();

    const RepaintsWithoutWaitingForX repaints;
    QApplication app(argc, argv);
    repaints.forgetVariable();
    // Taskbars and docks find the menu entry, and with it the icon, by this name.
    QGuiApplication::setDesktopFileName(QLatin1String(MprisService::kDesktopId));
    std::setlocale(LC_NUMERIC, "C"); // libmpv needs it
    installSongFont();
    QTranslator qtTexts;
    installChineseQtTexts(qtTexts);

    // Another start may have come up meanwhile; the locations then go to it.
    SingleInstance instance(launch.socket);
    const bool stopAsking = launch.handOff == SingleInstance::HandOff::NotAnswering;
    if (instance.claim(launch.locations, stopAsking, launch.command)
        == SingleInstance::Claim::HandedOff)
        return 0;
    // Sound from the command line comes sooner when libmpv loads while the
    // windows are built.
    if (!launch.locations.isEmpty() && launch.command == PeerCommand::Open)
        loadMpvAhead();

    ProgramContext run(&prefetchedList);
    Program program(run.context, EngineFactory::forMpv(run.context.folder));
    QObject::connect(
        &instance, &SingleInstance::locationsReceived, &program, &Program::takeHandOff);
    QObject::connect(&instance, &SingleInstance::commandReceived, &program, &Program::takeCommand);
    program.start(launch.locations, launch.command);
    return QApplication::exec();
}
