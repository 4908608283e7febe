#pragma once

#include "core/program/peercommand.h"

#include <QString>
#include <QStringList>

// What a start asks for:
// tunvia [--help] [--version] [--play | --pause | --play-pause | --stop |
// --next | --previous] [-e | --enqueue] [--] [LOCATION...].
// "--" ends the options, so a location may begin with "-" after it. The
// transport options take no locations; --enqueue needs at least one.
struct CommandLine
{
    enum class Action { Run, ShowHelp, ShowVersion, Refuse };

    Action action = Action::Run;
    // Open (play the locations), Enqueue or a transport command (Run only).
    PeerCommand command = PeerCommand::Open;
    // The locations, as given and in order (Run only).
    QStringList locations;
    // What to print: the help or the version (standard output), or a short
    // error followed by the usage (standard error).
    QString text;

    // arguments.first() is the program as it was started.
    static CommandLine parse(const QStringList &arguments);

    // 0, or 2 when the command line was refused.
    int exitCode() const { return action == Action::Refuse ? 2 : 0; }

    // The help: option names and their descriptions in two columns, lined
    // up by display width (a Chinese character takes two columns), every
    // line within kHelpColumns.
    static QString helpText();
    static constexpr int kHelpColumns = 80;
};
