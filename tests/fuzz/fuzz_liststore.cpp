// The list store: whatever xlist.cfg holds loads, and a list once loaded
// survives a save and a load unchanged.
#include "fuzzcheck.h"

#include "core/playlist/listfile.h"
#include "core/playlist/playlistmodel.h"
#include "core/playlist/playliststore.h"

#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("xlist.cfg"));
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(reinterpret_cast<const char *>(data), qint64(size)) == qint64(size));
    }
    PlaylistModel model;
    PlaylistStore store(path);
    FUZZ_CHECK(store.load(model) == PlaylistStore::LoadStatus::Loaded);
    for (const QString &text : model.texts())
        FUZZ_CHECK(!ListFile::isComment(text) && !text.startsWith(QChar(0xFEFF)));
    FUZZ_CHECK(store.save(model));

    PlaylistModel reloaded;
    FUZZ_CHECK(PlaylistStore(path).load(reloaded) == PlaylistStore::LoadStatus::Loaded);
    FUZZ_CHECK(reloaded.texts() == model.texts());
    for (int row = 1; row <= model.itemCount(); ++row)
        FUZZ_CHECK(reloaded.item(row).icon == model.item(row).icon);
    return 0;
}
