#include "core/program/desktopmixers.h"

namespace DesktopMixers {

std::optional<Command> find(const FindProgram &findProgram)
{
    const Command candidates[] = {
        { QStringLiteral("pavucontrol"), {} },
        { QStringLiteral("pavucontrol-qt"), {} },
        { QStringLiteral("gnome-control-center"), { QStringLiteral("sound") } },
        { QStringLiteral("kcmshell6"), { QStringLiteral("kcm_pulseaudio") } },
        { QStringLiteral("kcmshell5"), { QStringLiteral("kcm_pulseaudio") } },
        { QStringLiteral("xfce4-mixer"), {} },
    };
    for (const Command &candidate : candidates) {
        const QString path = findProgram(candidate.program);
        if (!path.isEmpty())
            return Command { path, candidate.arguments };
    }
    return std::nullopt;
}

} // namespace DesktopMixers
