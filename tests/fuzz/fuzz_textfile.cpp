// Text decoding and line splitting: any bytes decode, and what the program
// writes from the lines reads back the same.
#include "fuzzcheck.h"

#include "core/text/textfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = TextFile::decode(fuzzBytes(data, size));
    const QStringList lines = TextFile::splitLines(text);
    for (const QString &line : lines)
        FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n'));
    const QString written = lines.join(QLatin1String("\r\n")) + QLatin1String("\r\n");
    // A mark at the very start of a file is no text (items never begin with one).
    if (lines.isEmpty() || lines.first().startsWith(QChar(0xFEFF)))
        return 0;
    const QString reread = TextFile::decode(TextFile::encodeForFile(written));
    FUZZ_CHECK(reread == written);
    FUZZ_CHECK(TextFile::splitLines(reread) == lines);
    return 0;
}
