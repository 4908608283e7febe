// RAM, m3u and pls expansion over a file system in memory: the input is up
// to four list files (split at NUL bytes) that may name each other and a few
// media files. However they nest, each list is read once, the entries stay
// within the limit and every local entry is a file that exists.
#include "fuzzcheck.h"

#include "engine/ramlist.h"
#include "support/memoryfiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QStringList lists { QStringLiteral("/f/a.ram"), QStringLiteral("/f/b.m3u"),
        QStringLiteral("/f/sub/c.pls"), QStringLiteral("/f/sub/d.rmm") };
    MemoryFiles files;
    for (const char *media : { "/f/x.mp3", "/f/sub/y.rm", "/f/z z.mp3", "/f/%41.mp3" })
        files.add(QString::fromLatin1(media), "media");
    const QList<QByteArray> parts = fuzzBytes(data, size).split('\0');
    for (qsizetype i = 0; i < qMin(parts.size(), lists.size()); ++i)
        files.add(lists.at(i), parts.at(i));

    const RamList::Expansion expansion = RamList::expand(lists.first(), files);
    FUZZ_CHECK(files.reads() <= lists.size());
    FUZZ_CHECK(expansion.entries.size() <= RamList::kMaxEntries);
    FUZZ_CHECK(expansion.entries.isEmpty() != expansion.error.isEmpty());
    for (const SourceLocation &entry : expansion.entries) {
        FUZZ_CHECK(entry.kind != SourceLocation::Kind::List);
        if (entry.isLocal())
            FUZZ_CHECK(entry.exists && files.isFile(entry.location));
    }
    return 0;
}
