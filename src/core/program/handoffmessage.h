#pragma once

#include "core/playlist/playlistmodel.h"

#include <QByteArray>
#include <QStringList>

// The message a second start sends to the running instance: "TNV1", the
// length of the rest as a 32-bit big-endian number, then the locations in
// UTF-8, one a line (locations never hold a line break). The running
// instance answers with the single byte kAccepted.
namespace HandOffMessage {

inline constexpr char kAccepted = 'k';
// More than any command line can carry, and no more than the list can take
// in at once (see PlaylistModel).
inline constexpr qsizetype kMaxPayload = 16 * 1024 * 1024;
inline constexpr qsizetype kMaxLocations = PlaylistModel::kMaxItems;

// The locations that fit within both limits, the first ones first.
QByteArray encode(const QStringList &locations);

enum class Status { Incomplete, Complete, Invalid };

// Reads the message at the start of bytes: Incomplete while more is to
// come, Invalid when the bytes cannot be a message (or one too large).
// Locations past kMaxLocations are left out.
Status decode(const QByteArray &bytes, QStringList *locations);

} // namespace HandOffMessage
