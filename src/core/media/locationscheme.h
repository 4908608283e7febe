#pragma once

#include <QString>
#include <QStringView>

// Which locations may reach the media engine: local files (a path, or
// "file://" and a path) and network streams. The player core opens other
// "scheme://" forms as well (fd://, fdclose://, memory://, lavf://, av://,
// edl:// and more) that read or close the program's own descriptors, or hand
// the text to any protocol FFmpeg knows. A list, an item or a command line
// must never reach those, so every location passes this one rule.
namespace LocationScheme {

// The scheme of "scheme://..." at the very start, in lower case; empty when
// there is none.
QString of(QStringView location);

// http, https, rtsp, rtmp, mms, pnm, ftp and their variants.
bool isNetwork(QStringView scheme);

// A location without a scheme (a path), a file:// location or a network
// address: what the engine may open.
bool mayPlay(QStringView location);

} // namespace LocationScheme
