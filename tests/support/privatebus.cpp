#include "support/privatebus.h"

#include <QDeadlineTimer>
#include <QStandardPaths>

PrivateBus::~PrivateBus()
{
    if (m_daemon && m_daemon->state() != QProcess::NotRunning) {
        m_daemon->terminate();
        if (!m_daemon->waitForFinished(5000))
            m_daemon->kill();
        m_daemon->waitForFinished(1000);
    }
}

bool PrivateBus::available()
{
    return !QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty();
}

bool PrivateBus::start()
{
    m_daemon = std::make_unique<QProcess>();
    m_daemon->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_daemon->start(QStringLiteral("dbus-daemon"),
        { QStringLiteral("--session"), QStringLiteral("--print-address"),
            QStringLiteral("--nofork") });
    if (!m_daemon->waitForStarted(10000))
        return false;
    QByteArray output;
    const QDeadlineTimer deadline(20000);
    while (!output.contains('\n') && !deadline.hasExpired()) {
        if (!m_daemon->waitForReadyRead(200) && m_daemon->state() == QProcess::NotRunning)
            return false;
        output += m_daemon->readAllStandardOutput();
    }
    m_address = QString::fromUtf8(output.trimmed());
    return !m_address.isEmpty();
}
