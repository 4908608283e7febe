#include "app/programcontext.h"

#include <QCoreApplication>
#include <QStandardPaths>

ProgramContext::ProgramContext(ListPrefetch *prefetchedList)
    : context { state, prompts, launcher, applicationFolder(),
        ServiceHosts::fromBuildAndEnvironment(), prefetchedList, &listWriter }
{
}

AppFolder ProgramContext::applicationFolder()
{
    return AppFolder::forProgram(QCoreApplication::applicationDirPath(),
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}
