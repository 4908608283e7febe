// The engine's display area, statistics window and settings window, driven
// by the real libmpv engine on the offscreen platform.
#include "enginetestkit.h"
#include "support/testmedia.h"

#include "engine/enginedisplay.h"
#include "engine/enginesettingsdialog.h"
#include "engine/mpvengine.h"
#include "engine/statisticswindow.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

#include <set>

using namespace EngineTestKit;

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

int distinctColours(const QImage &image)
{
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2)
            colours.insert(image.pixel(x, y));
    }
    return int(colours.size());
}

} // namespace

class TestEngineWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void displayShowsStatusAndRepaintsOnlyOnChange();
    void displayShowsVideoOnlyWhileVisible();
    void displayDrawsNoVideoWhileRolledUpOrMinimized();
    void displayOutlivesTheEngine();
    void statisticsWindowShowsWhatPlays();
    void statisticsWindowShowsNetworkFigures();
    void settingsWindowAppliesAndSaves();
    void settingsWindowRefusesABadProxy();

private:
    QString media(const QString &name) const { return m_media.filePath(name); }
    void play(const QString &source);

    QTemporaryDir m_media;
    QTemporaryDir m_folder;
    std::unique_ptr<MpvEngine> m_engine;
    std::unique_ptr<QWidget> m_window;
};

void TestEngineWindows::initTestCase()
{
    QVERIFY(m_media.isValid());
    QVERIFY(TestMedia::generate(TestMedia::Kind::Mp3, media(QStringLiteral("tone.mp3")), 3));
    QVERIFY(TestMedia::generate(TestMedia::Kind::RealVideo, media(QStringLiteral("video.rm")), 3));
}

void TestEngineWindows::init()
{
    m_engine = createEngine(m_folder.path());
    QVERIFY(m_engine);
    m_window = std::make_unique<QWidget>();
    m_window->resize(300, 80);
}

void TestEngineWindows::cleanup()
{
    m_engine.reset();
    m_window.reset();
}

void TestEngineWindows::play(const QString &source)
{
    m_engine->setSource(source);
    m_engine->startPlayback();
}

void TestEngineWindows::displayShowsStatusAndRepaintsOnlyOnChange()
{
    auto *display = qobject_cast<EngineDisplay *>(m_engine->createDisplay(m_window.get()));
    QVERIFY(display);
    QCOMPARE(display->objectName(), QStringLiteral("RealAudio1"));
    QCOMPARE(display->sizeHint(), QSize(258, 52));
    display->setGeometry(10, 10, 258, 52);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QCOMPARE(display->status().stateText(), QStringLiteral("已停止"));

    PaintCounter idlePaints(display);
    QTest::qWait(1000);
    QCOMPARE(idlePaints.count, 0);

    play(media(QStringLiteral("tone.mp3")));
    QTRY_COMPARE_WITH_TIMEOUT(display->status().state, MediaEngine::Playing, 5000);
    QCOMPARE(display->status().title, QStringLiteral("tone.mp3"));
    QCOMPARE(display->status().duration, qint64(3));
    QVERIFY(!display->showsVideo());
    // While it plays the panel follows the clock, and paints no more often
    // than the engine's status changes (a slower machine only paints less).
    PaintCounter playingPaints(display);
    int statusChanges = 0;
    connect(m_engine.get(), &MpvEngine::statusChanged, this, [&] { ++statusChanges; });
    const qint64 startedAt = display->status().elapsed;
    QTRY_VERIFY_WITH_TIMEOUT(display->status().elapsed > startedAt, 5000);
    QTRY_VERIFY_WITH_TIMEOUT(playingPaints.count >= 1, 5000);
    QVERIFY2(playingPaints.count <= statusChanges + 1,
        qPrintable(QStringLiteral("%1 paints for %2 changes")
                       .arg(playingPaints.count)
                       .arg(statusChanges)));

    m_engine->pausePlayback();
    QTRY_COMPARE_WITH_TIMEOUT(display->status().stateText(), QStringLiteral("已暂停"), 2000);
    m_engine->setSource(media(QStringLiteral("missing.mp3")));
    m_engine->startPlayback();
    QTRY_VERIFY_WITH_TIMEOUT(
        display->status().stateText().startsWith(QStringLiteral("错误: ")), 2000);
}

void TestEngineWindows::displayShowsVideoOnlyWhileVisible()
{
    auto *display = qobject_cast<EngineDisplay *>(m_engine->createDisplay(m_window.get()));
    display->setGeometry(0, 0, 258, 52);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QCOMPARE(display->videoSize(), QSize(258, 52) * display->devicePixelRatio());

    play(media(QStringLiteral("video.rm")));
    QTRY_VERIFY_WITH_TIMEOUT(display->showsVideo(), 5000);
    // The test picture is colourful; the status panel has a handful of colours.
    QTRY_VERIFY_WITH_TIMEOUT(distinctColours(display->grab().toImage()) > 50, 3000);

    m_window->hide();
    QCOMPARE(display->videoSize(), QSize());
    QVERIFY(!display->showsVideo());
    QTest::qWait(300);
    QVERIFY(!display->showsVideo()); // frames are no longer drawn for it
    QCOMPARE(m_engine->playbackState(), MediaEngine::Playing); // the video plays on unseen
}

void TestEngineWindows::displayDrawsNoVideoWhileRolledUpOrMinimized()
{
    // As on the player window: below a 26 pixel strip that stays when rolled up.
    auto *display = qobject_cast<EngineDisplay *>(m_engine->createDisplay(m_window.get()));
    display->setGeometry(0, 27, 258, 52);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    play(media(QStringLiteral("video.rm")));
    QTRY_VERIFY_WITH_TIMEOUT(display->showsVideo(), 5000);
    const QSize full = display->videoSize();
    QVERIFY(!full.isEmpty());

    m_window->resize(300, 26);
    QCOMPARE(display->videoSize(), QSize());
    QTest::qWait(100);
    const QImage rolledUp = display->grab().toImage();
    QTest::qWait(400); // several frames of the moving test picture
    QCOMPARE(display->grab().toImage(), rolledUp);
    QCOMPARE(m_engine->playbackState(), MediaEngine::Playing);

    m_window->resize(300, 40); // partly in view again
    QCOMPARE(display->videoSize(), full);
    QTRY_VERIFY_WITH_TIMEOUT(display->grab().toImage() != rolledUp, 2000);

    m_window->setWindowState(Qt::WindowMinimized);
    QCOMPARE(display->videoSize(), QSize());
    m_window->setWindowState(Qt::WindowNoState);
    QCOMPARE(display->videoSize(), full);
}

void TestEngineWindows::displayOutlivesTheEngine()
{
    // The player window deletes its engine before its child widgets.
    QPointer<QWidget> display = m_engine->createDisplay(m_window.get());
    m_window->show();
    play(media(QStringLiteral("video.rm")));
    QTRY_COMPARE_WITH_TIMEOUT(m_engine->playbackState(), MediaEngine::Playing, 5000);
    m_engine.reset();
    QVERIFY(display);
    display->repaint();
    QTest::qWait(200);
}

void TestEngineWindows::statisticsWindowShowsWhatPlays()
{
    play(media(QStringLiteral("tone.mp3")));
    QTRY_COMPARE_WITH_TIMEOUT(m_engine->playbackState(), MediaEngine::Playing, 5000);
    m_engine->showStatisticsView(true);
    StatisticsWindow *window = m_engine->statisticsWindow();
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QCOMPARE(window->windowTitle(), QStringLiteral("统计信息"));
    QTRY_COMPARE_WITH_TIMEOUT(window->valueOf(QStringLiteral("格式")), QStringLiteral("mp3"), 3000);
    QVERIFY(window->valueOf(QStringLiteral("音频编码")).startsWith(QStringLiteral("mp3")));
    QCOMPARE(window->valueOf(QStringLiteral("采样率/声道")), QStringLiteral("44100 Hz, 2 声道"));
    QCOMPARE(window->valueOf(QStringLiteral("状态")), QStringLiteral("正在播放"));
    QCOMPARE(window->valueOf(QStringLiteral("已接收")), QString()); // a local file

    m_engine->stopPlayback();
    QTRY_COMPARE_WITH_TIMEOUT(
        window->valueOf(QStringLiteral("状态")), QStringLiteral("已停止"), 3000);
    m_engine->showStatisticsView(true);
    QCOMPARE(m_engine->statisticsWindow(), window);
    m_engine->showStatisticsView(false);
    QVERIFY(!window->isVisible());
}

void TestEngineWindows::statisticsWindowShowsNetworkFigures()
{
    QFile file(media(QStringLiteral("tone.mp3")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    LoopbackServer server(LoopbackServer::Mode::Serve, file.readAll());
    play(server.url(QStringLiteral("tone.mp3")));
    QTRY_COMPARE_WITH_TIMEOUT(m_engine->playbackState(), MediaEngine::Playing, 5000);
    m_engine->showStatisticsView(true);
    StatisticsWindow *window = m_engine->statisticsWindow();
    QTRY_VERIFY_WITH_TIMEOUT(!window->valueOf(QStringLiteral("已接收")).isEmpty(), 3000);
    QVERIFY(window->valueOf(QStringLiteral("已接收")).endsWith(QStringLiteral("KB")));
    QVERIFY(!window->valueOf(QStringLiteral("网络速度")).isEmpty());
    QCOMPARE(window->valueOf(QStringLiteral("来源")), server.url(QStringLiteral("tone.mp3")));
}

void TestEngineWindows::settingsWindowAppliesAndSaves()
{
    m_engine->showPerformanceSettings();
    EngineSettingsDialog *dialog = m_engine->settingsDialog();
    QVERIFY(dialog && dialog->isVisible());
    QVERIFY(!dialog->isModal());
    QCOMPARE(dialog->windowTitle(), QStringLiteral("性能/连接设置"));
    QCOMPARE(dialog->findChild<QSpinBox *>(QStringLiteral("timeout"))->value(),
        m_engine->settings().networkTimeout);

    dialog->findChild<QSpinBox *>(QStringLiteral("timeout"))->setValue(7);
    dialog->findChild<QSpinBox *>(QStringLiteral("buffer"))->setValue(8);
    dialog->findChild<QComboBox *>(QStringLiteral("transport"))->setCurrentIndex(1);
    dialog->findChild<QLineEdit *>(QStringLiteral("proxy"))
        ->setText(QStringLiteral("http://127.0.0.1:3128"));
    dialog->accept();
    QVERIFY(!dialog->isVisible());
    QCOMPARE(m_engine->settings().networkTimeout, 7);
    QCOMPARE(m_engine->settings().rtspTransport, EngineSettings::RtspTransport::Tcp);

    // Saved in the engine's own file and read by the next engine.
    m_engine.reset();
    m_engine = createEngine(m_folder.path());
    const EngineSettings saved = m_engine->settings();
    QCOMPARE(saved.networkTimeout, 7);
    QCOMPARE(saved.bufferMegabytes, 8);
    QCOMPARE(saved.rtspTransport, EngineSettings::RtspTransport::Tcp);
    QCOMPARE(saved.httpProxy, QStringLiteral("http://127.0.0.1:3128"));
    // ... and still plays local files with those options.
    play(media(QStringLiteral("tone.mp3")));
    QTRY_COMPARE_WITH_TIMEOUT(m_engine->playbackState(), MediaEngine::Playing, 5000);
    QFile::remove(m_engine->settingsPath());
}

void TestEngineWindows::settingsWindowRefusesABadProxy()
{
    const EngineSettings before = m_engine->settings();
    m_engine->showPerformanceSettings();
    EngineSettingsDialog *dialog = m_engine->settingsDialog();
    dialog->findChild<QSpinBox *>(QStringLiteral("timeout"))->setValue(30);
    dialog->findChild<QLineEdit *>(QStringLiteral("proxy"))->setText(QStringLiteral("not a proxy"));
    dialog->accept();
    QVERIFY(dialog->isVisible());
    QCOMPARE(m_engine->settings(), before);
    QVERIFY(!QFile::exists(m_engine->settingsPath()));
    m_engine->showPerformanceSettings(); // shows the values in force again
    QCOMPARE(
        dialog->findChild<QSpinBox *>(QStringLiteral("timeout"))->value(), before.networkTimeout);
}

QTEST_MAIN(TestEngineWindows)
#include "tst_enginewindows.moc"
