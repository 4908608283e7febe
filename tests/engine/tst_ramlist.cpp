// Lists the engine expands itself: RAM, m3u and pls files as the playlist
// and other programs write them.
#include "core/playlist/listfile.h"
#include "engine/fileaccess.h"
#include "engine/playbackstatus.h"
#include "engine/ramlist.h"
#include "engine/remotelist.h"
#include "support/memoryfiles.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {

// The disk, counting the list files read.
class CountingDisk : public FileAccess
{
public:
    RegularFile::Contents read(const QString &path, qint64 maxBytes) const override
    {
        ++reads;
        return FileAccess::read(path, maxBytes);
    }
    mutable int reads = 0;
};

} // namespace

class TestRamList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();

    void entriesSkipCommentsAndBlankLines();
    void plsTakesFileValuesInNumberOrder();
    void lineEndingsOfAllKindsSplitEntries();
    void entriesResolveAgainstTheListsFolder();
    void gbkListFindsChineseFileNames();
    void missingLocalEntriesAreLeftOut();
    void nestedListsExpandAndSelfReferenceEnds();
    void aNestedListBombReadsEachListOnce();
    void expansionKeepsAtMostTheEntryLimit();
    void specialFilesAsListsAreRefusedAtOnce();
    void playlistAndEngineReadLinesAlike();
    void unreadableOrEmptyListsExplainWhy();
    void expandSourceTakesSingleSourcesAsTheyAre();
    void folderAsSourceCannotBeRead();
    void remoteListsAreKnownByTheirAddress_data();
    void remoteListsAreKnownByTheirAddress();
    void remoteEntriesResolveAgainstTheListsAddress();
    void remoteListsNameOnlyNetworkStreams();
    void remoteHlsPlaylistIsPlayedWhole();

private:
    QString write(const QString &name, const QByteArray &bytes);
    QString touch(const QString &name);
    static QStringList locations(const RamList::Expansion &expansion);

    QTemporaryDir m_dir;
};

void TestRamList::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("sub/deeper")));
}

QString TestRamList::write(const QString &name, const QByteArray &bytes)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
    return path;
}

QString TestRamList::touch(const QString &name)
{
    return write(name, QByteArrayLiteral("x"));
}

QStringList TestRamList::locations(const RamList::Expansion &expansion)
{
    QStringList result;
    for (const SourceLocation &entry : expansion.entries)
        result << entry.location;
    return result;
}

void TestRamList::entriesSkipCommentsAndBlankLines()
{
    const QStringList lines { QStringLiteral("\uFEFF#EXTM3U"), QStringLiteral("#EXTINF:12,Tone"),
        QStringLiteral("a.mp3"), QString(), QStringLiteral("   "),
        QStringLiteral("  # indented comment"), QStringLiteral("--stop--"),
        QStringLiteral("http://host/b.rm"), QStringLiteral("c#1.mp3") };
    QCOMPARE(RamList::entries(lines, RamList::Format::Lines),
        QStringList({ QStringLiteral("a.mp3"), QStringLiteral("http://host/b.rm"),
            QStringLiteral("c#1.mp3") }));
}

void TestRamList::plsTakesFileValuesInNumberOrder()
{
    const QStringList lines { QStringLiteral("[playlist]"), QStringLiteral("File2=second.mp3"),
        QStringLiteral("Title2=Second"), QStringLiteral("file10=tenth.mp3"),
        QStringLiteral("File1 = first song.mp3"), QStringLiteral("File3="),
        QStringLiteral("NumberOfEntries=3") };
    QCOMPARE(RamList::entries(lines, RamList::Format::Pls),
        QStringList({ QStringLiteral("first song.mp3"), QStringLiteral("second.mp3"),
            QStringLiteral("tenth.mp3") }));
    QCOMPARE(RamList::formatOf(QStringLiteral("/x/LIST.PLS")), RamList::Format::Pls);
    QCOMPARE(RamList::formatOf(QStringLiteral("/x/looptemp.ram")), RamList::Format::Lines);
}

void TestRamList::lineEndingsOfAllKindsSplitEntries()
{
    const QString a = touch(QStringLiteral("e1.mp3"));
    const QString b = touch(QStringLiteral("e2.mp3"));
    const QString c = touch(QStringLiteral("e3.mp3"));
    const QString d = touch(QStringLiteral("e4.mp3"));
    const QString list = write(QStringLiteral("endings.ram"), "e1.mp3\re2.mp3\r\ne3.mp3\ne4.mp3");
    QCOMPARE(locations(RamList::expand(list)), QStringList({ a, b, c, d }));
}

void TestRamList::entriesResolveAgainstTheListsFolder()
{
    const QString here = touch(QStringLiteral("sub/here.mp3"));
    const QString deeper = touch(QStringLiteral("sub/deeper/down.mp3"));
    const QString above = touch(QStringLiteral("above.mp3"));
    const QByteArray text = "here.mp3\r\n"
                            "file://deeper/down.mp3\r\n"
                            "../above.mp3\r\n"
                            "file://"
        + above.toUtf8()
        + "\r\n"
          "pnm://radio.example/live.rm\r\n"
          "http://radio.example/x.mp3\r\n";
    const QString list = write(QStringLiteral("sub/list.rmm"), text);
    const RamList::Expansion expansion = RamList::expand(list);
    QCOMPARE(locations(expansion),
        QStringList(
            { here, deeper, above, above, QStringLiteral("rtsp://radio.example:554/live.rm"),
                QStringLiteral("http://radio.example/x.mp3") }));
    QVERIFY(expansion.entries.at(4).fromPnm);
    QVERIFY(expansion.error.isEmpty());
}

void TestRamList::gbkListFindsChineseFileNames()
{
    const QString song = touch(QStringLiteral("中文 歌曲.mp3"));
    QStringEncoder gbk("GB18030");
    QVERIFY(gbk.isValid());
    const QByteArray bytes = gbk(QStringLiteral("# 列表\r\n中文 歌曲.mp3\r\n"));
    QVERIFY(
        QString(QStringDecoder(QStringDecoder::Utf8)(bytes)).contains(QChar::ReplacementCharacter));
    const QString list = write(QStringLiteral("gbk.m3u"), bytes);
    QCOMPARE(locations(RamList::expand(list)), QStringList({ song }));
}

void TestRamList::missingLocalEntriesAreLeftOut()
{
    const QString kept = touch(QStringLiteral("kept.mp3"));
    const QString list
        = write(QStringLiteral("partly.ram"), "gone.mp3\nkept.mp3\nfile:///nowhere/at/all.mp3\n");
    QCOMPARE(locations(RamList::expand(list)), QStringList({ kept }));

    // Lines the core would read as its own descriptors are refused like
    // missing files; a list of one such entry says why it alone failed.
    const QString hostile = write(QStringLiteral("hostile.ram"), "fdclose://4\nkept.mp3\nfd://0\n");
    QCOMPARE(locations(RamList::expand(hostile)), QStringList({ kept }));
    QCOMPARE(RamList::expand(write(QStringLiteral("fd.ram"), "fdclose://4\n")).error,
        QStringLiteral("不支持的地址类型: fdclose://4"));
    QCOMPARE(
        ::mkfifo(QFile::encodeName(m_dir.filePath(QStringLiteral("pipe.mp3"))).constData(), 0600),
        0);
    QCOMPARE(RamList::expand(write(QStringLiteral("pipe.ram"), "pipe.mp3\n")).error,
        QStringLiteral("无法读取文件 pipe.mp3"));
}

void TestRamList::nestedListsExpandAndSelfReferenceEnds()
{
    const QString one = touch(QStringLiteral("n1.mp3"));
    const QString two = touch(QStringLiteral("n2.mp3"));
    write(QStringLiteral("inner.m3u"), "n2.mp3\n");
    const QString outer = write(QStringLiteral("outer.ram"), "n1.mp3\ninner.m3u\n");
    QCOMPARE(locations(RamList::expand(outer)), QStringList({ one, two }));

    const QString self = write(QStringLiteral("self.ram"), "n1.mp3\nself.ram\nouter.ram\n");
    QCOMPARE(locations(RamList::expand(self)), QStringList({ one, one, two }));
}

void TestRamList::aNestedListBombReadsEachListOnce()
{
    // Four lists that each name the others forty times: read every time they
    // are named, they would give millions of entries.
    const QStringList names { QStringLiteral("ba.ram"), QStringLiteral("bb.ram"),
        QStringLiteral("bc.ram"), QStringLiteral("bd.ram") };
    QStringList songs;
    for (int i = 0; i < names.size(); ++i) {
        songs << touch(QStringLiteral("bomb%1.mp3").arg(i));
        QByteArray text = "bomb" + QByteArray::number(i) + ".mp3\n";
        for (int k = 0; k < 40; ++k)
            text += names.at((i + 1 + k % 3) % 4).toUtf8() + "\n";
        write(names.at(i), text);
    }
    CountingDisk disk;
    const RamList::Expansion expansion = RamList::expand(m_dir.filePath(names.first()), disk);
    QCOMPARE(disk.reads, 4);
    QCOMPARE(locations(expansion), songs);
    QVERIFY(!expansion.truncated);
}

void TestRamList::expansionKeepsAtMostTheEntryLimit()
{
    MemoryFiles files;
    files.add(QStringLiteral("/m/a.mp3"), "x");
    files.add(QStringLiteral("/m/full.ram"), QByteArray("a.mp3\n").repeated(RamList::kMaxEntries));
    files.add(QStringLiteral("/m/over.ram"), "full.ram\na.mp3\n");
    const RamList::Expansion full = RamList::expand(QStringLiteral("/m/full.ram"), files);
    QCOMPARE(full.entries.size(), RamList::kMaxEntries);
    QVERIFY(!full.truncated);
    const RamList::Expansion over = RamList::expand(QStringLiteral("/m/over.ram"), files);
    QCOMPARE(over.entries.size(), RamList::kMaxEntries);
    QVERIFY(over.truncated);

    // Entries that name nothing count too: a list of missing files ends as well.
    files.add(QStringLiteral("/m/gone.ram"),
        QByteArray("gone.mp3\n").repeated(3 * RamList::kMaxEntries) + "a.mp3\n");
    const RamList::Expansion gone = RamList::expand(QStringLiteral("/m/gone.ram"), files);
    QVERIFY(gone.entries.isEmpty());
    QVERIFY(gone.truncated);

    PlaybackStatus status;
    status.entries = int(RamList::kMaxEntries);
    status.entry = 0;
    status.listTruncated = true;
    QVERIFY2(
        status.entryText().contains(QStringLiteral("列表过长")), qPrintable(status.entryText()));
}

void TestRamList::specialFilesAsListsAreRefusedAtOnce()
{
    const QString fifo = m_dir.filePath(QStringLiteral("fifo.ram"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QCOMPARE(RamList::expand(fifo).error, QStringLiteral("无法读取列表文件 fifo.ram"));
    const QString zero = m_dir.filePath(QStringLiteral("zero.m3u"));
    QVERIFY(QFile::link(QStringLiteral("/dev/zero"), zero));
    QCOMPARE(RamList::expand(zero).error, QStringLiteral("无法读取列表文件 zero.m3u"));
    const QString song = touch(QStringLiteral("special.mp3"));
    const QString outer
        = write(QStringLiteral("outer special.ram"), "fifo.ram\nzero.m3u\nspecial.mp3\n");
    QCOMPARE(locations(RamList::expand(outer)), QStringList { song });

    MemoryFiles files;
    files.add(QStringLiteral("/m/huge.ram"), QByteArray(RegularFile::kListFileLimit + 1, '\n'));
    QCOMPARE(RamList::expand(QStringLiteral("/m/huge.ram"), files).error,
        QStringLiteral("列表文件太大 huge.ram"));
}

void TestRamList::playlistAndEngineReadLinesAlike()
{
    // One rule for a U+FEFF at the start of a line: not part of the item.
    const QStringList lines { QStringLiteral(u"\uFEFF#hidden"), QStringLiteral(u"\uFEFFa.mp3"),
        QStringLiteral(u"\uFEFF\uFEFFb.mp3"), QStringLiteral("c.mp3") };
    QStringList items;
    for (const PlaylistItem &item : ListFile::itemsFromLines(lines, &PlaylistItem::iconForSaved))
        items << item.text;
    QCOMPARE(items, RamList::entries(lines, RamList::Format::Lines));
    QCOMPARE(items,
        (QStringList {
            QStringLiteral("a.mp3"), QStringLiteral("b.mp3"), QStringLiteral("c.mp3") }));
}

void TestRamList::unreadableOrEmptyListsExplainWhy()
{
    const RamList::Expansion missing = RamList::expand(m_dir.filePath(QStringLiteral("no.ram")));
    QVERIFY(missing.entries.isEmpty());
    QCOMPARE(missing.error, QStringLiteral("找不到列表文件 no.ram"));

    const QString empty = write(QStringLiteral("empty.ram"), "# nothing\r\n\r\n");
    QCOMPARE(RamList::expand(empty).error, QStringLiteral("列表中没有可播放的条目"));
}

void TestRamList::expandSourceTakesSingleSourcesAsTheyAre()
{
    const QString file = touch(QStringLiteral("single 100%20.mp3"));
    QCOMPARE(
        locations(RamList::expandSource(QStringLiteral("file://") + file)), QStringList({ file }));
    QCOMPARE(locations(RamList::expandSource(QStringLiteral("http://h/a.ram"))),
        QStringList({ QStringLiteral("http://h/a.ram") }));
    const RamList::Expansion missing = RamList::expandSource(QStringLiteral("/nowhere/x.mp3"));
    QVERIFY(missing.entries.isEmpty());
    QCOMPARE(missing.error, QStringLiteral("找不到文件 x.mp3"));
    const QString list = write(QStringLiteral("one.ram"), "kept.mp3\n");
    touch(QStringLiteral("kept.mp3"));
    QCOMPARE(RamList::expandSource(list).entries.size(), 1);
}

void TestRamList::folderAsSourceCannotBeRead()
{
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("songs")));
    for (const QString &source : { m_dir.filePath(QStringLiteral("songs")),
             QStringLiteral("file://") + m_dir.filePath(QStringLiteral("songs/")) }) {
        const RamList::Expansion folder = RamList::expandSource(source);
        QVERIFY(folder.entries.isEmpty());
        QCOMPARE(folder.error, QStringLiteral("无法读取 songs: 这是一个文件夹"));
    }
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("folder.ram")));
    QCOMPARE(RamList::expandSource(m_dir.filePath(QStringLiteral("folder.ram"))).error,
        QStringLiteral("无法读取列表文件 folder.ram"));
}

void TestRamList::remoteListsAreKnownByTheirAddress_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<bool>("remoteList");
    QTest::newRow("ram") << QStringLiteral("http://h/live.ram") << true;
    QTest::newRow("upper case, https") << QStringLiteral(" HTTPS://h/a/LIVE.RMM ") << true;
    QTest::newRow("query") << QStringLiteral("http://h/list.pls?id=3") << true;
    QTest::newRow("m3u") << QStringLiteral("http://h/list.m3u") << true;
    QTest::newRow("hls m3u8") << QStringLiteral("http://h/index.m3u8") << false;
    QTest::newRow("ram only in query") << QStringLiteral("http://h/get?f=a.ram") << false;
    QTest::newRow("rtsp") << QStringLiteral("rtsp://h/a.ram") << false;
    QTest::newRow("stream") << QStringLiteral("http://h/a.mp3") << false;
    QTest::newRow("local") << QStringLiteral("/music/a.ram") << false;
}

void TestRamList::remoteListsAreKnownByTheirAddress()
{
    QFETCH(QString, source);
    QFETCH(bool, remoteList);
    QCOMPARE(RemoteList::isRemoteList(source), remoteList);
}

void TestRamList::remoteEntriesResolveAgainstTheListsAddress()
{
    QStringEncoder gbk("GB18030");
    const QByteArray bytes = gbk(QStringLiteral("# 电台\r\n"
                                                "pnm://radio.example/live.rm\n"
                                                "two.mp3\r"
                                                "sub\\歌 1.mp3\r\n"
                                                "/top.ra\r\n"
                                                "//cdn.example/x.rm\r\n"
                                                "../up.mp3\r\n"));
    const RamList::Expansion expansion
        = RemoteList::expand(bytes, QUrl(QStringLiteral("https://h.example/lists/radio.ram")));
    QCOMPARE(locations(expansion),
        QStringList({ QStringLiteral("rtsp://radio.example:554/live.rm"),
            QStringLiteral("https://h.example/lists/two.mp3"),
            QStringLiteral("https://h.example/lists/sub/%E6%AD%8C%201.mp3"),
            QStringLiteral("https://h.example/top.ra"), QStringLiteral("https://cdn.example/x.rm"),
            QStringLiteral("https://h.example/up.mp3") }));
    QVERIFY(expansion.entries.first().fromPnm);
    QVERIFY(expansion.error.isEmpty());

    const QByteArray pls = "[playlist]\nFile2=b.mp3\nFile1=http://s.example/a.mp3\n";
    QCOMPARE(locations(RemoteList::expand(pls, QUrl(QStringLiteral("http://h/p.pls")))),
        QStringList(
            { QStringLiteral("http://s.example/a.mp3"), QStringLiteral("http://h/b.mp3") }));
}

void TestRamList::remoteListsNameOnlyNetworkStreams()
{
    const QByteArray bytes = "file:///etc/passwd\n"
                             "C:\\music\\a.mp3\n"
                             "\\\\server\\share\\b.mp3\n"
                             "fd://0\n"
                             "edl://%10%/etc/hosts\n"
                             "av://file:/etc/hosts\n"
                             "mailto:someone@example.com\n"
                             "http:/etc/passwd\n"
                             "http:///etc/passwd\n"
                             "https:relative.mp3\n"
                             "pnm:/etc/hosts\n";
    const RamList::Expansion expansion
        = RemoteList::expand(bytes, QUrl(QStringLiteral("http://h/a.ram")));
    QVERIFY2(expansion.entries.isEmpty(), qPrintable(locations(expansion).join(u' ')));
    QCOMPARE(expansion.error, QStringLiteral("列表中没有可播放的条目"));
}

void TestRamList::remoteHlsPlaylistIsPlayedWhole()
{
    const QByteArray bytes = "#EXTM3U\n#EXT-X-TARGETDURATION:10\n#EXTINF:10,\nseg1.ts\nseg2.ts\n";
    QCOMPARE(locations(RemoteList::expand(bytes, QUrl(QStringLiteral("http://h/live.m3u")))),
        QStringList({ QStringLiteral("http://h/live.m3u") }));
}

QTEST_GUILESS_MAIN(TestRamList)
#include "tst_ramlist.moc"
