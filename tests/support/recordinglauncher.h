#pragma once

#include "core/program/launcher.h"

#include <QList>
#include <QStringList>

// Records what would have been opened or started.
class RecordingLauncher : public Launcher
{
public:
    QStringList openedUrls;
    QList<QStringList> startedPrograms; // program first, then its arguments
    bool succeed = true;

    bool openUrl(const QString &address) override
    {
        openedUrls << address;
        return succeed;
    }
    bool startProgram(const QString &program, const QStringList &arguments) override
    {
        startedPrograms << (QStringList { program } + arguments);
        return succeed;
    }
};
