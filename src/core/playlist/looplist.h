#pragma once

#include <QStringList>

// looptemp.ram: the RAM list handed to the engine to play on through the
// playlist (a double click while looping) or in random order.
namespace LoopList {

inline constexpr char16_t kFileName[] = u"looptemp.ram";

// Every text once, starting at index start (0-based) and wrapping round to
// the first, so the chosen item plays first.
QStringList rotated(const QStringList &texts, qsizetype start);

// Replaces the file with the texts, one a line with CR LF, unchanged.
bool write(const QString &path, const QStringList &texts);

} // namespace LoopList
