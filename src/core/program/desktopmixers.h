#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The sound mixers of the common desktops, in the order they are tried.
namespace DesktopMixers {

struct Command
{
    QString program; // a full path once found
    QStringList arguments;
};

// Finds a program on the PATH; returns its full path or an empty string.
using FindProgram = std::function<QString(const QString &name)>;

// The first installed mixer, or none.
std::optional<Command> find(const FindProgram &findProgram);

// The Debian package to install when there is none.
inline QString suggestedPackage()
{
    return QStringLiteral("pavucontrol");
}

} // namespace DesktopMixers
