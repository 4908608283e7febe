// The rules behind the add-directory dialog and the drop window: which files
// a directory gives, which items a drop gives, which volumes a user picks.
#include "core/intake/directorylisting.h"
#include "core/intake/dropcontent.h"
#include "core/intake/volumes.h"
#include "support/itemtexts.h"

#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

void touch(const QString &path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

QList<PlaylistItem::Icon> icons(const QList<PlaylistItem> &items)
{
    QList<PlaylistItem::Icon> result;
    for (const PlaylistItem &item : items)
        result.append(item.icon);
    return result;
}

} // namespace

class IntakeRulesTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void listingKeepsPlainVisibleFilesInNameOrder();
    void listingOfDirectoriesWithoutFilesIsEmpty();
    void rootDirectoryJoinsWithoutDoubledSeparator();
    void subdirectoriesAreSortedAndUnreadableOnesReported();
    void dropContent_data();
    void dropContent();
    void dropOfFilesAndDirectoriesKeepsTheirPaths();
    void userVolumesLeaveSystemMountsOut();
    void volumeHoldingPathIsTheLongestWholeRoot();
};

void IntakeRulesTest::listingKeepsPlainVisibleFilesInNameOrder()
{
    QTemporaryDir dir;
    const QString path = dir.path();
    for (const QString &name : { u"b.rm"_s, u"a.mp3"_s, u"Z.ra"_s, u"notes.txt"_s, u".hidden.mp3"_s,
             u"two\nlines.mp3"_s, u"carriage\rreturn.mp3"_s })
        touch(path + u'/' + name);
    QVERIFY(QDir(path).mkdir(u"sub"_s));
    touch(path + u"/sub/inner.mp3"_s);
    QCOMPARE(::mkfifo(QFile::encodeName(path + u"/pipe"_s).constData(), 0600), 0);
    QVERIFY(QFile::link(path + u"/gone"_s, path + u"/broken-link"_s));
    // A name whose bytes are not UTF-8 cannot be named by any text item.
    const QByteArray badName = QFile::encodeName(path) + "/bad\xff\xfe.mp3";
    const int fd = ::open(badName.constData(), O_CREAT | O_WRONLY, 0600);
    QVERIFY(fd >= 0);
    ::close(fd);

    const QList<PlaylistItem> items = DirectoryListing::fileItems(path);
    const QString prefix = u"file://"_s + path + u'/';
    QCOMPARE(itemTexts(items),
        QStringList({ prefix + u"a.mp3"_s, prefix + u"b.rm"_s, prefix + u"notes.txt"_s,
            prefix + u"Z.ra"_s }));
    QCOMPARE(icons(items), QList<PlaylistItem::Icon>(4, PlaylistItem::Icon::File));
    QCOMPARE(DirectoryListing::files(path).skipped, 3); // the user is told of them
    ::unlink(badName.constData()); // QTemporaryDir cannot name it either
}

void IntakeRulesTest::listingOfDirectoriesWithoutFilesIsEmpty()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(u"only/subdirs"_s));
    touch(dir.path() + u"/only/.hidden"_s);
    QVERIFY(DirectoryListing::fileItems(dir.path() + u"/only"_s).isEmpty());
    QVERIFY(DirectoryListing::fileItems(dir.path() + u"/vanished"_s).isEmpty());
    touch(dir.path() + u"/plain.mp3"_s);
    QVERIFY(DirectoryListing::fileItems(dir.path() + u"/plain.mp3"_s).isEmpty());
}

void IntakeRulesTest::rootDirectoryJoinsWithoutDoubledSeparator()
{
    QCOMPARE(DirectoryListing::fileItemText(u"/"_s, u"a.mp3"_s), u"file:///a.mp3"_s);
    QCOMPARE(DirectoryListing::fileItemText(u"/music"_s, u"a.mp3"_s), u"file:///music/a.mp3"_s);
}

void IntakeRulesTest::subdirectoriesAreSortedAndUnreadableOnesReported()
{
    QTemporaryDir dir;
    for (const QString &name : { u"rock"_s, u"Jazz"_s, u".cache"_s, u"ambient"_s })
        QVERIFY(QDir(dir.path()).mkdir(name));
    touch(dir.path() + u"/file.mp3"_s);
    QCOMPARE(DirectoryListing::subdirectories(dir.path()),
        std::optional<QStringList>({ u"ambient"_s, u"Jazz"_s, u"rock"_s }));
    QCOMPARE(DirectoryListing::subdirectories(dir.path() + u"/file.mp3"_s), std::nullopt);
    QCOMPARE(DirectoryListing::subdirectories(dir.path() + u"/missing"_s), std::nullopt);
    if (::geteuid() != 0) { // root reads everything
        const QString locked = dir.path() + u"/rock"_s;
        QVERIFY(QFile::setPermissions(locked, QFile::WriteOwner));
        QCOMPARE(DirectoryListing::subdirectories(locked), std::nullopt);
        QVERIFY(DirectoryListing::fileItems(locked).isEmpty());
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
}

void IntakeRulesTest::dropContent_data()
{
    QTest::addColumn<QString>("text"); // empty: no text/plain
    QTest::addColumn<QStringList>("urls");
    // "A:" address item, "F:" file item, "refused": the user is told why not
    QTest::addColumn<QStringList>("expected");

    const QString ten = u"0123456789"_s;
    QTest::newRow("text of 10 characters") << ten << QStringList() << QStringList();
    QTest::newRow("text of 11 characters, kept as dropped")
        << u" 0123456789"_s << QStringList() << QStringList { u"A: 0123456789"_s };
    QTest::newRow("text, then files in their order")
        << u"pnm://radio.example.net/live"_s
        << QStringList { u"file:///music/b.rm"_s, u"file:///music/a.mp3"_s }
        << QStringList { u"A:pnm://radio.example.net/live"_s, u"F:/music/b.rm"_s,
               u"F:/music/a.mp3"_s };
    QTest::newRow("text that only repeats the file's URL")
        << u"file:///music/My Song.mp3"_s << QStringList { u"file:///music/My%20Song.mp3"_s }
        << QStringList { u"F:/music/My Song.mp3"_s };
    QTest::newRow("text that repeats the file's path")
        << u"/music/My Song.mp3"_s << QStringList { u"file:///music/My%20Song.mp3"_s }
        << QStringList { u"F:/music/My Song.mp3"_s };
    QTest::newRow("files alone, Qt's text made from them")
        << QString() << QStringList { u"file:///music/a.mp3"_s, u"file:///music/b.rm"_s }
        << QStringList { u"F:/music/a.mp3"_s, u"F:/music/b.rm"_s };
    QTest::newRow("a link from a web browser")
        << u"http://radio.example.net/a.mp3"_s
        << QStringList { u"http://radio.example.net/a.mp3"_s }
        << QStringList { u"A:http://radio.example.net/a.mp3"_s };
    QTest::newRow("a link without text")
        << QString() << QStringList { u"http://radio.example.net/a.mp3"_s }
        << QStringList { u"A:http://radio.example.net/a.mp3"_s };
    QTest::newRow("lines of links, file with a line break")
        << u"http://one.example.net/\nhttp://two.example.net/"_s
        << QStringList { u"file:///music/two%0Alines.mp3"_s, u"file:///music/a.mp3"_s }
        << QStringList { u"A:http://one.example.net/"_s, u"A:http://two.example.net/"_s,
               u"F:/music/a.mp3"_s };
    QTest::newRow("a link with its line end")
        << u"http://example.net/a.mp3\r\n \n"_s << QStringList()
        << QStringList { u"A:http://example.net/a.mp3"_s };
    QTest::newRow("file URL and path lines")
        << u"file:///music/a.mp3\r\n\r\n/music/b c.rm\n"_s << QStringList()
        << QStringList { u"F:file:///music/a.mp3"_s, u"A:/music/b c.rm"_s };
    QTest::newRow("lines that are not all locations")
        << u"Playlist of the week\nhttp://a.example/1.mp3"_s << QStringList()
        << QStringList { u"refused"_s };
    QTest::newRow("nothing usable") << QString() << QStringList() << QStringList();
}

void IntakeRulesTest::dropContent()
{
    QFETCH(QString, text);
    QFETCH(QStringList, urls);
    QFETCH(QStringList, expected);
    QMimeData data;
    QList<QUrl> list;
    for (const QString &url : urls)
        list.append(QUrl(url));
    if (!list.isEmpty())
        data.setUrls(list);
    if (!text.isEmpty())
        data.setText(text);
    QStringList actual;
    const DropContent::Reading reading = DropContent::read(data);
    for (const PlaylistItem &item : reading.items)
        actual.append((item.icon == PlaylistItem::Icon::File ? u"F:"_s : u"A:"_s) + item.text);
    if (reading.textRefused)
        actual.append(u"refused"_s);
    QCOMPARE(actual, expected);
}

void IntakeRulesTest::dropOfFilesAndDirectoriesKeepsTheirPaths()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(u"album/cd1"_s));
    touch(dir.path() + u"/album/cd1/a.mp3"_s);
    QMimeData data;
    data.setUrls({ QUrl::fromLocalFile(dir.path() + u"/album"_s) });
    const QList<PlaylistItem> items = DropContent::items(data);
    QCOMPARE(itemTexts(items), QStringList { dir.path() + u"/album"_s });
    QCOMPARE(icons(items), QList<PlaylistItem::Icon> { PlaylistItem::Icon::File });

    // 10,000 files and a megabyte of text end without trouble.
    QList<QUrl> many;
    for (int i = 0; i < 10000; ++i)
        many.append(QUrl::fromLocalFile(u"/music/%1.mp3"_s.arg(i)));
    data.setUrls(many);
    data.setText(QString(1 << 20, u'x'));
    const QList<PlaylistItem> large = DropContent::items(data);
    QCOMPARE(large.size(), 10001);
    QCOMPARE(large.first().text.size(), 1 << 20);
    QCOMPARE(large.last().text, u"/music/9999.mp3"_s);
}

void IntakeRulesTest::userVolumesLeaveSystemMountsOut()
{
    QVERIFY(Volumes::isUserMount(u"/"_s, "ext4"));
    QVERIFY(Volumes::isUserMount(u"/media/listener/USB STICK"_s, "vfat"));
    QVERIFY(Volumes::isUserMount(u"/run/media/listener/DISC"_s, "iso9660"));
    QVERIFY(Volumes::isUserMount(u"/mnt/music"_s, "nfs"));
    QVERIFY(!Volumes::isUserMount(u"/proc"_s, "proc"));
    QVERIFY(!Volumes::isUserMount(u"/sys/fs/cgroup"_s, "cgroup2"));
    QVERIFY(!Volumes::isUserMount(u"/dev/shm"_s, "tmpfs"));
    QVERIFY(!Volumes::isUserMount(u"/boot"_s, "ext4"));
    QVERIFY(!Volumes::isUserMount(u"/mediaextra"_s, "ext4"));
    QVERIFY(!Volumes::isUserMount(u"/snap/core22/864"_s, "squashfs"));
    QVERIFY(!Volumes::isUserMount(u"/media/listener/app"_s, "squashfs"));

    const QList<Volume> volumes = Volumes::mounted();
    QVERIFY(volumes.size() >= 1);
    QCOMPARE(volumes.first().root, u"/"_s);
    for (const Volume &volume : volumes) {
        QVERIFY2(!volume.root.startsWith(u"/proc"_s) && !volume.root.startsWith(u"/sys"_s),
            qPrintable(volume.root));
        QVERIFY(!volume.name.isEmpty());
    }
}

void IntakeRulesTest::volumeHoldingPathIsTheLongestWholeRoot()
{
    const QList<Volume> volumes { { u"/"_s, u"root"_s }, { u"/home/listener"_s, u"home"_s },
        { u"/media/listener/USB"_s, u"usb"_s } };
    QCOMPARE(Volumes::holding(volumes, u"/home/listener/Music"_s), 1);
    QCOMPARE(Volumes::holding(volumes, u"/media/listener/USB"_s), 2);
    QCOMPARE(Volumes::holding(volumes, u"/media/listener/USB2/a"_s), 0);
    QCOMPARE(Volumes::holding(volumes, u"/home/listener2"_s), 0);
    QCOMPARE(Volumes::holding({}, u"/"_s), -1);
}

QTEST_GUILESS_MAIN(IntakeRulesTest)
#include "tst_intakerules.moc"
