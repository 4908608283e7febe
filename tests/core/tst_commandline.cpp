#include "core/media/filelocation.h"
#include "core/program/appfolder.h"
#include "core/program/commandline.h"
#include "core/program/handoffmessage.h"
#include "core/program/launchlocations.h"
#include "core/program/version.h"
#include "core/text/displaywidth.h"

#include <QtEndian>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// What a start asks for, and how the locations it names become playlist
// item texts on their way to the running instance.
class CommandLineTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void optionsEndAtDoubleDash();
    void helpVersionAndRefusal();
    void peerCommands_data();
    void peerCommands();
    void locationsBecomeItemTexts();
    void relativePathsNeedAFolder();
    void handOffMessageSurvivesAnyCut();
    void receivedTextsKeepToOneLine();
    void installedProgramKeepsItsFilesPerUser_data();
    void installedProgramKeepsItsFilesPerUser();

private:
    static void touch(const QString &path)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
};

void CommandLineTest::optionsEndAtDoubleDash()
{
    const CommandLine line
        = CommandLine::parse({ u"tunvia"_s, u"a.mp3"_s, u"--"_s, u"-x.mp3"_s, u"--help"_s, u""_s });
    QCOMPARE(line.action, CommandLine::Action::Run);
    QCOMPARE(line.locations, QStringList({ u"a.mp3"_s, u"-x.mp3"_s, u"--help"_s, u""_s }));
    QCOMPARE(line.exitCode(), 0);

    // Qt's own options stay QApplication's (the session manager restarts a
    // program with -session).
    const CommandLine restarted = CommandLine::parse(
        { u"tunvia"_s, u"-session"_s, u"1234"_s, u"--platform=xcb"_s, u"b.rm"_s });
    QCOMPARE(restarted.action, CommandLine::Action::Run);
    QCOMPARE(restarted.locations, QStringList { u"b.rm"_s });
}

void CommandLineTest::helpVersionAndRefusal()
{
    const CommandLine help = CommandLine::parse({ u"tunvia"_s, u"--help"_s });
    QCOMPARE(help.action, CommandLine::Action::ShowHelp);
    QVERIFY(help.text.contains(u"--version"_s));
    QVERIFY(!help.text.contains(u"-session"_s));
    // Descriptions start in one column, counted in display width; nothing
    // passes 80 columns.
    QSet<int> descriptionColumns;
    for (const QString &line : help.text.split(u'\n')) {
        QVERIFY2(DisplayWidth::of(line) <= 80, qPrintable(line));
        if (line.startsWith(u"  "_s))
            descriptionColumns << DisplayWidth::of(line)
                    - DisplayWidth::of(line.trimmed().section(u"  "_s, -1).trimmed());
    }
    QCOMPARE(descriptionColumns.size(), 1);
    QCOMPARE(help.exitCode(), 0);

    const CommandLine version = CommandLine::parse({ u"tunvia"_s, u"-v"_s });
    QCOMPARE(version.action, CommandLine::Action::ShowVersion);
    QCOMPARE(version.text, u"tunvia "_s + QLatin1String(kProgramVersionText) + u'\n');

    const CommandLine refused = CommandLine::parse({ u"tunvia"_s, u"--loud"_s, u"a.mp3"_s });
    QCOMPARE(refused.action, CommandLine::Action::Refuse);
    QCOMPARE(refused.exitCode(), 2);
    QVERIFY(refused.text.contains(u"loud"_s));
    QVERIFY2(refused.text.contains(u"--help"_s), "the usage follows the error");
    QVERIFY(refused.locations.isEmpty());
}

void CommandLineTest::peerCommands_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<PeerCommand>("command");
    QTest::addColumn<QStringList>("locations");
    const QStringList none;
    QTest::newRow("play-pause") << QStringList { u"--play-pause"_s } << true
                                << PeerCommand::PlayPause << none;
    QTest::newRow("previous") << QStringList { u"--previous"_s } << true << PeerCommand::Previous
                              << none;
    QTest::newRow("enqueue") << QStringList { u"-e"_s, u"a.mp3"_s, u"b.rm"_s } << true
                             << PeerCommand::Enqueue << QStringList { u"a.mp3"_s, u"b.rm"_s };
    QTest::newRow("verb with a location")
        << QStringList { u"--next"_s, u"a.mp3"_s } << false << PeerCommand::Open << none;
    QTest::newRow("two verbs") << QStringList { u"--play"_s, u"--stop"_s } << false
                               << PeerCommand::Open << none;
    QTest::newRow("verb and enqueue") << QStringList { u"--enqueue"_s, u"--pause"_s, u"a.mp3"_s }
                                      << false << PeerCommand::Open << none;
    QTest::newRow("enqueue nothing")
        << QStringList { u"--enqueue"_s } << false << PeerCommand::Open << none;
}

// Each command survives the hand-off message; locations only go with those that take them.
void CommandLineTest::peerCommands()
{
    QFETCH(QStringList, arguments);
    QFETCH(PeerCommand, command);
    QFETCH(QStringList, locations);
    const CommandLine line = CommandLine::parse(QStringList { u"tunvia"_s } + arguments);
    QFETCH(bool, accepted);
    QCOMPARE(line.action == CommandLine::Action::Run, accepted);
    if (line.action != CommandLine::Action::Run) {
        QCOMPARE(line.exitCode(), 2);
        return;
    }
    QCOMPARE(line.command, command);
    QCOMPARE(line.locations, locations);
    PeerCommand received = PeerCommand::Open;
    QStringList receivedLocations;
    QCOMPARE(HandOffMessage::decode(
                 HandOffMessage::encode(locations, command), &received, &receivedLocations),
        HandOffMessage::Status::Complete);
    QCOMPARE(received, command);
    QCOMPARE(receivedLocations, locations);
}

void CommandLineTest::locationsBecomeItemTexts()
{
    QTemporaryDir dir;
    const QString root = dir.path();
    touch(root + u"/a b.mp3"_s);
    touch(root + u"/100%.mp3"_s);
    touch(root + u"/歌.ra"_s);
    QVERIFY(QDir(root).mkpath(u"专辑/inner"_s));
    touch(root + u"/专辑/B.mp3"_s);
    touch(root + u"/专辑/a.mp3"_s);
    QVERIFY(QDir(root).mkdir(u"empty"_s));
    QVERIFY(QDir(root).mkdir(u"odd:"_s));
    touch(root + u"/odd:/x.mp3"_s);

    const LaunchLocations::Resolved resolved = LaunchLocations::resolve(
        {
            u"a b.mp3"_s, // relative to the working folder
            u"./empty/../歌.ra"_s, // cleaned
            u"file://"_s + root + u"/a%20b.mp3"_s, // what file managers send
            u"FILE://"_s + root + u"/100%.mp3"_s, // the text itself names the file
            u"http://host/x.mp3?a=1&b=%20"_s, // addresses stay exactly as given
            u"专辑"_s, // a folder: its files in name order, not its subfolders
            u""_s, u"x\ny.mp3"_s, u"missing.mp3"_s, u"file:///nowhere/a.mp3"_s, u"empty"_s,
            u"odd://x.mp3"_s, // a file named like an address is a file where it exists
            u"fdclose://4"_s, // never handed on
            u"http://h/a\0b.mp3"_s, // a NUL is refused like a line break
        },
        root);
    QCOMPARE(resolved.texts,
        QStringList({ FileLocation::fromPath(root + u"/a b.mp3"_s),
            FileLocation::fromPath(root + u"/歌.ra"_s),
            FileLocation::fromPath(root + u"/a b.mp3"_s),
            FileLocation::fromPath(root + u"/100%.mp3"_s), u"http://host/x.mp3?a=1&b=%20"_s,
            FileLocation::fromPath(root + u"/专辑/a.mp3"_s),
            FileLocation::fromPath(root + u"/专辑/B.mp3"_s),
            FileLocation::fromPath(root + u"/odd:/x.mp3"_s) }));
    QCOMPARE(resolved.complaints.size(), 7);
    QVERIFY(resolved.complaints.join(u'\n').contains(u"missing.mp3"_s));
    QVERIFY2(!resolved.complaints.join(QString()).contains(u'\n'), "one line per complaint");
}

void CommandLineTest::relativePathsNeedAFolder()
{
    QTemporaryDir dir;
    touch(dir.filePath(u"a.mp3"_s));
    const LaunchLocations::Resolved resolved
        = LaunchLocations::resolve({ u"a.mp3"_s, dir.filePath(u"a.mp3"_s) }, QString());
    QCOMPARE(resolved.texts, QStringList { FileLocation::fromPath(dir.filePath(u"a.mp3"_s)) });
    QCOMPARE(resolved.complaints.size(), 1);
}

void CommandLineTest::handOffMessageSurvivesAnyCut()
{
    QStringList locations;
    for (int i = 0; i < 10000; ++i)
        locations << u"file:///音乐/第 %1 首.mp3"_s.arg(i);
    locations << u"pnm://host/a.rm"_s;
    const QByteArray message = HandOffMessage::encode(locations);

    QStringList decoded;
    QCOMPARE(HandOffMessage::decode(message, &decoded), HandOffMessage::Status::Complete);
    QCOMPARE(decoded, locations);
    for (qsizetype cut : { 0, 3, 7, 8, 1000 }) {
        QCOMPARE(HandOffMessage::decode(message.left(cut), &decoded),
            HandOffMessage::Status::Incomplete);
    }
    QCOMPARE(HandOffMessage::decode(message + 'x', &decoded), HandOffMessage::Status::Invalid);
    QCOMPARE(
        HandOffMessage::decode("GET / HTTP/1.0\r\n", &decoded), HandOffMessage::Status::Invalid);
    QCOMPARE(HandOffMessage::decode(QByteArray("TNV1\xff\xff\xff\xff", 8), &decoded),
        HandOffMessage::Status::Invalid);
    QCOMPARE(HandOffMessage::decode(HandOffMessage::encode({}), &decoded),
        HandOffMessage::Status::Complete);
    QVERIFY(decoded.isEmpty());

    // A message holds no more than the list can take, however much is sent.
    const QStringList flood(PlaylistModel::kMaxItems + 1, u"h"_s);
    QCOMPARE(HandOffMessage::decode(HandOffMessage::encode(flood), &decoded),
        HandOffMessage::Status::Complete);
    QCOMPARE(decoded.size(), PlaylistModel::kMaxItems);
    QByteArray tooLong("TNV1\0\0\0\0", 8);
    qToBigEndian(quint32(PlaylistModel::kMaxSavedBytes / 16 + 1), tooLong.data() + 4);
    QCOMPARE(HandOffMessage::decode(tooLong, &decoded), HandOffMessage::Status::Invalid);
}

void CommandLineTest::receivedTextsKeepToOneLine()
{
    const QList<PlaylistItem> items
        = LaunchLocations::items({ u"file:///a.mp3"_s, u""_s, u"http://h/a\rb"_s,
            u"FILE:///b.mp3"_s, u"http://h/a\0b"_s, u"fdclose://4"_s, u"pnm://h/c.rm"_s });
    QCOMPARE(items.size(), 3);
    QCOMPARE(items.at(0).icon, PlaylistItem::Icon::File);
    QCOMPARE(items.at(1).text, u"FILE:///b.mp3"_s);
    QCOMPARE(items.at(1).icon, PlaylistItem::Icon::Address); // as xlist.cfg would show it
    QCOMPARE(items.at(2).icon, PlaylistItem::Icon::Address);
}

void CommandLineTest::installedProgramKeepsItsFilesPerUser_data()
{
    QTest::addColumn<QString>("program"); // under the test folder, unless absolute
    QTest::addColumn<QString>("installedIn"); // empty: the built-in install folders
    QTest::addColumn<QString>("perUser");
    QTest::addColumn<bool>("ownFolder");
    QTest::addColumn<bool>("writable");
    QTest::newRow("copy in its own folder")
        << u"copy"_s << u"prefix/bin"_s << u"user"_s << true << true;
    QTest::newRow("installed") << u"prefix/bin"_s << u"prefix/bin"_s << u"user"_s << false << true;
    QTest::newRow("installed, through a link")
        << u"link"_s << u"prefix/bin"_s << u"user"_s << false << true;
    QTest::newRow("/usr/bin, also for root")
        << u"/usr/bin"_s << u""_s << u"user"_s << false << true;
    QTest::newRow("/usr/local/bin") << u"/usr/local/bin"_s << u""_s << u"user"_s << false << true;
    QTest::newRow("per-user folder cannot be made")
        << u"prefix/bin"_s << u"prefix/bin"_s << u"copy/xlist.cfg/user"_s << false << false;
}

void CommandLineTest::installedProgramKeepsItsFilesPerUser()
{
    QFETCH(QString, program);
    QFETCH(QString, installedIn);
    QFETCH(QString, perUser);
    QFETCH(bool, ownFolder);
    QFETCH(bool, writable);
    QTemporaryDir dir;
    for (const QString &folder : { u"copy"_s, u"prefix/bin"_s }) {
        QVERIFY(QDir(dir.path()).mkpath(folder));
        touch(dir.filePath(folder + u"/xlist.cfg"_s)); // left there by an earlier run
    }
    QVERIFY(QFile::link(dir.filePath(u"prefix/bin"_s), dir.filePath(u"link"_s)));
    const QString programFolder = QDir(dir.path()).filePath(program);
    const QStringList before = QDir(programFolder).entryList(QDir::AllEntries | QDir::Hidden);
    const QStringList installs = installedIn.isEmpty() ? AppFolder::installedProgramFolders()
                                                       : QStringList { dir.filePath(installedIn) };

    const AppFolder folder = AppFolder::forProgram(programFolder, dir.filePath(perUser), installs);
    const QString kept = ownFolder ? programFolder : dir.filePath(perUser);
    QCOMPARE(folder.path(), QDir::toNativeSeparators(kept));
    QCOMPARE(folder.fileToRead(u"xlist.cfg"_s), QDir::toNativeSeparators(kept + u"/xlist.cfg"_s));
    QCOMPARE(folder.isWritable(), writable);
    QCOMPARE(QDir(programFolder).entryList(QDir::AllEntries | QDir::Hidden), before);
}

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_commandline.moc"
