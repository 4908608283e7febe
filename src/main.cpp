#include "app/cjkfont.h"
#include "app/program.h"

#include <QApplication>

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

    Program program;
    if (!program.start())
        return 1;
    return QApplication::exec();
}
