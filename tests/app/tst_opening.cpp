// Opening a file or an address in the engine, and the song search.
#include "core/media/filefilter.h"
#include "core/media/mediaengine.h"
#include "core/web/addressprompt.h"
#include "support/testhub.h"
#include "ui/common/appcontext.h"
#include "ui/player/playercommands.h"

#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

struct Fixture : TestHub
{
    QWidget window;
    PlayerCommands commands { context, &window, [this](const QString &source) {
                                 hub.engine()->setSource(source);
                                 hub.engine()->startPlayback();
                             } };

    QStringList engineCalls()
    {
        hub.engine();
        return engine->calls;
    }
};

} // namespace

class TestOpening : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_fixture = std::make_unique<Fixture>(); }
    void cleanup() { m_fixture.reset(); }

    void openFilePlaysThePathAsGiven();
    void cancelledFileDialogPlaysNothing();
    void openAddressAsksWithExamples();
    void openAddressRule_data();
    void openAddressRule();
    void emptySearchTextAsksForText_data();
    void emptySearchTextAsksForText();
    void searchOpensTheSongSearch();
    void searchIgnoresBrowserFailure();

private:
    std::unique_ptr<Fixture> m_fixture;
};

void TestOpening::openFilePlaysThePathAsGiven()
{
    m_fixture->prompts.texts << uR"(C:\My Music\歌 #1.rm)"_s;
    m_fixture->commands.openFile();
    QCOMPARE(m_fixture->prompts.asked.size(), 1);
    QCOMPARE(m_fixture->prompts.asked.at(0).kind, u"openFile"_s);
    QCOMPARE(m_fixture->prompts.asked.at(0).filter, mediaFileFilter());
    QCOMPARE(m_fixture->engineCalls(),
        QStringList({ uR"(setSource:file://C:\My Music\歌 #1.rm)"_s, u"startPlayback"_s }));
}

void TestOpening::cancelledFileDialogPlaysNothing()
{
    m_fixture->commands.openFile();
    QCOMPARE(m_fixture->prompts.asked.size(), 1);
    QVERIFY(m_fixture->engineCalls().isEmpty());
}

void TestOpening::openAddressAsksWithExamples()
{
    m_fixture->commands.openAddress();
    QCOMPARE(m_fixture->prompts.asked.size(), 1);
    const ScriptedPrompts::Asked &asked = m_fixture->prompts.asked.at(0);
    QCOMPARE(asked.kind, u"input"_s);
    QCOMPARE(asked.text, AddressPrompt::text(u"svc.example"_s));
    QVERIFY(asked.text.contains(u"pnm://svc.example/xxxx.rm"_s));
    QCOMPARE(asked.title, u"打开网址"_s);
    QCOMPARE(asked.defaultText, u"http://"_s);
}

void TestOpening::openAddressRule_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("played");
    QTest::newRow("cancelled") << QString() << false;
    QTest::newRow("default left") << u"http://"_s << false;
    QTest::newRow("10 characters") << u"http://a.b"_s << false;
    QTest::newRow("11 characters") << u"http://a.bc"_s << true;
    QTest::newRow("spaces kept") << u" pnm://host/x.rm "_s << true;
    QTest::newRow("no scheme check") << u"just some words"_s << true;
}

void TestOpening::openAddressRule()
{
    QFETCH(QString, answer);
    QFETCH(bool, played);
    m_fixture->prompts.texts << answer;
    m_fixture->commands.openAddress();
    const QStringList expected
        = played ? QStringList { u"setSource:"_s + answer, u"startPlayback"_s } : QStringList();
    QCOMPARE(m_fixture->engineCalls(), expected);
}

void TestOpening::emptySearchTextAsksForText_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("spaces") << u"   "_s;
}

void TestOpening::emptySearchTextAsksForText()
{
    QFETCH(QString, text);
    m_fixture->commands.search(text, u"歌曲名称"_s);
    QCOMPARE(m_fixture->prompts.asked.size(), 1);
    const ScriptedPrompts::Asked &asked = m_fixture->prompts.asked.at(0);
    QCOMPARE(asked.kind, u"message"_s);
    QCOMPARE(asked.text, u"请输入您要查询的内容"_s);
    QCOMPARE(asked.title, u"不能查询"_s);
    QCOMPARE(asked.icon, Prompts::Icon::None);
    QCOMPARE(asked.buttons, Prompts::Buttons::Ok);
    QVERIFY(m_fixture->launcher.openedUrls.isEmpty());
}

void TestOpening::searchOpensTheSongSearch()
{
    m_fixture->commands.search(u"abc"_s, u"乐队/歌手"_s);
    m_fixture->commands.search(u" 听海 & more "_s, u"专辑名称"_s);
    QCOMPARE(m_fixture->launcher.openedUrls,
        QStringList({ u"http://svc.example/dgxt/dg1.asp?ll=2&cx=abc"_s,
            u"http://svc.example/dgxt/dg1.asp?ll=3&cx=%20%E5%90%AC%E6%B5%B7%20%26%20more%20"_s }));
    QVERIFY(m_fixture->prompts.asked.isEmpty());
}

void TestOpening::searchIgnoresBrowserFailure()
{
    m_fixture->launcher.succeed = false;
    m_fixture->commands.search(u"abc"_s, u"歌曲名称"_s);
    QCOMPARE(m_fixture->launcher.openedUrls.size(), 1);
    QVERIFY(m_fixture->prompts.asked.isEmpty());
}

QTEST_MAIN(TestOpening)
#include "tst_opening.moc"
