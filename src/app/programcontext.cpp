#include "app/programcontext.h"

#include <QCoreApplication>
#include <QStandardPaths>

ProgramContext::ProgramContext()
    : context { state, prompts, launcher, applicationFolder(),
        ServiceHosts::fromBuildAndEnvironment() }
{
}

AppFolder ProgramContext::applicationFolder()
{
    return AppFolder::forProgram(QCoreApplication::applicationDirPath(),
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}
