#pragma once

#include "engine/ramlist.h"

#include <QByteArray>
#include <QString>
#include <QUrl>

// Lists at http and https addresses (RAM, RMM, m3u, pls). The player core
// cannot read RAM lists, so the engine downloads these itself and plays
// their entries. m3u8 is left to the core: it is how HLS streams arrive.
class RemoteList
{
public:
    // Whether a clip source is such a list, judged by its address's path.
    static bool isRemoteList(const QString &source);

    // The playable entries of a downloaded list. listUrl is where it was
    // found in the end (after redirects): relative entries resolve against
    // it. Entries may only name network streams (absolute URLs with a host
    // and a network scheme); local files, file:// and the core's special
    // protocols are left out. At most RamList::kMaxEntries are kept. A list
    // that turns out to be an HLS playlist is played as a whole by the core.
    static RamList::Expansion expand(const QByteArray &bytes, const QUrl &listUrl);

private:
    static bool isHls(QStringView text);
    static QString entryAddress(const QString &text, const QUrl &listUrl);
};
