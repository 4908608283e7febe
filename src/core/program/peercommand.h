#pragma once

#include <QString>

#include <array>
#include <optional>

// What a later start asks of the running instance: open (append and play
// the locations, or only come forward), enqueue (append only), or one of
// the transport commands. Their names are those of the command-line options
// and of the hand-off message.
enum class PeerCommand { Open, Enqueue, Play, Pause, PlayPause, Stop, Next, Previous };

namespace PeerCommands {

inline constexpr std::array<const char *, 8> kNames { "open", "enqueue", "play", "pause",
    "play-pause", "stop", "next", "previous" };

inline QString name(PeerCommand command)
{
    return QString::fromLatin1(kNames[size_t(command)]);
}

inline std::optional<PeerCommand> fromName(QStringView name)
{
    for (size_t i = 0; i < kNames.size(); ++i) {
        if (name == QLatin1String(kNames[i]))
            return PeerCommand(i);
    }
    return std::nullopt;
}

// The transport commands, which take no locations.
inline bool isTransport(PeerCommand command)
{
    return command != PeerCommand::Open && command != PeerCommand::Enqueue;
}

} // namespace PeerCommands
