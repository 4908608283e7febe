// The song-search address, the address prompt and the media file filter.
#include "core/media/filefilter.h"
#include "core/web/addressprompt.h"
#include "core/web/webaddresses.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QUrlQuery>

class TestWebAddresses : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void searchAddress_data();
    void searchAddress();
    void searchTextReachesServerIntact_data();
    void searchTextReachesServerIntact();
    void addressPrompt();
    void mediaFilterConversion();
    void allFilesFilterListsFilesWithoutExtension();

private:
    const WebAddresses m_addresses { ServiceHosts {
        QStringLiteral("svc.example"), QStringLiteral("partner.example") } };
};

void TestWebAddresses::searchAddress_data()
{
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("address");
    const QString base = QStringLiteral("http://svc.example/dgxt/dg1.asp?ll=");
    QTest::newRow("song name") << QStringLiteral(u"歌曲名称") << QStringLiteral("abc")
                               << base + QStringLiteral("1&cx=abc");
    QTest::newRow("band or singer") << QStringLiteral(u"乐队/歌手") << QStringLiteral("abc")
                                    << base + QStringLiteral("2&cx=abc");
    QTest::newRow("album") << QStringLiteral(u"专辑名称") << QStringLiteral("abc")
                           << base + QStringLiteral("3&cx=abc");
    QTest::newRow("other category")
        << QStringLiteral(u"歌曲") << QStringLiteral("abc") << base + QStringLiteral("&cx=abc");
    QTest::newRow("empty category")
        << QString() << QStringLiteral("abc") << base + QStringLiteral("&cx=abc");
    QTest::newRow("spaces kept") << QStringLiteral(u"歌曲名称") << QStringLiteral("  love me ")
                                 << base + QStringLiteral("1&cx=%20%20love%20me%20");
    QTest::newRow("ampersand hash") << QStringLiteral(u"乐队/歌手") << QStringLiteral("R&B #1")
                                    << base + QStringLiteral("2&cx=R%26B%20%231");
    QTest::newRow("chinese as utf-8") << QStringLiteral(u"专辑名称") << QStringLiteral(u"月亮")
                                      << base + QStringLiteral("3&cx=%E6%9C%88%E4%BA%AE");
}

void TestWebAddresses::searchAddress()
{
    QFETCH(QString, category);
    QFETCH(QString, text);
    QFETCH(QString, address);
    QCOMPARE(m_addresses.songSearch(WebAddresses::searchCategory(category), text), address);
}

void TestWebAddresses::searchTextReachesServerIntact_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("reserved") << QStringLiteral("a&ll=9&b=c#frag?x+y%20z/;=");
    QTest::newRow("spaces") << QStringLiteral(" two  words ");
    QTest::newRow("chinese") << QStringLiteral(u"周杰伦 & 蔡依林");
}

// What a server parses out of the query is exactly what was typed, and the
// category stays the only "ll".
void TestWebAddresses::searchTextReachesServerIntact()
{
    QFETCH(QString, text);
    const QUrl url(m_addresses.songSearch(QStringLiteral("2"), text), QUrl::StrictMode);
    QVERIFY(url.isValid());
    QCOMPARE(url.host(), QStringLiteral("svc.example"));
    QCOMPARE(url.path(), QStringLiteral("/dgxt/dg1.asp"));
    QVERIFY(!url.hasFragment());
    const QUrlQuery query(url);
    QCOMPARE(query.allQueryItemValues(QStringLiteral("ll")), QStringList { QStringLiteral("2") });
    QCOMPARE(query.queryItemValue(QStringLiteral("cx"), QUrl::FullyDecoded), text);
}

void TestWebAddresses::addressPrompt()
{
    const QString indent = QStringLiteral("\r     ");
    QCOMPARE(AddressPrompt::text(QStringLiteral("svc.example")),
        QStringLiteral(u"请输入一个网址,如:") + indent + indent
            + QStringLiteral("http://svc.example/xxxx.rm") + indent
            + QStringLiteral("pnm://svc.example/xxxx.rm") + indent
            + QStringLiteral("http://svc.example/xxx.mp3"));
    QCOMPARE(AddressPrompt::title(), QStringLiteral(u"打开网址"));
    QCOMPARE(AddressPrompt::defaultAnswer(), QStringLiteral("http://"));
}

void TestWebAddresses::mediaFilterConversion()
{
    QCOMPARE(nameFiltersFromFilterString(mediaFileFilter()),
        QStringList({ QStringLiteral(u"☆REAL File(*.ra,*.rm,*.ram,*.rmm) (*.ra *.rm *.ram *.rmm)"),
            QStringLiteral(u"☆MP3 File(*.mp3,*.mp2,*.m3u,*.pls) (*.mp3 *.mp2 *.m3u *.pls)"),
            QStringLiteral(u"其他还有很多种格式(*.*) (*)") }));
    QCOMPARE(nameFiltersFromFilterString(QStringLiteral("List|*.m3u; *.pls;;|")),
        QStringList { QStringLiteral("List (*.m3u *.pls)") });
    QCOMPARE(nameFiltersFromFilterString(QString()), QStringList());
}

// The converted filters drive a real file dialog: each lists the files it
// names, case-insensitively, and the last one lists everything.
void TestWebAddresses::allFilesFilterListsFilesWithoutExtension()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const char *name : { "a.rm", "b.MP3", "c.pls", "readme", "d.txt" }) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    const QStringList filters = nameFiltersFromFilterString(mediaFileFilter());
    dialog.setNameFilters(filters);
    auto *model = dialog.findChild<QFileSystemModel *>();
    QVERIFY(model);
    dialog.setDirectory(dir.path());
    const auto shown = [&](const QString &filter) {
        dialog.selectNameFilter(filter);
        QStringList names;
        const QModelIndex root = model->index(dir.path());
        for (int row = 0; row < model->rowCount(root); ++row) {
            const QModelIndex index = model->index(row, 0, root);
            if (model->flags(index) & Qt::ItemIsEnabled)
                names << model->fileName(index);
        }
        names.sort();
        return names;
    };
    QTRY_COMPARE(shown(filters.at(0)), QStringList { QStringLiteral("a.rm") });
    QTRY_COMPARE(
        shown(filters.at(1)), QStringList({ QStringLiteral("b.MP3"), QStringLiteral("c.pls") }));
    QTRY_COMPARE(shown(filters.at(2)),
        QStringList({ QStringLiteral("a.rm"), QStringLiteral("b.MP3"), QStringLiteral("c.pls"),
            QStringLiteral("d.txt"), QStringLiteral("readme") }));
}

QTEST_MAIN(TestWebAddresses)
#include "tst_webaddresses.moc"
