#include "core/playlist/externalplayers.h"
#include "core/playlist/listfile.h"
#include "core/playlist/listprefetch.h"
#include "core/playlist/playlistmodel.h"
#include "core/playlist/playliststore.h"
#include "core/playlist/randomorder.h"
#include "core/program/appfolder.h"
#include "core/text/listwriter.h"
#include "support/ordinaryuser.h"
#include "support/testfiles.h"

#include <QDir>
#include <QSet>
#include <QSignalSpy>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using Icon = PlaylistItem::Icon;

using TestFiles::readBytes;
using TestFiles::writeBytes;

// Icons as letters, F for the file icon and A for the address icon.
static QString iconLetters(const QList<PlaylistItem> &items)
{
    QString letters;
    for (const PlaylistItem &item : items)
        letters += item.icon == Icon::File ? u'F' : u'A';
    return letters;
}

static QList<PlaylistItem> itemsOf(const PlaylistModel &model)
{
    QList<PlaylistItem> items;
    for (int row = 1; row <= model.itemCount(); ++row)
        items << model.item(row);
    return items;
}

// The list model, xlist.cfg and list files, the other players and random picks.
class PlaylistCoreTest : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    void bulkAppendInsertsOnceAndSelectsTheLastItem()
    {
        PlaylistModel model;
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy current(&model, &PlaylistModel::currentCellChanged);
        model.appendItems(
            QList<PlaylistItem>(100000, { Icon::Address, QStringLiteral("http://h/a.rm") }));
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(current.count(), 1);
        QCOMPARE(model.rowCount(), 100001);
        QCOMPARE(model.currentRow(), 100000);
    }

    void theListTakesOnlyWhatItCanReadBack()
    {
        PlaylistModel model;
        QSignalSpy refused(&model, &PlaylistModel::itemsRefused);
        const PlaylistItem item { Icon::Address, QStringLiteral("h") };
        QCOMPARE(model.appendItems(QList<PlaylistItem>(PlaylistModel::kMaxItems - 1, item)), 0);
        QCOMPARE(model.appendItems(QList<PlaylistItem>(3, item)), 2);
        QVERIFY(!model.appendItem(Icon::Address, QStringLiteral("h")));
        QCOMPARE(refused.count(), 2);
        QCOMPARE(refused.first().first().value<qsizetype>(), 2);
        const QString xlist = path(QStringLiteral("full.cfg"));
        QVERIFY(PlaylistStore(xlist).save(model));
        PlaylistModel back;
        QCOMPARE(PlaylistStore(xlist).load(back), PlaylistStore::LoadStatus::Loaded);
        QCOMPARE(back.itemCount(), PlaylistModel::kMaxItems);

        // Long texts fill it by size first.
        PlaylistModel wide;
        const PlaylistItem chinese { Icon::Address, QString(100000, QChar(u'歌')) };
        const qsizetype fit = PlaylistModel::kMaxSavedBytes / (4 * 100000 + 2);
        QCOMPARE(wide.appendItems(QList<PlaylistItem>(fit + 10, chinese)), 10);

        // A longer list than the program reads is told apart and never overwritten.
        QFile more(path(QStringLiteral("more.cfg")));
        QVERIFY(more.open(QIODevice::WriteOnly));
        more.write(QByteArray(2 * (TextFile::kMaxLines + 1), '\n').replace("\n\n", "a\n"));
        more.close();
        PlaylistStore store(more.fileName());
        PlaylistModel partial;
        QCOMPARE(store.load(partial), PlaylistStore::LoadStatus::TooLarge);
        QVERIFY(!store.save(partial));
    }

    void loadingTheList_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("icons");
        const QStringList two { QStringLiteral("file://C:\\a.mp3"),
            QStringLiteral("FILE://C:\\b.mp3") };
        QTest::newRow("CR LF, comment")
            << QByteArray("#\r\nfile://C:\\a.mp3\r\nFILE://C:\\b.mp3\r\n") << two
            << QStringLiteral("FA");
        QTest::newRow("no final ending")
            << QByteArray("file://C:\\a.mp3\r\nFILE://C:\\b.mp3") << two << QStringLiteral("FA");
        QTest::newRow("LF only") << QByteArray("file://C:\\a.mp3\nFILE://C:\\b.mp3\n") << two
                                 << QStringLiteral("FA");
        QTest::newRow("CR only") << QByteArray("file://C:\\a.mp3\rFILE://C:\\b.mp3\r") << two
                                 << QStringLiteral("FA");
        QTest::newRow("mixed") << QByteArray("#\nfile://C:\\a.mp3\r\n#x\rFILE://C:\\b.mp3\n") << two
                               << QStringLiteral("FA");
        QTest::newRow("empty file") << QByteArray() << QStringList() << QStringLiteral("");
        QTest::newRow("empty line, spaces kept")
            << QByteArray("\r\n  a  \r\n") << QStringList { QString(), QStringLiteral("  a  ") }
            << QStringLiteral("AA");
        // A byte-order mark at the start of the file or of a line is not part of the item.
        QTest::newRow("byte-order marks") << QByteArray(
            "\xEF\xBB\xBF"
            "file://C:\\a.mp3\r\n\xEF\xBB\xBF#hidden\r\n"
            "\xEF\xBB\xBF"
            "FILE://C:\\b.mp3\r\n") << two << QStringLiteral("FA");
        // Bytes neither UTF-8 nor GB18030 (a Latin-1 list) still load, as Windows-1252.
        QTest::newRow("Latin-1") << QByteArray("Caf\xe9.mp3\r\n\x80.rm\r\n")
                                 << QStringList { QStringLiteral(u"Café.mp3"),
                                        QStringLiteral(u"€.rm") }
                                 << QStringLiteral("AA");
        QTest::newRow("GBK") << QByteArray(
            QStringEncoder("GB18030")(QStringLiteral(u"file://D:\\音乐\\青花瓷.mp3\r\n")))
                             << QStringList { QStringLiteral(u"file://D:\\音乐\\青花瓷.mp3") }
                             << QStringLiteral("F");
    }

    void aListNoEncodingFitsLoadsAndSavesWithoutLoss()
    {
        writeBytes(path(QStringLiteral("xlist.cfg")), "\xff\x80zz\r\nhttp://h/ok\r\n");
        PlaylistModel model;
        PlaylistStore store(path(QStringLiteral("xlist.cfg")));
        QCOMPARE(store.load(model), PlaylistStore::LoadStatus::Loaded);
        QCOMPARE(model.texts(),
            (QStringList { QStringLiteral(u"ÿ€zz"), QStringLiteral("http://h/ok") }));
        model.appendItem(Icon::Address, QStringLiteral("http://h/new"));
        QVERIFY(store.save(model)); // not frozen: the next change is saved too
        QCOMPARE(readBytes(path(QStringLiteral("xlist.cfg"))),
            QStringLiteral(u"ÿ€zz\r\nhttp://h/ok\r\nhttp://h/new\r\n").toUtf8());
    }

    void itemsNeverBeginWithAByteOrderMark()
    {
        PlaylistModel model;
        model.appendItem(Icon::Address, QStringLiteral(u"\uFEFFhttp://h/a.mp3"));
        model.appendItems({ { Icon::Address, QStringLiteral(u"\uFEFF\uFEFF#x") },
            { Icon::Address, QStringLiteral(u"b\uFEFF") } });
        // What is shown is what is saved and read back: a "#" item is seen as one.
        QCOMPARE(model.texts(),
            (QStringList { QStringLiteral("http://h/a.mp3"), QStringLiteral("#x"),
                QStringLiteral(u"b\uFEFF") }));
        const QString file = path(QStringLiteral("marks.cfg"));
        QVERIFY(PlaylistStore(file).save(model));
        PlaylistModel loaded;
        PlaylistStore(file).load(loaded);
        QCOMPARE(loaded.texts(),
            (QStringList { QStringLiteral("http://h/a.mp3"), QStringLiteral(u"b\uFEFF") }));
    }

    void aListLeftInAReadOnlyProgramFolderIsReadAndSavedPerUser()
    {
        const QString program = path(QStringLiteral("program"));
        const QString perUser = path(QStringLiteral("user/tunvia"));
        QVERIFY(QDir().mkpath(program));
        writeBytes(program + QStringLiteral("/xlist.cfg"), "http://h/kept.mp3\r\n");
        OrdinaryUser::openToEveryone(m_dir.path());
        OrdinaryUser::readOnlyForEveryone(program);
        QVERIFY(QDir().mkpath(perUser));
        OrdinaryUser::openToEveryone(path(QStringLiteral("user")));
        OrdinaryUser::openToEveryone(perUser);
        QStringList loaded;
        bool saved = false;
        {
            OrdinaryUser user;
            if (!user.active())
                QSKIP("cannot drop root rights here");
            const AppFolder folder = AppFolder::forProgram(program, perUser);
            const QString name = QStringLiteral("xlist.cfg");
            PlaylistStore store(folder.file(name), folder.fileToRead(name));
            PlaylistModel model;
            store.load(model);
            loaded = model.texts();
            model.appendItem(Icon::Address, QStringLiteral("http://h/new.mp3"));
            saved = store.save(model);
        }
        OrdinaryUser::openToEveryone(program);
        QCOMPARE(loaded, QStringList { QStringLiteral("http://h/kept.mp3") });
        QVERIFY(saved);
        QCOMPARE(readBytes(perUser + QStringLiteral("/xlist.cfg")),
            QByteArray("http://h/kept.mp3\r\nhttp://h/new.mp3\r\n"));
        QCOMPARE(
            readBytes(program + QStringLiteral("/xlist.cfg")), QByteArray("http://h/kept.mp3\r\n"));
        // From now on the per-user list is the one read.
        const AppFolder again = AppFolder::forProgram(path(QStringLiteral("missing")), perUser);
        QCOMPARE(
            again.fileToRead(QStringLiteral("xlist.cfg")), again.file(QStringLiteral("xlist.cfg")));
    }

    void loadingTheList()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, texts);
        QFETCH(QString, icons);
        writeBytes(path(QStringLiteral("xlist.cfg")), bytes);
        PlaylistModel model;
        QCOMPARE(PlaylistStore(path(QStringLiteral("xlist.cfg"))).load(model),
            PlaylistStore::LoadStatus::Loaded);
        QCOMPARE(model.texts(), texts);
        QCOMPARE(iconLetters(itemsOf(model)), icons);
        QCOMPARE(model.currentRow(), model.itemCount()); // the last item, or the header row
    }

    // A read held back for the windows begins when asked, or when the list
    // is needed before that: what the file holds then is what loads.
    void aDeferredListReadBeginsWhenAskedOrNeeded()
    {
        const QString file = path(QStringLiteral("xlist.cfg"));
        for (const bool asked : { true, false }) {
            writeBytes(file, "old\r\n");
            ListPrefetch prefetch(file, ListPrefetch::Start::WhenAsked);
            writeBytes(file, "new\r\n");
            QVERIFY(!prefetch.done().isFinished());
            if (asked) {
                prefetch.start();
                QTRY_VERIFY_WITH_TIMEOUT(prefetch.done().isFinished(), 10000);
            }
            PlaylistModel model;
            QCOMPARE(PlaylistStore(file).load(model, &prefetch), PlaylistStore::LoadStatus::Loaded);
            QCOMPARE(model.texts(), QStringList { QStringLiteral("new") });
            QVERIFY(prefetch.done().isFinished());
        }
    }

    void savesInTheBackgroundAreReadBackInOrder()
    {
        const QString file = path(QStringLiteral("xlist.cfg"));
        writeBytes(file, "old\r\n");
        PlaylistModel longList;
        for (int i = 0; i < 100000; ++i)
            longList.appendItem(Icon::Address, QStringLiteral("http://host/%1.mp3").arg(i));
        PlaylistModel last;
        last.appendItem(Icon::Address, QStringLiteral("last"));
        {
            ListWriter writer;
            QVERIFY(PlaylistStore(file, {}, &writer).save(longList));
            PlaylistModel loaded;
            QCOMPARE(
                PlaylistStore(file, {}, &writer).load(loaded), PlaylistStore::LoadStatus::Loaded);
            QCOMPARE(loaded.texts(), longList.texts());
            QVERIFY(PlaylistStore(file, {}, &writer).save(longList));
            QVERIFY(PlaylistStore(file, {}, &writer).save(last));
        } // the writer's end waits for the last save
        QCOMPARE(readBytes(file), QByteArray("last\r\n"));
    }

    void oddTextsSurviveASaveAndALoad()
    {
        const QString file = path(QStringLiteral("xlist.cfg"));
        const QStringList texts { QString(1024 * 1024, u'x'), QString::fromUtf8("a\0b", 3),
            QString(), QStringLiteral(u"file:///音乐/我的 歌.mp3"),
            QStringLiteral("#dropped when loaded") };
        PlaylistModel model;
        for (const QString &text : texts)
            model.appendItem(Icon::Address, text);
        QVERIFY(PlaylistStore(file).save(model));
        QCOMPARE(readBytes(file),
            (texts.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
        PlaylistModel loaded;
        PlaylistStore(file).load(loaded);
        QCOMPARE(loaded.texts(), texts.mid(0, 4));
    }

    void aFailedSaveKeepsTheOldList()
    {
        const QString folder = path(QStringLiteral("readonly"));
        QVERIFY(QDir().mkpath(folder));
        const QString file = folder + QStringLiteral("/xlist.cfg");
        writeBytes(file, "old\r\n");
        PlaylistModel model;
        for (int i = 0; i < 1000; ++i)
            model.appendItem(
                Icon::Address, QStringLiteral("http://host/a-rather-long-address/%1.mp3").arg(i));

        // A write that fails halfway, like on a full disk: files may grow to 4 KiB only.
        rlimit saved {};
        getrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 4096;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        const bool savedOnFullDisk = PlaylistStore(file).save(model);
        setrlimit(RLIMIT_FSIZE, &saved);
        QVERIFY(!savedOnFullDisk);
        QCOMPARE(readBytes(file), QByteArray("old\r\n"));
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 1); // no leftovers

        OrdinaryUser::openToEveryone(m_dir.path());
        OrdinaryUser::readOnlyForEveryone(folder);
        bool savedInReadOnlyFolder = true;
        {
            OrdinaryUser user;
            if (!user.active())
                QSKIP("cannot drop root rights here");
            savedInReadOnlyFolder = PlaylistStore(file).save(model);
        }
        OrdinaryUser::openToEveryone(folder);
        QVERIFY(!savedInReadOnlyFolder);
        QCOMPARE(readBytes(file), QByteArray("old\r\n"));
    }

    void importingListFiles()
    {
        const QString m3u = path(QStringLiteral("a.m3u"));
        writeBytes(
            m3u, "#EXTM3U\r\n#EXTINF:1,T\r\nFILE:///m/a.mp3\r\nfile:///m/b c.mp3\r\n/m/c.mp3\r\n");
        ListFile::ImportResult result = ListFile::import(m3u);
        QVERIFY(result.complete);
        QCOMPARE(iconLetters(result.items), QStringLiteral("FFA"));
        QCOMPARE(result.items.at(1).text, QStringLiteral("file:///m/b c.mp3"));

        // A pls from another player: its FileN entries in the order of N, relative
        // ones from the list's folder.
        writeBytes(path(QStringLiteral("b.PLS")),
            "[playlist]\nNumberOfEntries=3\nFile2=http://radio.example/live\nTitle2=Live\n"
            "Length2=-1\nfile10=/m/ten.mp3\nFile1=songs/one.mp3\nLength1=200\nVersion=2\n");
        result = ListFile::import(path(QStringLiteral("b.PLS")));
        QStringList texts;
        for (const PlaylistItem &item : std::as_const(result.items))
            texts << item.text;
        QCOMPARE(texts,
            QStringList(
                { QStringLiteral("file://") + m_dir.path() + QStringLiteral("/songs/one.mp3"),
                    QStringLiteral("http://radio.example/live"), QStringLiteral("/m/ten.mp3") }));
        QCOMPARE(iconLetters(result.items), QStringLiteral("FAA"));

        // m3u8 is UTF-8 whatever the locale; relative entries, also with "..",
        // from the list's folder; #EXT lines are no items.
        QDir(m_dir.path()).mkdir(QStringLiteral("lists"));
        writeBytes(path(QStringLiteral("lists/c.m3u8")),
            "#EXTM3U\n#EXTINF:200,\xe6\xad\x8c\n../music/\xe6\xad\x8c.mp3\nC:\\win\\x.mp3\n");
        result = ListFile::import(path(QStringLiteral("lists/c.m3u8")));
        QCOMPARE(result.items.size(), 2);
        QCOMPARE(result.items.at(0).text,
            QStringLiteral("file://") + m_dir.path() + QStringLiteral("/music/歌.mp3"));
        QCOMPARE(result.items.at(1).text, QStringLiteral("C:\\win\\x.mp3"));

        // A ram list with a relative entry and a URL.
        writeBytes(path(QStringLiteral("lists/d.ram")), "clip.rm\r\npnm://host/live.rm\r\n");
        result = ListFile::import(path(QStringLiteral("lists/d.ram")));
        QCOMPARE(result.items.at(0).text,
            QStringLiteral("file://") + m_dir.path() + QStringLiteral("/lists/clip.rm"));
        QCOMPARE(result.items.at(1).text, QStringLiteral("pnm://host/live.rm"));

        result = ListFile::import(m_dir.path()); // a folder
        QVERIFY(!result.complete);
        QVERIFY(result.items.isEmpty());
    }

    void exportWritesInPlaceWhereTheFolderRefusesNewFiles()
    {
        const QString folder = path(QStringLiteral("export"));
        QVERIFY(QDir().mkpath(folder));
        const QString file = folder + QStringLiteral("/TUNVIA_01.ram");
        writeBytes(file, "old\r\n");
        OrdinaryUser::openToEveryone(m_dir.path());
        OrdinaryUser::openToEveryone(file);
        OrdinaryUser::readOnlyForEveryone(folder);
        bool written = false;
        bool intoMissingFolder = true;
        {
            OrdinaryUser user;
            if (!user.active())
                QSKIP("cannot drop root rights here");
            written = ListFile::writeChosen(file, { QStringLiteral("a"), QStringLiteral("b") });
            intoMissingFolder = ListFile::writeChosen(folder + QStringLiteral("/no/x.ram"), {});
        }
        OrdinaryUser::openToEveryone(folder);
        QVERIFY(written);
        QCOMPARE(readBytes(file), QByteArray("a\r\nb\r\n"));
        QVERIFY(!intoMissingFolder);
    }

    void onlyPlainVisibleProgramsAreOffered()
    {
        writeBytes(path(QStringLiteral("realplay")), {});
        writeBytes(path(QStringLiteral(".vlc")), {});
        QDir(m_dir.path()).mkdir(QStringLiteral("audacious"));
        const QList<ExternalPlayers::Player> installed = ExternalPlayers::installed(
            { { QStringLiteral("RealPlay"), path(QStringLiteral("realplay")) },
                { QStringLiteral("WinAmp"), path(QStringLiteral("audacious")) },
                { QStringLiteral("MediaPlay"), path(QStringLiteral(".vlc")) },
                { QStringLiteral("Other"), path(QStringLiteral("missing")) } });
        QCOMPARE(installed.size(), 1);
        QCOMPARE(installed.at(0).name, QStringLiteral("RealPlay"));
    }

    void externalLocationsCannotBeOptions_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("location");
        QTest::newRow("option") << QStringLiteral("-I") << QStringLiteral("./-I");
        QTest::newRow("file option") << QStringLiteral(" file://-I ") << QStringLiteral("./-I");
        QTest::newRow("long option") << QStringLiteral("--sout=#file{dst=x.ts}")
                                     << QStringLiteral("./--sout=#file{dst=x.ts}");
        QTest::newRow("address") << QStringLiteral("http://h/-a.mp3")
                                 << QStringLiteral("http://h/-a.mp3");
        QTest::newRow("path") << QStringLiteral("FILE:///m/a b.mp3")
                              << QStringLiteral("/m/a b.mp3");
    }
    void externalLocationsCannotBeOptions()
    {
        QFETCH(QString, item);
        QFETCH(QString, location);
        QCOMPARE(ExternalPlayers::location(item), location);
    }

    void externalPlayersGetTheDecodedPathWhenOnlyThatExists()
    {
        writeBytes(path(QStringLiteral("My Song.mp3")), {});
        writeBytes(path(QStringLiteral("100%20.mp3")), {});
        const QString encoded
            = QStringLiteral("file://") + m_dir.path() + QStringLiteral("/My%20Song.mp3");
        QCOMPARE(ExternalPlayers::location(encoded), path(QStringLiteral("My Song.mp3")));
        // The raw path wins when it exists, as in the engine.
        const QString raw = QStringLiteral("file://") + path(QStringLiteral("100%20.mp3"));
        QCOMPARE(ExternalPlayers::location(raw), path(QStringLiteral("100%20.mp3")));
    }

    void previewEndsWithTheOmissionNoteFromTheTwentiethPick()
    {
        for (int count : { 6, 19, 20 }) {
            QStringList texts;
            for (int i = 1; i <= count; ++i)
                texts << QString::number(i);
            const RandomOrder::Draw draw = RandomOrder::draw(texts, [](int n) { return n; });
            QCOMPARE(draw.lines, QStringList(QList<QString>(count, texts.last())));
            QString expected = QString(texts.last() + u'\r').repeated(count);
            if (count == 20)
                expected += QStringLiteral(u"\r后面的省略…………");
            QCOMPARE(draw.preview, expected);
        }
    }

    void previewCutsVeryLongTexts()
    {
        const QStringList texts(5, QString(100000, u'x'));
        const RandomOrder::Draw draw = RandomOrder::draw(texts, [](int) { return 1; });
        QCOMPARE(draw.lines.first().size(), 100000); // the loop list keeps the whole text
        QVERIFY(draw.preview.size() < 6000);
    }

    void clockSeededPicksSpreadOverTheList()
    {
        const RandomOrder::Pick pick = RandomOrder::clockSeeded();
        QSet<int> seen;
        for (int k = 0; k < 2000; ++k) {
            const int row = pick(7);
            QVERIFY(row >= 1 && row <= 7);
            seen.insert(row);
        }
        QCOMPARE(seen.size(), 7); // picks faster than the clock ticks still differ
    }
};

QTEST_GUILESS_MAIN(PlaylistCoreTest)
#include "tst_playlistcore.moc"
