#include "app/program.h"
#include "app/programcontext.h"
#include "ui/skin/cjkfont.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <clocale>

// Docking and snapping need global window positions, which Wayland does not
// give clients: run through XWayland unless the user chose a platform.
static void preferXWayland()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")
        && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

int main(int argc, char *argv[])
{
    preferXWayland();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tunvia"));
    QApplication::setOrganizationName(QStringLiteral("tunvia"));
    std::setlocale(LC_NUMERIC, "C"); // libmpv needs it
    installSongFont();
    // Qt's own dialog texts (OK, Cancel, file dialog labels) in Chinese too.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
            QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    ProgramContext run;
    const AppContext &context = run.context;
    Program program(run.context, [&context] { return createMpvEngine(context.folder); });
    if (!program.start())
        return 1;
    return QApplication::exec();
}
