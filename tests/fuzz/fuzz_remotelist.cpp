// Lists downloaded from a web server: only absolute network addresses with a
// host come out, never a local path or another protocol.
#include "fuzzcheck.h"

#include "engine/remotelist.h"

#include <QUrl>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QList<QUrl> where { QUrl(QStringLiteral("http://h.example/lists/a.ram")),
        QUrl(QStringLiteral("https://h.example/p.pls")) };
    static const QStringList allowed { QStringLiteral("http"), QStringLiteral("https"),
        QStringLiteral("rtsp"), QStringLiteral("rtsps"), QStringLiteral("rtmp"),
        QStringLiteral("rtmps"), QStringLiteral("mms"), QStringLiteral("mmsh"),
        QStringLiteral("mmst"), QStringLiteral("ftp") };
    const QUrl listUrl = where.at(size % 2);
    const RamList::Expansion expansion = RemoteList::expand(fuzzBytes(data, size), listUrl);
    FUZZ_CHECK(expansion.entries.size() <= RamList::kMaxEntries);
    for (const SourceLocation &entry : expansion.entries) {
        FUZZ_CHECK(entry.kind == SourceLocation::Kind::Url);
        const QUrl url(entry.location);
        FUZZ_CHECK(url.isValid() && !url.host().isEmpty());
        FUZZ_CHECK(allowed.contains(url.scheme().toLower()));
    }
    return 0;
}
