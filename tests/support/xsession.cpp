#include "support/xsession.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

XSession::~XSession()
{
    for (QProcess *process : { m_windowManager.get(), m_server.get() }) {
        if (process && process->state() != QProcess::NotRunning) {
            process->terminate();
            if (!process->waitForFinished(3000))
                process->kill();
            process->waitForFinished(1000);
        }
    }
}

bool XSession::toolsAvailable()
{
    return !QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty()
        && !QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty();
}

bool XSession::start(QSize screen)
{
    m_server = std::make_unique<QProcess>();
    // -displayfd 1: the server picks a free display and prints its number.
    // -noreset: the server would otherwise start over each time its last
    // client leaves, and a client that comes meanwhile may find no display.
    m_server->start(QStringLiteral("Xvfb"),
        { QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-noreset"),
            QStringLiteral("-screen"), QStringLiteral("0"),
            QStringLiteral("%1x%2x24").arg(screen.width()).arg(screen.height()),
            QStringLiteral("-nolisten"), QStringLiteral("tcp") });
    if (!m_server->waitForStarted(5000))
        return false;
    QDeadlineTimer deadline(10000);
    QByteArray output;
    while (!output.contains('\n') && !deadline.hasExpired()) {
        if (!m_server->waitForReadyRead(200) && m_server->state() == QProcess::NotRunning)
            return false;
        output += m_server->readAllStandardOutput();
    }
    const QByteArray number = output.trimmed();
    if (number.isEmpty())
        return false;
    m_display = u':' + QString::fromLatin1(number);
    return true;
}

bool XSession::running() const
{
    return m_server && m_server->state() == QProcess::Running;
}

QByteArray XSession::serverOutput() const
{
    return m_server ? m_server->readAllStandardError() : QByteArray();
}

bool XSession::startWindowManager()
{
    if (QStandardPaths::findExecutable(QStringLiteral("openbox")).isEmpty())
        return false;
    m_windowManager = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    m_windowManager->setProcessEnvironment(env);
    m_windowManager->start(QStringLiteral("openbox"), { QStringLiteral("--sm-disable") });
    if (!m_windowManager->waitForStarted(5000))
        return false;
    // The window manager owns the WM_S0 selection once it is running.
    QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        const QString check = run(QStringLiteral("xprop"),
            { QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK") });
        if (check.contains(QLatin1String("window id")))
            return true;
        QThread::msleep(100);
    }
    return false;
}

QProcessEnvironment XSession::environment(const QString &home) const
{
    QProcessEnvironment env;
    env.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("DISPLAY"), m_display);
    env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home);
    env.insert(QStringLiteral("TUNVIA_AUDIO_OUTPUT"), QStringLiteral("null"));
    // The update check asks a closed local port unless a test sets its own page.
    env.insert(QStringLiteral("TUNVIA_UPDATE_URL"),
        QStringLiteral("http://127.0.0.1:9/tunvia/updatex.htm"));
    return env;
}

QString XSession::run(const QString &program, const QStringList &arguments, int *exitCode) const
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    process.waitForFinished(10000);
    if (exitCode)
        *exitCode = process.exitCode();
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

QString XSession::waitForWindow(const QString &name, int timeoutMs) const
{
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        const QString ids = xdotool({ QStringLiteral("search"), QStringLiteral("--onlyvisible"),
            QStringLiteral("--name"), u'^' + name + u'$' });
        if (!ids.isEmpty())
            return ids.split(u'\n').first();
        QThread::msleep(50);
    }
    return {};
}

QRect XSession::geometry(const QString &windowId) const
{
    const QString shell
        = xdotool({ QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), windowId });
    QRect rect;
    for (const QString &line : shell.split(u'\n')) {
        const QString key = line.section(u'=', 0, 0);
        const int value = line.section(u'=', 1).toInt();
        if (key == u"X")
            rect.moveLeft(value);
        else if (key == u"Y")
            rect.moveTop(value);
        else if (key == u"WIDTH")
            rect.setWidth(value);
        else if (key == u"HEIGHT")
            rect.setHeight(value);
    }
    return rect;
}

void XSession::click(QPoint screenPos, int button) const
{
    xdotool({ QStringLiteral("mousemove"), QString::number(screenPos.x()),
        QString::number(screenPos.y()) });
    QThread::msleep(100);
    xdotool({ QStringLiteral("click"), QString::number(button) });
}

QImage XSession::grab(QRect area) const
{
    QProcess import;
    import.start(QStringLiteral("import"),
        { QStringLiteral("-display"), m_display, QStringLiteral("-window"), QStringLiteral("root"),
            QStringLiteral("-crop"),
            QStringLiteral("%1x%2+%3+%4")
                .arg(area.width())
                .arg(area.height())
                .arg(area.x())
                .arg(area.y()),
            QStringLiteral("png:-") });
    if (!import.waitForFinished(10000))
        return {};
    return QImage::fromData(import.readAllStandardOutput(), "PNG");
}

bool XSession::launch(QProcess &process, const QString &program, const QString &home,
    const QStringList &arguments) const
{
    process.setProcessEnvironment(environment(home));
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
    return process.waitForStarted(10000);
}

QString installProgramCopy(const QString &binary, const QString &folder)
{
    const QString target = folder + QStringLiteral("/tunvia");
    QFile::remove(target);
    if (!QFile::copy(binary, target))
        return {};
    QFile::setPermissions(target, QFile::permissions(target) | QFile::ExeOwner);
    return target;
}
