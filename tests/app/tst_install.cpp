// The install tree, as a distribution or `cmake --install` lays it out under
// a prefix: the program, its desktop entry, icon and AppStream description,
// which the desktop's own validators accept.
#include "support/requiretool.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class InstallTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void treeHoldsTheDesktopFiles();
    void desktopEntryOpensMediaWithTunvia();
    void filesPassTheValidators();

private:
    QString installed(const QString &relative) const { return m_prefix.filePath(relative); }
    static int run(const QString &program, const QStringList &arguments, QByteArray *output);

    QTemporaryDir m_prefix;
};

const QString kDesktopEntry = u"share/applications/net.tunvia.Tunvia.desktop"_s;
const QString kMetainfo = u"share/metainfo/net.tunvia.Tunvia.metainfo.xml"_s;
const QString kIcon = u"share/icons/hicolor/scalable/apps/net.tunvia.Tunvia.svg"_s;
const QString kManual = u"share/man/man1/tunvia.1"_s;

int InstallTest::run(const QString &program, const QStringList &arguments, QByteArray *output)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(120000))
        return -1;
    *output = process.readAll();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

void InstallTest::initTestCase()
{
    QByteArray output;
    const int status = run(QStringLiteral(TUNVIA_CMAKE),
        { u"--install"_s, QStringLiteral(TUNVIA_BUILD_DIR), u"--prefix"_s, m_prefix.path() },
        &output);
    QVERIFY2(status == 0, output.constData());
}

void InstallTest::treeHoldsTheDesktopFiles()
{
    QVERIFY(QFileInfo(installed(u"bin/tunvia"_s)).isExecutable());
    for (const QString &file : { kDesktopEntry, kMetainfo, kIcon, kManual })
        QVERIFY2(QFileInfo(installed(file)).size() > 0, qPrintable(file));
    QFile icon(installed(kIcon));
    QVERIFY(icon.open(QIODevice::ReadOnly));
    QVERIFY(icon.readAll().contains("<svg"));
}

void InstallTest::desktopEntryOpensMediaWithTunvia()
{
    QFile file(installed(kDesktopEntry));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QHash<QString, QString> entry;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n'))
        entry.insert(line.section(u'=', 0, 0), line.section(u'=', 1));
    QCOMPARE(entry.value(u"Exec"_s), u"tunvia %U"_s);
    QCOMPARE(entry.value(u"Icon"_s), QFileInfo(kIcon).completeBaseName());
    const QStringList types = entry.value(u"MimeType"_s).split(u';');
    for (const QString &type : { u"audio/mpeg"_s, u"audio/x-pn-realaudio"_s,
             u"audio/vnd.rn-realaudio"_s, u"application/vnd.rn-realmedia"_s, u"application/ram"_s,
             u"audio/x-mpegurl"_s, u"audio/x-scpls"_s })
        QVERIFY2(types.contains(type), qPrintable(type));
}

void InstallTest::filesPassTheValidators()
{
    const bool desktopTools = !QStandardPaths::findExecutable(u"desktop-file-validate"_s).isEmpty();
    const bool appstream = !QStandardPaths::findExecutable(u"appstreamcli"_s).isEmpty();
    TUNVIA_REQUIRE_TOOLS(desktopTools || appstream, "desktop-file-utils and appstream");
    QByteArray output;
    if (desktopTools) {
        QCOMPARE(run(u"desktop-file-validate"_s, { installed(kDesktopEntry) }, &output), 0);
        QVERIFY2(output.trimmed().isEmpty(), output.constData()); // not even a hint
    }
    if (appstream) {
        const int status = run(u"appstreamcli"_s,
            { u"validate"_s, u"--no-net"_s, u"--no-color"_s, installed(kMetainfo) }, &output);
        QVERIFY2(status == 0, output.constData());
    }
}

QTEST_GUILESS_MAIN(InstallTest)
#include "tst_install.moc"
