#pragma once

#include <QFile>
#include <QString>

#include <unistd.h>

// Root passes every permission check, so tests of unreadable files and
// read-only folders run their checks as "nobody" while this object lives.
class OrdinaryUser
{
public:
    OrdinaryUser()
    {
        if (geteuid() == 0)
            m_switched = seteuid(65534) == 0;
    }
    ~OrdinaryUser()
    {
        if (m_switched)
            (void)seteuid(0);
    }
    OrdinaryUser(const OrdinaryUser &) = delete;
    OrdinaryUser &operator=(const OrdinaryUser &) = delete;

    bool active() const { return geteuid() != 0; }

    // rwx for owner, group and others (the process keeps root's group).
    static void openToEveryone(const QString &path)
    {
        QFile::setPermissions(path, QFileDevice::Permissions(0x7777));
    }
    // r-x for owner, group and others.
    static void readOnlyForEveryone(const QString &path)
    {
        QFile::setPermissions(path, QFileDevice::Permissions(0x5555));
    }

private:
    bool m_switched = false;
};
