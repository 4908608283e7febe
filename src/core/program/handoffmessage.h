#pragma once

#include <QByteArray>
#include <QStringList>

// The message a second start sends to the running instance: "TNV1", the
// length of the rest as a 32-bit big-endian number, then the locations in
// UTF-8, one a line (locations never hold a line break). The running
// instance answers with the single byte kAccepted.
namespace HandOffMessage {

inline constexpr char kAccepted = 'k';
// Far more than any command line can carry.
inline constexpr qsizetype kMaxPayload = 64 * 1024 * 1024;

QByteArray encode(const QStringList &locations);

enum class Status { Incomplete, Complete, Invalid };

// Reads the message at the start of bytes: Incomplete while more is to
// come, Invalid when the bytes cannot be a message (or one too large).
Status decode(const QByteArray &bytes, QStringList *locations);

} // namespace HandOffMessage
