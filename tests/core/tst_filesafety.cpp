// Files that outside hands may have placed: special files, huge files and
// symbolic links where the program reads and writes its lists.
#include "core/playlist/playlistmodel.h"
#include "core/playlist/playliststore.h"
#include "core/text/safesave.h"
#include "core/text/textfile.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

static const uid_t kOtherUser = 65534; // nobody

using TestFiles::readBytes;
using TestFiles::writeBytes;

static long peakMemoryKb()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

class FileSafetyTest : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

    // A private folder (0700) holding a link named xlist.cfg to target.
    QString privateLinkTo(const QString &folderName, const QString &target)
    {
        const QString folder = path(folderName);
        QDir().mkpath(folder);
        ::chmod(QFile::encodeName(folder).constData(), 0700);
        const QString link = folder + QStringLiteral("/xlist.cfg");
        QFile::link(target, link);
        return link;
    }

private Q_SLOTS:
    void specialFilesAreRefusedWithoutWaiting()
    {
        const QString fifo = path(QStringLiteral("fifo.cfg"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QCOMPARE(TextFile::readLines(fifo).status, TextFile::ReadStatus::Unreadable);

        const QString zero = path(QStringLiteral("zero.cfg"));
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), zero));
        QCOMPARE(TextFile::readLines(zero).status, TextFile::ReadStatus::Unreadable);

        // Never overwritten either: the list behind it may be fine later.
        PlaylistModel model;
        PlaylistStore store(fifo);
        QCOMPARE(store.load(model), PlaylistStore::LoadStatus::Unreadable);
        QVERIFY(!store.save(model));
        QFileInfo info(fifo);
        QVERIFY(!info.isFile() && info.exists());
    }

    void filesAreReadOnlyWithinTheirLimits()
    {
        const QString file = path(QStringLiteral("limits.ram"));
        writeBytes(file, "a\r\nb\r\nc\r\n");
        const TextFile::ReadResult small = TextFile::readLines(file, { 8, 100 });
        QCOMPARE(small.status, TextFile::ReadStatus::TooLarge);
        QVERIFY(small.lines.isEmpty());
        const TextFile::ReadResult few = TextFile::readLines(file, { 100, 2 });
        QCOMPARE(few.status, TextFile::ReadStatus::TooLarge);
        QCOMPARE(few.lines, (QStringList { QStringLiteral("a"), QStringLiteral("b") }));
        QCOMPARE(TextFile::readLines(file, { 9, 3 }).status, TextFile::ReadStatus::Ok);
    }

    void aFileOfLineEndsTakesASmallMultipleOfItsSize()
    {
        const qint64 size = 32 * 1024 * 1024;
        const QString file = path(QStringLiteral("returns.cfg"));
        writeBytes(file, QByteArray(size, '\r'));
        const long before = peakMemoryKb();
        const TextFile::ReadResult read = TextFile::readLines(file);
        const long grown = peakMemoryKb() - before;
        QCOMPARE(read.status, TextFile::ReadStatus::TooLarge);
        QCOMPARE(read.lines.size(), TextFile::kMaxLines);
        QVERIFY2(grown * 1024 < 6 * size, qPrintable(QString::number(grown)));
        QFile::remove(file);
    }

    void aSaveRemovesOnlyTheTemporariesKillsLeftBehind()
    {
        QDir().mkpath(path(QStringLiteral("temps")));
        const QString folder = path(QStringLiteral("temps/"));
        const QStringList left { QStringLiteral(".xlist.cfg.0123abcd.tmp"),
            QStringLiteral(".xlist.cfg.ffffffff.tmp") };
        const QStringList kept { QStringLiteral(".xlist.cfg.0123ABCD.tmp"),
            QStringLiteral(".xlist.cfg.0123abcd.tmp.bak"),
            QStringLiteral(".other.cfg.0123abcd.tmp"), QStringLiteral(".xlist.cfg.aaaa0000.tmp"),
            QStringLiteral(".xlist.cfg.00000000.tmp") };
        for (const QString &name : left + kept)
            writeBytes(folder + name, "x");
        ::chown(QFile::encodeName(folder + kept.at(3)).constData(), kOtherUser, kOtherUser);
        // A save in progress holds its temporary file locked.
        QFile busy(folder + kept.at(4));
        QVERIFY(busy.open(QIODevice::ReadOnly));
        QCOMPARE(::flock(busy.handle(), LOCK_EX), 0);

        QVERIFY(
            TextFile::writeLines(folder + QStringLiteral("xlist.cfg"), { QStringLiteral("a") }));
        QStringList after = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        after.removeOne(QStringLiteral("xlist.cfg"));
        QCOMPARE(
            QSet<QString>(after.begin(), after.end()), QSet<QString>(kept.begin(), kept.end()));
    }

    void linksOthersCouldHavePlacedAreNotWrittenThrough()
    {
        if (::geteuid() != 0)
            QSKIP("making a link that belongs to another user needs root");
        const QString victim = path(QStringLiteral("victim.txt"));
        writeBytes(victim, "precious\n");

        // A link that belongs to somebody else, in the user's own folder.
        const QString planted = privateLinkTo(QStringLiteral("private"), victim);
        QCOMPARE(::lchown(QFile::encodeName(planted).constData(), kOtherUser, kOtherUser), 0);
        PlaylistModel model;
        model.appendItem(PlaylistItem::Icon::Address, QStringLiteral("http://h/new.mp3"));
        PlaylistStore store(planted);
        QVERIFY(!store.save(model));
        QVERIFY(store.linkRefused());
        QCOMPARE(readBytes(victim), QByteArray("precious\n"));
        QVERIFY(QFileInfo(planted).isSymLink());

        // The user's own link, but in a folder everybody may write to.
        const QString shared = path(QStringLiteral("shared"));
        QDir().mkpath(shared);
        ::chmod(QFile::encodeName(shared).constData(), 01777);
        QVERIFY(QFile::link(victim, shared + QStringLiteral("/looptemp.ram")));
        QVERIFY(!TextFile::writeLines(
            shared + QStringLiteral("/looptemp.ram"), { QStringLiteral("x") }));
        QCOMPARE(readBytes(victim), QByteArray("precious\n"));

        // The user's own link to a file of somebody else.
        ::chown(QFile::encodeName(victim).constData(), kOtherUser, kOtherUser);
        const QString toOthers = privateLinkTo(QStringLiteral("mine"), victim);
        QVERIFY(!SafeSave::mayReplace(toOthers));
        ::chown(QFile::encodeName(victim).constData(), 0, 0);
    }

    void theUsersOwnLinksKeepTheirListElsewhere()
    {
        const QString kept = path(QStringLiteral("elsewhere.cfg"));
        writeBytes(kept, "http://h/old.mp3\r\n");
        ::chmod(QFile::encodeName(kept).constData(), 0640);
        const QString link = privateLinkTo(QStringLiteral("home"), kept);
        PlaylistModel model;
        PlaylistStore store(link);
        QCOMPARE(store.load(model), PlaylistStore::LoadStatus::Loaded);
        QVERIFY(!store.linkRefused());
        model.appendItem(PlaylistItem::Icon::Address, QStringLiteral("http://h/new.mp3"));
        QVERIFY(store.save(model));
        QVERIFY(QFileInfo(link).isSymLink()); // still a link, and the list behind it changed
        QCOMPARE(readBytes(kept), QByteArray("http://h/old.mp3\r\nhttp://h/new.mp3\r\n"));
        QCOMPARE(QFileInfo(kept).permissions() & 0x0fff, QFileDevice::Permissions(0x0640));

        // A link to nothing, and a loop of links, belong to nobody: not written.
        const QString dangling
            = privateLinkTo(QStringLiteral("dangling"), path(QStringLiteral("gone")));
        PlaylistStore danglingStore(dangling);
        QCOMPARE(danglingStore.load(model), PlaylistStore::LoadStatus::Created);
        QVERIFY(danglingStore.linkRefused());
        QVERIFY(!QFile::exists(path(QStringLiteral("gone"))));
        const QString loop = path(QStringLiteral("home/loop"));
        QFile::link(loop, loop);
        QVERIFY(!SafeSave::mayReplace(loop));
    }
};

QTEST_GUILESS_MAIN(FileSafetyTest)
#include "tst_filesafety.moc"
