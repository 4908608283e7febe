#pragma once

#include "core/playlist/playlistmodel.h"
#include "core/program/peercommand.h"

#include <QByteArray>
#include <QStringList>

// The message a second start sends to the running instance: "TNV1", the
// length of the rest as a 32-bit big-endian number, then the locations in
// UTF-8, one a line (locations never hold a line break). The running
// instance answers with the single byte kAccepted. Any other command than
// opening goes as "TNV2": the same, with the command's name as the first
// line; so an older start's message still reads as it did.
namespace HandOffMessage {

inline constexpr char kAccepted = 'k';
// More than any command line can carry, and no more than the list can take
// in at once (see PlaylistModel).
inline constexpr qsizetype kMaxPayload = 16 * 1024 * 1024;
inline constexpr qsizetype kMaxLocations = PlaylistModel::kMaxItems;

// The locations that fit within both limits, the first ones first.
QByteArray encode(const QStringList &locations, PeerCommand command = PeerCommand::Open);

enum class Status { Incomplete, Complete, Invalid };

// Reads the message at the start of bytes: Incomplete while more is to
// come, Invalid when the bytes cannot be a message (or one too large).
// Locations past kMaxLocations are left out.
Status decode(const QByteArray &bytes, QStringList *locations);
// The same, with the command; an unknown command is Invalid.
Status decode(const QByteArray &bytes, PeerCommand *command, QStringList *locations);

} // namespace HandOffMessage
