#include "app/programcontext.h"

#include <QCoreApplication>
#include <QStandardPaths>

ProgramContext::ProgramContext()
    : context { state, prompts, launcher,
        AppFolder::forProgram(QCoreApplication::applicationDirPath(),
            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)),
        ServiceHosts::fromBuildAndEnvironment() }
{
}
