#pragma once

#include <QProcess>
#include <QString>

#include <memory>

// A private session bus (dbus-daemon --session) for one test, so tests never
// meet the desktop's own bus or each other.
class PrivateBus
{
public:
    PrivateBus() = default;
    ~PrivateBus();

    static bool available();
    // Starts the daemon; false when it does not come up.
    bool start();
    QString address() const { return m_address; }

private:
    std::unique_ptr<QProcess> m_daemon;
    QString m_address;
};
