#pragma once

#include <QString>
#include <QStringList>

// Hands addresses to the desktop (browser, mail program) and starts programs.
// No shell is ever involved: a location is always one argument.
class Launcher
{
public:
    virtual ~Launcher() = default;
    virtual bool openUrl(const QString &address) = 0;
    virtual bool startProgram(const QString &program, const QStringList &arguments) = 0;
};
