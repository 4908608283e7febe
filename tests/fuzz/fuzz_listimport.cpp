// List import: any m3u, ram or pls file gives items, never comments, never
// a text that would read back otherwise.
#include "fuzzcheck.h"

#include "core/playlist/listfile.h"

#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    static const QStringList names { QStringLiteral("a.m3u"), QStringLiteral("a.ram"),
        QStringLiteral("a.pls") };
    const QString path = dir.filePath(names.at(size % 3));
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(reinterpret_cast<const char *>(data), qint64(size)) == qint64(size));
    }
    const ListFile::ImportResult result = ListFile::import(path);
    FUZZ_CHECK(result.complete);
    for (const PlaylistItem &item : result.items) {
        FUZZ_CHECK(!ListFile::isComment(item.text));
        FUZZ_CHECK(!item.text.contains(u'\r') && !item.text.contains(u'\n'));
        FUZZ_CHECK((item.icon == PlaylistItem::Icon::File)
            == item.text.startsWith(QLatin1String("file://"), Qt::CaseInsensitive));
    }
    QFile::remove(path);
    return 0;
}
