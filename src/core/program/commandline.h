#pragma once

#include <QString>
#include <QStringList>

// What a start asks for: tunvia [--help] [--version] [--] [LOCATION...].
// "--" ends the options, so a location may begin with "-" after it.
struct CommandLine
{
    enum class Action { Run, ShowHelp, ShowVersion, Refuse };

    Action action = Action::Run;
    // The locations, as given and in order (Run only).
    QStringList locations;
    // What to print: the help or the version (standard output), or a short
    // error followed by the usage (standard error).
    QString text;

    // arguments.first() is the program as it was started.
    static CommandLine parse(const QStringList &arguments);

    // 0, or 2 when the command line was refused.
    int exitCode() const { return action == Action::Refuse ? 2 : 0; }
};
