// Source locations: any text resolves, a local one only to a file that
// exists or to nothing, and pnm only ever becomes rtsp.
#include "fuzzcheck.h"

#include "core/text/textfile.h"
#include "engine/remotelist.h"
#include "engine/sourcelocation.h"
#include "support/memoryfiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static MemoryFiles files;
    static const bool filled = [] {
        for (const char *name : { "/f/a.mp3", "/f/b c.rm", "/f/%41.mp3", "/f/list.ram" })
            files.add(QString::fromLatin1(name), "x");
        return true;
    }();
    Q_UNUSED(filled);
    const QString text = TextFile::decode(fuzzBytes(data, size));
    const SourceLocation location = SourceLocation::resolve(text, QStringLiteral("/f"), files);
    FUZZ_CHECK(location.original == text);
    if (location.isLocal() && location.exists)
        FUZZ_CHECK(files.isFile(location.location));
    if (location.fromPnm)
        FUZZ_CHECK(location.location.startsWith(QLatin1String("rtsp://")));
    if (location.kind == SourceLocation::Kind::Url)
        FUZZ_CHECK(location.location.contains(QLatin1String("://")));
    RemoteList::isRemoteList(text);
    return 0;
}
